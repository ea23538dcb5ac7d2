#include "MarkupParser.h"

#include "MarkupTokens.h"
#include "Phrase.h"
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

// Where the source of a stack entry starts: a terminal's own offset, else
// that of the first phrase its list or cells hold (among the line's
// phrases); false for a value that holds none (an empty phrase list).
bool startOf(const StackEntry& e, int terminalCount, const LinePhrases& phrases, std::uint32_t& offset) {
    if (e.symbol < terminalCount) {
        offset = e.value.offset;
        return true;
    }
    std::span<const Phrase> first = phrases.list(e.value.phrases);
    for (const Cell* c = e.value.cells; c && first.empty(); c = c->next) first = phrases.list(c->phrases);
    if (!first.empty()) offset = first.front().offset;
    return !first.empty();
}

} // namespace

MarkupParser::MarkupParser(bool spans) : spans_(spans), engine_(MarkupGrammar::tables(spans), &context_) {}

void MarkupParser::setDiagnostics(Diagnostics* diagnostics) {
    context_.diagnostics = diagnostics;
    engine_.setDiscardListener(diagnostics ? this : nullptr);
}

void MarkupParser::discarding(const ParseEngine& engine, int offendingCode, std::uint32_t offendingOffset) {
    const ParseTables& tables = engine.tables();
    // Entry 0 is the start state; above it the lines read so far, whose
    // value holds no source, then the line being read.
    const int first = 1;
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
    // The first token lost is the offending one when the line held nothing yet.
    std::uint32_t offset = offendingOffset;
    for (int i = first; i <= engine.top(); ++i)
        if (startOf(engine.entry(i), tables.terminalCount, context_.phrases, offset)) break;
    context_.diagnostics->add(DiagnosticKind::kDiscarded, offset);
}

} // namespace Orvane
