#include "PageNumber.h"

#include <climits>

namespace Orvane {

namespace {
constexpr unsigned short kFullWidthZero = 0xFF10;
constexpr unsigned short kFullWidthNine = 0xFF19;
constexpr unsigned short kFullWidthPlus = 0xFF0B;
constexpr unsigned short kFullWidthMinus = 0xFF0D;
} // namespace

int parseNumber(CCC::UnitStringView<unsigned short> text, bool* number) {
    if (number) *number = false;
    long long value = 0;
    bool negative = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned short u = text[i];
        int digit = -1;
        if (u >= '0' && u <= '9') digit = u - '0';
        else if (u >= kFullWidthZero && u <= kFullWidthNine) digit = u - kFullWidthZero;

        if (digit >= 0) {
            value = value * 10 + digit;
            if (value > INT_MAX) value = INT_MAX;
        } else if (i == 0 && (u == '+' || u == kFullWidthPlus)) {
        } else if (i == 0 && (u == '-' || u == kFullWidthMinus)) {
            negative = true;
        } else {
            return 0;
        }
    }
    if (number) *number = true;
    return static_cast<int>(negative ? -value : value);
}

} // namespace Orvane
