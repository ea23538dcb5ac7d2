// 500 random but plausible manuscripts (a seeded generator of every kind of
// line and inline construct, in both forms of the marks, with text that
// needs escaping) converted in five batches with different options: every
// output must be well-formed XML.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/CliRunner.h"
#include "support/Xmllint.h"

namespace {

using namespace qmtest;

class ManuscriptMaker {
public:
    explicit ManuscriptMaker(unsigned seed) : rng_(seed) {}

    std::string manuscript() {
        std::string text;
        const int lines = pick(1, 40);
        for (int i = 0; i < lines; ++i) text += line() + (chance(30) && i + 1 == lines ? "" : "\n");
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    template <std::size_t N>
    const char* oneOf(const char* const (&list)[N]) {
        return list[pick(0, static_cast<int>(N) - 1)];
    }
    // A line mark in its half-width or its full-width form.
    std::string mark(const char* half, const char* full) { return chance(50) ? half : full; }

    std::string words() {
        static const char* const kWords[] = {"猫", "吾輩は", "名前", "まだ無い", "text", "a < b", "x & y", "c > d",
                                             "\"引用\"", "'単'", "--", "1.5", "東京", "ｶﾀｶﾅ", "日本語の文",
                                             " ", "\t", "＝", "=", "+", "&amp;", "&#x41;"};
        std::string s;
        const int n = pick(1, 4);
        for (int i = 0; i < n; ++i) s += oneOf(kWords);
        return s;
    }

    // One construct, its marks all in one form (a raw-markup pair in two
    // forms would leave syntaxes 3 and 4 an unclosed raw text, which is
    // copied unescaped by design).
    std::string inlinePiece() {
        const bool f = chance(50);
        auto m = [f](const char* half, const char* full) { return std::string(f ? full : half); };
        switch (pick(0, 21)) {
        case 0: return m("~", "〜") + std::to_string(pick(-2, 30)) + m("~", "～");
        case 1: return m("~", "～") + m("~", "‾");
        case 2: return m("~", "〜") + m("-", "－") + std::to_string(pick(0, 9)) + m("~", "〜");
        case 3: return m("~", "〜") + m("=", "＝") + "iv" + m("~", "〜");
        case 4: return m("~", "〜") + m("*", "＊") + words() + m("~", "〜");
        case 5: return m(";", "；");
        case 6: return m("%", "％") + "pic" + std::to_string(pick(0, 9)) + ".png" + m("%", "％") + words() + m("%", "％");
        case 7: return m("#", "＃") + "n" + std::to_string(pick(0, 99)) + m("#", "＃") + words() + m("#", "＃");
        case 8: return m("^", "＾") + "http://example.org/?a=1&b=\"2\"" + m("^", "＾") + words() + m("^", "＾");
        case 9: return m("$", "＄") + oneOf({"<em>強</em>", "<br />", "&#x3042;", "<b>太<i>斜</i></b>"}) + m("$", "＄");
        case 10: return m("_", "＿") + words() + m("_", "＿");
        case 11: return m("`", "｀") + "漢字" + m("`", "｀") + "かんじ" + m("`", "｀");
        case 12: return repeat("。", pick(1, 12));
        case 13: return "。" + std::string(oneOf({"」", "』", "｣", "）"}));
        case 14: return oneOf({"」", "』", "｣", "）"});
        case 15: return "▲";
        case 16: return "、";
        case 17: return ".,";
        // Escapes; none ends in an escape character, which would escape
        // the next piece's mark.
        case 18: return oneOf({"\\~", "\\\\x", "¥%", "＼＃", "￥；"});
        case 19: return oneOf({"<", ">", "&", "<!--", "]]>"});
        default: return words();
        }
    }

    std::string phrases() {
        std::string s;
        const int n = pick(0, 6);
        for (int i = 0; i < n; ++i) s += inlinePiece();
        if (chance(10)) s += mark("__", "＿＿") + words() + "--";
        return s;
    }

    static std::string repeat(const char* s, int n) {
        std::string r;
        for (int i = 0; i < n; ++i) r += s;
        return r;
    }

    std::string line() {
        switch (pick(0, 15)) {
        case 0: return mark("=", "＝") + words();
        case 1: return chance(50) ? mark("&", "＆") : mark("&", "＆") + words();
        case 2: return repeat(chance(50) ? "*" : "＊", pick(1, 7)) + phrases();
        case 3: return oneOf({"■", "□", "◆", "◇", "●", "○"}) + phrases();
        case 4:
        case 5: {
            std::string marks;
            const int n = pick(1, 3);
            for (int i = 0; i < n; ++i) marks += chance(50) ? mark("+", "＋") : mark("-", "－");
            return marks + phrases();
        }
        case 6: return chance(80) ? "----" : "－－－－";
        case 7:
        case 8: {
            std::string row;
            const int cells = pick(1, 6);
            for (int i = 0; i < cells; ++i) row += (chance(30) ? mark("!", "！") : mark("|", "｜")) + phrases();
            return row + (chance(20) ? " " : "");
        }
        case 9: return "";
        default: return phrases();
        }
    }

    std::mt19937 rng_;
};

struct Batch {
    const char* options;
    int count;
};

TEST(GeneratedManuscripts, ConvertToWellFormedXml) {
    const Batch batches[] = {
        {"", 100},
        {"--span ten,period,comma --xhtml 1.1 --style yoko", 100},
        {"--syntax 3 --style tate", 100},
        {"--syntax 4 --xhtml 1.1 --style yoko-check", 100},
        {"--style tate-check --span ten", 100},
    };
    ManuscriptMaker maker(20260601);
    Scratch scratch("generated");
    std::string quoted;
    int total = 0;
    for (std::size_t b = 0; b < std::size(batches); ++b) {
        const fs::path folder = scratch / ("batch" + std::to_string(b));
        fs::create_directories(folder);
        std::string files;
        for (int i = 0; i < batches[b].count; ++i, ++total) {
            // "m1-" and "m11-": the split parts of one never take the other's name.
            const std::string name = "batch" + std::to_string(b) + "/m" + std::to_string(i) + "-.txt";
            // A leading ASCII line keeps the detector on UTF-8 for every file.
            writeBytes(scratch / name, "本文\n" + maker.manuscript());
            files += " " + name;
        }
        const ToolRun run = runQuillmark(scratch.dir(), std::string("convert -t utf-8 ") + batches[b].options + files,
                                         "QUILLMARK_DATA_DIR=" + shellQuote(QM_SOURCE_DIR "/data"));
        ASSERT_EQ(run.status, 0) << batches[b].options << "\n" << run.err;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".html") quoted += " " + shellQuote(entry.path().string());
    }
    EXPECT_EQ(total, 500);
    const XmlCheck xml = xmllint(quoted);
    EXPECT_TRUE(xml.wellFormed) << xml.diagnostics.substr(0, 4000);
}

} // namespace
