#pragma once

#include <cstddef>

namespace CCC {

// ESC, SO and SI: the bytes that change the character set in ISO-2022.
// Copied from text into ISO-2022-JP output they would garble what follows,
// so the encoders drop them.
inline bool iso2022ShiftP(int b) { return b == 0x1B || b == 0x0E || b == 0x0F; }

// The character set designated to G0 in ISO-2022-JP, and the escape
// sequences that change it.
class Iso2022JpDesignation {
public:
    enum State { kAscii = 1, kJisRoman = 2, kJis1978 = 3, kJis1983 = 4 };
    static constexpr int kEscapeLength = 3;

    int state() const { return state_; }
    void reset() { state_ = kAscii; }
    void set(State s) { state_ = s; }

    // Writes the escape sequence for s unless s is already designated;
    // returns the number of bytes written.
    std::size_t designate(State s, char* out) {
        if (state_ == s) return 0;
        state_ = s;
        out[0] = 0x1B;
        out[1] = s <= kJisRoman ? 0x28 : 0x24;
        out[2] = s == kAscii ? 0x42 : s == kJisRoman ? 0x4A : s == kJis1978 ? 0x40 : 0x42;
        return kEscapeLength;
    }

    // Writes a character of set s, designating s first if needed: one byte,
    // or for the two JIS X 0208 sets a pair given as first << 8 | second.
    // Returns the number of bytes written.
    std::size_t put(State s, unsigned code, char* out) {
        std::size_t k = designate(s, out);
        if (s <= kJisRoman) {
            out[k] = static_cast<char>(code);
            return k + 1;
        }
        out[k] = static_cast<char>(code >> 8);
        out[k + 1] = static_cast<char>(code & 0xFF);
        return k + 2;
    }

    // At the end of data: back to ASCII, so that every output ends there.
    // Returns the bytes written, or -1 (the end) once ASCII is designated.
    int close(char* out) {
        std::size_t k = designate(kAscii, out);
        return k ? static_cast<int>(k) : -1;
    }

private:
    int state_ = kAscii;
};

} // namespace CCC
