// quillmark trace [--syntax N] [-f ENC] [--stdout-encoding ENC] FILE: runs
// FILE through the syntax into the trace generator, which prints a rough
// HTML-like rendering of the document events on standard output and writes
// no file.

#include <cstdio>
#include <memory>

#include "Command.h"
#include "ConvertOptions.h"
#include "SingleSourceCommand.h"
#include "core/generator/Generator.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

namespace quillmark {

namespace {

constexpr const char* kCommand = "trace";

constexpr int kTraceGenerator = 0;

int runTrace(Orvane::Model& model, CCC::CeId printCeId) {
    model.setGenerator(kTraceGenerator);
    model.getGenerator()->setPrintCeId(printCeId);

    Orvane::DString logText;
    std::unique_ptr<Orvane::Log> log = Orvane::Log::toString(&logText);
    const bool ok = model.run(log.get());
    if (std::fflush(stdout) != 0) return kExitFailure;
    printToStderr(logText);
    return ok ? kExitOk : kExitFailure;
}

void install(CLI::App& app, int& status) {
    installSingleSourceCommand(app, status, kCommand,
                               "Print the document events of a manuscript as a rough trace",
                               runTrace);
}

const CommandRegistration registration(14, kCommand, install);

} // namespace

} // namespace quillmark
