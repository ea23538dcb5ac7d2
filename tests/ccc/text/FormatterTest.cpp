#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "TextTestUtil.h"
#include "ccc/text/Formatter.h"

using CCC::FmtException;
using CCC::Formatter;
using CCC::TString;
using namespace texttest;

namespace {

template <class T>
class FormatterTest : public ::testing::Test {};
using Widths = ::testing::Types<char, unsigned short, unsigned int>;
TYPED_TEST_SUITE(FormatterTest, Widths);

// The result as text, or "#code" for a FmtException.
template <class T>
std::string run(const TString<T>& format, const std::function<void(Formatter<T>&)>& addArgs) {
    Formatter<T> f(format);
    addArgs(f);
    try {
        return narrow(*f.format());
    } catch (const FmtException& e) {
        return "#" + std::to_string(e.getCode());
    }
}

TYPED_TEST(FormatterTest, DirectivesArgumentNumbersAndFailureCodes) {
    using T = TypeParam;
    using F = Formatter<T>;
    const auto none = [](F&) {};
    const auto ab = [](F& f) { f.addString(units<T>("ab")).addString(units<T>("b")); };
    const auto five = [](F& f) {
        for (int i = 10; i <= 50; i += 10) f.addInt(i);
    };
    const struct {
        const char* format;
        std::function<void(F&)> args;
        const char* expected;
    } cases[] = {
        {"no directives", none, "no directives"},
        {"100%% and %%%%", none, "100% and %%"},
        {"%%%d%%", [](F& f) { f.addInt(7); }, "%7%"},  // %% takes no argument number
        {"%{2}s%{1}s", ab, "bab"},
        {"%{5}d %d %d", five, "50 20 30"},  // a numbered directive still advances the count
        {"%d %{1}d %d", five, "10 10 30"},
        {"[%5s][%-5s][%.1s][%05s][%-05s]",
         [](F& f) {
             for (int i = 0; i < 5; ++i) f.addString(units<T>("ab"));
         },
         "[   ab][ab   ][a][000ab][ab   ]"},
        {"[%*s][%.*s]",
         [](F& f) { f.addInt(-4).addString(units<T>("ab")).addInt(-1).addString(units<T>("abc")); },
         "[ab  ][abc]"},
        {"[%s]", [](F& f) { f.addZString(nullptr); }, "[(null)]"},
        {"[%3c%-3c]", [](F& f) { f.addChar('x').addUShort('y'); }, "[  xy  ]"},
        {"%c%c%c%c%c%c",
         [](F& f) { f.addChar('a').addUChar('b').addShort('c').addUShort('d').addInt('e').addUInt('f'); },
         "abcdef"},
        {"%ld %lu %li", [](F& f) { f.addLong(-5000000000L).addULong(5000000000UL).addLong(1); },
         "-5000000000 5000000000 1"},
        {"%lx %lo", [](F& f) { f.addUInt(255).addUInt(8); }, "ff 10"},  // 'l' only marks d, i, u
        {"%f %g", [](F& f) { f.addFloat(0.5f).addDouble(0.5); }, "0.500000 0.5"},
        {"a%nb", [](F& f) { f.addPointer(nullptr); }, "ab"},  // 'n' consumes, writes nothing
        // failures: 0 no such argument, 1 unsuitable kind, 4 bad conversion
        {"%d", [](F& f) { f.addUInt(1); }, "#1"},
        {"%q", none, "#4"},
        {"%d", none, "#0"},
        {"%{3}d", ab, "#0"},
        {"%s %s %s", ab, "#0"},
        {"%*d", [](F& f) { f.addInt(3); }, "#0"},
        {"%*d", [](F& f) { f.addUInt(3).addInt(1); }, "#1"},
        {"%.*f", [](F& f) { f.addLong(3).addDouble(1); }, "#1"},
        {"%ld", [](F& f) { f.addInt(1); }, "#1"},
        {"%d", [](F& f) { f.addLong(1); }, "#1"},
        {"%lu", [](F& f) { f.addUInt(1); }, "#1"},
        {"%x", [](F& f) { f.addULong(1); }, "#1"},
        {"%s", [](F& f) { f.addInt(1); }, "#1"},
        {"%c", [](F& f) { f.addLong(65); }, "#1"},
        {"%p", [](F& f) { f.addInt(1); }, "#1"},
        {"%u%x%c%s%p", [](F& f) { f.addWord(1); }, "#1"},  // kind 0 suits no conversion
        {"%lq", five, "#4"},
        {"%lld", [](F& f) { f.addLong(1); }, "#4"},  // one 'l' only
        {"%", none, "#4"},
        {"abc%5", five, "#4"},
        {"%{2", five, "#4"},
        {"%{2x}d", five, "#4"},
        {"%\x7f", five, "#4"},
        {"%2147483648d", five, "#4"},  // a width printf cannot render
    };
    for (const auto& c : cases) EXPECT_EQ(run<T>(units<T>(c.format), c.args), c.expected) << c.format;

    // A conversion unit above 126 is refused in every width, also after 'l'.
    for (unsigned long unit : {0x80UL, 0xE9UL, 0xFFUL})
        for (const char* prefix : {"%", "%l", "%-5"})
            EXPECT_EQ(run<T>(units<T>(prefix) + TString<T>(1, static_cast<T>(unit)), five), "#4");

    try {
        Formatter<T>(units<T>("%d")).format();
    } catch (const FmtException& e) {
        EXPECT_GT(e.getLine(), 0);
        EXPECT_NE(std::string(e.getSourceFile()).find("Formatter.cpp"), std::string::npos);
    }
}

// The numeric conversions give snprintf's text for every defined
// combination of flags, width and precision.
TYPED_TEST(FormatterTest, NumericTextMatchesSnprintf) {
    using T = TypeParam;
    const std::vector<int> ints = {0, 1, -1, 42, -12345, INT_MIN, INT_MAX};
    const std::vector<unsigned> uints = {0u, 1u, 8u, 255u, 0xDEADBEEFu, UINT_MAX};
    const std::vector<long> longs = {0L, -1L, 1234567890123L, LONG_MIN, LONG_MAX};
    const std::vector<unsigned long> ulongs = {0UL, 1UL, 5000000000UL, ULONG_MAX};
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> doubles = {0.0, -0.0, 1.5, -2.25e-7, 123456.789, 1e300, DBL_MIN,
                                         0.5, 9.9999, inf, -inf, std::nan("")};
    const char* widths[] = {"", "1", "8", "24"};
    const char* precisions[] = {"", ".", ".0", ".3", ".17"};

    int compared = 0;
    auto each = [&](const char* convs, const std::string& flags, const char* length, auto values,
                    auto addArg) {
        for (const char* conv = convs; *conv; ++conv)
            for (unsigned mask = 0; mask < (1u << flags.size()); ++mask) {
                std::string fl;  // one subset of the flags defined for the conversion
                for (std::size_t i = 0; i < flags.size(); ++i)
                    if (mask & (1u << i)) fl += flags[i];
                for (const char* w : widths)
                    for (const char* p : precisions)
                        for (auto v : values) {
                            const std::string format = "%" + fl + w + p + length + *conv;
                            Formatter<T> f(units<T>(format));
                            addArg(f, v);
                            EXPECT_EQ(narrow(*f.format()), cprintf(format.c_str(), v)) << format;
                            ++compared;
                        }
            }
    };
    each("di", "-+ 0", "", ints, [](auto& f, int v) { f.addInt(v); });
    each("di", "-+ 0", "l", longs, [](auto& f, long v) { f.addLong(v); });
    each("u", "-0", "", uints, [](auto& f, unsigned v) { f.addUInt(v); });
    each("u", "-0", "l", ulongs, [](auto& f, unsigned long v) { f.addULong(v); });
    each("oxX", "-0#", "", uints, [](auto& f, unsigned v) { f.addUInt(v); });
    each("eEfgG", "-+ 0#", "", doubles, [](auto& f, double v) { f.addDouble(v); });
    EXPECT_GT(compared, 10000);

    // Width and precision from arguments, negative ones included.
    for (int w : {-9, -1, 0, 3, 12})
        for (int p : {-2, 0, 2, 6}) {
            Formatter<T> f(units<T>("%*.*f|%0*.*d"));
            f.addInt(w).addInt(p).addDouble(-3.14159).addInt(w).addInt(p).addInt(42);
            EXPECT_EQ(narrow(*f.format()), cprintf("%*.*f|%0*.*d", w, p, -3.14159, w, p, 42));
        }

    // Texts longer than the formatter's small buffer; pointers of each kind 'p' takes.
    const T z[] = {T('z'), T(0)};
    const TString<T> s = units<T>("s");
    Formatter<T> f(units<T>("%300d|%f|%-200.150e|%p %-20p|%p %p"));
    f.addInt(-7).addDouble(1e300).addDouble(1.0 / 3).addPointer(&f).addPointer(nullptr);
    f.addZString(z).addString(s);
    EXPECT_EQ(narrow(*f.format()),
              cprintf("%300d|%f|%-200.150e|%p %-20p|%p %p", -7, 1e300, 1.0 / 3,
                      static_cast<void*>(&f), static_cast<void*>(nullptr),
                      static_cast<const void*>(z), static_cast<const void*>(s.data())));
}

TYPED_TEST(FormatterTest, UnitsBeyondAscii) {
    using T = TypeParam;
    const T wide = static_cast<T>(sizeof(T) == 1 ? 0xE3 : sizeof(T) == 2 ? 0x3042 : 0x1F600);
    const T dot = T('.'), sp = T(' ');

    // Such units in the format and in string and 'c' arguments pass unchanged.
    Formatter<T> f(TString<T>{wide, T('%'), T('4'), T('s'), T('%'), T('c')});
    f.addString(TString<T>{dot, wide}).addInt(static_cast<int>(wide));
    EXPECT_EQ(*f.format(), (TString<T>{wide, sp, sp, dot, wide, wide}));

    // A negative char or short is its unsigned value, not a sign-extended unit.
    Formatter<T> c(units<T>("%c%c"));
    c.addChar(static_cast<char>(0xE3)).addShort(static_cast<short>(0xFFFE));
    EXPECT_EQ(*c.format(), (TString<T>{static_cast<T>(0xE3), static_cast<T>(0xFFFE)}));
}

TYPED_TEST(FormatterTest, DestinationForms) {
    using T = TypeParam;
    Formatter<T> f(units<T>("<%s:%d>"));
    f.addString(units<T>("k")).addInt(5);
    TString<T> dest = units<T>("old");
    f.format(dest);
    f.formatAppend(dest);
    EXPECT_EQ(narrow(dest), "<k:5><k:5>");

    // A failure leaves the destination as it was.
    Formatter<T> bad(units<T>("ok %d %d"));
    bad.addInt(1);
    EXPECT_THROW(bad.formatAppend(dest), FmtException);
    EXPECT_THROW(bad.format(dest), FmtException);
    EXPECT_EQ(narrow(dest), "<k:5><k:5>");

    // Arguments may refer to the destination's own text, also when it grows.
    TString<T> body = units<T>("ab");
    Formatter<T> self(units<T>("%s%s%s%s%s%s%s%s%s%s%s%s%s%s%s%s"));
    for (int i = 0; i < 16; ++i) self.addZString(body.c_str());
    self.formatAppend(body);
    std::string expected;
    for (int i = 0; i < 17; ++i) expected += "ab";
    EXPECT_EQ(narrow(body), expected);
    Formatter<T> same(units<T>("[%s]"));
    same.addString(body);
    same.format(body);
    EXPECT_EQ(narrow(body), "[" + expected + "]");

    // Reset drops the arguments; the formatter serves the next round.
    f.reset();
    EXPECT_EQ(run<T>(f.getFormat(), [](auto&) {}), "#0");
    f.setFormat(units<T>("%d"));
    f.addInt(-3);
    EXPECT_EQ(narrow(*f.format()), "-3");

    // A zero-terminated format; the precision bounds a run without terminator.
    const T zfmt[] = {T('%'), T('.'), T('3'), T('s'), T(0)};
    const std::vector<T> unterminated = {T('a'), T('b'), T('c')};
    Formatter<T> z(zfmt);
    z.addZString(unterminated.data());
    EXPECT_EQ(narrow(*z.format()), "abc");
    EXPECT_EQ(Formatter<T>(static_cast<const T*>(nullptr)).format()->size(), 0u);
}

} // namespace
