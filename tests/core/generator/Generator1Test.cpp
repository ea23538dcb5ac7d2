#include <gtest/gtest.h>

#include "support/Files.h"
#include "support/Utf.h"

#include "core/generator/Generator1.h"
#include "core/model/Model.h"

namespace Orvane {
namespace {

using namespace qmtest;

TEST(Generator1, CharsetLabels) {
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

TEST(Generator1, BothWrappersNestAndCloseAndNameTheOutput) {
    Model model;
    Scratch dir;
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

// Whatever a source holds, no code point XML forbids reaches the document:
// each event that writes caller text (as text, attribute value, comment or
// raw markup) puts U+FFFD in its place, and keeps TAB, LF and pairs.
TEST(Generator1, ForbiddenCodePointsBecomeReplacementCharacters) {
    const struct {
        std::u16string in, out;
    } inputs[] = {
        {u"a\x01" u"b\rc\x1F\x7F", u"a\xFFFD" u"b\xFFFD" u"c\xFFFD\x7F"},
        {u"\t\n\x20", u"\t\n\x20"},
        {u"\xFFFE\xFFFF\xFFFD\xFFEF", u"\xFFFD\xFFFD\xFFFD\xFFEF"},
        {u"\xD83D\xDE00\xDBFF\xDFFF", u"\xD83D\xDE00\xDBFF\xDFFF"},
        {u"\xDE00\xD83D", u"\xFFFD\xFFFD"},
        {u"\xD800\xD800\xDC00\xDC00", u"\xFFFD\xD800\xDC00\xFFFD"},
        {u"x\xDBFF", u"x\xFFFD"},
    };
    using Value = TextView (Generator1::*)() const;
    const struct {
        const char* event;
        void (*fire)(Generator1&, const DString*);
        const char16_t* pattern;  // what the event writes, % standing for the text
        Value value = &Generator1::getBodyValue;
    } events[] = {
        {"text", [](Generator1& g, const DString* t) { g.text(t); }, u"%"},
        {"setTitle", [](Generator1& g, const DString* t) { g.setTitle(t); }, u"%", &Generator1::getTitleValue},
        {"title", [](Generator1& g, const DString* t) { g.title(t); }, u"<h1 class=\"title\">%</h1>\n"},
        {"setStyleSheet", [](Generator1& g, const DString* t) { g.setStyleSheet(t); },
         u"<link rel=\"stylesheet\" type=\"text/css\" media=\"all\" href=\"%\" />\n", &Generator1::getCssValue},
        {"image", [](Generator1& g, const DString* t) { g.image(t, t, true); },
         u"<div class=\"image\"><img src=\"%\" alt=\"%\" /></div>"},
        {"anchor", [](Generator1& g, const DString* t) { g.anchor(t, t); }, u"<a name=\"%\" >%</a>"},
        {"link", [](Generator1& g, const DString* t) { g.link(t, t); }, u"<a href=\"%\" >%</a>"},
        {"ruby", [](Generator1& g, const DString* t) { g.ruby(t, t); },
         u"<ruby><rb>%</rb><rp>（</rp><rt>%</rt><rp>）</rp></ruby>"},
        {"pageFront", [](Generator1& g, const DString* t) { g.pageFront(t); }, u"<span class=\"page-front\">%</span>"},
        {"comment", [](Generator1& g, const DString* t) { g.comment(t); }, u"<!-- % -->"},
        {"blockComment", [](Generator1& g, const DString* t) { g.blockComment(t); }, u"<!-- % -->\n"},
        {"macro", [](Generator1& g, const DString* t) { g.macro(t); }, u"<!-- MACRO:% -->\n"},
        {"rawText", [](Generator1& g, const DString* t) { g.rawText(t); }, u"%"},
    };
    Generator1 writer(nullptr);
    for (const auto& e : events) {
        for (const auto& c : inputs) {
            std::u16string expected;
            for (const char16_t* p = e.pattern; *p; ++p) expected += *p == u'%' ? c.out : std::u16string(1, *p);
            const DString in(c.in.begin(), c.in.end());
            writer.beginSrcText(nullptr);
            e.fire(writer, &in);
            const DString got((writer.*e.value)());
            EXPECT_EQ(std::u16string(got.begin(), got.end()), expected) << e.event << " " << utf8(in);
        }
    }
}

TEST(TraceGenerator, PrintsEventsInShiftJis) {
    Generator trace(nullptr);
    // Source control characters and lone surrogates are not passed on.
    const std::u16string source = u"あ<\x1B\xD800";
    const DString text(source.begin(), source.end());
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
} // namespace Orvane
