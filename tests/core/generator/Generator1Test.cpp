#include <gtest/gtest.h>

#include "TestFiles.h"
#include "core/generator/Generator1.h"
#include "core/model/Model.h"

namespace Orvane::testing {
namespace {

TEST(Generator1, CharsetLabels) {
    ASSERT_TRUE(CCC::Ccc::initialize());
    Generator1 writer(nullptr);
    const struct {
        CeId id;
        const char* label;
    } cases[] = {{37, "Shift_JIS"}, {23, "Shift_JIS"}, {7, "utf-8"},    {8, "utf-8"},
                 {22, "euc-jp"},    {10, "utf-16n"},   {0, "us-ascii"}, {43, "us-ascii"}};
    for (const auto& c : cases) {
        writer.setEncoding(c.id);
        EXPECT_EQ(utf8(writer.getEncodingValue()), c.label) << c.id;
    }
}

TEST(Generator1, ItemThenHeadingClosesTheList) {
    Generator1 writer(nullptr);
    writer.beginSrcText(nullptr);
    writer.listItem(1);
    writer.setListState(1);
    writer.beginHeading(1);
    EXPECT_EQ(utf8(writer.getBodyValue()), "\n<ol>\n  <li></li>\n</ol>\n<h1>");
    EXPECT_EQ(writer.getListState(), 0);
}

TEST(Generator1, BothWrappersNestAndCloseAndNameTheOutput) {
    Model model;
    TempDir dir;
    SrcText* src = model.addSrcText(dir.file("b.txt").c_str(), 8, nullptr, 8, 0);
    Generator1 writer(&model);
    writer.setYokoP(true);
    writer.setTateP(true);
    writer.beginSrcText(src);
    writer.beginParagraph();
    writer.endParagraph();
    writer.endSrcText();
    EXPECT_EQ(utf8(writer.getBodyValue()),
              "<div class=\"yoko\">\n<div class=\"tate\">\n<div id=\"honbun\">\n<p></p>\n</div>\n</div>\n</div>\n");
    ASSERT_EQ(model.getOutputs().size(), 1u);
    EXPECT_EQ(std::string(model.getOutputs()[0]->getFileName().c_str()), dir.file("b.html"));
    EXPECT_EQ(model.getOutputs()[0]->getSrcText(), src);
}

TEST(TraceGenerator, PrintsEventsInShiftJis) {
    Generator trace(nullptr);
    const DString text = u16("あ<");
    ::testing::internal::CaptureStdout();
    trace.beginSrcText(nullptr);
    trace.listItem(1);
    trace.text(&text);
    trace.setListState(1);
    trace.beginTableRow();
    trace.endTableRow();
    trace.pageNumber(nullptr);
    trace.endSrcText();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "\n<ol>\n  <li>\x82\xA0<</li>\n</ol>\n<table>\n<tr></tr>\n<p>1</p>\n");
    EXPECT_STREQ(trace.getTemplate(), "TITLE:@@TITLE@@\nBODY:@@BODY@@\n");
}

} // namespace
} // namespace Orvane::testing
