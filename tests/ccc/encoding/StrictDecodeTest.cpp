// Every BMP character encoded between ASCII neighbours gives bytes that
// Python's strict codec of the same encoding reads back as that character
// or as nothing (dropped), with the neighbours intact; the encodings are in
// tests/data/ccc/strict-decode.txt.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ccc/encoding/Iceman.h"
#include "support/Corpus.h"
#include "support/Files.h"
#include "support/LibraryStartup.h"

using namespace CCC;

TEST(StrictDecode, EveryBmpCharacterAloneBetweenAsciiNeighbours) {
    if (std::system("python3 -c '' >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 is not installed";
    TString<unsigned short> text;
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        if (c == 0x0A || (c >= 0xD800 && c <= 0xDFFF)) continue;
        for (unsigned short u : {unsigned('"'), c, unsigned('$'), unsigned('B'), unsigned('"'), 0x0Au})
            text.push_back(u);
    }
    qmtest::Scratch scratch("strict");
    const std::string file = scratch.file("encoded");
    const std::string script = std::string(QM_TEST_DIR) + "/ccc/encoding/strict_decode.py";
    for (const auto& line : qmtest::readCorpus("ccc/strict-decode.txt")) {
        const std::string& codec = line.fields.at(1);
        TString<char> bytes;
        ASSERT_TRUE(Iceman::convertString<char>(2, std::stoi(line.fields[0]), &text, &bytes)) << codec;
        qmtest::writeBytes(file, std::string(bytes.data(), bytes.size()));
        const std::string command = "python3 " + qmtest::shellQuote(script) + " " + codec + " " +
                                    qmtest::shellQuote(file) + " " + (line.fields.size() > 2 ? line.fields[2] : "") +
                                    " 2>&1";
        std::FILE* p = popen(command.c_str(), "r");
        ASSERT_NE(p, nullptr);
        std::string report;
        char buf[512];
        while (std::fgets(buf, sizeof buf, p)) report += buf;
        EXPECT_EQ(0, pclose(p)) << line.where << "\n" << report;
    }
}
