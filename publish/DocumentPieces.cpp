#include "DocumentPieces.h"

#include <string_view>

namespace Publish {

namespace {

constexpr std::string_view kBodyOpen = "<body>\n";
constexpr std::string_view kBodyClose = "\n</body>";
constexpr std::string_view kIdAttribute = " id=\"";
// The tags the writer gives an id, up to that attribute.
constexpr std::string_view kTitleTag = "<h1 class=\"title\"";
constexpr std::string_view kAnchorTag = "<a";
constexpr std::string_view kPageBreakTag = "<span epub:type=\"pagebreak\" role=\"doc-pagebreak\"";

enum class Tag { kOther, kHeading, kIdentified };

// What the writer's tag ending at `at` (where its id attribute starts) is,
// and where it starts. Text that merely reads ` id="` is no tag of these.
Tag tagBefore(std::string_view text, std::size_t at, std::size_t& start) {
    const std::string_view before = text.substr(0, at);
    if (before.ends_with(kTitleTag)) {
        start = at - kTitleTag.size();
        return Tag::kHeading;
    }
    if (at >= 3 && text[at - 3] == '<' && text[at - 2] == 'h' && text[at - 1] >= '1' && text[at - 1] <= '6') {
        start = at - 3;
        return Tag::kHeading;
    }
    if (before.ends_with(kAnchorTag)) {
        start = at - kAnchorTag.size();
        return Tag::kIdentified;
    }
    if (before.ends_with(kPageBreakTag)) {
        start = at - kPageBreakTag.size();
        return Tag::kIdentified;
    }
    return Tag::kOther;
}

} // namespace

std::string pieceName(const std::string& documentName, std::size_t piece) {
    const std::size_t dot = documentName.rfind('.');
    return documentName.substr(0, dot) + "_" + std::to_string(piece + 1) + documentName.substr(dot);
}

std::vector<ContentDocument> cutAtHeadings(ContentDocument&& doc, const std::set<std::string>& headingIds,
                                           std::size_t limit, std::unordered_map<std::string, std::size_t>& laterIds) {
    std::vector<ContentDocument> pieces;
    const std::string_view text = doc.text;
    const std::size_t open = text.find(kBodyOpen);
    const std::size_t close = text.rfind(kBodyClose);
    if (text.size() <= limit || open == std::string_view::npos || close == std::string_view::npos ||
        close < open + kBodyOpen.size()) {
        pieces.push_back(std::move(doc));
        return pieces;
    }
    const std::size_t bodyStart = open + kBodyOpen.size();
    const std::size_t frame = bodyStart + (text.size() - close);  // head and tail: in every piece
    std::vector<std::size_t> cuts{bodyStart};
    for (std::size_t at = text.find(kIdAttribute, bodyStart); at < close; at = text.find(kIdAttribute, at + 1)) {
        std::size_t start = 0;
        const Tag tag = tagBefore(text, at, start);
        if (tag == Tag::kOther) continue;
        const std::size_t value = at + kIdAttribute.size();
        const std::size_t quote = text.find('"', value);
        if (quote >= close) break;
        const std::string_view id = text.substr(value, quote - value);
        if (tag == Tag::kHeading && frame + (start - cuts.back()) > limit && headingIds.count(std::string(id)))
            cuts.push_back(start);
        if (cuts.size() > 1) laterIds.try_emplace(std::string(id), cuts.size() - 1);
        at = quote;
    }
    if (cuts.size() == 1) {
        pieces.push_back(std::move(doc));
        return pieces;
    }
    cuts.push_back(close);
    const std::string_view head = text.substr(0, bodyStart);
    const std::string_view tail = text.substr(close);
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        ContentDocument piece;
        piece.name = i ? pieceName(doc.name, i) : doc.name;
        piece.id = i ? piece.name.substr(0, piece.name.rfind('.')) : doc.id;
        piece.text.reserve(frame + cuts[i + 1] - cuts[i]);
        piece.text.append(head).append(text.substr(cuts[i], cuts[i + 1] - cuts[i])).append(tail);
        pieces.push_back(std::move(piece));
    }
    // Every piece is a copy: the whole text goes now rather than live on
    // in the first piece's buffer while the book is compressed.
    std::string().swap(doc.text);
    return pieces;
}

} // namespace Publish
