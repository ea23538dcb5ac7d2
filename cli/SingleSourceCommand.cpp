#include "SingleSourceCommand.h"

#include <memory>
#include <vector>

#include "CccSession.h"
#include "ConvertOptions.h"
#include "core/model/Model.h"

namespace quillmark {

namespace {

int prepareAndRun(const SourceOptions& options, const char* command, SingleSourceRun run) {
    if (options.files.size() != 1) return usageError(command, "give exactly one FILE");
    if (!startCcc(command)) return kExitFailure;
    int status = kExitOk;
    CCC::CeId from = CCC::ceid::kNone;
    if (!parseEncoding(options.from, command, from, status)) return status;
    Orvane::Model model;
    if (!selectSyntax(model, options.syntax, command, status)) return status;
    std::vector<SourceFile> sources;
    if (!openSources(options.files, from, CCC::ceid::kNone, command, sources)) return kExitFailure;
    addSource(model, sources[0], CCC::nlconv::kNone);
    return run(model);
}

} // namespace

void installSingleSourceCommand(CLI::App& app, int& status, const char* name, const char* description,
                                SingleSourceRun run) {
    auto options = std::make_shared<SourceOptions>();
    CLI::App* cmd = app.add_subcommand(name, description);
    addSourceOptions(cmd, *options);
    cmd->add_option("FILE", options->files, "The manuscript");
    cmd->callback([cmd, options, &status, name, run] {
        if (rejectExtras(cmd, name, status)) return;
        status = prepareAndRun(*options, name, run);
    });
}

} // namespace quillmark
