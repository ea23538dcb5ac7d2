// The sample manuscript of examples/ uses every token of the markup and
// converts, as the README's main command does, to well-formed documents.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "CliRun.h"

namespace {

using namespace cli_test;

const fs::path kSample = fs::path(QM_SOURCE_DIR) / "examples" / "sample.txt";

TEST(Sample, UsesEveryToken) {
    Scratch scratch("sample-tokens");
    fs::copy_file(kSample, scratch / "sample.txt");
    const ToolRun run = scratch.quillmark("tokens sample.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    std::set<int> seen;
    std::istringstream lines(run.out);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind("token_id: ", 0) == 0) seen.insert(std::stoi(line.substr(10, 2)));
    for (int code = 0; code <= 30; ++code) EXPECT_TRUE(seen.count(code)) << "token " << code << " unused";
}

TEST(Sample, ConvertsToWellFormedXhtml) {
    Scratch scratch("sample");
    fs::copy_file(kSample, scratch / "sample.txt");
    const ToolRun run = scratch.quillmark("convert --style yoko sample.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "sample.html\nsample1.html\nsample2.html\n");
    std::string quoted, errors;
    for (const char* name : {"sample.html", "sample1.html", "sample2.html"}) {
        const std::string doc = readBytes(scratch / name);
        EXPECT_NE(doc.find("encoding=\"utf-8\""), std::string::npos) << name;
        EXPECT_NE(doc.find("<div class=\"yoko\">"), std::string::npos) << name;
        quoted += " " + quote((scratch / name).string());
    }
    const int lint = xmllint(quoted, errors, scratch.dir());
    if (lint >= 0) {
        EXPECT_EQ(lint, 0) << errors;
    }
}

} // namespace
