#pragma once

#include <array>
#include <cstddef>

#include "Detector.h"

namespace CCC {

// Tells the Japanese encodings (ISO-2022-JP, EUC-JP, Shift_JIS) and the
// Unicode signatures apart by byte patterns. Stateless.
class JaDetector : public Detector {
public:
    CeId detect(IFlow& in) override;

    // Byte classes; a byte may belong to several.
    enum Class : unsigned char {
        kA1toFC = 1,
        kA1toFE = 2,
        kA1toED = 4,
        kEucByte = 8,     // A1-FE, the range of an EUC-JP byte
        kSjisLead = 16,   // 81-9F, E0-EF
        kSjisTrail = 32,  // 40-7E, 80-FC
        kHalfKana = 64,   // A1-DF
    };

    static unsigned char classOf(unsigned char b);
};

namespace ja_detector_detail {

constexpr std::array<unsigned char, 256> makeClasses() {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) {
        unsigned char c = 0;
        if (b >= 0xA1 && b <= 0xFC) c |= JaDetector::kA1toFC;
        if (b >= 0xA1 && b <= 0xFE) c |= JaDetector::kA1toFE | JaDetector::kEucByte;
        if (b >= 0xA1 && b <= 0xED) c |= JaDetector::kA1toED;
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF)) c |= JaDetector::kSjisLead;
        if ((b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC)) c |= JaDetector::kSjisTrail;
        if (b >= 0xA1 && b <= 0xDF) c |= JaDetector::kHalfKana;
        t[static_cast<std::size_t>(b)] = c;
    }
    return t;
}

inline constexpr std::array<unsigned char, 256> kClasses = makeClasses();

// Bytes the scan passes over without reading further: no ESC, no prefix,
// no lead byte, no EUC-JP byte. Skipping runs of them in bulk changes
// nothing but the speed.
constexpr std::array<bool, 256> makePassOver() {
    std::array<bool, 256> t{};
    for (int b = 0; b < 256; ++b) {
        unsigned char c = kClasses[static_cast<std::size_t>(b)];
        t[static_cast<std::size_t>(b)] =
            b != 0x1B && !(c & JaDetector::kSjisLead) && !(c & JaDetector::kA1toFC);
    }
    return t;
}

inline constexpr std::array<bool, 256> kPassOver = makePassOver();

} // namespace ja_detector_detail

inline unsigned char JaDetector::classOf(unsigned char b) { return ja_detector_detail::kClasses[b]; }

} // namespace CCC
