// The sample manuscript of examples/ uses every token of the markup and
// converts, as the README's main command does, to well-formed documents
// with no diagnostic but its one deliberate page warning.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "support/CliRunner.h"
#include "support/Xmllint.h"

namespace {

using namespace qmtest;

TEST(Sample, UsesEveryTokenAndConvertsToWellFormedXhtml) {
    Scratch scratch("sample");
    fs::copy_file(fs::path(QM_SOURCE_DIR) / "examples" / "sample.txt", scratch / "sample.txt");
    ToolRun run = runQuillmark(scratch.dir(), "tokens sample.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    std::set<int> seen;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("token_id: ", 0) == 0) seen.insert(std::stoi(line.substr(10, 2)));
    for (int code = 0; code <= 30; ++code) EXPECT_TRUE(seen.count(code)) << "token " << code << " unused";

    run = runQuillmark(scratch.dir(), "convert --style yoko sample.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    // The sample goes back from page 2 to -3 on purpose; nothing else in it
    // loses text.
    EXPECT_EQ(run.err, "sample.txt:41:1: 警告: ページ番号が2から-3に逆順に変更されました。\n");
    EXPECT_EQ(run.out, "sample.html\nsample1.html\nsample2.html\n");
    const XmlCheck xml = xmllint(shellQuote(scratch.dir().string()) + "/sample*.html");
    EXPECT_TRUE(xml.wellFormed) << xml.diagnostics;
}

} // namespace
