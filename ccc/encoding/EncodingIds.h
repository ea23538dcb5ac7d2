#pragma once

// The encoding identifiers and newline modes by name. Code outside the
// tables that define them (CeIdTable, the unit-filter table, the route rule)
// names an identifier or a mode through these constants, never by number.

#include "../base/Unit.h"

namespace CCC {

namespace ceid {
inline constexpr CeId kNone = 0;
inline constexpr CeId kUsAscii = 1;
inline constexpr CeId kUcs2Le = 2;
inline constexpr CeId kUcs2Be = 3;
inline constexpr CeId kUcs4Le = 4;
inline constexpr CeId kUcs4Be = 5;
inline constexpr CeId kUtf7 = 6;
inline constexpr CeId kUtf8 = 7;   // "utf-8": a leading mark skipped on reading, written on output
inline constexpr CeId kUtf8N = 8;  // "utf-8n": no mark
inline constexpr CeId kUtf16 = 9;
inline constexpr CeId kUtf16N = 10;  // machine order, no mark: the core's text
inline constexpr CeId kUtf32 = 11;
inline constexpr CeId kUtf32N = 12;
inline constexpr CeId kUtf16Be = 13;
inline constexpr CeId kUtf16Le = 14;
inline constexpr CeId kUtf16BeBom = 15;
inline constexpr CeId kUtf16LeBom = 16;
inline constexpr CeId kUtf32Be = 17;
inline constexpr CeId kUtf32Le = 18;
inline constexpr CeId kUtf32BeBom = 19;
inline constexpr CeId kUtf32LeBom = 20;
inline constexpr CeId kIso2022Jp = 21;
inline constexpr CeId kEucJp = 22;
inline constexpr CeId kShiftJis = 23;
inline constexpr CeId kIso8859_1 = 24;
inline constexpr CeId kIso8859_15 = 36;
inline constexpr CeId kCp932 = 37;
inline constexpr CeId kEucJpMs = 38;
inline constexpr CeId kWindows1252 = 39;
inline constexpr CeId kLastEncoding = kWindows1252;  // 1 to 39 are encodings
inline constexpr CeId kJaDetector = 40;
inline constexpr CeId kXmlDetector = 41;
inline constexpr CeId kHtmlDetector = 42;
} // namespace ceid

// Newline conversion asked of a route (createCompositIFilter) or a text
// file: none, one of six fixed conversions, or any line end to one form.
using NLConv = int;

namespace nlconv {
inline constexpr NLConv kNone = 0;
inline constexpr NLConv kLf2Cr = 1;
inline constexpr NLConv kCr2Lf = 2;
inline constexpr NLConv kCrLf2Lf = 3;
inline constexpr NLConv kCrLf2Cr = 4;
inline constexpr NLConv kLf2CrLf = 5;  // what every written output uses
inline constexpr NLConv kCr2CrLf = 6;
inline constexpr NLConv kAny2Cr = 7;
inline constexpr NLConv kAny2Lf = 8;
inline constexpr NLConv kAny2CrLf = 9;
} // namespace nlconv

} // namespace CCC
