// The generated code tables: an exhaustive comparison with Python's codecs, dumped separately
// into tests/data/japanese.
#include <fstream>
#include <map>
#include <sstream>

#include "../unicode/PumpKit.h"
#include "ccc/japanese/JapaneseCodeTables.h"

using namespace CCC;
using CodeMap = std::map<unsigned, unsigned>;

namespace {

constexpr unsigned kUnmapped = BitmapTrie::kUnmapped;

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

// "CODE UNICODE" lines of a codec dump in tests/data/japanese.
CodeMap loadCodecDump(const char* name) {
    CodeMap m;
    std::ifstream in(std::string(QM_TEST_DIR) + "/data/japanese/" + name);
    EXPECT_TRUE(in.good()) << name;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        unsigned code = 0, u = 0;
        fields >> std::hex >> code >> u;
        m[code] = u;
    }
    return m;
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
        for (auto [code, u] : loadCodecDump("shift_jis.txt"))
            if (code > 0xFF || (code >= 0x20 && code <= 0x7E) || (code >= 0xA1 && code <= 0xDF)) x.sjis[code] = u;
        x.sjis[0x5C] = 0x00A5;
        x.sjis[0x7E] = 0x203E;
        x.sjis[0x815F] = 0x005C;
        for (auto [code, u] : loadCodecDump("cp932.txt"))
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
    const CodeMap Expected::*expected;
};

const TableRow kTables[] = {
    {"Shift_JIS -> UCS-2", sjisToUcs2Table, &Expected::sjis},
    {"cp932 -> UCS-2", cp932ToUcs2Table, &Expected::cp932},
    {"UCS-2 -> Shift_JIS", ucs2ToSjisTable, &Expected::ucsSjis},
    {"UCS-2 -> cp932", ucs2ToCp932Table, &Expected::ucsCp932},
    {"UCS-2 -> EUC-JP", ucs2ToEucJpTable, &Expected::ucsEuc},
    {"UCS-2 -> ISO-2022-JP", ucs2ToIso2022JpTable, &Expected::ucsIso},
};

TEST(JapaneseCodeTables, AgreeWithPythonCodecs) {
    for (const TableRow& row : kTables) expectTable(row.name, row.table, expected().*row.expected);
}

} // namespace
