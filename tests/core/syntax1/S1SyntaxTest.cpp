// The markup with macros, line by line: what each construct makes of the
// events, and how the lexer cuts the text.
#include <gtest/gtest.h>

#include <string>

#include "../syntax/RecordingGenerator.h"
#include "core/syntax/s1/S1Syntax.h"
#include "core/syntax/s1/S1Tokens.h"

using namespace Orvane;
using namespace syntax_test;

namespace {

// Every token as its code, with its text in parentheses when it has one.
std::string tokens(const std::u16string& text) {
    S1Lexer lexer;
    const DString s = utf16(text);
    lexer.setSource(s.data(), static_cast<std::uint32_t>(s.size()));
    std::string out;
    for (int guard = 0; guard < 1000; ++guard) {
        Token* t = lexer.nextToken();
        if (!out.empty()) out += ' ';
        out += std::to_string(t->code);
        if (t->value) out += "(" + utf8(*t->value) + ")";
        const bool end = t->code == kS1End;
        delete t;
        if (end) return out;
    }
    return out + " ...";
}

const std::string P = "beginParagraph beginInline ";
const std::string EP = " endInline endParagraph";

struct Case {
    const char16_t* text;
    const char* tokens;  // nullptr: not checked
    std::string events;  // empty: not checked
};

const Case kCases[] = {
    // The macro, its forms and its texts.
    {u"@toc@\n", "27 28(toc) 27 1 0", P + "macro(toc)" + EP + " end"},
    {u"＠目次＠\n", nullptr, P + "macro(目次)" + EP + " end"},
    {u"a@x@@y@b\n", nullptr, P + "text(a) macro(x) macro(y) text(b)" + EP + " end"},
    {u"@@\n", nullptr, P + "macro()" + EP + " end"},
    {u"@two\r\nli\tnes\x01@\n", nullptr, P + "macro(two\nlines)" + EP + " end"},
    {u"@a\\@b@\n", nullptr, P + "macro(a@b)" + EP + " end"},
    {u"\\@a\\\\b\n", nullptr, P + "text(@a\\b)" + EP + " end"},
    // An unclosed macro takes the rest of the text and the line is lost.
    {u"a\n@open\nrest", nullptr, P + "text(a)" + EP + " end"},
    // Images are inline; a line of images or comments is still a paragraph.
    {u"%a.png%A%\n", nullptr, P + "image(a.png,A,inline)" + EP + " end"},
    {u"％a.png％A％\n", nullptr, P + "image(a.png,A,inline)" + EP + " end"},
    {u"_note_\n", nullptr, P + "comment(note)" + EP + " end"},
    {u"__ note\n", nullptr, P + "blockComment( note)" + EP + " end"},
    {u"x%p.png%P%\n", nullptr, P + "text(x) image(p.png,P,inline)" + EP + " end"},
    // No spans: sentence ends, span breaks and brackets are plain text.
    {u"。。。」\n", nullptr, P + "text(。。。」)" + EP + " end"},
    {u"今日は晴れ。明日は▲雨。\n", nullptr, P + "text(今日は晴れ。明日は▲雨。)" + EP + " end"},
    // Title and split lines.
    {u"=Title\n", nullptr, "setTitle(Title) end"},
    {u"=a#b%c\n", nullptr, "setTitle(a#b%c) end"},
    {u"&Part two\n", nullptr, "newOutput setTitle(Part two) end"},
    {u"&\nabc\n", nullptr, P + "text(abc)" + EP + " end"},
    // No page marks beyond the plain forms: after "~=" the title scanner
    // takes the rest, and the line resumes as a new one after the error.
    {u"~=i~\n", nullptr, P + "text(i~)" + EP + " end"},
    {u"~~a~1~b~-3~\n", nullptr, P + "pageNumber(null) text(a) pageNumber(1) text(b) pageNumber(-3)" + EP + " end"},
    // The other inline constructs.
    {u"`漢字`かんじ`\n", nullptr, P + "ruby(漢字,かんじ)" + EP + " end"},
    {u"#n#t#$<b>\nx$;^u^v^\n", nullptr,
     P + "anchor(n,t) rawText(<b>\nx) lineBreak link(u,v) text()" + EP + " end"},
    // Headings, lists, rules and tables.
    {u"*見出し\n", nullptr, "beginHeading(1) beginInline text(見出し) endInline endHeading(1) end"},
    {u"******六\n", nullptr, "beginHeading(6) beginInline text(六) endInline endHeading(6) end"},
    {u"◆@m@\n", nullptr, "beginHeading(3) beginInline macro(m) endInline endHeading(3) end"},
    {u"+項目\n", nullptr, "listItem(1) beginInline text(項目) endInline setListState(1) end"},
    {u"-+項目\n", nullptr, "listItem(10) beginInline text(項目) endInline setListState(10) end"},
    {u"－－＋x\n", nullptr, "listItem(14) beginInline text(x) endInline setListState(14) end"},
    {u"----\n", nullptr, "horizontalRule end"},
    {u"!名前|値\n", nullptr,
     "beginTableRow beginHeaderCell text(名前) endHeaderCell beginDataCell text(値) endDataCell endTableRow end"},
    {u"|a|b|\n", nullptr,
     "beginTableRow beginDataCell text(a) endDataCell beginDataCell text(b) endDataCell beginDataCell "
     "endDataCell endTableRow end"},
    {u"|@m@|%i%I%\n", nullptr,
     "beginTableRow beginDataCell macro(m) endDataCell beginDataCell image(i,I,inline) endDataCell "
     "endTableRow end"},
    // The text after an image's third "%" is read literally to the line end.
    {u"|%i%I%|x\n", nullptr, "beginTableRow beginDataCell image(i,I,inline) text(|x) endDataCell endTableRow end"},
    // Empty lines, missing line ends and errors.
    {u"", nullptr, "end"},
    {u"\n", nullptr, "newLine end"},
    {u"abc", nullptr, P + "text(abc)" + EP + " end"},
    {u"a\r\n\r\nb\r\n", nullptr, P + "text(a)" + EP + " newLine " + P + "text(b)" + EP + " end"},
    {u"a|b\nc\n", nullptr, P + "text(b)" + EP + " " + P + "text(c)" + EP + " end"},
    {u"%a%b\nc\n", nullptr, P + "text(c)" + EP + " end"},
    // Tokens only.
    {u"a@b", "3(a) 27 28(b) 1 0", ""},
    {u"@a@@", "27 28(a) 27 27 1 0", ""},
    {u"。。。」", "3(。。。」) 1 0", ""},
    {u"=a#b\n", "2 3(a#b) 1 0", ""},
    {u"%a%b%\n", "19 3(a) 19 3(b) 19 1 0", ""},
    {u"%a\\%b%\n", "19 3(a%b) 19 1 0", ""},
    {u"_x_\n", "24 25(x) 24 1 0", ""},
    {u"__ x\\_\n", "24 24 26( x\\_) 1 0", ""},
    {u"| \n", "15 1 1 0", ""},
    {u"a\rb\n", "3(ab) 1 0", ""},
    {u"\\\\\\~", "3(\\\\~) 1 0", ""},
    {u"a-b*c=d+e&f\n", "3(a-b*c=d+e&f) 1 0", ""},
    {u"^x^\n", "21 3(x) 21 3() 1 0", ""},
    {u"$a\r\nb$x", "22 23(a\nb) 22 3(x) 1 0", ""},
    // Line-start marks count only at the start of a line.
    {u"&t\n■□◆◇●○\n", "4 3(t) 1 6 3(□◆◇●○) 1 0", ""},
};

TEST(S1Syntax, LinesGiveTheirTokensAndEvents) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(utf8(c.text));
        if (c.tokens) {
            EXPECT_EQ(tokens(c.text), c.tokens);
        }
        S1Syntax syntax;
        if (!c.events.empty()) {
            EXPECT_EQ(events(syntax, c.text), c.events);
        }
    }
}

TEST(S1Syntax, OneSyntaxServesManyTexts) {
    S1Syntax syntax;
    const S1Lexer& lexer = *static_cast<S1Lexer*>(syntax.getLexer());
    // The first text stops inside a macro; the next one starts cleanly.
    EXPECT_EQ(events(syntax, u"a@open"), "end");
    EXPECT_EQ(lexer.getState(), 1);
    EXPECT_EQ(events(syntax, u"*h\n"), "beginHeading(1) beginInline text(h) endInline endHeading(1) end");
    EXPECT_EQ(lexer.getState(), 1);
}

TEST(S1Lexer, TablesHoldEveryFormOnce) {
    EXPECT_EQ(S1Lexer::lineStartMarks().size(), 23u);
    EXPECT_EQ(S1Lexer::inlineMarks().size(), 35u);
    EXPECT_EQ(S1Lexer::specials().size(), 26u);
    // Every special but CR starts an inline mark, so a text run never
    // stops empty at an unescaped one.
    for (char16_t c : S1Lexer::specials()) {
        if (c == u'\r') continue;
        bool found = false;
        for (const S1Mark& m : S1Lexer::inlineMarks()) found = found || m.text[0] == c;
        EXPECT_TRUE(found) << static_cast<int>(c);
    }
}

TEST(S1Syntax, DumpsTokensWithTheirTexts) {
    S1Syntax syntax;
    // The macro text in Shift_JIS.
    EXPECT_EQ(dumpTokens(syntax, u"=\n@目次@"),
              "token_id: 02\ntoken_id: 01\ntoken_id: 27\ntoken_id: 28 (\x96\xda\x8e\x9f)\n"
              "token_id: 27\ntoken_id: 01\ntoken_id: 00\n");
}

// Any mix of marks, escapes and line ends ends the run, with the lexer back
// at a line start (run under the sanitizers, this also checks that no
// record or text is lost on the error paths).
TEST(S1Syntax, SurvivesArbitraryMarkup) {
    const std::u16string alphabet = u"a @＠%％#^$_~-+*=!|;`&\\¥\r\n\t■。";
    RandomText random(12345, 0xFFFF);
    S1Syntax syntax;
    for (int round = 0; round < 3000; ++round) {
        const std::u16string text = random(alphabet, 40);
        SCOPED_TRACE(utf8(text));
        events(syntax, text);
        ASSERT_FALSE(HasFailure());
        ASSERT_EQ(static_cast<S1Lexer*>(syntax.getLexer())->getState(), 1);
        ASSERT_EQ(static_cast<S1Parser*>(syntax.getParser())->getEngine().top(), -1);
    }
}

} // namespace
