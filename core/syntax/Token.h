#pragma once

#include <cstdint>

#include "RecycledRecord.h"
#include "ccc/base/TString.h"

namespace Orvane {

using DString = CCC::TString<unsigned short>;

struct Cell;

// The record a lexer returns and the value of a grammar symbol on the parse
// stack. It owns its text and, as a nonterminal's value, its cell list;
// moving it hands them on. A list of phrases it only names: the parse keeps
// the phrases of the line being read. A terminal whose text is a stretch
// of the source as it stands owns none: it names the stretch (sourceLength
// units from offset), and the source outlives the parse.
class Token : public RecycledRecord<Token> {
public:
    // The longest stretch of source a token names; a longer text is a value.
    static constexpr std::uint32_t kLongestSourceText = UINT16_MAX;

    Token() = default;
    explicit Token(int code, DString* value = nullptr) : code(static_cast<std::int16_t>(code)), value(value) {}
    Token(Token&& o) noexcept
        : code(o.code), sourceLength(o.sourceLength), offset(o.offset), value(o.value), phrases(o.phrases),
          cells(o.cells) {
        o.value = nullptr;
        o.phrases = 0;
        o.cells = nullptr;
    }
    Token& operator=(Token&& o) noexcept {
        if (this != &o) {
            if (ownsP()) release();
            code = o.code;
            sourceLength = o.sourceLength;
            offset = o.offset;
            value = o.value;
            phrases = o.phrases;
            cells = o.cells;
            o.value = nullptr;
            o.phrases = 0;
            o.cells = nullptr;
        }
        return *this;
    }
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;
    // Most records own nothing by the time they go: skip the call then.
    ~Token() {
        if (ownsP()) release();
    }

    // Hands the text over to the caller.
    DString* takeValue() {
        DString* v = value;
        value = nullptr;
        return v;
    }

    // Whether a terminal has a text, and the text, given the source it was
    // cut from: its value, or the stretch it names there.
    bool textP() const { return value || sourceLength; }
    CCC::UnitStringView<unsigned short> textIn(const unsigned short* source) const {
        if (value) return {value->data(), value->size()};
        return {source + offset, sourceLength};
    }

    // Grammar symbols and token codes are few: sixteen bits leave room for
    // the length of a text named in the source.
    std::int16_t code = 0;
    std::uint16_t sourceLength = 0;  // units of source text from offset, when value is null
    // Where a terminal starts in the source, in units (0 for nonterminals).
    std::uint32_t offset = 0;
    DString* value = nullptr;
    // A nonterminal's list of phrases (a LinePhrases::ListId; 0: none).
    std::uint32_t phrases = 0;
    Cell* cells = nullptr;

private:
    // One test for the two: tokens are made and dropped by the million.
    bool ownsP() const {
        return (reinterpret_cast<std::uintptr_t>(value) | reinterpret_cast<std::uintptr_t>(cells)) != 0;
    }
    void release();
};

} // namespace Orvane
