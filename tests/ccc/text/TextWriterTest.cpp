#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TextTestUtil.h"
#include "ccc/flow/StringFlow.h"
#include "ccc/text/ExclusiveTextWriter.h"
#include "support/IoCode.h"

using CCC::ExclusiveTextWriter;
using CCC::FmtException;
using CCC::IOException;
using CCC::StringOFlow;
using CCC::TextWriter;
using CCC::TString;
using namespace texttest;
using qmtest::ioCode;

namespace {

template <class T>
class TextWriterTest : public ::testing::Test {
protected:
    TString<T> out;
    StringOFlow<T> sink{&out};
    TextWriter<T> w{&sink};
};
using Widths = ::testing::Types<char, unsigned short, unsigned int>;
TYPED_TEST_SUITE(TextWriterTest, Widths);

TYPED_TEST(TextWriterTest, PrintFormsAndTheArgumentWalk) {
    using T = TypeParam;
    TString<T>& out = this->out;
    TextWriter<T>& w = this->w;

    // No directives: the format goes out unchanged. The log's warning, in
    // the zero-terminated, string and counted forms.
    const TString<T> plain = units<T>("no directives here\n");
    EXPECT_EQ(w.print(plain.c_str()), plain.size());
    const TString<T> warning = units<T>("WARNING: The section number is jumped from H%d to H%d.\n");
    const std::string line = "WARNING: The section number is jumped from H1 to H3.\n";
    EXPECT_EQ(w.print(warning.c_str(), 1, 3), line.size());
    EXPECT_EQ(w.print(&warning, 1, 3), line.size());
    const TString<T> longer = warning + units<T>("%d beyond the count");
    EXPECT_EQ(w.printN(longer.data(), warning.size(), 1, 3), line.size());
    EXPECT_EQ(narrow(out), "no directives here\n" + line + line + line);

    // Each conversion letter takes its own C type from the argument list.
    const TString<T> a = units<T>("a"), b = units<T>("b");
    int untouched = 0;
    out.clear();
    const TString<T> f1 = units<T>("%c|%d|%i|%u|%o|%x|%X|%5.1f|%e|%g|%E|%G|%%|%ld %li %lu|%*d|%-*.*f|");
    w.print(&f1, 'q', -7, 8, 4000000000u, 8u, 255u, 255u, 2.25, 1e10, 0.5, -1.5, 1e-5, LONG_MIN, 1L,
            ULONG_MAX, 4, 7, 8, 2, 3.14159);
    EXPECT_EQ(narrow(out), cprintf("%c|%d|%i|%u|%o|%x|%X|%5.1f|%e|%g|%E|%G|%%|%ld %li %lu|%*d|%-*.*f|",
                                   'q', -7, 8, 4000000000u, 8u, 255u, 255u, 2.25, 1e10, 0.5, -1.5,
                                   1e-5, LONG_MIN, 1L, ULONG_MAX, 4, 7, 8, 2, 3.14159));
    // Values come in directive order; {n} then picks by position. 'n' stores nothing.
    out.clear();
    const TString<T> f2 = units<T>("%{2}s%{1}s|a%nb|%p");
    w.print(&f2, a.c_str(), b.c_str(), &untouched, static_cast<void*>(&untouched));
    EXPECT_EQ(narrow(out), "ba|ab|" + cprintf("%p", static_cast<void*>(&untouched)));
    EXPECT_EQ(untouched, 0);

    // The write forms.
    out.clear();
    const TString<T> abc = units<T>("abc");
    EXPECT_EQ(w.writeUnits(2, abc.data(), 0x1234) + w.writePair(abc.data(), 3) + w.writeZ(abc.c_str()) +
                  w.writeZ(nullptr) + w.writeSub(CCC::TSubString<T>(abc, 1, 2)) + w.writeString(abc),
              13u);
    EXPECT_EQ(narrow(out), "ababcabcbcabc");
}

TYPED_TEST(TextWriterTest, FailuresWriteNothingAndDropTheArguments) {
    using T = TypeParam;
    const TString<T> bad = units<T>("before %q after"), unsuitable = units<T>("%d %{1}s");
    EXPECT_THROW(this->w.print(&bad, 1), FmtException);
    EXPECT_THROW(this->w.print(&unsuitable, 1, 2), FmtException);
    EXPECT_TRUE(this->out.empty());
    EXPECT_EQ(this->w.argCount(), 0u);
    const TString<T> good = units<T>("%d");
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

TEST(ExclusiveTextWriter, EachWriteIsFlushedAndWholeUnderConcurrentPrints) {
    TString<char> out;
    CountingSink sink(&out);
    ExclusiveTextWriter<char> w(&sink);
    const TString<char> format("thread %d line %d: %s\n");
    constexpr int kThreads = 4, kLines = 4000;
    std::vector<std::thread> threads;
    std::vector<std::string> expected, lines;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kLines; ++i) w.print(&format, t, i, "the same text every time");
        });
        for (int i = 0; i < kLines; ++i)
            expected.push_back("thread " + std::to_string(t) + " line " + std::to_string(i) + ": the same text every time");
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(sink.flushes, kThreads * kLines);
    std::istringstream text(std::string(out.data(), out.size()));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    std::sort(expected.begin(), expected.end());
    std::sort(lines.begin(), lines.end());
    EXPECT_TRUE(lines == expected);
}

} // namespace
