#include <gtest/gtest.h>

#include <string>

#include "app/services/SettingsStore.h"
#include "support/Files.h"

using tolvanw32::SettingsStore;
using namespace qmtest;

TEST(SettingsStore, KeyPathFollowsXdgThenHome) {
    const struct {
        const char *xdg, *home, *expected;
    } cases[] = {
        {"/x/conf", "/home/u", "/x/conf/Merrowin/QuillmarkReg/2.0.reg"},
        {"", "/home/u", "/home/u/.config/Merrowin/QuillmarkReg/2.0.reg"},
        {nullptr, "/home/u", "/home/u/.config/Merrowin/QuillmarkReg/2.0.reg"},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        auto env = [&](const char* name) -> const char* {
            return std::string(name) == "XDG_CONFIG_HOME" ? c.xdg : std::string(name) == "HOME" ? c.home : nullptr;
        };
        EXPECT_EQ(SettingsStore::pathForKey("Software\\Merrowin\\QuillmarkReg\\2.0", env).string(), c.expected);
    }
}

// Written as a registry export; read back with the same values, types and
// order; what a reader does not understand is skipped.
TEST(SettingsStore, SerializesAndParses) {
    SettingsStore s("unused");
    s.setString("StyleFileName", "my \"best\" C:\\css");
    s.setDword("StyleNum", 100);
    s.setString("TextEditor", "/usr/bin/édit");
    s.setDword("Big", 0xFFFFFFFFu);
    const std::string text = "\"StyleFileName\"=\"my \\\"best\\\" C:\\\\css\"\n\"StyleNum\"=dword:00000064\n"
                             "\"TextEditor\"=\"/usr/bin/édit\"\n\"Big\"=dword:ffffffff\n";
    EXPECT_EQ(s.serialize(), text);
    SettingsStore back("unused");
    back.parse(text);
    EXPECT_EQ(back.serialize(), text);
    EXPECT_EQ(back.getString("StyleFileName"), "my \"best\" C:\\css");

    SettingsStore messy("unused");
    messy.parse("Windows Registry Editor Version 5.00\r\n\r\n"
               "[HKEY_CURRENT_USER\\Software\\Merrowin\\QuillmarkReg\\2.0]\r\n"
               "\"Syntax\"=dword:00000003\r\n\"StyleNum\"=\"1\"\n\"TextEditor\"=dword:00000001\n\"Bin\"=hex:01,02\n"
               "\"Broken\"=\"no end\n\"TooLong\"=dword:123456789\n\"Hex\"=dword:0000zz00\n\"Last\"=dword:0000002A");
    EXPECT_EQ(messy.serialize(), "\"Syntax\"=dword:00000003\n\"StyleNum\"=\"1\"\n\"TextEditor\"=dword:00000001\n"
                                "\"Last\"=dword:0000002a\n");
    EXPECT_EQ(messy.getDword("StyleNum"), std::nullopt);  // a string where a number is expected
    EXPECT_EQ(messy.getString("TextEditor"), std::nullopt);
    EXPECT_EQ(messy.getDword("Last"), 42u);
}

// Save makes the folders and replaces the file whole; a refused save (the
// file marked read-only) leaves the old file.
TEST(SettingsStore, SaveReplacesTheFileWholeOrNotAtAll) {
    Scratch scratch("save");
    const fs::path file = scratch / "Merrowin/QuillmarkReg/2.0.reg";
    SettingsStore s(file);
    EXPECT_FALSE(s.load());
    s.setDword("StyleNum", 4);
    ASSERT_TRUE(s.save());
    SettingsStore again(file);
    ASSERT_TRUE(again.load());
    fs::permissions(file, fs::perms::owner_read);
    again.setDword("StyleNum", 3);
    EXPECT_FALSE(again.save());
    EXPECT_EQ(readBytes(file), "\"StyleNum\"=dword:00000004\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}
