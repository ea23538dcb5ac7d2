#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/generator/Generator1.h"
#include "core/generator/ScriptSyntax.h"
#include "core/generator/TestFiles.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

namespace Orvane::testing {
namespace {

namespace fs = std::filesystem;

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        model_.setSyntax(std::make_unique<ScriptSyntax>());
        model_.setGenerator(1);
    }

    // Registers a source holding a script (by default one paragraph).
    SrcText* add(const std::string& name, const std::string& script = "p 本文\n") {
        const std::string path = dir_.file(name);
        fs::create_directories(fs::path(path).parent_path());
        if (!script.empty()) writeBytes(path, script);
        return model_.addSrcText(path.c_str(), 8, nullptr, 8, 5);
    }

    bool run() {
        model_.resetTemplate();
        model_.setDefaultTemplate();
        model_.clearOutputs();
        return model_.generate(log_.get());
    }

    std::string output(std::size_t i) const { return model_.getOutputs()[i]->getFileName().c_str(); }

    TempDir dir_;
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
    const std::string bytes = readBytes(dir_.file("dir/chosen.html"));
    EXPECT_NE(bytes.find("<p>本文</p>\r\n\r\n</body>\r\n</html>\r\n"), std::string::npos);
    std::string diagnostics;
    EXPECT_TRUE(xmlWellFormedP(dir_.file("dir/chosen.html"), diagnostics)) << diagnostics;
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
    writeBytes(dir_.file("locked.html"), "old");
    fs::permissions(dir_.file("locked.html"), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(run());
    EXPECT_EQ(readBytes(dir_.file("locked.html")), "old");
    EXPECT_NE(readBytes(dir_.file("free.html")).find("<p>本文</p>"), std::string::npos);
    EXPECT_EQ(model_.getFailures(),
              std::vector<std::string>{"cannot write " + dir_.file("locked.html") + ": Permission denied"});
    EXPECT_EQ(dir_.entries(), 4) << "no temporary file is left behind";
}

struct UnsafeRunCase {
    std::vector<const char*> sources;  // each holds a two-part script
    const char* hardLink;              // made a second name of the first source, or null
    const char* failure;               // the model's sentence, folder names left out
};

// Runs that would write over a source or write one path twice write
// nothing, and the sentence names the file and both sources.
TEST_F(ModelTest, DataSafetyUnsafeRunsWriteNothing) {
    const UnsafeRunCase cases[] = {
        {{"x.html"}, nullptr, "cannot write x.html: it is a source of this run"},
        {{"a.txt", "a.html"}, nullptr, "cannot write a.html: it is a source of this run"},
        {{"a.txt", "a.md"}, nullptr, "a.txt and a.md both write a.html"},
        {{"book.txt", "book1.txt"}, nullptr, "book.txt and book1.txt both write book1.html"},
        {{"a.txt", "sub/../a.md"}, nullptr, "a.txt and sub/../a.md both write sub/../a.html"},
        {{"b.txt", "a.txt"}, "a.html", "cannot write a.html: it is a link to a source of this run"},
    };
    for (const UnsafeRunCase& c : cases) {
        TempDir dir;
        Model model;
        model.setSyntax(std::make_unique<ScriptSyntax>());
        model.setGenerator(1);
        fs::create_directories(dir.path() / "sub");
        for (const char* name : c.sources) {
            writeBytes(dir.file(name), "p 一\nnewOutput\np 二\n");
            model.addSrcText(dir.file(name).c_str(), 8, nullptr, 8, 5);
        }
        if (c.hardLink) fs::create_hard_link(dir.file(c.sources[0]), dir.file(c.hardLink));
        const long before = dir.entries();
        model.setDefaultTemplate();
        EXPECT_FALSE(model.generate(log_.get())) << c.failure;
        std::string failures;
        for (const std::string& f : model.getFailures()) failures += f + "\n";
        const std::string folder = dir.path().string() + "/";
        for (std::size_t at; (at = failures.find(folder)) != std::string::npos;) failures.erase(at, folder.size());
        EXPECT_EQ(failures, std::string(c.failure) + "\n");
        EXPECT_EQ(dir.entries(), before) << c.failure << ": nothing written, no temporary file left";
        EXPECT_EQ(readBytes(dir.file(c.sources[0])), "p 一\nnewOutput\np 二\n") << c.failure;
        EXPECT_TRUE(model.getOutputs().empty()) << c.failure;
    }
}

TEST_F(ModelTest, ResourcesOutputsAreWrittenAsTheyAreCompletedAndNotHeld) {
    add("book.txt", "setTitle 題\np 一\nnewOutput\np 二\nnewOutput\np 三\n");
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
    EXPECT_TRUE(fs::exists(dir_.file("a.html"))) << "written documents stay on disk";
}

TEST_F(ModelTest, SyntaxAndGeneratorSelection) {
    Generator* writer = model_.getGenerator();
    model_.setGenerator(5);
    EXPECT_EQ(model_.getGenerator(), writer);
    model_.setGenerator(0);
    EXPECT_EQ(dynamic_cast<Generator1*>(model_.getGenerator()), nullptr);
    EXPECT_EQ(model_.getGenerator()->getModel(), &model_);
    model_.setSyntax(7);
    EXPECT_EQ(model_.getSyntax(), nullptr);
}

TEST_F(ModelTest, RunsThatCannotStartReturnFalse) {
    SrcText* a = add("a.txt");
    model_.setDefaultTemplate();
    add("b.txt");  // registered after the template was made: has none
    ASSERT_EQ(model_.getTemplates().size(), 1u);
    EXPECT_EQ(a->getTemplate(), model_.getTemplates()[0].get());
    EXPECT_FALSE(model_.generate(log_.get()));
    Model bare;
    bare.addSrcText(a->getFileName().c_str(), 8, nullptr, 8, 0);
    EXPECT_FALSE(bare.generate(nullptr));
    EXPECT_FALSE(bare.dumpTokens(nullptr));
    EXPECT_EQ(dir_.entries(), 2);
}

TEST_F(ModelTest, WarningsOfEverySourceReachTheLogInOrder) {
    add("a.txt", "h 2 見出し\npageNumber 10\npageNumber 10\n");
    add("b.txt", "h 2 見出し\npageNumber 10\npageNumber 10\n");
    ASSERT_TRUE(run());
    const std::string once = "警告: 見出しレベルの指定がH2から始まっています。\n"
                             "警告: ページ番号が10から10に逆順に変更されました。\n";
    EXPECT_EQ(utf8(logText_), once + once);
}

TEST_F(ModelTest, DumpTokensReadsEverySource) {
    add("a.txt");
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(model_.dumpTokens(log_.get()));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "token_id: 01 (p \x96{\x95\xB6)\ntoken_id: 00\n");
}

} // namespace
} // namespace Orvane::testing
