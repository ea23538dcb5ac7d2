#include "S1Parser.h"

#include "S1Grammar.h"

namespace Orvane {

S1Parser::S1Parser() : engine_(S1Grammar::tables()) {}

void S1Parser::feed(Token* token, Generator* generator) { engine_.feed(token, generator); }

} // namespace Orvane
