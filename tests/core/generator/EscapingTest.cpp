#include <gtest/gtest.h>

#include "support/Files.h"
#include "support/LibraryStartup.h"
#include "support/Utf.h"

#include "core/generator/Escaping.h"
#include "core/generator/PageNumber.h"

namespace Orvane {
namespace {

using namespace qmtest;

TEST(Escaping, TextAttributeAndComment) {
    const struct {
        const char* in;
        const char* text;
        const char* attribute;
        const char* comment;
    } cases[] = {
        {"plain 日本語", "plain 日本語", "plain 日本語", "plain 日本語"},
        {"a<b>c&d\"e'", "a&lt;b&gt;c&amp;d\"e'", "a&lt;b>c&amp;d&quot;e'", "a<b>c&d\"e'"},
        {"&amp; &#65; &#x1F600; &#X41; &x.y-z_:1;", "&amp;amp; &amp;#65; &amp;#x1F600; &amp;#X41; &amp;x.y-z_:1;",
         "&amp; &#65; &#x1F600; &amp;#X41; &x.y-z_:1;", "&amp; &#65; &#x1F600; &#X41; &x.y-z_:1;"},
        {"&; &# &#; &#x; &1a; &a b; &", "&amp;; &amp;# &amp;#; &amp;#x; &amp;1a; &amp;a b; &amp;",
         "&amp;; &amp;# &amp;#; &amp;#x; &amp;1a; &amp;a b; &amp;", "&; &# &#; &#x; &1a; &a b; &"},
        {"&#0; &#xD800; &#1114112; &#9;", "&amp;#0; &amp;#xD800; &amp;#1114112; &amp;#9;",
         "&amp;#0; &amp;#xD800; &amp;#1114112; &#9;", "&#0; &#xD800; &#1114112; &#9;"},
        {"a---b", "a---b", "a---b", "a- - -b"},
        {"--x-", "--x-", "--x-", "- -x-"},
    };
    for (const auto& c : cases) {
        const DString in = u16(c.in);
        DString text = u16(">"), attribute, comment;
        Escaping::appendText(text, &in);
        Escaping::appendAttribute(attribute, &in);
        Escaping::appendComment(comment, &in);
        EXPECT_EQ(utf8(text), std::string(">") + c.text) << c.in;
        EXPECT_EQ(utf8(attribute), c.attribute) << c.in;
        EXPECT_EQ(utf8(comment), c.comment) << c.in;
    }
}

TEST(PageNumber, ParseNumber) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"", 0},     {"42", 42},  {"１２", 12}, {"1２3", 123}, {"1a", 0},     {"-3", -3},
        {"+7", 7},   {"+-3", 0},  {"－５", -5}, {"＋５", 5},   {"3-", 0},     {" 3", 0},
        {"-", 0},    {"99999999999999999999", 2147483647},     {"-99999999999", -2147483647},
    };
    for (const auto& c : cases) EXPECT_EQ(parseNumber(u16(c.text)), c.value) << c.text;
}

} // namespace
} // namespace Orvane
