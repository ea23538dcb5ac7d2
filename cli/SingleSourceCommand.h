#pragma once

// A subcommand that reads one manuscript: `NAME [--syntax N] [-f ENC] FILE`.
// The shared part checks the options, starts the library, opens and detects
// FILE, and registers it in a Model with the chosen syntax; the command's own
// part runs that model and returns the exit status.

#include <CLI/CLI.hpp>

namespace Orvane {
class Model;
}

namespace quillmark {

using SingleSourceRun = int (*)(Orvane::Model& model);

void installSingleSourceCommand(CLI::App& app, int& status, const char* name, const char* description,
                                SingleSourceRun run);

} // namespace quillmark
