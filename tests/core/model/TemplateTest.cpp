#include <gtest/gtest.h>

#include "support/Files.h"
#include "support/Utf.h"

#include <string>

#include "core/model/SrcText.h"
#include "core/model/Template.h"
#include "core/model/TemplateLexer.h"

namespace Orvane {
namespace {

using namespace qmtest;

// Tokens written as D (delimiter), T:text, N:name, separated by blanks.
std::string tokensOf(const std::string& text) {
    const DString units = u16(text);
    TemplateLexer lexer(units.data(), units.size());
    std::string out;
    for (TemplateLexer::Token t = lexer.next(); t.kind != TemplateLexer::Kind::End; t = lexer.next()) {
        const std::string run = utf8(DString(t.units, t.length));
        out += t.kind == TemplateLexer::Kind::Delimiter ? "D " : t.kind == TemplateLexer::Kind::Name ? "N:" + run + " "
                                                                                                  : "T:" + run + " ";
    }
    return out;
}

TEST(Template, LexerTokens) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"@", "T:@ "},
        {"x@@TITLE@@y", "T:x D N:TITLE D T:y "},
        {"x@@@@y", "T:x D D T:y "},
        {"x@@A@@B@@y", "T:x D N:A D T:B D T:y "},
        {"x@@@y", "T:x D N:@y "},
        {"x@@T", "T:x D T:T "},  // one unit left: always text
        {"@@CSS@@<t>", "D N:CSS D T:<t> "},
    };
    for (const auto& [text, tokens] : cases) EXPECT_EQ(tokensOf(text), tokens) << text;
}

TEST(Template, Fill) {
    const std::pair<const char*, const char*> cases[] = {
        {"x@@TITLE@@y", "x題y"},
        {"x@@@@y", "x@@y"},
        {"x@@UNKNOWN@@y@@title@@z", "xyz"},
        {"[@@ENCODING@@|@@TITLE@@|@@BODY@@|@@CSS@@]", "[E|題|B|C]"},
        {"<@@TITLE@@@@BODY@@>", "<題@@BODY>"},  // back to back: a literal "@@"
    };
    const DString title = u16("題"), encoding = u16("E"), body = u16("B"), css = u16("C"), empty;
    for (const auto& [text, filled] : cases) {
        Template t;
        t.setContent(std::make_unique<DString>(u16(text)));
        EXPECT_EQ(utf8(*t.fill(TemplateValues{&encoding, &title, &body, &css})), filled) << text;
        EXPECT_EQ(utf8(*t.fill(TemplateValues{})).find("題"), std::string::npos);
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
