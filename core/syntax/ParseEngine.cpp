#include "ParseEngine.h"

#include <utility>

namespace Orvane {

ParseEngine::ParseEngine(const ParseTables& tables, void* user) : tables_(tables), user_(user) {
    // A line of markup rarely needs more; deeper input grows the stack.
    stack_.reserve(128);
}

bool ParseEngine::push(int state, int symbol, Token&& value) {
    if (stack_.size() >= kStackLimit) {
        if (listener_ && lookahead_) listener_->discarding(*this, lookahead_->code, lookahead_->offset);
        stack_.clear();
        return false;
    }
    stack_.emplace_back(state, symbol, std::move(value));  // built in place: one move of the value
    return true;
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
        const int act = tables_.findShiftAction(stack_.back().stateNumber, major);
        if (tables_.shiftP(act)) {
            if (!push(act, major, token ? Token(std::move(*token)) : Token())) {
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

bool ParseEngine::reduce(int rule) {
    const ParseTables::RuleInfo& info = tables_.rules[static_cast<std::size_t>(rule)];
    const std::size_t n = static_cast<std::size_t>(info.rhsLength);
    ReduceContext ctx{generator_, stack_.data() + (stack_.size() - n), Token(-1), user_, rule};
    if (info.action) info.action(ctx);
    // The state under the right-hand side decides the goto; the bottom
    // entry is never part of a right-hand side.
    const std::size_t base = stack_.size() - n;
    const int act = tables_.findReduceAction(stack_[base - 1].stateNumber, info.lhs);
    if (tables_.shiftP(act)) {
        if (n == 0) return push(act, info.lhs, std::move(ctx.result));
        // The left-hand side takes the slot of the right-hand side's first
        // symbol: a pop and a push without moving the rest.
        stack_.resize(base + 1);
        StackEntry& e = stack_[base];
        e.stateNumber = act;
        e.symbol = info.lhs;
        e.value = std::move(ctx.result);
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
