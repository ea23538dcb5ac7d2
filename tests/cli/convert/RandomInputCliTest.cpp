// Random bytes through `quillmark convert`: whatever a manuscript holds
// (controls, broken sequences, lone surrogates, U+FFFF, unmapped codes)
// and whichever encodings are chosen, every document is well-formed XML.
// Raw markup ("$" or "＄" in any of the input encodings) is left out: what
// it holds is the writer's business. One convert and one xmllint call per
// pair of encodings.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/Xmllint.h"

namespace {

using namespace qmtest;

constexpr int kSources = 2000;

// "$" in every encoding, and "＄" as cp932, EUC-JP, UTF-8 and UTF-16 in
// either byte order, wherever it starts. The last byte of each is changed
// into one that is in no mark, so one pass is enough.
void breakRawMarks(std::string& bytes) {
    static const std::string kMarks[] = {"$", "\x81\x90", "\xA1\xF0", "\xEF\xBC\x84", "\x04\xFF", "\xFF\x04"};
    for (const std::string& mark : kMarks)
        for (std::size_t at = bytes.find(mark); at != std::string::npos; at = bytes.find(mark, at))
            bytes[at + mark.size() - 1] ^= 1;
}

std::vector<std::string> randomSources() {
    std::mt19937 random(20240607);
    std::vector<std::string> sources(kSources);
    for (std::string& s : sources) {
        s.resize(random() % 97);
        for (char& c : s) c = static_cast<char>(random() & 0xFF);
        breakRawMarks(s);
    }
    return sources;
}

// xmllint reads "Shift_JIS" strictly, without the vendor rows that cp932
// adds; the document's label is what browsers expect, so the check reads
// such a document under the name of what it holds.
void labelAsCp932(const fs::path& dir) {
    const std::string from = "encoding=\"Shift_JIS\"", to = "encoding=\"CP932\"";
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() != ".html") continue;
        std::string bytes = readBytes(entry.path());
        const std::size_t at = bytes.find(from);
        if (at == std::string::npos || at > bytes.find('\n')) continue;
        writeBytes(entry.path(), bytes.replace(at, from.size(), to));
    }
}

// The 32,000 small files go to a memory file system when there is one:
// on a busy disk opening them takes longer than converting them.
class TempOnTmpfs {
public:
    TempOnTmpfs() {
        if (const char* old = std::getenv("TMPDIR")) old_ = old;
        if (access("/dev/shm", W_OK | X_OK) == 0) setenv("TMPDIR", "/dev/shm", 1);
    }
    ~TempOnTmpfs() {
        if (old_.empty()) unsetenv("TMPDIR");
        else setenv("TMPDIR", old_.c_str(), 1);
    }
    TempOnTmpfs(const TempOnTmpfs&) = delete;
    TempOnTmpfs& operator=(const TempOnTmpfs&) = delete;

private:
    std::string old_;
};

TEST(ConvertCli, RandomBytesGiveWellFormedDocuments) {
    const std::vector<std::string> sources = randomSources();
    const TempOnTmpfs tmpfs;
    for (const char* from : {"auto", "cp932", "utf-8", "utf-16le"}) {
        for (const char* to : {"utf-8", "cp932"}) {
            SCOPED_TRACE(std::string("-f ") + from + " -t " + to);
            Scratch scratch("random");
            for (int i = 0; i < kSources; ++i) writeBytes(scratch / ("r" + std::to_string(i) + ".txt"), sources[i]);
            const ToolRun run =
                runQuillmark(scratch.dir(), std::string("convert -f ") + from + " -t " + to + " --syntax 2 r*.txt");
            ASSERT_EQ(run.status, 0) << run.err;
            if (std::string(to) == "cp932") labelAsCp932(scratch.dir());
            const XmlCheck xml = xmllint(shellQuote(scratch.dir().string()) + "/r*.html");
            EXPECT_TRUE(xml.wellFormed) << xml.diagnostics.substr(0, 2000);
        }
    }
}

} // namespace
