#pragma once

// Running a syntax over a text in a test: its events as one line of words,
// and what it prints on standard output on the way.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/generator/Generator.h"
#include "core/generator/GeneratorPipe.h"
#include "core/syntax/Syntax.h"
#include "support/LibraryStartup.h"
#include "support/Utf.h"

namespace syntax_test {

using qmtest::DString;

inline std::string utf8(Orvane::TextRef s) { return s ? qmtest::utf8(DString(*s)) : std::string("null"); }

#define QM_RECORD(name) void name() override { add(#name); }
#define QM_RECORD_INT(name) void name(int n) override { add(#name "(" + std::to_string(n) + ")"); }
#define QM_RECORD_TEXT(name) void name(Orvane::TextRef t) override { add(#name "(" + utf8(t) + ")"); }
#define QM_RECORD_PAIR(name) \
    void name(Orvane::TextRef a, Orvane::TextRef b) override { add(#name "(" + utf8(a) + "," + utf8(b) + ")"); }

// Writes every event as "name" or "name(args)", separated by spaces; the end
// of the source is "end".
class RecordingGenerator : public Orvane::Generator {
public:
    RecordingGenerator() : Generator(nullptr) {}

    std::string events;

    void endSrcText() override { add("end"); }
    void image(Orvane::TextRef s, Orvane::TextRef a, bool block) override {
        add("image(" + utf8(s) + "," + utf8(a) + (block ? ",block)" : ",inline)"));
    }
    QM_RECORD(newOutput) QM_RECORD(horizontalRule) QM_RECORD(newLine) QM_RECORD(lineBreak)
    QM_RECORD(beginParagraph) QM_RECORD(endParagraph) QM_RECORD(beginInline) QM_RECORD(endInline)
    QM_RECORD(beginHeaderCell) QM_RECORD(endHeaderCell) QM_RECORD(beginDataCell) QM_RECORD(endDataCell)
    QM_RECORD(beginTableRow) QM_RECORD(endTableRow) QM_RECORD(beginSpan) QM_RECORD(endSpan)
    QM_RECORD_INT(beginHeading) QM_RECORD_INT(endHeading) QM_RECORD_INT(listItem) QM_RECORD_INT(setListState)
    QM_RECORD_TEXT(pageNumber) QM_RECORD_TEXT(setTitle) QM_RECORD_TEXT(text) QM_RECORD_TEXT(rawText)
    QM_RECORD_TEXT(comment) QM_RECORD_TEXT(blockComment) QM_RECORD_TEXT(macro) QM_RECORD_TEXT(title)
    QM_RECORD_TEXT(pageFront) QM_RECORD_TEXT(pageSpecial)
    QM_RECORD_PAIR(anchor) QM_RECORD_PAIR(link) QM_RECORD_PAIR(ruby)

private:
    void add(const std::string& e) {
        if (!events.empty()) events += ' ';
        events += e;
    }
};

#undef QM_RECORD
#undef QM_RECORD_INT
#undef QM_RECORD_TEXT
#undef QM_RECORD_PAIR

template <class F>
std::string capturedStdout(F run) {
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    run();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

// The events of one text parsed by the syntax.
inline std::string events(Orvane::Syntax& syntax, const DString& text) {
    RecordingGenerator g;
    EXPECT_TRUE(syntax.parse(nullptr, text.data(), static_cast<std::uint32_t>(text.size()), &g));
    return g.events;
}

// A text that arrives `lines` lines at a time, each time the parser asks.
class LinesArrival : public Orvane::TextArrival {
public:
    LinesArrival(const DString& text, int lines) : text_(text), lines_(lines) {}
    std::uint32_t waitBeyond(std::uint32_t have) override {
        std::size_t end = have;
        for (int n = 0; n < lines_ && end < text_.size(); ++n) {
            const std::size_t lf = text_.find(u'\n', end);
            end = lf == DString::npos ? text_.size() : lf + 1;
        }
        return static_cast<std::uint32_t>(end);
    }
    bool beyondP(std::uint32_t) override { return true; }

private:
    const DString& text_;
    int lines_;
};

// The events of the text parsed as it arrives, `lines` lines at a time.
inline std::string arrivingEvents(Orvane::Syntax& syntax, const DString& text, int lines) {
    RecordingGenerator g;
    LinesArrival arrival(text, lines);
    EXPECT_TRUE(syntax.parse(nullptr, text.data(), arrival.waitBeyond(0), &g, &arrival));
    return g.events;
}

// The same heard through a GeneratorPipe, on the pipe's thread, its blocks
// readied first as for a text still arriving; G is a RecordingGenerator
// that may also do something of its own.
template <class G = RecordingGenerator>
std::string pipedEvents(Orvane::Syntax& syntax, const DString& text) {
    G g;
    Orvane::Diagnostics diagnostics;
    Orvane::GeneratorPipe pipe(g, diagnostics);
    EXPECT_TRUE(pipe.start());
    while (pipe.prepare()) {
    }
    syntax.setDiagnostics(&pipe.syntaxDiagnostics());
    EXPECT_TRUE(syntax.parse(nullptr, text.data(), static_cast<std::uint32_t>(text.size()), &pipe));
    pipe.finish();
    syntax.setDiagnostics(nullptr);
    return g.events;
}

} // namespace syntax_test
