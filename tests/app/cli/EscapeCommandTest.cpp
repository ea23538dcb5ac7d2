#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string err;
};

Outcome run(const std::string& args, const fs::path& dir) {
    fs::path errFile = dir / "stderr.txt";
    std::string cmd = "cd '" + dir.string() + "' && '" QM_CLI "' escape " + args + " 2>'" + errFile.string() + "'";
    int raw = std::system(cmd.c_str());
    std::ifstream in(errFile, std::ios::binary);
    std::string err((std::istreambuf_iterator<char>(in)), {});
    fs::remove(errFile);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, err};
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

void writeFile(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

class EscapeCommand : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(QM_CLI)) GTEST_SKIP() << "quillmark is not built";
        dir = fs::temp_directory_path() / ("qm_escape_cli_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

} // namespace

TEST_F(EscapeCommand, EscapesAndRefusesAnOldBackupUnlessTold) {
    writeFile(dir / "a.txt", "\x81\xA1" "a=b\r\n");
    Outcome r = run("a.txt", dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(readFile(dir / "a.txt"), "\\\x81\xA1" "a\\=b\r\n");
    EXPECT_EQ(readFile(dir / "a.txt.back"), "\x81\xA1" "a=b\r\n");

    r = run("a.txt", dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "バックアップファイル\na.txt.back\nが見つかりました。\n\n"
                     "バックアップファイルを上書きして、制御文字のスケープ処理を行いますか？\n");
    EXPECT_EQ(readFile(dir / "a.txt"), "\\\x81\xA1" "a\\=b\r\n");

    r = run("--overwrite-backup --syntax 4 a.txt", dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(readFile(dir / "a.txt"), "\\\x81\x5F\x81\xA1" "a\\=b\r\n");
}

TEST_F(EscapeCommand, Utf8AndErrors) {
    writeFile(dir / "u.txt", "■a=b\n");
    EXPECT_EQ(run("--input-charset utf-8 --syntax 3 u.txt", dir).status, 0);
    EXPECT_EQ(readFile(dir / "u.txt"), "\xEF\xBB\xBF■a\\=b\n");

    Outcome r = run("missing.txt", dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quillmark escape: cannot escape missing.txt: No such file or directory\n");
    EXPECT_EQ(run("--syntax 1 u.txt", dir).status, 2);
    EXPECT_EQ(run("--input-charset euc-jp u.txt", dir).status, 2);
}
