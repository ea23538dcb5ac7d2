#pragma once

#include <cstddef>
#include <memory>

#include "../base/Object.h"
#include "../base/TString.h"
#include "../base/Unit.h"

namespace CCC {

// A string tagged with its encoding, convertible to any other encoding.
// It holds a copy of the caller's text in the string of the text's width.
class UnivString : public Object {
public:
    template <class T>
    UnivString(CeId ceId, const TString<T>& s) : ceId_(ceId) {
        slot<T>().reset(new TString<T>(s));
    }
    // A zero-terminated array; a null pointer leaves no text set.
    template <class T>
    UnivString(CeId ceId, const T* z) : ceId_(ceId) {
        if (z) slot<T>().reset(new TString<T>(z));
    }
    // An array of `length` units; a null pointer leaves no text set.
    template <class T>
    UnivString(CeId ceId, const T* s, std::size_t length) : ceId_(ceId) {
        if (s) slot<T>().reset(new TString<T>(s, length));
    }
    ~UnivString() override;
    UnivString(const UnivString&) = delete;
    UnivString& operator=(const UnivString&) = delete;

    CeId getCeId() const { return ceId_; }

    // The text converted to `to` as a new string the caller owns and
    // deletes; nullptr without a route, without text, or when the
    // conversion fails.
    TString<char>* convertToBString(CeId to) const { return convertTo<char>(to); }
    TString<unsigned short>* convertToDString(CeId to) const { return convertTo<unsigned short>(to); }
    TString<unsigned int>* convertToQString(CeId to) const { return convertTo<unsigned int>(to); }

private:
    template <class T>
    std::unique_ptr<TString<T>>& slot() {
        static_assert(isUnitType<T>, "UnivString holds char, unsigned short or unsigned int text");
        if constexpr (sizeof(T) == 1) return b_;
        else if constexpr (sizeof(T) == 2) return d_;
        else return q_;
    }
    template <class D> TString<D>* convertTo(CeId to) const;

    CeId ceId_;
    std::unique_ptr<TString<char>> b_;
    std::unique_ptr<TString<unsigned short>> d_;
    std::unique_ptr<TString<unsigned int>> q_;
};

} // namespace CCC
