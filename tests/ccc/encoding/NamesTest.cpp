#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/CeIdTable.h"
#include "ccc/encoding/CenDictionary.h"
#include "ccc/encoding/Iceman.h"

using namespace CCC;

namespace {
void start() { ASSERT_TRUE(Ccc::initialize()); }
} // namespace

TEST(Names, Lookups) {
    start();
    struct Case {
        const char* name;
        CeId id;
    };
    const Case cases[] = {
        {"SJIS", 23},         {"shift_jis", 23},   {"Shift_JIS", 23},     {"UTF8N", 8},
        {"utf-8", 7},         {"UTF-16", 9},       {"utf-16n", 10},       {"EUCJP", 22},
        {"eucjp-ms", 38},     {"ms932", 37},       {"CP932", 37},         {"Windows-1252", 39},
        {"unicode-1-1-utf-7", 6}, {"ja-auto", 40}, {"HTML-DETECTOR", 42}, {"utf-16le+bom", 16},
        {"us-ascii", 1},      {"ucs4", 4},         {"ISO-8859-15", 36},   {"iso-8859-10", 33},
        // not in the table
        {"", 0},              {"shift-jis", 0},    {"utf-8 ", 0},         {" utf-8", 0},
        {"utf", 0},           {"utf-8nn", 0},      {"iso-8859-11", 0},    {"sjis\xC3\xA9", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Iceman::stringToCeId(c.name), c.id) << c.name;
        EXPECT_EQ(Iceman::stringToCeId(std::string(c.name)), c.id) << c.name;
        EXPECT_EQ(Iceman::stringToCeId(TString<char>::fromAscii(c.name)), c.id) << c.name;
    }
    EXPECT_EQ(Iceman::stringToCeId(static_cast<const char*>(nullptr)), 0);
    // Folding is for ASCII letters only: 'S' and 's' meet, '_' and '-' do not.
    EXPECT_EQ(Iceman::stringToCeId(std::string_view("sjis\0", 5)), 0);
}

TEST(Names, EveryNameFindsItsIdentifier) {
    start();
    EXPECT_EQ(Iceman::getCenDictionary()->size(), 61u);
    ASSERT_EQ(CeIdTable::nameCount(), 61u);
    std::set<CeId> named;
    CeId previous = 0;
    for (std::size_t i = 0; i < CeIdTable::nameCount(); ++i) {
        const CeIdName& n = CeIdTable::names()[i];
        EXPECT_GE(n.id, previous) << "table order";
        previous = n.id;
        named.insert(n.id);
        EXPECT_EQ(Iceman::stringToCeId(n.name), n.id) << n.name;
        std::string upper(n.name);
        for (char& ch : upper)
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
        EXPECT_EQ(Iceman::stringToCeId(upper), n.id) << upper;
    }
    EXPECT_EQ(named.size(), 42u);  // 1-42, each with at least one name
}

TEST(Names, CanonicalNamesWidthsAndPartners) {
    struct Case {
        CeId id;
        const char* name;  // nullptr: none
        IOType ioType;     // Iceman::getIOType
        IOType width;      // the table's width (0 swapped, 8 detector)
        CeId partner;
    };
    const Case cases[] = {
        {0, nullptr, 0, 0, 0},          {1, "us-ascii", 1, 1, 0},     {2, "ucs2-le", 2, 2, 0},
        {3, "ucs2-be", 0, 0, 2},        {4, "ucs4-le", 4, 4, 0},      {5, "ucs4-be", 0, 0, 4},
        {6, "utf-7", 1, 1, 0},          {7, "utf-8", 1, 1, 0},        {8, "utf-8n", 1, 1, 0},
        {9, "utf-16", 2, 2, 0},         {10, "utf-16n", 2, 2, 0},     {11, "utf-32", 4, 4, 0},
        {12, "utf-32n", 4, 4, 0},       {13, "utf-16be", 0, 0, 9},    {14, "utf-16le", 2, 2, 0},
        {15, "utf-16be+bom", 0, 0, 9},  {16, "utf-16le+bom", 2, 2, 0}, {17, "utf-32be", 0, 0, 11},
        {18, "utf-32le", 4, 4, 0},      {19, "utf-32be+bom", 0, 0, 11}, {20, "utf-32le+bom", 4, 4, 0},
        {21, "iso-2022-jp", 1, 1, 0},   {22, "euc-jp", 1, 1, 0},      {23, "Shift_JIS", 1, 1, 0},
        {24, "iso-8859-1", 1, 1, 0},    {36, "iso-8859-15", 1, 1, 0}, {37, "cp932", 1, 1, 0},
        {38, "EUC-JP-MS", 1, 1, 0},     {39, "windows-1252", 1, 1, 0}, {40, "ja-detector", 0, 8, 0},
        {41, "xml-detector", 0, 8, 0},  {42, "html-detector", 0, 8, 0}, {43, nullptr, 0, 0, 0},
        {-1, nullptr, 0, 0, 0},         {65536, nullptr, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const char* name = Iceman::ceIdToString(c.id);
        if (c.name) {
            EXPECT_STREQ(name, c.name) << c.id;
        } else {
            EXPECT_EQ(name, nullptr) << c.id;
        }
        EXPECT_EQ(Iceman::getIOType(c.id), c.ioType) << c.id;
        EXPECT_EQ(CeIdTable::unitWidth(c.id), c.width) << c.id;
        EXPECT_EQ(Iceman::getSwapPartner(c.id), c.partner) << c.id;
    }
    for (CeId id = 25; id <= 35; ++id) EXPECT_EQ(Iceman::getIOType(id), kIO8) << id;
}
