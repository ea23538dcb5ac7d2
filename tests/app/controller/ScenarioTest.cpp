// The scenarios of tests/data/app/controller.txt: each runs its steps on a
// fresh controller in a fresh folder. File names are relative to the folder;
// "@/" in a message, a log or a book stands for it.
#include <sys/stat.h>

#include "ControllerFixture.h"
#include "core/syntax/s2/S2Syntax.h"
#include "support/Corpus.h"

namespace qmtest {
namespace {

struct Scenario {
    std::string name;
    std::vector<std::vector<std::string>> steps;
};
void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }

std::vector<Scenario> scenarios() {
    std::vector<Scenario> all;
    for (auto& [where, line] : readCorpus("app/controller.txt")) {
        if (line[0].rfind("== ", 0) == 0) all.push_back({line[0].substr(3), {}});
        else if (!all.empty()) all.back().steps.push_back(std::move(line));
    }
    return all;
}

class ScenarioTest : public ControllerTest, public ::testing::WithParamInterface<Scenario> {
protected:
    std::vector<std::string> paths(const std::vector<std::string>& step) const {
        std::vector<std::string> out;
        for (std::size_t i = 1; i < step.size(); ++i) out.push_back(path(step[i]));
        return out;
    }
    std::string expand(const std::string& text) const {
        std::string s = unescape(text);
        for (std::size_t at = 0; (at = s.find("@/", at)) != std::string::npos;) s.replace(at, 2, path(""));
        return s;
    }
    std::optional<Text> answer(const std::string& arg) const {
        return arg == "-" ? std::nullopt : std::optional<Text>(T(path(arg)));
    }
    void run(const std::vector<std::string>& s) {
        Tolvan& t = *tolvan;
        const std::string& verb = s[0];
        const std::string a = s.size() > 1 ? s[1] : "", b = s.size() > 2 ? s[2] : "";
        const std::map<std::string, std::function<void()>> verbs{
            // Files and answers.
            {"put", [&] { put(a, unescape(b)); }},
            {"add", [&] {  // writes and appends each
                 for (std::size_t i = 1; i < s.size(); ++i) put(s[i], "x\n"), t.cmdAppend(T(path(s[i])));
             }},
            {"mkdir", [&] { fs::create_directories(path(a)); }},
            {"rm", [&] { fs::remove(path(a)); }},
            {"fifo", [&] { ASSERT_EQ(::mkfifo(path(a).c_str(), 0600), 0); }},
            {"chmod", [&] { fs::permissions(path(a), fs::perms(std::stoi(b, nullptr, 8))); }},
            {"set", [&] { assign(t.settings(), a, unescape(b)); }},
            {"select", [&] { fakes.selectedSrc = std::stoi(a), fakes.selectedOutput = std::stoi(b); }},
            {"answer", [&] { fakes.answers.push_back(a == "ok" ? MessageDialog::Answer::Ok : MessageDialog::Answer::Cancel); }},
            {"rename-to", [&] { fakes.renameAnswer = answer(a); }},
            {"choose", [&] { fakes.fileAnswer = answer(a); }},
            {"save", [&] { fakes.saveAnswer = answer(a); }},
            {"book", [&] {  // written|failed LINE...: the builder's next result, with warnings or failures
                 fakes.bookResult = {a == "written", {}, {}};
                 auto& lines = a == "written" ? fakes.bookResult.warnings : fakes.bookResult.failures;
                 for (std::size_t i = 2; i < s.size(); ++i) lines.push_back(expand(s[i]));
             }},
            {"launch", [&] { fakes.launchOk = a == "ok"; }},
            {"fail", [&] {  // OP SUFFIX: calls of OP on paths ending so fail; alone: none
                 files.faults.clear();
                 if (s.size() > 1) files.failWhen(a, [b](const std::string& p) { return p.ends_with(b); });
             }},
            // Commands.
            {"restart", [&] { make(); }},
            {"options", [&] {  // ok|cancel [FIELD VALUE]...: the options dialog, from the initial settings
                 TolvanSettings chosen;
                 for (std::size_t i = 2; i + 1 < s.size(); i += 2) assign(chosen, s[i], unescape(s[i + 1]));
                 fakes.preferenceAnswer = s.size() > 2 ? std::optional(chosen) : std::nullopt;
                 fakes.preferenceOk = a == "ok";
                 fakes.filled = unfilled();
                 t.cmdSetOption();
             }},
            {"escape", [&] { EXPECT_EQ(t.convertEscape(T(path(a))), b == "true"); }},
            {"append", [&] { s.size() > 1 ? t.cmdAppend(T(path(a))) : t.cmdAppend(); }},
            {"release", [&] { t.cmdRelease(); }},
            {"rename", [&] { t.cmdRename(); }},
            {"convert", [&] { t.cmdConvert(); }},
            {"remove", [&] { t.cmdRemove(); }},
            {"epub", [&] { t.cmdEpub(); }},
            {"remove-sheets", [&] { t.removeCopiedCss(); }},
            {"edit", [&] { t.cmdEdit(); }},
            {"review", [&] { t.cmdReview(); }},
            {"view", [&] { t.cmdViewOutput(); }},
            {"help", [&] { t.cmdHelp(); }},
            {"index", [&] { t.cmdHelpIndex(); }},
            {"about", [&] { t.cmdAbout(); }},
            {"exit", [&] { EXPECT_EQ(t.cmdExit(), a == "true"); }},
            // Checks.
            {"messages", [&] {
                 const std::string want = expand(a), got = lastMessages();
                 if (!want.empty() && want.back() == '*') EXPECT_EQ(got.substr(0, want.size() - 1), want.substr(0, want.size() - 1));
                 else EXPECT_EQ(got, want);
             }},
            {"buttons", [&] {
                 std::string got;
                 for (const auto& m : fakes.shown) got += m.buttons == MessageDialog::Buttons::Ok ? "ok " : "ok-cancel ";
                 EXPECT_EQ(got, a + " ");
             }},
            {"file", [&] { EXPECT_EQ(b == "*" ? exists(a) : read(a) == unescape(b), true) << read(a); }},
            {"absent", [&] { for (const std::string& p : paths(s)) EXPECT_FALSE(fs::exists(p)) << p; }},
            {"sources", [&] { EXPECT_EQ(srcNames(), paths(s)); }},
            {"outputs", [&] { EXPECT_EQ(outputNames(), paths(s)); }},
            {"opened", [&] {
                 EXPECT_EQ(fakes.opened, paths(s));
                 fakes.opened.clear();
             }},
            {"started", [&] {
                 EXPECT_EQ(fakes.started, (s.size() > 1 ? decltype(fakes.started){{a, path(b)}} : decltype(fakes.started){}));
                 fakes.started.clear();
             }},
            {"ceids", [&] {  // INDEX IN OUT: a source's encodings
                 const auto& src = *t.getModel()->getSrcTexts().at(std::stoul(a));
                 EXPECT_EQ(std::to_string(src.getInCeId()) + " " + std::to_string(src.getOutCeId()), b + " " + s.at(3));
             }},
            {"rename-shown", [&] { EXPECT_EQ(fakes.renameShown, std::vector<Text>{T(path(a))}); }},
            {"save-offered", [&] { EXPECT_EQ(fakes.saveOffered, std::vector<Text>{T(path(a))}); fakes.saveOffered.clear(); }},
            {"built", [&] {  // "@/FILE yoko|tate"...: the books asked for since the last check
                 std::vector<std::string> want;
                 for (std::size_t i = 1; i < s.size(); ++i) want.push_back(expand(s[i]));
                 EXPECT_EQ(std::exchange(fakes.books, {}), want);
             }},
            {"filter", [&] { EXPECT_EQ(fakes.filters.empty() ? "" : U8(fakes.filters.back()), a); }},
            {"settings", [&] { EXPECT_EQ(fields(t.settings()), unescape(a)); }},
            {"dialog", [&] { EXPECT_EQ(fields(fakes.filled), unescape(a)); }},  // as the controller filled it
            {"holds", [&] {
                 for (std::size_t i = 2; i < s.size(); ++i) EXPECT_NE(read(a).find(s[i]), std::string::npos) << s[i];
             }},
            {"mode", [&] { EXPECT_EQ(fs::status(path(a)).permissions() & fs::perms::all, fs::perms(std::stoi(b, nullptr, 8))); }},
            {"lexer", [&] {  // 3|4 FLAGS: the syntax, and the span flags (ten, period, comma) of its lexer
                 Orvane::Syntax* syntax = t.getModel()->getSyntax();
                 const auto* lexer = dynamic_cast<Orvane::S2Lexer*>(syntax->getLexer());
                 ASSERT_NE(lexer, nullptr);
                 EXPECT_TRUE(a == "4" ? dynamic_cast<Orvane::S4Syntax*>(syntax) != nullptr
                                      : dynamic_cast<Orvane::S3Syntax*>(syntax) != nullptr);
                 EXPECT_EQ(std::to_string(lexer->spanTenP()) + std::to_string(lexer->spanPeriodP()) +
                               std::to_string(lexer->spanCommaP()), b);
             }},
            {"updates", [&] { EXPECT_EQ(fakes.updates, std::stoi(a)); }},
            {"log", [&] { EXPECT_EQ(fakes.logs.empty() ? "" : U8(fakes.logs.back()), expand(a)); }},
            {"logs", [&] { EXPECT_EQ(fakes.logs.size(), std::stoul(a)); }},
        };
        auto it = verbs.find(verb);
        ASSERT_NE(it, verbs.end()) << "no step " << verb;
        it->second();
    }
};

TEST_P(ScenarioTest, Runs) {
    make();
    for (const auto& step : GetParam().steps) {
        std::string where;
        for (const std::string& c : step) where += c + " ";
        SCOPED_TRACE(where);
        run(step);
    }
    EXPECT_EQ(lastMessages(), "") << "every message is checked";
    for (const auto& e : fs::recursive_directory_iterator(scratch.dir()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

INSTANTIATE_TEST_SUITE_P(Controller, ScenarioTest, ::testing::ValuesIn(scenarios()), [](const auto& info) {
    std::string id;
    for (char c : info.param.name) id += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return id;
});

} // namespace
} // namespace qmtest
