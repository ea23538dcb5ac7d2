// The convert, tokens and trace subcommands as a user meets them: a pipe
// read once, an interrupted run, the automatic choice of encodings, and the
// token dump and trace outputs. (Failures: tests/data/cli/failures.txt.)
#include <fcntl.h>
#include <sys/stat.h>
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

// A pipe can be read once: detection must not consume what the run needs.
TEST(ConvertCli, AutoDetectionReadsAPipeOnce) {
    Scratch scratch("pipe");
    const fs::path fifo = scratch / "pipe.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&fifo] {
        // Waits for the reader without ever blocking the test for good.
        for (int i = 0; i < 1000; ++i) {
            const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                const std::string text = "=\xE3\x81\x82\n";
                EXPECT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
                close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    const ToolRun run = runQuillmark(scratch.dir(), "convert pipe.txt", "timeout 10");
    writer.join();
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string out = readBytes(scratch / "pipe.html");
    EXPECT_NE(out.find("encoding=\"utf-8\""), std::string::npos);
    EXPECT_NE(out.find("<h1 class=\"title\">\xE3\x81\x82</h1>"), std::string::npos);
}

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

struct EncodingCase {
    const char* what;
    std::string source;      // bytes of a one-line title manuscript
    std::string options;     // extra options
    std::string label;       // the encoding the document declares
    std::string titleBytes;  // the title as it must appear in the output
    bool mark;               // output starts with EF BB BF
};

TEST(ConvertCli, ChoosesEncodingsFromTheSource) {
    const std::string a = "\xE3\x81\x82";  // あ in UTF-8
    const EncodingCase cases[] = {
        {"UTF-8 with a non-ASCII byte", "=" + a + "\n", "", "utf-8", a, true},
        {"UTF-8 mark with ASCII text", "\xEF\xBB\xBF=abc\n", "", "utf-8", "abc", true},
        {"plain ASCII", "=abc\n", "", "Shift_JIS", "abc", false},
        {"Shift_JIS", "=\x82\xA0\x93\xFA\n", "", "Shift_JIS", "\x82\xA0\x93\xFA", false},
        {"cp932 extension (circled one)", "=\x87\x40\n", "", "Shift_JIS", "\x87\x40", false},
        {"EUC-JP", "=\xC6\xFC\xCB\xDC\xB8\xEC\n", "", "utf-8", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", true},
        {"ISO-2022-JP", "=\x1B$B$\"\x1B(B\n", "", "utf-8", a, true},
        {"UTF-16LE with its mark", std::string("\xFF\xFE=\0\x42\x30\n\0", 8), "", "utf-8", a, true},
        {"UTF-16BE with its mark", std::string("\xFE\xFF\0=\x30\x42\0\n", 8), "", "utf-8", a, true},
        {"explicit -t", "=" + a + "\n", "-t euc-jp", "euc-jp", "\xA4\xA2", false},
        {"explicit -f", "=\xA4\xA2\n", "-f euc-jp", "utf-8", a, true},
        {"explicit -f of a Shift_JIS family", "=abc\n", "-f shift_jis", "Shift_JIS", "abc", false},
    };
    for (const EncodingCase& c : cases) {
        Scratch scratch("encoding");
        writeBytes(scratch / "t.txt", c.source);
        const ToolRun run = runQuillmark(scratch.dir(), "convert " + c.options + " t.txt");
        ASSERT_EQ(run.status, 0) << c.what << ": " << run.err;
        const std::string out = readBytes(scratch / "t.html");
        EXPECT_EQ(out.rfind("\xEF\xBB\xBF", 0) == 0, c.mark) << c.what;
        EXPECT_NE(out.find("encoding=\"" + c.label + "\"?>\r\n"), std::string::npos) << c.what;
        EXPECT_NE(out.find("<h1 class=\"title\">" + c.titleBytes + "</h1>\r\n"), std::string::npos) << c.what;
    }
}

struct TokenCase {
    const char* syntax;
    std::string text;
    std::string dump;
};

TEST(TokensCli, PrintsTheTokenDump) {
    const TokenCase cases[] = {
        {"2", "=\n", "token_id: 02 EQ\ntoken_id: 01 NL\ntoken_id: 00 $\n"},
        {"3", "=\n", "token_id: 02 EQ\ntoken_id: 01 NL\ntoken_id: 00 $\n"},
        {"4", "\xEF\xBC\x9D\n", "token_id: 02 EQ\ntoken_id: 01 NL\ntoken_id: 00 $\n"},
        // Texts are printed in UTF-8.
        {"2", "*\xE6\x9C\xAC", "token_id: 05 ASTER\ntoken_id: 03 STRING (\xE6\x9C\xAC)\ntoken_id: 01 NL\ntoken_id: 00 $\n"},
        {"2", "", "token_id: 00 $\n"},
    };
    for (const TokenCase& c : cases) {
        Scratch scratch("tokens");
        writeBytes(scratch / "t.txt", c.text);
        const ToolRun run = runQuillmark(scratch.dir(), std::string("tokens --syntax ") + c.syntax + " -f utf-8 t.txt");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.dump) << c.syntax << " " << c.text;
    }
}

TEST(TraceCli, PrintsTheTraceAndWritesNoFile) {
    Scratch scratch("trace");
    writeBytes(scratch / "t.txt", "=\xE9\xA1\x8C\n*\xE7\xAB\xA0\n\xE6\x9C\xAC\xE3\x80\x82\n");
    const ToolRun run = runQuillmark(scratch.dir(), "trace t.txt");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "<title>\xE9\xA1\x8C</title>\n<h1>\xE7\xAB\xA0</h1>\n<p><span>\xE6\x9C\xAC\xE3\x80\x82</span></p>\n");
    EXPECT_FALSE(fs::exists(scratch / "t.html"));
    EXPECT_FALSE(fs::exists(scratch / "t.g0"));
}

} // namespace
