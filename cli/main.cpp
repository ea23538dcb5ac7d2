#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <utility>
#include <vector>

#include "Command.h"
#include "ConvertOptions.h"
#include "SignalCleanup.h"
#include "app/services/FileOperations.h"
#include "app/services/Processors.h"

namespace quillmark {

namespace {
struct Registered {
    int order;
    const char* name;
    CommandInstaller install;
};

std::vector<Registered>& installers() {
    static std::vector<Registered> list;
    return list;
}

// The command the arguments begin with, if they begin with one.
const char* namedCommand(int argc, char** argv) { return argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr; }

// 0 when everything printed on standard output got there, else 1 with a
// message (once: the error mark of the stream stays).
int flushedStatus() {
    std::cout.flush();
    if (std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout.good()) return 0;
    std::fprintf(stderr, "quillmark: cannot write standard output: %s\n", std::strerror(errno ? errno : EIO));
    return 1;
}

} // namespace

CommandRegistration::CommandRegistration(int order, const char* name, CommandInstaller install) {
    installers().push_back({order, name, install});
}

} // namespace quillmark

int main(int argc, char** argv) {
    // Every command writes its files through temporary files: an interrupt
    // must not leave them behind, and a crash must not leave a file renamed
    // into place before its data reached the disk.
    quillmark::removeTemporaryFilesOnSignal();
    tolvanw32::FileOperations::makeCommitsDurable();
    tolvanw32::placeConversionThreads();
    CLI::App app{"quillmark: Japanese manuscripts in a light markup to XHTML and EPUB books, and the encoding tools under it."};
    app.set_version_flag("--version", std::string("quillmark ") + QUILLMARK_VERSION);
    app.require_subcommand(0, 1);
    app.footer(std::string("Syntaxes (--syntax of convert, check, epub, tokens and trace): ") + quillmark::kSyntaxList +
               ".\nFILE - is standard input. 'quillmark COMMAND --help' lists a command's options; "
               "the manual page is quillmark(1).");
    // Usage errors are one line on standard error.
    app.failure_message([](const CLI::App*, const CLI::Error& e) { return "quillmark: " + std::string(e.what()) + "\n"; });

    int status = 0;
    auto list = quillmark::installers();
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.order < b.order; });
    // Setting up a command's options costs about as much as the start of a
    // small conversion: a run that names its command sets up that one only.
    // Otherwise (options first, a misspelt command) all are there, as
    // --help lists them.
    const char* named = quillmark::namedCommand(argc, argv);
    const bool known = named && std::any_of(list.begin(), list.end(), [named](const auto& entry) {
                           return std::strcmp(entry.name, named) == 0;
                       });
    for (const auto& entry : list)
        if (!known || std::strcmp(entry.name, named) == 0) entry.install(app, status);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        // Usage errors exit 2; --help and --version exit 0 once written.
        return code == 0 ? quillmark::flushedStatus() : 2;
    }
    if (app.get_subcommands().empty()) {
        std::fputs(app.help().c_str(), stdout);
        return quillmark::flushedStatus();
    }
    // What a command printed must have reached standard output; the
    // commands leave that report to this one place.
    const int written = quillmark::flushedStatus();
    return status == 0 ? written : status;
}
