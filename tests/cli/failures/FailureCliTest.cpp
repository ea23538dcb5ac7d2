// How the tool fails: the cases of tests/data/cli/failures.txt (exit
// status, one message naming the file and the reason, files left as they
// were) run in order in one folder; and the encodings convert -t accepts,
// each checked with xmllint.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/Xmllint.h"

namespace {

using namespace qmtest;

// \n \r \t \0 \\ and \xHH.
std::string unescaped(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        if (c == 'x') {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == '0' ? '\0' : c;
        }
    }
    return out;
}

std::vector<std::string> columns(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, '\t');) cells.push_back(cell);
    if (!line.empty() && line.back() == '\t') cells.emplace_back();
    return cells;
}

void makeFiles(const Scratch& s) {
    for (const char* dir : {"folder", "data", "sub", "link", "in-the-way/yoko.css", "w1.html"})
        fs::create_directories(s / dir);
    const std::pair<const char*, std::string> files[] = {
        {"a.txt", "=題\n&\n二\n"}, {"a1.txt", "=題\n&\n二\n"}, {"a.md", "=題\n&\n二\n"}, {"a.html", "=題\n&\n二\n"},
        {"b.txt", "a=b\n"},        {"-a.txt", "=\xE6\x9C\xAC\n"}, {"ro.txt", "a=b\n"},   {"old.txt", "old\n"},
        {"e.txt", "\x81\xA1" "a=b\r\n"}, {"u.txt", "■a=b\n"},    {"data/yoko.css", "/* yoko */\n"},
        {"c.txt", "本文\n"},       {"sub/c.txt", "本文\n"},      {"link/c.txt", "本文\n"}, {"in-the-way/c.txt", "本文\n"},
        {"link/precious.txt", "mine\n"}, {"w1.txt", "本文\n"},   {"w2.txt", "本文\n"},     {"w3.txt", "本文\n"},
        {"w3.html", "old"},
    };
    for (const auto& [name, bytes] : files) writeBytes(s / name, bytes);
    for (const char* name : {"ro.txt", "w3.html"}) fs::permissions(s / name, fs::perms::owner_read);
    fs::create_symlink("precious.txt", s / "link/yoko.css");
    ASSERT_EQ(::mkfifo((s / "fifo").c_str(), 0600), 0);
}

// Runs a command line in the folder, Q standing for the tool (under a time
// limit: nothing may wait for a FIFO); standard output goes to /dev/null
// unless the line redirects it.
ToolRun shell(const Scratch& scratch, std::string cmd) {
    const std::string tool = "timeout 10 " + shellQuote(QM_CLI);
    for (std::size_t at = 0; (at = cmd.find("Q ", at)) != std::string::npos; at += tool.size())
        if (at == 0 || cmd[at - 1] == ' ') cmd.replace(at, 1, tool);
    const fs::path err = scratch / ".stderr";
    const int raw = std::system(("cd " + shellQuote(scratch.dir().string()) + " && >/dev/null " + cmd +
                                 " </dev/null 2>" + shellQuote(err.string())).c_str());
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, "", readBytes(err)};
    fs::remove(err);
    return run;
}

TEST(FailureCli, CorpusOfFailures) {
    Scratch scratch("failures");
    makeFiles(scratch);
    std::ifstream corpus(fs::path(QM_TEST_DIR) / "data/cli/failures.txt");
    int cases = 0;
    for (std::string line; std::getline(corpus, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> c = columns(line);
        ASSERT_GE(c.size(), 3u) << line;
        ++cases;
        const ToolRun run = shell(scratch, c[1]);
        const std::string message = unescaped(c[2]);
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
            else EXPECT_EQ(readBytes(file), unescaped(c[i + 1])) << c[1] << ": " << c[i];
        }
    }
    EXPECT_GT(cases, 50);
    for (const auto& entry : fs::recursive_directory_iterator(scratch.dir())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.rfind(".qm-", 0) != 0 && name.find(".tmp") == std::string::npos) << "left behind: " << name;
    }
}

// Every name -t accepts gives a document xmllint reads.
TEST(FailureCli, ConvertWritesOnlyEncodingsXmlParsersRead) {
    const char* accepted[] = {
        "us-ascii",    "utf-8",       "utf8",        "utf-8n",      "utf8n",       "utf-16",     "utf-16le",
        "iso-2022-jp", "euc-jp",      "x-euc-jp",    "ujis",        "eucJP",       "Shift_JIS",  "sjis",
        "iso-8859-1",  "iso-8859-2",  "iso-8859-3",  "iso-8859-4",  "iso-8859-5",  "iso-8859-6", "iso-8859-7",
        "iso-8859-8",  "iso-8859-9",  "iso-8859-10", "iso-8859-13", "iso-8859-14", "iso-8859-15", "cp932",
        "SJIS-open",   "SJIS-win",    "MS932",       "EUC-JP-MS",   "eucJP-MS",    "eucJP-open", "eucJP-win",
        "windows-1252", "cp1252",     "MS1252"};
    Scratch scratch("encodings");
    writeBytes(scratch / "m.txt", "=\xE3\x81\x82 title\nbody & <text>\n");
    for (const char* name : accepted) {
        const ToolRun run = runQuillmark(scratch.dir(), std::string("convert -f utf-8 -t ") + name + " m.txt");
        ASSERT_EQ(run.status, 0) << name << ": " << run.err;
        const XmlCheck xml = xmllint(shellQuote((scratch / "m.html").string()));
        EXPECT_TRUE(xml.wellFormed) << name << ": " << xml.diagnostics;
    }
}

} // namespace
