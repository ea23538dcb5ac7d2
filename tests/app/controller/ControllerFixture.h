#pragma once

// The controller with every platform service faked except the file system,
// which is real but fails where a test says, in a fresh scratch folder.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "app/controller/CharsetIndex.h"
#include "app/controller/Tolvan.h"
#include "core/model/Model.h"
#include "support/Files.h"
#include "support/LibraryStartup.h"

namespace qmtest {

using namespace tolvanw32;

inline Text T(const std::string& utf8) { return StringConv::fromUtf8(utf8); }
inline std::string U8(const Text& t) { return StringConv::toUtf8(t).value_or("<unencodable>"); }

// The real file system, with failures injected per operation ("move",
// "replace", "remove", "copy", "read", "write") for the paths a predicate
// picks (the source of a move, the target of a copy or a replace).
class FaultyFiles : public PosixFileOperations {
public:
    void failWhen(const std::string& op, std::function<bool(const std::string&)> pathP) { faults[op] = pathP; }

    bool move(const std::string& from, const std::string& to, std::string& error) override {
        return pass("move", from, error) && PosixFileOperations::move(from, to, error);
    }
    bool replace(const std::string& from, const std::string& to, std::string& error) override {
        return pass("replace", to, error) && PosixFileOperations::replace(from, to, error);
    }
    bool remove(const std::string& path, std::string& error) override {
        return pass("remove", path, error) && PosixFileOperations::remove(path, error);
    }
    bool copy(const std::string& from, const std::string& to, std::string& error) override {
        return pass("copy", to, error) && PosixFileOperations::copy(from, to, error);
    }
    bool readAll(const std::string& path, std::string& bytes) override {
        std::string error;
        return pass("read", path, error) && PosixFileOperations::readAll(path, bytes);
    }
    bool writeNew(const std::string& path, const std::string& bytes, const std::string& modeOf) override {
        std::string error;
        return pass("write", path, error) && PosixFileOperations::writeNew(path, bytes, modeOf);
    }

    std::map<std::string, std::function<bool(const std::string&)>> faults;

private:
    bool pass(const std::string& op, const std::string& path, std::string& error) {
        auto it = faults.find(op);
        if (it == faults.end() || !it->second(path)) return true;
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

// Sets a field by its name from text ("1" and "0" for the flags).
inline void assign(TolvanSettings& s, const std::string& name, const std::string& value) {
    const std::map<std::string, int*> numbers{{"StyleNum", &s.StyleNum}, {"XhtmlVersion", &s.XhtmlVersion},
                                              {"Syntax", &s.Syntax}, {"InputCharset", &s.InputCharset},
                                              {"OutputCharset", &s.OutputCharset}};
    const std::map<std::string, bool*> flags{{"SpanTenP", &s.SpanTenP}, {"SpanPeriodP", &s.SpanPeriodP},
                                             {"SpanCommaP", &s.SpanCommaP}, {"EscapeByAppend", &s.EscapeByAppend}};
    if (name == "TextEditor" || name == "StyleFileName") (name == "TextEditor" ? s.TextEditor : s.StyleFileName) = T(value);
    else if (flags.count(name)) *flags.at(name) = value == "1";
    else *numbers.at(name) = std::stoi(value);
}

// All eleven fields in the order of the settings file, joined by "|".
inline std::string fields(const TolvanSettings& s) {
    std::string out;
    for (const std::string& f : {std::to_string(s.StyleNum), U8(s.StyleFileName), std::to_string(s.XhtmlVersion),
                                 std::to_string(s.SpanTenP), std::to_string(s.SpanPeriodP), std::to_string(s.SpanCommaP),
                                 std::to_string(s.Syntax), std::to_string(s.EscapeByAppend), U8(s.TextEditor),
                                 std::to_string(s.InputCharset), std::to_string(s.OutputCharset)})
        out += (out.empty() ? "" : "|") + f;
    return out;
}

// Every other service: message boxes, the file dialogs, both launchers
// (failing when told to), the main window and the book builder.
class Fakes : public MessageDialog, public OpenFileDialog, public SaveFileDialog, public DocumentOpener,
              public ProgramStarter, public MainView, public BookBuilder {
public:
    struct Shown {
        Text text, caption;
        Buttons buttons;
        Icon icon;
        DefaultButton defaultButton;
    };
    Answer show(const Text& text, const Text& caption, Buttons buttons, Icon icon, DefaultButton def) override {
        shown.push_back({text, caption, buttons, icon, def});
        if (answers.empty()) return Answer::Ok;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<Text> chooseFile(const Text& filter) override {
        filters.push_back(filter);
        return fileAnswer;
    }
    std::optional<Text> chooseSaveFile(const Text& filter, const Text& proposed) override {
        filters.push_back(filter);
        saveOffered.push_back(proposed);
        return saveAnswer;
    }
    // Each book asked for as "PATH yoko|tate", marked when no log came with it;
    // the sources read afresh, as a book's run reads them, and found clean.
    Publish::BookResult build(Orvane::Model& model, const Publish::BookOptions& options, const std::string& bookPath,
                              Orvane::Log* log) override {
        for (const auto& src : model.getSrcTexts()) src->getDiagnostics().clear();
        books.push_back(bookPath + (options.writing == Publish::Writing::kTate ? " tate" : " yoko") + (log ? "" : " no log"));
        return bookResult;
    }
    bool open(const std::string& path) override {
        opened.push_back(path);
        return launchOk;
    }
    bool start(const std::string& program, const std::string& argument) override {
        started.emplace_back(program, argument);
        return launchOk;
    }
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

    std::vector<Shown> shown;
    std::deque<Answer> answers;
    std::optional<Text> fileAnswer, renameAnswer, saveAnswer;
    std::vector<Text> filters, renameShown, logs, saveOffered;
    std::vector<std::string> books;
    Publish::BookResult bookResult{true, {}, {}};
    bool launchOk = true;
    std::vector<std::string> opened;
    std::vector<std::pair<std::string, std::string>> started;
    int selectedSrc = -1, selectedOutput = -1, updates = 0;
    TolvanSettings filled = unfilled();
    std::optional<TolvanSettings> preferenceAnswer;
    bool preferenceOk = true;
};

class ControllerTest : public ::testing::Test {
protected:
    ControllerTest() {
        for (const char* css : {"yoko.css", "tate.css", "yoko_check.css", "tate_check.css"})
            put(std::string("share/") + css, std::string("/* ") + css + " */\n");
    }

    // Builds the controller (reading the settings file as it stands).
    Tolvan& make(CCC::CeId narrow = StringConv::kPlatformNarrow) {
        tolvan.reset();
        tolvan = std::make_unique<Tolvan>(
            TolvanServices{fakes, fakes, fakes, fakes, files, &store, path("share"), narrow, &fakes, &fakes});
        tolvan->setMainView(&fakes);
        return *tolvan;
    }

    std::string path(const std::string& name) const { return scratch.file(name); }
    void put(const std::string& name, const std::string& bytes) {
        fs::create_directories((scratch / name).parent_path());
        writeBytes(scratch / name, bytes);
    }
    std::string read(const std::string& name) const { return readBytes(scratch / name); }
    bool exists(const std::string& name) const { return fs::exists(scratch / name); }
    template <class Files>
    static std::vector<std::string> names(const Files& list) {
        std::vector<std::string> out;
        for (const auto& f : list) out.emplace_back(f->getFileName().data(), f->getFileName().size());
        return out;
    }
    std::vector<std::string> srcNames() const { return names(tolvan->getModel()->getSrcTexts()); }
    std::vector<std::string> outputNames() const { return names(tolvan->getModel()->getOutputs()); }
    // The messages shown since the last call, each as "caption|text".
    std::string lastMessages() {
        std::string all;
        for (const Fakes::Shown& s : fakes.shown) {
            EXPECT_EQ(s.icon, MessageDialog::Icon::Information);
            EXPECT_EQ(s.defaultButton, MessageDialog::DefaultButton::First);
            all += (all.empty() ? "" : "\n--\n") + U8(s.caption) + "|" + U8(s.text);
        }
        fakes.shown.clear();
        return all;
    }

    Scratch scratch{"app"};
    const std::string settingsName = "config/Merrowin/QuillmarkReg/2.0.reg";
    SettingsStore store{scratch / settingsName};
    Fakes fakes;
    FaultyFiles files;
    std::unique_ptr<Tolvan> tolvan;
};

} // namespace qmtest
