// quillmark tokens [--syntax N] [-f ENC] [--stdout-encoding ENC] FILE:
// prints the token stream the syntax's lexer cuts from FILE, one
// "token_id: NN NAME" line per token, with the token's text in parentheses
// when it carries one.

#include <cstdio>

#include "Command.h"
#include "ConvertOptions.h"
#include "SingleSourceCommand.h"
#include "core/model/Model.h"
#include "core/syntax/Syntax.h"

namespace quillmark {

namespace {

constexpr const char* kCommand = "tokens";

int runTokens(Orvane::Model& model, CCC::CeId printCeId) {
    model.getSyntax()->setPrintCeId(printCeId);
    const bool ok = model.dumpTokens(nullptr);
    return std::fflush(stdout) == 0 && ok ? kExitOk : kExitFailure;
}

void install(CLI::App& app, int& status) {
    installSingleSourceCommand(app, status, kCommand, "Print the tokens of a manuscript: code, name and text",
                               runTokens);
}

const CommandRegistration registration(12, kCommand, install);

} // namespace

} // namespace quillmark
