#include "Syntax.h"

#include <cstdio>
#include <memory>

#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"
#include "core/generator/Generator.h"

namespace Orvane {

Syntax::~Syntax() {
    delete lexer;
    delete parser;
}

bool Syntax::parse(Log*, const unsigned short* text, std::uint32_t length, Generator* generator,
                   TextArrival* arrival) {
    lexer->setSource(text, length);
    parser->setSource(text);
    try {
        if (!feedTokens(generator, arrival)) return false;
        generator->endSrcText();
        return true;
    } catch (...) {
        parser->clear();
        throw;
    }
}

bool Syntax::dumpTokens(Log*, const unsigned short* text, std::uint32_t length) {
    lexer->setSource(text, length);
    CCC::TString<char> bytes;
    for (;;) {
        const Token* const t = lexer->nextToken();
        if (!t) return false;
        std::printf("token_id: %02d", t->code);
        if (t->code >= 0 && static_cast<std::size_t>(t->code) < tokenNames_.size())
            std::printf(" %s", tokenNames_[t->code].c_str());
        if (t->textP()) {
            const auto units = t->textIn(text);
            CCC::Iceman::convertToBString(CCC::ceid::kUtf16N, printCeId_, DString(units.data(), units.size()), bytes);
            std::fputs(" (", stdout);
            std::fwrite(bytes.data(), 1, bytes.size(), stdout);
            std::fputc(')', stdout);
        }
        std::fputc('\n', stdout);
        if (t->code == 0) return true;
    }
}

} // namespace Orvane
