#include <gtest/gtest.h>

#include "support/Files.h"
#include "support/Utf.h"

#include <filesystem>

#include "core/model/FileName.h"
#include "core/model/Output.h"
#include "core/model/ReplacingFile.h"
#include "core/model/SrcText.h"

namespace Orvane {
namespace {

using namespace qmtest;

namespace fs = std::filesystem;

TEST(TextFile, ReadFailuresLeaveNoContent) {
    Scratch dir;
    writeBytes(dir.file("in.txt"), "\x82\xA0");
    SrcText sjis(dir.file("in.txt").c_str(), 37, nullptr, 8, 0);
    ASSERT_TRUE(sjis.read());
    EXPECT_EQ(utf8(*sjis.getContent()), "あ");

    SrcText noChain(dir.file("in.txt").c_str(), 0x7777, nullptr, 8, 0);
    EXPECT_FALSE(noChain.read());
    EXPECT_EQ(noChain.getContent(), nullptr);
    SrcText missing(dir.file("none.txt").c_str(), 8, nullptr, 8, 0);
    missing.setContent(std::make_unique<DString>(u16("stale")));
    EXPECT_FALSE(missing.read());
    EXPECT_EQ(missing.getTextLength(), 0u) << "a failed read drops the old content";
}

TEST(TextFile, WritesThroughTheOutputChainWithNewlines) {
    Scratch dir;
    const struct {
        CeId out;
        int newline;
        std::string bytes;
    } cases[] = {
        {8, 5, "a\r\n\xE3\x81\x82\r\n"},
        {8, 0, "a\n\xE3\x81\x82\n"},
        {37, 5, "a\r\n\x82\xA0\r\n"},
    };
    for (const auto& c : cases) {
        Output output(nullptr, dir.file("out.html").c_str(), c.out, c.newline);
        output.setContent(std::make_unique<DString>(u16("a\nあ\n")));
        ASSERT_TRUE(output.write()) << c.out;
        EXPECT_EQ(readBytes(dir.file("out.html")), c.bytes) << c.out;
    }
}

// Staged from pieces, the text is written as the whole of it would be,
// wherever the cuts fall: inside a surrogate pair, before a newline, past
// the chain's blocks.
TEST(TextFile, StagedPiecesWriteAsTheWholeText) {
    Scratch dir;
    DString text;
    for (int i = 0; i < 3000; ++i) text += u16("a\n\U00020BB7\u3042<");
    const std::size_t cuts[] = {0, 3, 5, 6, 8191, 8192, 12001, text.size()};
    TextPieces pieces;
    for (std::size_t i = 0; i + 1 < std::size(cuts); ++i)
        pieces.push_back(TextPiece{text.data() + cuts[i], cuts[i + 1] - cuts[i]});
    ASSERT_EQ(text[2], 0xD842u) << "the cut at 3 splits a pair";
    for (const CeId out : {8, 37}) {
        Output whole(nullptr, dir.file("whole.html").c_str(), out, 5);
        whole.setContent(std::make_unique<DString>(text));
        ASSERT_TRUE(whole.write());
        Output staged(nullptr, dir.file("pieces.html").c_str(), out, 5);
        ASSERT_TRUE(staged.stage(pieces) && staged.commitStaged());
        EXPECT_EQ(readBytes(dir.file("pieces.html")), readBytes(dir.file("whole.html"))) << out;
    }
}

TEST(TextFile, FailedWritesLeaveTheOldFileAndNoTemporaryFile) {
    Scratch dir;
    const std::string path = dir.file("out.html");
    writeBytes(path, "old");
    for (auto [name, ceId] : {std::pair{path, 0x7777}, {path, 13}, {dir.dir().string(), 8},
                              {dir.file("no/such/folder/x.html"), 8}}) {
        Output output(nullptr, name.c_str(), ceId, 0);
        output.setContent(std::make_unique<DString>(u16("new")));
        EXPECT_FALSE(output.write()) << name << " " << ceId;
    }
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(dir.entries(), 1);
}

TEST(TextFile, ReplacingFileCommitsOrLeavesNoTrace) {
    Scratch dir;
    const std::string path = dir.file("doc.html");
    writeBytes(path, "old");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, mode);
    {
        ReplacingFile abandoned(path.c_str());
        ASSERT_TRUE(abandoned.openP());
        std::fputs("abandoned", abandoned.stream());
    }
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(dir.entries(), 1);

    ReplacingFile file(path.c_str());
    std::fputs("new", file.stream());
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(readBytes(path), "new");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, mode) << "the old file's permissions stay";
}

// Temporary names are short and unguessable: neither a name near the
// length limit nor the leftovers of interrupted runs stop a write.
TEST(TextFile, DataSafetyTemporaryNamesNeverBlockAWrite) {
    Scratch dir;
    const std::string longName = dir.file(std::string(250, 'n') + ".html");  // 255 bytes, the most a name may have
    const std::string crowded = dir.file("crowded.html");
    for (int i = 0; i < 100; ++i) writeBytes(crowded + ".tmp" + std::to_string(i), "stale");
    for (const std::string& path : {longName, crowded}) {
        Output output(nullptr, path.c_str(), 8, 0);
        output.setContent(std::make_unique<DString>(u16("new")));
        ASSERT_TRUE(output.write()) << path.size() << ": " << output.getFailure();
        EXPECT_EQ(readBytes(path), "new");
    }
    EXPECT_EQ(dir.entries(), 102) << "nothing left beside the two documents and the stale files";
}

TEST(FileName, NarrowNamesRoundTrip) {
    const CCC::TString<char> narrow("dir/\xE6\x9C\xAC.txt");  // dir/本.txt in UTF-8
    DString text;
    ASSERT_TRUE(FileName::toText(narrow, text));
    EXPECT_EQ(utf8(text), "dir/本.txt");
    CCC::TString<char> back;
    ASSERT_TRUE(FileName::fromText(text, back));
    EXPECT_EQ(back, narrow);
}

} // namespace
} // namespace Orvane
