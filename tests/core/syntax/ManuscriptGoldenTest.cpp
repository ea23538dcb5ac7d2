// Manuscripts in, XHTML out: each manuscript is converted by the model with
// its syntax and the XHTML writer; every output must equal its expected
// file byte for byte and be well-formed XML, and the log must equal the
// expected one (none: empty). QM_UPDATE_GOLDEN=1 rewrites the expected
// files (review the diff!).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "SyntaxTestUtil.h"
#include "core/model/Log.h"
#include "core/syntax/s2/S2Syntax.h"

using namespace Orvane;
using namespace syntax_test;

namespace {

struct Manuscript {
    const char* name;
    const char* folder;  // below tests/
    int syntax;
    bool ten, period;
    int parts;
};

const Manuscript kManuscripts[] = {
    {"novel", "core/syntax/golden", 2, false, false, 1},
    {"parts", "core/syntax/golden", 2, true, true, 3},
    {"macros", "data/syntax1", 1, false, false, 2},
};

class ManuscriptGolden : public testing::TestWithParam<Manuscript> {};

TEST_P(ManuscriptGolden, ConvertsToTheExpectedDocuments) {
    const Manuscript& m = GetParam();
    const fs::path golden = fs::path(QM_TEST_DIR) / m.folder;
    const fs::path dir = fs::temp_directory_path() / ("qm-syntax-" + std::to_string(std::random_device()()));
    fs::create_directories(dir);
    const fs::path source = dir / (std::string(m.name) + ".txt");
    fs::copy_file(golden / source.filename(), source);

    Model model;
    model.setSyntax(m.syntax);
    ASSERT_TRUE(model.getSyntax());
    if (m.syntax >= 2) static_cast<S2Syntax*>(model.getSyntax())->getSpanLexer()->setSpanOptions(m.ten, m.period, false);
    model.setGenerator(1);
    model.addSrcText(source.string().c_str(), kUtf8WithoutMark, nullptr, kUtf8WithoutMark, 0);
    DString logText;
    std::unique_ptr<Log> log = Log::toString(&logText);
    ASSERT_TRUE(log);
    ASSERT_TRUE(generate(model, log.get()));

    const bool update = std::getenv("QM_UPDATE_GOLDEN") != nullptr;
    ASSERT_EQ(model.getOutputs().size(), static_cast<std::size_t>(m.parts));
    for (int part = 0; part < m.parts; ++part) {
        const std::string suffix = part ? std::to_string(part) : "";
        const fs::path written = dir / (std::string(m.name) + suffix + ".html");
        const fs::path expected = golden / (std::string(m.name) + suffix + ".xhtml");
        if (update) fs::copy_file(written, expected, fs::copy_options::overwrite_existing);
        EXPECT_EQ(readBytes(written), readBytes(expected)) << "part " << part;
        const std::string check = "xmllint --noout '" + written.string() + "'";
        EXPECT_EQ(std::system(check.c_str()), 0) << check;
    }
    const fs::path expectedLog = golden / (std::string(m.name) + ".log");
    const std::string logUtf8 = utf8(logText);
    if (update && !logUtf8.empty()) std::ofstream(expectedLog, std::ios::binary) << logUtf8;
    EXPECT_EQ(logUtf8, fs::exists(expectedLog) ? readBytes(expectedLog) : "");
    std::error_code ec;
    fs::remove_all(dir, ec);
}

INSTANTIATE_TEST_SUITE_P(Manuscripts, ManuscriptGolden, testing::ValuesIn(kManuscripts),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
