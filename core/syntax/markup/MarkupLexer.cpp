#include "MarkupLexer.h"

#include <algorithm>
#include <cassert>

#include "../RecycledText.h"

namespace Orvane {

using namespace markup;

namespace {

constexpr unsigned short kLF = u'\n';
constexpr unsigned short kTAB = u'\t';

bool printableP(unsigned short c) { return c >= 0x20 || c == kTAB; }

} // namespace

MarkupLexer::MarkupLexer(const MarkupTables& tables)
    : tables_(tables) {
    state = prevState = kLineStart;
    for (char16_t c : tables_.escapes) escapeBits_.set(c);
    lineStartMarks_.build(tables_.lineStartMarks);
    useMarks(tables_.inlineMarks, tables_.specials);
}

void MarkupLexer::useMarks(std::vector<Mark> newMarks, std::u16string newSpecials) {
    // The previous ones first.
    for (char16_t c : specials) unitClass_[c] &= static_cast<std::uint8_t>(~kSpecialUnit);
    for (const Mark& m : marks) {
        unitClass_[m.text[0]] &= static_cast<std::uint8_t>(~kMarkStartUnit);
        soleMarks_[m.text[0]] = 0;
    }
    marks = std::move(newMarks);
    specials = std::move(newSpecials);
    for (unsigned short u = 0; u < 0x20; ++u)
        if (u != kTAB && u != kLF) unitClass_[u] |= kDroppedUnit;
    for (char16_t c : tables_.escapes) unitClass_[c] |= kEscapeUnit;
    for (char16_t c : specials) unitClass_[c] |= kSpecialUnit;
    for (const Mark& m : marks) unitClass_[m.text[0]] |= kMarkStartUnit;

    inlineMarks_.build(marks);
    for (const Mark& m : marks) {
        const MarkGroups::Marks group = inlineMarks_.startingWith(m.text[0]);
        if (group.last - group.first == 1 && !m.text[1]) soleMarks_[m.text[0]] = static_cast<std::uint8_t>(m.code + 1);
    }
}

Token* MarkupLexer::nextToken() {
    if (position >= length) {
        Token* t = give(state == kLineStart ? kEnd : kNL);
        t->offset = length;
        state = kLineStart;  // close a last line that lacks its line end
        return t;
    }
    const std::uint32_t start = position;
    const bool macros = !tables_.spans;
    Token* t;
    switch (state) {
    case kLineStart: t = scanLineStart(); break;
    case kEQ:
        // After "~=" the page mark's text is inline text; after a leading
        // "=" the title runs to the line end, marks and all. Syntax 1 has
        // no such page mark: its "~=" reads on as a title.
        t = tables_.spans && prevState == kTILDE ? scanInline() : scanToMark(nullptr);
        break;
    case kPERCENT: t = scanToMark(&tables_.percentForms); break;
    case kCARET: t = give(kSTRING, collect(tables_.caretForms, false)); break;
    case kDOLLAR: t = give(kRAW_TEXT, collect(tables_.dollarForms, true)); break;
    case kUNDER:
        t = prevState == kUNDER ? scanRestOfLine() : prevState == kCOMMENT_TEXT ? scanInline() : scanUnderscore();
        break;
    default:
        // Macro text keeps its line ends but no other control character.
        t = macros && state == kAT ? give(kMACRO_TEXT, collect(tables_.atForms, true, false)) : scanInline();
        break;
    }
    // A token that names its text in the source starts where the text does.
    assert(t->sourceLength == 0 || t->offset == start);
    t->offset = start;
    const int old = state;
    prevState = old;
    // A closing dollar or at sign must not open a new raw or macro text.
    const bool closing =
        (old == kRAW_TEXT && t->code == kDOLLAR) || (macros && old == kMACRO_TEXT && t->code == kAT);
    state = closing ? kAfterText : t->code;
    return t;
}

Token* MarkupLexer::matchMark(const Mark* first, const Mark* last) {
    for (const Mark* m = first; m != last; ++m) {
        if (const unsigned n = match(m->text)) {
            position += n;
            return give(m->code);
        }
    }
    return nullptr;
}

Token* MarkupLexer::scanLineStart() {
    const MarkGroups::Marks marks = lineStartMarks_.startingWith(source[position]);
    if (Token* t = matchMark(marks.first, marks.last)) return t;
    return scanInline();
}

Token* MarkupLexer::scanInline() {
    const unsigned short u = source[position];
    if (!(unitClass_[u] & kMarkStartUnit)) return scanTextRun();
    if (const unsigned sole = soleMarks_[u]) return inlineMark(static_cast<int>(sole) - 1, 1);
    const MarkGroups::Marks marks = inlineMarks_.startingWith(u);
    for (const Mark* m = marks.first; m != marks.last; ++m)
        if (const unsigned n = matchGrouped(m->text)) return inlineMark(m->code, n);
    return scanTextRun();
}

Token* MarkupLexer::inlineMark(int code, unsigned n) {
    const std::uint32_t start = position;
    position += n;
    if (!tables_.spans) return give(code);
    if (code == kSTOP) {
        // The run of the sentence end, up to its longest, and a closing
        // bracket after it.
        const unsigned short unit = source[start];
        const auto runEnd = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(length, std::uint64_t{start} + MarkupTables::kLongestRun));
        while (position < runEnd && source[position] == unit) ++position;
        if (position < length) {
            for (const char16_t* b = MarkupTables::kClosingBrackets; *b; ++b) {
                if (source[position] == *b) {
                    ++position;
                    return giveSourceText(kSTOP_CLOSE, start, position - start);
                }
            }
        }
        return giveSourceText(kSTOP, start, position - start);
    }
    if (code == kCLOSE) return giveSourceText(kCLOSE, start, n);
    return give(code);
}

Token* MarkupLexer::scanTextRun() {
    // Find the end first so that the text is allocated once, and note
    // whether anything is to be dropped on the way.
    unsigned seen = 0;
    const std::uint8_t* const unitClass = unitClass_.data();
    const unsigned short* const units = source;
    const unsigned short* const end = units + length;
    const unsigned short* p = units + position;
    for (;;) {
        // Most units are plain text: four of them at a time, one look-up
        // each (walked by pointer, with the bounds in registers).
        while (end - p >= 4 && !(unitClass[p[0]] | unitClass[p[1]] | unitClass[p[2]] | unitClass[p[3]])) p += 4;
        if (p >= end) break;
        const unsigned short c = *p;
        if (const unsigned k = unitClass[c]) {
            const auto at = static_cast<std::uint32_t>(p - units);
            if ((k & kSpecialUnit) && !escapedAt(at) && (c != u'\r' || lineEndAt(at))) break;
            seen |= k;
        }
        ++p;
    }
    const auto i = static_cast<std::uint32_t>(p - units);
    if (!(seen & (kEscapeUnit | kDroppedUnit)) && i > position) {
        // The common run: every unit goes into the text as it is, so the
        // token names the run in the source.
        const std::uint32_t start = position;
        position = i;
        if (!blankP(source + start, i - start)) return giveSourceText(kSTRING, start, i - start);
        return give(kNL);
    }
    DString* text = RecycledText::make();
    text->resize(i - position);
    unsigned short* out = text->data();
    for (std::uint32_t k = position; k < i; ++k) {
        const unsigned short c = source[k];
        if (escapeP(c)) {
            if (escapedAt(k)) *out++ = c;
        } else if (printableP(c) || c == kLF) {
            *out++ = c;  // an LF gets here only escaped
        }
    }
    text->resize(static_cast<std::size_t>(out - text->data()));
    // Every special is also a mark, so the run is never empty at an
    // unescaped one; the guard keeps the lexer moving whatever the tables.
    position = i > position ? i : position + 1;
    if (!blankP(text->data(), text->size())) return give(kSTRING, text);
    RecycledText::release(text);
    return give(kNL);
}

Token* MarkupLexer::scanToMark(const std::u16string* closing) {
    DString* text = RecycledText::make();
    bool escaped = false;
    std::uint32_t i = position;
    while (i < length) {
        const unsigned short c = source[i];
        if (!escaped && closing && inP(c, *closing)) break;
        if (lineEndAt(i)) break;
        if (!escapeP(c)) {
            if (printableP(c)) text->push_back(c);
            escaped = false;
        } else if (!escaped) {
            escaped = true;
        } else {
            text->push_back(c);
            escaped = false;
        }
        ++i;
    }
    const bool scanned = i > position;
    if (scanned && !blankP(text->data(), text->size())) {
        position = i;
        return give(kSTRING, text);
    }
    RecycledText::release(text);
    if (scanned) {
        position = i;  // the blanks; the line end stays for the next token
    } else if (i < length && lineEndAt(i)) {
        position = i + (source[i] == u'\r' ? 2 : 1);
    }
    return give(kNL);
}

DString* MarkupLexer::collect(const std::u16string& stops, bool keepLF, bool keepTab) {
    DString* text = RecycledText::make();
    std::uint32_t i = position;
    for (; i < length; ++i) {
        const unsigned short c = source[i];
        if (inP(c, stops) && !escapedAt(i)) break;
        if (!keepLF && lineEndAt(i)) break;
        if (escapeP(c)) {
            if (escapedAt(i)) text->push_back(c);
        } else if ((printableP(c) && (keepTab || c != kTAB)) || (keepLF && c == kLF)) {
            text->push_back(c);
        }
    }
    position = i;
    return text;
}

Token* MarkupLexer::scanUnderscore() {
    const std::vector<Mark>& table = tables_.underscoreTable;
    if (Token* t = matchMark(table.data(), table.data() + table.size())) return t;
    return give(kCOMMENT_TEXT, collect(tables_.underForms, false));
}

Token* MarkupLexer::scanRestOfLine() {
    DString* text = RecycledText::make();
    std::uint32_t i = position;
    for (; i < length && !lineEndAt(i); ++i)
        if (printableP(source[i])) text->push_back(source[i]);
    position = i;
    return give(kLINE_COMMENT_TEXT, text);
}

bool MarkupLexer::blankP(const unsigned short* units, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (units[i] != u' ' && units[i] != kLF && units[i] != kTAB) return false;
    return true;
}

} // namespace Orvane
