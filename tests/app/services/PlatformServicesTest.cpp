#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <set>
#include <string>

#include "app/services/FileOperations.h"
#include "app/services/StartDirectory.h"
#include "support/Files.h"

using namespace tolvanw32;
using namespace qmtest;

TEST(FileOperations, PathHelpers) {
    EXPECT_EQ(FileOperations::directoryName("/a/b/c.txt") + "|" + FileOperations::directoryName("c.txt") + "|" +
                  FileOperations::directoryName("/c.txt"),
              "/a/b||/");
    EXPECT_EQ(FileOperations::join("/a/b", "x.css") + "|" + FileOperations::join("/", "x.css") + "|" +
                  FileOperations::join("", "x.css"),
              "/a/b/x.css|/x.css|x.css");
}

TEST(FileOperations, PosixBehaviour) {
    Scratch s("ops");
    PosixFileOperations ops;
    std::string error, bytes;
    const std::string a = s.file("a.txt"), b = s.file("b.txt"), c = s.file("c.txt");
    writeBytes(a, "A");
    writeBytes(b, "B");
    // A move never replaces a file.
    EXPECT_FALSE(ops.move(a, b, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(ops.readAll(b, bytes) && bytes == "B");
    EXPECT_TRUE(ops.move(a, c, error));
    EXPECT_TRUE(!ops.exists(a) && ops.exists(c));
    // Copy and replace put one file in the place of another.
    EXPECT_TRUE(ops.copy(c, b, error) && ops.readAll(b, bytes) && bytes == "A");
    writeBytes(a, "new");
    EXPECT_TRUE(ops.replace(a, b, error) && ops.readAll(b, bytes) && bytes == "new");
    // Removing a missing file is no failure; removing a folder is one.
    EXPECT_TRUE(ops.remove(s.file("missing"), error));
    fs::create_directories(s / "sub");
    EXPECT_FALSE(ops.remove(s.file("sub"), error));
    // Folders cannot be opened as files.
    EXPECT_EQ(ops.openForReading(s.file("sub")), nullptr);
    EXPECT_FALSE(ops.readAll(s.file("sub"), bytes));
    std::FILE* fp = ops.openForReading(c);
    ASSERT_NE(fp, nullptr);
    std::fclose(fp);
    // writeNew refuses an existing file and writes every byte.
    EXPECT_FALSE(ops.writeNew(c, "x"));
    std::string big(200000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7);
    EXPECT_TRUE(ops.writeNew(s.file("new.bin"), big));
    EXPECT_EQ(readBytes(s / "new.bin"), big);
}

// A copy goes through a temporary file: the target is replaced whole or not
// at all, a link in its place is replaced and its target left alone.
TEST(FileOperations, CopyReplacesAtomically) {
    Scratch s("copy");
    PosixFileOperations ops;
    std::string error;
    const std::string sheet = s.file("sheet.css"), target = s.file("yoko.css"), precious = s.file("precious.txt");
    writeBytes(sheet, std::string(20000, 'x'));
    writeBytes(precious, "mine");
    fs::create_symlink(precious, target);
    ASSERT_TRUE(ops.copy(sheet, target, error)) << error;
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(readBytes(precious), "mine");

    // Disk full halfway (a file size limit): the old copy stays whole.
    writeBytes(target, "old");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool copied = ops.copy(sheet, target, error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(copied);
    EXPECT_EQ(error, std::strerror(EFBIG));
    EXPECT_EQ(readBytes(target), "old");

    // Refusals say why; a FIFO is refused without waiting for a writer.
    ASSERT_EQ(::mkfifo(s.file("fifo").c_str(), 0600), 0);
    fs::permissions(target, fs::perms::owner_read);
    fs::create_directories(s / "sub");
    const struct {
        std::string from, to, why;
    } refusals[] = {
        {s.file("fifo"), s.file("x.css"), "not a regular file"},
        {s.file("sub"), s.file("x.css"), std::strerror(EISDIR)},
        {s.file("missing"), s.file("x.css"), std::strerror(ENOENT)},
        {sheet, target, "the file is read-only"},
        {sheet, s.file("sub"), std::strerror(EISDIR)},
        {sheet, s.file("none/x.css"), std::strerror(ENOENT)},
    };
    for (const auto& r : refusals) {
        EXPECT_FALSE(ops.copy(r.from, r.to, error)) << r.from << " -> " << r.to;
        EXPECT_EQ(error, r.why) << r.from << " -> " << r.to;
    }
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_FALSE(ops.rewritable(target, error) || ops.rewritable(s.file("fifo"), error));
    EXPECT_TRUE(ops.rewritable(sheet, error));
    for (const auto& e : fs::directory_iterator(s.dir()))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
}

TEST(StartDirectory, FindsTheBundledFilesFromTheExecutable) {
    const struct {
        const char* exe;
        std::set<std::string> dirs;
        const char* expected;
    } cases[] = {
        {"/opt/qm/bin/quillmark-desktop", {"/opt/qm/share/quillmark"}, "/opt/qm/share/quillmark"},
        {"/b/app/qt/quillmark-desktop", {"/b/app/data"}, "/b/app/data"},
        {"/b/app/qt/quillmark-desktop", {"/b/data"}, "/b/data"},
        {"/b/app/qt/quillmark-desktop", {"/b/app/qt/data", "/b/data"}, "/b/app/qt/data"},
        {"/b/app/qt/quillmark-desktop", {}, "/home/u"},
        {"", {"/data"}, "/home/u"},
    };
    for (const auto& c : cases) {
        auto isDir = [&](const std::string& p) { return c.dirs.count(p) > 0; };
        EXPECT_EQ(StartDirectory::locate(c.exe, "/home/u", isDir), c.expected) << c.exe;
    }
}
