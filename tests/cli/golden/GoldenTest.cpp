// Manuscripts in, XHTML out, through `quillmark convert`: every manuscript
// NAME.txt under tests/golden/ is converted with the options in NAME.args
// (if any); each output NAME.html, NAME1.html, ... must equal NAME.xhtml,
// NAME1.xhtml, ... (held without the UTF-8 mark and with LF line ends,
// after checking that every line ends in CR LF), the warnings on standard
// error must equal NAME.log (empty when there is none), only the chosen
// built-in style sheet is copied, and every output is well-formed XML.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/Xmllint.h"

namespace {

using namespace qmtest;

const fs::path kGolden = fs::path(QM_TEST_DIR) / "golden";
const char* const kSheets[] = {"yoko.css", "tate.css", "yoko_check.css", "tate_check.css"};

std::vector<std::string> manuscripts() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kGolden))
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string fileOrEmpty(const fs::path& path) {
    std::string s = fs::exists(path) ? readBytes(path) : "";
    while (!s.empty() && s.back() == '\n') s.pop_back();
    return s;
}

// The written bytes as the golden files hold them; `crlf` is false when
// some LF was not preceded by CR.
std::string normalised(const std::string& bytes, bool& crlf) {
    const std::string s = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes;
    std::string out;
    crlf = true;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) crlf = false;
        out += s[i];
    }
    return out;
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, ConvertsToTheExpectedDocuments) {
    const std::string name = GetParam();
    Scratch scratch("golden");
    // Stand-in sheets, so that copying can be checked.
    fs::create_directories(scratch / "data");
    for (const char* sheet : kSheets) writeBytes(scratch / "data" / sheet, std::string("/* ") + sheet + " */\n");
    fs::copy_file(kGolden / (name + ".txt"), scratch / (name + ".txt"));
    const std::string args = fileOrEmpty(kGolden / (name + ".args"));

    const ToolRun run = runQuillmark(scratch.dir(), "convert " + args + " " + name + ".txt", "QUILLMARK_DATA_DIR=data");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, fs::exists(kGolden / (name + ".log")) ? readBytes(kGolden / (name + ".log")) : "");

    std::string listed, quoted;
    for (int part = 0;; ++part) {
        const std::string stem = name + (part ? std::to_string(part) : "");
        const fs::path expected = kGolden / (stem + ".xhtml"), written = scratch / (stem + ".html");
        if (!fs::exists(expected)) {
            EXPECT_FALSE(fs::exists(written)) << "unexpected output " << written;
            break;
        }
        bool crlf = false;
        EXPECT_EQ(normalised(readBytes(written), crlf), readBytes(expected)) << stem;
        EXPECT_TRUE(crlf) << stem << ": every line ends in CR LF";
        listed += stem + ".html\n";
        quoted += " " + shellQuote(written.string());
    }
    EXPECT_EQ(run.out, listed) << "the outputs are listed on standard output";

    for (const char* sheet : kSheets) {
        std::string option(sheet, std::string(sheet).size() - 4);
        std::replace(option.begin(), option.end(), '_', '-');
        EXPECT_EQ(fs::exists(scratch / sheet), args.find("--style " + option) != std::string::npos &&
                                                    args.find("--style " + option + "-") == std::string::npos)
            << sheet;
    }
    const XmlCheck xml = xmllint(quoted);
    EXPECT_TRUE(xml.wellFormed) << xml.diagnostics;
}

INSTANTIATE_TEST_SUITE_P(Manuscripts, Golden, testing::ValuesIn(manuscripts()), [](const auto& info) {
    std::string id = info.param;
    std::replace(id.begin(), id.end(), '-', '_');
    return id;
});

} // namespace
