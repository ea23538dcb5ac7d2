#include "Token.h"

#include "s2/S2Phrase.h"

namespace Orvane {

Token& Token::operator=(Token&& o) noexcept {
    if (this != &o) {
        release();
        code = o.code;
        value = o.value;
        phrases = o.phrases;
        cells = o.cells;
        o.value = nullptr;
        o.phrases = nullptr;
        o.cells = nullptr;
    }
    return *this;
}

void Token::release() {
    delete value;
    S2Phrase::deleteChain(phrases);
    S2Cell::deleteList(cells);
    value = nullptr;
    phrases = nullptr;
    cells = nullptr;
}

} // namespace Orvane
