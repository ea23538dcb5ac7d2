#include "app/controller/CoreSettings.h"
#include "core/generator/Generator1.h"
#include "core/syntax/Syntax.h"
#include "core/syntax/s2/S2Lexer.h"

namespace tolvanw32 {

void applySpanOptions(Orvane::Syntax* syntax, bool ten, bool period, bool comma) {
    // Syntaxes 2, 3 and 4 share the span-aware lexer (S3Lexer and S4Lexer
    // derive from S2Lexer).
    if (!syntax) return;
    if (auto* lexer = dynamic_cast<Orvane::S2Lexer*>(syntax->getLexer())) lexer->setSpanOptions(ten, period, comma);
}

void applyXhtmlVersion(Orvane::Generator* generator, int version) {
    if (auto* g = dynamic_cast<Orvane::Generator1*>(generator)) g->setXhtml(version);
}

void applyStyleSheet(Orvane::Generator* generator, const CCC::TString<unsigned short>* name, bool yoko, bool tate) {
    if (auto* g = dynamic_cast<Orvane::Generator1*>(generator)) {
        g->setStyleSheet(name);
        g->setYokoP(yoko);
        g->setTateP(tate);
    }
}

} // namespace tolvanw32
