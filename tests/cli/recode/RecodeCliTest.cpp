#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class RecodeCli : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qm-recode-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

    std::string path(const char* name) const { return dir_ + "/" + name; }

    // Runs the tool with `args`, feeding `input` on standard input.
    ToolRun run(const std::string& args, const std::string& input = "") const {
        writeFile(path("stdin"), input);
        std::string cmd = std::string("'") + QM_CLI + "' " + args + " <'" + path("stdin") + "' >'" +
                          path("stdout") + "' 2>'" + path("stderr") + "'";
        int raw = std::system(cmd.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(path("stdout")), readFile(path("stderr"))};
    }

    std::string dir_;
};

// glibc's converter as the independent reference.
std::string iconvTo(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<iconv_open failed>";
    std::string out(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1)) return "<iconv failed>";
    out.resize(out.size() - dstLeft);
    return out;
}

const std::string kBom = "\xEF\xBB\xBF";
// Kana, kanji, ASCII, a supplementary-plane character and line ends.
const std::string kText = "\xE3\x81\x82\xE3\x81\x84\xE6\xBC\xA2\xE5\xAD\x97 ascii \xF0\x9F\x98\x80\nline\r\nend";

} // namespace

TEST_F(RecodeCli, ConvertsStandardInputToStandardOutput) {
    const std::string utf16 = iconvTo("UTF-16LE", "UTF-8", kText);
    std::string bytes;
    for (int i = 0; i < 70000; ++i) bytes.push_back(static_cast<char>(i * 31));
    struct Case {
        std::string args, in, out;
    };
    const Case cases[] = {
        {"recode -f utf-8 -t utf-16le", kBom + kText, utf16},  // utf-8 drops its mark
        {"recode -f utf-8n -t utf-16le", kText, utf16},        // utf-8n has none either way
        {"recode -f utf-16le -t utf-8n -", utf16, kText},
        {"recode -f utf-8n -t sjis --newline 5", "a\n\xE3\x81\x82\n", "a\r\n\x82\xA0\r\n"},
        {"recode -f ucs2-be -t UCS2-BE", bytes, bytes},  // equal ends copy the bytes
    };
    for (const Case& c : cases) {
        ToolRun r = run(c.args, c.in);
        EXPECT_EQ(r.status, 0) << c.args << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.err, "") << c.args;
    }

    // Files named on the command line: the mark returns.
    writeFile(path("in16"), utf16);
    ToolRun r = run("recode --from UTF-16LE --to UTF8 '" + path("in16") + "' '" + path("out8") + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readFile(path("out8")), kBom + kText);
}

TEST_F(RecodeCli, RefusalsPrintOneLineAndExit2) {
    struct Case {
        const char* args;
        int status;
        const char* mentions;  // in the message
    };
    const Case cases[] = {
        {"recode -f utf-8 -t no-such-name", 2, "no-such-name"},
        {"recode -f No-Such-Name -t utf-8", 2, "No-Such-Name"},
        {"recode -f utf-8 -t xml-detector", 2, "xml-detector"},  // not a destination
        {"recode -f xml-detector -t xml-detector --newline 5", 2, "xml-detector"},
        {"recode -f utf-8n -t utf-8n missing-file", 1, "missing-file"},
    };
    for (const Case& c : cases) {
        ToolRun r = run(c.args, "x");
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        ASSERT_FALSE(r.err.empty()) << c.args;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << c.args << ": " << r.err;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
    // Usage errors of the option parser exit 2 as well.
    EXPECT_EQ(run("recode -t utf-8", "x").status, 2);          // -f is required
    EXPECT_EQ(run("recode -f utf-8 -t utf-16 --newline 10", "x").status, 2);
}

// The tool prints the library's dump, whose format the library's tests check.
TEST_F(RecodeCli, RoutesDump) {
    ToolRun r = run("routes");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(CCC::Ccc::initialize());
    EXPECT_FALSE(r.out.empty());
    EXPECT_EQ(r.out, CCC::Iceman::dumpRoutes());
}
