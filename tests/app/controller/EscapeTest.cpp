#include "ControllerFixture.h"

#include <sys/stat.h>

namespace qmtest {

using EscapeTest = ControllerTest;

TEST_F(EscapeTest, RewritesAndKeepsTheOriginalAsBackup) {
    Tolvan& t = make();
    const struct {
        int syntax, charset;
        std::string in, out;
    } cases[] = {
        {2, 0, "\x81\xA1title\r\na=b\\c\r\n", "\\\x81\xA1title\r\na\\=b\\\\c\r\n"},
        {2, 0, "", ""},
        // Everything from a NUL byte on is kept.
        {2, 0, std::string("a=b\0c=d\xFF", 8), std::string("a\\=b\0c=d\xFF", 9)},
        // UTF-8: the written text carries the byte-order mark of "utf-8".
        {2, 1, "\xEF\xBB\xBF■a=b\n", "\xEF\xBB\xBF\\■a\\=b\n"},
        {2, 1, "■a=b\n", "\xEF\xBB\xBF\\■a\\=b\n"},
        {4, 1, "■=\n", "\xEF\xBB\xBF＼■=\n"},
        {3, 0, "=\x81\x81", "\\=\x81\x81"},
        {2, 1, "", ""},
        {2, 1, std::string("=\0=\xFF", 4), std::string("\xEF\xBB\xBF\\=\0=\xFF", 8)},
        {1, 0, "a=b", "a=b"},  // syntax 1 has no table: nothing is escaped
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string file = "f" + std::to_string(n++) + ".txt";
        put(file, c.in);
        t.settings().Syntax = c.syntax;
        t.settings().InputCharset = c.charset;
        EXPECT_TRUE(t.convertEscape(T(path(file)))) << n;
        EXPECT_EQ(read(file), c.out) << n;
        EXPECT_EQ(read(file + ".back"), c.in) << n;
    }
    EXPECT_EQ(lastMessages(), "");
    // The rewritten file keeps the original's permissions.
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    put("mode.txt", "a=b\n");
    fs::permissions(path("mode.txt"), mode);
    EXPECT_TRUE(t.convertEscape(T(path("mode.txt"))));
    EXPECT_EQ(fs::status(path("mode.txt")).permissions(), mode);

    // A file marked read-only (even for a user who could write it) or one
    // that is not a regular file is not rewritten.
    put("ro.txt", "a=b\n");
    fs::permissions(path("ro.txt"), fs::perms::owner_read);
    fs::create_directories(path("dir.txt"));
    ASSERT_EQ(::mkfifo(path("fifo.txt").c_str(), 0600), 0);
    for (const std::string name : {"ro.txt", "dir.txt", "fifo.txt"}) {
        EXPECT_FALSE(t.convertEscape(T(path(name)))) << name;
        EXPECT_EQ(lastMessages(), "エラー: 登録|このファイルは開けません。") << name;
        EXPECT_FALSE(exists(name + ".back")) << name;
    }
    EXPECT_EQ(read("ro.txt"), "a=b\n");
}

// An old backup is asked about first; cancelling leaves everything as it was.
TEST_F(EscapeTest, OldBackupAskedAboutFirst) {
    Tolvan& t = make();
    t.settings().EscapeByAppend = true;
    put("a.txt", "a=b\n");
    put("a.txt.back", "older\n");
    fakes.answers = {MessageDialog::Answer::Cancel};
    t.cmdAppend(T(path("a.txt")));
    ASSERT_EQ(fakes.shown.size(), 1u);
    EXPECT_EQ(fakes.shown[0].buttons, MessageDialog::Buttons::OkCancel);
    EXPECT_EQ(lastMessages(), "登録: 制御文字のエスケープ|バックアップファイル\n" + path("a.txt.back") +
                                  "\nが見つかりました。\n\nバックアップファイルを上書きして、制御文字のスケープ処理を行いますか？");
    EXPECT_EQ(read("a.txt") + read("a.txt.back"), "a=b\nolder\n");
    EXPECT_TRUE(srcNames().empty());
    t.cmdAppend(T(path("a.txt")));
    lastMessages();
    EXPECT_EQ(srcNames(), std::vector<std::string>{path("a.txt")});
    EXPECT_EQ(read("a.txt") + read("a.txt.back"), "a\\=b\na=b\n");
}

// Each injected failure shows its message and loses nothing: the files hold
// what they held (null: absent), nothing is registered that should not be,
// and no temporary file stays.
TEST_F(EscapeTest, InjectedFailuresAreReportedAndLoseNothing) {
    const std::string cannotOpen = "エラー: 登録|このファイルは開けません。";
    const std::string question = "登録: 制御文字のエスケープ|バックアップファイル\n" + path("a.txt.back") +
                                 "\nが見つかりました。\n\nバックアップファイルを上書きして、制御文字のスケープ処理を行いますか？\n--\n";
    const std::string copyError = "エラー: CSSファイルコピー|CSSファイルのコピー中にエラーが発生しました。\n「";
    using Files = std::vector<std::pair<std::string, const char*>>;
    const Files escapeKept = {{"a.txt", "a=b\n"}, {"a.txt.back", nullptr}};
    const auto appendEscaped = [&](Tolvan& t) {
        t.settings().EscapeByAppend = true;
        add({"a.txt"}, "a=b\n");
    };
    const auto besideOldBackup = [&](Tolvan& t) {
        put("a.txt.back", "older\n");
        appendEscaped(t);
    };
    const struct {
        const char* what;
        const char* op;
        std::string failing;  // the failing call's path ends so
        std::function<void(Tolvan&)> run;
        std::string message;  // a trailing '*': a prefix of the message
        Files after;
        std::size_t registered;
    } cases[] = {
        {"read", "read", "a.txt", appendEscaped, cannotOpen, escapeKept, 0},
        {"temporary file", "write", ".tmp", appendEscaped, cannotOpen, escapeKept, 0},
        {"move to backup", "move", "a.txt", appendEscaped,
         "エラー: 登録|バックアップファイル\n" + path("a.txt.back") + "\nにファイル名を変更できません。", escapeKept, 0},
        {"temporary file to name", "move", ".tmp", appendEscaped, cannotOpen,
         escapeKept, 0},
        // The old backup goes only once the escaped text is on disk.
        {"write beside an old backup", "write", ".tmp",
         besideOldBackup, question + cannotOpen,
         {{"a.txt", "a=b\n"}, {"a.txt.back", "older\n"}}, 0},
        {"replace the old backup", "replace", "a.txt.back",
         besideOldBackup,
         question + "エラー: 制御文字のエスケープ|バックアップファイル\n" + path("a.txt.back") + "\nを削除できません。",
         {{"a.txt", "a=b\n"}, {"a.txt.back", "older\n"}}, 0},
        // A style sheet copy that fails stops the walk; the conversion stands.
        {"copy a sheet", "copy", "two/yoko.css",
         [&](Tolvan& t) {
             t.settings().StyleNum = kStyleYoko;
             add({"one/a.txt", "two/b.txt", "three/c.txt"});
             t.cmdConvert();
         },
         copyError + "injected failure」", {{"one/yoko.css", "/* yoko.css */\n"}, {"three/yoko.css", nullptr}}, 3},
        {"missing bundled sheet", "", "",
         [&](Tolvan& t) {
             fs::remove(path("share/tate.css"));
             t.settings().StyleNum = kStyleTate;
             add({"one/a.txt", "two/b.txt"});
             t.cmdConvert();
         },
         copyError + "*", {{"one/tate.css", nullptr}, {"two/tate.css", nullptr}}, 2},
        // Removal deletes by name (a sheet the user put there too) and stops
        // at the first failure.
        {"remove a sheet", "remove", "two/yoko.css",
         [&](Tolvan& t) {
             add({"one/a.txt", "two/b.txt", "three/c.txt"});
             t.cmdConvert();  // no style: nothing copied
             for (const char* n : {"one/yoko.css", "two/yoko.css", "three/yoko.css"}) put(n, "mine");
             t.settings().StyleNum = kStyleYoko;
             t.removeCopiedCss();
         },
         "エラー: CSSファイル削除|CSSファイルの削除中にエラーが発生しました。\n「injected failure」",
         {{"one/yoko.css", nullptr}, {"three/yoko.css", "mine"}}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(scratch / "a.txt.back");
        for (const char* d : {"one", "two", "three"}) fs::remove_all(scratch / d);
        Tolvan& t = make();
        const std::string failing = c.failing;
        files.faults.clear();
        files.failWhen(c.op, [failing](const std::string& p) {
            return p.size() >= failing.size() && p.compare(p.size() - failing.size(), failing.size(), failing) == 0;
        });
        c.run(t);
        const std::string got = lastMessages();
        if (c.message.back() == '*') {
            EXPECT_EQ(got.substr(0, c.message.size() - 1), c.message.substr(0, c.message.size() - 1));
            EXPECT_GT(got.size(), c.message.size() + 3) << "the platform's reason is quoted: " << got;
        } else {
            EXPECT_EQ(got, c.message);
        }
        for (const auto& [name, content] : c.after) {
            if (content) EXPECT_EQ(read(name), content) << name;
            else EXPECT_FALSE(exists(name)) << name;
        }
        EXPECT_EQ(srcNames().size(), c.registered);
        for (const auto& e : fs::recursive_directory_iterator(scratch.dir()))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    }
}

} // namespace qmtest
