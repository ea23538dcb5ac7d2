#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "../unicode/PumpKit.h"
#include "ccc/encoding/UnitFilterFactories.h"
#include "ccc/single_byte/Cp1252Filters.h"
#include "ccc/single_byte/Iso8859Filters.h"

using namespace qmtest;

namespace {

const int kParts[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14, 15};

// Where the tables deliberately differ from the published mappings (and
// from glibc): byte -> code point, nullopt = unassigned.
std::map<unsigned int, std::optional<unsigned int>> overrides(int part) {
    if (part == 7) return {{0xA4, std::nullopt}, {0xA5, std::nullopt}, {0xAA, std::nullopt}};
    if (part == 8) return {{0xAF, 0x203E}, {0xFD, std::nullopt}, {0xFE, std::nullopt}};
    return {};
}

// The byte -> code point map of a charset by glibc, with our overrides.
std::map<unsigned int, unsigned int> referenceDecode(const char* charset, int part) {
    std::map<unsigned int, unsigned int> m;
    Iconv cd("UTF-32LE", charset);
    EXPECT_TRUE(cd.okP()) << charset;
    for (unsigned int b = 0; b < 256; ++b)
        if (auto out = cd.run(Bytes(1, static_cast<char>(b))); out && out->size() == 4) m[b] = unitsOf<unsigned int>(*out)[0];
    for (auto [b, cp] : overrides(part)) {
        if (cp) m[b] = *cp;
        else m.erase(b);
    }
    return m;
}

// glibc's encoding of every BMP character outside the surrogates, one at a
// time, as (code point, byte) pairs in code point order.
std::vector<std::pair<unsigned int, unsigned int>> iconvEncodeAll(const char* charset) {
    std::vector<std::pair<unsigned int, unsigned int>> pairs;
    Iconv cd(charset, "UTF-16LE");
    EXPECT_TRUE(cd.okP()) << charset;
    for (unsigned int cp = 0; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        auto out = cd.run(bytesOf(std::vector<unsigned short>{static_cast<unsigned short>(cp)}));
        if (out && out->size() == 1) pairs.emplace_back(cp, static_cast<unsigned char>((*out)[0]));
    }
    return pairs;
}

Values upTo(unsigned int end) {
    Values v(end);
    for (unsigned int u = 0; u < end; ++u) v[u] = u;
    return v;
}

TEST(SingleByteAgainstIconv, EveryByteOfEveryPartBothWays) {
    for (int i = 0; i < 13; ++i) {
        int part = kParts[i];
        std::string charset = "ISO-8859-" + std::to_string(part);
        auto ref = referenceDecode(charset.c_str(), part);

        // Decode: all 256 bytes in one stream; unassigned bytes vanish.
        Values expected;
        for (auto [b, cp] : ref) expected.push_back(cp);
        EXPECT_EQ(pump({57 + i}, upTo(0x100)), expected) << charset;

        // Encode: every 16-bit unit in one stream; unmapped units vanish.
        std::map<unsigned int, unsigned int> inverse;
        for (auto [cp, b] : iconvEncodeAll(charset.c_str())) inverse[cp] = b;
        for (auto [b, cp] : overrides(part)) {
            for (auto it = inverse.begin(); it != inverse.end();)
                it = it->second == b ? inverse.erase(it) : std::next(it);
            if (cp) inverse[*cp] = b;
        }
        Values encoded;
        for (auto [cp, b] : inverse) encoded.push_back(b);
        EXPECT_EQ(pump({96 + i}, upTo(0x10000)), encoded) << charset;
        EXPECT_EQ(inverse.size(), ref.size()) << charset;
    }
}

TEST(SingleByteAgainstIconv, Windows1252BothWays) {
    auto ref = referenceDecode("CP1252", 0);
    ASSERT_EQ(ref.size(), 251u);
    // Decode: controls and 0x7F pass, unassigned bytes give U+FFFF.
    Values expected;
    for (unsigned int b = 0; b < 256; ++b) {
        if (b < 0x20 || b == 0x7F) expected.push_back(b);
        else expected.push_back(ref.count(b) ? ref[b] : 0xFFFF);
    }
    EXPECT_EQ(pump({111}, upTo(0x100)), expected);

    Values encoded;
    for (auto [cp, b] : iconvEncodeAll("CP1252")) encoded.push_back(b);
    EXPECT_EQ(pump({112}, upTo(0x10000)), encoded);
}

TEST(SingleByteTables, CountsAndSamples) {
    const std::map<int, int> counts = {{3, 249}, {6, 211}, {7, 250}, {8, 218}};
    for (int part : kParts) {
        const unsigned short* decode = CCC::iso8859DecodeTable(part);
        const CCC::BitmapTrie* encode = CCC::iso8859EncodeTrie(part);
        ASSERT_TRUE(decode && encode);
        int decoded = 0, encoded = 0;
        for (int b = 0; b < 256; ++b) decoded += decode[b] != 0xFFFF;
        for (unsigned int u = 0; u < 0x10000; ++u) encoded += encode->lookup(u) != 0xFFFF;
        int want = counts.count(part) ? counts.at(part) : 256;
        EXPECT_EQ(decoded, want) << part;
        EXPECT_EQ(encoded, want) << part;
        for (unsigned int b = 0; b < 0x20; ++b) EXPECT_EQ(decode[b], b) << part;
        for (unsigned int b = 0x80; b < 0xA0; ++b) EXPECT_EQ(decode[b], b) << part;
    }
    EXPECT_EQ(CCC::iso8859DecodeTable(11), nullptr);
    EXPECT_EQ(CCC::iso8859EncodeTrie(16), nullptr);
    EXPECT_EQ(CCC::cp1252EncodeTrie().lookup(0x20AC), 0x80);
    EXPECT_EQ(CCC::cp1252DecodeTrie().lookup(0x81), 0xFFFF);
    EXPECT_EQ(CCC::cp1252EncodeTrie().lookup(0x10000), 0xFFFF);
}

struct Case {
    const char* name;
    int filter;
    int inWidth;
    Values in;
    int outWidth;
    Values out;
};

const Case kCases[] = {
    {"8859-15 0xA4 is the euro", 69, 1, {0xA4}, 2, {0x20AC}},
    {"8859-7 0xA4 dropped", 63, 1, {0x41, 0xA4, 0xA5, 0xAA, 0x42}, 2, {0x41, 0x42}},
    {"8859-8 0xAF is the overline", 64, 1, {0xAF, 0xFD, 0xFE}, 2, {0x203E}},
    {"8859-8 encodes the overline", 103, 2, {0x203E, 0xAF, 0x200E}, 1, {0xAF}},
    {"8859-7 does not encode the euro", 102, 2, {0x20AC, 0x41}, 1, {0x41}},
    {"8859-1 drops what it lacks", 96, 2, {0xE9, 0x3042, 0x100}, 1, {0xE9}},
    {"8859-3 unassigned byte dropped", 59, 1, {0xA5, 0xA6}, 2, {0x0124}},
    {"8859 to us-ascii", 70, 1, {0x41, 0x80, 0xFF, 0x7F}, 1, {0x41, 0x7F}},
    {"us-ascii to 8859", 95, 1, {0xE9, 0x0A}, 1, {0x0A}},
    {"cp1252 unassigned gives U+FFFF", 111, 1, {0x80, 0x81, 0x0D}, 2, {0x20AC, 0xFFFF, 0x0D}},
    {"cp1252 encodes controls, drops the rest", 112, 2, {0x0D, 0x7F, 0x20AC, 0x81, 0x3042}, 1, {0x0D, 0x7F, 0x80}},
};

TEST(SingleByteEdgeCases, Table) {
    for (const Case& c : kCases)
        for (ReadMode mode : kModes) EXPECT_EQ(pump({c.filter}, c.in, mode, 3), c.out) << c.name;
}

TEST(SingleByteFilters, FactoryWidthsAndBlockPathEqualsUnitPath) {
    std::mt19937 rng(9);
    for (int n = 57; n <= 112; ++n) {
        std::unique_ptr<CCC::IFilter> f(CCC::createSingleByteUnitFilter(n));
        if (n == 109 || n == 110) {
            EXPECT_EQ(f, nullptr);
            continue;
        }
        ASSERT_NE(f, nullptr) << n;
        bool fromUcs2 = (n >= 96 && n <= 108) || n == 112;
        bool toUcs2 = (n >= 57 && n <= 69) || n == 111;
        EXPECT_EQ(f->getSrcIOTypeMask(), fromUcs2 ? CCC::kIO16 : CCC::kIO8) << n;
        EXPECT_EQ(f->getIOType(), toUcs2 ? CCC::kIO16 : CCC::kIO8) << n;
        for (int round = 0; round < 5; ++round) {
            Values in;
            for (std::size_t i = rng() % 400; i > 0; --i)
                in.push_back(fromUcs2 ? (rng() % 2 ? rng() % 0x100 : rng() % 0x10000) : rng() % 0x100);
            Values byUnits = pump({n}, in, ReadMode::Units, 1);
            unsigned seed = static_cast<unsigned>(rng());
            EXPECT_EQ(pump({n}, in, ReadMode::Blocks, seed), byUnits) << n;
            EXPECT_EQ(pump({n}, in, ReadMode::Mixed, seed), byUnits) << n;
        }
    }
    for (int n : {0, 44, 56, 113}) EXPECT_EQ(CCC::createSingleByteUnitFilter(n), nullptr);
    std::unique_ptr<CCC::IFilter> d(CCC::createSingleByteUnitFilter(66));
    EXPECT_NE(dynamic_cast<CCC::From8859_10ToUcs2*>(d.get()), nullptr);
    std::unique_ptr<CCC::IFilter> e(CCC::createSingleByteUnitFilter(108));
    EXPECT_NE(dynamic_cast<CCC::FromUcs2To8859_15*>(e.get()), nullptr);
    std::unique_ptr<CCC::IFilter> a(CCC::createSingleByteUnitFilter(82));
    auto* toAscii = dynamic_cast<CCC::From8859_xToUsAscii*>(a.get());
    ASSERT_NE(toAscii, nullptr);
    EXPECT_EQ(toAscii->getPart(), 15);
}

} // namespace
