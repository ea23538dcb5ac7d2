// Manuscripts in, standard output out: the trace grammar run by the model
// with the trace generator, over two texts in a row. Both print on standard
// output (texts in Shift_JIS); the expected file holds every byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

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

TEST(TraceGolden, TwoTextsPrintTheExpectedTrace) {
    const fs::path data = fs::path(QM_TEST_DIR) / "data/syntax0";
    Model model;
    model.setSyntax(0);
    ASSERT_TRUE(model.getSyntax());
    model.setGenerator(0);
    // The first text ends without a line end; the second starts with a
    // heading mark that the carried-over lexer state no longer sees.
    for (const char* name : {"trace.txt", "trace2.txt"})
        model.addSrcText((data / name).string().c_str(), kUtf8WithoutMark, nullptr, kUtf8WithoutMark, 0);
    model.resetTemplate();
    model.setDefaultTemplate();
    model.clearOutputs();
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    const bool ok = model.generate(nullptr);
    std::fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(ok);
    EXPECT_EQ(out, readBytes(data / "trace.out") + readBytes(data / "trace2.out"));
}

// The command-line tool prints the same for one text.
TEST(TraceGolden, CommandLinePrintsTheExpectedTrace) {
    if (!fs::exists(QM_CLI)) GTEST_SKIP() << "the quillmark tool is not built";
    const fs::path data = fs::path(QM_TEST_DIR) / "data/syntax0";
    const fs::path out = fs::temp_directory_path() / ("qm-trace0-" + std::to_string(std::random_device()()));
    const std::string command = std::string("'") + QM_CLI + "' trace --syntax 0 -f utf-8 '" +
                                (data / "trace.txt").string() + "' > '" + out.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(readBytes(out), readBytes(data / "trace.out"));
    std::error_code ec;
    fs::remove(out, ec);
}

} // namespace
