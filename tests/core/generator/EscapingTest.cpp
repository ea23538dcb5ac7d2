#include <gtest/gtest.h>

#include "support/Corpus.h"
#include "support/LibraryStartup.h"
#include "support/Utf.h"

#include "core/generator/Escaping.h"
#include "core/generator/PageNumber.h"

namespace Orvane {
namespace {

using namespace qmtest;

// The cases of tests/data/generator/escaping.txt; text is appended after
// what the string already holds.
TEST(Escaping, TextAttributeAndComment) {
    int cases = 0;
    for (const auto& [where, c] : readCorpus("generator/escaping.txt")) {
        ASSERT_EQ(c.size(), 4u) << where;
        const DString in = u16(c[0]);
        DString text = u16(">"), attribute, comment;
        Escaping::appendText(text, &in);
        Escaping::appendAttribute(attribute, &in);
        Escaping::appendComment(comment, &in);
        EXPECT_EQ(utf8(text), ">" + c[1]) << c[0];
        EXPECT_EQ(utf8(attribute), c[2]) << c[0];
        EXPECT_EQ(utf8(comment), c[3]) << c[0];
        ++cases;
    }
    EXPECT_GT(cases, 5);
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
