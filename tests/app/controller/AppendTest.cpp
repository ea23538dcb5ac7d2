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

const std::string kRegister = "エラー: 登録|";
const std::string kNotShiftJis =
    kRegister + "ファイル名やフォルダ名にShift JIS以外の文字が使われているため、このファイルは登録できません。";
const std::string kCannotOpen = kRegister + "このファイルは開けません。";
const std::string kEncodingTail = "の文字コードのファイルが指定されました。\nShift_JISの文字コードが入力文字コードに指定されています。";

} // namespace

using AppendTest = ControllerTest;

// Each text keeps the charsets of the moment it was registered; files the
// detector does not recognise count as ASCII; with UTF-8 input every
// readable file is accepted.
TEST_F(AppendTest, RegistersWithTheCharsetsOfTheMoment) {
    Tolvan& t = make();
    struct Case {
        const char* name;
        std::string bytes;
        int input, output, inCeId, outCeId;
    } cases[] = {
        {"sjis.txt", kSjisText, 0, 0, 37, 37},
        {"utf8.txt", kUtf8Text, 1, 1, 7, 7},
        {"ascii.txt", "plain ascii\n", 0, 1, 37, 7},
        {"empty.txt", "", 0, 0, 37, 37},
        {"bom.txt", kUtf8BomText, 1, 0, 7, 37},
        {"euc.txt", kEucText, 1, 0, 7, 37},
    };
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        t.settings().InputCharset = c.input;
        t.settings().OutputCharset = c.output;
        add({c.name}, c.bytes);
        expected.push_back(path(c.name));
    }
    // The same file reached by another spelling is accepted again.
    t.cmdAppend(T((dir / "." / "sjis.txt").string()));
    expected.push_back((dir / "." / "sjis.txt").string());
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(view.updates, 7);
    ASSERT_EQ(srcNames(), expected);
    const auto& srcs = t.getModel()->getSrcTexts();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(srcs[i]->getInCeId(), cases[i].inCeId);
        EXPECT_EQ(srcs[i]->getOutCeId(), cases[i].outCeId);
        EXPECT_EQ(srcs[i]->getNewLineMode(), 5);
    }
}

TEST_F(AppendTest, ChecksRunInOrderAndTheFirstFailureEnds) {
    Tolvan& t = make();
    t.settings().InputCharset = kShiftJisCharset;
    add({"a.txt"}, kSjisText);
    fs::create_directories(dir / "folder.txt");
    writeFile(path("euc.txt"), kEucText);
    writeFile(path("utf8.txt"), kUtf8BomText);
    writeFile(path("nobom.txt"), kUtf8Text);
    lastMessages();
    view.updates = 0;

    // The encoding message begins with the detector's name for the file.
    std::FILE* fp = std::fopen(path("utf8.txt").c_str(), "rb");
    const char* utf8Name = CCC::Iceman::ceIdToString(CCC::Iceman::detect(40, fp));
    std::fclose(fp);
    ASSERT_NE(utf8Name, nullptr);
    EXPECT_EQ(std::string(utf8Name).substr(0, 5), "utf-8");

    struct Case {
        Text path;
        std::string expected;
    } cases[] = {
        // Byte for byte the same path: refused.
        {T(path("a.txt")), kRegister + "ファイル(" + path("a.txt") + ")は既に変換対象テキストファイルとして登録済みです。"},
        {T(path("missing.txt")), kCannotOpen},
        {T(path("folder.txt")), kCannotOpen},
        // An unpaired surrogate: refused before any open.
        {T(path("bad")) + u'\xD800' + u".txt", kNotShiftJis},
        {T(path("euc.txt")), kRegister + "euc-jp" + kEncodingTail},
        {T(path("utf8.txt")), kRegister + utf8Name + kEncodingTail},
        // Without the mark, valid UTF-8 holding Japanese is told apart too.
        {T(path("nobom.txt")), kRegister + "utf-8n" + kEncodingTail},
    };
    for (const Case& c : cases) {
        t.cmdAppend(c.path);
        EXPECT_EQ(lastMessages(), c.expected) << U8(c.path);
    }
    EXPECT_EQ(srcNames(), std::vector<std::string>{path("a.txt")});
    EXPECT_EQ(view.updates, 0);
    // An identifier without a name is shown as "不明".
    EXPECT_EQ(U8(Tolvan::encodingMismatchMessage(999)), "不明" + kEncodingTail);
}

// First start on Linux: a mark-less UTF-8 manuscript is registered as UTF-8
// and its Japanese text reaches the output intact.
TEST_F(AppendTest, Utf8ManuscriptConvertsUnderTheFirstStartSettings) {
    Tolvan& t = make();
    add({"utf8.txt"}, "=" + kUtf8Text);
    EXPECT_EQ(lastMessages(), "");
    t.cmdConvert();
    EXPECT_EQ(lastMessages(), "");
    const std::string html = readFile(path("utf8.html"));
    EXPECT_NE(html.find("encoding=\"utf-8\""), std::string::npos);
    EXPECT_NE(html.find("<title>これは日本語のテキストです。漢字とかなを含みます。</title>"), std::string::npos) << html;
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
    for (const Case& c : cases) {
        StringConv conv(c.narrow);
        EXPECT_EQ(conv.narrowRoundTripP(c.name), c.accepted) << U8(c.name) << " narrow " << c.narrow;
    }
    // Through the command: a refused name is never opened.
    Tolvan& t = make(CCC::ceid::kCp932);
    t.cmdAppend(T(path("caf\xC3\xA9.txt")));
    EXPECT_EQ(lastMessages(), kNotShiftJis);
    // And an accepted one is stored in cp932 bytes.
    std::string sjisName = path("") + fromHex("93FA967B8CEA") + ".txt";
    writeFile(sjisName, "a\n");
    t.cmdAppend(T(path("日本語.txt")));
    EXPECT_EQ(lastMessages(), "");
    EXPECT_EQ(srcNames(), std::vector<std::string>{sjisName});
}

} // namespace qmtest
