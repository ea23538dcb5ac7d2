#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/controller/StringConv.h"
#include "app/services/ControlEscaper.h"
#include "app/services/EscapeTables.h"
#include "support/Corpus.h"
#include "support/LibraryStartup.h"

using namespace tolvanw32;

namespace {

std::string hex(std::string_view bytes) {
    std::string out;
    char b[4];
    for (unsigned char c : bytes) {
        std::snprintf(b, sizeof b, "%02X", c);
        out += b;
    }
    return out;
}

// Runs the escaper with a syntax's table, on Shift_JIS bytes or UTF-16.
template <class C>
std::basic_string<C> escapeWith(int syntax, const std::basic_string<C>& text) {
    auto column = [](const EscapeMark& m) {
        if constexpr (sizeof(C) == 1) return m.sjis; else return m.utf16;
    };
    const EscapeTable* t = escapeTableFor(syntax);
    std::vector<UnitRun<C>> marks;
    for (const EscapeMark& m : t->marks) marks.push_back({column(m).data(), column(m).size()});
    std::basic_string<C> out;
    std::size_t stop = escapeMarks<C>(text.data(), text.size(), marks, {column(t->escape).data(), column(t->escape).size()}, out);
    out.append(text.substr(stop));
    return out;
}

} // namespace

// The UTF-16 column must be what an independent cp932 decoder makes of the
// Shift_JIS column.
TEST(EscapeTables, Utf16ColumnMatchesPythonCp932) {
    std::string cmd = "PYTHONIOENCODING=utf-8 python3 -c \"import sys; "
                      "[print(bytes.fromhex(h).decode('cp932')) for h in sys.argv[1:]]\"";
    std::string expected;
    auto add = [&](const EscapeMark& m) {
        cmd += " " + hex(m.sjis);
        expected += StringConv::toUtf8(Text(m.utf16)).value_or("?") + "\n";
    };
    for (const EscapeMark& m : halfWidthMarks()) add(m);
    for (const EscapeMark& m : fullWidthMarks()) add(m);
    add(escapeTableFor(4)->escape);
    std::FILE* p = ::popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    EXPECT_EQ(::pclose(p), 0);
    EXPECT_EQ(out, expected);
}

// The cases of tests/data/app/escapes.txt.
TEST(ControlEscaper, Corpus) {
    int cases = 0;
    for (const auto& [where, c] : qmtest::readCorpus("app/escapes.txt")) {
        ASSERT_EQ(c.size(), 4u) << where;
        const int syntax = std::stoi(c[0]);
        const std::string in = qmtest::unescape(c[2]), out = qmtest::unescape(c[3]);
        if (c[1] == "sjis") EXPECT_EQ(hex(escapeWith<char>(syntax, in)), hex(out)) << where;
        else EXPECT_EQ(escapeWith<char16_t>(syntax, StringConv::fromUtf8(in)), StringConv::fromUtf8(out)) << where;
        ++cases;
    }
    EXPECT_GT(cases, 15);
}
