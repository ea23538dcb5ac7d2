#include <cstdio>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "DetectTestUtil.h"
#include "ccc/detect/XmlDetector.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FixedMemIFlow.h"

using namespace CCC;

namespace {

// Each character of s as two bytes, the other one 0.
std::string wide(const std::string& s, bool bigEndian) {
    std::string out;
    for (char c : s) {
        if (bigEndian) out.push_back('\0');
        out.push_back(c);
        if (!bigEndian) out.push_back('\0');
    }
    return out;
}

struct Case {
    const char* what;
    std::string input;
    CeId expected;
    int error;         // XmlParseError number met, 0 for none
    const char* name;  // encoding name read
};

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<a/>";

const Case kCases[] = {
    // Fewer than four bytes, or no declaration: not taken for XML.
    {"empty", B(""), 0, 0, ""},
    {"three bytes", B("<?x"), 0, 0, ""},
    {"UTF-8 mark alone", B("\xEF\xBB\xBF"), 0, 0, ""},
    {"no declaration", B("hello, world\n"), 0, 0, ""},
    {"element first", B("<root encoding='euc-jp'/>"), 0, 0, ""},
    {"declaration cut short", B("<?xm"), 0, 0, ""},
    {"upper-case XML", B("<?XML version='1.0' encoding='euc-jp'?>"), 0, 0, ""},

    // Signatures answer without parsing.
    {"UCS-4BE mark", B("\x00\x00\xFE\xFF<?xml"), 5, 0, ""},
    {"UCS-4BE <", B("\x00\x00\x00<"), 5, 0, ""},
    {"UCS-4LE mark", B("\xFF\xFE\x00\x00"), 4, 0, ""},
    {"UCS-4LE <", B("<\x00\x00\x00"), 4, 0, ""},
    {"UTF-16LE mark", B("\xFF\xFE<\x00?\x00"), 14, 0, ""},
    {"UTF-16BE mark", B("\xFE\xFF\x00<\x00?"), 13, 0, ""},
    {"UTF-8 mark", B("\xEF\xBB\xBF<?xml version='1.0' encoding='euc-jp'?>"), 7, 0, ""},

    // One byte per character.
    {"Shift_JIS", kDecl, 23, 0, "Shift_JIS"},
    {"apostrophes", B("<?xml version='1.0' encoding='euc-jp'?>"), 22, 0, "euc-jp"},
    {"name case and digits", B("<?xml version='1.1' encoding='ISO-8859-15'?>"), 36, 0, "ISO-8859-15"},
    {"spaces around =", B("<?xml\tversion \r\n= '1.0'\n encoding\t=\t\"sjis\"?>"), 23, 0, "sjis"},
    {"unknown name", B("<?xml version=\"1.0\" encoding=\"x-mac-japanese\"?>"), 7, 0, "x-mac-japanese"},
    {"detector name is no encoding", B("<?xml version='1.0' encoding='ja-auto'?>"), 7, 0, "ja-auto"},
    {"name with . and _", B("<?xml version='1.0' encoding='a.b_c-d9'?>"), 7, 0, "a.b_c-d9"},
    {"no encoding", B("<?xml version=\"1.0\"?><a/>"), 7, 0, ""},
    {"end of data in the name", B("<?xml version='1.0' encoding='Shift_"), 7, 0, ""},
    {"end of data after <?xml", B("<?xml"), 7, 0, ""},

    // Parse errors: no name, the answer goes by the reading mode.
    {"no space", B("<?xml-stylesheet href='a.css'?>"), 7, 70, ""},
    {"no version", B("<?xml encoding='euc-jp'?>"), 7, 10, ""},
    {"no = after version", B("<?xml version '1.0'?>"), 7, 130, ""},
    {"empty version in apostrophes", B("<?xml version=''?>"), 7, 20, ""},
    {"version apostrophe unclosed", B("<?xml version='1.0?>"), 7, 30, ""},
    {"empty version in quotes", B("<?xml version=\"\"?>"), 7, 40, ""},
    {"version quote unclosed", B("<?xml version=\"1.0'?>"), 7, 50, ""},
    {"version unquoted", B("<?xml version=1.0?>"), 7, 60, ""},
    {"no = after encoding", B("<?xml version='1.0' encoding 'euc-jp'?>"), 7, 130, ""},
    {"name not a letter first", B("<?xml version='1.0' encoding='8bit'?>"), 7, 80, ""},
    {"name apostrophe unclosed", B("<?xml version='1.0' encoding='euc-jp\"?>"), 7, 90, ""},
    {"empty name in quotes", B("<?xml version='1.0' encoding=\"\"?>"), 7, 100, ""},
    {"name quote unclosed", B("<?xml version='1.0' encoding=\"euc-jp ?>"), 7, 110, ""},
    {"name unquoted", B("<?xml version='1.0' encoding=euc-jp?>"), 7, 120, ""},

    // Two bytes per character, no mark.
    {"UTF-16BE declaration", wide(kDecl, true), 23, 0, "Shift_JIS"},
    {"UTF-16LE declaration", wide(kDecl, false), 23, 0, "Shift_JIS"},
    {"UTF-16BE no encoding", wide("<?xml version='1.0'?>", true), 13, 0, ""},
    {"UTF-16LE unknown name", wide("<?xml version='1.0' encoding='nonesuch'?>", false), 14, 0, "nonesuch"},
    {"UTF-16BE without declaration", wide("<?pi x?>", true), 0, 0, ""},
};

// The message of every error number.
const std::map<int, std::string> kMessages = {
    {10, "can't find 'version' between '<?xml' and '?>'."},
    {20, "version number pase error"},
    {30, "can't find \"'\"."},
    {40, "version number pase error"},
    {50, "can't find '\"'."},
    {60, "version number specification syntax error."},
    {70, "can't find space."},
    {80, "encoding name parse error"},
    {90, "can't find \"'\"."},
    {100, "encoding name parse error"},
    {110, "can't find '\"'."},
    {120, "encoding specification syntax error."},
    {130, "can't find '='."},
};

// The result does not depend on how the flow cuts its blocks, nor on a
// flow that cannot seek back over the four bytes of the signature.
TEST(XmlDetector, Table) {
    XmlDetector d;  // one detector for all: nothing may carry over
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        FixedMemIFlow in(c.input.data(), c.input.size());
        EXPECT_EQ(d.detect(in), c.expected);
        EXPECT_EQ(d.lastErrorNumber(), c.error);
        EXPECT_EQ(d.lastErrorMessage(), c.error ? kMessages.at(c.error) : "");
        EXPECT_EQ(std::string(d.encodingName().data(), d.encodingName().size()), c.name);
        for (auto chunks : {std::vector<std::size_t>{1}, std::vector<std::size_t>{3, 2}}) {
            ChunkedIFlow pieces(c.input, chunks);
            EXPECT_EQ(XmlDetector().detect(pieces), c.expected);
        }
    }
}

TEST(XmlDetector, StateAndFlows) {
    // Reset restores the initial state.
    XmlDetector d;
    std::string utf16 = wide("<?xml version='1.0' encoding='zzz'?>", false);
    FixedMemIFlow a(utf16.data(), utf16.size());
    EXPECT_EQ(d.detect(a), 14);
    EXPECT_EQ(d.mode(), XmlDetector::kUtf16Le);
    EXPECT_TRUE(d.reset());
    EXPECT_EQ(d.mode(), XmlDetector::kOneByte);
    EXPECT_TRUE(d.encodingName().empty());

    // A name longer than any in the table is not kept in full.
    std::string s = "<?xml version='1.0' encoding='" + std::string(100000, 'a') + "'?>";
    FixedMemIFlow longName(s.data(), s.size());
    EXPECT_EQ(d.detect(longName), 7);
    EXPECT_TRUE(d.encodingName().empty());
    EXPECT_LE(d.encodingName().capacity(), 2 * XmlDetector::kMaxName);

    // A failing flow: what was read before the failure counts.
    ChunkedIFlow failsInName(kDecl, {5}, 33);
    EXPECT_EQ(XmlDetector().detect(failsInName), 7);
    ChunkedIFlow failsEarly(kDecl, {5}, 2);
    EXPECT_EQ(XmlDetector().detect(failsEarly), 0);

    // Detection starts where the stream stands, not at the start of the file.
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::string text = "garbage<?xml version='1.0' encoding='euc-jp'?>";
    std::fwrite(text.data(), 1, text.size(), f);
    std::fseek(f, 7, SEEK_SET);
    FileIFlow in(f);
    EXPECT_EQ(XmlDetector().detect(in), 22);
    std::fclose(f);
}

} // namespace
