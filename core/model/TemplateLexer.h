#pragma once

#include <cstddef>

namespace Orvane {

// Cuts a UTF-16 template into text runs, "@@" delimiters and placeholder
// names. A run is a name only when it sits between two delimiters and the
// token before the opening delimiter was text (or nothing): "x@@@@y" is the
// text x, two delimiters (a literal "@@") and the text y.
class TemplateLexer {
public:
    enum class Kind { None, End, Delimiter, Text, Name };

    struct Token {
        Kind kind = Kind::None;
        const unsigned short* units = nullptr;
        std::size_t length = 0;
    };

    TemplateLexer(const unsigned short* text, std::size_t length) : text_(text), length_(length) {}

    Token next();

private:
    Token make(Kind kind, std::size_t start, std::size_t length);

    const unsigned short* text_;
    std::size_t length_;
    std::size_t position_ = 0;
    Kind last_ = Kind::None;
    Kind beforeLast_ = Kind::None;
};

} // namespace Orvane
