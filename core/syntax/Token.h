#pragma once

#include <cstdint>

#include "RecycledRecord.h"
#include "ccc/base/TString.h"

namespace Orvane {

using DString = CCC::TString<unsigned short>;

struct Phrase;
struct Cell;

// The record a lexer returns and the value of a grammar symbol on the parse
// stack. It owns its text and, as a nonterminal's value, its phrase or cell
// chain; moving it hands all of them on.
class Token : public RecycledRecord<Token> {
public:
    Token() = default;
    explicit Token(int code, DString* value = nullptr) : code(code), value(value) {}
    Token(Token&& o) noexcept
        : code(o.code), offset(o.offset), value(o.value), phrases(o.phrases), cells(o.cells) {
        o.value = nullptr;
        o.phrases = nullptr;
        o.cells = nullptr;
    }
    Token& operator=(Token&& o) noexcept {
        if (this != &o) {
            if (ownsP()) release();
            code = o.code;
            offset = o.offset;
            value = o.value;
            phrases = o.phrases;
            cells = o.cells;
            o.value = nullptr;
            o.phrases = nullptr;
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

    int code = 0;
    // Where a terminal starts in the source, in units (0 for nonterminals).
    // Fits beside the code.
    std::uint32_t offset = 0;
    DString* value = nullptr;
    Phrase* phrases = nullptr;
    Cell* cells = nullptr;

private:
    // One test for the three: tokens are made and dropped by the million.
    bool ownsP() const {
        return (reinterpret_cast<std::uintptr_t>(value) | reinterpret_cast<std::uintptr_t>(phrases) |
                reinterpret_cast<std::uintptr_t>(cells)) != 0;
    }
    void release();
};

} // namespace Orvane
