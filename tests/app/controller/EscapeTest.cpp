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

} // namespace qmtest
