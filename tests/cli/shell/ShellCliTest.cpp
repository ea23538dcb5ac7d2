// The tool as a shell user meets it: the cases of tests/data/cli/shell.txt
// (printed encodings and token names, detected encodings, the routes dump,
// --output-dir, "-" for standard input and output, file names in warnings,
// the missing style sheet, the help and the installed manual page), each
// run by /bin/sh in a fresh folder.
#include <gtest/gtest.h>

#include <string>

#include "support/CliRunner.h"
#include "support/Corpus.h"

namespace {

using namespace qmtest;

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

// "~part": contains it; "*": anything; else exactly these bytes.
void expectMatch(const std::string& actual, const std::string& expected, const std::string& what) {
    if (expected == "*") return;
    if (expected.starts_with("~")) EXPECT_NE(actual.find(unescape(expected.substr(1))), std::string::npos) << what << actual;
    else EXPECT_EQ(actual, unescape(expected)) << what;
}

TEST(ShellCli, CorpusOfShellUse) {
    for (const CorpusLine& line : readCorpus("cli/shell.txt")) {
        const auto& c = line.fields;
        ASSERT_GE(c.size(), 4u) << line.where;
        Scratch scratch("shell");
        makeManuscripts(scratch);
        const std::string where = line.where + ": " + c[1] + "\n";
        // The case's own redirections take precedence over the outer ones.
        const std::string command = "Q=" + shellQuote(QM_CLI) + " B=" + shellQuote(QM_BINARY_DIR) + "; { " + c[1] +
                                    "\n} 2>.stderr >.stdout </dev/null";
        const int raw = std::system(("cd " + shellQuote(scratch.dir().string()) + " && " + command).c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::stoi(c[0])) << where << readBytes(scratch / ".stderr");
        expectMatch(readBytes(scratch / ".stdout"), c[2], where + "standard output: ");
        expectMatch(readBytes(scratch / ".stderr"), c[3], where + "standard error: ");
        for (std::size_t i = 4; i + 1 < c.size(); i += 2) {
            const fs::path file = scratch / c[i];
            if (c[i + 1] == "!") EXPECT_FALSE(fs::exists(file)) << where << c[i];
            else if (!fs::exists(file)) ADD_FAILURE() << where << "no " << c[i];
            else expectMatch(readBytes(file), c[i + 1], where + c[i] + ": ");
        }
    }
}

} // namespace
