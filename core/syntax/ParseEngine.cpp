#include "ParseEngine.h"

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

namespace Orvane {

ParseEngine::ParseEngine(const ParseTables& tables, void* user)
    : tables_(tables),
      width_(tables.symbolCodeCount > 0 ? tables.symbolCodeCount - 1 : 0),
      stateCount_(tables.stateCount),
      reduceEnd_(tables.stateCount + tables.ruleCount),
      rules_(tables.rules.data()),
      user_(user) {
    context_.user = user;
    for (const ParseTables::RuleInfo& rule : tables.rules)
        if (rule.lhs < tables.terminalCount || rule.lhs >= width_)
            throw std::invalid_argument("a rule whose left-hand side is no nonterminal of its tables");
    while ((1 << rowShift_) < width_) ++rowShift_;
    dense_.resize(static_cast<std::size_t>(tables.stateCount) << rowShift_);
    for (int state = 0; state < tables.stateCount; ++state) {
        for (int symbol = 0; symbol < width_; ++symbol) {
            const int act = symbol < tables.terminalCount ? tables.findShiftAction(state, symbol)
                                                          : tables.findReduceAction(state, symbol);
            if (act < 0 || act > UINT16_MAX)
                throw std::length_error("a grammar with more actions than a parse engine holds");
            dense_[cell(state, symbol)] = static_cast<std::uint16_t>(act);
        }
    }
}

ParseEngine::~ParseEngine() {
    popTo(stack_);
    std::allocator<StackEntry>().deallocate(stack_, static_cast<std::size_t>(end_ - stack_));
}

bool ParseEngine::grow() {
    const auto size = static_cast<std::size_t>(top_ - stack_);
    const auto room = static_cast<std::size_t>(end_ - stack_);
    if (room >= kStackLimit) return false;
    // A line of markup rarely needs more than the first room; deeper input
    // doubles it.
    const std::size_t more = std::min(kStackLimit, room ? 2 * room : 128);
    StackEntry* const fresh = std::allocator<StackEntry>().allocate(more);
    for (std::size_t i = 0; i < size; ++i) {
        new (fresh + i) StackEntry(std::move(stack_[i]));
        stack_[i].~StackEntry();
    }
    std::allocator<StackEntry>().deallocate(stack_, room);
    stack_ = fresh;
    top_ = fresh + size;
    end_ = fresh + more;
    return true;
}

// Inline, defined before its callers: a push for every token and every
// empty right-hand side, where a call costs as much as the push.
inline bool ParseEngine::push(int state, int symbol, Token&& value) {
    if (top_ == end_ && !grow()) {
        if (listener_ && lookahead_) listener_->discarding(*this, lookahead_->code, lookahead_->offset);
        popTo(stack_);
        return false;
    }
    new (top_++) StackEntry(state, symbol, std::move(value));  // built in place: one move of the value
    return true;
}

// Inlined into feed(), its one caller: most tokens bring a reduction or two.
[[gnu::always_inline]] inline int ParseEngine::reduce(int rule) {
    const ParseTables::RuleInfo& info = rules_[rule];
    StackEntry* const rhs = top_ - info.rhsLength;
    if (info.action) {
        context_.rhs = rhs;
        context_.rule = rule;
        try {
            info.action(context_);
        } catch (...) {
            result_ = Token(-1);  // what the action made goes with the parse
            throw;
        }
    }
    // The state under the right-hand side decides the goto; the bottom
    // entry is never part of a right-hand side.
    const int act = gotoOf(rhs[-1].stateNumber, info.lhs);
    if (act < stateCount_) [[likely]] {
        StackEntry* const end = top_;
        if (rhs == end) {
            if (push(act, info.lhs, std::move(result_))) return act;
            result_ = Token(-1);  // lost with the stack
            return -1;
        }
        // The left-hand side takes the slot of the right-hand side's first
        // symbol: a pop and a push without moving the rest. What the action
        // left of the right-hand side goes now.
        for (StackEntry* e = rhs + 1; e != end; ++e) e->value.~Token();
        top_ = rhs + 1;
        rhs->stateNumber = act;
        rhs->symbol = info.lhs;
        rhs->value.~Token();
        ::new (&rhs->value) Token(std::move(result_));
        return act;
    }
    popTo(stack_);
    if (act == tables_.acceptAction()) {
        if (onAccept_) onAccept_(user_);
    } else if (onFailure_) {
        onFailure_(user_);  // a goto the tables lack: cannot happen for a built grammar
    }
    return -1;
}

void ParseEngine::feed(Token* token, Generator* generator) {
    int major = token ? token->code : 0;
    if (emptyP()) {
        if (major == 0) return;
        push(0, 0, Token());
        errorCount_ = -1;
    }
    context_.generator = generator;
    lookahead_ = token;
    // The state on top, held here from step to step rather than read back
    // from the entry just written.
    int state = top_[-1].stateNumber;
    for (;;) {
        const int act = actionOf(state, major);
        if (act < stateCount_) {
            if (!(token ? push(act, major, std::move(*token)) : push(act, major, Token()))) {
                // Overflow: the pushed token is lost with the stack.
                return;
            }
            --errorCount_;
            state = act;
            if (major == 0 && !emptyP()) continue;
            return;
        }
        if (act < reduceEnd_) {
            state = reduce(act - stateCount_);
            if (state < 0) return;
            continue;
        }
        if (act == tables_.acceptAction()) {
            popTo(stack_);
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
    while (!emptyP()) {
        if (err >= 0) {
            const int act = tables_.findShiftAction(top_[-1].stateNumber, err);
            if (tables_.shiftP(act)) {
                // A grammar with error rules resumes here; the offending
                // token is dropped all the same.
                push(act, err, Token(err));
                errorCount_ = 3;
                return;
            }
        }
        popTo(top_ - 1);
    }
    errorCount_ = 3;
    if (onFailure_) onFailure_(user_);
}

} // namespace Orvane
