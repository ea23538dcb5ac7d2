#include "SyntaxFactory.h"

#include "core/syntax/s0/S0Syntax.h"
#include "core/syntax/s1/S1Syntax.h"
#include "core/syntax/s2/S2Syntax.h"

namespace Orvane {

// Each syntax family adds its numbers here as it joins the program.
Syntax* createSyntax(int number) {
    switch (number) {
    case 0: return new S0Syntax();
    case 1: return new S1Syntax();
    case 2: return new S2Syntax();
    case 3: return new S3Syntax();
    case 4: return new S4Syntax();
    default: return nullptr;
    }
}

} // namespace Orvane
