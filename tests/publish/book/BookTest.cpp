// Books made by `quillmark epub`, one per row of tests/data/publish/books.txt:
// the warnings, the archive's layout read back by Python's zipfile (an
// independent reader), the same bytes on a rebuild, epubcheck's verdict,
// and the first book's package and navigation documents against their
// golden files; a book whose large documents are cut into pieces.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <regex>
#include <string>

#include "core/model/Model.h"
#include "publish/EpubBook.h"
#include "support/CliRunner.h"
#include "support/Corpus.h"
#include "support/LibraryStartup.h"

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

bool epubcheckP() { return fs::exists(kEpubcheck) && std::system("java -version >/dev/null 2>&1") == 0; }

std::string epubcheckVerdict(const fs::path& book) {
    return shellOutput("java -jar " + std::string(kEpubcheck) + " -q " + shellQuote(book.string()) + " 2>&1");
}

// The first group of every match of pattern in text, each followed by a blank.
std::string matches(const std::string& text, const char* pattern) {
    std::string out;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        out += (*it)[1].str() + " ";
    return out;
}

TEST(Books, AreWrittenValidAndReproducible) {
    const bool epubcheck = epubcheckP();
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
            EXPECT_EQ(epubcheckVerdict(scratch / "book.epub"), "") << line.where;
        }
    }
}

// A document longer than the limit is cut at the first heading after each
// piece has passed it (a short section stays with the one before); every
// piece is a whole document in reading order, and contents entries, pages
// and links (from the same chapter and from another, to an anchor whose
// name is escaped twice over) follow their targets into later pieces while
// a link without a fragment keeps the first piece.
TEST(Books, LargeDocumentsAreCutAtHeadings) {
    Scratch scratch("split");
    const std::string padding(300 * 3, 'x');
    writeBytes(scratch / "ch1.txt", "=分ける本\n*一\n^#遠&先^後ろへ^、^#nowhere^ない錨^、^ch21.html#late^次の部の後ろへ^。\n"
                                    "**一の一\n短い。~1~\n*二\n" + padding + "~2~\n**二の一\n#mid#中#" + padding +
                                    "\n*三\n#遠&先#遠く#。~3~\n");
    writeBytes(scratch / "ch2.txt", "*第二章\n^ch1.html#遠&先^前の章の後ろへ^、^ch1.html#mid^中へ^、^ch1.html^前の章へ^。\n"
                                    "&\n*部\n" + padding + "\n*部の二\n#late#後#\n");
    auto build = [&](const std::string& name) {
        Orvane::Model model;
        model.setSyntax(2);
        for (const char* chapter : {"ch1.txt", "ch2.txt"})
            model.addSrcText(scratch.file(chapter).c_str(), 8, nullptr, 8, 0);
        Publish::BookOptions options;
        options.documentSizeLimit = 1024;
        return Publish::buildEpub(model, options, scratch.file(name), nullptr);
    };
    const Publish::BookResult result = build("book.epub");
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.warnings, std::vector<std::string>{scratch.file("ch1.txt") +
                                                        ": link to #nowhere: no anchor nowhere in the book, only its text is kept"});
    const fs::path book = scratch / "book.epub";
    const std::string opf = zipEntry(book, "OEBPS/content.opf");
    EXPECT_EQ(matches(opf, "<item id=\"(ch[^\"]*)\""), "ch1 ch1_2 ch1_3 ch2 ch2-1 ch2-1_2 ");
    EXPECT_EQ(matches(opf, "<itemref idref=\"(ch[^\"]*)\""), "ch1 ch1_2 ch1_3 ch2 ch2-1 ch2-1_2 ");
    const std::string nav = zipEntry(book, "OEBPS/nav.xhtml");
    EXPECT_EQ(matches(nav, "<li><a href=\"([^\"]*)\""),
              "ch1.xhtml#qm-h1 ch1.xhtml#qm-h2 ch1.xhtml#qm-h3 ch1.xhtml#qm-h5 ch1_2.xhtml#qm-h7 ch1_3.xhtml#qm-h8 "
              "ch2.xhtml#qm-h1 ch2-1.xhtml#qm-h1 ch2-1_2.xhtml#qm-h2 "
              "ch1.xhtml#qm-page4 ch1.xhtml#qm-page6 ch1_3.xhtml#qm-page9 ");
    // Every piece: the first piece's head and tail around its share of the
    // body, its ids, and its links.
    std::map<std::string, std::string> heads;  // of each document cut
    std::string pieces;
    for (const std::string name : {"ch1", "ch1_2", "ch1_3", "ch2", "ch2-1", "ch2-1_2"}) {
        const std::string text = zipEntry(book, "OEBPS/" + name + ".xhtml");
        const std::string head = text.substr(0, text.find("<body>"));
        EXPECT_EQ(heads.try_emplace(name.substr(0, name.find('_')), head).first->second, head) << name;
        EXPECT_TRUE(text.ends_with("\n</body>\n</html>\n")) << name;
        pieces += name + ": " + matches(text, " id=\"([^\"]*)\"") + "| " +
                  matches(text, "<a href=\"([^\"]*)\"") + "| " + matches(text, "(ない錨)") + "\n";
    }
    // The anchor 遠&先 as its id and as the links' fragment.
    const std::string far = "ch1_3.xhtml#%E9%81%A0&amp;%E5%85%88";
    EXPECT_EQ(pieces, "ch1: qm-h1 qm-h2 qm-h3 qm-page4 qm-h5 qm-page6 | " + far + " ch2-1_2.xhtml#late | ない錨 \n"
                      "ch1_2: qm-h7 mid | | \n"
                      "ch1_3: qm-h8 遠&amp;先 qm-page9 | | \n"
                      "ch2: qm-h1 | " + far + " ch1_2.xhtml#mid ch1.xhtml | \n"
                      "ch2-1: qm-h1 | | \n"
                      "ch2-1_2: qm-h2 late | | \n");
    ASSERT_TRUE(build("again.epub").written);
    EXPECT_EQ(readBytes(book), readBytes(scratch / "again.epub")) << "rebuilt differently";
    if (epubcheckP()) {
        EXPECT_EQ(epubcheckVerdict(book), "");
    }
}

} // namespace
