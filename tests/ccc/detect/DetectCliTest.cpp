#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "support/Files.h"

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string out;
};

// Runs the tool through the shell; standard error is dropped.
ToolRun quillmark(const std::string& args) {
    std::string cmd = std::string("'") + QM_CLI + "' " + args + " 2>/dev/null";
    ToolRun r{-1, {}};
    std::FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[256];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

class DetectCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(QM_CLI)) GTEST_SKIP() << "the quillmark tool is not built";
        dir_ = fs::temp_directory_path() / ("qm-detect-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string file(const std::string& name, const std::string& content) {
        fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << content;
        return qmtest::shellQuote(p.string());
    }
    fs::path dir_;
};

TEST_F(DetectCli, PrintsIdentifierAndCanonicalNameOrFails) {
    const std::string sjis = file("sjis.txt", "\x82\xA0\r\n");
    const std::string xml = file("a.xml", "<?xml version='1.0' encoding='eucJP'?><a/>");
    const std::string html = file("a.html",
                                  "<html><head><meta http-equiv=\"Content-Type\" "
                                  "content=\"text/html; charset=MS932\"></head></html>");
    const std::string ascii = file("ascii.txt", "plain\n");
    struct {
        std::string args;
        std::string out;
        int status;
    } const cases[] = {
        {"detect " + sjis, "23 Shift_JIS\n", 0},
        {"detect --detector ja " + sjis, "23 Shift_JIS\n", 0},
        {"detect --detector xml " + xml, "22 euc-jp\n", 0},
        {"detect --detector html " + html, "37 cp932\n", 0},
        {"detect " + ascii, "0 -\n", 0},
        {"detect --detector xml " + ascii, "0 -\n", 0},
        {"detect < " + sjis, "23 Shift_JIS\n", 0},
        {"detect --detector xml < " + xml, "22 euc-jp\n", 0},
        {"detect < /dev/null", "0 -\n", 0},
        {"detect --detector auto /dev/null", "", 2},
        {"detect '" + (dir_ / "missing").string() + "'", "", 1},
    };
    for (const auto& c : cases) {
        ToolRun r = quillmark(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
    }
}

} // namespace
