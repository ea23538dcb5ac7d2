#include "S2Parser.h"

#include "S2Grammar.h"

namespace Orvane {

S2Parser::S2Parser() : engine_(S2Grammar::tables()) {}

void S2Parser::feed(Token* token, Generator* generator) { engine_.feed(token, generator); }

} // namespace Orvane
