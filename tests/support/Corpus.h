#pragma once

// Case corpora kept as text: one case a line, TAB-separated columns, with
// escapes for the bytes a text file cannot hold plainly.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Files.h"

namespace qmtest {

// Reads \n \r \t \0 \\ and \xHH; any other escaped character stands for itself.
inline std::string unescaped(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        if (c == 'x') {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == '0' ? '\0' : c;
        }
    }
    return out;
}

// The columns of one line; a trailing TAB ends with an empty column.
inline std::vector<std::string> columns(const std::string& line) {
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, '\t');) cells.push_back(cell);
    if (!line.empty() && line.back() == '\t') cells.emplace_back();
    return cells;
}

// The columns of every line of a corpus that is neither empty nor a # comment.
inline std::vector<std::vector<std::string>> corpusLines(const fs::path& path) {
    std::vector<std::vector<std::string>> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(columns(line));
    return lines;
}

} // namespace qmtest
