#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace Publish {

// Written addresses (as they stand in the href attribute) of links that
// change: each to its new written address, or to none when the link is to
// be undone and only its text kept.
using LinkChanges = std::map<std::string, std::optional<std::string>, std::less<>>;

// Applies changes to the writer's links (<a href="..." >text</a>) in one
// pass over text; false when no link changed.
bool rewriteLinks(std::string& text, const LinkChanges& changes);

} // namespace Publish
