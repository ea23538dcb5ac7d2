#include "ControllerFixture.h"

namespace qmtest {

using StyleTest = ControllerTest;

TEST_F(StyleTest, CopiesGoNextToEveryOutput) {
    Tolvan& t = make();
    add({"a.txt", "one/b.txt", "two/c.txt"});
    for (int num : {0, 100}) {
        t.settings().StyleNum = num;
        t.settings().StyleFileName = u"yoko.css";
        files.log.clear();
        t.cmdConvert();
        t.cmdRemove();
        for (const std::string& entry : files.log)
            EXPECT_EQ(entry.find("yoko.css"), std::string::npos) << entry;  // nothing copied or removed
    }
    t.settings().StyleNum = kStyleTateCheck;
    t.cmdConvert();
    EXPECT_EQ(lastMessages(), "");
    for (const char* n : {"tate_check.css", "one/tate_check.css", "two/tate_check.css"})
        EXPECT_EQ(readFile(path(n)), "/* tate_check.css */\n") << n;
}

TEST_F(StyleTest, CopyErrorStopsTheWalk) {
    Tolvan& t = make();
    add({"one/a.txt", "two/b.txt", "three/c.txt"});
    t.settings().StyleNum = kStyleYoko;
    files.failWhen("copy", [&](const std::string& to) { return to == path("two/yoko.css"); });
    t.cmdConvert();
    EXPECT_EQ(lastMessages(), "エラー: CSSファイルコピー|CSSファイルのコピー中にエラーが発生しました。\n「injected failure」");
    EXPECT_TRUE(fs::exists(path("one/yoko.css")));
    EXPECT_FALSE(fs::exists(path("three/yoko.css")));
    EXPECT_EQ(outputNames().size(), 3u);  // the conversion itself stands
}

TEST_F(StyleTest, MissingBundledFileGivesOneMessageAndNoCopy) {
    Tolvan& t = make();
    fs::remove(dir / "share" / "tate.css");
    add({"one/a.txt", "two/b.txt"});
    t.settings().StyleNum = kStyleTate;
    t.cmdConvert();
    std::string got = lastMessages();
    const std::string head = "エラー: CSSファイルコピー|CSSファイルのコピー中にエラーが発生しました。\n「";
    EXPECT_EQ(got.substr(0, head.size()), head);
    EXPECT_EQ(got.substr(got.size() - 3), "」");
    EXPECT_GT(got.size(), head.size() + 3);  // the platform's description is quoted
    EXPECT_FALSE(fs::exists(path("one/tate.css")));
    EXPECT_FALSE(fs::exists(path("two/tate.css")));
}

TEST_F(StyleTest, RemovalDeletesByNameAndStopsAtTheFirstFailure) {
    Tolvan& t = make();
    add({"one/a.txt", "two/b.txt", "three/c.txt"});
    t.cmdConvert();  // no style: nothing copied
    // A style sheet the user put there goes too.
    for (const char* n : {"one/yoko.css", "two/yoko.css", "three/yoko.css"}) writeFile(path(n), "mine");
    t.settings().StyleNum = kStyleYoko;
    files.failWhen("remove", [&](const std::string& p) { return p == path("two/yoko.css"); });
    t.removeCopiedCss();
    EXPECT_EQ(lastMessages(), "エラー: CSSファイル削除|CSSファイルの削除中にエラーが発生しました。\n「injected failure」");
    EXPECT_FALSE(fs::exists(path("one/yoko.css")));
    EXPECT_TRUE(fs::exists(path("three/yoko.css")));
}

} // namespace qmtest
