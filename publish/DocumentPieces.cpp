#include "DocumentPieces.h"

#include <atomic>
#include <string_view>

#include "BookIdentifier.h"
#include "BookText.h"
#include "Parallel.h"
#include "ccc/base/UnitRuns.h"

namespace Publish {

namespace {

constexpr std::size_t kNone = WrittenUnits::npos;
constexpr std::string_view kBodyOpen = "<body>\n";
constexpr std::string_view kBodyClose = "\n</body>";
constexpr std::string_view kIdAttribute = " id=\"";
// The tags the writer gives an id, up to that attribute.
constexpr std::string_view kTitleTag = "<h1 class=\"title\"";
constexpr std::string_view kAnchorTag = "<a";
constexpr std::string_view kPageBreakTag = "<span epub:type=\"pagebreak\" role=\"doc-pagebreak\"";

bool asciiAt(WrittenUnits text, std::size_t at, std::string_view ascii) {
    if (at > text.size() || text.size() - at < ascii.size()) return false;
    for (std::size_t i = 0; i < ascii.size(); ++i)
        if (text[at + i] != static_cast<unsigned char>(ascii[i])) return false;
    return true;
}

// The first ascii at or after from, found by its unit at key (the rarest).
std::size_t findAscii(WrittenUnits text, std::string_view ascii, std::size_t from, std::size_t key = 0) {
    const unsigned short unit = static_cast<unsigned char>(ascii[key]);
    for (std::size_t at = from + key; at < text.size(); ++at) {
        at += CCC::countWhile(text.data() + at, text.size() - at, [unit](unsigned short u) { return u != unit; });
        if (at - key >= from && asciiAt(text, at - key, ascii)) return at - key;
    }
    return kNone;
}

// The bytes of text[from, to) in UTF-8 (the writer leaves no lone
// surrogate: a pair's two units make four bytes). Sixteen units a step, in
// a loop without an early exit, which the compiler turns into vector code.
std::size_t utf8Length(WrittenUnits text, std::size_t from, std::size_t to) {
    auto extra = [](unsigned short u) -> unsigned short {
        return static_cast<unsigned short>((u >= 0x80) + (u >= 0x800) - ((u & 0xF800) == 0xD800));
    };
    const unsigned short* p = text.data();
    std::size_t n = to - from, i = from;
    for (; to - i >= 16; i += 16) {
        unsigned short step = 0;
        for (int j = 0; j < 16; ++j) step = static_cast<unsigned short>(step + extra(p[i + j]));
        n += step;
    }
    for (; i < to; ++i) n += extra(p[i]);
    return n;
}

enum class Tag { kOther, kHeading, kIdentified };

// What the writer's tag whose id attribute starts at `at` is, and where it
// starts. Text that merely reads ` id="` is no tag of these.
Tag tagBefore(WrittenUnits text, std::size_t at, std::size_t& start) {
    for (const auto& [ascii, tag] : {std::pair{kTitleTag, Tag::kHeading}, std::pair{kAnchorTag, Tag::kIdentified},
                                     std::pair{kPageBreakTag, Tag::kIdentified}})
        if (at >= ascii.size() && asciiAt(text, at - ascii.size(), ascii)) {
            start = at - ascii.size();
            return tag;
        }
    if (at >= 3 && text[at - 3] == '<' && text[at - 2] == 'h' && text[at - 1] >= '1' && text[at - 1] <= '6') {
        start = at - 3;
        return Tag::kHeading;
    }
    return Tag::kOther;
}

// An attribute value as the book's own UTF-8 text.
std::string valueOf(WrittenUnits value) {
    std::string ascii;
    ascii.reserve(value.size());
    for (unsigned short u : value) {
        if (u >= 0x80) return toUtf8(DString(value.data(), value.size()));
        ascii += static_cast<char>(u);
    }
    return ascii;
}

// Whether text holds inline SVG. Sixteen bytes a step, in a loop without an
// early exit that the compiler turns into vector code: a search for "<svg"
// would stop at every '<'.
bool svgP(std::string_view text) {
    static constexpr std::string_view kSvg = "<svg";
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = 0;
    for (; text.size() - i >= 16 + kSvg.size(); i += 16) {
        unsigned char hit = 0;
        for (int j = 0; j < 16; ++j) hit |= (p[i + j] == '<') & (p[i + j + 1] == 's') & (p[i + j + 2] == 'v');
        if (hit && text.substr(i, 16 + kSvg.size()).find(kSvg) != std::string_view::npos) return true;
    }
    return text.substr(i).find(kSvg) != std::string_view::npos;
}

} // namespace

std::string pieceName(const std::string& documentName, std::size_t piece) {
    const std::size_t dot = documentName.rfind('.');
    return documentName.substr(0, dot) + "_" + std::to_string(piece + 1) + documentName.substr(dot);
}

void cutAtHeadings(WrittenDocument& doc, const std::set<std::string>& headingIds, std::size_t limit) {
    const WrittenUnits text = doc.text;
    // Three bytes a unit at most: most documents end here.
    if (text.size() <= limit / 3) return;
    const std::size_t open = findAscii(text, kBodyOpen, 0);
    std::size_t close = text.size() >= kBodyClose.size() ? text.size() - kBodyClose.size() + 1 : 0;
    while (close-- > 0 && !asciiAt(text, close, kBodyClose)) {}
    if (open == kNone || close == kNone || close < open + kBodyOpen.size()) return;
    const std::size_t bodyStart = open + kBodyOpen.size();
    // Head and tail: in every piece.
    const std::size_t frame = utf8Length(text, 0, bodyStart) + utf8Length(text, close, text.size());
    std::vector<std::size_t> cuts{bodyStart};
    std::size_t counted = bodyStart, pieceBytes = 0;
    // Found by its "=": the text has far fewer of them than of blanks.
    for (std::size_t at = findAscii(text, kIdAttribute, bodyStart, 3); at < close;
         at = findAscii(text, kIdAttribute, at + 1, 3)) {
        std::size_t start = 0;
        const Tag tag = tagBefore(text, at, start);
        if (tag == Tag::kOther) continue;
        const std::size_t value = at + kIdAttribute.size();
        const std::size_t quote = text.find('"', value);
        if (quote >= close) break;
        std::string id = valueOf(text.substr(value, quote - value));
        if (tag == Tag::kHeading) {
            pieceBytes += utf8Length(text, counted, start);
            counted = start;
            if (frame + pieceBytes > limit && start > cuts.back() && headingIds.count(id)) {
                cuts.push_back(start);
                pieceBytes = 0;
            }
        }
        if (cuts.size() > 1) doc.laterIds.try_emplace(std::move(id), cuts.size() - 1);
        at = quote;
    }
    if (cuts.size() == 1) return;
    cuts.push_back(close);
    doc.cuts = std::move(cuts);
}

bool makePieces(const std::vector<WrittenDocument>& docs, const LinkChanges& changes, std::vector<ContentDocument>& out) {
    struct Piece {
        const WrittenDocument* doc;
        std::size_t index;
    };
    std::vector<Piece> pieces;
    std::vector<std::size_t> sizes;
    out.clear();
    for (const WrittenDocument& doc : docs)
        for (std::size_t i = 0; i < doc.pieceCount(); ++i) {
            pieces.push_back({&doc, i});
            sizes.push_back(doc.cuts.empty() ? doc.text.size() : doc.cuts[i + 1] - doc.cuts[i]);
            ContentDocument piece;
            piece.name = i ? pieceName(doc.name, i) : doc.name;
            piece.id = i ? piece.name.substr(0, piece.name.rfind('.')) : doc.id;
            out.push_back(std::move(piece));
        }
    std::atomic<bool> ok{true};
    onEveryCore(sizes, [&](std::size_t i) {
        const WrittenDocument& doc = *pieces[i].doc;
        std::string& text = out[i].text;
        if (doc.cuts.empty()) {
            text = writtenToUtf8(doc.text.data(), doc.text.size());
        } else {
            const std::size_t from = doc.cuts[pieces[i].index], to = doc.cuts[pieces[i].index + 1];
            const std::size_t tail = doc.cuts.back();
            text.reserve(3 * (doc.cuts.front() + (to - from) + (doc.text.size() - tail)));
            appendWrittenUtf8(text, doc.text.data(), doc.cuts.front());
            appendWrittenUtf8(text, doc.text.data() + from, to - from);
            appendWrittenUtf8(text, doc.text.data() + tail, doc.text.size() - tail);
        }
        if (doc.linksChangeP) rewriteLinks(text, changes);
        out[i].svgP = svgP(text);
        if (!deflateWhole(text, out[i].deflated)) ok = false;
        // A piece's text goes once compressed: only a digest of it is kept.
        if (!doc.cuts.empty()) {
            BookIdentifier digest;
            digest.add(text);
            out[i].digest = digest.urn();
            std::string().swap(text);
        }
    });
    return ok;
}

} // namespace Publish
