#include "Token.h"

#include "markup/Phrase.h"

namespace Orvane {

void Token::release() {
    delete value;
    Phrase::deleteChain(phrases);
    Cell::deleteList(cells);
    value = nullptr;
    phrases = nullptr;
    cells = nullptr;
}

} // namespace Orvane
