#include <gtest/gtest.h>

#include <string>

#include "support/CliRunner.h"

namespace {

TEST(DetectCli, PrintsIdentifierAndCanonicalNameOrFails) {
    qmtest::Scratch dir("detect");
    qmtest::writeBytes(dir / "sjis.txt", "\x82\xA0\r\n");
    qmtest::writeBytes(dir / "a.xml", "<?xml version='1.0' encoding='eucJP'?><a/>");
    qmtest::writeBytes(dir / "a.html", "<html><head><meta http-equiv=\"Content-Type\" "
                                       "content=\"text/html; charset=MS932\"></head></html>");
    qmtest::writeBytes(dir / "ascii.txt", "plain\n");
    const struct {
        std::string args, input, out;
        int status;
    } cases[] = {
        {"detect sjis.txt", "", "23 Shift_JIS\n", 0},
        {"detect --detector ja sjis.txt", "", "23 Shift_JIS\n", 0},
        {"detect --detector xml a.xml", "", "22 euc-jp\n", 0},
        {"detect --detector html a.html", "", "37 cp932\n", 0},
        {"detect ascii.txt", "", "0 -\n", 0},
        {"detect --detector xml ascii.txt", "", "0 -\n", 0},
        {"detect", "sjis.txt", "23 Shift_JIS\n", 0},
        {"detect --detector xml", "a.xml", "22 euc-jp\n", 0},
        {"detect", "", "0 -\n", 0},
        {"detect --detector auto ascii.txt", "", "", 2},
        {"detect missing", "", "", 1},
    };
    for (const auto& c : cases) {
        const qmtest::ToolRun r =
            qmtest::runQuillmark(dir.dir(), c.args, "", c.input.empty() ? "/dev/null" : dir.file(c.input));
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
        EXPECT_EQ(r.err.empty(), c.status == 0) << c.args << ": " << r.err;
    }
}

} // namespace
