#pragma once

#include "../flow/StepCodecIFilter.h"

namespace CCC {

// Class bits of a byte for UTF-7.
enum Utf7Class : unsigned char {
    kUtf7SetD = 1,     // letters, digits and ' ( ) , - . / : ?
    kUtf7SetO = 2,     // ! " # $ % & * ; < = > @ [ ] ^ _ ` { | }
    kUtf7Base64 = 4,   // A-Z a-z 0-9 + /
    kUtf7Direct = 8,   // written as themselves: set D, space, TAB, CR, LF
    kUtf7Plain = 16,   // set D, set O, space, TAB, CR, LF
};
extern const unsigned char kUtf7ClassTable[256];

// UCS-2 to UTF-7. Units outside the direct set go into base64 runs opened
// by "+"; their bytes are coded in groups of three, and a group cut short by
// a direct character (or the end of data) is written short.
struct Ucs2ToUtf7Codec {
    using In = unsigned short;
    using Out = char;
    static constexpr int kMaxOut = 6;

    int step(StepCursor<In>& in, Out* out);
    void reset() {
        inBase64_ = false;
        pending_ = false;
        pendingByte_ = 0;
    }

private:
    bool inBase64_ = false;
    bool pending_ = false;
    unsigned char pendingByte_ = 0;
};

// UTF-7 to UCS-2.
struct Utf7ToUcs2Codec {
    using In = char;
    using Out = unsigned short;
    static constexpr int kMaxOut = 2;

    int step(StepCursor<In>& in, Out* out);
    // Plain bytes outside base64 are units of their own.
    std::size_t run(const char* in, std::size_t n, unsigned short* out) {
        if (inBase64_) return 0;
        std::size_t i = 0;
        for (; i < n && in[i] != '+'; ++i) out[i] = static_cast<unsigned char>(in[i]);
        return i;
    }
    void reset() {
        inBase64_ = false;
        leftoverP_ = false;
        leftover_ = 0;
    }

private:
    bool inBase64_ = false;
    bool leftoverP_ = false;
    unsigned char leftover_ = 0;
};

class FromUcs2ToUtf7 : public StepCodecIFilter<Ucs2ToUtf7Codec> {};
class FromUtf7ToUcs2 : public StepCodecIFilter<Utf7ToUcs2Codec> {};

} // namespace CCC
