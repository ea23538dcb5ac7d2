// Token dumps of the span-aware lexer for syntaxes 2, 3 and 4.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SyntaxTestUtil.h"
#include "core/syntax/s2/S2Lexer.h"
#include "core/syntax/s2/S2Syntax.h"

using namespace Orvane;
using syntax_test::utf16;
using syntax_test::utf8;

namespace {

const char* const kNames[] = {
    "$",     "NL",       "EQ",    "STRING", "AMP",    "ASTER",    "BLACK_SQUARE", "WHITE_SQUARE",
    "BLACK_DIAMOND", "WHITE_DIAMOND", "BLACK_CIRCLE", "WHITE_CIRCLE", "PLUS", "MINUS", "EXCL", "BAR",
    "TILDE", "BACKQUOTE", "SEMI", "PERCENT", "SHARP", "CARET", "DOLLAR", "RAW_TEXT", "UNDER",
    "COMMENT_TEXT", "LINE_COMMENT_TEXT", "STOP", "STOP_CLOSE", "CLOSE", "SPAN_BREAK"};

std::unique_ptr<S2Lexer> lexerFor(int syntax) {
    if (syntax == 3) return std::make_unique<S3Lexer>();
    if (syntax == 4) return std::make_unique<S4Lexer>();
    return std::make_unique<S2Lexer>();
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

enum Span { kNoSpan = 0, kTen = 1, kPeriod = 2, kComma = 4 };

struct Case {
    int syntax;
    int spans;
    std::u16string text;
    const char* tokens;
};

const Case kCases[] = {
    // Lines and their ends.
    {2, 0, u"", "$"},
    {2, 0, u"abc", "STRING(abc) NL $"},
    {2, 0, u"a\r\nb\n", "STRING(a) NL STRING(b) NL $"},
    {2, 0, u"a\rb\n", "STRING(ab) NL $"},
    {2, 0, u"\r", "NL $"},
    // A CR without its LF vanishes in every scanner.
    {2, 0, u"=a\rb\r\n", "EQ STRING(ab) NL $"},
    {2, 0, u"^a\rb^c^\r\n", "CARET STRING(ab) CARET STRING(c) CARET STRING() NL $"},
    {2, 0, u"_a\rb_", "UNDER COMMENT_TEXT(ab) UNDER NL $"},
    {2, 0, u"__a\rb\r\nc", "UNDER UNDER LINE_COMMENT_TEXT(ab) NL STRING(c) NL $"},
    {2, 0, u"$a\r\rb$", "DOLLAR RAW_TEXT(ab) DOLLAR NL $"},
    {2, 0, u"%a\r%b\r%", "PERCENT STRING(a) PERCENT STRING(b) PERCENT NL $"},
    {2, 0, u"a\tb\x01" u"c \n", "STRING(a\tbc ) NL $"},
    {2, 0, u"  \n", "NL NL $"},
    // Title after "=": the rest of the line, marks and all.
    {2, 0, u"=Title\n", "EQ STRING(Title) NL $"},
    {2, 0, u"=\n", "EQ NL $"},
    {2, 0, u"= \n", "EQ NL NL $"},
    {2, 0, u"=a;b%c|~\\\\x\\y\n", "EQ STRING(a;b%c|~\\xy) NL $"},
    {2, 0, u"＝題", "EQ STRING(題) NL $"},
    // Split, headings, lists, rule, cells.
    {2, 0, u"&\n", "AMP NL $"},
    {2, 0, u"&Chapter 2\n", "AMP STRING(Chapter 2) NL $"},
    {2, 0, u"*** Title", "ASTER ASTER ASTER STRING( Title) NL $"},
    {2, 0, u"■見出し", "BLACK_SQUARE STRING(見出し) NL $"},
    {2, 0, u"○ｘ", "WHITE_CIRCLE STRING(ｘ) NL $"},
    {3, 0, u"■見出し", "STRING(■見出し) NL $"},
    {4, 0, u"◆見出し", "BLACK_DIAMOND STRING(見出し) NL $"},
    {2, 0, u"-+項目", "MINUS PLUS STRING(項目) NL $"},
    {2, 0, u"－−＋x", "MINUS MINUS PLUS STRING(x) NL $"},
    {2, 0, u"----\n", "MINUS MINUS MINUS MINUS NL $"},
    {2, 0, u"a-b+c*d=e&f", "STRING(a-b+c*d=e&f) NL $"},
    {2, 0, u"!名前|値", "EXCL STRING(名前) BAR STRING(値) NL $"},
    {2, 0, u"|a|b| ", "BAR STRING(a) BAR STRING(b) BAR NL $"},
    {2, 0, u"|a|b| \n", "BAR STRING(a) BAR STRING(b) BAR NL NL $"},
    // Page marks; "~=" takes its text from the inline scanner.
    {2, 0, u"~12~", "TILDE STRING(12) TILDE NL $"},
    {2, 0, u"~~", "TILDE TILDE NL $"},
    {2, 0, u"~-3~", "TILDE MINUS STRING(3) TILDE NL $"},
    {2, 0, u"~=iv~", "TILDE EQ STRING(iv) TILDE NL $"},
    {2, 0, u"~*表紙~", "TILDE ASTER STRING(表紙) TILDE NL $"},
    {2, 0, u"〜=iv～", "TILDE EQ STRING(iv) TILDE NL $"},
    {2, 0, u"=a~=b~", "EQ STRING(a~=b~) NL $"},
    {2, 0, u"a;=b", "STRING(a) SEMI EQ STRING(b) NL $"},
    // Images: literal text between "%" marks.
    {2, 0, u"%pic.png%Photo%\n", "PERCENT STRING(pic.png) PERCENT STRING(Photo) PERCENT NL $"},
    {2, 0, u"%a;b%c#d%x", "PERCENT STRING(a;b) PERCENT STRING(c#d) PERCENT STRING(x) NL $"},
    {2, 0, u"％a%b％", "PERCENT STRING(a) PERCENT STRING(b) PERCENT NL $"},
    {2, 0, u"%%", "PERCENT NL PERCENT NL $"},
    {2, 0, u"%\\%a%", "PERCENT STRING(%a) PERCENT NL $"},
    {3, 0, u"％a％b％", "STRING(％a％b％) NL $"},
    {4, 0, u"%a%b%", "STRING(%a%b%) NL $"},
    {4, 0, u"％a%b％", "PERCENT STRING(a%b) PERCENT NL $"},
    // Anchors, links, ruby; blanks between constructs become NL.
    {2, 0, u"#x#y# #z#w#", "SHARP STRING(x) SHARP STRING(y) SHARP NL SHARP STRING(z) SHARP STRING(w) SHARP NL $"},
    {2, 0, u"^http://x/?a=1^link^\n", "CARET STRING(http://x/?a=1) CARET STRING(link) CARET STRING() NL $"},
    {2, 0, u"^a\\^b^", "CARET STRING(a^b) CARET NL $"},
    {2, 0, u"`漢字`かんじ`", "BACKQUOTE STRING(漢字) BACKQUOTE STRING(かんじ) BACKQUOTE NL $"},
    // Raw markup runs over line ends and to the end of the text.
    {2, 0, u"$<b>\r\nx</b>$ok\n", "DOLLAR RAW_TEXT(<b>\nx</b>) DOLLAR STRING(ok) NL $"},
    {2, 0, u"$$", "DOLLAR RAW_TEXT() DOLLAR NL $"},
    {2, 0, u"$a\\$b", "DOLLAR RAW_TEXT(a$b) NL $"},
    {2, 0, u"＄x$y＄", "DOLLAR RAW_TEXT(x) DOLLAR STRING(y) DOLLAR NL $"},
    // Comments.
    {2, 0, u"_note_\n", "UNDER COMMENT_TEXT(note) UNDER NL $"},
    {2, 0, u"_a_b", "UNDER COMMENT_TEXT(a) UNDER STRING(b) NL $"},
    {2, 0, u"__ note;%\\x\n", "UNDER UNDER LINE_COMMENT_TEXT( note;%\\x) NL $"},
    {2, 0, u"__\n", "UNDER UNDER LINE_COMMENT_TEXT() NL $"},
    {2, 0, u"_\n", "UNDER NL $"},
    {2, 0, u"a _x\n", "STRING(a ) UNDER COMMENT_TEXT(x) NL $"},
    // Sentence ends and brackets.
    {2, 0, u"今日は晴れ。明日は雨。", "STRING(今日は晴れ) STOP(。) STRING(明日は雨) STOP(。) NL $"},
    {2, 0, u"。。。」", "STOP_CLOSE(。。。」) NL $"},
    {2, 0, u"。。。。。。。。。。。。", "STOP(。。。。。。。。。。) STOP(。。) NL $"},
    {2, 0, u"」a", "CLOSE(」) STRING(a) NL $"},
    {2, 0, u"ab▲cd", "STRING(ab) SPAN_BREAK STRING(cd) NL $"},
    {2, 0, u"あ、い", "STRING(あ、い) NL $"},
    {2, kTen, u"あ、い、」", "STRING(あ) STOP(、) STRING(い) STOP_CLOSE(、」) NL $"},
    {2, 0, u"3.14", "STRING(3.14) NL $"},
    {2, kPeriod, u"3.14", "STRING(3) STOP(.) STRING(14) NL $"},
    {2, kPeriod, u"a...b", "STRING(a) STOP(...) STRING(b) NL $"},
    {2, kComma, u"a,b.c", "STRING(a) STOP(,) STRING(b.c) NL $"},
    {3, kTen | kPeriod | kComma, u"a、b.c,d", "STRING(a) STOP(、) STRING(b) STOP(.) STRING(c) STOP(,) STRING(d) NL $"},
    {4, kPeriod, u"x.y", "STRING(x) STOP(.) STRING(y) NL $"},
    // Escapes.
    {2, 0, u"\\~", "STRING(~) NL $"},
    {2, 0, u"\\\\", "STRING(\\) NL $"},
    {2, 0, u"\\\\%", "STRING(\\%) NL $"},
    {2, 0, u"¥|x＼！", "STRING(|x！) NL $"},
    {2, 0, u"a\\\nb\n", "STRING(a\nb) NL $"},
    {2, 0, u"\\", "NL $"},
    {3, 0, u"\\~", "STRING(~) NL $"},
    {3, 0, u"\\\\", "STRING(\\) NL $"},
    {3, 0, u"¥~", "STRING(¥) TILDE NL $"},
    {4, 0, u"＼〜", "STRING(〜) NL $"},
    {4, 0, u"＼＼", "STRING(＼) NL $"},
    {4, 0, u"\\〜x", "STRING(\\) TILDE STRING(x) NL $"},
    // Half-width only and full-width only.
    {3, 0, u"＊見出し", "STRING(＊見出し) NL $"},
    {3, 0, u"* 見出し", "ASTER STRING( 見出し) NL $"},
    {4, 0, u"* text", "STRING(* text) NL $"},
    {4, 0, u"＊ text", "ASTER STRING( text) NL $"},
    {4, 0, u"~x~", "STRING(~x~) NL $"},
    {3, 0, u"〜x～", "STRING(〜x～) NL $"},
};

} // namespace

TEST(S2Lexer, TokenDumps) {
    for (const Case& c : kCases) {
        auto lx = lexerFor(c.syntax);
        lx->setSpanOptions(c.spans & kTen, c.spans & kPeriod, c.spans & kComma);
        SCOPED_TRACE("syntax " + std::to_string(c.syntax) + ": " + utf8(utf16(c.text)));
        EXPECT_EQ(dump(*lx, c.text), c.tokens);
        EXPECT_EQ(lx->getState(), 1);
    }
}

TEST(S2Lexer, TableSizes) {
    struct Size {
        int syntax;
        std::size_t lineStart, inlineMarks, specials;
    };
    for (const Size s : {Size{2, 23, 48, 30}, Size{3, 9, 31, 18}, Size{4, 16, 34, 20}}) {
        SCOPED_TRACE(s.syntax);
        auto lx = lexerFor(s.syntax);
        EXPECT_EQ(lx->getTables().lineStartMarks.size(), s.lineStart);
        EXPECT_EQ(lx->getMarks().size(), s.inlineMarks);
        EXPECT_EQ(lx->getSpecials().size(), s.specials);
        lx->setSpanOptions(true, false, true);
        EXPECT_EQ(lx->getMarks().size(), s.inlineMarks + 20);
        EXPECT_EQ(lx->getSpecials(), lx->getTables().specials + u"、,");
        EXPECT_EQ(std::u16string(lx->getMarks()[s.inlineMarks].text), u"、、、、、、、、、、");
        EXPECT_EQ(std::u16string(lx->getMarks().back().text), u",");
        lx->setSpanOptions(false, false, false);
        EXPECT_EQ(lx->getMarks().size(), s.inlineMarks);
    }
}

TEST(S2Lexer, EndTokensRepeatAndTheNextTextStartsClean) {
    S2Lexer lx;
    EXPECT_EQ(dump(lx, u"$open"), "DOLLAR RAW_TEXT(open) NL $");
    std::unique_ptr<Token> again(lx.nextToken());
    EXPECT_EQ(again->code, 0);
    EXPECT_EQ(dump(lx, u"=t"), "EQ STRING(t) NL $");
}

TEST(S2Lexer, MatchNeverReadsPastTheText) {
    S2Lexer lx;
    const auto src = utf16(u"ab\r\n");
    lx.setSource(src.data(), 3);  // ends on the CR
    EXPECT_EQ(lx.match(u"ab"), 2u);
    EXPECT_EQ(lx.match(u"abc"), 0u);
    lx.setSource(src.data(), 0);
    EXPECT_EQ(lx.match(u"a"), 0u);
}

TEST(S2Syntax, DumpTokensPrintsCodesAndTexts) {
    S2Syntax syntax;
    const auto eq = utf16(u"=\n");
    testing::internal::CaptureStdout();
    EXPECT_TRUE(syntax.dumpTokens(nullptr, eq.data(), static_cast<std::uint32_t>(eq.size())));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "token_id: 02\ntoken_id: 01\ntoken_id: 00\n");
    const auto title = utf16(u"=Ab。\n");
    testing::internal::CaptureStdout();
    EXPECT_TRUE(syntax.dumpTokens(nullptr, title.data(), static_cast<std::uint32_t>(title.size())));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "token_id: 02\ntoken_id: 03 (Ab\x81\x42)\ntoken_id: 01\ntoken_id: 00\n");
}
