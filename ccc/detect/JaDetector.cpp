#include "JaDetector.h"

#include "../encoding/EncodingIds.h"
#include "ByteReader.h"

namespace CCC {

namespace {

constexpr unsigned char kEsc = 0x1B;

} // namespace

// The scan decides at the first byte pattern that only one encoding can
// produce; every read that meets the end of data (or a failing flow) ends
// it with ceid::kNone, so pure ASCII gives none.
CeId JaDetector::detect(IFlow& in) {
    ByteReader r(in);
    unsigned char b;
    auto is = [](unsigned char u, unsigned char cls) { return (classOf(u) & cls) != 0; };

    // Signatures. A signature only begun is not looked at again: the scan
    // goes on with the last byte read.
    if (!r.next(b)) return ceid::kNone;
    if (b == 0xFF) {
        if (!r.next(b)) return ceid::kNone;
        if (b == 0xFE) return ceid::kUtf16Le;
    } else if (b == 0xFE) {
        if (!r.next(b)) return ceid::kNone;
        if (b == 0xFF) return ceid::kUtf16Be;
    } else if (b == 0xEF) {
        if (!r.next(b)) return ceid::kNone;
        if (b == 0xBB) {
            if (!r.next(b)) return ceid::kNone;
            if (b == 0xBF) return ceid::kUtf8;
        }
    }

    for (;;) {
        if (b == kEsc) {
            // ESC $ B and ESC $ @ designate JIS X 0208; anything else read
            // here is examined by the rules that follow.
            if (!r.next(b)) return ceid::kNone;
            if (b == '$') {
                if (!r.next(b)) return ceid::kNone;
                if (b == 'B' || b == '@') return ceid::kIso2022Jp;
            }
        }

        unsigned char c;
        if (b == 0x8E) {
            // EUC-JP half-width katakana prefix, or a Shift_JIS lead byte.
            if (!r.next(c)) return ceid::kNone;
            if (is(c, kSjisTrail) && !is(c, kHalfKana)) return ceid::kShiftJis;
        } else if (b == 0x8F) {
            // EUC-JP JIS X 0212 prefix, or a Shift_JIS lead byte.
            if (!r.next(c)) return ceid::kNone;
            if (is(c, kSjisTrail) && !is(c, kA1toED)) return ceid::kShiftJis;
            if (!r.next(c)) return ceid::kNone;
            if (!is(c, kEucByte)) return ceid::kShiftJis;
            if (!is(c, kSjisLead)) return ceid::kEucJp;
            do {
                if (!r.next(c)) return ceid::kNone;
            } while (c > 0x40);
        } else if (!is(b, kSjisLead)) {
            if (is(b, kA1toFC)) return ceid::kEucJp;
        } else if (!is(b, kA1toFC)) {
            return ceid::kShiftJis;  // 81-9F lead only Shift_JIS
        } else {
            // E0-EF: a lead byte of both; the next byte may tell.
            if (!r.next(c)) return ceid::kNone;
            if (!is(c, kSjisTrail)) {
                if (is(c, kA1toFE)) return ceid::kEucJp;
            } else if (!is(c, kA1toFE)) {
                return ceid::kShiftJis;
            }
        }
        if (!r.nextNotIn(ja_detector_detail::kPassOver, b)) return ceid::kNone;
    }
}

} // namespace CCC
