// The tool's runs as data: the cases of tests/data/cli/failures.txt (exit
// status, one message naming the file and the reason, the files afterwards)
// run in order in one folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/Corpus.h"
#include "support/Xmllint.h"

namespace {

using namespace qmtest;

// Runs a command line in the folder, Q standing for the tool (under a time
// limit: nothing may wait for a FIFO); standard input and output are
// /dev/null unless the line redirects them.
ToolRun shell(const Scratch& scratch, std::string cmd) {
    const std::string tool = "timeout 10 " + shellQuote(QM_CLI);
    for (std::size_t at = 0; (at = cmd.find("Q ", at)) != std::string::npos; at += tool.size())
        if (at == 0 || cmd[at - 1] == ' ') cmd.replace(at, 1, tool);
    const fs::path err = scratch / ".stderr";
    const int raw = std::system(("cd " + shellQuote(scratch.dir().string()) + " && { " + cmd + "\n} </dev/null >/dev/null 2>" +
                                 shellQuote(err.string())).c_str());
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, "", readBytes(err)};
    fs::remove(err);
    return run;
}

TEST(FailureCli, CorpusOfFailures) {
    Scratch scratch("failures");
    int cases = 0;
    for (const auto& [where, c] : readCorpus("cli/failures.txt")) {
        ASSERT_GE(c.size(), 3u) << where;
        if (c[0] == ">") {
            writeBytes(scratch / c[1], unescape(c[2]));
            continue;
        }
        ++cases;
        const ToolRun run = shell(scratch, c[1]);
        const std::string message = unescape(c[2]);
        EXPECT_EQ(run.status, std::stoi(c[0])) << c[1] << ": " << run.err;
        if (message.empty()) {
            EXPECT_EQ(run.err, "") << c[1];
        } else {
            EXPECT_NE(run.err.find(message), std::string::npos) << c[1] << ": " << run.err;
            if (message.find('\n') == std::string::npos) {
                EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c[1] << ": one line: " << run.err;
            }
        }
        for (std::size_t i = 3; i + 1 < c.size(); i += 2) {
            const fs::path file = scratch / c[i];
            if (c[i + 1] == "!") EXPECT_FALSE(fs::exists(file)) << c[1] << ": " << c[i];
            else if (c[i + 1] == "*") EXPECT_TRUE(fs::is_regular_file(file)) << c[1] << ": " << c[i];
            else if (c[i + 1] == "@xml") EXPECT_TRUE(xmllint(shellQuote(file.string())).wellFormed) << c[1];
            else if (c[i + 1][0] == '~')  // holding
                EXPECT_NE(readBytes(file).find(unescape(c[i + 1].substr(1))), std::string::npos) << c[1] << ": " << c[i];
            else if (c[i + 1][0] == '^')  // starting with
                EXPECT_EQ(readBytes(file).rfind(unescape(c[i + 1].substr(1)), 0), 0u) << c[1] << ": " << c[i];
            else EXPECT_EQ(readBytes(file), unescape(c[i + 1])) << c[1] << ": " << c[i];
        }
    }
    EXPECT_GT(cases, 50);
    for (const auto& entry : fs::recursive_directory_iterator(scratch.dir())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.rfind(".qm-", 0) != 0 && name.find(".tmp") == std::string::npos) << "left behind: " << name;
    }
}

} // namespace
