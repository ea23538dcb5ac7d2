// The markup with macros, line by line: what each construct makes of the
// events, and how the lexer cuts the text.
#include <gtest/gtest.h>

#include <string>

#include "../syntax/RecordingGenerator.h"
#include "core/syntax/s1/S1Syntax.h"
#include "core/syntax/s1/S1Tokens.h"

using namespace Orvane;
using syntax_test::RecordingGenerator;
using syntax_test::utf16;
using syntax_test::utf8;

namespace {

std::string events(const std::u16string& text) {
    S1Syntax syntax;
    RecordingGenerator g;
    const DString s = utf16(text);
    EXPECT_TRUE(syntax.parse(nullptr, s.data(), static_cast<std::uint32_t>(s.size()), &g));
    return g.events;
}

// Every token as its code, with its text in parentheses when it has one.
std::string tokens(S1Lexer& lexer, const DString& s) {
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

std::string tokens(const std::u16string& text) {
    S1Lexer lexer;
    return tokens(lexer, utf16(text));
}

const std::string P = "beginParagraph beginInline ";
const std::string EP = " endInline endParagraph";

struct Case {
    const char16_t* text;
    std::string events;
};

const Case kLines[] = {
    // The macro, its forms and its texts.
    {u"@toc@\n", P + "macro(toc)" + EP + " end"},
    {u"＠目次＠\n", P + "macro(目次)" + EP + " end"},
    {u"a@x@@y@b\n", P + "text(a) macro(x) macro(y) text(b)" + EP + " end"},
    {u"@@\n", P + "macro()" + EP + " end"},
    {u"@two\r\nlines\x01@\n", P + "macro(two\nlines)" + EP + " end"},
    {u"@a\\@b@\n", P + "macro(a@b)" + EP + " end"},
    {u"\\@a\\\\b\n", P + "text(@a\\b)" + EP + " end"},
    // An unclosed macro takes the rest of the text and the line is lost.
    {u"a\n@open\nrest", P + "text(a)" + EP + " end"},
    // Images are inline; a line of images or comments is still a paragraph.
    {u"%a.png%A%\n", P + "image(a.png,A,inline)" + EP + " end"},
    {u"％a.png％A％\n", P + "image(a.png,A,inline)" + EP + " end"},
    {u"_note_\n", P + "comment(note)" + EP + " end"},
    {u"__ note\n", P + "blockComment( note)" + EP + " end"},
    {u"x%p.png%P%\n", P + "text(x) image(p.png,P,inline)" + EP + " end"},
    // No spans: sentence ends, span breaks and brackets are plain text.
    {u"。。。」\n", P + "text(。。。」)" + EP + " end"},
    {u"今日は晴れ。明日は▲雨。\n", P + "text(今日は晴れ。明日は▲雨。)" + EP + " end"},
    // Title and split lines.
    {u"=Title\n", "setTitle(Title) end"},
    {u"=a#b%c\n", "setTitle(a#b%c) end"},
    {u"&Part two\n", "newOutput setTitle(Part two) end"},
    {u"&\nabc\n", P + "text(abc)" + EP + " end"},
    // No page marks beyond the plain forms: after "~=" the title scanner
    // takes the rest, and the line resumes as a new one after the error.
    {u"~=i~\n", P + "text(i~)" + EP + " end"},
    {u"~~a~1~b~-3~\n", P + "pageNumber(null) text(a) pageNumber(1) text(b) pageNumber(-3)" + EP + " end"},
    // The other inline constructs.
    {u"`漢字`かんじ`\n", P + "ruby(漢字,かんじ)" + EP + " end"},
    {u"#n#t#$<b>\nx$;^u^v^\n",
     P + "anchor(n,t) rawText(<b>\nx) lineBreak link(u,v) text()" + EP + " end"},
    // Headings, lists, rules and tables.
    {u"*見出し\n", "beginHeading(1) beginInline text(見出し) endInline endHeading(1) end"},
    {u"******六\n", "beginHeading(6) beginInline text(六) endInline endHeading(6) end"},
    {u"◆@m@\n", "beginHeading(3) beginInline macro(m) endInline endHeading(3) end"},
    {u"+項目\n", "listItem(1) beginInline text(項目) endInline setListState(1) end"},
    {u"-+項目\n", "listItem(10) beginInline text(項目) endInline setListState(10) end"},
    {u"－－＋x\n", "listItem(14) beginInline text(x) endInline setListState(14) end"},
    {u"----\n", "horizontalRule end"},
    {u"!名前|値\n",
     "beginTableRow beginHeaderCell text(名前) endHeaderCell beginDataCell text(値) endDataCell endTableRow end"},
    {u"|a|b|\n",
     "beginTableRow beginDataCell text(a) endDataCell beginDataCell text(b) endDataCell beginDataCell "
     "endDataCell endTableRow end"},
    {u"|@m@|%i%I%\n",
     "beginTableRow beginDataCell macro(m) endDataCell beginDataCell image(i,I,inline) endDataCell "
     "endTableRow end"},
    // The text after an image's third "%" is read literally to the line end.
    {u"|%i%I%|x\n", "beginTableRow beginDataCell image(i,I,inline) text(|x) endDataCell endTableRow end"},
    // Empty lines, missing line ends and errors.
    {u"", "end"},
    {u"\n", "newLine end"},
    {u"abc", P + "text(abc)" + EP + " end"},
    {u"a\r\n\r\nb\r\n", P + "text(a)" + EP + " newLine " + P + "text(b)" + EP + " end"},
    {u"a|b\nc\n", P + "text(b)" + EP + " " + P + "text(c)" + EP + " end"},
    {u"%a%b\nc\n", P + "text(c)" + EP + " end"},
};

TEST(S1Syntax, LinesGiveTheirEvents) {
    for (const Case& c : kLines) {
        SCOPED_TRACE(utf8(utf16(c.text)));
        EXPECT_EQ(events(c.text), c.events);
    }
}

TEST(S1Syntax, OneSyntaxServesManyTexts) {
    S1Syntax syntax;
    RecordingGenerator g;
    // The first text stops inside a macro; the next one starts cleanly.
    for (const std::u16string text : {u"a@open", u"*h\n"}) {
        const DString s = utf16(text);
        EXPECT_TRUE(syntax.parse(nullptr, s.data(), static_cast<std::uint32_t>(s.size()), &g));
        EXPECT_EQ(static_cast<S1Lexer*>(syntax.getLexer())->getState(), 1);
    }
    EXPECT_EQ(g.events, "end beginHeading(1) beginInline text(h) endInline endHeading(1) end");
}

struct TokenCase {
    const char16_t* text;
    const char* tokens;
};

const TokenCase kTokens[] = {
    {u"@toc@\n", "27 28(toc) 27 1 0"},
    {u"a@b", "3(a) 27 28(b) 1 0"},
    {u"@a@@", "27 28(a) 27 27 1 0"},
    {u"。。。」", "3(。。。」) 1 0"},
    {u"=a#b\n", "2 3(a#b) 1 0"},
    {u"%a%b%\n", "19 3(a) 19 3(b) 19 1 0"},
    {u"%a\\%b%\n", "19 3(a%b) 19 1 0"},
    {u"_x_\n", "24 25(x) 24 1 0"},
    {u"__ x\\_\n", "24 24 26( x\\_) 1 0"},
    {u"| \n", "15 1 1 0"},
    {u"a\rb\n", "3(ab) 1 0"},
    {u"\\\\\\~", "3(\\\\~) 1 0"},
    {u"a-b*c=d+e&f\n", "3(a-b*c=d+e&f) 1 0"},
    {u"^x^\n", "21 3(x) 21 3() 1 0"},
    {u"$a\r\nb$x", "22 23(a\nb) 22 3(x) 1 0"},
    // Line-start marks count only at the start of a line.
    {u"&t\n■□◆◇●○\n", "4 3(t) 1 6 3(□◆◇●○) 1 0"},
};

TEST(S1Lexer, CutsTokens) {
    for (const TokenCase& c : kTokens) {
        SCOPED_TRACE(utf8(utf16(c.text)));
        EXPECT_EQ(tokens(c.text), c.tokens);
    }
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

} // namespace

namespace {

TEST(S1Syntax, DumpsTokensWithTheirTexts) {
    S1Syntax syntax;
    const DString s = utf16(u"=\n@目次@");
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(syntax.dumpTokens(nullptr, s.data(), static_cast<std::uint32_t>(s.size())));
    std::fflush(stdout);
    // The macro text in Shift_JIS.
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "token_id: 02\ntoken_id: 01\ntoken_id: 27\ntoken_id: 28 (\x96\xda\x8e\x9f)\n"
              "token_id: 27\ntoken_id: 01\ntoken_id: 00\n");
}

} // namespace

namespace {

// Any mix of marks, escapes and line ends ends the run, with the lexer back
// at a line start (run under the sanitizers, this also checks that no
// record or text is lost on the error paths).
TEST(S1Syntax, SurvivesArbitraryMarkup) {
    const std::u16string alphabet = u"a @＠%％#^$_~-+*=!|;`&\\¥\r\n\t■。";
    std::uint32_t seed = 12345;
    S1Syntax syntax;
    for (int round = 0; round < 3000; ++round) {
        std::u16string text;
        seed = seed * 1103515245u + 12345u;
        const int n = static_cast<int>(seed >> 16) % 40;
        for (int i = 0; i < n; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += alphabet[(seed >> 16) % alphabet.size()];
        }
        RecordingGenerator g;
        const DString s = utf16(text);
        ASSERT_TRUE(syntax.parse(nullptr, s.data(), static_cast<std::uint32_t>(s.size()), &g));
        ASSERT_EQ(static_cast<S1Lexer*>(syntax.getLexer())->getState(), 1) << utf8(s);
        ASSERT_EQ(static_cast<S1Parser*>(syntax.getParser())->getEngine().top(), -1) << utf8(s);
    }
}

} // namespace
