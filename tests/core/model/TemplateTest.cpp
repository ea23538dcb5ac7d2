#include <gtest/gtest.h>

#include "support/Files.h"
#include "support/Utf.h"

#include <string>

#include "core/model/SrcText.h"
#include "core/model/Template.h"

namespace Orvane {
namespace {

using namespace qmtest;

TEST(Template, Fill) {
    const std::pair<const char*, const char*> cases[] = {
        {"x@@TITLE@@y", "x題y"},
        {"x@@@@y", "x@@y"},
        {"x@@UNKNOWN@@y@@title@@z", "xyz"},
        {"[@@ENCODING@@|@@TITLE@@|@@BODY@@|@@CSS@@]", "[E|題|B|C]"},
        {"<@@TITLE@@@@BODY@@>", "<題@@BODY>"},  // back to back: a literal "@@"
        // How the lexer cuts: a lone delimiter is dropped, an unclosed name
        // too, and one unit after a delimiter is always text.
        {"", ""}, {"@", "@"}, {"x@@A@@B@@y", "xBy"}, {"x@@@y", "x"}, {"x@@T", "xT"}, {"@@CSS@@<t>", "C<t>"},
    };
    const DString title = u16("題"), encoding = u16("E"), body = u16("B"), css = u16("C"), empty;
    for (const auto& [text, filled] : cases) {
        Template t;
        t.setContent(std::make_unique<DString>(u16(text)));
        EXPECT_EQ(utf8(*t.fill(TemplateValues{&encoding, &title, &body, &css})), filled) << text;
        EXPECT_EQ(utf8(*t.fill(TemplateValues{})).find("題"), std::string::npos);
    }
}

// A body can be encoded apart only after a known unit of text.
TEST(Template, UnitBeforeBody) {
    const std::pair<const char*, int> cases[] = {
        {"<body>\n@@BODY@@</body>", '\n'}, {"x@@BODY@@", 'x'}, {"@@BODY@@", -1}, {"@@TITLE@@@@BODY@@", -1},
        {"a@@BODY@@b@@BODY@@", -1}, {"a@@TITLE@@b", -1}, {"題@@BODY@@", 0x984C},
    };
    for (const auto& [text, expected] : cases) {
        Template t;
        t.setContent(std::make_unique<DString>(u16(text)));
        unsigned short unit = 0;
        EXPECT_EQ(t.unitBeforeBody(unit) ? unit : -1, expected) << text;
    }
}

TEST(SrcText, StripExtension) {
    const struct {
        const char* file;
        const char* output;
        const char* base;
    } cases[] = {
        {"dir/book.txt", nullptr, "dir/book"},   {"dir.old/book", nullptr, "dir.old/book"},
        {"book.tar.gz", nullptr, "book.tar"},    {"dir/book", nullptr, "dir/book"},
        {"a/.b", nullptr, "a/"},                 {"book.txt", "out/name.html", "out/name"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(SrcText(c.file, 8, c.output, 8, 5).getBaseName().c_str()), c.base) << c.file;
}

} // namespace
} // namespace Orvane
