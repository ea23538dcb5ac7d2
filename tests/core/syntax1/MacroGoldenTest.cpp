// Manuscripts in, XHTML out: the markup with macros converted by the model
// with the XHTML writer. Every output must equal its expected file byte for
// byte, be well-formed XML, and leave the log empty.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "../syntax/SyntaxTestUtil.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

using namespace Orvane;

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr CCC::CeId kUtf8WithoutMark = 8;

struct Manuscript {
    const char* name;
    int parts;
};

const Manuscript kManuscripts[] = {
    {"macros", 2},
};

class MacroGolden : public testing::TestWithParam<Manuscript> {};

TEST_P(MacroGolden, ConvertsToTheExpectedDocuments) {
    const Manuscript& m = GetParam();
    const fs::path data = fs::path(QM_TEST_DIR) / "data/syntax1";
    const fs::path dir = fs::temp_directory_path() / ("qm-syntax1-" + std::to_string(std::random_device()()));
    fs::create_directories(dir);
    const fs::path source = dir / (std::string(m.name) + ".txt");
    fs::copy_file(data / source.filename(), source);

    Model model;
    model.setSyntax(1);
    ASSERT_TRUE(model.getSyntax());
    model.setGenerator(1);
    model.addSrcText(source.string().c_str(), kUtf8WithoutMark, nullptr, kUtf8WithoutMark, 0);
    DString logText;
    std::unique_ptr<Log> log = Log::toString(&logText);
    ASSERT_TRUE(log);
    model.resetTemplate();
    model.setDefaultTemplate();
    model.clearOutputs();
    ASSERT_TRUE(model.generate(log.get()));

    ASSERT_EQ(model.getOutputs().size(), static_cast<std::size_t>(m.parts));
    for (int part = 0; part < m.parts; ++part) {
        const std::string suffix = part ? std::to_string(part) : "";
        const fs::path written = dir / (std::string(m.name) + suffix + ".html");
        EXPECT_EQ(readBytes(written), readBytes(data / (std::string(m.name) + suffix + ".xhtml"))) << "part " << part;
        const std::string check = "xmllint --noout '" + written.string() + "'";
        EXPECT_EQ(std::system(check.c_str()), 0) << check;
    }
    EXPECT_EQ(syntax_test::utf8(logText), "");
    std::error_code ec;
    fs::remove_all(dir, ec);
}

INSTANTIATE_TEST_SUITE_P(Manuscripts, MacroGolden, testing::ValuesIn(kManuscripts),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
