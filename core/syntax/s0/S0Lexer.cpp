#include "S0Lexer.h"

namespace Orvane {

namespace {

bool escapeP(unsigned short c) { return c == u'\\' || c == u'¥' || c == u'￥' || c == u'＼'; }
bool markP(unsigned short c) { return c == u'#' || c == u'&' || c == u'\n'; }

} // namespace

Token* S0Lexer::nextToken() {
    if (position >= length) return new Token(kS0End);
    Token* t = nullptr;
    if (state == kS0LineStart) {
        switch (source[position]) {
        case u'\n': t = new Token(kS0NL); break;
        case u'*': t = new Token(kS0ASTER); break;
        case u'=': t = new Token(kS0EQ); break;
        default: break;
        }
        if (t) ++position;
    }
    if (!t) t = scanInline();
    state = t->code;
    return t;
}

Token* S0Lexer::scanInline() {
    switch (source[position]) {
    case u'\n': ++position; return new Token(kS0NL);
    case u'#': ++position; return new Token(kS0SHARP);
    case u'&': ++position; return new Token(kS0AMP);
    default: break;
    }
    // The first character is not a mark, so the run is never empty. Escape
    // characters and control characters stay in the text as written.
    std::uint32_t i = position + 1;
    while (i < length && !(markP(source[i]) && !escapeP(source[i - 1]))) ++i;
    auto* text = new DString(source + position, i - position);
    position = i;
    return new Token(kS0STRING, text);
}

} // namespace Orvane
