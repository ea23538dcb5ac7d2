// quillmark detect [--detector ja|xml|html] [FILE]: prints the detected
// encoding as "<id> <canonical name>", or "0 -" when nothing was detected.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "Command.h"
#include "app/services/FileOperations.h"
#include "ccc/base/Unit.h"
#include "ccc/detect/DetectorFactory.h"
#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/FileIFlow.h"

namespace quillmark {

namespace {

constexpr const char* kCommand = "detect";

struct DetectOptions {
    std::string detector = "ja";
    std::string file;
};

CCC::CeId detectorId(const std::string& name) {
    if (name == "xml") return 41;
    if (name == "html") return 42;
    return 40;
}

int runDetect(const DetectOptions& opts) {
    if (!CCC::Ccc::initialize()) {
        std::fputs("quillmark detect: the encoding library did not start\n", stderr);
        return 1;
    }
    std::FILE* file = stdin;
    if (!opts.file.empty()) {
        // Only a regular file: a folder reads as nothing, a FIFO or a
        // device may never end.
        std::string error;
        file = tolvanw32::FileOperations::openRegular(opts.file, error);
        if (!file) {
            std::fprintf(stderr, "quillmark detect: cannot open %s: %s\n", opts.file.c_str(), error.c_str());
            return 1;
        }
    }
    CCC::CeId id;
    {
        CCC::FileIFlow in(file);  // adopted, not closed
        id = CCC::runDetector(detectorId(opts.detector), in);
    }
    const bool readError = std::ferror(file);
    const int readErrno = errno;
    if (file != stdin) std::fclose(file);
    if (readError) {
        std::fprintf(stderr, "quillmark detect: cannot read %s: %s\n",
                     opts.file.empty() ? "standard input" : opts.file.c_str(), std::strerror(readErrno));
        return 1;
    }
    const char* name = id ? CCC::Iceman::ceIdToString(id) : nullptr;
    std::printf("%d %s\n", id, name ? name : "-");
    return std::fflush(stdout) == 0 ? 0 : 1;  // the failure is reported by main
}

void install(CLI::App& app, int& status) {
    auto opts = std::make_shared<DetectOptions>();
    CLI::App* cmd = app.add_subcommand(kCommand, "Detect the encoding of FILE (or of standard input)");
    cmd->add_option("--detector", opts->detector, "ja (byte patterns), xml (declaration) or html (META charset)")
        ->check(CLI::IsMember({"ja", "xml", "html"}))
        ->default_str("ja");
    cmd->add_option("FILE", opts->file, "Input file; standard input when absent");
    cmd->callback([opts, &status] { status = runDetect(*opts); });
}

const CommandRegistration registration(40, kCommand, install);

} // namespace

} // namespace quillmark
