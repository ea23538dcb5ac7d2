#include "MarkupParser.h"

#include "MarkupGrammar.h"

namespace Orvane {

MarkupParser::MarkupParser(bool spans) : engine_(MarkupGrammar::tables(spans)) {}

void MarkupParser::feed(Token* token, Generator* generator) { engine_.feed(token, generator); }

} // namespace Orvane
