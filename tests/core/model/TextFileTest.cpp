#include <gtest/gtest.h>

#include "support/Files.h"
#include "support/Utf.h"

#include <filesystem>
#include <random>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include "core/model/FileName.h"
#include "core/model/Output.h"
#include "core/model/ReplacingFile.h"
#include "core/model/SrcText.h"
#include "core/model/TextSpool.h"
#include "core/syntax/TextArrival.h"

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

// A long file is decoded in two halves at once, cut at a line feed in the
// middle: it reads as the same bytes decoded whole do, in every encoding
// cut so, with marks, broken and cut-off sequences around the line feeds.
TEST(TextFile, LongFilesReadAsWhenDecodedWhole) {
    Scratch dir;
    const char* const bits[] = {"\n", "a", "\xEF\xBB\xBF", "\x82\xA0", "\xE3\x81\x82", "\xA4\xA2", "\x8E\xB1",
                                "\x81", "\xFF", "\r\n", "\xF0\x9F\x98\x80", "\xE3\x81", "\x8F\xA2\xAF", "\x80"};
    std::mt19937 random(7);
    std::string bytes;
    while (bytes.size() < 9 * 1024 * 1024 / 2) bytes += bits[random() % std::size(bits)];
    writeBytes(dir.file("long.txt"), bytes);
    const auto shared = std::make_shared<const std::string>(bytes);
    namespace ceid = CCC::ceid;
    for (const CeId in : {ceid::kUsAscii, ceid::kUtf8, ceid::kUtf8N, ceid::kShiftJis, ceid::kCp932, ceid::kEucJp,
                          ceid::kEucJpMs, ceid::kWindows1252, ceid::kIso8859_1, ceid::kIso8859_15}) {
        SrcText halves(dir.file("long.txt").c_str(), in, nullptr, 8, 0);
        SrcText whole(dir.file("long.txt").c_str(), in, nullptr, 8, 0);
        whole.setPreloadedBytes(shared);
        ASSERT_TRUE(halves.read() && whole.read()) << in;
        EXPECT_TRUE(*halves.getContent() == *whole.getContent()) << in;
    }
    // A pipe is read once, front to back.
    ASSERT_EQ(::mkfifo(dir.file("pipe.txt").c_str(), 0600), 0);
    std::thread writer([&] { writeBytes(dir.file("pipe.txt"), "\xE3\x81\x82\n"); });
    SrcText piped(dir.file("pipe.txt").c_str(), CCC::ceid::kUtf8, nullptr, 8, 0);
    EXPECT_TRUE(piped.read()) << piped.getFailure();
    writer.join();
    ASSERT_NE(piped.getContent(), nullptr);
    EXPECT_EQ(utf8(*piped.getContent()), "あ\n");
}

// A file read as it is parsed arrives in whole lines, and ends as the same
// bytes decoded at once, in every encoding: none gives more units than the
// bytes it has, so the units never outgrow the room of the file's size.
TEST(TextFile, ArrivingTextsEndAsWhenDecodedWhole) {
    Scratch dir;
    const char* const bits[] = {"\n", "a", "+AGE-", "\x1B$B", "\x1B(B", "\x82\xA0", "\xE3\x81\x82", "\x8E\xB1",
                                "\xFF\xFE", "\r\n", "\xF0\x9F\x98\x80", "\x00", "\xD8\x3D\xDE\x00", "\x80"};
    std::mt19937 random(11);
    std::string bytes;
    while (bytes.size() < 512 * 1024) bytes += bits[random() % std::size(bits)];
    writeBytes(dir.file("long.txt"), bytes);
    const auto shared = std::make_shared<const std::string>(bytes);
    for (CeId in = 1; in <= CCC::ceid::kLastEncoding; ++in) {
        SrcText arriving(dir.file("long.txt").c_str(), in, nullptr, 8, 0);
        SrcText whole(dir.file("long.txt").c_str(), in, nullptr, 8, 0);
        whole.setPreloadedBytes(shared);
        const bool decodes = whole.read();
        ASSERT_TRUE(arriving.startRead());
        TextArrival* arrival = arriving.arrival();
        ASSERT_NE(arrival, nullptr);
        for (std::uint32_t have = 0, more; (more = arrival->waitBeyond(have)) > have; have = more) {
            // Whole lines, but for the end of the text.
            if (arriving.getText()[more - 1] != u'\n') {
                ASSERT_EQ(arrival->waitBeyond(more), more) << in;
            }
        }
        ASSERT_EQ(arriving.finishRead(), decodes) << in << ": " << arriving.getFailure();
        if (decodes) {
            EXPECT_TRUE(*arriving.getContent() == *whole.getContent()) << in;
        }
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
    // One piece parked in a file instead, read back in the chain's blocks.
    TextSpool spool;
    ASSERT_TRUE(spool.append(u16("x").data(), 1));
    spool.clear();
    ASSERT_TRUE(spool.append(text.data() + cuts[4], cuts[5] - cuts[4]));
    ASSERT_TRUE(spool.append(text.data() + cuts[5], cuts[6] - cuts[5]));
    pieces[4] = TextPiece{nullptr, spool.size(), &spool};
    pieces.erase(pieces.begin() + 5);
    ASSERT_EQ(text[2], 0xD842u) << "the cut at 3 splits a pair";
    for (const CeId out : {CCC::ceid::kUtf8N, CCC::ceid::kCp932}) {
        Output whole(nullptr, dir.file("whole.html").c_str(), out, CCC::nlconv::kLf2CrLf);
        whole.setContent(std::make_unique<DString>(text));
        ASSERT_TRUE(whole.write());
        Output staged(nullptr, dir.file("pieces.html").c_str(), out, CCC::nlconv::kLf2CrLf);
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

    // The installed sync sees the data before the rename, then the folder;
    // data it cannot put on disk are not committed.
    static std::vector<std::string> synced;  // the target's content at each data sync, then the folder
    static std::string target;
    static bool syncWorks;
    target = path;
    ReplacingFile::setSync({[](std::FILE*) { synced.push_back(readBytes(target)); errno = EIO; return syncWorks; },
                            [](const std::string& folder) { synced.push_back(folder); }});
    for (bool works : {false, true}) {
        syncWorks = works;
        ReplacingFile file(path.c_str());
        std::fputs("new", file.stream());
        EXPECT_EQ(file.commit(), works) << file.failure();
        EXPECT_EQ(readBytes(path), works ? "new" : "old");
        EXPECT_EQ(dir.entries(), 1);
    }
    EXPECT_EQ(synced, (std::vector<std::string>{"old", "old", dir.dir().string()}));

    // A long text being written is handed to the installed start as it goes,
    // each time with all written so far in the file.
    static std::vector<std::uintmax_t> started;
    ReplacingFile::setSync({[](std::FILE*) { return true; }, [](const std::string&) {},
                            [](std::FILE* fp) { started.push_back(fs::file_size(fs::read_symlink(
                                "/proc/self/fd/" + std::to_string(fileno(fp))))); }});
    Output big(nullptr, path.c_str(), CCC::ceid::kUtf8N, CCC::nlconv::kNone);
    big.setContent(std::make_unique<DString>(5 * ReplacingFile::kWritebackBytes / 2, u'a'));
    EXPECT_TRUE(big.write());
    ReplacingFile::setSync({});
    ASSERT_EQ(started.size(), 2u);
    EXPECT_GE(started[0], ReplacingFile::kWritebackBytes);
    EXPECT_GE(started[1], 2 * ReplacingFile::kWritebackBytes);
    EXPECT_EQ(fs::file_size(path), 5 * ReplacingFile::kWritebackBytes / 2);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, mode) << "the old file's permissions stay";
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
