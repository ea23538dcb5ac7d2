#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "app/services/FileOperations.h"
#include "app/services/Launcher.h"
#include "app/services/StartDirectory.h"

namespace fs = std::filesystem;
using namespace tolvanw32;

namespace {

struct TempDir {
    fs::path path;
    explicit TempDir(const std::string& name)
        : path(fs::temp_directory_path() / ("qm_platform_" + name + "_" + std::to_string(::getpid()))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

void writeFile(const std::string& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

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
    TempDir dir("ops");
    PosixFileOperations ops;
    std::string error;
    std::string a = dir / "a.txt", b = dir / "b.txt";
    writeFile(a, "A");
    writeFile(b, "B");

    // A move never replaces a file.
    EXPECT_FALSE(ops.move(a, b, error));
    EXPECT_FALSE(error.empty());
    std::string bytes;
    ASSERT_TRUE(ops.readAll(b, bytes));
    EXPECT_EQ(bytes, "B");
    std::string c = dir / "c.txt";
    EXPECT_TRUE(ops.move(a, c, error));
    EXPECT_FALSE(ops.exists(a));
    EXPECT_TRUE(ops.exists(c));

    // Copy replaces; a missing source is an error with a description.
    EXPECT_TRUE(ops.copy(c, b, error));
    ASSERT_TRUE(ops.readAll(b, bytes));
    EXPECT_EQ(bytes, "A");
    error.clear();
    EXPECT_FALSE(ops.copy(dir / "missing", b, error));
    EXPECT_FALSE(error.empty());

    // Removing a missing file is no failure; removing a folder is one.
    EXPECT_TRUE(ops.remove(dir / "missing", error));
    fs::create_directories(dir / "sub");
    EXPECT_FALSE(ops.remove(dir / "sub", error));

    // Folders cannot be opened as files.
    EXPECT_EQ(ops.openForReading(dir / "sub"), nullptr);
    EXPECT_FALSE(ops.readAll(dir / "sub", bytes));
    std::FILE* fp = ops.openForReading(c);
    ASSERT_NE(fp, nullptr);
    std::fclose(fp);

    // writeNew refuses an existing file and writes every byte.
    EXPECT_FALSE(ops.writeNew(c, "x"));
    std::string big(200000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7);
    EXPECT_TRUE(ops.writeNew(dir / "new.bin", big));
    ASSERT_TRUE(ops.readAll(dir / "new.bin", bytes));
    EXPECT_EQ(bytes, big);
}

TEST(Launcher, StartsProgramsWithOneArgumentAndReportsFailure) {
    TempDir dir("launch");
    PosixProgramStarter starter;
    // The argument reaches the program as one argv entry: no shell, no quoting.
    std::string script = dir / "probe.sh";
    std::string marker = dir / "got arg";
    writeFile(script, "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$(dirname \"$0\")/got arg\"\n");
    fs::permissions(script, fs::perms::owner_all);
    std::string tricky = "a b \"c\" $(x) 'd'";
    ASSERT_TRUE(starter.start(script, tricky));
    for (int i = 0; i < 200 && !fs::exists(marker); ++i) ::usleep(10000);
    std::ifstream in(marker);
    std::string got((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(got, "1|" + tricky);

    EXPECT_FALSE(starter.start(dir / "no-such-program", "x"));
    EXPECT_FALSE(starter.start("", "x"));
    XdgDocumentOpener opener(starter, dir / "no-such-opener");
    EXPECT_FALSE(opener.open("/tmp"));
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
