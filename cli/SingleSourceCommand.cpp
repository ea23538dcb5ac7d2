#include "SingleSourceCommand.h"

#include <memory>
#include <string>
#include <vector>

#include "CccSession.h"
#include "ConvertOptions.h"
#include "core/model/Model.h"

namespace quillmark {

namespace {

struct PrintOptions {
    SourceOptions source;
    std::string stdoutEncoding = "utf-8";
};

int prepareAndRun(const PrintOptions& print, const char* command, SingleSourceRun run) {
    const SourceOptions& options = print.source;
    if (options.files.size() != 1) return usageError(command, "give exactly one FILE");
    if (!startCcc(command)) return kExitFailure;
    int status = kExitOk;
    CCC::CeId from = CCC::ceid::kNone;
    CCC::CeId printCeId = CCC::ceid::kNone;
    if (!parseEncoding(options.from, command, from, status)) return status;
    if (!parseStdoutEncoding(print.stdoutEncoding, command, printCeId, status)) return status;
    Orvane::Model model;
    if (!selectSyntax(model, options.syntax, command, status)) return status;
    std::vector<SourceFile> sources;
    if (!openSources(options.files, from, CCC::ceid::kNone, command, sources)) return kExitFailure;
    addSource(model, sources[0], CCC::nlconv::kNone);
    return run(model, printCeId);
}

} // namespace

void installSingleSourceCommand(CLI::App& app, int& status, const char* name, const char* description,
                                SingleSourceRun run) {
    auto options = std::make_shared<PrintOptions>();
    CLI::App* cmd = app.add_subcommand(name, description);
    addSourceOptions(cmd, options->source);
    cmd->add_option("--stdout-encoding", options->stdoutEncoding,
                    "Encoding of the texts printed (any name -f takes that writes ASCII as ASCII, "
                    "e.g. shift_jis)")
        ->default_str("utf-8");
    cmd->add_option("FILE", options->source.files, "The manuscript, or - for standard input");
    cmd->callback([cmd, options, &status, name, run] {
        if (rejectExtras(cmd, name, status)) return;
        status = prepareAndRun(*options, name, run);
    });
}

} // namespace quillmark
