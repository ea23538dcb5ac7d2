#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
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

// Whether the library can build the route yet (the filter families land
// independently of this command).
bool routeAvailable(CCC::CeId from, CCC::CeId to, int nl = 0) {
    EXPECT_TRUE(CCC::Ccc::initialize());
    std::unique_ptr<CCC::CompositIFilter> chain(CCC::Iceman::createCompositIFilter(from, to, nl));
    return chain != nullptr;
}

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

TEST_F(RecodeCli, Utf8AndUtf16LeRoundTrip) {
    if (!routeAvailable(7, 14) || !routeAvailable(14, 7)) GTEST_SKIP() << "UTF-8/UTF-16 filters not built yet";
    const std::string utf16 = iconvTo("UTF-16LE", "UTF-8", kText);

    // Standard input to standard output: utf-8 drops its mark.
    ToolRun r = run("recode -f utf-8 -t utf-16le", kBom + kText);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, utf16);
    EXPECT_EQ(r.err, "");

    // Files named on the command line, and back again: the mark returns.
    writeFile(path("in16"), utf16);
    r = run("recode --from UTF-16LE --to UTF8 '" + path("in16") + "' '" + path("out8") + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readFile(path("out8")), kBom + kText);

    // utf-8n carries no mark either way.
    r = run("recode -f utf-8n -t utf-16le", kText);
    EXPECT_EQ(r.out, utf16);
    r = run("recode -f utf-16le -t utf-8n -", utf16);
    EXPECT_EQ(r.out, kText);
}

TEST_F(RecodeCli, NewlineMode) {
    if (!routeAvailable(8, 23, 5)) GTEST_SKIP() << "Shift_JIS or newline stages not built yet";
    ToolRun r = run("recode -f utf-8n -t sjis --newline 5", "a\n\xE3\x81\x82\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "a\r\n\x82\xA0\r\n");
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

TEST_F(RecodeCli, EqualEndsCopyBytes) {
    std::string bytes;
    for (int i = 0; i < 70000; ++i) bytes.push_back(static_cast<char>(i * 31));
    ToolRun r = run("recode -f ucs2-be -t UCS2-BE", bytes);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, bytes);
}

TEST_F(RecodeCli, RoutesDump) {
    ToolRun r = run("routes");
    EXPECT_EQ(r.status, 0);
    const std::string head =
        "Search: from:1, to:2\n"
        "IFilterDictionaryEntry: from:1, to:2, lost:0, unitfilters:0, \n"
        "\n"
        "Search: from:1, to:3\n"
        "IFilterDictionaryEntry: from:1, to:3, lost:0, unitfilters:0, 5, \n"
        "\n"
        "Search: from:1, to:4\n"
        "IFilterDictionaryEntry: from:1, to:4, lost:0, unitfilters:1, \n"
        "\n";
    EXPECT_EQ(r.out.substr(0, head.size()), head);
    std::size_t lines = 0;
    for (char c : r.out) lines += c == '\n';
    EXPECT_EQ(lines, 1482u * 3);
    EXPECT_TRUE(CCC::Ccc::initialize());
    EXPECT_EQ(r.out, CCC::Iceman::dumpRoutes());
}
