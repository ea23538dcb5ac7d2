#include "MarkupTables.h"

#include "MarkupTokens.h"

namespace Orvane {

using namespace markup;

namespace {

// Which members of the family accept a form.
enum Width { kHalf = 1, kFull = 2, kAny = 3 };

struct Form {
    int code;
    const char16_t* text;
    Width width;
};

// Every form of every mark character, per code in the order the lexer
// tries them. The at sign's code is that of syntax 1, the only member
// that knows it (the span-aware members use 27 for STOP, never a form).
constexpr Form kForms[] = {
    {kEQ, u"=", kHalf},          {kEQ, u"＝", kFull},
    {kAMP, u"&", kHalf},         {kAMP, u"＆", kFull},
    {kASTER, u"*", kHalf},       {kASTER, u"＊", kFull},
    {kBLACK_SQUARE, u"■", kAny}, {kWHITE_SQUARE, u"□", kAny},
    {kBLACK_DIAMOND, u"◆", kAny}, {kWHITE_DIAMOND, u"◇", kAny},
    {kBLACK_CIRCLE, u"●", kAny}, {kWHITE_CIRCLE, u"○", kAny},
    {kPLUS, u"+", kHalf},        {kPLUS, u"＋", kFull},
    {kMINUS, u"-", kHalf},       {kMINUS, u"－", kFull},       {kMINUS, u"−", kFull},
    {kEXCL, u"!", kHalf},        {kEXCL, u"！", kFull},
    {kBAR, u"|", kHalf},         {kBAR, u"｜", kFull},
    {kTILDE, u"~", kHalf},       {kTILDE, u"〜", kFull},       {kTILDE, u"～", kFull},
    {kTILDE, u"‾", kFull},
    {kBACKQUOTE, u"`", kHalf},   {kBACKQUOTE, u"｀", kFull},
    {kSEMI, u";", kHalf},        {kSEMI, u"；", kFull},
    {kPERCENT, u"%", kHalf},     {kPERCENT, u"％", kFull},
    {kSHARP, u"#", kHalf},       {kSHARP, u"＃", kFull},
    {kCARET, u"^", kHalf},       {kCARET, u"＾", kFull},
    {kDOLLAR, u"$", kHalf},      {kDOLLAR, u"＄", kFull},
    {kUNDER, u"_", kHalf},       {kUNDER, u"＿", kFull},
    {kSPAN_BREAK, u"▲", kAny},
    {kAT, u"@", kHalf},          {kAT, u"＠", kFull},
};

constexpr Form kEscapes[] = {
    {0, u"\\", kHalf}, {0, u"¥", kFull}, {0, u"￥", kFull}, {0, u"＼", kFull},
};

// The sentence ends, each a mark of one unit (the lexer reads a run as one).
constexpr char16_t kMaru[] = u"。";
constexpr char16_t kTen[] = u"、";
constexpr char16_t kPeriod[] = u".";
constexpr char16_t kComma[] = u",";

class Builder {
public:
    Builder(Width width, bool spans) : width_(width), spans_(spans) {}

    void lineEnds(std::vector<Mark>& out) const {
        out.push_back({u"\n", kNL});
        out.push_back({u"\r\n", kNL});
    }
    void marks(std::vector<Mark>& out, std::initializer_list<int> codes) const {
        for (int code : codes)
            for (const Form& f : kForms)
                if (f.code == code && (f.width & width_)) out.push_back({f.text, code});
    }
    void chars(std::u16string& out, std::initializer_list<int> codes) const {
        for (int code : codes)
            for (const Form& f : kForms)
                if (f.code == code && (f.width & width_)) out += f.text;
    }

    MarkupTables build() const {
        MarkupTables t;
        t.spans = spans_;
        lineEnds(t.lineStartMarks);
        marks(t.lineStartMarks, {kEQ, kAMP, kASTER});
        if (width_ & kFull)
            marks(t.lineStartMarks, {kBLACK_SQUARE, kWHITE_SQUARE, kBLACK_DIAMOND, kWHITE_DIAMOND,
                                     kBLACK_CIRCLE, kWHITE_CIRCLE});
        marks(t.lineStartMarks, {kPLUS, kMINUS, kEXCL, kBAR});

        lineEnds(t.inlineMarks);
        marks(t.inlineMarks, {kEQ, kASTER, kPLUS, kMINUS, kEXCL, kBAR, kSEMI, kPERCENT, kSHARP, kCARET,
                              kDOLLAR, kUNDER, kTILDE});
        t.specials = u"\n\r";
        chars(t.specials, {kSEMI, kPERCENT, kSHARP, kCARET, kDOLLAR, kEXCL, kBAR, kUNDER, kTILDE});
        if (spans_) {
            marks(t.inlineMarks, {kSPAN_BREAK});
            t.inlineMarks.push_back({MarkupTables::sentenceEnd(u'。'), kSTOP});
            for (const char16_t* b = MarkupTables::kClosingBrackets; *b; ++b)
                t.inlineMarks.push_back({closing(*b), kCLOSE});
            t.specials += u"▲。";
            t.specials += MarkupTables::kClosingBrackets;
        } else {
            marks(t.inlineMarks, {kAT});
            chars(t.specials, {kAT});
            chars(t.atForms, {kAT});
        }
        marks(t.inlineMarks, {kBACKQUOTE});
        chars(t.specials, {kBACKQUOTE});

        for (const Form& f : kEscapes)
            if (f.width & width_) t.escapes += f.text;
        chars(t.percentForms, {kPERCENT});
        chars(t.caretForms, {kCARET});
        chars(t.dollarForms, {kDOLLAR});
        chars(t.underForms, {kUNDER});
        lineEnds(t.underscoreTable);
        marks(t.underscoreTable, {kUNDER});
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
    bool spans_;
};

} // namespace

const char16_t* MarkupTables::sentenceEnd(char16_t c) {
    return c == u'。' ? kMaru : c == u'、' ? kTen : c == u'.' ? kPeriod : kComma;
}

// Each member's tables are built the first time that member is asked for.
const MarkupTables& MarkupTables::forSyntax(int syntax) {
    switch (syntax) {
    case 1: {
        static const MarkupTables macros = Builder(kAny, false).build();
        return macros;
    }
    case 3: {
        static const MarkupTables half = Builder(kHalf, true).build();
        return half;
    }
    case 4: {
        static const MarkupTables full = Builder(kFull, true).build();
        return full;
    }
    default: {
        static const MarkupTables both = Builder(kAny, true).build();
        return both;
    }
    }
}

} // namespace Orvane
