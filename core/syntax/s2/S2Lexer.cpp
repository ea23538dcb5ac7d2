#include "S2Lexer.h"

#include <algorithm>

#include "S2Tokens.h"

namespace Orvane {

namespace {

constexpr unsigned short kLF = u'\n';
constexpr unsigned short kTAB = u'\t';

bool printableP(unsigned short c) { return c >= 0x20 || c == kTAB; }

} // namespace

S2Lexer::S2Lexer(const S2LexerTables& tables) : tables_(tables), unitClass_(65536, 0), markGroup_(65536, 0) {
    for (char16_t c : tables_.escapes) escapeBits_.set(c);
    for (const S2Mark& m : tables_.lineStartMarks) lineStartBits_.set(m.text[0]);
    setSpanOptions(false, false, false);
}

void S2Lexer::setSpanOptions(bool ten, bool period, bool comma) {
    spanTen = ten;
    spanPeriod = period;
    spanComma = comma;
    marks = tables_.inlineMarks;
    specials = tables_.specials;
    const char16_t runs[] = {u'、', u'.', u','};
    const bool on[] = {ten, period, comma};
    for (int k = 0; k < 3; ++k) {
        if (!on[k]) continue;
        for (int n = S2LexerTables::kLongestRun; n >= 1; --n)
            marks.push_back({S2LexerTables::run(runs[k], n), kS2STOP});
        specials += runs[k];
    }
    specialBits_.reset();
    for (char16_t c : specials) specialBits_.set(c);
    std::fill(unitClass_.begin(), unitClass_.end(), 0);
    for (unsigned short u = 0; u < 0x20; ++u)
        if (u != kTAB && u != kLF) unitClass_[u] |= kDroppedUnit;
    for (char16_t c : tables_.escapes) unitClass_[c] |= kEscapeUnit;
    for (char16_t c : specials) unitClass_[c] |= kSpecialUnit;

    // Group the marks by first unit, keeping their order within a group.
    for (const S2Mark& m : groupMarks_) markGroup_[m.text[0]] = 0;  // the previous groups
    std::vector<char16_t> firsts;
    for (const S2Mark& m : marks)
        if (std::find(firsts.begin(), firsts.end(), m.text[0]) == firsts.end()) firsts.push_back(m.text[0]);
    groupMarks_.clear();
    groupStart_.clear();
    for (std::size_t g = 0; g < firsts.size(); ++g) {
        groupStart_.push_back(static_cast<std::uint16_t>(groupMarks_.size()));
        for (const S2Mark& m : marks)
            if (m.text[0] == firsts[g]) groupMarks_.push_back(m);
        markGroup_[firsts[g]] = static_cast<std::uint8_t>(g + 1);
    }
    groupStart_.push_back(static_cast<std::uint16_t>(groupMarks_.size()));
}

Token* S2Lexer::nextToken() {
    if (position >= length) {
        if (state == 1) return new Token(kS2End);
        state = 1;  // close a last line that lacks its line end
        return new Token(kS2NL);
    }
    Token* t;
    switch (state) {
    case 1: t = scanLineStart(); break;
    case kS2EQ:
        // After "~=" the page mark's text is inline text; after a leading
        // "=" the title runs to the line end, marks and all.
        t = prevState == kS2TILDE ? scanInline() : scanToMark(nullptr);
        break;
    case kS2PERCENT: t = scanToMark(&tables_.percentForms); break;
    case kS2CARET: t = scanCaret(); break;
    case kS2DOLLAR: t = scanDollar(); break;
    case kS2UNDER:
        t = prevState == kS2UNDER ? scanRestOfLine()
            : prevState == kS2COMMENT_TEXT ? scanInline()
                                           : scanUnderscore();
        break;
    default: t = scanInline(); break;
    }
    const int old = state;
    prevState = old;
    // A closing dollar must not open a new raw text.
    state = old == kS2RAW_TEXT && t->code == kS2DOLLAR ? kS2STRING : t->code;
    return t;
}

Token* S2Lexer::scanLineStart() {
    if (!lineStartBits_[source[position]]) return scanInline();
    for (const S2Mark& m : tables_.lineStartMarks) {
        if (const unsigned n = match(m.text)) {
            position += n;
            return new Token(m.code);
        }
    }
    return scanInline();
}

Token* S2Lexer::scanInline() {
    if (const unsigned group = markGroup_[source[position]]) {
        const S2Mark* end = groupMarks_.data() + groupStart_[group];
        for (const S2Mark* mp = groupMarks_.data() + groupStart_[group - 1]; mp != end; ++mp) {
            const S2Mark& m = *mp;
            const unsigned n = match(m.text);
            if (!n) continue;
            const std::uint32_t start = position;
            position += n;
            if (m.code == kS2STOP) {
                if (position < length) {
                    for (const char16_t* b = S2LexerTables::kClosingBrackets; *b; ++b) {
                        if (source[position] == *b) {
                            ++position;
                            return new Token(kS2STOP_CLOSE, new DString(source + start, position - start));
                        }
                    }
                }
                return new Token(kS2STOP, new DString(source + start, n));
            }
            if (m.code == kS2CLOSE) return new Token(kS2CLOSE, new DString(source + start, n));
            return new Token(m.code);
        }
    }
    return scanTextRun();
}

Token* S2Lexer::scanTextRun() {
    std::uint32_t i = position;
    // Find the end first so that the text is allocated once, and note
    // whether anything is to be dropped on the way.
    unsigned seen = 0;
    while (i < length) {
        const unsigned short c = source[i];
        if (const unsigned k = unitClass_[c]) {
            if ((k & kSpecialUnit) && !escapedAt(i) && (c != u'\r' || lineEndAt(i))) break;
            seen |= k;
        }
        ++i;
    }
    if (!(seen & (kEscapeUnit | kDroppedUnit)) && i > position) {
        // The common run: every unit goes into the text as it is.
        auto* text = new DString(source + position, i - position);
        position = i;
        if (!blankP(*text)) return new Token(kS2STRING, text);
        delete text;
        return new Token(kS2NL);
    }
    auto* text = new DString(i - position, 0);
    unsigned short* out = text->data();
    for (std::uint32_t k = position; k < i; ++k) {
        const unsigned short c = source[k];
        if (escapeP(c)) {
            if (escapedAt(k)) *out++ = c;
        } else if (c >= 0x20 || c == kTAB || c == kLF) {
            *out++ = c;  // an LF gets here only escaped
        }
    }
    text->resize(static_cast<std::size_t>(out - text->data()));
    // Every special is also a mark, so the run is never empty at an
    // unescaped one; the guard keeps the lexer moving whatever the tables.
    position = i > position ? i : position + 1;
    if (!blankP(*text)) return new Token(kS2STRING, text);
    delete text;
    return new Token(kS2NL);
}

Token* S2Lexer::scanToMark(const std::u16string* closing) {
    auto* text = new DString();
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
    if (scanned && !blankP(*text)) {
        position = i;
        return new Token(kS2STRING, text);
    }
    delete text;
    if (scanned) {
        position = i;  // the blanks; the line end stays for the next token
    } else if (i < length && lineEndAt(i)) {
        position = i + (source[i] == u'\r' ? 2 : 1);
    }
    return new Token(kS2NL);
}

DString* S2Lexer::collect(const std::u16string& stops, bool keepLF) {
    auto* text = new DString();
    std::uint32_t i = position;
    for (; i < length; ++i) {
        const unsigned short c = source[i];
        if (inP(c, stops) && !escapedAt(i)) break;
        if (!keepLF && lineEndAt(i)) break;
        if (escapeP(c)) {
            if (escapedAt(i)) text->push_back(c);
        } else if (printableP(c) || (keepLF && c == kLF)) {
            text->push_back(c);
        }
    }
    position = i;
    return text;
}

Token* S2Lexer::scanCaret() { return new Token(kS2STRING, collect(tables_.caretForms, false)); }

Token* S2Lexer::scanDollar() { return new Token(kS2RAW_TEXT, collect(tables_.dollarForms, true)); }

Token* S2Lexer::scanUnderscore() {
    for (const S2Mark& m : tables_.underscoreTable) {
        if (const unsigned n = match(m.text)) {
            position += n;
            return new Token(m.code);
        }
    }
    return new Token(kS2COMMENT_TEXT, collect(tables_.underForms, false));
}

Token* S2Lexer::scanRestOfLine() {
    auto* text = new DString();
    std::uint32_t i = position;
    for (; i < length && !lineEndAt(i); ++i)
        if (printableP(source[i])) text->push_back(source[i]);
    position = i;
    return new Token(kS2LINE_COMMENT_TEXT, text);
}

bool S2Lexer::blankP(const DString& text) {
    for (unsigned short c : text)
        if (c != u' ' && c != kLF && c != kTAB) return false;
    return true;
}

} // namespace Orvane
