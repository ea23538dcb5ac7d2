#include "CeIdTable.h"

#include <iterator>

namespace CCC {

namespace {

struct IdFacts {
    IOType width;
    CeId swapPartner;
};

// Indexed by identifier, 0-42.
constexpr IdFacts kFacts[] = {
    {0, 0},                                  // 0 none
    {1, 0}, {2, 0}, {0, 2}, {4, 0}, {0, 4},  // 1-5
    {1, 0}, {1, 0}, {1, 0},                  // 6-8
    {2, 0}, {2, 0}, {4, 0}, {4, 0},          // 9-12
    {0, 9}, {2, 0}, {0, 9}, {2, 0},          // 13-16
    {0, 11}, {4, 0}, {0, 11}, {4, 0},        // 17-20
    {1, 0}, {1, 0}, {1, 0},                  // 21-23
    {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0},  // 24-30
    {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0},          // 31-36
    {1, 0}, {1, 0}, {1, 0},                  // 37-39
    {8, 0}, {8, 0}, {8, 0},                  // 40-42
};
static_assert(std::size(kFacts) == CeIdTable::kLastId + 1);

constexpr CeIdName kNames[] = {
    {1, "us-ascii"},
    {2, "ucs2-le"}, {2, "ucs2"},
    {3, "ucs2-be"},
    {4, "ucs4-le"}, {4, "ucs4"},
    {5, "ucs4-be"},
    {6, "utf-7"}, {6, "utf7"}, {6, "unicode-1-1-utf-7"},
    {7, "utf-8"}, {7, "utf8"},
    {8, "utf-8n"}, {8, "utf8n"},
    {9, "utf-16"},
    {10, "utf-16n"},
    {11, "utf-32"},
    {12, "utf-32n"},
    {13, "utf-16be"},
    {14, "utf-16le"},
    {15, "utf-16be+bom"},
    {16, "utf-16le+bom"},
    {17, "utf-32be"},
    {18, "utf-32le"},
    {19, "utf-32be+bom"},
    {20, "utf-32le+bom"},
    {21, "iso-2022-jp"},
    {22, "euc-jp"}, {22, "x-euc-jp"}, {22, "ujis"}, {22, "eucJP"},
    {23, "Shift_JIS"}, {23, "sjis"},
    {24, "iso-8859-1"},
    {25, "iso-8859-2"},
    {26, "iso-8859-3"},
    {27, "iso-8859-4"},
    {28, "iso-8859-5"},
    {29, "iso-8859-6"},
    {30, "iso-8859-7"},
    {31, "iso-8859-8"},
    {32, "iso-8859-9"},
    {33, "iso-8859-10"},
    {34, "iso-8859-13"},
    {35, "iso-8859-14"},
    {36, "iso-8859-15"},
    {37, "cp932"}, {37, "SJIS-open"}, {37, "SJIS-win"}, {37, "MS932"},
    {38, "EUC-JP-MS"}, {38, "eucJP-MS"}, {38, "eucJP-open"}, {38, "eucJP-win"},
    {39, "windows-1252"}, {39, "cp1252"}, {39, "MS1252"},
    {40, "ja-detector"}, {40, "ja-auto"},
    {41, "xml-detector"},
    {42, "html-detector"},
};
static_assert(std::size(kNames) == 61);

// Index of each identifier's canonical name in kNames (-1: none).
struct CanonicalIndex {
    int at[CeIdTable::kLastId + 1];
    constexpr CanonicalIndex() : at() {
        for (int& i : at) i = -1;
        for (int i = int(std::size(kNames)) - 1; i >= 0; --i) at[kNames[i].id] = i;
    }
};
constexpr CanonicalIndex kCanonical;

bool inTable(CeId id) { return id >= 0 && id <= CeIdTable::kLastId; }

} // namespace

IOType CeIdTable::unitWidth(CeId id) { return inTable(id) ? kFacts[id].width : 0; }

IOType CeIdTable::ioType(CeId id) {
    IOType w = unitWidth(id);
    return (w == kIO8 || w == kIO16 || w == kIO32) ? w : 0;
}

CeId CeIdTable::swapPartner(CeId id) { return inTable(id) ? kFacts[id].swapPartner : kNone; }

const char* CeIdTable::canonicalName(CeId id) {
    if (!inTable(id) || kCanonical.at[id] < 0) return nullptr;
    return kNames[kCanonical.at[id]].name;
}

const CeIdName* CeIdTable::names() { return kNames; }
std::size_t CeIdTable::nameCount() { return std::size(kNames); }

} // namespace CCC
