// quillmark tokens [--syntax N] [-f ENC] FILE: prints the token stream the
// syntax's lexer cuts from FILE, one "token_id: NN" line per token, with the
// token's text (in Shift_JIS) in parentheses when it carries one.

#include <cstdio>

#include "Command.h"
#include "ConvertOptions.h"
#include "SingleSourceCommand.h"
#include "core/model/Model.h"

namespace quillmark {

namespace {

int runTokens(Orvane::Model& model) {
    const bool ok = model.dumpTokens(nullptr);
    return std::fflush(stdout) == 0 && ok ? kExitOk : kExitFailure;
}

void install(CLI::App& app, int& status) {
    installSingleSourceCommand(app, status, "tokens", "Print the tokens of a manuscript (texts in Shift_JIS)",
                               runTokens);
}

const CommandRegistration registration(12, install);

} // namespace

} // namespace quillmark
