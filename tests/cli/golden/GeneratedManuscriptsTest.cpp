// 600 random but plausible manuscripts (drawn with a fixed seed from pieces
// of every kind of line and inline construct, in both forms of the marks,
// with text that needs escaping) converted in six batches with different
// options: every output must be well-formed XML.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/Corpus.h"
#include "support/Xmllint.h"

namespace {

using namespace qmtest;

// Draws manuscripts from the pieces of tests/data/cli/manuscript-pieces.txt.
class ManuscriptMaker {
public:
    explicit ManuscriptMaker(unsigned seed) : rng_(seed) {
        for (const auto& [where, c] : readCorpus("cli/manuscript-pieces.txt"))
            rules_[c[0]].push_back(c.size() > 1 ? unescape(c[1]) : "");
    }

    std::string manuscript() {
        std::string text;
        const int lines = pick(1, 40);
        for (int i = 0; i < lines; ++i) text += expand("line") + (pick(1, 100) <= 30 && i + 1 == lines ? "" : "\n");
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    std::string expand(const std::string& rule) {
        if (rule == "#") return std::to_string(pick(-2, 30));
        const std::vector<std::string>& alternatives = rules_.at(rule);
        const std::string& a = alternatives[pick(0, static_cast<int>(alternatives.size()) - 1)];
        const bool full = pick(0, 1);
        const std::string open = "«", close = "»", bar = "‖";
        std::string out;
        for (std::size_t i = 0; i < a.size();) {
            if (a.compare(i, open.size(), open) == 0) {
                const std::size_t end = a.find(close, i);
                std::string ref = a.substr(i + open.size(), end - i - open.size());
                int low = 1, high = 1;
                if (const std::size_t colon = ref.find(':'); colon != std::string::npos) {
                    std::sscanf(ref.c_str() + colon + 1, "%d-%d", &low, &high);
                    ref.resize(colon);
                }
                for (int n = pick(low, high); n > 0; --n) out += expand(ref);
                i = end + close.size();
            } else if (a[i] == '{') {
                const std::size_t middle = a.find(bar, i), end = a.find('}', middle);
                out += full ? a.substr(middle + bar.size(), end - middle - bar.size()) : a.substr(i + 1, middle - i - 1);
                i = end + 1;
            } else {
                out += a[i++];
            }
        }
        return out;
    }

    std::mt19937 rng_;
    std::map<std::string, std::vector<std::string>> rules_;
};

TEST(GeneratedManuscripts, ConvertToWellFormedXml) {
    const char* const batches[] = {
        "",
        "--span ten,period,comma --xhtml 1.1 --style yoko",
        "--syntax 3 --style tate",
        "--syntax 4 --xhtml 1.1 --style yoko-check",
        "--style tate-check --span ten",
        "--xhtml 5 --style tate",
    };
    ManuscriptMaker maker(20260601);
    Scratch scratch("generated");
    std::string quoted;
    for (std::size_t b = 0; b < std::size(batches); ++b) {
        const fs::path folder = scratch / ("batch" + std::to_string(b));
        fs::create_directories(folder);
        std::string files;
        for (int i = 0; i < 100; ++i) {
            // "m1-" and "m11-": the split parts of one never take the other's name.
            const std::string name = "batch" + std::to_string(b) + "/m" + std::to_string(i) + "-.txt";
            // A leading ASCII line keeps the detector on UTF-8 for every file.
            writeBytes(scratch / name, "本文\n" + maker.manuscript());
            files += " " + name;
        }
        const ToolRun run = runQuillmark(scratch.dir(), std::string("convert -t utf-8 ") + batches[b] + files,
                                         "QUILLMARK_DATA_DIR=" + shellQuote(QM_SOURCE_DIR "/data"));
        ASSERT_EQ(run.status, 0) << batches[b] << "\n" << run.err;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".html") quoted += " " + shellQuote(entry.path().string());
    }
    const XmlCheck xml = xmllint(quoted);
    EXPECT_TRUE(xml.wellFormed) << xml.diagnostics.substr(0, 4000);
}

} // namespace
