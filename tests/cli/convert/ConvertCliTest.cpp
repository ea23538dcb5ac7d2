// The convert, tokens and trace subcommands as a user meets them: exit
// statuses and one-line usage errors, a file that cannot be opened stopping
// everything, the automatic choice of encodings, warnings, style sheets,
// and the token dump and trace outputs.
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

#include "cli/golden/CliRun.h"

namespace {

using namespace cli_test;

bool oneLineP(const std::string& s) { return !s.empty() && s.find('\n') == s.size() - 1; }

struct UsageCase {
    const char* args;
    const char* message;
};

TEST(ConvertCli, UsageErrorsExitTwoWithOneLine) {
    const UsageCase cases[] = {
        {"convert --bogus a.txt", "unknown option: --bogus"},
        {"convert -f no-such-code a.txt", "unknown encoding name: no-such-code"},
        {"convert -t no-such-code a.txt", "unknown encoding name: no-such-code"},
        {"convert -f ja-detector a.txt", "unknown encoding name: ja-detector"},
        {"convert --syntax 7 a.txt", "no syntax 7"},
        {"convert --syntax two a.txt", "no syntax two"},
        {"convert --xhtml 2.0 a.txt", "--xhtml"},
        {"convert --span ten,semicolon a.txt", "semicolon"},
        {"convert", "no FILE"},
        {"tokens a.txt b.txt", "exactly one FILE"},
        {"trace --syntax 9 a.txt", "no syntax 9"},
        {"tokens -f nonsense a.txt", "unknown encoding name"},
    };
    Scratch scratch("usage");
    writeBytes(scratch / "a.txt", "本文\n");
    writeBytes(scratch / "b.txt", "本文\n");
    for (const UsageCase& c : cases) {
        const ToolRun run = scratch.quillmark(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_TRUE(oneLineP(run.err)) << c.args << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << ": " << run.err;
        EXPECT_FALSE(fs::exists(scratch / "a.html")) << c.args;
    }
}

TEST(ConvertCli, AFileThatCannotBeOpenedStopsEverything) {
    Scratch scratch("unopenable");
    writeBytes(scratch / "good.txt", "本文\n");
    fs::create_directory(scratch / "folder.txt");
    for (const char* bad : {"missing.txt", "folder.txt"}) {
        const ToolRun run = scratch.quillmark(std::string("convert good.txt ") + bad);
        EXPECT_EQ(run.status, 1) << bad;
        EXPECT_EQ(run.err, std::string("quillmark convert: can't open ") + bad + ": " +
                               (fs::exists(scratch / bad) ? "Is a directory" : "No such file or directory") + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(fs::exists(scratch / "good.html")) << "nothing is written";
    }
}

TEST(ConvertCli, AnOutputThatCannotBeWrittenFailsTheRunButNotTheOthers) {
    Scratch scratch("unwritable");
    writeBytes(scratch / "a.txt", "本文\n");
    writeBytes(scratch / "b.txt", "本文\n");
    writeBytes(scratch / "c.txt", "本文\n");
    fs::create_directory(scratch / "a.html");  // in the way of the output, even for root
    writeBytes(scratch / "c.html", "old");
    fs::permissions(scratch / "c.html", fs::perms::owner_read);
    const ToolRun run = scratch.quillmark("convert a.txt b.txt c.txt");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(fs::is_directory(scratch / "a.html"));
    EXPECT_TRUE(fs::is_regular_file(scratch / "b.html"));
    EXPECT_EQ(readBytes(scratch / "c.html"), "old");
    EXPECT_EQ(run.err,
              "quillmark convert: cannot write a.html: Is a directory\n"
              "quillmark convert: cannot write c.html: Permission denied\n");
}

struct UnsafeRunCase {
    const char* args;
    const char* err;
};

// A run that would write over one of its sources, or write one path twice,
// writes nothing at all and names the files.
TEST(ConvertCli, DataSafetyUnsafeRunsWriteNothing) {
    const UnsafeRunCase cases[] = {
        {"convert x.html", "quillmark convert: cannot write x.html: it is a source of this run\n"},
        {"convert a.txt ./a.html",
         "quillmark convert: cannot write a.html: it is a source of this run\n"
         "quillmark convert: cannot write ./a.html: it is a source of this run\n"},
        {"convert a.txt a.md", "quillmark convert: a.txt and a.md both write a.html\n"},
        {"convert book.txt book1.txt", "quillmark convert: book.txt and book1.txt both write book1.html\n"},
    };
    for (const UnsafeRunCase& c : cases) {
        Scratch scratch("unsafe");
        for (const char* name : {"x.html", "a.txt", "a.html", "a.md", "book.txt", "book1.txt"})
            writeBytes(scratch / name, "=題\n&\n二\n");
        const ToolRun run = scratch.quillmark(c.args);
        EXPECT_EQ(run.status, 1) << c.args;
        EXPECT_EQ(run.err, c.err) << c.args;
        EXPECT_EQ(run.out, "") << c.args;
        for (const char* name : {"x.html", "a.html"})
            EXPECT_EQ(readBytes(scratch / name), "=題\n&\n二\n") << c.args << ": " << name;
        EXPECT_EQ(std::distance(fs::directory_iterator(scratch.dir()), fs::directory_iterator()), 6) << c.args;
    }
}

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
    const ToolRun run = scratch.quillmark("convert pipe.txt", "timeout 10");
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
        const ToolRun run = scratch.quillmark("convert " + c.options + " t.txt");
        ASSERT_EQ(run.status, 0) << c.what << ": " << run.err;
        const std::string out = readBytes(scratch / "t.html");
        EXPECT_EQ(out.rfind("\xEF\xBB\xBF", 0) == 0, c.mark) << c.what;
        EXPECT_NE(out.find("encoding=\"" + c.label + "\"?>\r\n"), std::string::npos) << c.what;
        EXPECT_NE(out.find("<h1 class=\"title\">" + c.titleBytes + "</h1>\r\n"), std::string::npos) << c.what;
    }
}

TEST(ConvertCli, StructureWarningsGoToStandardError) {
    Scratch scratch("warnings");
    writeBytes(scratch / "a.txt", "**節\n~5~\n~3~\n");
    writeBytes(scratch / "b.txt", "**節\n");
    const ToolRun run = scratch.quillmark("convert a.txt b.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "a.html\nb.html\n");
    EXPECT_EQ(run.err,
              "警告: 見出しレベルの指定がH2から始まっています。\n"
              "警告: ページ番号が5から3に逆順に変更されました。\n"
              "警告: 見出しレベルの指定がH2から始まっています。\n");
}

TEST(ConvertCli, StyleSheetsAreCopiedOrReferred) {
    Scratch scratch("style");
    fs::create_directories(scratch / "data");
    fs::create_directories(scratch / "sub");
    writeBytes(scratch / "data/yoko.css", "/* yoko */\n");
    writeBytes(scratch / "a.txt", "本文\n");
    writeBytes(scratch / "sub/b.txt", "本文\n");
    const std::string env = "QUILLMARK_DATA_DIR=" + quote((scratch / "data").string());

    // Built in and present: copied next to every output.
    ToolRun run = scratch.quillmark("convert --style yoko a.txt sub/b.txt", env);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readBytes(scratch / "yoko.css"), "/* yoko */\n");
    EXPECT_EQ(readBytes(scratch / "sub/yoko.css"), "/* yoko */\n");
    EXPECT_NE(readBytes(scratch / "a.html").find("href=\"yoko.css\" />\r\n<title>"), std::string::npos);
    EXPECT_NE(readBytes(scratch / "a.html").find("<div class=\"yoko\">"), std::string::npos);

    // Built in and missing: the documents are still written, the run fails.
    run = scratch.quillmark("convert --style tate a.txt", env);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(oneLineP(run.err)) << run.err;
    EXPECT_NE(readBytes(scratch / "a.html").find("<div id=\"honbun\">"), std::string::npos);
    EXPECT_FALSE(fs::exists(scratch / "tate.css"));

    // The user's own: referred to as written, not copied, no wrappers.
    run = scratch.quillmark("convert --style \"my book.css\" a.txt", env);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string doc = readBytes(scratch / "a.html");
    EXPECT_NE(doc.find("href=\"my book.css\""), std::string::npos);
    EXPECT_EQ(doc.find("<div class="), std::string::npos);
    EXPECT_FALSE(fs::exists(scratch / "my book.css"));
}

TEST(ConvertCli, SplitPartsAreNamedAndListed) {
    Scratch scratch("parts");
    writeBytes(scratch / "book.txt", "一\n&\n二\n&三\n三\n");
    const ToolRun run = scratch.quillmark("convert book.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "book.html\nbook1.html\nbook2.html\n");
}

struct TokenCase {
    const char* syntax;
    std::string text;
    std::string dump;
};

TEST(TokensCli, PrintsTheTokenDump) {
    const TokenCase cases[] = {
        {"2", "=\n", "token_id: 02\ntoken_id: 01\ntoken_id: 00\n"},
        {"3", "=\n", "token_id: 02\ntoken_id: 01\ntoken_id: 00\n"},
        {"4", "\xEF\xBC\x9D\n", "token_id: 02\ntoken_id: 01\ntoken_id: 00\n"},
        // Texts are printed in Shift_JIS.
        {"2", "*\xE6\x9C\xAC", "token_id: 05\ntoken_id: 03 (\x96\x7B)\ntoken_id: 01\ntoken_id: 00\n"},
        {"2", "", "token_id: 00\n"},
    };
    for (const TokenCase& c : cases) {
        Scratch scratch("tokens");
        writeBytes(scratch / "t.txt", c.text);
        const ToolRun run = scratch.quillmark(std::string("tokens --syntax ") + c.syntax + " -f utf-8 t.txt");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.dump) << c.syntax << " " << c.text;
    }
}

TEST(TraceCli, PrintsTheTraceAndWritesNoFile) {
    Scratch scratch("trace");
    writeBytes(scratch / "t.txt", "=\xE9\xA1\x8C\n*\xE7\xAB\xA0\n\xE6\x9C\xAC\xE3\x80\x82\n");
    const ToolRun run = scratch.quillmark("trace t.txt");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "<title>\x91\xE8</title>\n<h1>\x8F\xCD</h1>\n<p><span>\x96\x7B\x81\x42</span></p>\n");
    EXPECT_FALSE(fs::exists(scratch / "t.html"));
    EXPECT_FALSE(fs::exists(scratch / "t.g0"));
}

TEST(TraceCli, AMissingFileExitsOne) {
    Scratch scratch("trace-missing");
    for (const char* cmd : {"trace", "tokens"}) {
        const ToolRun run = scratch.quillmark(std::string(cmd) + " nothing.txt");
        EXPECT_EQ(run.status, 1) << cmd;
        EXPECT_EQ(run.err, std::string("quillmark ") + cmd + ": can't open nothing.txt: No such file or directory\n");
    }
}

} // namespace
