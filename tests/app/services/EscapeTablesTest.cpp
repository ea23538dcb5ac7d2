#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/services/ControlEscaper.h"
#include "app/services/EscapeTables.h"

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
std::basic_string<C> escapeWith(int syntax, std::basic_string_view<C> text) {
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
std::string escapeSjis(int syntax, std::string_view text) { return escapeWith<char>(syntax, text); }
std::u16string escapeUtf16(int syntax, std::u16string_view text) { return escapeWith<char16_t>(syntax, text); }

} // namespace

// The UTF-16 column must be what an independent cp932 decoder makes of the
// Shift_JIS column.
TEST(EscapeTables, Utf16ColumnMatchesPythonCp932) {
    std::string script = "import sys\nfor h in sys.argv[1:]:\n    print(' '.join('%04X' % ord(c) for c in "
                         "bytes.fromhex(h).decode('cp932')))\n";
    std::string cmd = "python3 -c \"" + std::string("exec(bytes.fromhex('") ;
    std::string scriptHex = hex(script);
    cmd += scriptHex + "').decode())\"";
    std::vector<const EscapeMark*> all;
    for (const EscapeMark& m : halfWidthMarks()) all.push_back(&m);
    for (const EscapeMark& m : fullWidthMarks()) all.push_back(&m);
    all.push_back(&escapeTableFor(2)->escape);
    all.push_back(&escapeTableFor(4)->escape);
    for (const EscapeMark* m : all) cmd += " " + hex(m->sjis);
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) GTEST_SKIP() << "python3 not available";
    std::string out;
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    if (::pclose(p) != 0) GTEST_SKIP() << "python3 not available";
    std::string expected;
    for (const EscapeMark* m : all) {
        std::string line;
        for (char16_t u : m->utf16) {
            char b[8];
            std::snprintf(b, sizeof b, "%s%04X", line.empty() ? "" : " ", unsigned(u));
            line += b;
        }
        expected += line + "\n";
    }
    EXPECT_EQ(out, expected);
}

TEST(ControlEscaper, ShiftJisCases) {
    struct Case {
        int syntax;
        std::string_view in, out;
    } cases[] = {
        // The example: a leading "■", an "=" between letters, a backslash.
        {2, "\x81\xA1title\r\na=b \\ c\r\n", "\\\x81\xA1title\r\na\\=b \\\\ c\r\n"},
        {2, "", ""},
        {2, "plain text\r\n", "plain text\r\n"},
        // Second bytes 0x5C and 0x7C are never examined.
        {2, "\x95\x5C\x83\x7C", "\x95\x5C\x83\x7C"},
        // Syntax 3: half-width only; syntax 4: full-width only, with "＼".
        {3, "=\\\x81\x81\x81\xA1", "\\=\\\\\x81\x81\x81\xA1"},
        {4, "=\\\x81\x81\x81\xA1\x81\x8F", "=\\\x81\x5F\x81\x81\x81\x5F\x81\xA1\x81\x5F\x81\x8F"},
        // Each half-width mark once.
        {3, "=&~*%#^+-|!;$_`\\", "\\=\\&\\~\\*\\%\\#\\^\\+\\-\\|\\!\\;\\$\\_\\`\\\\"},
        // 0xF0-0xFC and half-width katakana are single bytes.
        {2, "\xF0=\xB1=", "\xF0\\=\xB1\\="},
        // A lead byte at the very end, and one before a NUL.
        {2, "=\x81", "\\=\x81"},
        {2, "\x81", "\x81"},
        // From the first NUL on, everything is kept as it is.
        {2, std::string_view("a=\0=b\x81", 6), std::string_view("a\\=\0=b\x81", 7)},
        {2, std::string_view("\x81\0=", 3), std::string_view("\x81\0=", 3)},
    };
    for (const Case& c : cases) EXPECT_EQ(hex(escapeSjis(c.syntax, c.in)), hex(c.out)) << hex(c.in);
}

TEST(ControlEscaper, Syntax2EscapesEveryMarkOnce) {
    for (const EscapeMark& m : escapeTableFor(2)->marks) {
        std::string in = "x" + std::string(m.sjis) + "y";
        EXPECT_EQ(hex(escapeSjis(2, in)), hex("x\\" + std::string(m.sjis) + "y"));
        std::u16string u = u"x" + std::u16string(m.utf16) + u"y";
        EXPECT_EQ(escapeUtf16(2, u), u"x\\" + std::u16string(m.utf16) + u"y");
    }
}

TEST(ControlEscaper, Utf16Cases) {
    struct Case {
        int syntax;
        std::u16string_view in, out;
    } cases[] = {
        {2, u"■見出し\na=b", u"\\■見出し\na\\=b"},
        {3, u"＝=■", u"＝\\=■"},
        {4, u"＝=■￥\\", u"＼＝=＼■＼￥\\"},
        // Surrogate pairs pass unchanged.
        {2, u"\U0001F600=", u"\U0001F600\\="},
        {2, std::u16string_view(u"=\0=", 3), std::u16string_view(u"\\=\0=", 4)},
    };
    for (const Case& c : cases) EXPECT_EQ(escapeUtf16(c.syntax, c.in), c.out);
}
