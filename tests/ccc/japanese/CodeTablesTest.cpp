// The generated code tables: sizes, the documented sample mappings, and an
// exhaustive comparison with Python's codecs (dumped separately into
// tests/data/japanese) and with glibc iconv.
#include <iconv.h>

#include <optional>

#include "JapaneseTestSupport.h"
#include "ccc/japanese/JapaneseCodeTables.h"

using namespace CCC;
using jptest::CodeMap;

namespace {

constexpr unsigned kUnmapped = BitmapTrie::kUnmapped;

CodeMap contents(const BitmapTrie& t) {
    CodeMap m;
    for (unsigned code = 0; code <= 0xFFFF; ++code)
        if (unsigned v = t.lookup(code); v != kUnmapped) m[code] = v;
    return m;
}

// Compares a whole table with the expected map; reports the first misses.
void expectTable(const char* name, const BitmapTrie& t, const CodeMap& expected) {
    int misses = 0;
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        auto it = expected.find(code);
        unsigned want = it == expected.end() ? kUnmapped : it->second;
        unsigned got = t.lookup(code);
        if (got != want && ++misses <= 10)
            ADD_FAILURE() << name << std::hex << ": 0x" << code << " gives 0x" << got << ", expected 0x" << want;
    }
    EXPECT_EQ(0, misses) << name;
}

// JIS X 0208 code of a Shift_JIS pair, written from the row/cell layout
// (two rows per lead byte) rather than the library's arithmetic.
unsigned jisOfSjis(unsigned code) {
    unsigned s1 = code >> 8, s2 = code & 0xFF;
    unsigned row = 2 * (s1 < 0xA0 ? s1 - 0x81 : s1 - 0xC1) + 1;
    unsigned cell;
    if (s2 >= 0x9F) {
        ++row;
        cell = s2 - 0x9E;
    } else {
        cell = s2 - (s2 >= 0x80 ? 0x40 : 0x3F);
    }
    return (row + 0x20) << 8 | (cell + 0x20);
}

bool ibmExtension(unsigned code) { return code >= 0xFA40 && code <= 0xFC4B; }

struct Expected {
    CodeMap sjis, cp932, ucsSjis, ucsCp932, ucsEuc, ucsIso;
};

// The tables as they follow from the raw codec dumps and the stated rules.
const Expected& expected() {
    static const Expected e = [] {
        Expected x;
        for (auto [code, u] : jptest::loadCodecDump("shift_jis.txt"))
            if (code > 0xFF || (code >= 0x20 && code <= 0x7E) || (code >= 0xA1 && code <= 0xDF)) x.sjis[code] = u;
        x.sjis[0x5C] = 0x00A5;
        x.sjis[0x7E] = 0x203E;
        x.sjis[0x815F] = 0x005C;
        for (auto [code, u] : jptest::loadCodecDump("cp932.txt"))
            if ((code > 0xFF && !(code >= 0xF040 && code <= 0xF9FC)) || code <= 0x7F || (code >= 0xA1 && code <= 0xDF))
                x.cp932[code] = u;
        for (auto [code, u] : x.sjis) {
            EXPECT_EQ(0u, x.ucsSjis.count(u)) << "Shift_JIS holds a character twice";
            x.ucsSjis[u] = code;
            if (code > 0xFF) {
                x.ucsEuc[u] = jisOfSjis(code);
                x.ucsIso[u] = jisOfSjis(code);
            } else if (code < 0x80) {
                x.ucsIso[u] = code;
            }
        }
        for (auto [code, u] : x.cp932) {  // ascending codes
            auto it = x.ucsCp932.find(u);
            if (it == x.ucsCp932.end() || (ibmExtension(code) && !ibmExtension(it->second))) x.ucsCp932[u] = code;
        }
        return x;
    }();
    return e;
}

struct TableRow {
    const char* name;
    const BitmapTrie& table;
    std::size_t count;
    const CodeMap Expected::*expected;
};

const TableRow kTables[] = {
    {"Shift_JIS -> UCS-2", sjisToUcs2Table, 7037, &Expected::sjis},
    {"cp932 -> UCS-2", cp932ToUcs2Table, 7915, &Expected::cp932},
    {"UCS-2 -> Shift_JIS", ucs2ToSjisTable, 7037, &Expected::ucsSjis},
    {"UCS-2 -> cp932", ucs2ToCp932Table, 7517, &Expected::ucsCp932},
    {"UCS-2 -> EUC-JP", ucs2ToEucJpTable, 6879, &Expected::ucsEuc},
    {"UCS-2 -> ISO-2022-JP", ucs2ToIso2022JpTable, 6974, &Expected::ucsIso},
};

TEST(JapaneseCodeTables, CountsAndPythonCodecs) {
    for (const TableRow& row : kTables) {
        EXPECT_EQ(row.count, contents(row.table).size()) << row.name;
        EXPECT_EQ(row.count, (expected().*row.expected).size()) << row.name << " (from the codec dump)";
        expectTable(row.name, row.table, expected().*row.expected);
    }
}

TEST(JapaneseCodeTables, SampleMappings) {
    struct Sample {
        const BitmapTrie& table;
        unsigned code, value;
    } const samples[] = {
        {sjisToUcs2Table, 0x5C, 0x00A5},   {sjisToUcs2Table, 0x7E, 0x203E},   {sjisToUcs2Table, 0x815F, 0x005C},
        {sjisToUcs2Table, 0x8160, 0x301C}, {sjisToUcs2Table, 0x817C, 0x2212}, {sjisToUcs2Table, 0x82A0, 0x3042},
        {sjisToUcs2Table, 0xB1, 0xFF71},   {sjisToUcs2Table, 0x8740, kUnmapped}, {sjisToUcs2Table, 0xED40, kUnmapped},
        {sjisToUcs2Table, 0xFCFC, kUnmapped}, {sjisToUcs2Table, 0x0A, kUnmapped}, {sjisToUcs2Table, 0xFA40, kUnmapped},
        {cp932ToUcs2Table, 0x5C, 0x005C},  {cp932ToUcs2Table, 0x7E, 0x007E},  {cp932ToUcs2Table, 0x815F, 0xFF3C},
        {cp932ToUcs2Table, 0x8160, 0xFF5E}, {cp932ToUcs2Table, 0x817C, 0xFF0D}, {cp932ToUcs2Table, 0x8191, 0xFFE0},
        {cp932ToUcs2Table, 0x8740, 0x2460}, {cp932ToUcs2Table, 0xED40, 0x7E8A}, {cp932ToUcs2Table, 0xFA40, 0x2170},
        {cp932ToUcs2Table, 0xFC4B, 0x9ED1}, {cp932ToUcs2Table, 0xF040, kUnmapped}, {cp932ToUcs2Table, 0xF9FC, kUnmapped},
        {cp932ToUcs2Table, 0x80, kUnmapped}, {cp932ToUcs2Table, 0xA0, kUnmapped}, {cp932ToUcs2Table, 0xFD, kUnmapped},
        {cp932ToUcs2Table, 0x0A, 0x0A},
        {ucs2ToSjisTable, 0x005C, 0x815F}, {ucs2ToSjisTable, 0x00A5, 0x5C}, {ucs2ToSjisTable, 0x203E, 0x7E},
        {ucs2ToSjisTable, 0x007E, kUnmapped}, {ucs2ToSjisTable, 0xFF5E, kUnmapped}, {ucs2ToSjisTable, 0x3042, 0x82A0},
        {ucs2ToCp932Table, 0x005C, 0x5C},  {ucs2ToCp932Table, 0x007E, 0x7E},  {ucs2ToCp932Table, 0xFF5E, 0x8160},
        {ucs2ToCp932Table, 0xFF0D, 0x817C}, {ucs2ToCp932Table, 0x2170, 0xFA40}, {ucs2ToCp932Table, 0x7E8A, 0xFA5C},
        {ucs2ToCp932Table, 0xFFE2, 0xFA54}, {ucs2ToCp932Table, 0x2235, 0xFA5B}, {ucs2ToCp932Table, 0x2160, 0xFA4A},
        {ucs2ToCp932Table, 0x221A, 0x81E3}, {ucs2ToCp932Table, 0x2252, 0x81E0}, {ucs2ToCp932Table, 0x22A5, 0x81DB},
        {ucs2ToCp932Table, 0x00A5, kUnmapped}, {ucs2ToCp932Table, 0xE000, kUnmapped},
        {ucs2ToEucJpTable, 0x3042, 0x2422}, {ucs2ToEucJpTable, 0x005C, 0x2140}, {ucs2ToEucJpTable, 0x00A5, kUnmapped},
        {ucs2ToEucJpTable, 0xFF71, kUnmapped},
        {ucs2ToIso2022JpTable, 0x3042, 0x2422}, {ucs2ToIso2022JpTable, 0x00A5, 0x5C}, {ucs2ToIso2022JpTable, 0x203E, 0x7E},
        {ucs2ToIso2022JpTable, 0x0041, 0x41}, {ucs2ToIso2022JpTable, 0x007E, kUnmapped}, {ucs2ToIso2022JpTable, 0xFF71, kUnmapped},
    };
    for (const Sample& s : samples) {
        EXPECT_EQ(s.value, s.table.lookup(s.code)) << std::hex << "code 0x" << s.code;
    }
    EXPECT_EQ(kUnmapped, sjisToUcs2Table.lookup(0x10000));
}

// ---- glibc iconv ----

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (okP()) iconv_close(cd_);
    }
    bool okP() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts the bytes; nullopt when iconv refuses any of them.
    std::optional<std::string> run(const std::string& in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char out[16];
        char* ip = const_cast<char*>(in.data());
        char* op = out;
        std::size_t il = in.size(), ol = sizeof out;
        if (iconv(cd_, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1) || il) return std::nullopt;
        return std::string(out, op);
    }

private:
    iconv_t cd_;
};

std::string bytesOf(unsigned code) {
    return code > 0xFF ? std::string{static_cast<char>(code >> 8), static_cast<char>(code)}
                       : std::string(1, static_cast<char>(code));
}

unsigned codeOf(const std::string& bytes) {
    unsigned code = 0;
    for (char c : bytes) code = code << 8 | static_cast<unsigned char>(c);
    return code;
}

// The one BMP character that iconv decodes `code` to, or kUnmapped.
unsigned iconvDecode(Iconv& cd, unsigned code) {
    auto r = cd.run(bytesOf(code));
    if (!r || r->size() != 2) return kUnmapped;
    return static_cast<unsigned char>((*r)[0]) | static_cast<unsigned char>((*r)[1]) << 8;
}

std::optional<unsigned> iconvEncode(Iconv& cd, unsigned u) {
    auto r = cd.run(std::string{static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)});
    if (!r || r->empty()) return std::nullopt;
    return codeOf(*r);
}

// Every code of the decoder scan: the kept single bytes and all pairs.
template <class F>
void forEachScanCode(bool cp932, F f) {
    for (unsigned b = cp932 ? 0x00 : 0x20; b <= 0xDF; ++b)
        if (b <= 0x7E || (cp932 && b == 0x7F) || b >= 0xA1) f(b);
    for (unsigned lead = 0x81; lead <= 0xFF; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFF; ++trail)
            if (!(cp932 && lead * 256 + trail >= 0xF040 && lead * 256 + trail <= 0xF9FC)) f(lead * 256 + trail);
}

TEST(JapaneseCodeTables, DecodersAgreeWithIconv) {
    Iconv sjis("UTF-16LE", "SHIFT_JIS"), cp932("UTF-16LE", "CP932");
    if (!sjis.okP() || !cp932.okP()) GTEST_SKIP() << "iconv lacks SHIFT_JIS or CP932";
    ASSERT_EQ(0x3042u, iconvDecode(sjis, 0x82A0));
    int differences = 0;
    forEachScanCode(false, [&](unsigned code) {
        unsigned want = code == 0x815F ? 0x005C : iconvDecode(sjis, code);  // the one stated difference
        if (sjisToUcs2Table.lookup(code) != want && ++differences <= 10)
            ADD_FAILURE() << std::hex << "Shift_JIS 0x" << code << ": iconv 0x" << want;
    });
    forEachScanCode(true, [&](unsigned code) {
        unsigned want = iconvDecode(cp932, code);
        if (cp932ToUcs2Table.lookup(code) != want && ++differences <= 10)
            ADD_FAILURE() << std::hex << "cp932 0x" << code << ": iconv 0x" << want;
    });
    EXPECT_EQ(0, differences);
}

TEST(JapaneseCodeTables, EncodersAgreeWithIconv) {
    Iconv sjis("SHIFT_JIS", "UTF-16LE"), cp932("CP932", "UTF-16LE"), euc("EUC-JP", "UTF-16LE");
    if (!sjis.okP() || !cp932.okP() || !euc.okP()) GTEST_SKIP() << "iconv lacks a Japanese encoding";
    ASSERT_EQ(0x82A0u, iconvEncode(cp932, 0x3042));
    int cp932Choices = 0;
    for (auto [u, code] : contents(ucs2ToSjisTable)) {
        // glibc keeps U+005C as the ASCII byte; here it is the full-width backslash.
        if (u != 0x5C) {
            EXPECT_EQ(code, iconvEncode(sjis, u).value_or(0)) << std::hex << "U+" << u;
        }
    }
    for (auto [u, code] : contents(ucs2ToEucJpTable)) {
        if (u != 0x5C) {
            EXPECT_EQ(code | 0x8080, iconvEncode(euc, u).value_or(0)) << std::hex << "U+" << u;
        }
    }
    for (auto [u, code] : contents(ucs2ToCp932Table)) {
        unsigned theirs = iconvEncode(cp932, u).value_or(0);
        if (theirs == code) continue;
        // Only a character held twice may differ, and only in the code chosen.
        ++cp932Choices;
        EXPECT_EQ(u, cp932ToUcs2Table.lookup(theirs)) << std::hex << "U+" << u;
        EXPECT_TRUE(ibmExtension(code)) << std::hex << "U+" << u;
    }
    EXPECT_LE(cp932Choices, 396);
}

} // namespace
