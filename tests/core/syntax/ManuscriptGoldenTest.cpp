// Manuscripts in, XHTML out: each manuscript under golden/ is converted by
// the model with the span-aware syntax and the XHTML writer, and every
// output must equal its expected file byte for byte, with the expected log.
// QM_UPDATE_GOLDEN=1 rewrites the expected files (review the diff!).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "SyntaxTestUtil.h"
#include "core/generator/Generator1.h"
#include "core/model/Log.h"
#include "core/model/Model.h"
#include "core/model/Output.h"
#include "core/syntax/s2/S2Syntax.h"

using namespace Orvane;

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Manuscript {
    const char* name;
    int syntax;
    bool ten, period;
    int parts;
};

const Manuscript kManuscripts[] = {
    {"novel", 2, false, false, 1},
    {"parts", 2, true, true, 3},
};

constexpr CCC::CeId kUtf8WithoutMark = 8;

class ManuscriptGolden : public testing::TestWithParam<Manuscript> {};

TEST_P(ManuscriptGolden, ConvertsToTheExpectedDocuments) {
    const Manuscript& m = GetParam();
    const fs::path golden = fs::path(QM_TEST_DIR) / "core/syntax/golden";
    const fs::path dir = fs::temp_directory_path() / ("qm-syntax-" + std::to_string(std::random_device()()));
    fs::create_directories(dir);
    const fs::path source = dir / (std::string(m.name) + ".txt");
    fs::copy_file(golden / source.filename(), source);

    Model model;
    model.setSyntax(m.syntax);
    ASSERT_TRUE(model.getSyntax());
    static_cast<S2Syntax*>(model.getSyntax())->getSpanLexer()->setSpanOptions(m.ten, m.period, false);
    model.setGenerator(1);
    model.addSrcText(source.string().c_str(), kUtf8WithoutMark, nullptr, kUtf8WithoutMark, 0);
    DString logText;
    std::unique_ptr<Log> log = Log::toString(&logText);
    ASSERT_TRUE(log);
    model.resetTemplate();
    model.setDefaultTemplate();
    model.clearOutputs();
    ASSERT_TRUE(model.generate(log.get()));

    const bool update = std::getenv("QM_UPDATE_GOLDEN") != nullptr;
    ASSERT_EQ(model.getOutputs().size(), static_cast<std::size_t>(m.parts));
    for (int part = 0; part < m.parts; ++part) {
        const std::string suffix = part ? std::to_string(part) : "";
        const std::string written = readBytes(dir / (std::string(m.name) + suffix + ".html"));
        const fs::path expected = golden / (std::string(m.name) + suffix + ".xhtml");
        if (update) std::ofstream(expected, std::ios::binary) << written;
        EXPECT_EQ(written, readBytes(expected)) << "part " << part;
    }
    const fs::path expectedLog = golden / (std::string(m.name) + ".log");
    const std::string logUtf8 = syntax_test::utf8(logText);
    if (update && !logUtf8.empty()) std::ofstream(expectedLog, std::ios::binary) << logUtf8;
    EXPECT_EQ(logUtf8, fs::exists(expectedLog) ? readBytes(expectedLog) : "");
    std::error_code ec;
    fs::remove_all(dir, ec);
}

INSTANTIATE_TEST_SUITE_P(Manuscripts, ManuscriptGolden, testing::ValuesIn(kManuscripts),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
