#include "Token.h"

#include "RecycledText.h"
#include "markup/Phrase.h"

namespace Orvane {

// A parse makes one token every few characters: the offset must not make it bigger.
static_assert(sizeof(Token) <= 4 * sizeof(void*));

void Token::release() {
    RecycledText::release(value);
    Cell::deleteList(cells);
    value = nullptr;
    cells = nullptr;
}

} // namespace Orvane
