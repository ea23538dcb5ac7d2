// The detect command over the runs in tests/data/ccc/detect-cli.txt.

#include <gtest/gtest.h>

#include "support/CliRunner.h"
#include "support/Corpus.h"

TEST(DetectCli, Corpus) {
    qmtest::Scratch dir("detect");
    qmtest::writeBytes(dir / "sjis.txt", "\x82\xA0\r\n");
    qmtest::writeBytes(dir / "a.xml", "<?xml version='1.0' encoding='eucJP'?><a/>");
    qmtest::writeBytes(dir / "a.html", "<html><head><meta http-equiv=\"Content-Type\" "
                                       "content=\"text/html; charset=MS932\"></head></html>");
    qmtest::writeBytes(dir / "ascii.txt", "plain\n");
    for (const auto& line : qmtest::readCorpus("ccc/detect-cli.txt")) {
        const auto& f = line.fields;
        ASSERT_EQ(f.size(), 4u) << line.where;
        const auto r = qmtest::runQuillmark(dir.dir(), f[0], "", f[1] == "-" ? "/dev/null" : dir.file(f[1]));
        EXPECT_EQ(r.status, std::stoi(f[2])) << line.where;
        EXPECT_EQ(r.out, qmtest::unescape(f[3])) << line.where;
        EXPECT_EQ(r.err.empty(), f[2] == "0") << line.where << ": " << r.err;
    }
}
