// recode against glibc's converter as the independent reference, and the
// routes dump against the library's own. (Refusals: tests/data/cli/failures.txt.)
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "ccc/encoding/Iceman.h"
#include "support/CliRunner.h"
#include "support/LibraryStartup.h"

namespace {

using namespace qmtest;

std::string iconvTo(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<iconv_open failed>";
    std::string out(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size(), dstLeft = out.size();
    char* dst = out.data();
    const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1)) return "<iconv failed>";
    out.resize(out.size() - dstLeft);
    return out;
}

const std::string kBom = "\xEF\xBB\xBF";
// Kana, kanji, ASCII, a supplementary-plane character and line ends.
const std::string kText = "\xE3\x81\x82\xE3\x81\x84\xE6\xBC\xA2\xE5\xAD\x97 ascii \xF0\x9F\x98\x80\nline\r\nend";

TEST(RecodeCli, ConvertsLikeIconv) {
    const std::string utf16 = iconvTo("UTF-16LE", "UTF-8", kText);
    std::string bytes;
    for (int i = 0; i < 70000; ++i) bytes.push_back(static_cast<char>(i * 31));
    const struct {
        std::string args, in, out;
    } cases[] = {
        {"recode -f utf-8 -t utf-16le", kBom + kText, utf16},  // utf-8 drops its mark
        {"recode -f utf-8n -t utf-16le", kText, utf16},        // utf-8n has none either way
        {"recode -f utf-16le -t utf-8n -", utf16, kText},
        {"recode -f utf-8n -t sjis --newline 5", "a\n\xE3\x81\x82\n", "a\r\n\x82\xA0\r\n"},
        {"recode -f ucs2-be -t UCS2-BE", bytes, bytes},  // equal ends copy the bytes
    };
    Scratch scratch("recode");
    for (const auto& c : cases) {
        writeBytes(scratch / "in", c.in);
        const ToolRun r = runQuillmark(scratch.dir(), c.args, "", scratch.file("in"));
        EXPECT_EQ(r.status, 0) << c.args << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.err, "") << c.args;
    }
    // Files named on the command line: the mark returns.
    writeBytes(scratch / "in16", utf16);
    const ToolRun r = runQuillmark(scratch.dir(), "recode --from UTF-16LE --to UTF8 in16 out8");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(scratch / "out8"), kBom + kText);
}

TEST(RecodeCli, RoutesDump) {
    const ToolRun r = runQuillmark(Scratch("routes").dir(), "routes");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, CCC::Iceman::dumpRoutes());
}

} // namespace
