#include <gtest/gtest.h>

#include <string>

#include "ccc/encoding/CeIdTable.h"
#include "ccc/encoding/CenDictionary.h"
#include "ccc/encoding/Iceman.h"
#include "support/Corpus.h"
#include "support/LibraryStartup.h"

using namespace CCC;

TEST(Names, Corpus) {
    for (const auto& line : qmtest::readCorpus("ccc/names.txt")) {
        SCOPED_TRACE(line.where);
        const std::string name = qmtest::unescape(line.fields.at(0));
        const CeId id = std::stoi(line.fields.at(1));
        EXPECT_EQ(Iceman::stringToCeId(std::string_view(name)), id);
        EXPECT_EQ(Iceman::stringToCeId(TString<char>(name.data(), name.size())), id);
        if (name.find('\0') == std::string::npos) {
            EXPECT_EQ(Iceman::stringToCeId(name.c_str()), id);
        }
        if (line.fields.size() > 2) {
            EXPECT_STREQ(Iceman::ceIdToString(id), name.c_str());
        }
    }
    EXPECT_EQ(Iceman::stringToCeId(static_cast<const char*>(nullptr)), 0);
    for (CeId none : {0, 43, -1, 65536}) EXPECT_EQ(Iceman::ceIdToString(none), nullptr) << none;
}

TEST(Names, EveryNameOfTheTableFindsItsIdentifierInAnyCase) {
    EXPECT_EQ(Iceman::getCenDictionary()->size(), CeIdTable::nameCount());
    for (std::size_t i = 0; i < CeIdTable::nameCount(); ++i) {
        const CeIdName& n = CeIdTable::names()[i];
        std::string upper(n.name);
        for (char& ch : upper)
            if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
        EXPECT_EQ(Iceman::stringToCeId(n.name), n.id) << n.name;
        EXPECT_EQ(Iceman::stringToCeId(upper), n.id) << upper;
    }
}

// Byte-swapped encodings have no width of their own: they are read through
// their partner.
TEST(Names, WidthsAndSwapPartners) {
    EXPECT_EQ(Iceman::getIOType(23), kIO8);
    EXPECT_EQ(Iceman::getIOType(13), 0);
    EXPECT_EQ(Iceman::getIOType(40), 0);
    EXPECT_EQ(Iceman::getSwapPartner(13), 9);
    EXPECT_EQ(Iceman::getSwapPartner(14), 0);
}
