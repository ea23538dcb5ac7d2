// An interrupted convert. (Its encodings, a pipe read once, failures and the
// other subcommands: tests/data/cli/failures.txt.)
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "support/CliRunner.h"

namespace {

using namespace qmtest;

std::vector<std::string> temporaryFiles(const fs::path& dir) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename().string().rfind(".qm-", 0) == 0) found.push_back(entry.path().filename());
    return found;
}

// An interrupted run removes the temporary files it made and dies of the
// signal.
TEST(ConvertCli, DataSafetyAnInterruptedRunLeavesNoTemporaryFile) {
    std::string parts;
    for (int i = 0; i < 2000; ++i) parts += "&\n";
    for (int sig : {SIGTERM, SIGINT}) {
        Scratch scratch("signal");
        writeBytes(scratch / "book.txt", "=" + std::string(20000, 't') + "\n" + parts);
        const std::string book = (scratch / "book.txt").string();
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            freopen("/dev/null", "w", stdout);
            execl(QM_CLI, QM_CLI, "convert", book.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        bool seen = false;
        int status = 0;
        while (!seen && waitpid(pid, &status, WNOHANG) == 0) {
            seen = !temporaryFiles(scratch.dir()).empty();
            if (!seen) std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        if (seen) {
            kill(pid, sig);
            waitpid(pid, &status, 0);
        }
        ASSERT_TRUE(seen) << "the run wrote no temporary file while it ran";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig;
        EXPECT_EQ(temporaryFiles(scratch.dir()), std::vector<std::string>{}) << sig;
    }
}

} // namespace
