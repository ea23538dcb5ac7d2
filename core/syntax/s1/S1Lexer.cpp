#include "S1Lexer.h"

#include "S1Tokens.h"

namespace Orvane {

namespace {

constexpr unsigned short kLF = u'\n';
constexpr unsigned short kTAB = u'\t';

constexpr char16_t kEscapes[] = u"\\¥￥＼";
constexpr char16_t kPercentForms[] = u"%％";
constexpr char16_t kCaretForms[] = u"^＾";
constexpr char16_t kDollarForms[] = u"$＄";
constexpr char16_t kUnderForms[] = u"_＿";
constexpr char16_t kAtForms[] = u"@＠";

bool printableP(unsigned short c) { return c >= 0x20 || c == kTAB; }

bool inP(unsigned short c, const char16_t* set) {
    for (; *set; ++set)
        if (*set == c) return true;
    return false;
}

bool blankP(const DString& text) {
    for (unsigned short c : text)
        if (c != u' ' && c != kLF && c != kTAB) return false;
    return true;
}

const std::vector<S1Mark> kLineStartMarks = {
    {u"\n", kS1NL},           {u"\r\n", kS1NL},          {u"=", kS1EQ},
    {u"＝", kS1EQ},           {u"&", kS1AMP},            {u"＆", kS1AMP},
    {u"*", kS1ASTER},         {u"＊", kS1ASTER},         {u"■", kS1BLACK_SQUARE},
    {u"□", kS1WHITE_SQUARE},  {u"◆", kS1BLACK_DIAMOND},  {u"◇", kS1WHITE_DIAMOND},
    {u"●", kS1BLACK_CIRCLE},  {u"○", kS1WHITE_CIRCLE},   {u"+", kS1PLUS},
    {u"＋", kS1PLUS},         {u"-", kS1MINUS},          {u"－", kS1MINUS},
    {u"−", kS1MINUS},         {u"!", kS1EXCL},           {u"！", kS1EXCL},
    {u"|", kS1BAR},           {u"｜", kS1BAR},
};

const std::vector<S1Mark> kInlineMarks = {
    {u"\n", kS1NL},       {u"\r\n", kS1NL},       {u"=", kS1EQ},        {u"＝", kS1EQ},
    {u"*", kS1ASTER},     {u"＊", kS1ASTER},      {u"+", kS1PLUS},      {u"＋", kS1PLUS},
    {u"-", kS1MINUS},     {u"－", kS1MINUS},      {u"−", kS1MINUS},     {u"!", kS1EXCL},
    {u"！", kS1EXCL},     {u"|", kS1BAR},         {u"｜", kS1BAR},      {u";", kS1SEMI},
    {u"；", kS1SEMI},     {u"%", kS1PERCENT},     {u"％", kS1PERCENT},  {u"#", kS1SHARP},
    {u"＃", kS1SHARP},    {u"^", kS1CARET},       {u"＾", kS1CARET},    {u"$", kS1DOLLAR},
    {u"＄", kS1DOLLAR},   {u"_", kS1UNDER},       {u"＿", kS1UNDER},    {u"~", kS1TILDE},
    {u"〜", kS1TILDE},    {u"～", kS1TILDE},      {u"‾", kS1TILDE},     {u"@", kS1AT},
    {u"＠", kS1AT},       {u"`", kS1BACKQUOTE},   {u"｀", kS1BACKQUOTE},
};

const std::u16string kSpecials = u"\n\r;；%％#＃^＾$＄!！|｜_＿~〜～‾@＠`｀";

// Quick membership tests for the hot loops.
struct Bits {
    std::bitset<65536> special, markStart, escape;
    Bits() {
        for (char16_t c : kSpecials) special.set(c);
        for (const S1Mark& m : kInlineMarks) markStart.set(m.text[0]);
        for (const char16_t* e = kEscapes; *e; ++e) escape.set(*e);
    }
};

const Bits& bits() {
    static const Bits b;
    return b;
}

} // namespace

const std::vector<S1Mark>& S1Lexer::lineStartMarks() { return kLineStartMarks; }
const std::vector<S1Mark>& S1Lexer::inlineMarks() { return kInlineMarks; }
const std::u16string& S1Lexer::specials() { return kSpecials; }

bool S1Lexer::escapedAt(std::uint32_t i) const { return i > 0 && bits().escape[source[i - 1]]; }

Token* S1Lexer::nextToken() {
    if (position >= length) {
        if (state == 1) return new Token(kS1End);
        state = 1;  // close a last line that lacks its line end
        return new Token(kS1NL);
    }
    Token* t;
    switch (state) {
    case 1: t = scanLineStart(); break;
    case kS1EQ: t = scanToMark(false); break;
    case kS1PERCENT: t = scanToMark(true); break;
    case kS1CARET: t = new Token(kS1STRING, collect(kCaretForms, false)); break;
    case kS1DOLLAR: t = new Token(kS1RAW_TEXT, collect(kDollarForms, true)); break;
    case kS1UNDER:
        t = prevState == kS1UNDER ? scanRestOfLine()
            : prevState == kS1COMMENT_TEXT ? scanInline()
                                           : scanUnderscore();
        break;
    // Macro text keeps its line ends but no other control character.
    case kS1AT: t = new Token(kS1MACRO_TEXT, collect(kAtForms, true, false)); break;
    default: t = scanInline(); break;
    }
    const int old = state;
    prevState = old;
    // A closing dollar or at sign must not open a new raw or macro text.
    const bool closing = (old == kS1RAW_TEXT && t->code == kS1DOLLAR) || (old == kS1MACRO_TEXT && t->code == kS1AT);
    state = closing ? kS1STRING : t->code;
    return t;
}

Token* S1Lexer::scanLineStart() {
    for (const S1Mark& m : kLineStartMarks) {
        if (const unsigned n = match(m.text)) {
            position += n;
            return new Token(m.code);
        }
    }
    return scanInline();
}

Token* S1Lexer::scanInline() {
    const unsigned short first = source[position];
    if (bits().markStart[first]) {
        for (const S1Mark& m : kInlineMarks) {
            if (static_cast<unsigned short>(m.text[0]) != first) continue;
            if (const unsigned n = match(m.text)) {
                position += n;
                return new Token(m.code);
            }
        }
    }
    return scanTextRun();
}

Token* S1Lexer::scanTextRun() {
    const Bits& b = bits();
    std::uint32_t i = position;
    // Find the end first so that the text is allocated once.
    while (i < length) {
        const unsigned short c = source[i];
        if (b.special[c] && !escapedAt(i) && (c != u'\r' || lineEndAt(i))) break;
        ++i;
    }
    auto* text = new DString(i - position, 0);
    unsigned short* out = text->data();
    for (std::uint32_t k = position; k < i; ++k) {
        const unsigned short c = source[k];
        if (b.escape[c]) {
            if (escapedAt(k)) *out++ = c;
        } else if (printableP(c) || c == kLF) {
            *out++ = c;  // an LF gets here only escaped
        }
    }
    text->resize(static_cast<std::size_t>(out - text->data()));
    // Every special is also a mark, so the run is never empty at an
    // unescaped one; the guard keeps the lexer moving whatever happens.
    position = i > position ? i : position + 1;
    if (!blankP(*text)) return new Token(kS1STRING, text);
    delete text;
    return new Token(kS1NL);
}

Token* S1Lexer::scanToMark(bool percent) {
    auto* text = new DString();
    bool escaped = false;
    std::uint32_t i = position;
    while (i < length) {
        const unsigned short c = source[i];
        if (!escaped && percent && inP(c, kPercentForms)) break;
        if (lineEndAt(i)) break;
        if (!bits().escape[c]) {
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
        return new Token(kS1STRING, text);
    }
    delete text;
    if (scanned) {
        position = i;  // the blanks; the line end stays for the next token
    } else if (i < length && lineEndAt(i)) {
        position = i + (source[i] == u'\r' ? 2 : 1);
    }
    return new Token(kS1NL);
}

DString* S1Lexer::collect(const char16_t* stops, bool keepLF, bool keepTab) {
    const Bits& b = bits();
    auto* text = new DString();
    std::uint32_t i = position;
    for (; i < length; ++i) {
        const unsigned short c = source[i];
        if (inP(c, stops) && !escapedAt(i)) break;
        if (!keepLF && lineEndAt(i)) break;
        if (b.escape[c]) {
            if (escapedAt(i)) text->push_back(c);
        } else if ((printableP(c) && (keepTab || c != kTAB)) || (keepLF && c == kLF)) {
            text->push_back(c);
        }
    }
    position = i;
    return text;
}

Token* S1Lexer::scanUnderscore() {
    static constexpr S1Mark kTable[] = {
        {u"\n", kS1NL}, {u"\r\n", kS1NL}, {u"_", kS1UNDER}, {u"＿", kS1UNDER}};
    for (const S1Mark& m : kTable) {
        if (const unsigned n = match(m.text)) {
            position += n;
            return new Token(m.code);
        }
    }
    return new Token(kS1COMMENT_TEXT, collect(kUnderForms, false));
}

Token* S1Lexer::scanRestOfLine() {
    auto* text = new DString();
    std::uint32_t i = position;
    for (; i < length && !lineEndAt(i); ++i)
        if (printableP(source[i])) text->push_back(source[i]);
    position = i;
    return new Token(kS1LINE_COMMENT_TEXT, text);
}

} // namespace Orvane
