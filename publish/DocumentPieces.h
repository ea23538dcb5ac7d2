#pragma once

// A large content document cut at its headings into several whole
// documents, so that a reading device never has to open one of many
// megabytes and the archive can compress the pieces on every core.

#include <cstddef>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "BookContents.h"

namespace Publish {

// The name of a document's later piece: "ch1.xhtml" -> "ch1_2.xhtml" for
// piece 1 (a part's name has a hyphen, so the two never meet).
std::string pieceName(const std::string& documentName, std::size_t piece);

// Cuts doc when its text is longer than limit: the first heading (of
// headingIds, as written in their attributes) after a piece has passed the
// limit starts the next piece. Each piece has the document's head and
// tail; the first keeps its name. laterIds gets, for every id (as written)
// the writer put in a later piece, that piece's index. Returns the pieces,
// doc alone when it is not cut.
std::vector<ContentDocument> cutAtHeadings(ContentDocument&& doc, const std::set<std::string>& headingIds,
                                           std::size_t limit, std::unordered_map<std::string, std::size_t>& laterIds);

} // namespace Publish
