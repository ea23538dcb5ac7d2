#include "S2LexerTables.h"

#include "S2Tokens.h"

namespace Orvane {

namespace {

// Which members of the family accept a form.
enum Width { kHalf = 1, kFull = 2, kAny = 3 };

struct Form {
    int code;
    const char16_t* text;
    Width width;
};

// Every form of every mark character, per code in the order the lexer
// tries them.
constexpr Form kForms[] = {
    {kS2EQ, u"=", kHalf},          {kS2EQ, u"＝", kFull},
    {kS2AMP, u"&", kHalf},         {kS2AMP, u"＆", kFull},
    {kS2ASTER, u"*", kHalf},       {kS2ASTER, u"＊", kFull},
    {kS2BLACK_SQUARE, u"■", kAny}, {kS2WHITE_SQUARE, u"□", kAny},
    {kS2BLACK_DIAMOND, u"◆", kAny}, {kS2WHITE_DIAMOND, u"◇", kAny},
    {kS2BLACK_CIRCLE, u"●", kAny}, {kS2WHITE_CIRCLE, u"○", kAny},
    {kS2PLUS, u"+", kHalf},        {kS2PLUS, u"＋", kFull},
    {kS2MINUS, u"-", kHalf},       {kS2MINUS, u"－", kFull},       {kS2MINUS, u"−", kFull},
    {kS2EXCL, u"!", kHalf},        {kS2EXCL, u"！", kFull},
    {kS2BAR, u"|", kHalf},         {kS2BAR, u"｜", kFull},
    {kS2TILDE, u"~", kHalf},       {kS2TILDE, u"〜", kFull},       {kS2TILDE, u"～", kFull},
    {kS2TILDE, u"‾", kFull},
    {kS2BACKQUOTE, u"`", kHalf},   {kS2BACKQUOTE, u"｀", kFull},
    {kS2SEMI, u";", kHalf},        {kS2SEMI, u"；", kFull},
    {kS2PERCENT, u"%", kHalf},     {kS2PERCENT, u"％", kFull},
    {kS2SHARP, u"#", kHalf},       {kS2SHARP, u"＃", kFull},
    {kS2CARET, u"^", kHalf},       {kS2CARET, u"＾", kFull},
    {kS2DOLLAR, u"$", kHalf},      {kS2DOLLAR, u"＄", kFull},
    {kS2UNDER, u"_", kHalf},       {kS2UNDER, u"＿", kFull},
    {kS2SPAN_BREAK, u"▲", kAny},
};

constexpr Form kEscapes[] = {
    {0, u"\\", kHalf}, {0, u"¥", kFull}, {0, u"￥", kFull}, {0, u"＼", kFull},
};

// Runs of ten; a shorter run is a suffix of the same literal.
constexpr char16_t kMaru[] = u"。。。。。。。。。。";
constexpr char16_t kTen[] = u"、、、、、、、、、、";
constexpr char16_t kPeriod[] = u"..........";
constexpr char16_t kComma[] = u",,,,,,,,,,";

class Builder {
public:
    explicit Builder(Width width) : width_(width) {}

    void lineEnds(std::vector<S2Mark>& out) const {
        out.push_back({u"\n", kS2NL});
        out.push_back({u"\r\n", kS2NL});
    }
    void marks(std::vector<S2Mark>& out, std::initializer_list<int> codes) const {
        for (int code : codes)
            for (const Form& f : kForms)
                if (f.code == code && (f.width & width_)) out.push_back({f.text, code});
    }
    void chars(std::u16string& out, std::initializer_list<int> codes) const {
        for (int code : codes)
            for (const Form& f : kForms)
                if (f.code == code && (f.width & width_)) out += f.text;
    }

    S2LexerTables build() const {
        S2LexerTables t;
        lineEnds(t.lineStartMarks);
        marks(t.lineStartMarks, {kS2EQ, kS2AMP, kS2ASTER});
        if (width_ & kFull)
            marks(t.lineStartMarks, {kS2BLACK_SQUARE, kS2WHITE_SQUARE, kS2BLACK_DIAMOND,
                                     kS2WHITE_DIAMOND, kS2BLACK_CIRCLE, kS2WHITE_CIRCLE});
        marks(t.lineStartMarks, {kS2PLUS, kS2MINUS, kS2EXCL, kS2BAR});

        lineEnds(t.inlineMarks);
        marks(t.inlineMarks, {kS2EQ, kS2ASTER, kS2PLUS, kS2MINUS, kS2EXCL, kS2BAR, kS2SEMI,
                              kS2PERCENT, kS2SHARP, kS2CARET, kS2DOLLAR, kS2UNDER, kS2TILDE,
                              kS2SPAN_BREAK});
        for (int n = S2LexerTables::kLongestRun; n >= 1; --n)
            t.inlineMarks.push_back({S2LexerTables::run(u'。', n), kS2STOP});
        for (const char16_t* b = S2LexerTables::kClosingBrackets; *b; ++b)
            t.inlineMarks.push_back({closing(*b), kS2CLOSE});
        marks(t.inlineMarks, {kS2BACKQUOTE});

        t.specials = u"\n\r";
        chars(t.specials, {kS2SEMI, kS2PERCENT, kS2SHARP, kS2CARET, kS2DOLLAR, kS2EXCL, kS2BAR,
                           kS2UNDER, kS2TILDE});
        t.specials += u"▲。";
        t.specials += S2LexerTables::kClosingBrackets;
        chars(t.specials, {kS2BACKQUOTE});

        for (const Form& f : kEscapes)
            if (f.width & width_) t.escapes += f.text;
        chars(t.percentForms, {kS2PERCENT});
        chars(t.caretForms, {kS2CARET});
        chars(t.dollarForms, {kS2DOLLAR});
        chars(t.underForms, {kS2UNDER});
        lineEnds(t.underscoreTable);
        marks(t.underscoreTable, {kS2UNDER});
        return t;
    }

private:
    static const char16_t* closing(char16_t b) {
        static constexpr char16_t kEach[][2] = {u"」", u"』", u"｣", u"）"};
        for (const auto& e : kEach)
            if (e[0] == b) return e;
        return nullptr;
    }

    Width width_;
};

} // namespace

const char16_t* S2LexerTables::run(char16_t c, int n) {
    const char16_t* ten = c == u'。' ? kMaru : c == u'、' ? kTen : c == u'.' ? kPeriod : kComma;
    return ten + (kLongestRun - n);
}

const S2LexerTables& S2LexerTables::forSyntax(int syntax) {
    static const S2LexerTables both = Builder(kAny).build();
    static const S2LexerTables half = Builder(kHalf).build();
    static const S2LexerTables full = Builder(kFull).build();
    return syntax == 3 ? half : syntax == 4 ? full : both;
}

} // namespace Orvane
