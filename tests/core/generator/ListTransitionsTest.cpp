#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "core/generator/ListTransitions.h"

namespace Orvane {
namespace {

struct Transition {
    int from;
    int to;
    const char* text;
};

// The transitions described in words (the everyday ones show in the
// golden documents).
const Transition kTransitions[] = {
    {0, 5, "\n        <ol>\n          <li>\n        <ul>\n          <li>\n        <ul>\n          <li>"},
    {7, 0, "</li>\n        </ol>\n</li>\n    </ul>\n</li>\n</ol>\n"},
    {3, 8, "</li>\n    </ul>\n</li>\n</ol>\n\n<ul>\n  <li>"},
    {4, 3, "</li>\n        </ol>\n</li>\n    </ol>\n\n    <ul>\n      <li>"},
    {0, 0, ""},
};

TEST(ListTransitions, SpelledOutTexts) {
    for (const Transition& t : kTransitions) {
        EXPECT_EQ(ListTransitions::build(t.from, t.to), t.text) << t.from << " -> " << t.to;
        const std::string ascii(t.text);
        EXPECT_EQ(ListTransitions::text(t.from, t.to), std::u16string(ascii.begin(), ascii.end()))
            << t.from << " -> " << t.to;
    }
}

// Every path 0 -> a -> b -> 0 must leave properly nested ol/ul/li tags, and
// the lists open between the steps must be those of the states' nestings.
TEST(ListTransitions, EveryPairNestsProperly) {
    const std::regex tag("<(/?)(ol|ul|li)>");
    auto openLists = [](const std::vector<std::string>& stack) {
        std::string kinds;
        for (const std::string& t : stack)
            if (t != "li") kinds += t[0];
        return kinds;
    };
    for (int a = 0; a < ListTransitions::kStates; ++a) {
        for (int b = 0; b < ListTransitions::kStates; ++b) {
            std::vector<std::string> stack;
            bool ok = true;
            const std::string steps[] = {ListTransitions::build(0, a), ListTransitions::build(a, b),
                                         ListTransitions::build(b, 0)};
            const int states[] = {a, b, 0};
            for (int s = 0; s < 3 && ok; ++s) {
                for (std::sregex_iterator it(steps[s].begin(), steps[s].end(), tag), end; it != end; ++it) {
                    const std::string name = (*it)[2];
                    if ((*it)[1] == "") {
                        stack.push_back(name);
                    } else if (stack.empty() || stack.back() != name) {
                        ok = false;
                        break;
                    } else {
                        stack.pop_back();
                    }
                }
                EXPECT_EQ(openLists(stack), ListTransitions::nesting(states[s])) << a << " -> " << b << " step " << s;
            }
            EXPECT_TRUE(ok && stack.empty()) << a << " -> " << b;
        }
    }
}

} // namespace
} // namespace Orvane
