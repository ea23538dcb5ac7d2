#include "S1Parser.h"

#include "../markup/MarkupGrammar.h"

namespace Orvane {

S1Parser::S1Parser() : engine_(MarkupGrammar::tables(false)) {}

void S1Parser::feed(Token* token, Generator* generator) { engine_.feed(token, generator); }

} // namespace Orvane
