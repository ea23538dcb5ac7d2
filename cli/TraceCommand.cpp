// quillmark trace [--syntax N] [-f ENC] FILE: runs FILE through the syntax
// into the trace generator, which prints a rough HTML-like rendering of the
// document events on standard output (texts in Shift_JIS) and writes no
// file.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CccSession.h"
#include "Command.h"
#include "ConvertOptions.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

namespace quillmark {

namespace {

constexpr const char* kCommand = "trace";
constexpr int kTraceGenerator = 0;

int runTrace(const SourceOptions& options) {
    if (options.files.size() != 1) return usageError(kCommand, "give exactly one FILE");
    if (!startCcc(kCommand)) return kExitFailure;
    int status = kExitOk;
    CCC::CeId from = 0;
    if (!parseEncoding(options.from, kCommand, from, status)) return status;
    Orvane::Model model;
    if (!selectSyntax(model, options.syntax, kCommand, status)) return status;
    std::vector<SourceFile> sources;
    if (!openSources(options.files, from, 0, kCommand, sources)) return kExitFailure;
    model.setGenerator(kTraceGenerator);
    model.addSrcText(sources[0].path.c_str(), sources[0].in, nullptr, sources[0].out, 0);

    Orvane::DString logText;
    std::unique_ptr<Orvane::Log> log = Orvane::Log::toString(&logText);
    model.resetTemplate();
    model.setDefaultTemplate();
    model.clearOutputs();
    const bool ok = model.generate(log.get());
    if (std::fflush(stdout) != 0) return kExitFailure;
    printToStderr(logText);
    return ok ? kExitOk : kExitFailure;
}

void install(CLI::App& app, int& status) {
    auto options = std::make_shared<SourceOptions>();
    CLI::App* cmd =
        app.add_subcommand("trace", "Print the document events of a manuscript as a rough trace (texts in Shift_JIS)");
    addSourceOptions(cmd, *options);
    cmd->add_option("FILE", options->files, "The manuscript");
    cmd->callback([cmd, options, &status] {
        if (rejectExtras(cmd, kCommand, status)) return;
        status = runTrace(*options);
    });
}

const CommandRegistration registration(14, install);

} // namespace

} // namespace quillmark
