#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <cstring>
#include <set>
#include <string>

#include "app/services/FileOperations.h"
#include "support/Files.h"
#include "app/services/StartDirectory.h"

#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace tolvanw32;

namespace {

using qmtest::Scratch;

void writeFile(const std::string& p, const std::string& text) { qmtest::writeBytes(p, text); }

} // namespace

TEST(FileOperations, PathHelpers) {
    EXPECT_EQ(FileOperations::directoryName("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(FileOperations::directoryName("c.txt"), "");
    EXPECT_EQ(FileOperations::directoryName("/c.txt"), "/");
    EXPECT_EQ(FileOperations::join("/a/b", "x.css"), "/a/b/x.css");
    EXPECT_EQ(FileOperations::join("/", "x.css"), "/x.css");
    EXPECT_EQ(FileOperations::join("", "x.css"), "x.css");
}

TEST(FileOperations, PosixBehaviour) {
    Scratch scratch("ops");
    auto dir = [&scratch](const std::string& name) { return scratch.file(name); };
    PosixFileOperations ops;
    std::string error;
    std::string a = dir("a.txt"), b = dir("b.txt");
    writeFile(a, "A");
    writeFile(b, "B");

    // A move never replaces a file.
    EXPECT_FALSE(ops.move(a, b, error));
    EXPECT_FALSE(error.empty());
    std::string bytes;
    ASSERT_TRUE(ops.readAll(b, bytes));
    EXPECT_EQ(bytes, "B");
    std::string c = dir("c.txt");
    EXPECT_TRUE(ops.move(a, c, error));
    EXPECT_FALSE(ops.exists(a));
    EXPECT_TRUE(ops.exists(c));

    // Copy and replace put one file in the place of another.
    EXPECT_TRUE(ops.copy(c, b, error));
    ASSERT_TRUE(ops.readAll(b, bytes));
    EXPECT_EQ(bytes, "A");
    writeFile(a, "new");
    EXPECT_TRUE(ops.replace(a, b, error));
    ASSERT_TRUE(ops.readAll(b, bytes));
    EXPECT_EQ(bytes, "new");

    // Removing a missing file is no failure; removing a folder is one.
    EXPECT_TRUE(ops.remove(dir("missing"), error));
    fs::create_directories(dir("sub"));
    EXPECT_FALSE(ops.remove(dir("sub"), error));

    // Folders cannot be opened as files.
    EXPECT_EQ(ops.openForReading(dir("sub")), nullptr);
    EXPECT_FALSE(ops.readAll(dir("sub"), bytes));
    std::FILE* fp = ops.openForReading(c);
    ASSERT_NE(fp, nullptr);
    std::fclose(fp);

    // writeNew refuses an existing file and writes every byte.
    EXPECT_FALSE(ops.writeNew(c, "x"));
    std::string big(200000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7);
    EXPECT_TRUE(ops.writeNew(dir("new.bin"), big));
    ASSERT_TRUE(ops.readAll(dir("new.bin"), bytes));
    EXPECT_EQ(bytes, big);
}

// A copy goes through a temporary file: the target is replaced whole or not
// at all, a link in its place is replaced and its target left alone.
TEST(FileOperations, CopyReplacesAtomically) {
    Scratch scratch("copy");
    auto dir = [&scratch](const std::string& name) { return scratch.file(name); };
    PosixFileOperations ops;
    std::string error, bytes;
    const std::string sheet = dir("sheet.css"), target = dir("yoko.css"), precious = dir("precious.txt");
    writeFile(sheet, std::string(20000, 'x'));
    writeFile(precious, "mine");
    fs::create_symlink(precious, target);
    ASSERT_TRUE(ops.copy(sheet, target, error)) << error;
    EXPECT_FALSE(fs::is_symlink(target));
    ASSERT_TRUE(ops.readAll(precious, bytes));
    EXPECT_EQ(bytes, "mine");

    // Disk full halfway (a file size limit): the old copy stays whole.
    writeFile(target, "old");
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
    ASSERT_TRUE(ops.readAll(target, bytes));
    EXPECT_EQ(bytes, "old");

    // Refusals say why; a FIFO is refused without waiting for a writer.
    ASSERT_EQ(::mkfifo((dir("fifo")).c_str(), 0600), 0);
    fs::permissions(target, fs::perms::owner_read);
    fs::create_directories(dir("sub"));
    const struct {
        std::string from, to, why;
    } refusals[] = {
        {dir("fifo"), dir("x.css"), "not a regular file"},
        {dir("sub"), dir("x.css"), std::strerror(EISDIR)},
        {dir("missing"), dir("x.css"), std::strerror(ENOENT)},
        {sheet, target, "the file is read-only"},
        {sheet, dir("sub"), std::strerror(EISDIR)},
        {sheet, dir("none/x.css"), std::strerror(ENOENT)},
    };
    for (const auto& r : refusals) {
        EXPECT_FALSE(ops.copy(r.from, r.to, error)) << r.from << " -> " << r.to;
        EXPECT_EQ(error, r.why) << r.from << " -> " << r.to;
    }
    ASSERT_TRUE(ops.readAll(target, bytes));
    EXPECT_EQ(bytes, "old");
    EXPECT_FALSE(ops.rewritable(target, error));
    EXPECT_FALSE(ops.rewritable(dir("fifo"), error));
    EXPECT_TRUE(ops.rewritable(sheet, error));
    for (const auto& e : fs::directory_iterator(scratch.dir()))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
}

TEST(StartDirectory, FindsTheBundledFilesFromTheExecutable) {
    struct Case {
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
    for (const Case& c : cases) {
        auto isDir = [&](const std::string& p) { return c.dirs.count(p) > 0; };
        EXPECT_EQ(StartDirectory::locate(c.exe, "/home/u", isDir), c.expected) << c.exe;
    }
}
