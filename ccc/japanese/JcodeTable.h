#pragma once

namespace CCC {

// Class bits of a byte value in the Japanese encodings.
enum JcodeClass : unsigned char {
    kJcodeSjisLead = 1,   // 0x81-0x9F, 0xE0-0xEF
    kJcodeJis = 2,        // 0x21-0x7E
    kJcodeEuc = 4,        // 0xA1-0xFE
    kJcodeKana = 8,       // 0xA1-0xDF, half-width katakana
    kJcodeSjisTrail = 16  // 0x40-0xFC
};

extern const unsigned char iceman_jcode_table[256];

inline bool jcodeP(unsigned b, unsigned char cls) { return (iceman_jcode_table[b & 0xFF] & cls) != 0; }

// Takes the next byte when it is of class cls; otherwise leaves it to be
// read again (a broken character must not swallow the byte after it, which
// may be a quote or a '<'). -1 at the end of data, -2 for a byte left.
template <class Cursor>
inline int takeByteOf(Cursor& in, unsigned char cls) {
    int b = in.next();
    if (b < 0 || jcodeP(static_cast<unsigned>(b), cls)) return b;
    in.unread();
    return -2;
}

// True for a Shift_JIS lead byte.
inline bool sjisKanjiP(unsigned b) { return jcodeP(b, kJcodeSjisLead); }

} // namespace CCC
