#include "ControllerFixture.h"

namespace qmtest {

using CommandsTest = ControllerTest;
using Strings = std::vector<std::string>;

TEST_F(CommandsTest, ReleaseAndRename) {
    Tolvan& t = make();
    t.settings().OutputCharset = 1;
    add({"a.txt"}, "a\n");
    t.settings().OutputCharset = 0;
    add({"z.txt"}, "z\n");
    put("taken.txt", "t\n");
    fakes.updates = 0;
    t.cmdRelease();
    t.cmdRename();
    fakes.selectedSrc = 0;
    t.cmdRename();  // cancelled
    EXPECT_EQ(lastMessages(), "エラー: 解除|解除する変換対象テキストファイルが選択されていません。\n--\n"
                              "エラー: リネーム|リネームする変換対象テキストファイルが選択されていません。");
    EXPECT_EQ(fakes.renameShown, std::vector<Text>{T(path("a.txt"))});

    // Refusals touch no file. A name the file system cannot hold fails like a move.
    const Text unholdable = T(path("x")) + u'\xD800';
    const std::pair<Text, Text> refusals[] = {
        {T(path("a.txt")), u"変更前と同じファイル名が指定されました。"},
        {T(path("taken.txt")), u"既に同名のファイルが存在するためファイル名を変更できませんでした。"},
        {T(path("no/such/b.txt")), u"ファイル名\n" + T(path("no/such/b.txt")) + u"\nへのリネームが失敗しました。"},
        {unholdable, u"ファイル名\n" + unholdable + u"\nへのリネームが失敗しました。"},
    };
    for (const auto& [answer, text] : refusals) {
        fakes.renameAnswer = answer;
        t.cmdRename();
        ASSERT_EQ(fakes.shown.size(), 1u) << U8(answer);
        EXPECT_EQ(fakes.shown[0].text, text);
        EXPECT_EQ(U8(fakes.shown[0].caption), "エラー: リネーム");
        fakes.shown.clear();
    }
    EXPECT_EQ(read("a.txt") + read("taken.txt"), "a\nt\n");
    EXPECT_EQ(fakes.updates, 0);

    // A rename keeps the position and encodings; the output keeps the old base name.
    fakes.renameAnswer = T(path("b.txt"));
    t.cmdRename();
    EXPECT_EQ(srcNames(), (Strings{path("b.txt"), path("z.txt")}));
    EXPECT_EQ(t.getModel()->getSrcTexts()[0]->getOutCeId(), 7);
    EXPECT_EQ(read("b.txt"), "a\n");
    EXPECT_FALSE(exists("a.txt"));
    t.cmdConvert();
    EXPECT_EQ(outputNames(), (Strings{path("a.html"), path("z.html")}));
    EXPECT_TRUE(exists("a.html"));

    fakes.selectedSrc = 1;
    t.cmdRelease();
    EXPECT_EQ(srcNames(), Strings{path("b.txt")});
    EXPECT_TRUE(exists("z.txt"));
    EXPECT_EQ(fakes.updates, 3);
    EXPECT_EQ(lastMessages(), "");
}

TEST_F(CommandsTest, ConvertAndRemove) {
    Tolvan& t = make();
    t.cmdConvert();
    t.cmdRemove();
    EXPECT_EQ(lastMessages(), "エラー: 変換|変換対象テキストファイルが設定されていません。\n--\n"
                              "エラー: 削除|削除するファイルがありません。");
    EXPECT_EQ(fakes.updates, 0);

    // A first heading of level 2 warns once per text; the log is shown with
    // CR LF and emptied before each run; an empty log shows no window.
    add({"a.txt", "sub/b.txt"}, "**見出し\n");
    t.cmdConvert();
    t.cmdConvert();
    const std::string warning = "警告: 見出しレベルの指定がH2から始まっています。\r\n";
    ASSERT_EQ(fakes.logs.size(), 2u);
    EXPECT_EQ(U8(fakes.logs[1]), warning + warning);
    put("a.txt", "plain\n");
    put("sub/b.txt", "plain\n");
    t.settings().StyleNum = kStyleYoko;
    fakes.updates = 0;
    t.cmdConvert();
    EXPECT_EQ(fakes.logs.size(), 2u);
    EXPECT_EQ(outputNames(), (Strings{path("a.html"), path("sub/b.html")}));
    EXPECT_EQ(fakes.updates, 1);

    // Remove deletes outputs and copied sheets; a delete that fails is ignored.
    fs::remove(path("a.html"));
    files.failWhen("remove", [&](const std::string& p) { return p == path("sub/b.html"); });
    t.cmdRemove();
    EXPECT_TRUE(exists("sub/b.html"));
    EXPECT_FALSE(exists("yoko.css") || exists("sub/yoko.css"));
    EXPECT_TRUE(outputNames().empty());
    EXPECT_EQ(lastMessages(), "");

    // A failed run is reported, and the command still goes on.
    add({"c.txt"});
    fs::remove(path("c.txt"));
    t.cmdConvert();
    EXPECT_EQ(lastMessages(), "エラー: 変換|変換の処理中にエラーが発生しました。");
    EXPECT_EQ(fakes.updates, 4);
}

TEST_F(CommandsTest, EditReviewViewAndHelpStartTheRightThing) {
    Tolvan& t = make();
    add({"a.txt"});
    t.cmdConvert();
    lastMessages();
    const std::string review = "エラー: レビュー|", edit = "エラー: 編集|";
    const std::string help = path("share/help.html"), index = path("share/index.html");
    const std::string txt = path("a.txt"), html = path("a.html");
    const std::function<void()> cmdEdit = [&] { t.cmdEdit(); }, cmdReview = [&] { t.cmdReview(); },
                                cmdView = [&] { t.cmdViewOutput(); };
    const struct {
        int selectedSrc, selectedOutput;
        const char16_t* editor;
        bool succeed;
        std::function<void()> run;
        std::string message;
        Strings opened;
        std::vector<std::pair<std::string, std::string>> started;
    } cases[] = {
        {-1, -1, u"", true, cmdEdit, edit + "選択されている変換対象テキストファイルがありません。", {}, {}},
        {0, -1, u"", true, cmdEdit, "", {txt}, {}},
        {0, -1, u"", false, cmdEdit, edit + "編集対象のファイルが開けません。", {txt}, {}},
        {0, -1, u"/usr/bin/my editor", true, cmdEdit, "", {}, {{"/usr/bin/my editor", txt}}},
        {0, -1, u"/bin/ed", false, cmdEdit, edit + "テキストエディタの起動に失敗しました。", {}, {{"/bin/ed", txt}}},
        {0, -1, u"", true, cmdReview, review + "選択されている生成ファイルがありません。", {}, {}},
        {-1, 0, u"/bin/ed", true, cmdReview, "", {html}, {}},
        {-1, 0, u"", false, cmdReview, review + "レビュー対象の生成ファイルが開けません。", {html}, {}},
        {-1, -1, u"/bin/ed", true, cmdView, review + "選択されている生成ファイルがありません。", {}, {}},
        {-1, 0, u"", true, cmdView,
         review + "テキストエディタが未設定なため、生成ファイルが開けません。\nこの機能を使うにはオプション設定ダイアログでテキストエディタを指定してください。",
         {}, {}},
        {-1, 0, u"/bin/ed", true, cmdView, "", {}, {{"/bin/ed", html}}},
        {-1, 0, u"/bin/ed", false, cmdView, review + "テキストエディタの起動エラー。", {}, {{"/bin/ed", html}}},
        {-1, -1, u"", true, [&] { t.cmdHelp(); }, "", {help}, {}},
        {-1, -1, u"", false, [&] { t.cmdHelp(); }, "エラー: ヘルプ|ヘルプファイル(help.html)が開けません。", {help}, {}},
        {-1, -1, u"", true, [&] { t.cmdHelpIndex(); }, "", {index}, {}},
        {-1, -1, u"", false, [&] { t.cmdHelpIndex(); },
         "エラー: ヘルプ目次ファイル|ヘルプ目次ファイル(index.html)が開けません。", {index}, {}},
    };
    int n = 0;
    for (const auto& c : cases) {
        fakes.selectedSrc = c.selectedSrc;
        fakes.selectedOutput = c.selectedOutput;
        t.settings().TextEditor = c.editor;
        fakes.launchOk = c.succeed;
        fakes.opened.clear();
        fakes.started.clear();
        c.run();
        EXPECT_EQ(lastMessages(), c.message) << "case " << n;
        EXPECT_EQ(fakes.opened, c.opened) << "case " << n;
        EXPECT_EQ(fakes.started, c.started) << "case " << n++;
    }
}

TEST_F(CommandsTest, AboutAndExit) {
    Tolvan& t = make();
    t.cmdAbout();
    fakes.answers = {MessageDialog::Answer::Cancel, MessageDialog::Answer::Ok};
    EXPECT_FALSE(t.cmdExit());
    EXPECT_TRUE(t.cmdExit());
    ASSERT_EQ(fakes.shown.size(), 3u);
    EXPECT_EQ(U8(fakes.shown[0].caption), "バージョン情報");
    EXPECT_EQ(fakes.shown[0].buttons, MessageDialog::Buttons::Ok);
    EXPECT_EQ(fakes.shown[1].buttons, MessageDialog::Buttons::OkCancel);
    fakes.shown.erase(fakes.shown.begin());
    EXPECT_EQ(lastMessages(), "終了|終了しますか？\n--\n終了|終了しますか？");
    EXPECT_FALSE(exists(settingsName));  // nothing is written at exit
}

} // namespace qmtest
