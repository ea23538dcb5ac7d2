// Every byte of the single-byte encodings both ways against glibc iconv.
#include <map>
#include <optional>

#include "../unicode/PumpKit.h"

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

} // namespace
