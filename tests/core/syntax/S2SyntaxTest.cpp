// Span-aware markup for syntaxes 2, 3 and 4: lines in, tokens and
// document events out.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RecordingGenerator.h"
#include "core/syntax/s2/S2Lexer.h"
#include "core/syntax/s2/S2Syntax.h"

using namespace Orvane;
using namespace syntax_test;

namespace {

const char* const kNames[] = {
    "$",     "NL",       "EQ",    "STRING", "AMP",    "ASTER",    "BLACK_SQUARE", "WHITE_SQUARE",
    "BLACK_DIAMOND", "WHITE_DIAMOND", "BLACK_CIRCLE", "WHITE_CIRCLE", "PLUS", "MINUS", "EXCL", "BAR",
    "TILDE", "BACKQUOTE", "SEMI", "PERCENT", "SHARP", "CARET", "DOLLAR", "RAW_TEXT", "UNDER",
    "COMMENT_TEXT", "LINE_COMMENT_TEXT", "STOP", "STOP_CLOSE", "CLOSE", "SPAN_BREAK"};

std::unique_ptr<S2Syntax> syntaxFor(int n) {
    if (n == 3) return std::make_unique<S3Syntax>();
    if (n == 4) return std::make_unique<S4Syntax>();
    return std::make_unique<S2Syntax>();
}

// Names of the tokens, with their texts in parentheses, up to the end token.
std::string dump(S2Lexer& lx, const std::u16string& text) {
    const auto src = utf16(text);
    lx.setSource(src.data(), static_cast<std::uint32_t>(src.size()));
    std::string out;
    for (int guard = 0; guard < 1000; ++guard) {
        std::unique_ptr<Token> t(lx.nextToken());
        if (!out.empty()) out += ' ';
        out += kNames[t->code];
        if (t->value) out += "(" + utf8(*t->value) + ")";
        if (t->code == 0) return out;
    }
    return out + " ...";
}

enum Span { kTen = 1, kPeriod = 2, kComma = 4 };

struct Case {
    int syntax;
    int spans;
    std::u16string text;
    const char* tokens;  // nullptr: not checked
    const char* events;  // nullptr: not checked
};

// The inline content of a paragraph, inside the paragraph's brackets.
#define PARA(x) "beginParagraph beginInline " x " endInline endParagraph"

const Case kCases[] = {
    // Lines and their ends.
    {2, 0, u"", "$", "end"},
    {2, 0, u"abc", "STRING(abc) NL $", PARA("beginSpan text(abc) endSpan") " end"},
    {2, 0, u"a\r\nb\n", "STRING(a) NL STRING(b) NL $", nullptr},
    {2, 0, u"a\rb\n", "STRING(ab) NL $", nullptr},
    {2, 0, u"\r", "NL $", nullptr},
    {2, 0, u"\n", nullptr, "newLine end"},
    // A CR without its LF vanishes in every scanner.
    {2, 0, u"=a\rb\r\n", "EQ STRING(ab) NL $", nullptr},
    {2, 0, u"^a\rb^c^\r\n", "CARET STRING(ab) CARET STRING(c) CARET STRING() NL $", nullptr},
    {2, 0, u"_a\rb_", "UNDER COMMENT_TEXT(ab) UNDER NL $", nullptr},
    {2, 0, u"__a\rb\r\nc", "UNDER UNDER LINE_COMMENT_TEXT(ab) NL STRING(c) NL $", nullptr},
    {2, 0, u"$a\r\rb$", "DOLLAR RAW_TEXT(ab) DOLLAR NL $", nullptr},
    {2, 0, u"%a\r%b\r%", "PERCENT STRING(a) PERCENT STRING(b) PERCENT NL $", nullptr},
    {2, 0, u"a\tb\x01" u"c \n", "STRING(a\tbc ) NL $", nullptr},
    {2, 0, u"  \n", "NL NL $", nullptr},
    // Title after "=": the rest of the line, marks and all.
    {2, 0, u"=Title\n", "EQ STRING(Title) NL $", "setTitle(Title) title(Title) end"},
    {2, 0, u"=\n", "EQ NL $", nullptr},
    {2, 0, u"= \n", "EQ NL NL $", nullptr},
    {2, 0, u"=a;b%c|~\\\\x\\y\n", "EQ STRING(a;b%c|~\\xy) NL $", nullptr},
    {2, 0, u"＝題", "EQ STRING(題) NL $", nullptr},
    {2, 0, u"=\nx\n", nullptr, PARA("beginSpan text(x) endSpan") " end"},
    // Split, headings, lists, rule, cells.
    {2, 0, u"&\n", "AMP NL $", nullptr},
    {2, 0, u"&Chapter 2\n", "AMP STRING(Chapter 2) NL $", nullptr},
    {2, 0, u"&\n&Chapter 2\n", nullptr, "newOutput newOutput setTitle(Chapter 2) end"},
    {2, 0, u"&a#b\n", nullptr, PARA("beginSpan text(b) endSpan") " end"},
    {2, 0, u"*** Title", "ASTER ASTER ASTER STRING( Title) NL $",
     "beginHeading(3) beginInline text( Title) endInline endHeading(3) end"},
    {2, 0, u"■見出し", "BLACK_SQUARE STRING(見出し) NL $", nullptr},
    {2, 0, u"○ｘ", "WHITE_CIRCLE STRING(ｘ) NL $", nullptr},
    {2, 0, u"◇a。b▲", nullptr, "beginHeading(4) beginInline text(a) text(。) text(b) endInline endHeading(4) end"},
    {2, 0, u"*******x\n", nullptr, PARA("beginSpan text(x) endSpan") " end"},
    {3, 0, u"■見出し", "STRING(■見出し) NL $", nullptr},
    {4, 0, u"◆見出し", "BLACK_DIAMOND STRING(見出し) NL $", nullptr},
    {2, 0, u"-+項目", "MINUS PLUS STRING(項目) NL $",
     "listItem(10) beginInline beginSpan text(項目) endSpan endInline setListState(10) end"},
    {2, 0, u"－−＋x", "MINUS MINUS PLUS STRING(x) NL $", nullptr},
    {2, 0, u"+項目", nullptr, "listItem(1) beginInline beginSpan text(項目) endSpan endInline setListState(1) end"},
    {2, 0, u"+-+x\n--+y\n", nullptr,
     "listItem(7) beginInline beginSpan text(x) endSpan endInline setListState(7) "
     "listItem(14) beginInline beginSpan text(y) endSpan endInline setListState(14) end"},
    {2, 0, u"----\n", "MINUS MINUS MINUS MINUS NL $", "horizontalRule end"},
    {2, 0, u"----x\n", nullptr, "newLine end"},
    {2, 0, u"a-b+c*d=e&f", "STRING(a-b+c*d=e&f) NL $", nullptr},
    {2, 0, u"!名前|値", "EXCL STRING(名前) BAR STRING(値) NL $",
     "beginTableRow beginHeaderCell beginSpan text(名前) endSpan endHeaderCell "
     "beginDataCell beginSpan text(値) endSpan endDataCell endTableRow end"},
    {2, 0, u"|a|b| ", "BAR STRING(a) BAR STRING(b) BAR NL $", nullptr},
    {2, 0, u"|a|b| \n", "BAR STRING(a) BAR STRING(b) BAR NL NL $",
     "beginTableRow beginDataCell beginSpan text(a) endSpan endDataCell beginDataCell beginSpan "
     "text(b) endSpan endDataCell beginDataCell endDataCell endTableRow newLine end"},
    {2, 0, u"|a|b|", nullptr,
     "beginTableRow beginDataCell beginSpan text(a) endSpan endDataCell beginDataCell beginSpan "
     "text(b) endSpan endDataCell beginDataCell endDataCell endTableRow end"},
    {2, 0, u"|_c_|_d_%p.png%P%\n", nullptr,
     "beginTableRow beginDataCell comment(c) endDataCell "
     "beginDataCell comment(d) image(p.png,P,block) endDataCell endTableRow end"},
    {2, 0, u"!x%p%P%", nullptr,
     "beginTableRow beginHeaderCell beginSpan text(x) endSpan image(p,P,inline) endHeaderCell endTableRow end"},
    // Page marks; "~=" takes its text from the inline scanner.
    {2, 0, u"~12~", "TILDE STRING(12) TILDE NL $", nullptr},
    {2, 0, u"~~", "TILDE TILDE NL $", PARA("pageNumber(null)") " end"},
    {2, 0, u"~-3~", "TILDE MINUS STRING(3) TILDE NL $", PARA("pageNumber(-3)") " end"},
    {2, 0, u"~=iv~", "TILDE EQ STRING(iv) TILDE NL $", PARA("pageFront(iv)") " end"},
    {2, 0, u"~*表紙~", "TILDE ASTER STRING(表紙) TILDE NL $", PARA("pageSpecial(表紙)") " end"},
    {2, 0, u"〜=iv～", "TILDE EQ STRING(iv) TILDE NL $", nullptr},
    {2, 0, u"=a~=b~", "EQ STRING(a~=b~) NL $", nullptr},
    {2, 0, u"a;=b", "STRING(a) SEMI EQ STRING(b) NL $", nullptr},
    {2, 0, u"a~12~b", nullptr, PARA("beginSpan text(a) endSpan pageNumber(12) beginSpan text(b) endSpan") " end"},
    // Images: literal text between "%" marks.
    {2, 0, u"%pic.png%Photo%\n", "PERCENT STRING(pic.png) PERCENT STRING(Photo) PERCENT NL $",
     "image(pic.png,Photo,block) end"},
    {2, 0, u"%a;b%c#d%x", "PERCENT STRING(a;b) PERCENT STRING(c#d) PERCENT STRING(x) NL $", nullptr},
    {2, 0, u"％a%b％", "PERCENT STRING(a) PERCENT STRING(b) PERCENT NL $", nullptr},
    {2, 0, u"%%", "PERCENT NL PERCENT NL $", nullptr},
    {2, 0, u"%\\%a%", "PERCENT STRING(%a) PERCENT NL $", nullptr},
    {2, 0, u"_c_;%a%A%", nullptr, "comment(c) lineBreak image(a,A,block) end"},
    {2, 0, u"x%a%A%y", nullptr, PARA("beginSpan text(x) endSpan image(a,A,inline) beginSpan text(y) endSpan") " end"},
    {2, 0, u"%a%b\n", nullptr, "end"},
    {2, 0, u"％a％b％", nullptr, "image(a,b,block) end"},
    {3, 0, u"%a%b%", nullptr, "image(a,b,block) end"},
    {3, 0, u"％a％b％", "STRING(％a％b％) NL $", PARA("beginSpan text(％a％b％) endSpan") " end"},
    {4, 0, u"%a%b%", "STRING(%a%b%) NL $", nullptr},
    {4, 0, u"％a%b％", "PERCENT STRING(a%b) PERCENT NL $", nullptr},
    {4, 0, u"％a％b％", nullptr, "image(a,b,block) end"},
    // Anchors, links, ruby; blanks between constructs become NL.
    {2, 0, u"#x#y# #z#w#", "SHARP STRING(x) SHARP STRING(y) SHARP NL SHARP STRING(z) SHARP STRING(w) SHARP NL $",
     PARA("beginSpan anchor(x,y) endSpan") " " PARA("beginSpan anchor(z,w) endSpan") " end"},
    {2, 0, u"^http://x/?a=1^link^\n", "CARET STRING(http://x/?a=1) CARET STRING(link) CARET STRING() NL $", nullptr},
    {2, 0, u"^a\\^b^", "CARET STRING(a^b) CARET NL $", nullptr},
    {2, 0, u"^u^t^\n", nullptr, PARA("beginSpan link(u,t) text() endSpan") " end"},
    {2, 0, u"a;b", nullptr, PARA("beginSpan text(a) lineBreak text(b) endSpan") " end"},
    {2, 0, u"`漢字`かんじ`", "BACKQUOTE STRING(漢字) BACKQUOTE STRING(かんじ) BACKQUOTE NL $",
     PARA("beginSpan ruby(漢字,かんじ) endSpan") " end"},
    // Raw markup runs over line ends and to the end of the text.
    {2, 0, u"$<b>\r\nx</b>$ok\n", "DOLLAR RAW_TEXT(<b>\nx</b>) DOLLAR STRING(ok) NL $", nullptr},
    {2, 0, u"$$", "DOLLAR RAW_TEXT() DOLLAR NL $", nullptr},
    {2, 0, u"$a\\$b", "DOLLAR RAW_TEXT(a$b) NL $", nullptr},
    {2, 0, u"＄x$y＄", "DOLLAR RAW_TEXT(x) DOLLAR STRING(y) DOLLAR NL $", nullptr},
    {2, 0, u"$<br/>$", nullptr, PARA("rawText(<br/>)") " end"},
    {2, 0, u"$a\nb$\nc\n", nullptr, PARA("rawText(a\nb)") " " PARA("beginSpan text(c) endSpan") " end"},
    {2, 0, u"$open\nrest", nullptr, "end"},
    // Comments.
    {2, 0, u"_note_\n", "UNDER COMMENT_TEXT(note) UNDER NL $", nullptr},
    {2, 0, u"_a_b", "UNDER COMMENT_TEXT(a) UNDER STRING(b) NL $", nullptr},
    {2, 0, u"__ note;%\\x\n", "UNDER UNDER LINE_COMMENT_TEXT( note;%\\x) NL $", nullptr},
    {2, 0, u"__\n", "UNDER UNDER LINE_COMMENT_TEXT() NL $", nullptr},
    {2, 0, u"_\n", "UNDER NL $", nullptr},
    {2, 0, u"a _x\n", "STRING(a ) UNDER COMMENT_TEXT(x) NL $", nullptr},
    {2, 0, u"_note_", nullptr, "comment(note) end"},
    {2, 0, u"__ note", nullptr, "blockComment( note) end"},
    {2, 0, u"_c_ __d", nullptr, "comment(c) blockComment(d) end"},
    {2, 0, u"a_n_b", nullptr, PARA("beginSpan text(a) comment(n) text(b) endSpan") " end"},
    // Sentence ends and brackets.
    {2, 0, u"今日は晴れ。明日は雨。", "STRING(今日は晴れ) STOP(。) STRING(明日は雨) STOP(。) NL $",
     PARA("beginSpan text(今日は晴れ) text(。) endSpan beginSpan text(明日は雨) text(。) endSpan") " end"},
    {2, 0, u"。。。」", "STOP_CLOSE(。。。」) NL $", nullptr},
    {2, 0, u"。。。。。。。。。。。。", "STOP(。。。。。。。。。。) STOP(。。) NL $", nullptr},
    {2, 0, u"」a", "CLOSE(」) STRING(a) NL $", nullptr},
    {2, 0, u"ab▲cd", "STRING(ab) SPAN_BREAK STRING(cd) NL $",
     PARA("beginSpan text(ab) endSpan beginSpan text(cd) endSpan") " end"},
    {2, 0, u"abc。▲", nullptr, PARA("beginSpan text(abc) text(。) endSpan") " end"},
    {2, 0, u"a。▲b", nullptr, PARA("beginSpan text(a) text(。) endSpan beginSpan text(b) endSpan") " end"},
    {2, 0, u"「はい。」と", nullptr, PARA("beginSpan text(「はい) text(。」) endSpan beginSpan text(と) endSpan") " end"},
    {2, 0, u"a」b", nullptr, PARA("beginSpan text(a) text(」) text(b) endSpan") " end"},
    {2, 0, u"あ、い", "STRING(あ、い) NL $", nullptr},
    {2, kTen, u"あ、い、」", "STRING(あ) STOP(、) STRING(い) STOP_CLOSE(、」) NL $", nullptr},
    {2, 0, u"3.14", "STRING(3.14) NL $", nullptr},
    {2, kPeriod, u"3.14", "STRING(3) STOP(.) STRING(14) NL $", nullptr},
    {2, kPeriod, u"a...b", "STRING(a) STOP(...) STRING(b) NL $", nullptr},
    {2, kComma, u"a,b.c", "STRING(a) STOP(,) STRING(b.c) NL $", nullptr},
    {3, kTen | kPeriod | kComma, u"a、b.c,d", "STRING(a) STOP(、) STRING(b) STOP(.) STRING(c) STOP(,) STRING(d) NL $",
     nullptr},
    {4, kPeriod, u"x.y", "STRING(x) STOP(.) STRING(y) NL $", nullptr},
    {2, kTen | kPeriod, u"あ、い.う,え", nullptr,
     PARA("beginSpan text(あ) text(、) endSpan beginSpan text(い) text(.) endSpan beginSpan text(う,え) endSpan") " end"},
    // Escapes.
    {2, 0, u"\\~", "STRING(~) NL $", nullptr},
    {2, 0, u"\\\\", "STRING(\\) NL $", nullptr},
    {2, 0, u"\\\\%", "STRING(\\%) NL $", nullptr},
    {2, 0, u"¥|x＼！", "STRING(|x！) NL $", nullptr},
    {2, 0, u"a\\\nb\n", "STRING(a\nb) NL $", nullptr},
    {2, 0, u"\\", "NL $", nullptr},
    {3, 0, u"\\~", "STRING(~) NL $", nullptr},
    {3, 0, u"\\\\", "STRING(\\) NL $", nullptr},
    {3, 0, u"¥~", "STRING(¥) TILDE NL $", nullptr},
    {4, 0, u"＼〜", "STRING(〜) NL $", nullptr},
    {4, 0, u"＼＼", "STRING(＼) NL $", nullptr},
    {4, 0, u"\\〜x", "STRING(\\) TILDE STRING(x) NL $", nullptr},
    // Half-width only (3) and full-width only (4).
    {3, 0, u"＊見出し", "STRING(＊見出し) NL $", PARA("beginSpan text(＊見出し) endSpan") " end"},
    {3, 0, u"* 見出し", "ASTER STRING( 見出し) NL $", nullptr},
    {4, 0, u"* text", "STRING(* text) NL $", PARA("beginSpan text(* text) endSpan") " end"},
    {4, 0, u"＊ text", "ASTER STRING( text) NL $",
     "beginHeading(1) beginInline text( text) endInline endHeading(1) end"},
    {4, 0, u"~x~", "STRING(~x~) NL $", nullptr},
    {3, 0, u"〜x～", "STRING(〜x～) NL $", nullptr},
    // A syntax error loses the line up to it; the rest reads as a new line.
    {2, 0, u"x\na|b\nc\n", nullptr,
     PARA("beginSpan text(x) endSpan") " " PARA("beginSpan text(b) endSpan") " "
     PARA("beginSpan text(c) endSpan") " end"},
    {2, 0, u"a~~b~\nc", nullptr, PARA("beginSpan text(c) endSpan") " end"},
};

#undef PARA

} // namespace

TEST(S2Syntax, LinesToTokensAndEvents) {
    for (const Case& c : kCases) {
        SCOPED_TRACE("syntax " + std::to_string(c.syntax) + ": " + utf8(c.text));
        auto s = syntaxFor(c.syntax);
        S2Lexer& lx = *s->getSpanLexer();
        lx.setSpanOptions(c.spans & kTen, c.spans & kPeriod, c.spans & kComma);
        if (c.tokens) {
            EXPECT_EQ(dump(lx, c.text), c.tokens);
            EXPECT_EQ(lx.getState(), 1);
        }
        if (c.events) {
            EXPECT_EQ(events(*s, c.text), c.events);
        }
    }
}

TEST(S2Syntax, LexerTableSizes) {
    struct Size {
        int syntax;
        std::size_t lineStart, inlineMarks, specials;
    };
    for (const Size s : {Size{2, 23, 48, 30}, Size{3, 9, 31, 18}, Size{4, 16, 34, 20}}) {
        SCOPED_TRACE(s.syntax);
        auto syntax = syntaxFor(s.syntax);
        S2Lexer& lx = *syntax->getSpanLexer();
        EXPECT_EQ(lx.getTables().lineStartMarks.size(), s.lineStart);
        EXPECT_EQ(lx.getMarks().size(), s.inlineMarks);
        EXPECT_EQ(lx.getSpecials().size(), s.specials);
        lx.setSpanOptions(true, false, true);
        EXPECT_EQ(lx.getMarks().size(), s.inlineMarks + 20);
        EXPECT_EQ(lx.getSpecials(), lx.getTables().specials + u"、,");
        EXPECT_EQ(std::u16string(lx.getMarks()[s.inlineMarks].text), u"、、、、、、、、、、");
        EXPECT_EQ(std::u16string(lx.getMarks().back().text), u",");
        lx.setSpanOptions(false, false, false);
        EXPECT_EQ(lx.getMarks().size(), s.inlineMarks);
    }
}

TEST(S2Syntax, OneSyntaxServesManyTexts) {
    S2Syntax s;
    S2Lexer& lx = *s.getSpanLexer();
    // The end token repeats, and the next text starts clean.
    EXPECT_EQ(dump(lx, u"$open"), "DOLLAR RAW_TEXT(open) NL $");
    EXPECT_EQ(std::unique_ptr<Token>(lx.nextToken())->code, 0);
    EXPECT_EQ(dump(lx, u"=t"), "EQ STRING(t) NL $");
    // An unfinished construct at the end of one text leaves nothing behind.
    EXPECT_EQ(events(s, u"%a%b"), "end");
    EXPECT_EQ(events(s, u"=T"), "setTitle(T) title(T) end");
    EXPECT_EQ(events(s, u"$raw"), "end");
    EXPECT_EQ(events(s, u"*h"), "beginHeading(1) beginInline text(h) endInline endHeading(1) end");
}

TEST(S2Syntax, MatchNeverReadsPastTheText) {
    S2Lexer lx;
    const auto src = utf16(u"ab\r\n");
    lx.setSource(src.data(), 3);  // ends on the CR
    EXPECT_EQ(lx.match(u"ab"), 2u);
    EXPECT_EQ(lx.match(u"abc"), 0u);
    lx.setSource(src.data(), 0);
    EXPECT_EQ(lx.match(u"a"), 0u);
}

TEST(S2Syntax, DumpTokensPrintsCodesAndTexts) {
    S2Syntax s;
    EXPECT_EQ(dumpTokens(s, u"=\n"), "token_id: 02\ntoken_id: 01\ntoken_id: 00\n");
    EXPECT_EQ(dumpTokens(s, u"=Ab。\n"), "token_id: 02\ntoken_id: 03 (Ab\x81\x42)\ntoken_id: 01\ntoken_id: 00\n");
}

// A row keeps two stack entries per cell until the line ends. Beyond the
// stack's limit the cells so far are lost and the ones after the
// overflowing text form a row of their own.
TEST(S2Syntax, LongTableRows) {
    for (const auto& [cells, kept] : {std::pair{200, 200}, std::pair{50005, 6}}) {
        SCOPED_TRACE(cells);
        std::u16string row;
        for (int i = 0; i < cells; ++i) row += u"|a";
        std::string expected = "beginTableRow";
        for (int i = 0; i < kept; ++i) expected += " beginDataCell beginSpan text(a) endSpan endDataCell";
        S2Syntax s;
        EXPECT_EQ(events(s, row + u"\n"), expected + " endTableRow end");
    }
}

TEST(S2Syntax, LongLineOfPhrases) {
    // Phrase walks do not recurse per phrase.
    std::u16string line;
    for (int i = 0; i < 100000; ++i) line += u"a;";
    S2Syntax s;
    const std::string ev = events(s, line);
    EXPECT_EQ(ev.substr(0, 48), "beginParagraph beginInline beginSpan text(a) lin");
    EXPECT_EQ(ev.substr(ev.size() - 44), "lineBreak endSpan endInline endParagraph end");
}

// Seeded random texts over the mark characters of every form: the run
// always ends with the end of the source, and the lexer is back at the
// start of a line for the next text.
TEST(S2Syntax, RandomMarkupAlwaysEndsCleanly) {
    const std::u16string alphabet =
        u"ab 。、.,」▲\n\r\t\\¥＼=＝&*＊■○+－-!！|｜~〜;％%#＃^＾$＄_＿`｀";
    RandomText random(12345, 0x7FFF);
    for (int round = 0; round < 600; ++round) {
        auto s = syntaxFor(round % 3 + 2);
        S2Lexer* lx = s->getSpanLexer();
        lx->setSpanOptions(random.next() & 1, random.next() & 1, random.next() & 1);
        const std::u16string text = random(alphabet, 80);
        SCOPED_TRACE(utf8(text));
        const std::string ev = events(*s, text);
        ASSERT_GE(ev.size(), 3u);
        EXPECT_EQ(ev.substr(ev.size() - 3), "end");
        EXPECT_EQ(lx->getState(), 1);
        EXPECT_EQ(lx->getPosition(), static_cast<std::uint32_t>(text.size()));
    }
}
