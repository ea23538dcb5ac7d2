// The conversion core on a 10 MB manuscript: the XHTML writer fed with
// paragraph events alone, and the whole run (read UTF-8, parse, fill the
// template, write) as the application makes it. Goal: about 0.1 s per run.
// Then the parse and the writing alone, in memory, of a 1 MB manuscript of
// every kind of block: the steadiest measure of the parsing thread's work.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchProse.h"
#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"
#include "core/generator/Generator1.h"
#include "core/generator/GeneratorPipe.h"
#include "core/model/Diagnostics.h"
#include "core/model/Log.h"
#include "core/model/Model.h"
#include "core/model/SyntaxFactory.h"
#include "core/syntax/Lexer.h"
#include "core/syntax/Parser.h"
#include "core/syntax/Syntax.h"
#include "core/syntax/Token.h"

namespace {

using Orvane::DString;
constexpr std::size_t kManuscriptBytes = 10 * 1024 * 1024;

// Kana and kanji in lines of about forty characters, a few characters that
// need escaping; UTF-8.
const std::string& manuscript() {
    static const std::string text = [] {
        std::string s;
        s.reserve(kManuscriptBytes + 8);
        bench::ProseRandom random;
        auto next = [&random] { return random.next(); };
        int column = 0;
        while (s.size() < kManuscriptBytes) {
            const unsigned r = next() % 1000;
            unsigned cp;
            if (r < 450) cp = 0x3041 + next() % 83;        // hiragana
            else if (r < 600) cp = 0x30A1 + next() % 86;   // katakana
            else if (r < 950) cp = 0x4E00 + next() % 3000; // kanji
            else if (r < 995) cp = 0x3001 + next() % 2;    // 、。
            else cp = "<&>"[next() % 3];
            bench::appendUtf8(s, cp);
            if (++column == 40) s.push_back('\n'), column = 0;
        }
        return s;
    }();
    return text;
}

// Stands in for a markup syntax: every line is a paragraph.
class LineLexer : public Orvane::Lexer {
public:
    Orvane::Token* nextToken() override {
        if (position >= length) return new Orvane::Token(0);
        std::uint32_t end = position;
        while (end < length && source[end] != '\n') ++end;
        auto* token = new Orvane::Token(1, new DString(source + position, end - position));
        position = end < length ? end + 1 : end;
        return token;
    }
};

class LineParser : public Orvane::Parser {
public:
    void feed(Orvane::Token* token, Orvane::Generator* g) override {
        if (token->code != 1) return;
        g->beginParagraph();
        g->beginInline();
        g->text(token->value);
        g->endInline();
        g->endParagraph();
    }
};

class LineSyntax : public Orvane::Syntax {
public:
    LineSyntax() : Syntax(new LineLexer, new LineParser) {}
};

std::string sourceFile() {
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / "qm-bench-core" / "book.txt";
        std::filesystem::create_directories(p.parent_path());
        std::FILE* f = std::fopen(p.string().c_str(), "wb");
        std::fwrite(manuscript().data(), 1, manuscript().size(), f);
        std::fclose(f);
        return p.string();
    }();
    return path;
}

void BM_WriterParagraphs(benchmark::State& state) {
    CCC::Ccc::initialize();
    // The manuscript's lines as UTF-16, the events of a line syntax.
    std::vector<DString> lines;
    {
        DString all;
        CCC::Iceman::convertToDString(8, 10, CCC::TString<char>(manuscript().data(), manuscript().size()), all);
        for (std::size_t from = 0; from < all.size();) {
            std::size_t end = all.find(static_cast<unsigned short>('\n'), from);
            if (end == DString::npos) end = all.size();
            lines.emplace_back(all.substr(from, end - from));
            from = end + 1;
        }
    }
    Orvane::Generator1 writer(nullptr);
    writer.setTateP(true);
    for (auto _ : state) {
        writer.beginSrcText(nullptr);
        for (const DString& line : lines) {
            writer.beginParagraph();
            writer.text(&line);
            writer.endParagraph();
        }
        benchmark::DoNotOptimize(writer.getBodyValue().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * manuscript().size()));
}
BENCHMARK(BM_WriterParagraphs)->Unit(benchmark::kMillisecond);

// Arguments: syntax (-1 the line syntax, 2 the span-aware markup when it is
// built in) and output encoding (37 cp932 as Shift_JIS, 8 UTF-8).
void BM_GenerateEndToEnd(benchmark::State& state) {
    CCC::Ccc::initialize();
    const int syntax = static_cast<int>(state.range(0));
    const CCC::CeId out = static_cast<CCC::CeId>(state.range(1));
    Orvane::Model model;
    if (syntax < 0) {
        model.setSyntax(std::make_unique<LineSyntax>());
    } else {
        model.setSyntax(syntax);
        if (!model.getSyntax()) {
            state.SkipWithError("syntax not built in yet");
            return;
        }
    }
    model.setGenerator(1);
    static_cast<Orvane::Generator1*>(model.getGenerator())->setTateP(true);
    model.addSrcText(sourceFile().c_str(), 8, nullptr, out, 5);
    DString logText;
    auto log = Orvane::Log::toString(&logText);
    for (auto _ : state) {
        if (!model.run(log.get())) {
            state.SkipWithError("generate failed");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * manuscript().size()));
}
BENCHMARK(BM_GenerateEndToEnd)
    ->Args({-1, 37})
    ->Args({-1, 8})
    ->Args({2, 37})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Argument: 0 the writer hears the syntax directly; 1 through the pipe, on
// a thread of its own, as a long conversion runs.
void BM_ParseManuscript(benchmark::State& state) {
    CCC::Ccc::initialize();
    constexpr std::size_t kParsedBytes = 1024 * 1024;
    static const std::string utf8 = bench::makeDocuments(kParsedBytes).manuscript;
    static const DString text = [] {
        DString units;
        CCC::Iceman::convertToDString(8, 10, CCC::TString<char>(utf8.data(), utf8.size()), units);
        return units;
    }();
    const auto length = static_cast<std::uint32_t>(text.size());
    const std::unique_ptr<Orvane::Syntax> syntax(Orvane::createSyntax(2));
    Orvane::Generator1 writer(nullptr);
    for (auto _ : state) {
        writer.beginSrcText(nullptr);
        if (state.range(0) == 0) {
            syntax->parse(nullptr, text.data(), length, &writer);
        } else {
            Orvane::Diagnostics diagnostics;
            Orvane::GeneratorPipe pipe(writer, diagnostics);
            if (!pipe.start()) {
                state.SkipWithError("no thread for the pipe");
                return;
            }
            syntax->setDiagnostics(&pipe.syntaxDiagnostics());
            syntax->parse(nullptr, text.data(), length, &pipe);
            pipe.finish();
            syntax->setDiagnostics(nullptr);
        }
        benchmark::DoNotOptimize(writer.getBodyValue().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * utf8.size()));
}
BENCHMARK(BM_ParseManuscript)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
