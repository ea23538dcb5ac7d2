// quillmark routes: prints every conversion route of the encoding library
// in its diagnostic format.

#include <cstdio>
#include <string>

#include "CccSession.h"
#include "Command.h"
#include "ccc/encoding/Iceman.h"

namespace quillmark {

namespace {

constexpr const char* kCommand = "routes";

int runRoutes() {
    if (!startCcc(kCommand)) return 1;
    const std::string dump = CCC::Iceman::dumpRoutes();
    if (std::fwrite(dump.data(), 1, dump.size(), stdout) != dump.size()) return 1;
    return std::fflush(stdout) == 0 ? 0 : 1;
}

void install(CLI::App& app, int& status) {
    CLI::App* cmd = app.add_subcommand(kCommand, "Print every conversion route between encodings");
    cmd->callback([&status] { status = runRoutes(); });
}

const CommandRegistration registration(25, kCommand, install);

} // namespace

} // namespace quillmark
