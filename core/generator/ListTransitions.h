#pragma once

#include <string>
#include <string_view>

namespace Orvane {

// The markup that leads from one list nesting (ListState 0..14) to another:
// closing the lists that no longer match, then continuing an item or
// opening the new inner lists. All 15 x 15 texts are made at compile time.
class ListTransitions {
public:
    static constexpr int kStates = 15;

    // Nesting of a state, outermost first: 'o' an ordered, 'u' an unordered
    // list; empty for 0 and for numbers outside 0..14.
    static std::string_view nesting(int state);

    // The transition text from the table, in the writer's units; empty
    // when either state is outside 0..14.
    static std::u16string_view text(int from, int to);

    // Builds one transition from the rule (what the table holds).
    static std::string build(int from, int to);
};

} // namespace Orvane
