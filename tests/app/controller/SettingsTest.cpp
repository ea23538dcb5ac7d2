#include "ControllerFixture.h"
#include "core/syntax/s2/S2Syntax.h"

namespace qmtest {

using SettingsTest = ControllerTest;

// The key appears with the first confirmed options dialog, all eleven
// values in order; they come back, and fill the dialog, on the next start.
TEST_F(SettingsTest, FirstStartThenAllElevenValuesRoundTrip) {
    Tolvan& t = make();
    EXPECT_EQ(fields(t.settings()), fields(TolvanSettings{}));
    EXPECT_FALSE(exists(settingsName));
    t.cmdSetOption();
    EXPECT_EQ(fields(fakes.filled), fields(TolvanSettings{}));
    EXPECT_EQ(read(settingsName),
              "\"StyleFileName\"=\"\"\n\"StyleNum\"=dword:00000000\n\"XhtmlVersion\"=dword:00000000\n"
              "\"SpanTenP\"=dword:00000000\n\"SpanPeriodP\"=dword:00000000\n\"SpanCommaP\"=dword:00000000\n"
              "\"Syntax\"=dword:00000002\n\"EscapeByAppend\"=dword:00000000\n\"TextEditor\"=\"\"\n"
              "\"InputCharset\"=dword:00000000\n\"OutputCharset\"=dword:00000000\n");

    TolvanSettings chosen;
    chosen.StyleNum = 100;
    chosen.StyleFileName = u"my \"own\" \\ スタイル.css";
    chosen.XhtmlVersion = 1;
    chosen.SpanTenP = chosen.SpanCommaP = true;
    chosen.Syntax = 4;
    chosen.EscapeByAppend = true;
    chosen.TextEditor = u"/opt/エディタ/bin/edit";
    chosen.InputCharset = chosen.OutputCharset = 1;
    fakes.preferenceAnswer = chosen;
    t.cmdSetOption();
    Tolvan& again = make();
    EXPECT_EQ(fields(again.settings()), fields(chosen));
    fakes.preferenceOk = false;
    fakes.filled = unfilled();
    again.cmdSetOption();
    EXPECT_EQ(fields(fakes.filled), fields(chosen));
    EXPECT_EQ(lastMessages(), "");
}

TEST_F(SettingsTest, ReadingRules) {
    put(settingsName,
        "[HKEY_CURRENT_USER\\Software\\Merrowin\\QuillmarkReg\\2.0]\n"
        "\"Syntax\"=dword:00000001\n"             // ignored: syntax 1 is not offered
        "\"StyleNum\"=\"3\"\n"                    // wrong type: ignored
        "\"TextEditor\"=dword:00000001\n"         // wrong type: ignored
        "\"SpanTenP\"=dword:00000007\n"           // any number but 0 is true
        "\"SpanCommaP\"=dword:00000000\n"
        "\"XhtmlVersion\"=dword:00000001\n"
        "\"InputCharset\"=dword:00000005\n");      // taken as stored
    TolvanSettings expected;
    expected.SpanTenP = true;
    expected.XhtmlVersion = 1;
    expected.InputCharset = 5;
    EXPECT_EQ(fields(make().settings()), fields(expected));
    EXPECT_EQ(Tolvan::charsetCeId(5), 37);
    for (int syntax : {3, 4, 0, 5}) {
        put(settingsName, "\"Syntax\"=dword:0000000" + std::to_string(syntax) + "\n");
        EXPECT_EQ(make().settings().Syntax, syntax == 3 || syntax == 4 ? syntax : 2) << syntax;
    }
}

// Cancelling changes nothing; confirming another style removes the old
// copies first, the same style none.
TEST_F(SettingsTest, StyleChangeRemovesTheOldCopiesFirst) {
    put(settingsName, "\"StyleNum\"=dword:00000001\n\"Other\"=\"kept\"\n");
    Tolvan& t = make();
    add({"a.txt", "sub/b.txt"});
    t.cmdConvert();
    const std::string before = read(settingsName);
    fakes.preferenceOk = false;
    chooseOptions([](TolvanSettings& s) { s.StyleNum = 2; s.Syntax = 3; });
    EXPECT_EQ(read(settingsName), before);
    EXPECT_EQ(t.settings().Syntax, 2);
    fakes.preferenceOk = true;
    chooseOptions([](TolvanSettings& s) { s.StyleNum = 1; });
    EXPECT_TRUE(exists("yoko.css") && exists("sub/yoko.css"));

    chooseOptions([](TolvanSettings& s) { s.StyleNum = kStyleTateCheck; });
    EXPECT_FALSE(exists("yoko.css") || exists("sub/yoko.css"));
    t.cmdConvert();
    EXPECT_EQ(read("tate_check.css") + read("sub/tate_check.css"), "/* tate_check.css */\n/* tate_check.css */\n");
    EXPECT_EQ(lastMessages(), "");
}

TEST_F(SettingsTest, OptionsReachTheLexerAndTheWriter) {
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

    add({"a.txt"}, "text\n");
    chooseOptions([](TolvanSettings& s) { s.StyleNum = 2; s.XhtmlVersion = 1; });
    t.cmdConvert();
    std::string html = read("a.html");
    for (const char* part : {"XHTML 1.1", "tate.css", "honbun"}) EXPECT_NE(html.find(part), std::string::npos) << part;
    // A user-named style is never copied, nor removed.
    put("yoko.css", "mine");
    chooseOptions([](TolvanSettings& s) { s.StyleNum = 100; s.StyleFileName = u"yoko.css"; });
    t.cmdConvert();
    html = read("a.html");
    for (const char* part : {"yoko.css", "Transitional"}) EXPECT_NE(html.find(part), std::string::npos) << part;
    t.cmdRemove();
    EXPECT_EQ(read("yoko.css"), "mine");
}

} // namespace qmtest
