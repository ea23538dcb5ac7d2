#include <cctype>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "Command.h"
#include "app/controller/StringConv.h"
#include "app/controller/Tolvan.h"
#include "ccc/encoding/Ccc.h"

namespace quillmark {

namespace {

constexpr const char* kCommand = "escape";

using namespace tolvanw32;

// Messages go to standard error; a question is answered by the
// --overwrite-backup flag (OK) or refused (Cancel, after showing it).
// Failures are prefixed with the command and the file they concern.
class ConsoleMessages : public MessageDialog {
public:
    ConsoleMessages(bool answerOk, std::string file) : answerOk_(answerOk), file_(std::move(file)) {}
    Answer show(const Text& text, const Text&, Buttons buttons, Icon, DefaultButton) override {
        bool question = buttons == Buttons::OkCancel;
        if (question && answerOk_) return Answer::Ok;
        std::string line = StringConv::toUtf8(text).value_or(std::string());
        if (question) std::fprintf(stderr, "%s\n", line.c_str());
        else std::fprintf(stderr, "quillmark escape: %s: %s\n", file_.c_str(), line.c_str());
        return question ? Answer::Cancel : Answer::Ok;
    }

private:
    bool answerOk_;
    std::string file_;
};

class NoDialog : public OpenFileDialog {
public:
    std::optional<Text> chooseFile(const Text&) override { return std::nullopt; }
};

class NoLauncher : public DocumentOpener, public ProgramStarter {
public:
    bool open(const std::string&) override { return false; }
    bool start(const std::string&, const std::string&) override { return false; }
};

struct Options {
    int syntax = 2;
    std::string charset = "shift_jis";
    bool overwriteBackup = false;
    std::string file;
};

int runEscape(const Options& options) {
    if (!CCC::Ccc::initialize()) {
        std::fprintf(stderr, "quillmark escape: the encoding library did not start\n");
        return 1;
    }
    StringConv conv;
    Text name = conv.fromNarrow(options.file);
    if (conv.toNarrow(name) != options.file) {
        std::fprintf(stderr, "quillmark escape: %s: the file name is not in the platform's encoding\n",
                     options.file.c_str());
        return 1;
    }
    PosixFileOperations files;
    std::string why;
    if (!files.rewritable(options.file, why)) {
        std::fprintf(stderr, "quillmark escape: cannot escape %s: %s\n", options.file.c_str(), why.c_str());
        return 1;
    }
    ConsoleMessages messages(options.overwriteBackup, options.file);
    NoDialog dialog;
    NoLauncher launcher;
    TolvanServices services{messages, dialog, launcher, launcher, files, nullptr, std::string(), conv.narrowCeId()};
    Tolvan tolvan(services);
    tolvan.settings().Syntax = options.syntax;
    std::string charset = options.charset;
    for (char& c : charset) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    tolvan.settings().InputCharset = charset == "utf-8" ? 1 : 0;
    return tolvan.convertEscape(name) ? 0 : 1;
}

void install(CLI::App& app, int& status) {
    auto options = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        kCommand, "Escape the mark characters of a source file in place, keeping the original as FILE.back.");
    cmd->add_option("--syntax", options->syntax, "Markup syntax whose marks are escaped (2, 3 or 4)")
        ->check(CLI::IsMember({2, 3, 4}));
    cmd->add_option("--input-charset", options->charset, "Encoding of the file")
        ->check(CLI::IsMember({"shift_jis", "utf-8"}, CLI::ignore_case));
    cmd->add_flag("--overwrite-backup", options->overwriteBackup, "Replace an existing FILE.back without asking");
    cmd->add_option("FILE", options->file, "The source file")->required();
    cmd->callback([options, &status] { status = runEscape(*options); });
}

const CommandRegistration registration(60, kCommand, install);

} // namespace

} // namespace quillmark
