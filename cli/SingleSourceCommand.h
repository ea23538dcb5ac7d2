#pragma once

// A subcommand that reads one manuscript and prints what it finds:
// `NAME [--syntax N] [-f ENC] [--stdout-encoding ENC] FILE` ("-": standard
// input). The shared part checks the options, starts the library, opens and
// detects FILE, and registers it in a Model with the chosen syntax; the
// command's own part runs that model, printing texts in the encoding
// given, and returns the exit status.

#include <CLI/CLI.hpp>

#include "ccc/base/Unit.h"

namespace Orvane {
class Model;
}

namespace quillmark {

using SingleSourceRun = int (*)(Orvane::Model& model, CCC::CeId printCeId);

void installSingleSourceCommand(CLI::App& app, int& status, const char* name, const char* description,
                                SingleSourceRun run);

} // namespace quillmark
