// What no list of line cases shows: seeded random markup in every syntax,
// texts far longer than a line, and the trace syntax through the model.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>
#include <stdexcept>
#include <thread>
#include <utility>

#include "SyntaxRun.h"
#include "ccc/encoding/EncodingIds.h"
#include "core/model/Model.h"
#include "core/model/SyntaxFactory.h"
#include "core/syntax/s2/S2Lexer.h"
#include "support/Files.h"

using namespace Orvane;
using namespace syntax_test;

namespace {

std::unique_ptr<Syntax> syntax(int number) { return std::unique_ptr<Syntax>(createSyntax(number)); }

std::string run(Syntax& s, const std::u16string& text) {
    return events(s, DString(text.begin(), text.end()));
}

// The events of a fresh syntax of that number, checked to be heard the same
// through a GeneratorPipe (whose blocks long texts fill many times over).
std::string runBothWays(int number, const std::u16string& text) {
    const std::string direct = run(*syntax(number), text);
    EXPECT_EQ(pipedEvents(*syntax(number), DString(text.begin(), text.end())), direct);
    return direct;
}

// Any mix of marks of every form, escapes and line ends ends the run, and
// leaves nothing behind: the next text parses as it would alone (the trace
// syntax excepted, whose lexer state carries on by design).
TEST(RandomMarkup, EveryRunEndsCleanly) {
    const std::u16string alphabet =
        u"ab 。、.,」▲\n\r\t\\¥＼=＝&*＊■○+－-!！|｜~〜;％%#＃^＾$＄_＿`｀@＠";
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        const int number = round % 5;
        auto s = syntax(number);
        if (auto* lexer = dynamic_cast<S2Lexer*>(s->getLexer()))
            lexer->setSpanOptions(random() & 1, random() & 1, random() & 1);
        std::u16string text(random() % 60, u' ');
        for (char16_t& c : text) c = alphabet[random() % alphabet.size()];
        SCOPED_TRACE(number);
        const std::string trace = capturedStdout([&] { ASSERT_TRUE(run(*s, text).ends_with("end")); });
        if (number == 0) {
            ASSERT_TRUE(trace.empty() || trace.ends_with("ACCEPT\n") || trace.ends_with("FAILURE\n"));
            continue;
        }
        ASSERT_EQ(s->getLexer()->getPosition(), text.size());
        ASSERT_EQ(run(*s, u"*h|x\n"), run(*syntax(number), u"*h|x\n"));
    }
}

// A text parsed as it arrives gives the events (and the trace) of the whole
// text, wherever it is cut at a line end: also around marks that run over
// line ends (raw and macro texts, escaped line ends).
TEST(RandomMarkup, ArrivingTextParsesAsTheWhole) {
    const std::u16string alphabet = u"ab 。、.」\n\n\r\\¥＼=*■|~;%#^$＄_@＠`";
    std::mt19937 random(271828);
    for (int round = 0; round < 2000; ++round) {
        const int number = round % 5;
        std::u16string text(random() % 80, u' ');
        for (char16_t& c : text) c = alphabet[random() % alphabet.size()];
        const DString units(text.begin(), text.end());
        SCOPED_TRACE(number);
        std::string whole, arriving;
        const std::string wholeTrace = capturedStdout([&] { whole = run(*syntax(number), text); });
        for (int lines = 1; lines <= 2; ++lines) {
            const std::string trace =
                capturedStdout([&] { arriving = arrivingEvents(*syntax(number), units, lines); });
            ASSERT_EQ(arriving, whole) << qmtest::utf8(units);
            ASSERT_EQ(trace, wholeTrace);
        }
    }
}

// A row keeps two stack entries per cell until the line ends. Beyond the
// stack's limit the cells so far are lost and the ones after the
// overflowing text form a row of their own.
TEST(LongInput, TableRowsOverflowTheStackOnlyFarOut) {
    for (const auto& [cells, kept] : {std::pair{200, 200}, std::pair{50005, 6}}) {
        SCOPED_TRACE(cells);
        std::u16string row;
        for (int i = 0; i < cells; ++i) row += u"|a";
        std::string expected = "beginTableRow";
        for (int i = 0; i < kept; ++i) expected += " beginDataCell beginSpan text(a) endSpan endDataCell";
        EXPECT_EQ(runBothWays(2, row + u"\n"), expected + " endTableRow end");
    }
}

TEST(LongInput, PhraseWalksDoNotRecursePerPhrase) {
    std::u16string line;
    for (int i = 0; i < 100000; ++i) line += u"a;";
    const std::string ev = runBothWays(2, line);
    EXPECT_TRUE(ev.starts_with("beginParagraph beginInline beginSpan text(a) lineBreak text(a)"));
    EXPECT_TRUE(ev.ends_with("lineBreak endSpan endInline endParagraph end"));
}

// A token names at most 65,535 units of source; a longer run of text is
// copied instead, and is heard whole all the same.
TEST(LongInput, TextRunsPastWhatATokenNamesAreHeardWhole) {
    for (const std::size_t n : {std::size_t(65535), std::size_t(65536), std::size_t(70001)}) {
        const std::u16string text(n, u'あ');
        const std::string ev = runBothWays(2, text + u"\n" + text + u"\n");
        const std::string heard = "text(" + utf8(TextRef(reinterpret_cast<const unsigned short*>(text.data()), n)) + ")";
        const std::size_t first = ev.find(heard);
        ASSERT_NE(first, std::string::npos) << n;
        EXPECT_NE(ev.find(heard, first + heard.size()), std::string::npos) << n;
    }
}

// What the generator throws on the pipe's thread is thrown again where the
// pipe is finished, after the parse has run to its end; so is what it
// throws on the blocks the parsing thread replays itself at the finish (a
// short text's only one). A pipe dropped unfinished (the parse itself
// failed) stops its thread.
TEST(LongInput, APipedGeneratorsFailureReachesTheParsingThread) {
    struct Failing : RecordingGenerator {
        void text(TextRef) override { throw std::runtime_error("disk full"); }
    };
    const std::u16string line(200000, u'a');
    const DString longText = DString(line.begin(), line.end()) + DString(3, u'\n') + DString(line.begin(), line.end());
    const DString shortText = DString::fromAscii("a\n");
    for (const auto& [text, finished] : {std::pair{longText, true}, std::pair{longText, false},
                                         std::pair{shortText, true}, std::pair{shortText, false}}) {
        Failing g;
        Diagnostics diagnostics;
        GeneratorPipe pipe(g, diagnostics);
        ASSERT_TRUE(pipe.start());
        EXPECT_TRUE(syntax(2)->parse(nullptr, text.data(), static_cast<std::uint32_t>(text.size()), &pipe));
        if (finished) {
            EXPECT_THROW(pipe.finish(), std::runtime_error);
        }
    }
}

// A writing thread held up on its first block leaves the blocks queued
// behind it to the parsing thread, which writes them after that one, in
// order.
TEST(LongInput, BlocksLeftWaitingAreWrittenAfterTheThreadsOwn) {
    struct HeldUp : RecordingGenerator {
        bool held = false;
        void beginParagraph() override {
            if (!std::exchange(held, true)) std::this_thread::sleep_for(std::chrono::milliseconds(50));
            RecordingGenerator::beginParagraph();
        }
    };
    std::u16string text;
    for (int i = 0; i < 4000; ++i) text += u"a。b;" + std::u16string(1, static_cast<char16_t>(u'c' + i % 20)) + u"\n";
    EXPECT_EQ(pipedEvents<HeldUp>(*syntax(2), DString(text.begin(), text.end())), run(*syntax(2), text));
}

// A generator that throws in the middle of a line's phrases leaves the
// line's records whole, for the parse to delete with the line (a leak
// checker sees any it loses), and the syntax holds nothing of the text cut
// short (its values name that text): the next text parses as it would alone.
TEST(GeneratorFailure, AThrowMidLineLosesNoRecords) {
    struct Failing : RecordingGenerator {
        int texts = 0;
        void text(TextRef t) override {
            if (++texts == 2) throw std::runtime_error("disk full");
            RecordingGenerator::text(t);
        }
    };
    const std::unique_ptr<Syntax> s = syntax(2);
    for (const char16_t* text : {u"a。b;c。d\n", u"|a。b|c。d\n"}) {
        const DString units(text, text + std::char_traits<char16_t>::length(text));
        Failing g;
        EXPECT_THROW(s->parse(nullptr, units.data(), static_cast<std::uint32_t>(units.size()), &g), std::runtime_error);
    }
    EXPECT_EQ(run(*s, u"a\n"), "beginParagraph beginInline beginSpan text(a) endSpan endInline endParagraph end");
}

// Two texts in a row through the model and the trace writer: the first ends
// without a line end, so the second's heading mark is lost to the
// carried-over lexer state.
TEST(TraceGolden, TwoTextsPrintTheExpectedTrace) {
    const auto data = qmtest::fs::path(QM_TEST_DIR) / "data/syntax";
    Model model;
    model.setSyntax(0);
    model.setGenerator(0);
    for (const char* name : {"trace.txt", "trace2.txt"})
        model.addSrcText((data / name).string().c_str(), CCC::ceid::kUtf8N, nullptr, CCC::ceid::kUtf8N, 0);
    bool ok = false;
    const std::string out = capturedStdout([&] {
        model.resetTemplate();
        model.setDefaultTemplate();
        ok = model.generate(nullptr);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(out, qmtest::readBytes(data / "trace.out") + qmtest::readBytes(data / "trace2.out"));
}

} // namespace
