// The three detectors over the cases in tests/data/ccc/detect-cases.txt, and
// how they read their flows.

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "ccc/detect/DetectorFactory.h"
#include "ccc/detect/HtmlDetector.h"
#include "ccc/detect/XmlDetector.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "support/Corpus.h"
#include "support/LibraryStartup.h"
#include "support/ShortBlockFlow.h"

using namespace CCC;
using qmtest::bytesOf;
using Blocks = qmtest::ShortBlockIFlow<char>;

namespace {

// An input field: escapes, and after "u16be:" or "u16le:" two bytes a byte.
std::string input(const std::string& field) {
    const bool be = field.rfind("u16be:", 0) == 0, le = field.rfind("u16le:", 0) == 0;
    const std::string bytes = qmtest::unescape(be || le ? field.substr(6) : field);
    if (!be && !le) return bytes;
    std::string wide;
    for (char c : bytes) wide += be ? std::string{'\0', c} : std::string{c, '\0'};
    return wide;
}

CeId detectorId(const std::string& name) { return name == "ja" ? 40 : name == "xml" ? 41 : 42; }

CeId detectAll(CeId id, const std::string& s) {
    FixedMemIFlow in(s.data(), s.size());
    return runDetector(id, in);
}

TEST(Detectors, Corpus) {
    XmlDetector xml;  // one for every case: nothing may carry over
    for (const auto& line : qmtest::readCorpus("ccc/detect-cases.txt")) {
        SCOPED_TRACE(line.where);
        ASSERT_EQ(line.fields.size(), 4u);
        const CeId id = detectorId(line.fields[0]), expected = std::stoi(line.fields[1]);
        const std::string& read = line.fields[2];
        const std::string s = input(line.fields[3]);
        EXPECT_EQ(detectAll(id, s), expected);

        // Whatever the blocks, with a file's end or a count of 0 at the end.
        for (const Blocks::Options& o : {Blocks::Options{{1}}, Blocks::Options{{3, 1, 5000, 2}, 0, true},
                                         Blocks::Options{{9}, 77}}) {
            Blocks pieces(bytesOf(s), o);
            EXPECT_EQ(runDetector(id, pieces), expected);
        }
        // A failing flow ends detection as the end of data does.
        Blocks failing(bytesOf(s), {{5}, 0, false, s.size() / 2});
        EXPECT_EQ(runDetector(id, failing), detectAll(id, s.substr(0, s.size() / 2)));

        if (id == 42) {
            EXPECT_EQ(HtmlDetector::scan(s), expected);
        }
        if (id != 41) continue;
        FixedMemIFlow in(s.data(), s.size());
        EXPECT_EQ(xml.detect(in), expected);
        const bool failed = read[0] == '#';
        const std::size_t space = read.find(' ');
        EXPECT_EQ(xml.lastErrorNumber(), failed ? std::stoi(read.substr(1, space)) : 0);
        EXPECT_EQ(xml.lastErrorMessage(), failed ? read.substr(space + 1) : "");
        EXPECT_EQ(std::string(xml.encodingName().data(), xml.encodingName().size()),
                  failed || read == "-" ? "" : read);
    }
    for (CeId none : {0, 1, 23, 39, 43, -1}) EXPECT_EQ(detectAll(none, "\x82\xA0"), 0) << none;
}

// Block reads and bulk skipping give what a unit at a time gives, wherever
// the blocks split the deciding bytes.
TEST(Detectors, JapaneseSameResultWhateverTheBlocks) {
    const char alphabet[] = "\x1B$B@\x8E\x8F\xA1\xA4\xE0\xEF\xFE\xFD\x40\x20\x81\xFC\xB1\xEE";
    std::mt19937 rng(12345);
    for (unsigned round = 0; round < 2000; ++round) {
        // A long ASCII run pushes the deciding bytes across the reader's blocks.
        std::string s(round % 3 == 0 ? 8190 + round % 7 : round % 11, 'x');
        for (unsigned i = 0, n = 1 + rng() % 6; i < n; ++i)
            s.push_back(round % 2 ? alphabet[rng() % (sizeof alphabet - 1)] : static_cast<char>(rng()));
        Blocks ones(bytesOf(s), {{1}}), mixed(bytesOf(s), {{3, 1, 5000, 2}, round + 1});
        const CeId expected = detectAll(40, s);
        EXPECT_EQ(runDetector(40, ones), expected) << round;
        EXPECT_EQ(runDetector(40, mixed), expected) << round;
    }
}

TEST(Detectors, FlowsTheyCannotRead) {
    unsigned short wide[] = {0x82A0, 0xA4A2};
    for (CeId id : {40, 41, 42}) {
        TFixedMemIFlow<unsigned short> w(wide, 2);
        FixedMemIFlow closed(nullptr, 0);
        EXPECT_EQ(runDetector(id, w), 0) << id;
        EXPECT_EQ(runDetector(id, closed), 0) << id;
    }
}

TEST(Detectors, XmlStateLongNamesAndStreamPosition) {
    XmlDetector d;
    const std::string utf16 = input("u16le:<?xml version='1.0' encoding='zzz'?>");
    FixedMemIFlow a(utf16.data(), utf16.size());
    EXPECT_EQ(d.detect(a), 14);
    EXPECT_EQ(d.mode(), XmlDetector::kUtf16Le);
    EXPECT_TRUE(d.reset());
    EXPECT_EQ(d.mode(), XmlDetector::kOneByte);
    EXPECT_TRUE(d.encodingName().empty());

    // A name longer than any in the table is not kept.
    const std::string s = "<?xml version='1.0' encoding='" + std::string(100000, 'a') + "'?>";
    FixedMemIFlow longName(s.data(), s.size());
    EXPECT_EQ(d.detect(longName), 7);
    EXPECT_TRUE(d.encodingName().empty());
    EXPECT_LE(d.encodingName().capacity(), 2 * XmlDetector::kMaxName);

    // Detection starts where the stream stands.
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fputs("garbage<?xml version='1.0' encoding='euc-jp'?>", f);
    std::fseek(f, 7, SEEK_SET);
    FileIFlow in(f);
    EXPECT_EQ(runDetector(41, in), 22);
    std::fclose(f);
}

} // namespace
