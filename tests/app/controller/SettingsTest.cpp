#include "ControllerFixture.h"
#include "core/syntax/s2/S2Syntax.h"

namespace qmtest {

using SettingsTest = ControllerTest;

namespace {

void expectInitial(const TolvanSettings& s) {
    EXPECT_EQ(s.StyleNum, 0);
    EXPECT_EQ(s.StyleFileName, u"");
    EXPECT_EQ(s.XhtmlVersion, 0);
    EXPECT_FALSE(s.SpanTenP);
    EXPECT_FALSE(s.SpanPeriodP);
    EXPECT_FALSE(s.SpanCommaP);
    EXPECT_EQ(s.Syntax, 2);
    EXPECT_FALSE(s.EscapeByAppend);
    EXPECT_EQ(s.TextEditor, u"");
    EXPECT_EQ(s.InputCharset, 0);
    EXPECT_EQ(s.OutputCharset, 0);
}

} // namespace

TEST_F(SettingsTest, FirstStartWithoutAKey) {
    Tolvan& t = make();
    expectInitial(t.settings());
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
              "\"InputCharset\"=dword:00000000\n"
              "\"OutputCharset\"=dword:00000000\n");
    // The dialog was filled from the settings.
    EXPECT_EQ(view.filled.styleSheet, 0);
    EXPECT_EQ(view.filled.syntax, 2);
    EXPECT_EQ(view.filled.xhtmlVersion, 0);
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
    Tolvan& t = make();
    EXPECT_EQ(t.settings().Syntax, 2);
    EXPECT_EQ(t.settings().StyleNum, 0);
    EXPECT_EQ(t.settings().TextEditor, u"");
    EXPECT_TRUE(t.settings().SpanTenP);
    EXPECT_FALSE(t.settings().SpanCommaP);
    EXPECT_EQ(t.settings().XhtmlVersion, 1);
    EXPECT_EQ(t.settings().InputCharset, 5);
    EXPECT_EQ(Tolvan::charsetCeId(5), 37);

    for (int syntax : {3, 4, 0, 5}) {
        writeFile(settingsFile.string(), "\"Syntax\"=dword:0000000" + std::to_string(syntax) + "\n");
        EXPECT_EQ(make().settings().Syntax, syntax == 3 || syntax == 4 ? syntax : 2) << syntax;
    }
}

TEST_F(SettingsTest, AllElevenValuesRoundTrip) {
    Tolvan& t = make();
    FakePreference::Values chosen;
    chosen.styleSheet = 100;
    chosen.styleSheetFileName = u"my \"own\" \\ スタイル.css";
    chosen.xhtmlVersion = 1;
    chosen.spanTen = true;
    chosen.spanPeriod = false;
    chosen.spanComma = true;
    chosen.syntax = 4;
    chosen.escapeByAppend = true;
    chosen.textEditor = u"/opt/エディタ/bin/edit";
    chosen.inputCharset = 1;
    chosen.outputCharset = 1;
    view.preferenceAnswer = chosen;
    t.cmdSetOption();
    EXPECT_EQ(lastMessages(), "");

    Tolvan& again = make();
    const TolvanSettings& s = again.settings();
    EXPECT_EQ(s.StyleNum, 100);
    EXPECT_EQ(s.StyleFileName, chosen.styleSheetFileName);
    EXPECT_EQ(s.XhtmlVersion, 1);
    EXPECT_TRUE(s.SpanTenP);
    EXPECT_FALSE(s.SpanPeriodP);
    EXPECT_TRUE(s.SpanCommaP);
    EXPECT_EQ(s.Syntax, 4);
    EXPECT_TRUE(s.EscapeByAppend);
    EXPECT_EQ(s.TextEditor, chosen.textEditor);
    EXPECT_EQ(s.InputCharset, 1);
    EXPECT_EQ(s.OutputCharset, 1);

    // Reopening fills the dialog from them, the user-named style first.
    view.preferenceOk = false;
    view.filled = {};
    again.cmdSetOption();
    EXPECT_EQ(view.filled.styleSheetFileName, chosen.styleSheetFileName);
    EXPECT_EQ(view.filled.styleSheet, 100);
    EXPECT_EQ(view.filled.syntax, 4);
    EXPECT_EQ(view.filled.textEditor, chosen.textEditor);
    EXPECT_TRUE(view.filled.spanTen && view.filled.spanComma && !view.filled.spanPeriod);
    EXPECT_EQ(view.filled.inputCharset, 1);
}

TEST_F(SettingsTest, CancelChangesNothing) {
    writeFile(settingsFile.string(), "\"StyleNum\"=dword:00000001\n\"Other\"=\"kept\"\n");
    Tolvan& t = make();
    writeFile(path("a.txt"), "a\n");
    t.cmdAppend(T(path("a.txt")));
    t.cmdConvert();
    ASSERT_TRUE(fs::exists(path("yoko.css")));
    std::string before = readFile(settingsFile.string());
    FakePreference::Values chosen;
    chosen.styleSheet = 2;
    chosen.syntax = 3;
    view.preferenceAnswer = chosen;
    view.preferenceOk = false;
    t.cmdSetOption();
    EXPECT_EQ(readFile(settingsFile.string()), before);
    EXPECT_EQ(t.settings().StyleNum, 1);
    EXPECT_EQ(t.settings().Syntax, 2);
    EXPECT_TRUE(fs::exists(path("yoko.css")));
}

TEST_F(SettingsTest, StyleChangeRemovesTheOldCopiesFirst) {
    Tolvan& t = make();
    t.settings().StyleNum = kStyleYoko;
    writeFile(path("a.txt"), "a\n");
    writeFile(path("sub/b.txt"), "b\n");
    t.cmdAppend(T(path("a.txt")));
    t.cmdAppend(T(path("sub/b.txt")));
    t.cmdConvert();
    ASSERT_TRUE(fs::exists(path("yoko.css")) && fs::exists(path("sub/yoko.css")));

    // Confirming with the same style removes nothing.
    FakePreference::Values same;
    same.styleSheet = 1;
    same.syntax = 2;
    view.preferenceAnswer = same;
    t.cmdSetOption();
    EXPECT_TRUE(fs::exists(path("yoko.css")) && fs::exists(path("sub/yoko.css")));

    FakePreference::Values tate = same;
    tate.styleSheet = 2;
    view.preferenceAnswer = tate;
    t.cmdSetOption();
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

    FakePreference::Values chosen;
    chosen.syntax = 3;
    chosen.spanTen = chosen.spanComma = true;
    view.preferenceAnswer = chosen;
    t.cmdSetOption();
    EXPECT_NE(dynamic_cast<Orvane::S3Syntax*>(t.getModel()->getSyntax()), nullptr);
    ASSERT_NE(lexer(), nullptr);
    EXPECT_TRUE(lexer()->spanTenP() && !lexer()->spanPeriodP() && lexer()->spanCommaP());
}

TEST_F(SettingsTest, SettingsReachTheWriter) {
    Tolvan& t = make();
    writeFile(path("a.txt"), "text\n");
    t.cmdAppend(T(path("a.txt")));
    FakePreference::Values chosen;
    chosen.styleSheet = 2;
    chosen.syntax = 2;
    chosen.xhtmlVersion = 1;
    view.preferenceAnswer = chosen;
    t.cmdSetOption();
    t.cmdConvert();
    std::string html = readFile(path("a.html"));
    EXPECT_NE(html.find("XHTML 1.1"), std::string::npos) << html;
    EXPECT_NE(html.find("tate.css"), std::string::npos) << html;
    EXPECT_NE(html.find("honbun"), std::string::npos) << html;

    chosen.styleSheet = 100;
    chosen.styleSheetFileName = u"mine.css";
    chosen.xhtmlVersion = 0;
    view.preferenceAnswer = chosen;
    t.cmdSetOption();
    t.cmdConvert();
    html = readFile(path("a.html"));
    EXPECT_NE(html.find("mine.css"), std::string::npos) << html;
    EXPECT_NE(html.find("Transitional"), std::string::npos) << html;
    EXPECT_FALSE(fs::exists(path("mine.css")));  // a user-named style is never copied
}

} // namespace qmtest
