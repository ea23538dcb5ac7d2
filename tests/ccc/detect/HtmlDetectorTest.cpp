#include <string>

#include <gtest/gtest.h>

#include "DetectTestUtil.h"
#include "ccc/detect/HtmlDetector.h"
#include "ccc/flow/FixedMemIFlow.h"

using namespace CCC;

namespace {

const std::string kMetaEuc = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">";
const std::string kMetaSjis = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">";

std::string page(const std::string& head, const std::string& body = "<p>x</p>") {
    return "<html>\n<head>\n" + head + "\n<title>t</title>\n</head>\n<body>" + body + "</body>\n</html>\n";
}

struct Case {
    const char* what;
    std::string input;
    CeId expected;
};

const Case kCases[] = {
    {"empty", "", 0},
    {"no markup", "just text", 0},
    {"inside HTML and HEAD", page(kMetaEuc), 22},
    {"XHTML with declaration and doctype",
     "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\">" 
     "<head>" + kMetaSjis + "</head></html>",
     23},
    {"upper case everywhere",
     "<HTML><HEAD><META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"TEXT/HTML; CHARSET=sjis\"></HEAD></HTML>", 23},
    {"content before http-equiv",
     page("<meta content=\"text/html; charset=euc-jp\" http-equiv=\"Content-Type\">"), 22},
    {"empty-element META", page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />"), 7},
    {"attributes on new lines", page("<meta\nhttp-equiv=\"Content-Type\"\r\ncontent=\"text/html; charset=utf-8\">"), 7},
    {"no space before charset", page("<meta http-equiv=\"Content-Type\" content=\"text/html;charset=utf-8\">"), 7},
    {"name cut before (", page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-jp(JIS X 0208)\">"), 22},
    {"entities skipped", page("<title>a &amp; b</title>" + kMetaEuc), 22},

    // Not counted.
    {"META outside HEAD", "<html><body>" + kMetaEuc + "</body></html>", 0},
    {"META outside HTML", "<head>" + kMetaEuc + "</head>", 0},
    {"META after </head>", page("", kMetaEuc), 0},
    {"META after </html>", page("") + kMetaEuc, 0},
    {"HTML closed by />", "<html/><head>" + kMetaEuc, 0},
    {"no http-equiv", page("<meta content=\"text/html; charset=euc-jp\">"), 0},
    {"http-equiv in apostrophes", page("<meta http-equiv='Content-Type' content=\"text/html; charset=euc-jp\">"), 0},
    {"not text/html", page("<meta http-equiv=\"Content-Type\" content=\"text/plain; charset=euc-jp\">"), 0},
    {"in a comment", page("<!-- " + kMetaEuc + " -->"), 0},
    {"in a processing instruction", page("<?php " + kMetaEuc + " ?>"), 0},
    {"unknown charset", page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-nonesuch\">"), 0},
    {"detector name is no encoding",
     page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=html-detector\">"), 0},
    {"after a 0 byte", page(std::string("\0", 1) + kMetaEuc), 0},

    // A later qualifying META replaces the result, even with 0.
    {"two METAs", page(kMetaSjis + kMetaEuc), 22},
    {"known then unknown",
     page(kMetaSjis + "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=nonesuch\">"), 0},
    {"later one not qualifying", page(kMetaSjis + "<meta http-equiv=\"Content-Type\" content=\"text/plain\">"), 23},
    {"second head after </head>", page(kMetaSjis) + "<head>" + kMetaEuc, 23},
};

TEST(HtmlDetector, Table) {
    for (const Case& c : kCases) {
        FixedMemIFlow in(c.input.data(), c.input.size());
        EXPECT_EQ(HtmlDetector().detect(in), c.expected) << c.what;
        EXPECT_EQ(HtmlDetector::scan(c.input), c.expected) << c.what;
    }
}

// Unterminated constructs run to the end of the text without reading past it.
TEST(HtmlDetector, UnterminatedConstructs) {
    const char* texts[] = {"<", "</", "<?", "<!--", "&", "<html", "<html ", "<meta content=\"",
                           "<!-- -- >", "<? ?", "</head"};
    for (const char* t : texts) {
        std::string s = t;  // exactly the bytes, no terminator after them
        EXPECT_EQ(HtmlDetector::scan(s), 0) << t;
    }
    // A value without its closing quote runs to the end of the text.
    EXPECT_EQ(HtmlDetector::scan("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=sjis"),
              23);
}

TEST(HtmlDetector, Flows) {
    std::string text = page(std::string(50000, ' ') + kMetaEuc);
    ChunkedIFlow ones(text, {1, 4093});
    EXPECT_EQ(HtmlDetector().detect(ones), 22);
    // A failing flow: what was read before the failure is used.
    ChunkedIFlow fails(text, {1000}, text.size() - 10);
    EXPECT_EQ(HtmlDetector().detect(fails), 22);
    ChunkedIFlow failsEarly(text, {1000}, 100);
    EXPECT_EQ(HtmlDetector().detect(failsEarly), 0);
    // No 8-bit units: nothing to read.
    unsigned short wide[] = {'<', 'h'};
    TFixedMemIFlow<unsigned short> w(wide, 2);
    EXPECT_EQ(HtmlDetector().detect(w), 0);
}

} // namespace
