// Manuscripts in, XHTML out, through `quillmark convert`: every manuscript
// NAME.txt under tests/golden/ is converted with the options in NAME.args
// (if any); each output NAME.html, NAME1.html, ... must equal NAME.xhtml,
// NAME1.xhtml, ... (compared without the UTF-8 mark, after checking that
// every line ends in CR LF), the warnings on standard error must equal
// NAME.log (empty when there is none), and every output must be
// well-formed XML.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "CliRun.h"

namespace {

using namespace cli_test;

const fs::path kGolden = fs::path(QM_TEST_DIR) / "golden";
const char* const kSheets[] = {"yoko.css", "tate.css", "yoko_check.css", "tate_check.css"};

std::vector<std::string> manuscripts() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kGolden))
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
    return s;
}

// The value of --style in an argument line, or "".
std::string styleOption(const std::string& args) {
    std::istringstream words(args);
    std::string word;
    while (words >> word)
        if (word == "--style" && words >> word) return word;
    return "";
}

// A data folder with stand-in style sheets, so that copying can be checked.
std::string makeDataFolder(const Scratch& scratch) {
    const fs::path data = scratch / "data";
    fs::create_directories(data);
    for (const char* sheet : kSheets) writeBytes(data / sheet, std::string("/* ") + sheet + " */\n");
    return "QUILLMARK_DATA_DIR=" + quote(data.string());
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, ConvertsToTheExpectedDocuments) {
    const std::string name = GetParam();
    Scratch scratch("golden");
    const std::string env = makeDataFolder(scratch);
    fs::copy_file(kGolden / (name + ".txt"), scratch / (name + ".txt"));
    const fs::path argsFile = kGolden / (name + ".args");
    const std::string args = fs::exists(argsFile) ? trimmed(readBytes(argsFile)) : "";

    const ToolRun run = scratch.quillmark("convert " + args + " " + name + ".txt", env);
    ASSERT_EQ(run.status, 0) << run.err;

    const fs::path expectedLog = kGolden / (name + ".log");
    EXPECT_EQ(run.err, fs::exists(expectedLog) ? readBytes(expectedLog) : "");

    std::string listed, quoted;
    for (int part = 0;; ++part) {
        const std::string stem = name + (part ? std::to_string(part) : "");
        const fs::path expected = kGolden / (stem + ".xhtml");
        const fs::path written = scratch / (stem + ".html");
        if (!fs::exists(expected)) {
            EXPECT_FALSE(fs::exists(written)) << "unexpected output " << written;
            break;
        }
        ASSERT_TRUE(fs::exists(written)) << "missing output " << written;
        const std::string bytes = readBytes(written);
        EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << "utf-8 output starts with its mark";
        bool crlf = false;
        EXPECT_EQ(normalised(bytes, crlf), readBytes(expected)) << stem;
        EXPECT_TRUE(crlf) << stem << ": every line ends in CR LF";
        listed += stem + ".html\n";
        quoted += " " + quote(written.string());
    }
    EXPECT_EQ(run.out, listed) << "the outputs are listed on standard output";

    // A built-in sheet lands next to the outputs; nothing else is copied.
    const std::string style = styleOption(args);
    for (const char* sheet : kSheets) {
        std::string option(sheet, std::string(sheet).size() - 4);
        std::replace(option.begin(), option.end(), '_', '-');
        EXPECT_EQ(fs::exists(scratch / sheet), option == style) << sheet;
    }

    std::string errors;
    const int lint = xmllint(quoted, errors, scratch.dir());
    if (lint >= 0) {
        EXPECT_EQ(lint, 0) << errors;
    }
}

INSTANTIATE_TEST_SUITE_P(Manuscripts, Golden, testing::ValuesIn(manuscripts()), [](const auto& info) {
    std::string id = info.param;
    std::replace(id.begin(), id.end(), '-', '_');
    return id;
});

} // namespace
