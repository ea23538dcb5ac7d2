#pragma once

#include <CLI/CLI.hpp>

namespace quillmark {

// Each subcommand lives in its own file and registers an installer here;
// the installer adds the subcommand to the app and, in its callback, stores
// the process's exit status in `status`.
using CommandInstaller = void (*)(CLI::App& app, int& status);

struct CommandRegistration {
    // Commands are listed in --help by ascending order; `name` is the one
    // the installer gives its subcommand.
    CommandRegistration(int order, const char* name, CommandInstaller install);
};

} // namespace quillmark
