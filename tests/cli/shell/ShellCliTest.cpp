// The tool as a shell user meets it, as data, each line run by /bin/sh:
// tests/data/cli/shell.txt, each case in a fresh folder of manuscripts, its
// standard output and error compared (printed encodings and token names,
// detected encodings, the routes dump, --output-dir, "-" for standard input
// and output, file names in warnings, the missing style sheet, the help and
// the installed manual page); and tests/data/cli/failures.txt, run in order
// in one folder: the exit status, one message naming the file and the
// reason, the files afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/Corpus.h"
#include "support/Xmllint.h"

namespace {

using namespace qmtest;

// Runs a command line in `dir` with standard input /dev/null: $Q is the
// tool and $B the build folder; a word Q is the tool under a time limit
// (nothing may wait for a FIFO). The case's own redirections take
// precedence over the outer ones.
ToolRun shell(const fs::path& dir, std::string cmd) {
    const std::string tool = "timeout 10 " + shellQuote(QM_CLI);
    for (std::size_t at = 0; (at = cmd.find("Q ", at)) != std::string::npos; at += tool.size())
        if (at == 0 || cmd[at - 1] == ' ') cmd.replace(at, 1, tool);
    const fs::path out = dir / ".stdout", err = dir / ".stderr";
    const int raw = std::system(("cd " + shellQuote(dir.string()) + " && Q=" + shellQuote(QM_CLI) +
                                 " B=" + shellQuote(QM_BINARY_DIR) + "; { " + cmd + "\n} </dev/null >.stdout 2>.stderr")
                                    .c_str());
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readBytes(out), readBytes(err)};
    fs::remove(out);
    fs::remove(err);
    return run;
}

// "*": anything; "~PART": holding PART; "^HEAD": starting with HEAD; else
// exactly these bytes (escapes read).
void expectBytes(const std::string& actual, const std::string& expected, const std::string& what) {
    if (expected == "*") return;
    if (expected.starts_with("~")) EXPECT_NE(actual.find(unescape(expected.substr(1))), std::string::npos) << what << actual;
    else if (expected.starts_with("^")) EXPECT_TRUE(actual.starts_with(unescape(expected.substr(1)))) << what << actual;
    else EXPECT_EQ(actual, unescape(expected)) << what;
}

// The pairs from fields[first] on: a file and its content ("!": no such
// file, "@xml": well-formed for xmllint, else as expectBytes).
void expectFiles(const fs::path& dir, const std::vector<std::string>& c, std::size_t first, const std::string& where) {
    for (std::size_t i = first; i + 1 < c.size(); i += 2) {
        const fs::path file = dir / c[i];
        if (c[i + 1] == "!") EXPECT_FALSE(fs::exists(file)) << where << c[i];
        else if (!fs::is_regular_file(file)) ADD_FAILURE() << where << "no " << c[i];
        else if (c[i + 1] == "@xml") EXPECT_TRUE(xmllint(shellQuote(file.string())).wellFormed) << where << c[i];
        else expectBytes(readBytes(file), c[i + 1], where + c[i] + ": ");
    }
}

void makeManuscripts(const Scratch& s) {
    fs::create_directories(s / "sub");
    const std::pair<const char*, const char*> files[] = {
        {"book.txt", "=題\n前~2~と~-3~。\n"}, {"heading.txt", "**二\n"}, {"split.txt", "本\n&\n二\n"},
        {"plain.txt", "本文\n"},              {"star.txt", "*本"},      {"m.txt", "@toc@\n"},
        {"s0.txt", "=a\n#a"},                 {"sub/book.txt", "本文\n"}, {"mine.css", "/* mine */\n"},
        {"sjis.txt", "\x82\xA0\r\n"}, {"ascii.txt", "plain\n"}, {"a.xml", "<?xml version='1.0' encoding='eucJP'?><a/>"},
        {"a.html", "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=MS932\"></head></html>"},
    };
    for (const auto& [name, bytes] : files) writeBytes(s / name, bytes);
}

TEST(ShellCli, CorpusOfShellUse) {
    for (const auto& [at, c] : readCorpus("cli/shell.txt")) {
        ASSERT_GE(c.size(), 4u) << at;
        Scratch scratch("shell");
        makeManuscripts(scratch);
        const std::string where = at + ": " + c[1] + "\n";
        const ToolRun run = shell(scratch.dir(), c[1]);
        EXPECT_EQ(run.status, std::stoi(c[0])) << where << run.err;
        expectBytes(run.out, c[2], where + "standard output: ");
        expectBytes(run.err, c[3], where + "standard error: ");
        expectFiles(scratch.dir(), c, 4, where);
    }
}

// A line ">", FILE, BYTES writes a file; any other is a case whose message
// is a part of standard error (empty: none), on one line unless it holds one.
TEST(ShellCli, CorpusOfFailures) {
    Scratch scratch("failures");
    int cases = 0;
    for (const auto& [at, c] : readCorpus("cli/failures.txt")) {
        ASSERT_GE(c.size(), 3u) << at;
        if (c[0] == ">") {
            writeBytes(scratch / c[1], unescape(c[2]));
            continue;
        }
        ++cases;
        const std::string where = at + ": " + c[1] + "\n";
        const ToolRun run = shell(scratch.dir(), c[1]);
        const std::string message = unescape(c[2]);
        EXPECT_EQ(run.status, std::stoi(c[0])) << where << run.err;
        if (message.empty()) EXPECT_EQ(run.err, "") << where;
        else EXPECT_NE(run.err.find(message), std::string::npos) << where << run.err;
        if (!message.empty() && message.find('\n') == std::string::npos) {
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << where << "one line: " << run.err;
        }
        expectFiles(scratch.dir(), c, 3, where);
    }
    EXPECT_GT(cases, 50);
    for (const auto& entry : fs::recursive_directory_iterator(scratch.dir())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.rfind(".qm-", 0) != 0 && name.find(".tmp") == std::string::npos) << "left behind: " << name;
    }
}

} // namespace
