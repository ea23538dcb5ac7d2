#include "ControllerFixture.h"
#include "ccc/encoding/Iceman.h"

namespace qmtest {

namespace {

std::string fromHex(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) out += char(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return out;
}

// "これは日本語のテキストです。漢字とかなを含みます。" in cp932 and EUC-JP.
const std::string kSjisText = fromHex(
    "82B182EA82CD93FA967B8CEA82CC8365834C835883678C5882C582B781428ABF8E9A82C682A982C882F08ADC82DD82DC82B781420D0A");
const std::string kEucText = fromHex(
    "A4B3A4ECA4CFC6FCCBDCB8ECA4CEA5C6A5ADA5B9A5C8A4C7A4B9A1A3B4C1BBFAA4C8A4ABA4CAA4F2B4DEA4DFA4DEA4B9A1A30D0A");
const std::string kUtf8Text = "これは日本語のテキストです。漢字とかなを含みます。\r\n";
// The detector tells UTF-8 only by its signature; without it the bytes read
// as Shift_JIS.
const std::string kUtf8BomText = "\xEF\xBB\xBF" + kUtf8Text;

const char* const kRegister = "エラー: 登録";
const std::string kNotShiftJis =
    std::string(kRegister) + "|ファイル名やフォルダ名にShift JIS以外の文字が使われているため、このファイルは登録できません。";
const std::string kCannotOpen = std::string(kRegister) + "|このファイルは開けません。";
const std::string kEncodingTail = "の文字コードのファイルが指定されました。\nShift_JISの文字コードが入力文字コードに指定されています。";

} // namespace

using AppendTest = ControllerTest;

TEST_F(AppendTest, RegistersWithTheCharsetsOfTheMoment) {
    Tolvan& t = make();
    writeFile(path("a.txt"), kSjisText);
    writeFile(path("b.txt"), "plain ascii\n");
    writeFile(path("c.txt"), kUtf8Text);
    t.cmdAppend(T(path("a.txt")));
    t.settings().InputCharset = 1;
    t.settings().OutputCharset = 1;
    t.cmdAppend(T(path("c.txt")));
    t.settings().InputCharset = 0;
    t.cmdAppend(T(path("b.txt")));
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(view.updates, 3);
    ASSERT_EQ(srcNames(), (std::vector<std::string>{path("a.txt"), path("c.txt"), path("b.txt")}));
    const auto& srcs = t.getModel()->getSrcTexts();
    // Later changes of the options leave registered texts alone.
    EXPECT_EQ(srcs[0]->getInCeId(), 37);
    EXPECT_EQ(srcs[0]->getOutCeId(), 37);
    EXPECT_EQ(srcs[1]->getInCeId(), 7);
    EXPECT_EQ(srcs[1]->getOutCeId(), 7);
    EXPECT_EQ(srcs[2]->getInCeId(), 37);
    EXPECT_EQ(srcs[2]->getOutCeId(), 7);
    for (const auto& s : srcs) EXPECT_EQ(s->getNewLineMode(), 5);
}

TEST_F(AppendTest, ChecksRunInOrderAndTheFirstFailureEnds) {
    Tolvan& t = make();
    writeFile(path("a.txt"), kSjisText);
    writeFile(path("dup/x.txt"), "x\n");
    fs::create_directories(dir / "folder.txt");
    writeFile(path("euc.txt"), kEucText);
    writeFile(path("utf8.txt"), kUtf8BomText);
    t.cmdAppend(T(path("a.txt")));
    lastMessages();
    view.updates = 0;

    struct Case {
        Text path;
        std::string expectedPrefix;
    } cases[] = {
        // Byte for byte the same path: refused.
        {T(path("a.txt")), std::string(kRegister) + "|ファイル(" + path("a.txt") + ")は既に変換対象テキストファイルとして登録済みです。"},
        {T(path("missing.txt")), kCannotOpen},
        {T(path("folder.txt")), kCannotOpen},
        // An unpaired surrogate: refused before any open.
        {T(path("bad")) + u'\xD800' + u".txt", kNotShiftJis},
        {T(path("euc.txt")), std::string(kRegister) + "|euc-jp" + kEncodingTail},
        {T(path("utf8.txt")), std::string(kRegister) + "|utf-8"},
    };
    for (const Case& c : cases) {
        t.cmdAppend(c.path);
        std::string got = lastMessages();
        EXPECT_EQ(got.substr(0, c.expectedPrefix.size()), c.expectedPrefix) << U8(c.path);
    }
    EXPECT_EQ(srcNames(), std::vector<std::string>{path("a.txt")});
    EXPECT_EQ(view.updates, 0);
}

TEST_F(AppendTest, TheSameFileReachedDifferentlyIsAcceptedTwice) {
    Tolvan& t = make();
    writeFile(path("a.txt"), "ascii\n");
    t.cmdAppend(T(path("a.txt")));
    t.cmdAppend(T((dir / "." / "a.txt").string()));
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(srcNames().size(), 2u);
}

TEST_F(AppendTest, EncodingMessageShowsTheDetectedNameOrUnknown) {
    Tolvan& t = make();
    writeFile(path("utf8.txt"), kUtf8BomText);
    t.cmdAppend(T(path("utf8.txt")));
    std::string got = lastMessages();
    ASSERT_EQ(got.size() > kEncodingTail.size(), true) << got;
    EXPECT_EQ(got.substr(got.size() - kEncodingTail.size()), kEncodingTail);
    // The name is the detector's answer for the file.
    std::FILE* fp = std::fopen(path("utf8.txt").c_str(), "rb");
    CCC::CeId id = CCC::Iceman::detect(40, fp);
    std::fclose(fp);
    ASSERT_NE(CCC::Iceman::ceIdToString(id), nullptr);
    EXPECT_EQ(got, std::string(kRegister) + "|" + CCC::Iceman::ceIdToString(id) + kEncodingTail);
    EXPECT_EQ(std::string(CCC::Iceman::ceIdToString(id)).substr(0, 5), "utf-8");
    // An identifier without a name is shown as "不明".
    EXPECT_EQ(U8(Tolvan::encodingMismatchMessage(999)), "不明" + kEncodingTail);
    EXPECT_EQ(U8(Tolvan::encodingMismatchMessage(22)), "euc-jp" + kEncodingTail);
    EXPECT_TRUE(srcNames().empty());
}

TEST_F(AppendTest, UnrecognisedFilesCountAsAscii) {
    Tolvan& t = make();
    writeFile(path("empty.txt"), "");
    writeFile(path("ascii.txt"), "just ascii, nothing else\n");
    writeFile(path("nobom.txt"), kUtf8Text);
    t.cmdAppend(T(path("empty.txt")));
    t.cmdAppend(T(path("ascii.txt")));
    t.cmdAppend(T(path("nobom.txt")));
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(srcNames().size(), 3u);
    // With UTF-8 input every readable file is accepted.
    writeFile(path("bom.txt"), kUtf8BomText);
    writeFile(path("euc.txt"), kEucText);
    t.settings().InputCharset = 1;
    t.cmdAppend(T(path("bom.txt")));
    t.cmdAppend(T(path("euc.txt")));
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(srcNames().size(), 5u);
}

TEST_F(AppendTest, WithoutArgumentUsesTheOpenFileDialog) {
    Tolvan& t = make();
    writeFile(path("a.txt"), "a\n");
    t.cmdAppend();  // cancelled
    EXPECT_TRUE(srcNames().empty());
    fileDialog.answer = T(path("a.txt"));
    t.cmdAppend();
    EXPECT_EQ(srcNames(), std::vector<std::string>{path("a.txt")});
    ASSERT_EQ(fileDialog.filters.size(), 2u);
    EXPECT_EQ(U8(fileDialog.filters[0]), "テキストファイル (*.txt)|*.txt|全ファイル (*.*)|*.*");
    EXPECT_EQ(lastMessages(), "");
}

// The name check under both narrow file-name encodings.
TEST_F(AppendTest, NameCheckFollowsTheNarrowEncoding) {
    struct Case {
        CCC::CeId narrow;
        Text name;
        bool accepted;
    } cases[] = {
        {StringConv::kUtf8, u"日本語.txt", true},
        {StringConv::kUtf8, u"caf\u00E9.txt", true},
        {StringConv::kUtf8, u"\U0001F600.txt", true},
        {StringConv::kUtf8, Text(u"x") + u'\xD800' + u".txt", false},
        {StringConv::kUtf8, Text(u"x") + u'\xDC00' + u".txt", false},
        {StringConv::kCp932, u"日本語.txt", true},
        {StringConv::kCp932, u"①.txt", true},
        {StringConv::kCp932, u"caf\u00E9.txt", false},
        {StringConv::kCp932, u"\U0001F600.txt", false},
    };
    for (const Case& c : cases) {
        StringConv conv(c.narrow);
        EXPECT_EQ(conv.narrowRoundTripP(c.name), c.accepted) << U8(c.name) << " narrow " << c.narrow;
    }
    // Through the command: a refused name is never opened.
    Tolvan& t = make(StringConv::kCp932);
    t.cmdAppend(T(path("caf\xC3\xA9.txt")));
    EXPECT_EQ(lastMessages(), kNotShiftJis);
    // And an accepted one is stored in cp932 bytes.
    std::string sjisName = path("") + fromHex("93FA967B8CEA") + ".txt";
    writeFile(sjisName, "a\n");
    t.cmdAppend(T(path("日本語.txt")));
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(srcNames(), std::vector<std::string>{sjisName});
}

TEST_F(AppendTest, FailedEscapingLeavesTheFileUnregistered) {
    Tolvan& t = make();
    t.settings().EscapeByAppend = true;
    writeFile(path("a.txt"), "a=b\n");
    writeFile(path("a.txt.back"), "old\n");
    messages.answers = {MessageDialog::Answer::Cancel};
    t.cmdAppend(T(path("a.txt")));
    EXPECT_TRUE(srcNames().empty());
    EXPECT_EQ(readFile(path("a.txt")), "a=b\n");
    messages.shown.clear();
    t.cmdAppend(T(path("a.txt")));  // OK this time
    EXPECT_EQ(srcNames(), std::vector<std::string>{path("a.txt")});
    EXPECT_EQ(readFile(path("a.txt")), "a\\=b\n");
    EXPECT_EQ(readFile(path("a.txt.back")), "a=b\n");
}

} // namespace qmtest
