#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "ParseTables.h"
#include "ccc/base/CacheLine.h"
#include "Token.h"

namespace Orvane {

class Generator;
class ParseEngine;

// One entry of the parse stack: a state and the grammar symbol that led to
// it, with the symbol's value.
struct StackEntry {
    // Spelled out so that the stack builds entries in place with every
    // compiler (parenthesised aggregate initialisation is not everywhere).
    StackEntry(int state, int sym, Token&& v) : stateNumber(state), symbol(sym), value(std::move(v)) {}

    int stateNumber;
    int symbol;
    Token value;
};

// What a rule action sees: the generator of the current feed, the values
// of the rule's right-hand side (rhs[0] is the leftmost symbol) and the
// slot for the left-hand side's value (empty when the action is called).
// Values the action does not take are released when the right-hand side
// is popped.
struct ReduceContext {
    Generator* generator;
    StackEntry* rhs;
    Token& result;
    void* user;
    int rule;
};

// Told when the engine is about to drop what it holds: after a syntax
// error (the offending token is dropped too) or when the stack overflows.
// The stack is still as the error found it.
class DiscardListener {
public:
    virtual ~DiscardListener() = default;
    virtual void discarding(const ParseEngine& engine, int offendingCode, std::uint32_t offendingOffset) = 0;
};

// The table-driven LALR(1) driver. Syntax errors are silent: the stack is
// popped until a state can shift the error symbol (when none can, it is
// emptied), the offending token is dropped, and the next token starts a
// fresh parse. The stack grows as needed up to kStackLimit entries; a push
// beyond that empties it and drops the token, like an error. The engine
// writes its state at every step, while a generator may be writing on
// another thread: it has its cache lines to itself.
class alignas(CCC::kCacheLine) ParseEngine {
public:
    static constexpr std::size_t kStackLimit = 100000;

    using Hook = void (*)(void* user);

    explicit ParseEngine(const ParseTables& tables, void* user = nullptr);
    ~ParseEngine();
    ParseEngine(const ParseEngine&) = delete;
    ParseEngine& operator=(const ParseEngine&) = delete;

    // Hands one token to the parser: its code is the major symbol; the
    // engine takes over its text and chains when it shifts it, so a token
    // that is dropped keeps them for its owner to release.
    void feed(Token* token, Generator* generator);

    // Called after an accept, and after error recovery emptied the stack.
    void setHooks(Hook onAccept, Hook onFailure) {
        onAccept_ = onAccept;
        onFailure_ = onFailure;
    }

    // Null: nobody is told.
    void setDiscardListener(DiscardListener* listener) { listener_ = listener; }

    int top() const { return static_cast<int>(top_ - stack_) - 1; }
    int errorCount() const { return errorCount_; }
    const StackEntry& entry(int i) const { return stack_[i]; }
    const ParseTables& tables() const { return tables_; }
    void clear() { popTo(stack_); }

private:
    // The tables' action for a state and a symbol from the dense copy:
    // one load instead of a probe of the packed rows.
    int actionOf(int state, int symbol) const {
        return static_cast<unsigned>(symbol) < static_cast<unsigned>(width_) ? dense_[cell(state, symbol)]
                                                                             : tables_.findShiftAction(state, symbol);
    }
    // The goto of a state on a nonterminal: every nonterminal has its
    // column in the dense table.
    int gotoOf(int state, int nonterminal) const { return dense_[cell(state, nonterminal)]; }
    std::size_t cell(int state, int symbol) const {
        return (static_cast<std::size_t>(state) << rowShift_) + static_cast<std::size_t>(symbol);
    }

    bool push(int state, int symbol, Token&& value);
    // Room for more entries, up to kStackLimit; false when there is none.
    bool grow();
    // Drops the entries from `to` on.
    void popTo(StackEntry* to) {
        for (StackEntry* e = to; e != top_; ++e) e->~StackEntry();
        top_ = to;
    }
    bool emptyP() const { return top_ == stack_; }
    // The state the reduction leaves on top, or -1 when the parse ended
    // inside it (accept or overflow).
    int reduce(int rule);
    void recover();

    const ParseTables& tables_;
    // Row per state, column per symbol (terminals, then nonterminals): the
    // shift actions and gotos of tables_, unpacked. Sixteen bits hold every
    // action of a grammar the engine takes, and halve the table a parse
    // reads at every step.
    std::vector<std::uint16_t> dense_;
    int width_ = 0;
    // Rows are 2^rowShift_ entries apart: a shift, not a multiplication,
    // on the path from one step's state to the next step's action.
    int rowShift_ = 0;
    // The tables' bounds of shifts and reductions, held here: the loop
    // reads them after every rule action, which the compiler cannot see
    // through, and a load through tables_ costs one more.
    int stateCount_;
    int reduceEnd_;  // the first action past the reductions
    const ParseTables::RuleInfo* rules_;
    void* user_;
    // The stack: entries [stack_, top_) in room up to end_, grown as
    // needed (raw storage: entries are made and dropped in place).
    StackEntry* stack_ = nullptr;
    StackEntry* top_ = nullptr;
    StackEntry* end_ = nullptr;
    // The value a reduction makes, empty between reductions.
    Token result_{-1};
    // What every rule action is given: the generator is the feed's, the
    // right-hand side and the rule the reduction's.
    ReduceContext context_{nullptr, nullptr, result_, nullptr, 0};
    int errorCount_ = -1;
    Hook onAccept_ = nullptr;
    Hook onFailure_ = nullptr;
    DiscardListener* listener_ = nullptr;
    const Token* lookahead_ = nullptr;  // of the current feed, for the listener
};

} // namespace Orvane
