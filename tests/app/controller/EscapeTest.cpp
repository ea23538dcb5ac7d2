#include "ControllerFixture.h"

#include <sys/stat.h>

namespace qmtest {

using EscapeTest = ControllerTest;

namespace {

const std::string kRegister = "エラー: 登録|";

} // namespace

TEST_F(EscapeTest, RewritesAndKeepsTheOriginalAsBackup) {
    Tolvan& t = make();
    struct Case {
        int syntax, charset;
        std::string in, out;
    } cases[] = {
        // The example: a leading black square, "=" between letters, a backslash.
        {2, 0, "\x81\xA1title\r\na=b\\c\r\n", "\\\x81\xA1title\r\na\\=b\\\\c\r\n"},
        {2, 0, "", ""},
        {2, 0, "no marks here\r\n\x82\xA0\r\n", "no marks here\r\n\x82\xA0\r\n"},
        // Everything from a NUL byte on is kept.
        {2, 0, std::string("a=b\0c=d\xFF", 8), std::string("a\\=b\0c=d\xFF", 9)},
        // UTF-8: the written text carries the byte-order mark of "utf-8".
        {2, 1, "\xEF\xBB\xBF■a=b\n", "\xEF\xBB\xBF\\■a\\=b\n"},
        {2, 1, "■a=b\n", "\xEF\xBB\xBF\\■a\\=b\n"},
        {4, 1, "■=\n", "\xEF\xBB\xBF＼■=\n"},
        {2, 1, "", ""},
        {2, 1, std::string("=\0=\xFF", 4), std::string("\xEF\xBB\xBF\\=\0=\xFF", 8)},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string file = path("f" + std::to_string(n++) + ".txt");
        writeFile(file, c.in);
        t.settings().Syntax = c.syntax;
        t.settings().InputCharset = c.charset;
        EXPECT_TRUE(t.convertEscape(T(file))) << n;
        EXPECT_EQ(readFile(file), c.out) << n;
        EXPECT_EQ(readFile(file + ".back"), c.in) << n;
    }
    EXPECT_EQ(lastMessages(), "");
    // The rewritten file keeps the original's permissions.
    writeFile(path("mode.txt"), "a=b\n");
    fs::permissions(path("mode.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(t.convertEscape(T(path("mode.txt"))));
    EXPECT_EQ(fs::status(path("mode.txt")).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // No temporary file is left anywhere.
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().extension() == ".tmp", false) << e.path();
}

// Through cmdAppend: only a successful escape registers the file.
TEST_F(EscapeTest, OldBackupAskedAboutFirst) {
    Tolvan& t = make();
    t.settings().InputCharset = kShiftJisCharset;
    t.settings().EscapeByAppend = true;
    writeFile(path("a.txt"), "a=b\n");
    writeFile(path("a.txt.back"), "older\n");
    const std::string question = "登録: 制御文字のエスケープ|バックアップファイル\n" + path("a.txt.back") +
                                 "\nが見つかりました。\n\nバックアップファイルを上書きして、制御文字のスケープ処理を行いますか？";

    messages.answers = {MessageDialog::Answer::Cancel};
    t.cmdAppend(T(path("a.txt")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].buttons, MessageDialog::Buttons::OkCancel);
    EXPECT_EQ(lastMessages(), question);
    EXPECT_EQ(readFile(path("a.txt")), "a=b\n");
    EXPECT_EQ(readFile(path("a.txt.back")), "older\n");
    EXPECT_TRUE(srcNames().empty());

    // The old backup goes only once the escaped text is on disk: a failure
    // before keeps it, as does a failure to replace it.
    files.failWhen("write", [](const std::string&) { return true; });
    EXPECT_FALSE(t.convertEscape(T(path("a.txt"))));
    EXPECT_EQ(lastMessages(), question + "\n--\n" + kRegister + "このファイルは開けません。");
    EXPECT_EQ(readFile(path("a.txt.back")), "older\n");
    files.faults.clear();
    files.failWhen("replace", [&](const std::string& p) { return p == path("a.txt.back"); });
    EXPECT_FALSE(t.convertEscape(T(path("a.txt"))));
    EXPECT_EQ(lastMessages(), question + "\n--\nエラー: 制御文字のエスケープ|バックアップファイル\n" + path("a.txt.back") + "\nを削除できません。");
    EXPECT_EQ(readFile(path("a.txt.back")), "older\n");
    EXPECT_EQ(readFile(path("a.txt")), "a=b\n");
    files.faults.clear();

    t.cmdAppend(T(path("a.txt")));
    EXPECT_EQ(lastMessages(), question);
    EXPECT_EQ(srcNames(), std::vector<std::string>{path("a.txt")});
    EXPECT_EQ(readFile(path("a.txt")), "a\\=b\n");
    EXPECT_EQ(readFile(path("a.txt.back")), "a=b\n");
}

// Whatever step fails, the source keeps its name and content, no temporary
// file stays, and the message is shown.
TEST_F(EscapeTest, EveryFailureLeavesTheSourceIntact) {
    const std::string kCannotOpen = kRegister + "このファイルは開けません。";
    struct Case {
        const char* what;
        std::string op;
        std::string pathSuffix;  // the failing call's path ends so
        std::string message;
    } cases[] = {
        {"read", "read", "a.txt", kCannotOpen},
        {"temporary file", "write", ".tmp", kCannotOpen},
        {"move to backup", "move", "a.txt", ""},
        {"temporary file to name", "move", ".tmp", kCannotOpen},
    };
    for (const Case& c : cases) {
        Tolvan& t = make();
        t.settings().EscapeByAppend = true;
        writeFile(path("a.txt"), "a=b\n");
        fs::remove(path("a.txt.back"));
        files.faults.clear();
        std::string suffix = c.pathSuffix;
        files.failWhen(c.op, [suffix](const std::string& p) {
            return p.size() >= suffix.size() && p.compare(p.size() - suffix.size(), suffix.size(), suffix) == 0;
        });
        t.cmdAppend(T(path("a.txt")));
        std::string expected = c.message.empty()
                                    ? kRegister + "バックアップファイル\n" + path("a.txt.back") + "\nにファイル名を変更できません。"
                                    : c.message;
        EXPECT_EQ(lastMessages(), expected) << c.what;
        EXPECT_EQ(readFile(path("a.txt")), "a=b\n") << c.what;
        EXPECT_FALSE(fs::exists(path("a.txt.back"))) << c.what;
        EXPECT_TRUE(srcNames().empty()) << c.what;
        int entries = 0;
        for (const auto& e : fs::directory_iterator(dir)) entries += e.path().filename() != "share";
        EXPECT_EQ(entries, 1) << c.what;  // only a.txt
    }
}

// A file marked read-only (even for a user who could write it) or one that
// is not a regular file is not rewritten.
TEST_F(EscapeTest, RefusesReadOnlyAndSpecialFiles) {
    Tolvan& t = make();
    writeFile(path("ro.txt"), "a=b\n");
    fs::permissions(path("ro.txt"), fs::perms::owner_read | fs::perms::group_read);
    fs::create_directories(path("dir.txt"));
    ASSERT_EQ(::mkfifo(path("fifo.txt").c_str(), 0600), 0);
    for (const char* name : {"ro.txt", "dir.txt", "fifo.txt"}) {
        EXPECT_FALSE(t.convertEscape(T(path(name)))) << name;
        EXPECT_EQ(lastMessages(), kRegister + "このファイルは開けません。") << name;
        EXPECT_FALSE(fs::exists(path(std::string(name) + ".back"))) << name;
    }
    EXPECT_EQ(readFile(path("ro.txt")), "a=b\n");
}

TEST_F(EscapeTest, SpecialsFollowTheSyntax) {
    Tolvan& t = make();
    for (int s : {2, 3, 4}) {
        t.settings().Syntax = s;
        ASSERT_NE(t.getSpecials(), nullptr);
        EXPECT_EQ(t.getSpecials()->syntax, s);
    }
    t.settings().Syntax = 1;
    EXPECT_EQ(t.getSpecials(), nullptr);
    // Without a table nothing is escaped.
    std::string out;
    EXPECT_TRUE(t.convertEscapeShiftJIS("a=b", out));
    EXPECT_EQ(out, "a=b");
}

} // namespace qmtest
