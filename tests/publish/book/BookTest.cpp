// Books made by `quillmark epub`, one per row of tests/data/publish/books.txt:
// the warnings, the archive's layout read back by Python's zipfile (an
// independent reader), the same bytes on a rebuild, epubcheck's verdict,
// and the first book's package and navigation documents against their
// golden files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/CliRunner.h"
#include "support/Corpus.h"

namespace {

using namespace qmtest;

const fs::path kFixtures = fs::path(QM_TEST_DIR) / "golden" / "book";
const char* const kEpubcheck = "/usr/share/java/epubcheck.jar";

std::string shellOutput(const std::string& command) {
    std::string out;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// "NAME:COMPRESSION" of every entry in order (0 stored, 8 deflated), or the
// bytes of one entry.
std::string zipEntries(const fs::path& book) {
    return shellOutput("python3 -c 'import sys, zipfile; print(\" \".join(\"%s:%d\" % (i.filename, i.compress_type) "
                       "for i in zipfile.ZipFile(sys.argv[1]).infolist()))' " + shellQuote(book.string()));
}
std::string zipEntry(const fs::path& book, const std::string& name) {
    return shellOutput("python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' " +
                       shellQuote(book.string()) + " " + name);
}

TEST(Books, AreWrittenValidAndReproducible) {
    const bool epubcheck = fs::exists(kEpubcheck) && std::system("java -version >/dev/null 2>&1") == 0;
    bool first = true;
    for (const CorpusLine& line : readCorpus("publish/books.txt")) {
        Scratch scratch("book");
        for (const auto& entry : fs::directory_iterator(kFixtures)) fs::copy_file(entry.path(), scratch / entry.path().filename().string());
        fs::copy_file(fs::path(QM_SOURCE_DIR) / "examples" / "sample.txt", scratch / "sample.txt");
        const std::string env = "SOURCE_DATE_EPOCH=1700000000";
        const ToolRun run = runQuillmark(scratch.dir(), "epub -o book.epub " + line.fields[0], env);
        ASSERT_EQ(run.status, 0) << line.where << run.err;
        EXPECT_EQ(run.err, unescape(line.fields.size() > 1 ? line.fields[1] : "")) << line.where;
        EXPECT_EQ(run.out, "book.epub\n") << line.where;

        const std::string entries = zipEntries(scratch / "book.epub");
        EXPECT_EQ(entries.rfind("mimetype:0 META-INF/container.xml:8 OEBPS/content.opf:8 ", 0), 0u) << line.where << entries;
        EXPECT_EQ(zipEntry(scratch / "book.epub", "mimetype"), "application/epub+zip");

        ASSERT_EQ(runQuillmark(scratch.dir(), "epub -o again.epub " + line.fields[0], env).status, 0);
        EXPECT_EQ(readBytes(scratch / "book.epub"), readBytes(scratch / "again.epub")) << line.where << ": rebuilt differently";

        if (first) {
            EXPECT_EQ(zipEntry(scratch / "book.epub", "OEBPS/content.opf"), readBytes(kFixtures / "content.opf"));
            EXPECT_EQ(zipEntry(scratch / "book.epub", "OEBPS/nav.xhtml"), readBytes(kFixtures / "nav.xhtml"));
            first = false;
        }
        if (epubcheck) {
            const std::string verdict = shellOutput("java -jar " + std::string(kEpubcheck) + " -q " +
                                                    shellQuote((scratch / "book.epub").string()) + " 2>&1");
            EXPECT_EQ(verdict, "") << line.where;
        }
    }
}

} // namespace
