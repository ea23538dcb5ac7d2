#include "ControllerFixture.h"
#include "core/syntax/s2/S2Syntax.h"

namespace qmtest {

using SettingsTest = ControllerTest;

// The syntax and span options reach the model's lexer (the other options:
// tests/data/app/controller.txt).
TEST_F(SettingsTest, SyntaxAndSpanOptionsReachTheLexer) {
    put(settingsName, "\"Syntax\"=dword:00000004\n\"SpanPeriodP\"=dword:00000001\n");
    Tolvan& t = make();
    auto lexer = [&] { return dynamic_cast<Orvane::S2Lexer*>(t.getModel()->getSyntax()->getLexer()); };
    EXPECT_NE(dynamic_cast<Orvane::S4Syntax*>(t.getModel()->getSyntax()), nullptr);
    ASSERT_NE(lexer(), nullptr);
    EXPECT_TRUE(!lexer()->spanTenP() && lexer()->spanPeriodP() && !lexer()->spanCommaP());
    chooseOptions([](TolvanSettings& s) {
        s.Syntax = 3;
        s.SpanTenP = s.SpanCommaP = true;
    });
    EXPECT_NE(dynamic_cast<Orvane::S3Syntax*>(t.getModel()->getSyntax()), nullptr);
    ASSERT_NE(lexer(), nullptr);
    EXPECT_TRUE(lexer()->spanTenP() && !lexer()->spanPeriodP() && lexer()->spanCommaP());
    EXPECT_EQ(Tolvan::charsetCeId(5), 37);  // a charset out of range reads Shift_JIS
}

} // namespace qmtest
