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

bool Syntax::parse(Log*, const unsigned short* text, std::uint32_t length, Generator* generator) {
    lexer->setSource(text, length);
    for (;;) {
        std::unique_ptr<Token> t(lexer->nextToken());
        if (!t) return false;
        parser->feed(t.get(), generator);
        if (t->code == 0) {
            generator->endSrcText();
            return true;
        }
    }
}

bool Syntax::dumpTokens(Log*, const unsigned short* text, std::uint32_t length) {
    lexer->setSource(text, length);
    for (;;) {
        std::unique_ptr<Token> t(lexer->nextToken());
        if (!t) return false;
        if (!t->value) {
            std::printf("token_id: %02d\n", t->code);
        } else {
            CCC::TString<char> bytes;
            CCC::Iceman::convertToBString(CCC::ceid::kUtf16N, CCC::ceid::kShiftJis, *t->value, bytes);
            std::printf("token_id: %02d (", t->code);
            std::fwrite(bytes.data(), 1, bytes.size(), stdout);
            std::fputs(")\n", stdout);
        }
        if (t->code == 0) return true;
    }
}

} // namespace Orvane
