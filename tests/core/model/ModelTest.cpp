// The model's runs over real manuscripts: the sources that stop a run,
// outputs not held, removal, the log. (Output names: SrcText.StripExtension
// and the goldens.)
// (Unsafe runs, a read-only output among others, the token dump:
// tests/data/cli/failures.txt.)
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/Log.h"
#include "core/model/Model.h"
#include "support/Files.h"
#include "support/LibraryStartup.h"
#include "support/Utf.h"

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

// Documents are written as they are completed and not held; a source
// takes its outputs along when it goes, and the documents stay on disk.
TEST_F(ModelTest, OutputsAreNotHeldAndGoWithTheirSource) {
    add("book.txt", "=題\n一\n&\n二\n");
    add("b.txt");
    ASSERT_TRUE(run());
    ASSERT_EQ(model_.getOutputs().size(), 3u);
    for (const auto& out : model_.getOutputs()) EXPECT_EQ(out->getContent(), nullptr) << out->getFileName().c_str();
    model_.removeFromSrcTexts(2);  // no source there: nothing happens
    model_.removeFromSrcTexts(-1);
    model_.removeFromSrcTexts(0);
    ASSERT_EQ(model_.getOutputs().size(), 1u);
    EXPECT_EQ(model_.getOutputs()[0]->getSrcText(), model_.getSrcTexts()[0].get());
    model_.removeFromSrcTexts(0);
    EXPECT_TRUE(model_.getSrcTexts().empty() && model_.getOutputs().empty());
    EXPECT_NE(readBytes(dir_ / "book1.html").find("二"), std::string::npos);
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

// A body too long for memory goes on into a spool file while the run
// writes its outputs to files; it comes out as the bytes of one kept
// whole: a title known only at the end, pairs and markup across the
// spool's blocks, a second part after the first used the spool, output
// encodings with a mark or shift states; bodies encoded on their own
// thread, and (a template whose BODY follows a CR) parked as they are.
TEST_F(ModelTest, LongBodiesAreWrittenAsWhenKept) {
    std::string part;
    for (int i = 0; i < 30000; ++i) part += "一\U00020BB7<&>二\n";
    writeBytes(dir_ / "long.txt", part + "=題\n&\n" + part);
    // The two parts written to files by the run, then kept and written after it.
    const auto fileThenKept = [&](CeId out, CCC::NLConv nl, Template* skeleton) {
        std::vector<std::string> written;
        for (const bool kept : {false, true}) {
            Model model;
            prepare(model);
            SrcText* src = model.addSrcText(dir_.file("long.txt").c_str(), 8, nullptr, out, nl);
            model.setKeepOutputsP(kept);
            if (skeleton) src->setTemplate(skeleton);
            EXPECT_TRUE(skeleton ? model.generate(nullptr) : model.run(nullptr));
            EXPECT_EQ(model.getOutputs().size(), 2u);
            for (const auto& output : model.getOutputs()) {
                if (kept) {
                    EXPECT_TRUE(output->write());
                }
                written.push_back(readBytes(output->getFileName().c_str()));
            }
        }
        return written;
    };
    for (const CeId out : {CCC::ceid::kUtf8, CCC::ceid::kCp932, CCC::ceid::kIso2022Jp, CCC::ceid::kUtf16LeBom}) {
        const std::vector<std::string> written = fileThenKept(out, CCC::nlconv::kLf2CrLf, nullptr);
        ASSERT_EQ(written.size(), 4u);
        EXPECT_EQ(written[0], written[2]) << out;
        EXPECT_EQ(written[1], written[3]) << out;
        if (out == CCC::ceid::kUtf8) {
            EXPECT_NE(written[0].find("<title>題</title>"), std::string::npos);
        }
    }
    Template crBeforeBody;
    crBeforeBody.setContent(std::make_unique<DString>(u16("<b>\r@@BODY@@@@TITLE@@</b>\n")));
    const std::vector<std::string> written = fileThenKept(CCC::ceid::kUtf8, CCC::nlconv::kCr2CrLf, &crBeforeBody);
    ASSERT_EQ(written.size(), 4u);
    EXPECT_EQ(written[0], written[2]);
    EXPECT_EQ(written[1], written[3]);
    EXPECT_EQ(written[1].substr(0, 8), "\xEF\xBB\xBF<b>\r\n");
}

// A long source is written on a second thread while it is parsed: its
// outputs, log lines and diagnostics come out as when one thread does both,
// across parts, many blocks of events and a line longer than a block.
TEST_F(ModelTest, LongSourcesAreWrittenAsByOneThread) {
    std::string text = "**見出し\n";
    for (int i = 0; i < 3000; ++i) {
        text += "*見出し" + std::to_string(i) + "\n本文`漢字`かんじ`と<&>~" + std::to_string(3000 - i) + "~\n100%の力で\n";
        if (i % 1000 == 999) text += "&\n";
    }
    text += std::string(40000, 'x') + "\n****深い\n";
    writeBytes(dir_ / "long.txt", text);
    std::vector<std::string> seen[2];
    for (int piped = 0; piped < 2; ++piped) {
        Model model;
        prepare(model);
        model.setPipedFromUnits(piped ? 0 : SIZE_MAX);
        SrcText* src = model.addSrcText(dir_.file("long.txt").c_str(), 8, nullptr, 8, 5);
        DString log;
        ASSERT_TRUE(model.run(Log::toString(&log).get()));
        for (const auto& output : model.getOutputs()) seen[piped].push_back(readBytes(output->getFileName().c_str()));
        seen[piped].push_back(utf8(log));
        for (const Diagnostic& d : src->getDiagnostics().items())
            seen[piped].push_back(std::to_string(d.offset) + " " + Diagnostics::kindName(d.kind) + " " +
                                  std::to_string(d.first) + " " + std::to_string(d.second));
    }
    // Four parts, the log, an unclosed image a line, every page mark but the
    // first backwards, the heading levels' start and jump.
    EXPECT_EQ(seen[0].size(), 4u + 1u + 3000u + 2999u + 2u);
    EXPECT_EQ(seen[0], seen[1]);
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

} // namespace
} // namespace Orvane
