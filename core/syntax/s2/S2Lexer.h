#pragma once

#include "../markup/MarkupLexer.h"

namespace Orvane {

// The lexer of the span-aware markup: the family's lexer plus the choice of
// punctuation that ends a sentence span. Syntax 2 accepts both forms of
// every mark; S3Lexer and S4Lexer differ only in their tables.
class S2Lexer : public MarkupLexer {
public:
    S2Lexer() : S2Lexer(MarkupTables::forSyntax(2)) {}

    // Which punctuation besides "。" ends a span: "、", "." and ",".
    void setSpanOptions(bool ten, bool period, bool comma);
    bool spanTenP() const { return spanTen; }
    bool spanPeriodP() const { return spanPeriod; }
    bool spanCommaP() const { return spanComma; }

protected:
    explicit S2Lexer(const MarkupTables& tables) : MarkupLexer(tables) {}

private:
    bool spanTen = false;
    bool spanPeriod = false;
    bool spanComma = false;
};

class S3Lexer : public S2Lexer {
public:
    S3Lexer() : S2Lexer(MarkupTables::forSyntax(3)) {}
};

class S4Lexer : public S2Lexer {
public:
    S4Lexer() : S2Lexer(MarkupTables::forSyntax(4)) {}
};

} // namespace Orvane
