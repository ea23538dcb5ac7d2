#pragma once

// Case corpora kept as plain text under tests/data: one case a line, fields
// separated by tabs; blank lines and lines starting with '#' are skipped.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace qmtest {

struct CorpusLine {
    std::string where;  // "file:line", for failure messages
    std::vector<std::string> fields;
};

// The cases of tests/data/<name>; a missing or empty file fails the test.
inline std::vector<CorpusLine> readCorpus(const std::string& name) {
    std::ifstream in(std::string(QM_TEST_DIR) + "/data/" + name);
    std::vector<CorpusLine> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (text.empty() || text[0] == '#') continue;
        CorpusLine line{name + ":" + std::to_string(number), {}};
        for (std::size_t at = 0;;) {
            const std::size_t tab = text.find('\t', at);
            line.fields.push_back(text.substr(at, tab - at));
            if (tab == std::string::npos) break;
            at = tab + 1;
        }
        lines.push_back(std::move(line));
    }
    EXPECT_FALSE(lines.empty()) << "no cases in tests/data/" << name;
    return lines;
}

// The bytes a field stands for: \xNN, \0, \t, \n, \r and \\ are escapes.
inline std::string unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        switch (const char c = s[++i]) {
        case 'x':
            out += static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16));
            i += 2;
            break;
        case '0': out += '\0'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace qmtest
