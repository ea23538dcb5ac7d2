#pragma once

// What the end-to-end benchmarks draw their Japanese text from, so that
// every run builds the same documents.

#include <cstddef>
#include <string>

namespace bench {

// A deterministic stream of pseudo-random numbers from 0 to 0x7FFF.
class ProseRandom {
public:
    unsigned next() { return seed_ = seed_ * 1103515245u + 12345u, (seed_ >> 16) & 0x7FFF; }

private:
    unsigned seed_ = 4711;
};

// Appends cp in UTF-8. The benchmarks' text holds ASCII and characters from
// U+0800 to U+FFFF only, so one byte or three.
inline void appendUtf8(std::string& s, unsigned cp) {
    if (cp < 0x80) {
        s.push_back(static_cast<char>(cp));
    } else {
        s.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        s.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Japanese text pieces from a deterministic stream.
class Prose : public ProseRandom {
public:
    // count kana and kanji, no mark characters of either language.
    void appendWords(std::string& s, int count) {
        for (int i = 0; i < count; ++i) {
            const unsigned r = next() % 100;
            if (r < 45) appendUtf8(s, 0x3041 + next() % 83);      // hiragana
            else if (r < 60) appendUtf8(s, 0x30A1 + next() % 86); // katakana
            else appendUtf8(s, 0x4E00 + next() % 3000);           // kanji
        }
    }
};

// One generator writes both documents block by block, so that they have the
// same shape: headings, paragraphs of several sentences, nested lists,
// tables with a header row. The manuscript adds what only it can express
// (ruby, page numbers, span breaks, closing brackets after a sentence end).
struct Documents {
    std::string manuscript;
    std::string markdown;
};

inline Documents makeDocuments(std::size_t bytes) {
    Documents d;
    d.manuscript.reserve(bytes + 4096);
    d.markdown.reserve(bytes + 4096);
    Prose p;
    std::string& m = d.manuscript;
    std::string& md = d.markdown;
    m += "=\xE6\x98\xA5\xE3\x81\xAE\xE5\xB0\x8F\xE5\xBE\x84\n"; // =春の小径
    int page = 1;
    for (int block = 0; m.size() < bytes; ++block) {
        if (block % 40 == 0) {
            std::string title;
            p.appendWords(title, 8);
            const int level = 1 + (block / 40) % 3;
            m.append(static_cast<std::size_t>(level), '*').append(title).push_back('\n');
            md.append(static_cast<std::size_t>(level), '#').append(" ").append(title).append("\n\n");
        }
        const unsigned kind = block % 10;
        if (kind < 6) {
            // A paragraph of three to five sentences.
            std::string text, mdText;
            const int sentences = 3 + static_cast<int>(p.next() % 3);
            for (int i = 0; i < sentences; ++i) {
                std::string words;
                p.appendWords(words, 12 + static_cast<int>(p.next() % 20));
                text += words;
                mdText += words;
                switch (p.next() % 8) {
                case 0: { // ruby
                    std::string base, reading;
                    p.appendWords(base, 2);
                    p.appendWords(reading, 4);
                    text += "`" + base + "`" + reading + "`";
                    mdText += base;
                    break;
                }
                case 1: // a closing bracket right after the sentence end
                    text += "\xE3\x80\x82\xE3\x80\x8D"; // 。」
                    mdText += "\xE3\x80\x82\xE3\x80\x8D";
                    continue;
                case 2: // span break
                    text += "\xE2\x96\xB2";             // ▲
                    break;
                default: break;
                }
                text += "\xE3\x80\x82"; // 。
                mdText += "\xE3\x80\x82";
            }
            if (block % 7 == 0) text.append("~").append(std::to_string(++page)).push_back('~');
            m.append("\xE3\x80\x80").append(text).push_back('\n'); // paragraph indented by a full-width space
            md += mdText + "\n\n";
        } else if (kind < 8) {
            // A list with a nested level.
            for (int i = 0; i < 5; ++i) {
                std::string words;
                p.appendWords(words, 10 + static_cast<int>(p.next() % 10));
                const bool nested = i % 3 == 2;
                m += (nested ? "++" : "+") + words + "\n";
                md += (nested ? "  - " : "- ") + words + "\n";
            }
            md += "\n";
        } else {
            // A table: header row and four data rows of three cells.
            for (int row = 0; row < 5; ++row) {
                std::string line = "|";
                for (int cell = 0; cell < 3; ++cell) {
                    std::string words;
                    p.appendWords(words, 4 + static_cast<int>(p.next() % 6));
                    m += (row == 0 ? "!" : "|") + words;
                    line += " " + words + " |";
                }
                m += "\n";
                md += line + "\n";
                if (row == 0) md += "| --- | --- | --- |\n";
            }
            md += "\n";
        }
    }
    // The same number of bytes for both.
    while (md.size() < m.size()) {
        std::string words;
        p.appendWords(words, 30);
        md += words + "\n\n";
    }
    return d;
}

} // namespace bench
