#pragma once

#include <cstdint>
#include <utility>

#include "../base/TString.h"

namespace CCC {

// One formatter argument: a kind and its value. Kind numbers are part of the
// formatter's contract (which conversion accepts which kind).
//
// Strings: a zero-terminated run (kind 9) is always borrowed; a TString
// (kind 10) is borrowed when added as an lvalue and held when moved in.
// Borrowed text must outlive the formatting.
template <class T>
class FmtArg {
public:
    enum Kind : int {
        kWord = 0,      // an opaque 32-bit value; no conversion accepts it
        kChar = 1,
        kUChar = 2,
        kShort = 3,
        kUShort = 4,
        kInt = 5,
        kUInt = 6,
        kLong = 7,
        kULong = 8,
        kZString = 9,
        kString = 10,
        kDouble = 11,
        kFloat = 12,
        kPointer = 13,
    };

    static FmtArg word(std::uint32_t v) { return unsignedArg(kWord, v); }
    static FmtArg ofChar(char v) { return signedArg(kChar, v); }
    static FmtArg ofUChar(unsigned char v) { return unsignedArg(kUChar, v); }
    static FmtArg ofShort(short v) { return signedArg(kShort, v); }
    static FmtArg ofUShort(unsigned short v) { return unsignedArg(kUShort, v); }
    static FmtArg ofInt(int v) { return signedArg(kInt, v); }
    static FmtArg ofUInt(unsigned int v) { return unsignedArg(kUInt, v); }
    static FmtArg ofLong(long v) { return signedArg(kLong, v); }
    static FmtArg ofULong(unsigned long v) { return unsignedArg(kULong, v); }
    static FmtArg ofDouble(double v) {
        FmtArg a(kDouble);
        a.v_.d = v;
        return a;
    }
    static FmtArg ofFloat(float v) {
        FmtArg a(kFloat);
        a.v_.d = v;  // held widened, as the conversions take a double
        return a;
    }
    static FmtArg ofPointer(const void* p) {
        FmtArg a(kPointer);
        a.v_.p = p;
        return a;
    }
    static FmtArg ofZString(const T* s) {
        FmtArg a(kZString);
        a.v_.p = s;
        return a;
    }
    static FmtArg ofString(const TString<T>& s) {
        FmtArg a(kString);
        a.ref_ = &s;
        return a;
    }
    static FmtArg ofString(TString<T>&& s) {
        FmtArg a(kString);
        a.held_ = std::move(s);
        return a;
    }

    int kind() const { return kind_; }
    long asLong() const { return v_.l; }
    unsigned long asULong() const { return v_.ul; }
    double asDouble() const { return v_.d; }
    const void* asPointer() const { return v_.p; }
    const T* asZString() const { return static_cast<const T*>(v_.p); }
    const TString<T>& asString() const { return ref_ ? *ref_ : held_; }

    // The first unit of the text a string argument refers to (kinds 9, 10).
    const T* textData() const { return kind_ == kString ? asString().data() : asZString(); }

private:
    explicit FmtArg(int kind) : kind_(kind) { v_.ul = 0; }

    template <class V>
    static FmtArg signedArg(int kind, V v) {
        FmtArg a(kind);
        a.v_.l = static_cast<long>(v);
        return a;
    }
    template <class V>
    static FmtArg unsignedArg(int kind, V v) {
        FmtArg a(kind);
        a.v_.ul = static_cast<unsigned long>(v);
        return a;
    }

    int kind_;
    union {
        long l;
        unsigned long ul;
        double d;
        const void* p;
    } v_;
    const TString<T>* ref_ = nullptr;
    TString<T> held_;
};

} // namespace CCC
