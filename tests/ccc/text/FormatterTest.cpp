// The formatter over the cases in tests/data/ccc/format-cases.txt, against
// snprintf for numbers, and its destination forms, in every unit width.

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "TextTestUtil.h"
#include "ccc/text/Formatter.h"
#include "support/Corpus.h"

using CCC::FmtException;
using CCC::Formatter;
using CCC::TString;
using namespace texttest;

namespace {

template <class T>
class FormatterTest : public ::testing::Test {};
using Widths = ::testing::Types<char, unsigned short, unsigned int>;
TYPED_TEST_SUITE(FormatterTest, Widths);

// Adds the arguments of a corpus line ("i:7 s:ab z:null ...") to f; the
// strings live in `keep` as long as f needs them.
template <class T>
void addArguments(Formatter<T>& f, const std::string& line, std::vector<TString<T>>& keep) {
    keep.reserve(line.size());
    std::istringstream words(line == "-" ? "" : line);
    for (std::string word; words >> word;) {
        const std::string kind = word.substr(0, word.find(':')), v = word.substr(kind.size() + 1);
        if (kind == "s") f.addString(units<T>(v));
        else if (kind == "z") f.addZString(v == "null" ? nullptr : keep.emplace_back(units<T>(v)).c_str());
        else if (kind == "c") f.addChar(v[0]);
        else if (kind == "p") f.addPointer(nullptr);
        else if (kind == "d") f.addDouble(std::stod(v));
        else if (kind == "f") f.addFloat(std::stof(v));
        else if (kind == "l") f.addLong(std::stol(v));
        else if (kind == "ul") f.addULong(std::stoul(v));
        else if (kind == "u") f.addUInt(static_cast<unsigned>(std::stoul(v)));
        else if (kind == "w") f.addWord(static_cast<std::uint32_t>(std::stoul(v)));
        else if (kind == "uc") f.addUChar(static_cast<unsigned char>(std::stoi(v)));
        else if (kind == "sh") f.addShort(static_cast<short>(std::stoi(v)));
        else if (kind == "us") f.addUShort(static_cast<unsigned short>(std::stoi(v)));
        else if (kind == "i") f.addInt(std::stoi(v));
        else ADD_FAILURE() << "unknown argument " << word;
    }
}

// The text made, or "#code" of the FmtException.
template <class T>
std::string run(const Formatter<T>& f) {
    try {
        return narrow(*f.format());
    } catch (const FmtException& e) {
        return "#" + std::to_string(e.getCode());
    }
}

TYPED_TEST(FormatterTest, Corpus) {
    using T = TypeParam;
    for (const auto& line : qmtest::readCorpus("ccc/format-cases.txt")) {
        ASSERT_EQ(line.fields.size(), 3u) << line.where;
        Formatter<T> f(units<T>(qmtest::unescape(line.fields[0])));
        std::vector<TString<T>> keep;
        addArguments(f, line.fields[1], keep);
        EXPECT_EQ(run(f), line.fields[2]) << line.where;
    }
    try {
        Formatter<T>(units<T>("%d")).format();
    } catch (const FmtException& e) {  // names where it was thrown
        EXPECT_NE(std::string(e.getSourceFile()).find("Formatter.cpp") * e.getLine(), 0u);
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
    const std::vector<double> doubles = {0.0, -0.0, 1.5, -2.25e-7, 123456.789, 1e300, DBL_MIN, 0.5, 9.9999, inf, -inf, NAN};
    const char* widths[] = {"", "1", "8", "24"};
    const char* precisions[] = {"", ".", ".0", ".3", ".17"};

    auto each = [&](const char* convs, const std::string& flags, const char* length, auto values, auto add) {
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
                            add(f, v);
                            EXPECT_EQ(narrow(*f.format()), cprintf(format.c_str(), v)) << format;
                        }
            }
    };
    each("di", "-+ 0", "", ints, [](auto& f, int v) { f.addInt(v); });
    each("di", "-+ 0", "l", longs, [](auto& f, long v) { f.addLong(v); });
    each("u", "-0", "", uints, [](auto& f, unsigned v) { f.addUInt(v); });
    each("u", "-0", "l", ulongs, [](auto& f, unsigned long v) { f.addULong(v); });
    each("oxX", "-0#", "", uints, [](auto& f, unsigned v) { f.addUInt(v); });
    each("eEfgG", "-+ 0#", "", doubles, [](auto& f, double v) { f.addDouble(v); });

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
    Formatter<T> self(units<T>("%s%s%s%s%s%s%s%s%s%s%s%s%s%s%s%s")), same(units<T>("[%s]"));
    for (int i = 0; i < 16; ++i) self.addZString(body.c_str());
    self.formatAppend(body);
    same.addString(body);
    same.format(body);
    EXPECT_EQ(narrow(body), "[ababababababababababababababababab]");

    // Reset drops the arguments; the formatter serves the next round.
    f.reset();
    EXPECT_EQ(run(f), "#0");
    f.setFormat(units<T>("%d"));
    EXPECT_EQ(f.getFormat(), units<T>("%d"));
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
