#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "app/services/SettingsStore.h"
#include "support/Files.h"

namespace fs = std::filesystem;
using tolvanw32::SettingsStore;

namespace {

using qmtest::readBytes;
using qmtest::Scratch;

} // namespace

TEST(SettingsStore, KeyPathFollowsXdgThenHome) {
    const std::string_view key = "Software\\Merrowin\\QuillmarkReg\\2.0";
    struct Case {
        const char* xdg;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/x/conf", "/home/u", "/x/conf/Merrowin/QuillmarkReg/2.0.reg"},
        {"", "/home/u", "/home/u/.config/Merrowin/QuillmarkReg/2.0.reg"},
        {nullptr, "/home/u", "/home/u/.config/Merrowin/QuillmarkReg/2.0.reg"},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        auto env = [&](const char* name) -> const char* {
            return std::string(name) == "XDG_CONFIG_HOME" ? c.xdg : std::string(name) == "HOME" ? c.home : nullptr;
        };
        EXPECT_EQ(SettingsStore::pathForKey(key, env).string(), c.expected);
    }
}

TEST(SettingsStore, SerializesInRegistryExportStyle) {
    SettingsStore s("unused");
    s.setString("StyleFileName", "my \"best\" C:\\css");
    s.setDword("StyleNum", 100);
    s.setString("TextEditor", "/usr/bin/édit");
    s.setDword("Big", 0xFFFFFFFFu);
    EXPECT_EQ(s.serialize(),
              "\"StyleFileName\"=\"my \\\"best\\\" C:\\\\css\"\n"
              "\"StyleNum\"=dword:00000064\n"
              "\"TextEditor\"=\"/usr/bin/édit\"\n"
              "\"Big\"=dword:ffffffff\n");
    SettingsStore back("unused");
    back.parse(s.serialize());
    // Same values, same types, same order.
    EXPECT_EQ(back.serialize(), s.serialize());
    EXPECT_EQ(back.getString("StyleFileName"), "my \"best\" C:\\css");
}

TEST(SettingsStore, ParseSkipsWhatItDoesNotUnderstandAndKeepsTypes) {
    SettingsStore s("unused");
    s.parse("Windows Registry Editor Version 5.00\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Merrowin\\QuillmarkReg\\2.0]\r\n"
            "\"Syntax\"=dword:00000003\r\n"
            "\"StyleNum\"=\"1\"\n"             // a string where a number is expected
            "\"TextEditor\"=dword:00000001\n"  // a number where a string is expected
            "\"Bin\"=hex:01,02\n"              // another registry type
            "\"Broken\"=\"no end\n"
            "\"TooLong\"=dword:123456789\n"
            "\"Hex\"=dword:0000zz00\n"
            "\"Last\"=dword:0000002A");
    EXPECT_EQ(s.getDword("Syntax"), 3u);
    EXPECT_EQ(s.getDword("StyleNum"), std::nullopt);
    EXPECT_EQ(s.getString("StyleNum"), "1");
    EXPECT_EQ(s.getString("TextEditor"), std::nullopt);
    EXPECT_EQ(s.getDword("Bin"), std::nullopt);
    EXPECT_EQ(s.getString("Broken"), std::nullopt);
    EXPECT_EQ(s.getDword("TooLong"), std::nullopt);
    EXPECT_EQ(s.getDword("Hex"), std::nullopt);
    EXPECT_EQ(s.getDword("Last"), 42u);
}

TEST(SettingsStore, SaveCreatesFoldersAndReplacesTheFileWhole) {
    Scratch scratch("save");
    const fs::path dir = scratch.dir();
    fs::path file = dir / "Merrowin" / "QuillmarkReg" / "2.0.reg";
    SettingsStore s(file);
    EXPECT_FALSE(s.load());
    s.setDword("StyleNum", 2);
    ASSERT_TRUE(s.save());
    EXPECT_EQ(readBytes(file), "\"StyleNum\"=dword:00000002\n");

    SettingsStore again(file);
    ASSERT_TRUE(again.load());
    again.setString("Extra", "x");
    again.setDword("StyleNum", 4);
    ASSERT_TRUE(again.save());
    EXPECT_EQ(readBytes(file), "\"StyleNum\"=dword:00000004\n\"Extra\"=\"x\"\n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST(SettingsStore, FailedSaveLeavesTheOldFile) {
    Scratch scratch("fail");
    const fs::path dir = scratch.dir();
    fs::path file = dir / "2.0.reg";
    { std::ofstream(file) << "\"StyleNum\"=dword:00000001\n"; }
    // A folder where the temporary file would go makes the write fail.
    SettingsStore s(file);
    ASSERT_TRUE(s.load());
    s.setDword("StyleNum", 3);
    fs::create_directories(fs::path(file.string() + ".tmp" + std::to_string(::getpid())));
    EXPECT_FALSE(s.save());
    EXPECT_EQ(readBytes(file), "\"StyleNum\"=dword:00000001\n");
}
