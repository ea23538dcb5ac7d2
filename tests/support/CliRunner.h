#pragma once

// Running the built quillmark tool (QM_CLI) from a test.

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "Files.h"

namespace qmtest {

struct ToolRun {
    int status;  // exit status, -1 when the tool did not exit normally
    std::string out;
    std::string err;
};

// Runs `quillmark ARGS` in folder `dir`. `args` is shell text (quote file
// names with shellQuote); `env` is prefixed to the command (VAR=value ...);
// standard input is `input` (a path), /dev/null by default.
inline ToolRun runQuillmark(const fs::path& dir, const std::string& args, const std::string& env = "",
                            const std::string& input = "/dev/null") {
    const fs::path out = dir / ".stdout", err = dir / ".stderr";
    const std::string cmd = "cd " + shellQuote(dir.string()) + " && " + env + " " + shellQuote(QM_CLI) + " " + args +
                            " <" + shellQuote(input) + " >" + shellQuote(out.string()) + " 2>" +
                            shellQuote(err.string());
    const int raw = std::system(cmd.c_str());
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readBytes(out), readBytes(err)};
    std::error_code ec;
    fs::remove(out, ec);
    fs::remove(err, ec);
    return run;
}

} // namespace qmtest
