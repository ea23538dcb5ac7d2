// Event scripts in, XHTML files out: each script under tests/data/core is
// run through the model (read, "parse", write) with the XHTML writer; every
// output must equal its hand-written expected file byte for byte, be
// well-formed XML, and leave exactly the expected log (NAME.log, or none).
// The Shift_JIS expectation was made with Python's cp932 codec.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ScriptSyntax.h"
#include "TestFiles.h"
#include "core/generator/Generator1.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

namespace Orvane::testing {
namespace {

struct Golden {
    const char* name;
    bool yoko = false;
    bool tate = false;
    int xhtml = 0;
    const char* css = nullptr;
    int parts = 1;
    CeId out = 8;     // utf-8n
    int newline = 0;  // none
    const char* expected = nullptr;  // file stem when not the name
};

void PrintTo(const Golden& g, std::ostream* os) { *os << (g.expected ? g.expected : g.name); }

const Golden kGoldens[] = {
    {.name = "tate_paragraph", .tate = true},
    {.name = "tate_paragraph", .tate = true, .out = 37, .newline = 5, .expected = "tate_paragraph.sjis"},
    {.name = "tate_paragraph", .tate = true, .out = 7, .expected = "tate_paragraph.bom"},
    {.name = "escaping", .yoko = true, .xhtml = 1, .css = "style&sheet.css"},
    {.name = "ruby"},
    {.name = "pages"},
    {.name = "headings"},
    {.name = "lists"},
    {.name = "tables"},
    {.name = "parts", .yoko = true, .parts = 3},
};

class GoldenTest : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenTest, ScriptGivesExpectedDocuments) {
    const Golden& g = GetParam();
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "dir");
    const std::string source = dir.file("dir/" + std::string(g.name) + ".txt");
    std::filesystem::copy_file(dataFile(std::string(g.name) + ".events"), source);

    Model model;
    model.setSyntax(std::make_unique<ScriptSyntax>());
    model.setGenerator(1);
    auto* writer = static_cast<Generator1*>(model.getGenerator());
    writer->setYokoP(g.yoko);
    writer->setTateP(g.tate);
    writer->setXhtml(g.xhtml);
    const DString css = u16(g.css ? g.css : "");
    writer->setStyleSheet(&css);
    model.addSrcText(source.c_str(), 8, nullptr, g.out, g.newline);

    DString logText;
    std::unique_ptr<Log> log = Log::toString(&logText);
    model.resetTemplate();
    model.setDefaultTemplate();
    model.clearOutputs();
    ASSERT_TRUE(model.generate(log.get()));

    ASSERT_EQ(model.getOutputs().size(), static_cast<std::size_t>(g.parts));
    for (int part = 0; part < g.parts; ++part) {
        const std::string suffix = part ? std::to_string(part) : "";
        const std::string written = dir.file("dir/" + std::string(g.name) + suffix + ".html");
        EXPECT_EQ(std::string(model.getOutputs()[part]->getFileName().c_str()), written);
        const std::string expected = (g.expected ? g.expected : g.name) + suffix + ".xhtml";
        EXPECT_EQ(readBytes(written), readBytes(dataFile(expected))) << expected;
        std::string diagnostics;
        EXPECT_TRUE(xmlWellFormedP(written, diagnostics)) << diagnostics;
    }
    const std::string expectedLog = dataFile(std::string(g.name) + ".log");
    EXPECT_EQ(utf8(logText), std::filesystem::exists(expectedLog) ? readBytes(expectedLog) : "");
}

INSTANTIATE_TEST_SUITE_P(Documents, GoldenTest, ::testing::ValuesIn(kGoldens), [](const auto& info) {
    std::string name = info.param.expected ? info.param.expected : info.param.name;
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
});

} // namespace
} // namespace Orvane::testing
