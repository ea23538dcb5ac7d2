// Every BMP character encoded between ASCII neighbours gives bytes that
// Python's strict codec of the same encoding reads back as that character
// or as nothing (dropped), with the neighbours intact.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"

using namespace CCC;

namespace {

struct Encoding {
    CeId id;
    const char* codec;
    const char* excluded;  // code points where our tables differ by design
};

const Encoding kEncodings[] = {
    {1, "ascii", ""},
    {6, "utf_7", ""},
    {8, "utf_8", ""},
    {21, "iso2022_jp", ""},
    // EUC-JP writes the yen sign and overline as JIS-Roman bytes, read back
    // through Shift_JIS; Python reads them as ASCII.
    {22, "euc_jp", "A5 203E"},
    // Shift_JIS: JIS-Roman 0x5C and 0x7E, and 0x815F for the backslash.
    {23, "shift_jis", "5C A5 203E"},
    {24, "iso8859_1", ""}, {25, "iso8859_2", ""}, {26, "iso8859_3", ""}, {27, "iso8859_4", ""},
    {28, "iso8859_5", ""}, {29, "iso8859_6", ""}, {30, "iso8859_7", ""},
    {31, "iso8859_8", "203E"},  // 0xAF is the overline here, the macron in Python
    {32, "iso8859_9", ""}, {33, "iso8859_10", ""}, {34, "iso8859_13", ""}, {35, "iso8859_14", ""},
    {36, "iso8859_15", ""},
    {37, "cp932", ""},
    // EUC-JP-MS is cp932 moved to EUC by arithmetic; the nearest Python codec
    // is euc_jis_2004, which holds NEC row 13 except 0xADF4 (n-ary sum) and
    // reads the codes where cp932 and JIS X 0208 map differently (wave dash,
    // minus, ...) the JIS way.
    {38, "euc_jis_2004", "2211 2225 FF0D FF5E FFE0 FFE1"},
    {39, "cp1252", ""},
};

bool havePython() { return std::system("python3 -c '' >/dev/null 2>&1") == 0; }

TEST(StrictDecode, EveryBmpCharacterAloneBetweenAsciiNeighbours) {
    if (!havePython()) GTEST_SKIP() << "python3 is not installed";
    ASSERT_TRUE(Ccc::initialize());
    TString<unsigned short> text;
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        if (c == 0x0A || (c >= 0xD800 && c <= 0xDFFF)) continue;
        for (unsigned short u : {unsigned('"'), c, unsigned('$'), unsigned('B'), unsigned('"'), 0x0Au})
            text.push_back(u);
    }
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("qm-strict-" + std::to_string(::getpid()));
    const std::string script = std::string(QM_TEST_DIR) + "/ccc/encoding/strict_decode.py";
    for (const Encoding& e : kEncodings) {
        TString<char> bytes;
        ASSERT_TRUE(Iceman::convertString<char>(2, e.id, &text, &bytes)) << e.codec;
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::string command = "python3 '" + script + "' " + e.codec + " '" + file.string() + "' " + e.excluded + " 2>&1";
        std::FILE* p = popen(command.c_str(), "r");
        ASSERT_NE(p, nullptr);
        std::string report;
        char buf[512];
        while (std::fgets(buf, sizeof buf, p)) report += buf;
        EXPECT_EQ(0, pclose(p)) << report;
    }
    std::filesystem::remove(file);
}

} // namespace
