#pragma once

// Large content documents cut at their headings into several whole
// documents, so that a reading device never has to open one of many
// megabytes and the pieces are converted and compressed on every core.

#include <cstddef>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "BookContents.h"
#include "LinkRewrite.h"
#include "ccc/base/TString.h"

namespace Publish {

using WrittenUnits = CCC::UnitStringView<unsigned short>;

// A content document as the writer made it (UTF-16), and where it is cut.
struct WrittenDocument {
    std::string name;  // "ch1.xhtml"
    std::string id;    // its manifest id
    WrittenUnits text;
    // Where the body starts, where each later piece's share of it starts,
    // and where the tail starts; empty when the document stays whole.
    std::vector<std::size_t> cuts;
    // Every id (as written in its attribute) in a later piece: that piece.
    std::unordered_map<std::string, std::size_t> laterIds;
    bool linksChangeP = false;  // whether it holds a link that changes

    std::size_t pieceCount() const { return cuts.empty() ? 1 : cuts.size() - 1; }
};

// The name of a document's later piece: "ch1.xhtml" -> "ch1_2.xhtml" for
// piece 1 (a part's name has a hyphen, so the two never meet).
std::string pieceName(const std::string& documentName, std::size_t piece);

// Cuts doc when its UTF-8 text would be longer than limit bytes: the first
// heading (of headingIds, as written) after a piece has passed the limit
// starts the next piece.
void cutAtHeadings(WrittenDocument& doc, const std::set<std::string>& headingIds, std::size_t limit);

// The documents' pieces in order, each with its document's head and tail
// (the first keeps the document's name), made on every core: in UTF-8,
// their links changed where their document's links change, and deflated;
// a piece of a document cut keeps only its deflated text and a digest. A
// document not cut keeps its text. False when the compression failed.
[[nodiscard]] bool makePieces(const std::vector<WrittenDocument>& docs, const LinkChanges& changes,
                              std::vector<ContentDocument>& out);

} // namespace Publish
