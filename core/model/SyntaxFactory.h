#pragma once

namespace Orvane {

class Syntax;

// The syntax with that number (0 to 4), a new object the caller owns; null
// for any other number and for a syntax not built into this program.
Syntax* createSyntax(int number);

} // namespace Orvane
