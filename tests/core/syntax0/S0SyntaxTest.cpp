// The trace grammar: the events of each line and the trace lines printed
// on standard output on the way; then whole manuscripts against the
// expected output (texts print in Shift_JIS; the files hold every byte).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "../syntax/RecordingGenerator.h"
#include "core/syntax/s0/S0Syntax.h"

using namespace Orvane;
using namespace syntax_test;

namespace {

struct Outcome {
    std::string events;
    std::string trace;
};

Outcome run(S0Syntax& syntax, const std::u16string& text) {
    Outcome r;
    r.trace = capturedStdout([&] { r.events = events(syntax, text); });
    return r;
}

const std::string R0 = "RULE 0: src ::= lines .\n";
const std::string R1 = "RULE 1: lines ::= . \n";
const std::string R2 = "RULE 2: lines ::= lines line .\n";
const std::string R3 = "RULE 3: line ::= phrases NL .\n";
const std::string R6 = "RULE 6: line ::= ASTER phrases NL .\n";
const std::string R7 = "RULE 7: line ::= EQ STRING NL .\n";
const std::string R8 = "RULE 8: phrases ::= .\n";
const std::string R9 = "RULE 9: phrases ::= phrase phrases .\n";
const std::string R10 = "RULE 10: phrase_exp ::= STRING .\n";
const std::string R11 = "RULE 11: phrase_exp ::= SHARP STRING SHARP STRING SHARP .\n";
const std::string R12 = "RULE 12: phrase_exp ::= AMP STRING AMP STRING AMP .\n";
const std::string ACCEPT = "ACCEPT\n";
const std::string FAILURE = "FAILURE\n";
// A phrase: reduced when the token after it arrives.
const std::string PH = R10 + R9;

struct Case {
    const char16_t* text;
    std::string events;
    std::string trace;
};

const Case kCases[] = {
    {u"", "end", ""},
    {u"\n", "end", R1 + R8 + R3 + R2 + R0 + ACCEPT},
    {u"a#n#t#b\n", "text(a) anchor(n,t) text(b) end", R1 + R8 + PH + R11 + R9 + PH + R3 + R2 + R0 + ACCEPT},
    // The line end arrives where the third "#" belongs.
    {u"a#n#t\n", "text(a) end", R1 + R8 + PH + FAILURE},
    // Without a final LF the line's phrases are out, the line never is.
    {u"abc", "text(abc) end", R1 + R8 + PH + FAILURE},
    {u"a\nb", "text(a) text(b) end", R1 + R8 + PH + R3 + R2 + R8 + PH + FAILURE},
    {u"=Title\n", "setTitle(Title) end", R1 + R7 + R2 + R0 + ACCEPT},
    {u"*head\n", "text(head) end", R1 + R8 + PH + R6 + R2 + R0 + ACCEPT},
    {u"&u&t&\n", "link(u,t) end", R1 + R8 + R12 + R9 + R3 + R2 + R0 + ACCEPT},
    // Escape characters, CR and marks out of place stay in the text.
    {u"x\\#y¥&z\r\n", "text(x\\#y¥&z\r) end", R1 + R8 + PH + R3 + R2 + R0 + ACCEPT},
    {u"a*b=c\n", "text(a*b=c) end", R1 + R8 + PH + R3 + R2 + R0 + ACCEPT},
    // Full-width marks are text; "=" without its title fails at the LF,
    // and the next line starts afresh.
    {u"＃a＃\n=\nb\n", "text(＃a＃) text(b) end",
     R1 + R8 + PH + R3 + R2 + FAILURE + R1 + R8 + PH + R3 + R2 + R0 + ACCEPT},
};

TEST(S0Syntax, LinesGiveTheirEventsAndTraces) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(utf8(c.text));
        S0Syntax syntax;
        const Outcome r = run(syntax, c.text);
        EXPECT_EQ(r.events, c.events);
        EXPECT_EQ(r.trace, c.trace);
    }
}

TEST(S0Syntax, LexerStateCarriesIntoTheNextText) {
    S0Syntax syntax;
    run(syntax, u"abc");
    // The first line of the next text has lost its line-start mark.
    const Outcome r = run(syntax, u"*x\n=y\n");
    EXPECT_EQ(r.events, "text(*x) setTitle(y) end");
    EXPECT_EQ(r.trace, R1 + R8 + PH + R3 + R2 + R7 + R2 + R0 + ACCEPT);
    // A text that ended on its LF leaves the next one clean.
    const Outcome clean = run(syntax, u"*x\n");
    EXPECT_EQ(clean.events, "text(x) end");
}

TEST(S0Syntax, DumpsTokensWithoutAnAddedLineEnd) {
    S0Syntax syntax;
    EXPECT_EQ(dumpTokens(syntax, u"=\n#a"),
              "token_id: 03\ntoken_id: 01\ntoken_id: 05\ntoken_id: 04 (a)\ntoken_id: 00\n");
}

// Any mix of marks, escapes and line ends ends the run with an empty stack.
TEST(S0Syntax, SurvivesArbitraryMarkup) {
    const std::u16string alphabet = u"a #&*=\\¥\r\n";
    RandomText random(54321, 0xFFFF);
    S0Syntax syntax;
    for (int round = 0; round < 2000; ++round) {
        const std::u16string text = random(alphabet, 30);
        const Outcome r = run(syntax, text);
        ASSERT_EQ(static_cast<S0Parser*>(syntax.getParser())->getEngine().top(), -1);
        // Every text ends in exactly one verdict, unless it was empty of lines.
        const bool accepted = r.trace.ends_with(ACCEPT), failed = r.trace.ends_with(FAILURE);
        ASSERT_TRUE(accepted || failed || r.trace.empty()) << utf8(text);
    }
}

const fs::path kData = fs::path(QM_TEST_DIR) / "data/syntax0";

// Two texts in a row through the model: the first ends without a line end,
// so the second's heading mark is lost to the carried-over lexer state.
TEST(TraceGolden, TwoTextsPrintTheExpectedTrace) {
    Model model;
    model.setSyntax(0);
    ASSERT_TRUE(model.getSyntax());
    model.setGenerator(0);
    for (const char* name : {"trace.txt", "trace2.txt"})
        model.addSrcText((kData / name).string().c_str(), kUtf8WithoutMark, nullptr, kUtf8WithoutMark, 0);
    bool ok = false;
    const std::string out = capturedStdout([&] { ok = generate(model, nullptr); });
    ASSERT_TRUE(ok);
    EXPECT_EQ(out, readBytes(kData / "trace.out") + readBytes(kData / "trace2.out"));
}

// The command-line tool prints the same for one text.
TEST(TraceGolden, CommandLinePrintsTheExpectedTrace) {
    if (!fs::exists(QM_CLI)) GTEST_SKIP() << "the quillmark tool is not built";
    const fs::path out = fs::temp_directory_path() / ("qm-trace0-" + std::to_string(std::random_device()()));
    const std::string command = std::string("'") + QM_CLI + "' trace --syntax 0 -f utf-8 '" +
                                (kData / "trace.txt").string() + "' > '" + out.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(readBytes(out), readBytes(kData / "trace.out"));
    std::error_code ec;
    fs::remove(out, ec);
}

} // namespace
