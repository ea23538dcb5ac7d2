// Lines of span-aware markup in, document events out.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RecordingGenerator.h"
#include "core/syntax/s2/S2Syntax.h"

using namespace Orvane;
using syntax_test::RecordingGenerator;
using syntax_test::utf16;
using syntax_test::utf8;

namespace {

std::unique_ptr<S2Syntax> syntaxFor(int n) {
    if (n == 3) return std::make_unique<S3Syntax>();
    if (n == 4) return std::make_unique<S4Syntax>();
    return std::make_unique<S2Syntax>();
}

std::string events(Syntax& syntax, const DString& text) {
    RecordingGenerator g;
    EXPECT_TRUE(syntax.parse(nullptr, text.data(), static_cast<std::uint32_t>(text.size()), &g));
    return g.events;
}

std::string events(int n, const std::u16string& text) {
    auto s = syntaxFor(n);
    return events(*s, utf16(text));
}

struct Case {
    int syntax;
    std::u16string text;
    const char* events;
};

// The inline content of a paragraph, inside the paragraph's brackets.
#define PARA(x) "beginParagraph beginInline " x " endInline endParagraph"

const Case kCases[] = {
    {2, u"", "end"},
    {2, u"\n", "newLine end"},
    {2, u"今日は晴れ。明日は雨。",
     PARA("beginSpan text(今日は晴れ) text(。) endSpan beginSpan text(明日は雨) text(。) endSpan") " end"},
    {2, u"abc", PARA("beginSpan text(abc) endSpan") " end"},
    {2, u"=Title\n", "setTitle(Title) title(Title) end"},
    {2, u"=\nx\n", PARA("beginSpan text(x) endSpan") " end"},
    {2, u"&\n&Chapter 2\n", "newOutput newOutput setTitle(Chapter 2) end"},
    {2, u"&a#b\n", PARA("beginSpan text(b) endSpan") " end"},
    {2, u"*** Title", "beginHeading(3) beginInline text( Title) endInline endHeading(3) end"},
    {2, u"◇a。b▲", "beginHeading(4) beginInline text(a) text(。) text(b) endInline endHeading(4) end"},
    {2, u"*******x\n", PARA("beginSpan text(x) endSpan") " end"},
    {2, u"+項目", "listItem(1) beginInline beginSpan text(項目) endSpan endInline setListState(1) end"},
    {2, u"-+項目", "listItem(10) beginInline beginSpan text(項目) endSpan endInline setListState(10) end"},
    {2, u"+-+x\n--+y\n", "listItem(7) beginInline beginSpan text(x) endSpan endInline setListState(7) "
                         "listItem(14) beginInline beginSpan text(y) endSpan endInline setListState(14) end"},
    {2, u"----\n", "horizontalRule end"},
    {2, u"----x\n", "newLine end"},
    {2, u"!名前|値",
     "beginTableRow beginHeaderCell beginSpan text(名前) endSpan endHeaderCell "
     "beginDataCell beginSpan text(値) endSpan endDataCell endTableRow end"},
    {2, u"|a|b|", "beginTableRow beginDataCell beginSpan text(a) endSpan endDataCell beginDataCell beginSpan "
                  "text(b) endSpan endDataCell beginDataCell endDataCell endTableRow end"},
    {2, u"|a|b| \n", "beginTableRow beginDataCell beginSpan text(a) endSpan endDataCell beginDataCell beginSpan "
                     "text(b) endSpan endDataCell beginDataCell endDataCell endTableRow newLine end"},
    {2, u"|_c_|_d_%p.png%P%\n", "beginTableRow beginDataCell comment(c) endDataCell "
                              "beginDataCell comment(d) image(p.png,P,block) endDataCell endTableRow end"},
    {2, u"!x%p%P%", "beginTableRow beginHeaderCell beginSpan text(x) endSpan image(p,P,inline) endHeaderCell "
                    "endTableRow end"},
    {2, u"#x#y# #z#w#", PARA("beginSpan anchor(x,y) endSpan") " " PARA("beginSpan anchor(z,w) endSpan") " end"},
    {2, u"abc。▲", PARA("beginSpan text(abc) text(。) endSpan") " end"},
    {2, u"ab▲cd", PARA("beginSpan text(ab) endSpan beginSpan text(cd) endSpan") " end"},
    {2, u"a。▲b", PARA("beginSpan text(a) text(。) endSpan beginSpan text(b) endSpan") " end"},
    {2, u"「はい。」と", PARA("beginSpan text(「はい) text(。」) endSpan beginSpan text(と) endSpan") " end"},
    {2, u"a」b", PARA("beginSpan text(a) text(」) text(b) endSpan") " end"},
    {2, u"%pic.png%Photo%\n", "image(pic.png,Photo,block) end"},
    {2, u"_c_;%a%A%", "comment(c) lineBreak image(a,A,block) end"},
    {2, u"_c_ __d", "comment(c) blockComment(d) end"},
    {2, u"x%a%A%y", PARA("beginSpan text(x) endSpan image(a,A,inline) beginSpan text(y) endSpan") " end"},
    {2, u"%a%b\n", "end"},
    {2, u"~~", PARA("pageNumber(null)") " end"},
    {2, u"~-3~", PARA("pageNumber(-3)") " end"},
    {2, u"a~12~b", PARA("beginSpan text(a) endSpan pageNumber(12) beginSpan text(b) endSpan") " end"},
    {2, u"~=iv~", PARA("pageFront(iv)") " end"},
    {2, u"~*表紙~", PARA("pageSpecial(表紙)") " end"},
    {2, u"__ note", "blockComment( note) end"},
    {2, u"_note_", "comment(note) end"},
    {2, u"a_n_b", PARA("beginSpan text(a) comment(n) text(b) endSpan") " end"},
    {2, u"$<br/>$", PARA("rawText(<br/>)") " end"},
    {2, u"$a\nb$\nc\n", PARA("rawText(a\nb)") " " PARA("beginSpan text(c) endSpan") " end"},
    {2, u"$open\nrest", "end"},
    {2, u"`漢字`かんじ`", PARA("beginSpan ruby(漢字,かんじ) endSpan") " end"},
    {2, u"^u^t^\n", PARA("beginSpan link(u,t) text() endSpan") " end"},
    {2, u"a;b", PARA("beginSpan text(a) lineBreak text(b) endSpan") " end"},
    // A syntax error loses the line up to it; the rest reads as a new line.
    {2, u"x\na|b\nc\n", PARA("beginSpan text(x) endSpan") " " PARA("beginSpan text(b) endSpan") " "
                        PARA("beginSpan text(c) endSpan") " end"},
    {2, u"a~~b~\nc", PARA("beginSpan text(c) endSpan") " end"},
    // Which forms each member accepts.
    {3, u"＊見出し", PARA("beginSpan text(＊見出し) endSpan") " end"},
    {4, u"* text", PARA("beginSpan text(* text) endSpan") " end"},
    {4, u"＊ text", "beginHeading(1) beginInline text( text) endInline endHeading(1) end"},
    {2, u"％a％b％", "image(a,b,block) end"},
    {3, u"%a%b%", "image(a,b,block) end"},
    {3, u"％a％b％", PARA("beginSpan text(％a％b％) endSpan") " end"},
    {4, u"％a％b％", "image(a,b,block) end"},
};

#undef PARA

} // namespace

TEST(S2Syntax, LinesToEvents) {
    for (const Case& c : kCases) {
        SCOPED_TRACE("syntax " + std::to_string(c.syntax) + ": " + utf8(utf16(c.text)));
        EXPECT_EQ(events(c.syntax, c.text), c.events);
    }
}

TEST(S2Syntax, SpanOptionsReachTheEvents) {
    S2Syntax s;
    s.getSpanLexer()->setSpanOptions(true, true, false);
    EXPECT_EQ(events(s, utf16(u"あ、い.う,え")),
              "beginParagraph beginInline beginSpan text(あ) text(、) endSpan beginSpan text(い) text(.) "
              "endSpan beginSpan text(う,え) endSpan endInline endParagraph end");
}

TEST(S2Syntax, OneSyntaxServesManyTexts) {
    S2Syntax s;
    // An unfinished construct at the end of one text leaves nothing behind.
    EXPECT_EQ(events(s, utf16(u"%a%b")), "end");
    EXPECT_EQ(events(s, utf16(u"=T")), "setTitle(T) title(T) end");
    EXPECT_EQ(events(s, utf16(u"$raw")), "end");
    EXPECT_EQ(events(s, utf16(u"*h")), "beginHeading(1) beginInline text(h) endInline endHeading(1) end");
}

// A row keeps two stack entries per cell until the line ends.
TEST(S2Syntax, LongTableRowParses) {
    std::u16string row;
    for (int i = 0; i < 200; ++i) row += u"|a";
    const std::string ev = events(2, row + u"\n");
    std::string cells;
    for (int i = 0; i < 200; ++i) cells += " beginDataCell beginSpan text(a) endSpan endDataCell";
    EXPECT_EQ(ev, "beginTableRow" + cells + " endTableRow end");
}

// Beyond the stack's limit the cells so far are lost and the ones after the
// overflowing text form a row of their own.
TEST(S2Syntax, RowBeyondTheStackLimitOverflows) {
    std::u16string row;
    for (int i = 0; i < 50005; ++i) row += u"|a";
    const std::string ev = events(2, row + u"\n");
    std::string cells;
    for (int i = 0; i < 6; ++i) cells += " beginDataCell beginSpan text(a) endSpan endDataCell";
    EXPECT_EQ(ev, "beginTableRow" + cells + " endTableRow end");
}

TEST(S2Syntax, LongLineOfPhrases) {
    // Phrase walks do not recurse per phrase.
    std::u16string line;
    for (int i = 0; i < 100000; ++i) line += u"a;";
    RecordingGenerator g;
    S2Syntax s;
    const DString text = utf16(line);
    EXPECT_TRUE(s.parse(nullptr, text.data(), static_cast<std::uint32_t>(text.size()), &g));
    EXPECT_EQ(g.events.substr(0, 48), "beginParagraph beginInline beginSpan text(a) lin");
    EXPECT_EQ(g.events.substr(g.events.size() - 44), "lineBreak endSpan endInline endParagraph end");
}

// Seeded random texts over the mark characters of every form: the run
// always ends with the end of the source, and the lexer is back at the
// start of a line for the next text.
TEST(S2Syntax, RandomMarkupAlwaysEndsCleanly) {
    const std::u16string alphabet =
        u"ab 。、.,」▲\n\r\t\\¥＼=＝&*＊■○+－-!！|｜~〜;％%#＃^＾$＄_＿`｀";
    std::uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int round = 0; round < 600; ++round) {
        const int n = round % 3 + 2;
        auto s = syntaxFor(n);
        S2Lexer* lx = s->getSpanLexer();
        lx->setSpanOptions(next() & 1, next() & 1, next() & 1);
        std::u16string text;
        const int len = static_cast<int>(next() % 80);
        for (int i = 0; i < len; ++i) text += alphabet[next() % alphabet.size()];
        SCOPED_TRACE(utf8(utf16(text)));
        const std::string ev = events(*s, utf16(text));
        ASSERT_GE(ev.size(), 3u);
        EXPECT_EQ(ev.substr(ev.size() - 3), "end");
        EXPECT_EQ(lx->getState(), 1);
        EXPECT_EQ(lx->getPosition(), static_cast<std::uint32_t>(text.size()));
    }
}
