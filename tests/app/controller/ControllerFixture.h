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
#include <vector>

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

class FakeDocuments : public DocumentOpener {
public:
    bool open(const std::string& path) override {
        opened.push_back(path);
        return succeed;
    }
    bool succeed = true;
    std::vector<std::string> opened;
};

class FakePrograms : public ProgramStarter {
public:
    bool start(const std::string& program, const std::string& argument) override {
        started.emplace_back(program, argument);
        return succeed;
    }
    bool succeed = true;
    std::vector<std::pair<std::string, std::string>> started;
};

// The real file system, with failures injected per operation and path.
class FaultyFiles : public PosixFileOperations {
public:
    // Operation names: exists move remove copy open read write; a path
    // predicate picks the calls that fail (the first path of a move).
    void failWhen(const std::string& op, std::function<bool(const std::string&)> pathP) { faults[op] = pathP; }
    void failAll(const std::string& op) { failWhen(op, [](const std::string&) { return true; }); }

    bool move(const std::string& from, const std::string& to, std::string& error) override {
        log.push_back("move " + from + " -> " + to);
        if (hit("move", from)) return fail(error);
        return PosixFileOperations::move(from, to, error);
    }
    bool remove(const std::string& path, std::string& error) override {
        log.push_back("remove " + path);
        if (hit("remove", path)) return fail(error);
        return PosixFileOperations::remove(path, error);
    }
    bool copy(const std::string& from, const std::string& to, std::string& error) override {
        log.push_back("copy " + from + " -> " + to);
        if (hit("copy", to)) return fail(error);
        return PosixFileOperations::copy(from, to, error);
    }
    std::FILE* openForReading(const std::string& path) override {
        if (hit("open", path)) return nullptr;
        return PosixFileOperations::openForReading(path);
    }
    bool readAll(const std::string& path, std::string& bytes) override {
        if (hit("read", path)) return false;
        return PosixFileOperations::readAll(path, bytes);
    }
    bool writeNew(const std::string& path, const std::string& bytes, const std::string& modeOf) override {
        log.push_back("write " + path);
        if (hit("write", path)) return false;
        return PosixFileOperations::writeNew(path, bytes, modeOf);
    }

    std::map<std::string, std::function<bool(const std::string&)>> faults;
    std::vector<std::string> log;

private:
    bool hit(const std::string& op, const std::string& path) {
        auto it = faults.find(op);
        return it != faults.end() && it->second(path);
    }
    static bool fail(std::string& error) {
        error = "injected failure";
        return false;
    }
};

// The options dialog: remembers what the controller filled in and hands
// back what the test chose.
class FakePreference : public PreferenceDialog {
public:
    struct Values {
        Text styleSheetFileName;
        int styleSheet = -1, xhtmlVersion = -1, syntax = -1, inputCharset = -1, outputCharset = -1;
        bool spanTen = false, spanPeriod = false, spanComma = false, escapeByAppend = false;
        Text textEditor;
    };
    FakePreference(Values& filled, const Values* answer, bool ok) : filled_(filled), answer_(answer), ok_(ok) {}

    void setStyleSheetFileName(const Text& n) override { filled_.styleSheetFileName = n; }
    void setStyleSheet(int v) override { filled_.styleSheet = v; }
    void setXhtmlVersion(int v) override { filled_.xhtmlVersion = v; }
    void setSpanTenP(bool v) override { filled_.spanTen = v; }
    void setSpanPeriodP(bool v) override { filled_.spanPeriod = v; }
    void setSpanCommaP(bool v) override { filled_.spanComma = v; }
    void setSyntax(int v) override { filled_.syntax = v; }
    void setEscapeByAppendP(bool v) override { filled_.escapeByAppend = v; }
    void setTextEditor(const Text& p) override { filled_.textEditor = p; }
    void setInputCharset(int v) override { filled_.inputCharset = v; }
    void setOutputCharset(int v) override { filled_.outputCharset = v; }
    bool showModal() override { return ok_; }
    const Values& v() const { return answer_ ? *answer_ : filled_; }
    int getStyleSheet() const override { return v().styleSheet; }
    Text getStyleSheetFileName() const override { return v().styleSheetFileName; }
    int getXhtmlVersion() const override { return v().xhtmlVersion; }
    bool getSpanTenP() const override { return v().spanTen; }
    bool getSpanPeriodP() const override { return v().spanPeriod; }
    bool getSpanCommaP() const override { return v().spanComma; }
    int getSyntax() const override { return v().syntax; }
    bool getEscapeByAppendP() const override { return v().escapeByAppend; }
    Text getTextEditor() const override { return v().textEditor; }
    int getInputCharset() const override { return v().inputCharset; }
    int getOutputCharset() const override { return v().outputCharset; }

private:
    Values& filled_;
    const Values* answer_;
    bool ok_;
};

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
    FakePreference::Values filled;
    std::optional<FakePreference::Values> preferenceAnswer;
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
        TolvanServices services{messages, fileDialog, documents, programs, files, store.get(),
                                (dir / "share").string(), narrow};
        tolvan = std::make_unique<Tolvan>(services);
        tolvan->setMainView(&view);
        return *tolvan;
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    static void writeFile(const std::string& p, const std::string& bytes) {
        fs::create_directories(fs::path(p).parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string readFile(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> srcNames() const {
        std::vector<std::string> names;
        for (const auto& s : tolvan->getModel()->getSrcTexts())
            names.emplace_back(s->getFileName().data(), s->getFileName().size());
        return names;
    }
    std::vector<std::string> outputNames() const {
        std::vector<std::string> names;
        for (const auto& o : tolvan->getModel()->getOutputs())
            names.emplace_back(o->getFileName().data(), o->getFileName().size());
        return names;
    }
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
    FakeDocuments documents;
    FakePrograms programs;
    FaultyFiles files;
    FakeView view;
    std::unique_ptr<Tolvan> tolvan;
};

} // namespace qmtest
