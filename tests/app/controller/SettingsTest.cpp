#include "ControllerFixture.h"
#include "core/syntax/s2/S2Syntax.h"

namespace qmtest {

using SettingsTest = ControllerTest;

// Without a settings file, sources and outputs are UTF-8, as Linux editors
// write them; everything else has its usual default.
TEST_F(SettingsTest, FirstStartWithoutAKey) {
    Tolvan& t = make();
    TolvanSettings firstStart;
    firstStart.InputCharset = firstStart.OutputCharset = kUtf8Charset;
    EXPECT_EQ(fields(t.settings()), fields(firstStart));
    EXPECT_FALSE(fs::exists(settingsFile));
    // The key appears with the first confirmed options dialog.
    t.cmdSetOption();
    EXPECT_EQ(readFile(settingsFile.string()),
              "\"StyleFileName\"=\"\"\n"
              "\"StyleNum\"=dword:00000000\n"
              "\"XhtmlVersion\"=dword:00000000\n"
              "\"SpanTenP\"=dword:00000000\n"
              "\"SpanPeriodP\"=dword:00000000\n"
              "\"SpanCommaP\"=dword:00000000\n"
              "\"Syntax\"=dword:00000002\n"
              "\"EscapeByAppend\"=dword:00000000\n"
              "\"TextEditor\"=\"\"\n"
              "\"InputCharset\"=dword:00000001\n"
              "\"OutputCharset\"=dword:00000001\n");
    // The dialog was filled from the settings.
    EXPECT_EQ(fields(view.filled), fields(firstStart));
}

TEST_F(SettingsTest, ReadingRules) {
    writeFile(settingsFile.string(),
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
        writeFile(settingsFile.string(), "\"Syntax\"=dword:0000000" + std::to_string(syntax) + "\n");
        EXPECT_EQ(make().settings().Syntax, syntax == 3 || syntax == 4 ? syntax : 2) << syntax;
    }
}

TEST_F(SettingsTest, AllElevenValuesRoundTrip) {
    Tolvan& t = make();
    TolvanSettings chosen;
    chosen.StyleNum = 100;
    chosen.StyleFileName = u"my \"own\" \\ スタイル.css";
    chosen.XhtmlVersion = 1;
    chosen.SpanTenP = chosen.SpanCommaP = true;
    chosen.Syntax = 4;
    chosen.EscapeByAppend = true;
    chosen.TextEditor = u"/opt/エディタ/bin/edit";
    chosen.InputCharset = chosen.OutputCharset = 1;
    view.preferenceAnswer = chosen;
    t.cmdSetOption();
    EXPECT_EQ(lastMessages(), "");

    Tolvan& again = make();
    EXPECT_EQ(fields(again.settings()), fields(chosen));
    // Reopening fills the dialog from them, the user-named style first.
    view.preferenceOk = false;
    view.filled = unfilled();
    again.cmdSetOption();
    EXPECT_EQ(fields(view.filled), fields(chosen));
}

TEST_F(SettingsTest, CancelChangesNothing) {
    writeFile(settingsFile.string(), "\"StyleNum\"=dword:00000001\n\"Other\"=\"kept\"\n");
    Tolvan& t = make();
    add({"a.txt"});
    t.cmdConvert();
    ASSERT_TRUE(fs::exists(path("yoko.css")));
    std::string before = readFile(settingsFile.string());
    view.preferenceOk = false;
    chooseOptions([](TolvanSettings& s) { s.StyleNum = 2; s.Syntax = 3; });
    EXPECT_EQ(readFile(settingsFile.string()), before);
    EXPECT_EQ(t.settings().StyleNum, 1);
    EXPECT_EQ(t.settings().Syntax, 2);
    EXPECT_TRUE(fs::exists(path("yoko.css")));
}

TEST_F(SettingsTest, StyleChangeRemovesTheOldCopiesFirst) {
    Tolvan& t = make();
    t.settings().StyleNum = kStyleYoko;
    add({"a.txt", "sub/b.txt"});
    t.cmdConvert();
    ASSERT_TRUE(fs::exists(path("yoko.css")) && fs::exists(path("sub/yoko.css")));

    // Confirming with the same style removes nothing.
    chooseOptions([](TolvanSettings& s) { s.StyleNum = 1; });
    EXPECT_TRUE(fs::exists(path("yoko.css")) && fs::exists(path("sub/yoko.css")));

    chooseOptions([](TolvanSettings& s) { s.StyleNum = 2; });
    EXPECT_FALSE(fs::exists(path("yoko.css")));
    EXPECT_FALSE(fs::exists(path("sub/yoko.css")));
    EXPECT_EQ(t.settings().StyleNum, 2);
    t.cmdConvert();
    EXPECT_TRUE(fs::exists(path("tate.css")) && fs::exists(path("sub/tate.css")));
    EXPECT_EQ(lastMessages(), "");
}

TEST_F(SettingsTest, SyntaxAndSpanOptionsReachTheLexer) {
    writeFile(settingsFile.string(), "\"Syntax\"=dword:00000004\n\"SpanPeriodP\"=dword:00000001\n");
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
}

TEST_F(SettingsTest, SettingsReachTheWriter) {
    Tolvan& t = make();
    add({"a.txt"}, "text\n");
    chooseOptions([](TolvanSettings& s) { s.StyleNum = 2; s.XhtmlVersion = 1; });
    t.cmdConvert();
    std::string html = readFile(path("a.html"));
    EXPECT_NE(html.find("XHTML 1.1"), std::string::npos) << html;
    EXPECT_NE(html.find("tate.css"), std::string::npos) << html;
    EXPECT_NE(html.find("honbun"), std::string::npos) << html;

    chooseOptions([](TolvanSettings& s) { s.StyleNum = 100; s.StyleFileName = u"mine.css"; });
    t.cmdConvert();
    html = readFile(path("a.html"));
    EXPECT_NE(html.find("mine.css"), std::string::npos) << html;
    EXPECT_NE(html.find("Transitional"), std::string::npos) << html;
    EXPECT_FALSE(fs::exists(path("mine.css")));  // a user-named style is never copied
}

} // namespace qmtest
