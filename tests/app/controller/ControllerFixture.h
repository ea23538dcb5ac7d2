#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "app/controller/CharsetIndex.h"
#include "app/controller/Tolvan.h"
#include "ccc/encoding/Ccc.h"
#include "core/model/Model.h"

namespace qmtest {

using namespace tolvanw32;
namespace fs = std::filesystem;

struct Shown {
    Text text, caption;
    MessageDialog::Buttons buttons;
    MessageDialog::Icon icon;
    MessageDialog::DefaultButton defaultButton;
};

class FakeMessages : public MessageDialog {
public:
    Answer show(const Text& text, const Text& caption, Buttons buttons, Icon icon, DefaultButton def) override {
        shown.push_back({text, caption, buttons, icon, def});
        if (answers.empty()) return Answer::Ok;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<Shown> shown;
    std::deque<Answer> answers;
};

class FakeOpenFileDialog : public OpenFileDialog {
public:
    std::optional<Text> chooseFile(const Text& f) override {
        filters.push_back(f);
        return answer;
    }
    std::optional<Text> answer;
    std::vector<Text> filters;
};

// Both ways of starting something; either fails when told to.
class FakeLauncher : public DocumentOpener, public ProgramStarter {
public:
    bool open(const std::string& path) override {
        opened.push_back(path);
        return succeed;
    }
    bool start(const std::string& program, const std::string& argument) override {
        started.emplace_back(program, argument);
        return succeed;
    }
    bool succeed = true;
    std::vector<std::string> opened;
    std::vector<std::pair<std::string, std::string>> started;
};

// The real file system, with failures injected per operation and path.
class FaultyFiles : public PosixFileOperations {
public:
    // Operation names: move replace remove copy read write; a path predicate
    // picks the calls that fail (the source of a move, the target of a copy
    // or a replace).
    void failWhen(const std::string& op, std::function<bool(const std::string&)> pathP) { faults[op] = pathP; }

    bool move(const std::string& from, const std::string& to, std::string& error) override {
        return pass("move", from, "move " + from + " -> " + to, error) && PosixFileOperations::move(from, to, error);
    }
    bool replace(const std::string& from, const std::string& to, std::string& error) override {
        return pass("replace", to, "replace " + from + " -> " + to, error) &&
               PosixFileOperations::replace(from, to, error);
    }
    bool remove(const std::string& path, std::string& error) override {
        return pass("remove", path, "remove " + path, error) && PosixFileOperations::remove(path, error);
    }
    bool copy(const std::string& from, const std::string& to, std::string& error) override {
        return pass("copy", to, "copy " + from + " -> " + to, error) && PosixFileOperations::copy(from, to, error);
    }
    bool readAll(const std::string& path, std::string& bytes) override {
        return !hit("read", path) && PosixFileOperations::readAll(path, bytes);
    }
    bool writeNew(const std::string& path, const std::string& bytes, const std::string& modeOf) override {
        std::string error;
        return pass("write", path, "write " + path, error) && PosixFileOperations::writeNew(path, bytes, modeOf);
    }

    std::map<std::string, std::function<bool(const std::string&)>> faults;
    std::vector<std::string> log;

private:
    bool hit(const std::string& op, const std::string& path) {
        auto it = faults.find(op);
        return it != faults.end() && it->second(path);
    }
    // Logs the call; false (with a description) when it is to fail.
    bool pass(const std::string& op, const std::string& path, std::string entry, std::string& error) {
        log.push_back(std::move(entry));
        if (!hit(op, path)) return true;
        error = "injected failure";
        return false;
    }
};

// The options dialog: records what the controller filled in (into
// TolvanSettings fields) and hands back what the test chose.
class FakePreference : public PreferenceDialog {
    template <class T>
    using Param = std::conditional_t<std::is_same_v<T, Text>, const Text&, T>;

public:
    FakePreference(TolvanSettings& filled, const TolvanSettings* answer, bool ok)
        : f_(filled), answer_(answer), ok_(ok) {}

#define QM_FAKE_FIELD(setter, getter, Type, field)            \
    void setter(Param<Type> x) override { f_.field = x; }    \
    Type getter() const override { return (answer_ ? *answer_ : f_).field; }
    QM_FAKE_FIELD(setStyleSheetFileName, getStyleSheetFileName, Text, StyleFileName)
    QM_FAKE_FIELD(setStyleSheet, getStyleSheet, int, StyleNum)
    QM_FAKE_FIELD(setXhtmlVersion, getXhtmlVersion, int, XhtmlVersion)
    QM_FAKE_FIELD(setSpanTenP, getSpanTenP, bool, SpanTenP)
    QM_FAKE_FIELD(setSpanPeriodP, getSpanPeriodP, bool, SpanPeriodP)
    QM_FAKE_FIELD(setSpanCommaP, getSpanCommaP, bool, SpanCommaP)
    QM_FAKE_FIELD(setSyntax, getSyntax, int, Syntax)
    QM_FAKE_FIELD(setEscapeByAppendP, getEscapeByAppendP, bool, EscapeByAppend)
    QM_FAKE_FIELD(setTextEditor, getTextEditor, Text, TextEditor)
    QM_FAKE_FIELD(setInputCharset, getInputCharset, int, InputCharset)
    QM_FAKE_FIELD(setOutputCharset, getOutputCharset, int, OutputCharset)
#undef QM_FAKE_FIELD
    bool showModal() override { return ok_; }

private:
    TolvanSettings& f_;
    const TolvanSettings* answer_;
    bool ok_;
};

// Sentinels, so that a field the controller forgets to fill shows. The
// style file name starts empty: it is filled for the user-named style only.
inline TolvanSettings unfilled() {
    TolvanSettings s;
    s.StyleNum = s.XhtmlVersion = s.Syntax = s.InputCharset = s.OutputCharset = -1;
    s.TextEditor.assign(1, u'?');
    return s;
}

// All eleven fields, comparable and printable as one tuple.
inline auto fields(const TolvanSettings& s) {
    return std::make_tuple(s.StyleNum, StringConv::toUtf8(s.StyleFileName).value_or("?"), s.XhtmlVersion, s.SpanTenP,
                           s.SpanPeriodP, s.SpanCommaP, s.Syntax, s.EscapeByAppend,
                           StringConv::toUtf8(s.TextEditor).value_or("?"), s.InputCharset, s.OutputCharset);
}

class FakeView : public MainView {
public:
    int getSelectedSrcTextIndex() override { return selectedSrc; }
    int getSelectedOutputIndex() override { return selectedOutput; }
    void update() override { ++updates; }
    std::optional<Text> showRename(const Text& current) override {
        renameShown.push_back(current);
        return renameAnswer;
    }
    void showLog(const Text& log) override { logs.push_back(log); }
    std::unique_ptr<PreferenceDialog> createPreference() override {
        return std::make_unique<FakePreference>(filled, preferenceAnswer ? &*preferenceAnswer : nullptr, preferenceOk);
    }

    int selectedSrc = -1, selectedOutput = -1, updates = 0;
    std::optional<Text> renameAnswer;
    std::vector<Text> renameShown, logs;
    TolvanSettings filled = unfilled();
    std::optional<TolvanSettings> preferenceAnswer;
    bool preferenceOk = true;
};

inline Text T(const std::string& utf8) { return StringConv::fromUtf8(utf8); }
inline std::string U8(const Text& t) { return StringConv::toUtf8(t).value_or("<unencodable>"); }

class ControllerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CCC::Ccc::initialize()); }

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("qm_app_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "share");
        for (const char* css : {"yoko.css", "tate.css", "yoko_check.css", "tate_check.css"})
            writeFile((dir / "share" / css).string(), std::string("/* ") + css + " */\n");
        settingsFile = dir / "config" / "Merrowin" / "QuillmarkReg" / "2.0.reg";
        store = std::make_unique<SettingsStore>(settingsFile);
    }
    void TearDown() override {
        tolvan.reset();
        fs::remove_all(dir);
    }

    // Builds the controller (reading the settings file as it stands).
    Tolvan& make(CCC::CeId narrow = StringConv::kPlatformNarrow) {
        tolvan.reset();
        TolvanServices services{messages, fileDialog, launcher, launcher, files, store.get(),
                                (dir / "share").string(), narrow};
        tolvan = std::make_unique<Tolvan>(services);
        tolvan->setMainView(&view);
        return *tolvan;
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    // Confirms the options dialog with the initial settings as edited.
    void chooseOptions(const std::function<void(TolvanSettings&)>& edit) {
        TolvanSettings s;
        edit(s);
        view.preferenceAnswer = s;
        tolvan->cmdSetOption();
    }
    // Writes each file (relative to dir) and registers it.
    void add(std::initializer_list<const char*> names, const std::string& bytes = "x\n") {
        for (const char* n : names) {
            writeFile(path(n), bytes);
            tolvan->cmdAppend(StringConv::fromUtf8(path(n)));
        }
    }
    static void writeFile(const std::string& p, const std::string& bytes) {
        fs::create_directories(fs::path(p).parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string readFile(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    template <class Files>
    static std::vector<std::string> names(const Files& files) {
        std::vector<std::string> out;
        for (const auto& f : files) out.emplace_back(f->getFileName().data(), f->getFileName().size());
        return out;
    }
    std::vector<std::string> srcNames() const { return names(tolvan->getModel()->getSrcTexts()); }
    std::vector<std::string> outputNames() const { return names(tolvan->getModel()->getOutputs()); }
    // The one message shown since the last call, as "caption|text".
    std::string lastMessages() {
        std::string all;
        for (const Shown& s : messages.shown) {
            EXPECT_EQ(s.icon, MessageDialog::Icon::Information);
            EXPECT_EQ(s.defaultButton, MessageDialog::DefaultButton::First);
            all += (all.empty() ? "" : "\n--\n") + U8(s.caption) + "|" + U8(s.text);
        }
        messages.shown.clear();
        return all;
    }

    fs::path dir, settingsFile;
    std::unique_ptr<SettingsStore> store;
    FakeMessages messages;
    FakeOpenFileDialog fileDialog;
    FakeLauncher launcher;
    FaultyFiles files;
    FakeView view;
    std::unique_ptr<Tolvan> tolvan;
};

} // namespace qmtest
