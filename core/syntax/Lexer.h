#pragma once

#include <cstdint>

#include "RecycledText.h"
#include "Token.h"
#include "ccc/base/CacheLine.h"

namespace Orvane {

// Cuts the UTF-16 text of one source into tokens. The text is borrowed for
// the length of a run; a lexer holds no buffer of its own. Its position
// changes at every token, while a generator may be writing on another
// thread: it has its cache lines to itself.
class alignas(CCC::kCacheLine) Lexer {
public:
    Lexer() = default;
    virtual ~Lexer() = default;
    Lexer(const Lexer&) = delete;
    Lexer& operator=(const Lexer&) = delete;

    // The next token, which the lexer holds until the next call (the caller
    // may move its contents out); after the last real token, code 0 tokens
    // forever.
    virtual Token* nextToken() = 0;

    // Starts a run over text[0, length).
    void setSource(const unsigned short* text, std::uint32_t length) {
        source = text;
        this->length = length;
        position = 0;
    }

    // The length of s when the text at position begins with it (never
    // reading past length), else 0. Does not move position.
    unsigned match(const unsigned short* s) const { return matchUnits(s); }
    unsigned match(const char16_t* s) const { return matchUnits(s); }

    std::uint32_t getPosition() const { return position; }
    // The code of the last token (a lexer's own codes stand for its states).
    int getState() const { return state; }

    // Where the lexer stands between two tokens: resuming there reads the
    // next token again, as from the same text.
    struct Resume {
        std::uint32_t position;
        int state;
        int prevState;
    };
    Resume resumePoint() const { return {position, state, prevState}; }
    void resume(const Resume& at) {
        position = at.position;
        state = at.state;
        prevState = at.prevState;
    }
    // Whether the last token reached the end of the text.
    bool atEndP() const { return position >= length; }
    std::uint32_t getLength() const { return length; }
    // More of the text is there: it now runs to `longer`.
    void extendTo(std::uint32_t longer) { length = longer; }

protected:
    // The same, the first `known` units of s already seen to be there.
    template <class C>
    unsigned matchUnits(const C* s, std::uint32_t known = 0) const {
        std::uint32_t i = known;
        for (; s[i]; ++i)
            if (position + i >= length || source[position + i] != static_cast<unsigned short>(s[i])) return 0;
        return i;
    }

    // The token of the call: one record for every token of a run.
    Token* give(int code, DString* value = nullptr) {
        token_ = Token(code, value);
        return &token_;
    }
    // One whose text is the source's n units from start, as they stand
    // (start is the offset the token gets): named, not copied, where the
    // record can hold the length.
    [[gnu::always_inline]] Token* giveSourceText(int code, std::uint32_t start, std::uint32_t n) {
        if (n > Token::kLongestSourceText) [[unlikely]]
            return giveCopy(code, start, n);
        token_ = Token(code);
        token_.sourceLength = static_cast<std::uint16_t>(n);
        token_.offset = start;
        return &token_;
    }
    [[gnu::noinline]] Token* giveCopy(int code, std::uint32_t start, std::uint32_t n) {
        return give(code, RecycledText::make(source + start, n));
    }

    const unsigned short* source = nullptr;
    std::uint32_t length = 0;
    std::uint32_t position = 0;
    // A subclass's state machine: the code of the last token, and of the
    // one before (both start at the subclass's line start).
    int state = 0;
    int prevState = 0;

private:
    Token token_;
};

} // namespace Orvane
