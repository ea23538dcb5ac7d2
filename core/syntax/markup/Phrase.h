#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "../RecycledRecord.h"
#include "../RecycledText.h"
#include "core/generator/TextRef.h"

namespace Orvane {

// Kinds of inline phrases of the whole markup family; 0 is the sentinel
// that ends every chain. Syntax 1 makes macros but no sentence ends, span
// breaks or front-matter and special page marks.
enum PhraseKind {
    kSentinelPhrase = 0,
    kTextPhrase = 1,
    kPagePhrase = 2,
    kLineBreakPhrase = 3,
    kImagePhrase = 4,
    kAnchorPhrase = 5,
    kLinkPhrase = 6,
    kRawPhrase = 7,
    kCommentPhrase = 8,
    kLineCommentPhrase = 9,
    kStopPhrase = 10,
    kClosePhrase = 11,
    kStopClosePhrase = 12,
    kSpanBreakPhrase = 13,
    kPageFrontPhrase = 14,
    kPageSpecialPhrase = 15,
    kRubyPhrase = 16,
    kMacroPhrase = 17,
};

// A phrase's text: units of its own, or a stretch of the source (which
// outlives every phrase of its parse), or none.
struct PhraseText {
    DString* owned = nullptr;
    const unsigned short* units = nullptr;  // the source's, when none are owned
    std::uint32_t length = 0;

    TextRef ref() const { return owned ? TextRef(owned) : units ? TextRef(units, length) : TextRef(); }
};

// One inline phrase of a line; its texts that are not the source's are
// owned by the line's phrases (LinePhrases).
struct Phrase {
    PhraseKind kind = kSentinelPhrase;
    std::uint32_t offset = 0;  // where its first mark starts in the source
    PhraseText text1;
    PhraseText text2;
};

// The phrases of the line being read, in source order, in one array: a
// parse adds each phrase as it reads it and clears them all once the line
// is written, so a phrase needs no record or link of its own. Each list of
// them (a line's, or a table cell's) starts with a sentinel and runs to the
// next sentinel or the end; it is named by a ListId.
class LinePhrases {
public:
    // 1 + the index of the list's sentinel; 0 names no list.
    using ListId = std::uint32_t;

    LinePhrases() = default;
    ~LinePhrases() { clear(); }
    LinePhrases(const LinePhrases&) = delete;
    LinePhrases& operator=(const LinePhrases&) = delete;

    // Starts a list (after all others).
    ListId open() {
        phrases_.emplace_back();
        return static_cast<ListId>(phrases_.size());
    }
    // Adds a phrase to the list opened last, taking over its owned texts.
    // It is made in its place, field by field: a phrase built apart and
    // copied whole would be read back in wider moves than it was written
    // in, which the processor cannot forward from its stores.
    [[gnu::always_inline]] void add(PhraseKind kind, std::uint32_t offset, PhraseText text1, PhraseText text2) {
        Phrase* p;
        try {
            p = &phrases_.emplace_back();
        } catch (...) {
            release(text1);
            release(text2);
            throw;
        }
        p->kind = kind;
        p->offset = offset;
        p->text1 = text1;
        p->text2 = text2;
        if (text1.owned || text2.owned) owning_ = true;
    }
    // The phrases of a list, its sentinel left out; valid until the next add.
    std::span<const Phrase> list(ListId id) const {
        if (id == 0 || id > phrases_.size()) return {};
        const Phrase* const first = phrases_.data() + id;
        const Phrase* const end = phrases_.data() + phrases_.size();
        const Phrase* last = first;
        while (last != end && last->kind != kSentinelPhrase) ++last;
        return {first, last};
    }
    // Drops every list, with the texts its phrases own.
    void clear() {
        if (owning_)
            for (const Phrase& p : phrases_) release(p);
        phrases_.clear();
        owning_ = false;
    }

private:
    static void release(const PhraseText& t) { RecycledText::release(t.owned); }
    static void release(const Phrase& p) {
        release(p.text1);
        release(p.text2);
    }

    std::vector<Phrase> phrases_;
    bool owning_ = false;  // whether any phrase owns a text
};

enum CellType { kHeaderCell = 0, kDataCell = 1 };

// One table cell: its list of phrases, and the cells after it, which it owns.
struct Cell : RecycledRecord<Cell> {
    LinePhrases::ListId phrases = 0;
    int kind = kDataCell;
    Cell* next = nullptr;

    Cell(LinePhrases::ListId phrases, int kind, Cell* next) : phrases(phrases), kind(kind), next(next) {}
    Cell(const Cell&) = delete;
    Cell& operator=(const Cell&) = delete;

    static void deleteList(Cell* c) {
        while (c) {
            Cell* n = c->next;
            delete c;
            c = n;
        }
    }
};

} // namespace Orvane
