#include "Token.h"

#include "s2/S2Phrase.h"

namespace Orvane {

void Token::release() {
    delete value;
    S2Phrase::deleteChain(phrases);
    S2Cell::deleteList(cells);
    value = nullptr;
    phrases = nullptr;
    cells = nullptr;
}

} // namespace Orvane
