#pragma once

#include "ccc/base/TString.h"

namespace Orvane {

// Reads an explicit page number: ASCII or full-width digits, with one
// optional leading sign (+ - or their full-width forms). Any other unit,
// or a sign anywhere but first, makes the whole number 0. Values beyond
// the int range saturate instead of overflowing. *number (when given) is
// set to whether the text was a number.
int parseNumber(CCC::UnitStringView<unsigned short> text, bool* number = nullptr);

} // namespace Orvane
