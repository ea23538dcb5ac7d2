#include "S0Lexer.h"

namespace Orvane {

namespace {

bool escapeP(unsigned short c) { return c == u'\\' || c == u'¥' || c == u'￥' || c == u'＼'; }
bool markP(unsigned short c) { return c == u'#' || c == u'&' || c == u'\n'; }

} // namespace

Token* S0Lexer::nextToken() {
    if (position >= length) return give(kS0End);
    Token* t = nullptr;
    if (state == kS0LineStart) {
        switch (source[position]) {
        case u'\n': t = give(kS0NL); break;
        case u'*': t = give(kS0ASTER); break;
        case u'=': t = give(kS0EQ); break;
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
    case u'\n': ++position; return give(kS0NL);
    case u'#': ++position; return give(kS0SHARP);
    case u'&': ++position; return give(kS0AMP);
    default: break;
    }
    // The first character is not a mark, so the run is never empty. Escape
    // characters and control characters stay in the text as written.
    std::uint32_t i = position + 1;
    while (i < length && !(markP(source[i]) && !escapeP(source[i - 1]))) ++i;
    auto* text = new DString(source + position, i - position);
    position = i;
    return give(kS0STRING, text);
}

} // namespace Orvane
