// Lines in, tokens and events out, for every syntax: the cases are data in
// tests/data/syntax/*.cases, read by this one driver. A file is a series of
// lines:
//   syntax N [spans ten,period,comma]  the syntax of the cases below
//   in: TEXT     a text, given to a new syntax ("then:" to the previous one)
//   tokens: ...  the lexer's tokens by name, texts in parentheses, to "$"
//   events: ...  the generator's events, "end" for the end of the source
//   trace: ...   what syntax 0 prints: Rn for its "RULE n: ..." lines
//   dump: ...    what dumpTokens prints
//   diagnostics: ...  what a conversion run of the text (as UTF-8) finds
//                in it, "LINE:COLUMN kind" each; nothing when it is clean
// Texts and expectations take the escapes of qmtest::unescape (\n \r \t \0
// \\ \xHH); lines starting with # are comments.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <cstdint>
#include <sstream>

#include "SyntaxRun.h"
#include "support/Corpus.h"
#include "core/model/Model.h"
#include "core/model/SyntaxFactory.h"
#include "core/syntax/markup/MarkupGrammar.h"
#include "core/syntax/s0/S0Grammar.h"
#include "core/syntax/s2/S2Lexer.h"
#include "support/Corpus.h"

using namespace Orvane;
using namespace syntax_test;

namespace {

namespace fs = std::filesystem;

// Token names with their texts, up to the end token.
std::string tokens(Syntax& syntax, const Grammar& grammar, const DString& text) {
    Lexer& lexer = *syntax.getLexer();
    lexer.setSource(text.data(), static_cast<std::uint32_t>(text.size()));
    std::string out;
    for (int guard = 0; guard < 1000; ++guard) {
        const Token* const t = lexer.nextToken();
        out += (out.empty() ? "" : " ") + grammar.nameOf(t->code);
        if (t->textP()) {
            const auto units = t->textIn(text.data());
            out += "(" + utf8(TextRef(units.data(), units.size())) + ")";
        }
        if (t->code == 0) return out;
    }
    return out + " ...";
}

// The diagnostics of a whole run of the text, as the conversion makes them
// (the XHTML writer adds its structure warnings), with the writer on the
// parsing thread or (pipedFrom 0) on its own.
std::string diagnostics(std::unique_ptr<Syntax> syntax, const std::string& utf8Text, std::size_t pipedFrom) {
    Model model;
    model.setSyntax(std::move(syntax));
    model.setGenerator(1);
    model.setPipedFromUnits(pipedFrom);
    SrcText* src = model.addSrcText("t.txt", CCC::ceid::kUtf8N, nullptr, CCC::ceid::kUtf8N, CCC::nlconv::kNone);
    src->setPreloadedBytes(std::make_shared<const std::string>(utf8Text));
    model.setKeepOutputsP(true);
    EXPECT_TRUE(model.run(nullptr));
    std::string out;
    for (const Diagnostic& d : src->getDiagnostics().items())
        out += (out.empty() ? "" : " ") + std::to_string(d.line) + ":" + std::to_string(d.column) + " " +
               Diagnostics::kindName(d.kind);
    return out;
}

// "RULE 10: phrase_exp ::= STRING .\n" as R10; other lines as they are.
std::string briefTrace(const std::string& printed) {
    std::istringstream lines(printed);
    std::string line, out;
    while (std::getline(lines, line)) {
        if (!out.empty()) out += ' ';
        out += line.starts_with("RULE ") ? "R" + line.substr(5, line.find(':') - 5) : line;
    }
    return out;
}

class Cases {
public:
    void setSyntax(std::istringstream& words) {
        std::string option;
        words >> number_ >> option >> spans_;
        grammar_ = std::make_unique<Grammar>(number_ == 0 ? S0Grammar::make() : MarkupGrammar::make(number_ >= 2));
    }

    std::unique_ptr<Syntax> newSyntax() const {
        std::unique_ptr<Syntax> s(createSyntax(number_));
        auto on = [&](const char* name) { return spans_.find(name) != std::string::npos; };
        if (auto* lexer = dynamic_cast<S2Lexer*>(s->getLexer())) lexer->setSpanOptions(on("ten"), on("period"), on("comma"));
        return s;
    }

    void input(const std::string& text, bool fresh) {
        utf8_ = text;
        text_ = qmtest::u16(text);
        if (fresh || !syntax_) syntax_ = newSyntax();
        fresh_ = fresh;
        parsed_ = false;
    }

    void expect(const std::string& what, const std::string& expected) {
        if (what == "tokens") {
            EXPECT_EQ(tokens(*newSyntax(), *grammar_, text_), expected);
        } else if (what == "dump") {
            EXPECT_EQ(capturedStdout([&] { newSyntax()->dumpTokens(nullptr, text_.data(), text_.size()); }), expected);
        } else if (what == "diagnostics") {
            EXPECT_EQ(diagnostics(newSyntax(), utf8_, SIZE_MAX), expected);
            EXPECT_EQ(diagnostics(newSyntax(), utf8_, 0), expected) << "written on a thread of its own";
        } else if (what == "events" || what == "trace") {
            if (!parsed_) {
                trace_ = briefTrace(capturedStdout([&] { events_ = events(*syntax_, text_); }));
                parsed_ = true;
                // Syntaxes 1 to 4 always end a text back at a line start.
                if (auto* lexer = dynamic_cast<MarkupLexer*>(syntax_->getLexer())) {
                    EXPECT_EQ(lexer->getState(), markup::kLineStart);
                }
            }
            EXPECT_EQ(what == "events" ? events_ : trace_, expected);
            if (what == "events" && fresh_) {
                std::string piped;
                capturedStdout([&] { piped = pipedEvents(*newSyntax(), text_); });
                EXPECT_EQ(piped, expected) << "heard on a thread of its own";
            }
        } else {
            ADD_FAILURE() << "unknown line " << what;
        }
    }

private:
    int number_ = 2;
    std::string spans_;
    std::unique_ptr<Grammar> grammar_;
    std::unique_ptr<Syntax> syntax_;
    DString text_;
    std::string utf8_;
    bool fresh_ = false;
    bool parsed_ = false;
    std::string events_, trace_;
};

std::vector<std::string> caseFiles() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(QM_TEST_DIR) / "data/syntax"))
        if (e.path().extension() == ".cases") names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class LineCases : public testing::TestWithParam<std::string> {};

TEST_P(LineCases, GiveTheirTokensAndEvents) {
    std::ifstream file(fs::path(QM_TEST_DIR) / "data/syntax" / (GetParam() + ".cases"));
    ASSERT_TRUE(file);
    Cases cases;
    std::string line, shown;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        if (line.starts_with("syntax ")) {
            std::istringstream words(line.substr(7));
            cases.setSyntax(words);
            continue;
        }
        const std::size_t colon = line.find(": ");
        const std::string what = line.substr(0, line.find(':'));
        const std::string value = qmtest::unescape(colon == std::string::npos ? "" : line.substr(colon + 2));
        SCOPED_TRACE("line " + std::to_string(number) + ": " + shown);
        if (what == "in" || what == "then") {
            shown = line;
            cases.input(value, what == "in");
        } else {
            cases.expect(what, value);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Syntaxes, LineCases, testing::ValuesIn(caseFiles()),
                         [](const auto& info) { return info.param; });

} // namespace
