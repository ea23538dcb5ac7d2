// How the tool fails: exit statuses, one message naming the file and the
// reason, files left as they were; and the encodings convert -t accepts,
// each checked with xmllint.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "cli/golden/CliRun.h"

namespace {

using namespace cli_test;

// Runs a shell command line in the scratch folder, where Q stands for the
// tool (under a time limit: nothing may wait for a FIFO); standard output
// goes to /dev/null unless the line redirects it.
ToolRun shell(const Scratch& scratch, const std::string& line) {
    std::string cmd = line;
    const std::string tool = "timeout 10 " + quote(QM_CLI);
    for (std::size_t at = 0; (at = cmd.find("Q ", at)) != std::string::npos; at += tool.size())
        if (at == 0 || cmd[at - 1] == ' ') cmd.replace(at, 1, tool);
    const fs::path err = scratch / ".stderr";
    const int raw = std::system(("cd " + quote(scratch.dir().string()) + " && >/dev/null " + cmd + " </dev/null 2>" +
                                 quote(err.string())).c_str());
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, "", readBytes(err)};
    fs::remove(err);
    return run;
}

struct FailureCase {
    std::string line;
    int status;
    std::string message;  // a part of the one-line message ("" for none)
    std::string file;     // a file whose content must be `content` afterwards
    std::string content;
};

TEST(FailureCli, ExitStatusesMessagesAndUntouchedFiles) {
    Scratch scratch("failures");
    writeBytes(scratch / "a.txt", "a=b\n");
    writeBytes(scratch / "-a.txt", "=\xE6\x9C\xAC\n");
    writeBytes(scratch / "ro.txt", "a=b\n");
    fs::permissions(scratch / "ro.txt", fs::perms::owner_read);
    writeBytes(scratch / "old.txt", "old\n");
    ASSERT_EQ(::mkfifo((scratch / "fifo").c_str(), 0600), 0);
    fs::create_directories(scratch / "folder");
    fs::create_directories(scratch / "data");
    writeBytes(scratch / "data/yoko.css", "/* yoko */\n");
    fs::create_directories(scratch / "in-the-way/yoko.css");
    writeBytes(scratch / "in-the-way/b.txt", "本文\n");
    const std::string data = "QUILLMARK_DATA_DIR=data ";

    const FailureCase cases[] = {
        {"Q detect folder", 1, "quillmark detect: cannot open folder: Is a directory", "", ""},
        {"Q detect fifo", 1, "cannot open fifo: not a regular file", "", ""},
        {"Q detect -- a.txt", 0, "", "", ""},
        {"Q escape fifo", 1, "cannot escape fifo: not a regular file", "", ""},
        {"Q escape folder", 1, "cannot escape folder: Is a directory", "", ""},
        {"Q escape ro.txt", 1, "cannot escape ro.txt: the file is read-only", "ro.txt", "a=b\n"},
        {"Q escape missing.txt", 1, "cannot escape missing.txt: No such file or directory", "", ""},
        {"Q escape -- -a.txt", 0, "", "-a.txt.back", "=\xE6\x9C\xAC\n"},
        {"Q convert -- -a.txt", 0, "", "", ""},
        {"Q tokens -- -a.txt", 0, "", "", ""},
        {"Q --help >/dev/full", 1, "quillmark: cannot write standard output: No space left on device", "", ""},
        {"Q convert --help >/dev/full", 1, "No space left on device", "", ""},
        {"Q detect a.txt >/dev/full", 1, "No space left on device", "", ""},
        // recode replaces OUTPUT only when it is complete.
        {"Q recode -f utf-8n -t utf-16le a.txt a.txt", 0, "", "a.txt", std::string("a\0=\0b\0\n\0", 8)},
        {"Q recode -f utf-8n -t utf-8n folder old.txt", 1, "quillmark recode: cannot read folder: Is a directory",
         "old.txt", "old\n"},
        {"Q recode -f utf-8n -t utf-8n -- -a.txt old.txt", 0, "", "old.txt", "\\=\xE6\x9C\xAC\n"},  // escaped above
        {"Q recode -f utf-8n -t utf-8n a.txt ro.txt", 1, "cannot write ro.txt: the file is read-only", "ro.txt",
         "a=b\n"},
        // A style sheet that cannot be copied fails the run.
        {data + "Q convert --style yoko in-the-way/b.txt", 1,
         "cannot copy the style sheet data/yoko.css to in-the-way/yoko.css: Is a directory", "", ""},
        {data + "Q convert --style tate a.txt", 1, "data/tate.css to ./tate.css: No such file", "", ""},
    };
    for (const FailureCase& c : cases) {
        const ToolRun run = shell(scratch, c.line);
        EXPECT_EQ(run.status, c.status) << c.line << ": " << run.err;
        if (!c.message.empty()) {
            EXPECT_NE(run.err.find(c.message), std::string::npos) << c.line << ": " << run.err;
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.line << ": " << run.err;
        } else {
            EXPECT_EQ(run.err, "") << c.line;
        }
        if (!c.file.empty()) {
            EXPECT_EQ(readBytes(scratch / c.file), c.content) << c.line;
        }
    }
}

TEST(FailureCli, StyleSheetReplacesALinkAndNotItsTarget) {
    Scratch scratch("style-link");
    fs::create_directories(scratch / "data");
    writeBytes(scratch / "data/yoko.css", "/* yoko */\n");
    writeBytes(scratch / "a.txt", "本文\n");
    writeBytes(scratch / "precious.txt", "mine\n");
    fs::create_symlink("precious.txt", scratch / "yoko.css");
    const ToolRun run = scratch.quillmark("convert --style yoko a.txt", "QUILLMARK_DATA_DIR=data");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readBytes(scratch / "precious.txt"), "mine\n");
    EXPECT_FALSE(fs::is_symlink(scratch / "yoko.css"));
    EXPECT_EQ(readBytes(scratch / "yoko.css"), "/* yoko */\n");
}

// Every name -t accepts gives a document xmllint reads; the others are
// refused as usage errors that list the accepted ones.
TEST(FailureCli, ConvertWritesOnlyEncodingsXmlParsersRead) {
    const char* accepted[] = {
        "us-ascii",    "utf-8",       "utf8",        "utf-8n",      "utf8n",       "utf-16",     "utf-16le",
        "iso-2022-jp", "euc-jp",      "x-euc-jp",    "ujis",        "eucJP",       "Shift_JIS",  "sjis",
        "iso-8859-1",  "iso-8859-2",  "iso-8859-3",  "iso-8859-4",  "iso-8859-5",  "iso-8859-6", "iso-8859-7",
        "iso-8859-8",  "iso-8859-9",  "iso-8859-10", "iso-8859-13", "iso-8859-14", "iso-8859-15", "cp932",
        "SJIS-open",   "SJIS-win",    "MS932",       "EUC-JP-MS",   "eucJP-MS",    "eucJP-open", "eucJP-win",
        "windows-1252", "cp1252",     "MS1252"};
    const char* refused[] = {"ucs2-le", "ucs2",     "ucs2-be",  "ucs4-le",      "ucs4",         "ucs4-be",
                             "utf-7",   "utf7",     "utf-16n",  "utf-32",       "utf-32n",      "utf-16be",
                             "utf-32be", "utf-32le", "utf-16be+bom", "utf-16le+bom", "utf-32be+bom", "utf-32le+bom"};
    Scratch scratch("encodings");
    writeBytes(scratch / "m.txt", "=\xE3\x81\x82 title\nbody & <text>\n");
    std::string errors;
    for (const char* name : accepted) {
        const ToolRun run = scratch.quillmark(std::string("convert -f utf-8 -t ") + name + " m.txt");
        ASSERT_EQ(run.status, 0) << name << ": " << run.err;
        const int lint = xmllint(quote((scratch / "m.html").string()), errors, scratch.dir());
        if (lint < 0) GTEST_SKIP() << "xmllint is not installed";
        EXPECT_EQ(lint, 0) << name << ": " << errors;
    }
    for (const char* name : refused) {
        const ToolRun run = scratch.quillmark(std::string("convert -f utf-8 -t ") + name + " m.txt");
        EXPECT_EQ(run.status, 2) << name;
        EXPECT_NE(run.err.find("-t takes auto, us-ascii, utf-8,"), std::string::npos) << name << ": " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

} // namespace
