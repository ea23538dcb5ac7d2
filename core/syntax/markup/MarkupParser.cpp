#include "MarkupParser.h"

#include "MarkupTokens.h"
#include "core/model/Diagnostics.h"

namespace Orvane {

namespace {

using namespace markup;

// The construct a mark opens, when an unclosed one loses text: kDiscarded
// for any other symbol.
DiagnosticKind openedBy(int code, bool spans) {
    switch (code) {
    case kTILDE: return DiagnosticKind::kUnclosedPage;
    case kBACKQUOTE: return DiagnosticKind::kUnclosedRuby;
    case kPERCENT: return DiagnosticKind::kUnclosedImage;
    case kSHARP: return DiagnosticKind::kUnclosedAnchor;
    case kCARET: return DiagnosticKind::kUnclosedLink;
    case kDOLLAR: return DiagnosticKind::kUnclosedRaw;
    case kUNDER: return DiagnosticKind::kUnclosedComment;
    case kAT: return spans ? DiagnosticKind::kDiscarded : DiagnosticKind::kUnclosedMacro;
    default: return DiagnosticKind::kDiscarded;
    }
}

} // namespace

MarkupParser::MarkupParser(bool spans) : spans_(spans), engine_(MarkupGrammar::tables(spans), &context_) {}

void MarkupParser::feed(Token* token, Generator* generator) { engine_.feed(token, generator); }

void MarkupParser::setDiagnostics(Diagnostics* diagnostics) {
    context_.diagnostics = diagnostics;
    engine_.setDiscardListener(diagnostics ? this : nullptr);
}

void MarkupParser::discarding(const ParseEngine& engine, int offendingCode, std::uint32_t offendingOffset) {
    const ParseTables& tables = engine.tables();
    // The line being read lies above the lines read before it.
    const int lines = MarkupGrammar::linesSymbol(tables);
    int first = 1;
    for (int i = engine.top(); i >= 1; --i) {
        if (engine.entry(i).symbol == lines) {
            first = i + 1;
            break;
        }
    }
    if (offendingCode == kNL || offendingCode == kEnd) {
        // The marks of a construct still open are the terminals above the
        // last nonterminal; the lowest of them opened it.
        int opening = -1;
        for (int i = engine.top(); i >= first && engine.entry(i).symbol < tables.terminalCount; --i)
            if (openedBy(engine.entry(i).symbol, spans_) != DiagnosticKind::kDiscarded) opening = i;
        if (opening >= 0) {
            const StackEntry& mark = engine.entry(opening);
            context_.diagnostics->add(openedBy(mark.symbol, spans_), mark.value.offset);
            return;
        }
    }
    context_.diagnostics->add(DiagnosticKind::kDiscarded,
                              first <= engine.top() ? engine.entry(first).value.offset : offendingOffset);
}

} // namespace Orvane
