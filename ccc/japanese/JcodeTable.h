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

// True for a Shift_JIS lead byte.
inline bool sjisKanjiP(unsigned b) { return jcodeP(b, kJcodeSjisLead); }

} // namespace CCC
