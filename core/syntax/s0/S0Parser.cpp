#include "S0Parser.h"

#include <cstdio>

#include "S0Grammar.h"

namespace Orvane {

namespace {
void printAccept(void*) { std::fputs("ACCEPT\n", stdout); }
void printFailure(void*) { std::fputs("FAILURE\n", stdout); }
} // namespace

S0Parser::S0Parser() : engine_(S0Grammar::tables()) { engine_.setHooks(printAccept, printFailure); }

void S0Parser::feed(Token* token, Generator* generator) { engine_.feed(token, generator); }

} // namespace Orvane
