// The formatter over tests/data/ccc/format-cases.txt and against snprintf,
// and the writers that print through it, in every unit width.

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <future>
#include <limits>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ccc/flow/StringFlow.h"
#include "ccc/text/ExclusiveTextWriter.h"
#include "support/Corpus.h"
#include "support/IoCode.h"

using namespace CCC;
using qmtest::ioCode;

namespace {

template <class T>
TString<T> units(std::string_view bytes) {
    return TString<T>::fromAscii(bytes);
}

// Units back to bytes for readable comparisons; units above 0xFF show as '?'.
template <class T>
std::string narrow(const TString<T>& s) {
    std::string r;
    for (T u : s) r.push_back(static_cast<std::make_unsigned_t<T>>(u) > 0xFF ? '?' : static_cast<char>(u));
    return r;
}

// snprintf's text, the reference for numeric conversions.
template <class... V>
std::string cprintf(const char* format, V... v) {
    std::string out(static_cast<std::size_t>(std::max(0, std::snprintf(nullptr, 0, format, v...))) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, v...);
    out.pop_back();
    return out;
}

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

template <class T>
class Text : public ::testing::Test {
protected:
    TString<T> out;
    StringOFlow<T> sink{&out};
    TextWriter<T> w{&sink};
};
using Widths = ::testing::Types<char, unsigned short, unsigned int>;
TYPED_TEST_SUITE(Text, Widths);

TYPED_TEST(Text, FormatterCorpus) {
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

// The numeric conversions, printed through the writer (which takes each
// argument by its conversion letter), give snprintf's text for every
// defined combination of flags, width and precision.
TYPED_TEST(Text, NumbersMatchSnprintf) {
    using T = TypeParam;
    const std::vector<int> ints = {0, 1, -1, 42, -12345, INT_MIN, INT_MAX};
    const std::vector<unsigned> uints = {0u, 1u, 8u, 255u, 0xDEADBEEFu, UINT_MAX};
    const std::vector<long> longs = {0L, -1L, 1234567890123L, LONG_MIN, LONG_MAX};
    const std::vector<unsigned long> ulongs = {0UL, 1UL, 5000000000UL, ULONG_MAX};
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> doubles = {0.0, -0.0, 1.5, -2.25e-7, 123456.789, 1e300, DBL_MIN, 0.5, 9.9999, inf, -inf, NAN};
    const char* widths[] = {"", "1", "8", "24"};
    const char* precisions[] = {"", ".", ".0", ".3", ".17"};

    auto print = [&](const std::string& format, auto... v) {
        this->out.clear();
        const TString<T> f = units<T>(format);
        this->w.print(&f, v...);
        EXPECT_EQ(narrow(this->out), cprintf(format.c_str(), v...)) << format;
    };
    auto each = [&](const char* convs, const std::string& flags, const char* length, auto values) {
        for (const char* conv = convs; *conv; ++conv)
            for (unsigned mask = 0; mask < (1u << flags.size()); ++mask) {
                std::string fl;  // one subset of the flags defined for the conversion
                for (std::size_t i = 0; i < flags.size(); ++i)
                    if (mask & (1u << i)) fl += flags[i];
                for (const char* w : widths)
                    for (const char* p : precisions)
                        for (auto v : values) print("%" + fl + w + p + length + *conv, v);
            }
    };
    each("di", "-+ 0", "", ints);
    each("di", "-+ 0", "l", longs);
    each("u", "-0", "", uints);
    each("u", "-0", "l", ulongs);
    each("oxX", "-0#", "", uints);
    each("eEfgG", "-+ 0#", "", doubles);

    // Width and precision from arguments, negative ones included.
    for (int w : {-9, -1, 0, 3, 12})
        for (int p : {-2, 0, 2, 6}) print("%*.*f|%0*.*d|%-*c", w, p, -3.14159, w, p, 42, w, 'q');
    // Texts longer than the formatter's small buffer.
    print("%300d|%f|%-200.150e|%p %-20p|%%", -7, 1e300, 1.0 / 3, static_cast<void*>(&this->w),
          static_cast<void*>(nullptr));

    // A string argument as 'p' shows where its units are.
    const T z[] = {T('z'), T(0)};
    const TString<T> s = units<T>("s");
    Formatter<T> f(units<T>("%p %p"));
    f.addZString(z).addString(s);
    EXPECT_EQ(narrow(*f.format()), cprintf("%p %p", static_cast<const void*>(z), static_cast<const void*>(s.data())));
}

TYPED_TEST(Text, FormatterUnitsBeyondAscii) {
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

TYPED_TEST(Text, FormatterDestinations) {
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

TYPED_TEST(Text, WriterPrintFormsAndTheArgumentWalk) {
    using T = TypeParam;
    TString<T>& out = this->out;
    TextWriter<T>& w = this->w;

    // The log's warning, in the zero-terminated, string and counted forms.
    const TString<T> warning = units<T>("WARNING: The section number is jumped from H%d to H%d.\n");
    const std::string line = "WARNING: The section number is jumped from H1 to H3.\n";
    EXPECT_EQ(w.print(warning.c_str(), 1, 3), line.size());
    EXPECT_EQ(w.print(&warning, 1, 3), line.size());
    const TString<T> longer = warning + units<T>("%d beyond the count");
    EXPECT_EQ(w.printN(longer.data(), warning.size(), 1, 3), line.size());
    EXPECT_EQ(narrow(out), line + line + line);

    // Values come in directive order; {n} then picks by position. 'n' stores nothing.
    out.clear();
    int untouched = 0;
    const TString<T> f2 = units<T>("%{2}s%{1}s|a%nb|%p"), a = units<T>("a"), b = units<T>("b");
    w.print(&f2, a.c_str(), b.c_str(), &untouched, static_cast<void*>(&untouched));
    EXPECT_EQ(narrow(out), "ba|ab|" + cprintf("%p", static_cast<void*>(&untouched)));
    EXPECT_EQ(untouched, 0);

    // The write forms.
    out.clear();
    const TString<T> abc = units<T>("abc");
    EXPECT_EQ(w.writeUnits(2, abc.data(), 0x1234) + w.writePair(abc.data(), 3) + w.writeZ(abc.c_str()) +
                  w.writeZ(nullptr) + w.writeSub(TSubString<T>(abc, 1, 2)) + w.writeString(abc),
              13u);
    EXPECT_EQ(narrow(out), "ababcabcbcabc");
}

TYPED_TEST(Text, WriterFailuresWriteNothingAndDropTheArguments) {
    using T = TypeParam;
    const TString<T> bad = units<T>("before %q after"), unsuitable = units<T>("%d %{1}s"), good = units<T>("%d");
    EXPECT_THROW(this->w.print(&bad, 1), FmtException);
    EXPECT_THROW(this->w.print(&unsuitable, 1, 2), FmtException);
    EXPECT_TRUE(this->out.empty());
    EXPECT_EQ(this->w.argCount(), 0u);
    this->w.print(&good, 42);
    EXPECT_EQ(narrow(this->out), "42");

    // No next stage: code 7 from writes and prints, plain or exclusive.
    TextWriter<T> plain;
    ExclusiveTextWriter<T> exclusive;
    for (TextWriter<T>* writer : {&plain, static_cast<TextWriter<T>*>(&exclusive)}) {
        EXPECT_EQ(ioCode([&] { writer->print(&good, 1); }), IOException::kNoDestination);
        EXPECT_EQ(ioCode([&] { writer->writeString(good); }), IOException::kNoDestination);
        EXPECT_EQ(writer->argCount(), 0u);
    }
    // The failure released the mutex: a print from another thread gets
    // through (and fails the same way) instead of waiting for ever.
    auto second = std::async(std::launch::async, [&] { return ioCode([&] { exclusive.print(&good, 2); }); });
    ASSERT_EQ(second.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "deadlock";
    EXPECT_EQ(second.get(), IOException::kNoDestination);
    ASSERT_TRUE(exclusive.getMutex().tryWait());
    exclusive.getMutex().release();
}

// A string sink that counts its flushes.
class CountingSink : public StringOFlow<char> {
public:
    using StringOFlow::StringOFlow;
    void flush() override { ++flushes; }
    int flushes = 0;
};

TEST(ExclusiveTextWriter, EachPrintIsFlushedAndWholeUnderConcurrentPrints) {
    TString<char> out;
    CountingSink sink(&out);
    ExclusiveTextWriter<char> w(&sink);
    const TString<char> format("thread %d line %d: %s\n");
    constexpr int kThreads = 4, kLines = 4000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kLines; ++i) w.print(&format, t, i, "the same text");
        });
    for (auto& th : threads) th.join();
    EXPECT_EQ(sink.flushes, kThreads * kLines);
    // Every line whole, and each thread's lines in its own order.
    std::vector<int> next(kThreads);
    std::istringstream text(std::string(out.data(), out.size()));
    for (std::string line; std::getline(text, line);) {
        const int t = line.size() > 7 ? line[7] - '0' : -1;
        ASSERT_TRUE(t >= 0 && t < kThreads) << line;
        ASSERT_EQ(line, "thread " + std::to_string(t) + " line " + std::to_string(next[t]++) + ": the same text");
    }
    EXPECT_EQ(next, std::vector<int>(kThreads, kLines));
}

} // namespace
