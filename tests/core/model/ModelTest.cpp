// The model's runs over real manuscripts: output names, line ends, the
// sources that stop a run, unsafe runs, outputs not held, removal, the log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/Log.h"
#include "core/model/Model.h"
#include "support/Files.h"
#include "support/LibraryStartup.h"
#include "support/Utf.h"
#include "support/Xmllint.h"

namespace Orvane {
namespace {

using namespace qmtest;

class ModelTest : public ::testing::Test {
protected:
    static void prepare(Model& model) {
        model.setSyntax(2);
        model.setGenerator(1);
    }
    void SetUp() override { prepare(model_); }

    // Registers a manuscript (by default one paragraph); "" registers a missing file.
    SrcText* add(const std::string& name, const std::string& text = "本文\n") {
        fs::create_directories((dir_ / name).parent_path());
        if (!text.empty()) writeBytes(dir_ / name, text);
        return model_.addSrcText(dir_.file(name).c_str(), 8, nullptr, 8, 5);
    }
    bool run() {
        model_.resetTemplate();
        model_.setDefaultTemplate();
        model_.clearOutputs();
        return model_.generate(log_.get());
    }
    std::string output(std::size_t i) const { return model_.getOutputs()[i]->getFileName().c_str(); }

    Scratch dir_{"model"};
    Model model_;
    DString logText_;
    std::unique_ptr<Log> log_ = Log::toString(&logText_);
};

TEST_F(ModelTest, OutputsAreNamedAfterTheSourceAndWrittenWithCrLf) {
    add("dir/book.txt");
    add("other/book");
    model_.addSrcText(add("dir/x.txt")->getFileName().c_str(), 8, dir_.file("dir/chosen.name").c_str(), 8, 5);
    model_.removeFromSrcTexts(2);
    ASSERT_TRUE(run());
    ASSERT_EQ(model_.getOutputs().size(), 3u);
    EXPECT_EQ(output(0), dir_.file("dir/book.html"));
    EXPECT_EQ(output(1), dir_.file("other/book.html"));
    EXPECT_EQ(output(2), dir_.file("dir/chosen.html"));
    EXPECT_NE(readBytes(dir_ / "dir/chosen.html").find("本文</span></p>\r\n\r\n</body>\r\n</html>\r\n"), std::string::npos);
    const XmlCheck xml = xmllint(shellQuote(dir_.file("dir/chosen.html")));
    EXPECT_TRUE(xml.wellFormed) << xml.diagnostics;
    EXPECT_TRUE(logText_.empty());
}

TEST_F(ModelTest, MissingSecondSourceStopsTheRunBeforeAnythingIsWritten) {
    add("one.txt");
    add("missing.txt", "");
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(run());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "ERROR: can't read source text.\n");
    EXPECT_EQ(model_.getFailures(),
              std::vector<std::string>{"cannot read " + dir_.file("missing.txt") + ": No such file or directory"});
    EXPECT_TRUE(model_.getOutputs().empty());
    EXPECT_EQ(dir_.entries(), 1);
}

TEST_F(ModelTest, ReadOnlyOutputFailsButTheOthersAreWritten) {
    add("locked.txt");
    add("free.txt");
    writeBytes(dir_ / "locked.html", "old");
    fs::permissions(dir_ / "locked.html", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(run());
    EXPECT_EQ(readBytes(dir_ / "locked.html"), "old");
    EXPECT_NE(readBytes(dir_ / "free.html").find("本文"), std::string::npos);
    EXPECT_EQ(model_.getFailures(),
              std::vector<std::string>{"cannot write " + dir_.file("locked.html") + ": Permission denied"});
    EXPECT_EQ(dir_.entries(), 4) << "no temporary file is left behind";
}

// Runs that would write over a source or write one path twice write
// nothing, and the sentence names the file and both sources.
TEST_F(ModelTest, DataSafetyUnsafeRunsWriteNothing) {
    const struct {
        std::vector<const char*> sources;  // each holds two parts
        const char* hardLink;              // made a second name of the first source, or null
        const char* failure;               // the model's sentence, folder names left out
    } cases[] = {
        {{"x.html"}, nullptr, "cannot write x.html: it is a source of this run"},
        {{"a.txt", "a.html"}, nullptr, "cannot write a.html: it is a source of this run"},
        {{"a.txt", "a.md"}, nullptr, "a.txt and a.md both write a.html"},
        {{"book.txt", "book1.txt"}, nullptr, "book.txt and book1.txt both write book1.html"},
        {{"a.txt", "sub/../a.md"}, nullptr, "a.txt and sub/../a.md both write sub/../a.html"},
        {{"b.txt", "a.txt"}, "a.html", "cannot write a.html: it is a link to a source of this run"},
    };
    const std::string twoParts = "一\n&\n二\n";
    for (const auto& c : cases) {
        Scratch dir("unsafe");
        Model model;
        prepare(model);
        fs::create_directories(dir / "sub");
        for (const char* name : c.sources) {
            writeBytes(dir / name, twoParts);
            model.addSrcText(dir.file(name).c_str(), 8, nullptr, 8, 5);
        }
        if (c.hardLink) fs::create_hard_link(dir / c.sources[0], dir / c.hardLink);
        const long before = dir.entries();
        model.setDefaultTemplate();
        EXPECT_FALSE(model.generate(log_.get())) << c.failure;
        std::string failures;
        for (const std::string& f : model.getFailures()) failures += f + "\n";
        const std::string folder = dir.dir().string() + "/";
        for (std::size_t at; (at = failures.find(folder)) != std::string::npos;) failures.erase(at, folder.size());
        EXPECT_EQ(failures, std::string(c.failure) + "\n");
        EXPECT_EQ(dir.entries(), before) << c.failure << ": nothing written, no temporary file left";
        EXPECT_EQ(readBytes(dir / c.sources[0]), twoParts) << c.failure;
        EXPECT_TRUE(model.getOutputs().empty()) << c.failure;
    }
}

TEST_F(ModelTest, ResourcesOutputsAreWrittenAsTheyAreCompletedAndNotHeld) {
    add("book.txt", "=題\n一\n&\n二\n&\n三\n");
    ASSERT_TRUE(run());
    ASSERT_EQ(model_.getOutputs().size(), 3u);
    for (const auto& out : model_.getOutputs()) {
        EXPECT_EQ(out->getContent(), nullptr) << out->getFileName().c_str();
        EXPECT_NE(readBytes(out->getFileName().c_str()).find("題"), std::string::npos);
    }
    EXPECT_TRUE(model_.getFailures().empty());
}

TEST_F(ModelTest, RemoveFromSrcTextsTakesItsOutputsAlong) {
    add("a.txt");
    add("b.txt");
    ASSERT_TRUE(run());
    model_.removeFromSrcTexts(2);  // no source there: nothing happens
    model_.removeFromSrcTexts(-1);
    model_.removeFromSrcTexts(0);
    ASSERT_EQ(model_.getOutputs().size(), 1u);
    EXPECT_EQ(model_.getOutputs()[0]->getSrcText(), model_.getSrcTexts()[0].get());
    model_.removeFromSrcTexts(0);
    EXPECT_TRUE(model_.getSrcTexts().empty());
    EXPECT_TRUE(model_.getOutputs().empty());
    EXPECT_TRUE(fs::exists(dir_ / "a.html")) << "written documents stay on disk";
}

TEST_F(ModelTest, RunsThatCannotStartReturnFalse) {
    SrcText* a = add("a.txt");
    model_.setDefaultTemplate();
    add("b.txt");  // registered after the template was made: has none
    ASSERT_EQ(model_.getTemplates().size(), 1u);
    EXPECT_EQ(a->getTemplate(), model_.getTemplates()[0].get());
    EXPECT_FALSE(model_.generate(log_.get()));
    Model bare;
    bare.setSyntax(7);
    EXPECT_EQ(bare.getSyntax(), nullptr);
    bare.addSrcText(a->getFileName().c_str(), 8, nullptr, 8, 0);
    EXPECT_FALSE(bare.generate(nullptr));
    EXPECT_FALSE(bare.dumpTokens(nullptr));
    EXPECT_EQ(dir_.entries(), 2);
}

TEST_F(ModelTest, WarningsOfEverySourceReachTheLogInOrder) {
    add("a.txt", "**見出し\n~10~~10~\n");
    add("b.txt", "**見出し\n~10~~10~\n");
    ASSERT_TRUE(run());
    const std::string once = "警告: 見出しレベルの指定がH2から始まっています。\n"
                             "警告: ページ番号が10から10に逆順に変更されました。\n";
    EXPECT_EQ(utf8(logText_), once + once);
    // The messages in both languages.
    DString text;
    Log::toString(&text)->getWriter()->print(&Log::message(Log::kHeadingJump, Log::kEnglish), 1, 3);
    EXPECT_EQ(utf8(text), "WARNING: The section number is jumped from H1 to H3.\n");
}

TEST_F(ModelTest, DumpTokensReadsEverySource) {
    add("a.txt", "=\n");
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(model_.dumpTokens(log_.get()));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "token_id: 02 EQ\ntoken_id: 01 NL\ntoken_id: 00 $\n");
}

} // namespace
} // namespace Orvane
