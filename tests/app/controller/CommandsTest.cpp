#include "ControllerFixture.h"

namespace qmtest {

using CommandsTest = ControllerTest;

TEST_F(CommandsTest, ReleaseRemovesTheSelectedTextOnly) {
    Tolvan& t = make();
    add({"a.txt", "b.txt"});
    view.updates = 0;
    t.cmdRelease();
    EXPECT_EQ(lastMessages(), "エラー: 解除|解除する変換対象テキストファイルが選択されていません。");
    EXPECT_EQ(view.updates, 0);
    view.selectedSrc = 0;
    t.cmdRelease();
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(srcNames(), std::vector<std::string>{path("b.txt")});
    EXPECT_TRUE(fs::exists(path("a.txt")));
    EXPECT_EQ(view.updates, 1);
}

TEST_F(CommandsTest, RenameRefusalsTouchNoFile) {
    Tolvan& t = make();
    add({"a.txt"}, "a\n");
    writeFile(path("taken.txt"), "t\n");
    const std::string caption = "エラー: リネーム|";

    t.cmdRename();
    EXPECT_EQ(lastMessages(), caption + "リネームする変換対象テキストファイルが選択されていません。");
    view.selectedSrc = 0;
    t.cmdRename();  // cancelled
    EXPECT_EQ(lastMessages(), "");
    ASSERT_EQ(view.renameShown.size(), 1u);
    EXPECT_EQ(U8(view.renameShown[0]), path("a.txt"));

    struct Case {
        Text answer;
        std::string expected;
    } cases[] = {
        {T(path("a.txt")), caption + "変更前と同じファイル名が指定されました。"},
        {T(path("taken.txt")), caption + "既に同名のファイルが存在するためファイル名を変更できませんでした。"},
        {T(path("no/such/folder/b.txt")), caption + "ファイル名\n" + path("no/such/folder/b.txt") + "\nへのリネームが失敗しました。"},
    };
    for (const Case& c : cases) {
        view.renameAnswer = c.answer;
        t.cmdRename();
        EXPECT_EQ(lastMessages(), c.expected);
    }
    // A name the file system cannot hold fails like a move.
    view.renameAnswer = T(path("x")) + u'\xD800';
    t.cmdRename();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, u"ファイル名\n" + *view.renameAnswer + u"\nへのリネームが失敗しました。");
    messages.shown.clear();
    EXPECT_EQ(srcNames(), std::vector<std::string>{path("a.txt")});
    EXPECT_EQ(readFile(path("a.txt")), "a\n");
    EXPECT_EQ(readFile(path("taken.txt")), "t\n");
}

TEST_F(CommandsTest, RenameKeepsPositionEncodingsAndTheOldBaseName) {
    Tolvan& t = make();
    t.settings().OutputCharset = 1;
    add({"a.txt"}, "first\n");
    add({"z.txt"}, "second\n");
    view.selectedSrc = 0;
    view.renameAnswer = T(path("b.txt"));
    view.updates = 0;
    t.cmdRename();
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(view.updates, 1);
    EXPECT_FALSE(fs::exists(path("a.txt")));
    EXPECT_EQ(readFile(path("b.txt")), "first\n");
    EXPECT_EQ(srcNames(), (std::vector<std::string>{path("b.txt"), path("z.txt")}));
    EXPECT_EQ(t.getModel()->getSrcTexts()[0]->getOutCeId(), 7);
    // The next conversion reads b.txt and still writes a.html.
    t.cmdConvert();
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(outputNames(), (std::vector<std::string>{path("a.html"), path("z.html")}));
    EXPECT_TRUE(fs::exists(path("a.html")));
}

TEST_F(CommandsTest, ConvertRunsAndReports) {
    Tolvan& t = make();
    t.cmdConvert();
    EXPECT_EQ(lastMessages(), "エラー: 変換|変換対象テキストファイルが設定されていません。");
    EXPECT_EQ(view.updates, 0);

    add({"a.txt"}, "plain paragraph\n");
    view.updates = 0;
    t.cmdConvert();
    EXPECT_EQ(lastMessages(), "");
    EXPECT_TRUE(view.logs.empty());  // an empty log shows no window
    EXPECT_EQ(outputNames(), std::vector<std::string>{path("a.html")});
    EXPECT_TRUE(fs::exists(path("a.html")));
    EXPECT_EQ(view.updates, 1);

    // A failed run is reported, and the command still goes on.
    t.settings().StyleNum = kStyleYoko;
    add({"b.txt"});
    fs::remove(path("b.txt"));
    view.updates = 0;
    t.cmdConvert();
    EXPECT_EQ(lastMessages(), "エラー: 変換|変換の処理中にエラーが発生しました。");
    EXPECT_EQ(view.updates, 1);
}

TEST_F(CommandsTest, ConvertShowsTheLogWithCrLf) {
    Tolvan& t = make();
    // A first heading of level 2 warns once per text.
    add({"a.txt", "b.txt"}, "**見出し\n");
    t.cmdConvert();
    EXPECT_EQ(lastMessages(), "");
    ASSERT_EQ(view.logs.size(), 1u);
    const std::string warning = "警告: 見出しレベルの指定がH2から始まっています。\r\n";
    EXPECT_EQ(U8(view.logs[0]), warning + warning);
    // The log is emptied before each run.
    t.cmdConvert();
    ASSERT_EQ(view.logs.size(), 2u);
    EXPECT_EQ(view.logs[1], view.logs[0]);
}

TEST_F(CommandsTest, RemoveDeletesOutputsAndCopiedStyleSheets) {
    Tolvan& t = make();
    t.cmdRemove();
    EXPECT_EQ(lastMessages(), "エラー: 削除|削除するファイルがありません。");

    add({"a.txt", "sub/b.txt"});
    t.settings().StyleNum = kStyleYoko;
    t.cmdConvert();
    ASSERT_TRUE(fs::exists(path("sub/yoko.css")));
    fs::remove(path("a.html"));  // gone already: no message
    files.failWhen("remove", [&](const std::string& p) { return p == path("sub/b.html"); });
    view.updates = 0;
    t.cmdRemove();
    EXPECT_EQ(lastMessages(), "");
    EXPECT_TRUE(fs::exists(path("sub/b.html")));  // the failed delete is ignored
    EXPECT_FALSE(fs::exists(path("yoko.css")));
    EXPECT_FALSE(fs::exists(path("sub/yoko.css")));
    EXPECT_TRUE(outputNames().empty());
    EXPECT_EQ(view.updates, 1);
}

TEST_F(CommandsTest, EditReviewViewAndHelpStartTheRightThing) {
    Tolvan& t = make();
    add({"a.txt"});
    t.cmdConvert();
    lastMessages();
    const std::string review = "エラー: レビュー|";
    const std::string help = (dir / "share" / "help.html").string();
    const std::string index = (dir / "share" / "index.html").string();

    struct Case {
        const char* what;
        int selectedSrc, selectedOutput;
        const char16_t* editor;
        bool succeed;
        std::function<void()> run;
        std::string message;
        std::vector<std::string> opened;
        std::vector<std::pair<std::string, std::string>> started;
    } cases[] = {
        {"edit none", -1, -1, u"", true, [&] { t.cmdEdit(); }, "エラー: 編集|選択されている変換対象テキストファイルがありません。", {}, {}},
        {"edit open", 0, -1, u"", true, [&] { t.cmdEdit(); }, "", {path("a.txt")}, {}},
        {"edit open fails", 0, -1, u"", false, [&] { t.cmdEdit(); }, "エラー: 編集|編集対象のファイルが開けません。", {path("a.txt")}, {}},
        {"edit editor", 0, -1, u"/usr/bin/my editor", true, [&] { t.cmdEdit(); }, "", {}, {{"/usr/bin/my editor", path("a.txt")}}},
        {"edit editor fails", 0, -1, u"/bin/ed", false, [&] { t.cmdEdit(); }, "エラー: 編集|テキストエディタの起動に失敗しました。", {}, {{"/bin/ed", path("a.txt")}}},
        {"review none", 0, -1, u"", true, [&] { t.cmdReview(); }, review + "選択されている生成ファイルがありません。", {}, {}},
        {"review", -1, 0, u"/bin/ed", true, [&] { t.cmdReview(); }, "", {path("a.html")}, {}},
        {"review fails", -1, 0, u"", false, [&] { t.cmdReview(); }, review + "レビュー対象の生成ファイルが開けません。", {path("a.html")}, {}},
        {"view none", -1, -1, u"/bin/ed", true, [&] { t.cmdViewOutput(); }, review + "選択されている生成ファイルがありません。", {}, {}},
        {"view no editor", -1, 0, u"", true, [&] { t.cmdViewOutput(); },
         review + "テキストエディタが未設定なため、生成ファイルが開けません。\nこの機能を使うにはオプション設定ダイアログでテキストエディタを指定してください。", {}, {}},
        {"view", -1, 0, u"/bin/ed", true, [&] { t.cmdViewOutput(); }, "", {}, {{"/bin/ed", path("a.html")}}},
        {"view fails", -1, 0, u"/bin/ed", false, [&] { t.cmdViewOutput(); }, review + "テキストエディタの起動エラー。", {}, {{"/bin/ed", path("a.html")}}},
        {"help", -1, -1, u"", true, [&] { t.cmdHelp(); }, "", {help}, {}},
        {"help fails", -1, -1, u"", false, [&] { t.cmdHelp(); }, "エラー: ヘルプ|ヘルプファイル(help.html)が開けません。", {help}, {}},
        {"index", -1, -1, u"", true, [&] { t.cmdHelpIndex(); }, "", {index}, {}},
        {"index fails", -1, -1, u"", false, [&] { t.cmdHelpIndex(); }, "エラー: ヘルプ目次ファイル|ヘルプ目次ファイル(index.html)が開けません。", {index}, {}},
    };
    for (const Case& c : cases) {
        view.selectedSrc = c.selectedSrc;
        view.selectedOutput = c.selectedOutput;
        t.settings().TextEditor = c.editor;
        launcher.succeed = c.succeed;
        launcher.opened.clear();
        launcher.started.clear();
        c.run();
        EXPECT_EQ(lastMessages(), c.message) << c.what;
        EXPECT_EQ(launcher.opened, c.opened) << c.what;
        EXPECT_EQ(launcher.started, c.started) << c.what;
    }
}

TEST_F(CommandsTest, AboutAndExit) {
    Tolvan& t = make();
    t.cmdAbout();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(U8(messages.shown[0].caption), "バージョン情報");
    EXPECT_EQ(messages.shown[0].buttons, MessageDialog::Buttons::Ok);
    messages.shown.clear();

    messages.answers = {MessageDialog::Answer::Cancel, MessageDialog::Answer::Ok};
    EXPECT_FALSE(t.cmdExit());
    EXPECT_TRUE(t.cmdExit());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].buttons, MessageDialog::Buttons::OkCancel);
    EXPECT_EQ(lastMessages(), "終了|終了しますか？\n--\n終了|終了しますか？");
    EXPECT_FALSE(fs::exists(settingsFile));  // nothing is written at exit
}

} // namespace qmtest
