// quillmark tokens [--syntax N] [-f ENC] FILE: prints the token stream the
// syntax's lexer cuts from FILE, one "token_id: NN" line per token, with the
// token's text (in Shift_JIS) in parentheses when it carries one.

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

constexpr const char* kCommand = "tokens";

int runTokens(const SourceOptions& options) {
    if (options.files.size() != 1) return usageError(kCommand, "give exactly one FILE");
    if (!startCcc(kCommand)) return kExitFailure;
    int status = kExitOk;
    CCC::CeId from = 0;
    if (!parseEncoding(options.from, kCommand, from, status)) return status;
    Orvane::Model model;
    if (!selectSyntax(model, options.syntax, kCommand, status)) return status;
    std::vector<SourceFile> sources;
    if (!openSources(options.files, from, 0, kCommand, sources)) return kExitFailure;
    model.addSrcText(sources[0].path.c_str(), sources[0].in, nullptr, sources[0].out, 0);
    const bool ok = model.dumpTokens(nullptr);
    return std::fflush(stdout) == 0 && ok ? kExitOk : kExitFailure;
}

void install(CLI::App& app, int& status) {
    auto options = std::make_shared<SourceOptions>();
    CLI::App* cmd = app.add_subcommand("tokens", "Print the tokens of a manuscript (texts in Shift_JIS)");
    addSourceOptions(cmd, *options);
    cmd->add_option("FILE", options->files, "The manuscript");
    cmd->callback([cmd, options, &status] {
        if (rejectExtras(cmd, kCommand, status)) return;
        status = runTokens(*options);
    });
}

const CommandRegistration registration(12, install);

} // namespace

} // namespace quillmark
