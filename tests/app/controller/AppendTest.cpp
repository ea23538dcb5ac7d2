#include "ControllerFixture.h"
#include "ccc/encoding/Iceman.h"

namespace qmtest {

using AppendTest = ControllerTest;

// What the scenarios cannot spell: names that are not Unicode text, and the
// detector's own name for UTF-8 in the encoding message.
TEST_F(AppendTest, RefusesUnpairedSurrogatesAndNamesTheDetectedEncoding) {
    Tolvan& t = make();
    t.settings().InputCharset = kShiftJisCharset;
    t.cmdAppend(T(path("bad")) + u'\xD800' + u".txt");
    EXPECT_EQ(lastMessages(), "エラー: 登録|ファイル名やフォルダ名にShift JIS以外の文字が使われているため、このファイルは登録できません。");
    const std::string tail = "の文字コードのファイルが指定されました。\nShift_JISの文字コードが入力文字コードに指定されています。";
    put("utf8.txt", "\xEF\xBB\xBF" "日本語\n");
    std::FILE* fp = std::fopen(path("utf8.txt").c_str(), "rb");
    const char* utf8Name = CCC::Iceman::ceIdToString(CCC::Iceman::detect(40, fp));
    std::fclose(fp);
    ASSERT_NE(utf8Name, nullptr);
    EXPECT_EQ(std::string(utf8Name).substr(0, 5), "utf-8");
    t.cmdAppend(T(path("utf8.txt")));
    EXPECT_EQ(lastMessages(), "エラー: 登録|" + std::string(utf8Name) + tail);
    EXPECT_EQ(U8(Tolvan::encodingMismatchMessage(999)), "不明" + tail);  // an identifier without a name
    // A rename to such a name fails like a move.
    put("a.txt", "x\n");
    t.cmdAppend(T(path("a.txt")));
    fakes.selectedSrc = 0;
    fakes.renameAnswer = T(path("x")) + u'\xD800';
    t.cmdRename();
    ASSERT_EQ(fakes.shown.size(), 1u);
    EXPECT_EQ(fakes.shown[0].text, u"ファイル名\n" + *fakes.renameAnswer + u"\nへのリネームが失敗しました。");
    fakes.shown.clear();
    EXPECT_TRUE(srcNames() == std::vector<std::string>{path("a.txt")} && exists("a.txt"));
}

// The name check under both narrow file-name encodings.
TEST_F(AppendTest, NameCheckFollowsTheNarrowEncoding) {
    const struct {
        CCC::CeId narrow;
        Text name;
        bool accepted;
    } cases[] = {
        {CCC::ceid::kUtf8N, u"日本語.txt", true},
        {CCC::ceid::kUtf8N, u"caf\u00E9.txt", true},
        {CCC::ceid::kUtf8N, u"\U0001F600.txt", true},
        {CCC::ceid::kUtf8N, Text(u"x") + u'\xD800' + u".txt", false},
        {CCC::ceid::kUtf8N, Text(u"x") + u'\xDC00' + u".txt", false},
        {CCC::ceid::kCp932, u"日本語.txt", true},
        {CCC::ceid::kCp932, u"①.txt", true},
        {CCC::ceid::kCp932, u"caf\u00E9.txt", false},
        {CCC::ceid::kCp932, u"\U0001F600.txt", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringConv(c.narrow).narrowRoundTripP(c.name), c.accepted) << U8(c.name) << " narrow " << c.narrow;
    // Through the command: a refused name is never opened, an accepted one
    // is stored in cp932 bytes.
    Tolvan& t = make(CCC::ceid::kCp932);
    t.cmdAppend(T(path("caf\xC3\xA9.txt")));
    EXPECT_EQ(lastMessages(), "エラー: 登録|ファイル名やフォルダ名にShift JIS以外の文字が使われているため、このファイルは登録できません。");
    put("\x93\xFA\x96\x7B\x8C\xEA.txt", "a\n");
    t.cmdAppend(T(path("日本語.txt")));
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(srcNames(), std::vector<std::string>{path("\x93\xFA\x96\x7B\x8C\xEA.txt")});
}

} // namespace qmtest
