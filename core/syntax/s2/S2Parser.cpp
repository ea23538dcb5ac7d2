#include "S2Parser.h"

#include "../markup/MarkupGrammar.h"

namespace Orvane {

S2Parser::S2Parser() : engine_(MarkupGrammar::tables(true)) {}

void S2Parser::feed(Token* token, Generator* generator) { engine_.feed(token, generator); }

} // namespace Orvane
