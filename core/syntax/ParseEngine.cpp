#include "ParseEngine.h"

#include <memory>
#include <utility>

namespace Orvane {

ParseEngine::ParseEngine(const ParseTables& tables, void* user)
    : tables_(tables), width_(tables.symbolCodeCount > 0 ? tables.symbolCodeCount - 1 : 0), user_(user) {
    dense_.resize(static_cast<std::size_t>(tables.stateCount) * static_cast<std::size_t>(width_));
    for (int state = 0; state < tables.stateCount; ++state)
        for (int symbol = 0; symbol < width_; ++symbol)
            dense_[static_cast<std::size_t>(state) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(symbol)] =
                symbol < tables.terminalCount ? tables.findShiftAction(state, symbol)
                                              : tables.findReduceAction(state, symbol);
    // A line of markup rarely needs more; deeper input grows the stack.
    stack_.reserve(128);
}

// Inline, defined before its callers: a push for every token and every
// empty right-hand side, where a call costs as much as the push.
inline bool ParseEngine::push(int state, int symbol, Token&& value) {
    if (stack_.size() >= kStackLimit) {
        if (listener_ && lookahead_) listener_->discarding(*this, lookahead_->code, lookahead_->offset);
        stack_.clear();
        return false;
    }
    stack_.emplace_back(state, symbol, std::move(value));  // built in place: one move of the value
    return true;
}

// Inlined into feed(), its one caller: most tokens bring a reduction or two.
[[gnu::always_inline]] inline bool ParseEngine::reduce(int rule) {
    const ParseTables::RuleInfo& info = tables_.rules[static_cast<std::size_t>(rule)];
    const std::ptrdiff_t n = info.rhsLength;
    // Iterators and pointers only: the stack's size() divides by the size
    // of an entry, several times a reduction.
    const auto rhs = stack_.end() - n;
    ReduceContext ctx{generator_, std::to_address(rhs), Token(-1), user_, rule};
    if (info.action) info.action(ctx);
    // The state under the right-hand side decides the goto; the bottom
    // entry is never part of a right-hand side.
    const int act = actionOf(rhs[-1].stateNumber, info.lhs);
    if (tables_.shiftP(act)) {
        if (n == 0) return push(act, info.lhs, std::move(ctx.result));
        // The left-hand side takes the slot of the right-hand side's first
        // symbol: a pop and a push without moving the rest.
        if (n > 1) stack_.erase(rhs + 1, stack_.end());
        rhs->stateNumber = act;
        rhs->symbol = info.lhs;
        rhs->value = std::move(ctx.result);
        return true;
    }
    stack_.clear();
    if (act == tables_.acceptAction()) {
        if (onAccept_) onAccept_(user_);
    } else if (onFailure_) {
        onFailure_(user_);  // a goto the tables lack: cannot happen for a built grammar
    }
    return false;
}

void ParseEngine::feed(Token* token, Generator* generator) {
    int major = token ? token->code : 0;
    if (stack_.empty()) {
        if (major == 0) return;
        push(0, 0, Token());
        errorCount_ = -1;
    }
    generator_ = generator;
    lookahead_ = token;
    for (;;) {
        const int act = actionOf(stack_.back().stateNumber, major);
        if (tables_.shiftP(act)) {
            if (!(token ? push(act, major, std::move(*token)) : push(act, major, Token()))) {
                // Overflow: the pushed token is lost with the stack.
                return;
            }
            --errorCount_;
            if (major == 0 && !stack_.empty()) continue;
            return;
        }
        if (tables_.reduceP(act)) {
            if (!reduce(act - tables_.stateCount)) return;
            continue;
        }
        if (act == tables_.acceptAction()) {
            stack_.clear();
            if (onAccept_) onAccept_(user_);
            return;
        }
        if (listener_) listener_->discarding(*this, major, token ? token->offset : 0);
        recover();
        return;
    }
}

void ParseEngine::recover() {
    const int err = tables_.errorSymbol;
    while (!stack_.empty()) {
        if (err >= 0) {
            const int act = tables_.findShiftAction(stack_.back().stateNumber, err);
            if (tables_.shiftP(act)) {
                // A grammar with error rules resumes here; the offending
                // token is dropped all the same.
                push(act, err, Token(err));
                errorCount_ = 3;
                return;
            }
        }
        stack_.pop_back();
    }
    errorCount_ = 3;
    if (onFailure_) onFailure_(user_);
}

} // namespace Orvane
