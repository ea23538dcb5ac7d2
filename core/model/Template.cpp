#include "Template.h"

#include <string_view>

#include "EncodedSpool.h"
#include "TemplateLexer.h"
#include "TextSpool.h"

namespace Orvane {

namespace {

bool nameP(const TemplateLexer::Token& token, std::string_view name) {
    if (token.length != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (token.units[i] != static_cast<unsigned short>(name[i])) return false;
    return true;
}

TextRef valueOf(const TemplateLexer::Token& token, const TemplateValues& values) {
    if (nameP(token, "ENCODING")) return values.encoding;
    if (nameP(token, "TITLE")) return values.title;
    if (nameP(token, "BODY")) return values.body;
    if (nameP(token, "CSS")) return values.css;
    return {};
}

} // namespace

TextPieces Template::pieces(const TemplateValues& values, bool headOnly) const {
    TextPieces out;
    const auto add = [&out](const unsigned short* units, std::size_t length) {
        if (length) out.push_back(TextPiece{units, length});
    };
    TemplateLexer lexer(getText(), getTextLength());
    TemplateLexer::Kind previous = TemplateLexer::Kind::None;
    for (;;) {
        const TemplateLexer::Token token = lexer.next();
        switch (token.kind) {
        case TemplateLexer::Kind::Text: add(token.units, token.length); break;
        case TemplateLexer::Kind::Name:
            if (headOnly && nameP(token, "BODY")) return out;
            if (values.bodyEncoded && values.bodyEncoded->startedP() && nameP(token, "BODY"))
                out.push_back(TextPiece{nullptr, 0, nullptr, values.bodyEncoded});
            else if (values.bodyStart && values.bodyStart->size() && nameP(token, "BODY"))
                out.push_back(TextPiece{nullptr, values.bodyStart->size(), values.bodyStart});
            if (const TextRef value = valueOf(token, values)) add(value->data(), value->size());
            break;
        case TemplateLexer::Kind::Delimiter:
            if (previous == TemplateLexer::Kind::Delimiter) add(token.units, token.length);
            break;
        default: return out;
        }
        previous = token.kind;
    }
}

bool Template::unitBeforeBody(unsigned short& unit) const {
    TemplateLexer lexer(getText(), getTextLength());
    TemplateLexer::Token before{}, last{};
    int bodies = 0;
    for (TemplateLexer::Token token = lexer.next(); token.kind != TemplateLexer::Kind::None &&
                                                    token.kind != TemplateLexer::Kind::End;
         token = lexer.next()) {
        if (token.kind == TemplateLexer::Kind::Name && nameP(token, "BODY")) {
            if (++bodies > 1 || before.kind != TemplateLexer::Kind::Text || before.length == 0) return false;
            unit = before.units[before.length - 1];
        }
        before = last;
        last = token;
    }
    return bodies == 1;
}

std::unique_ptr<DString> Template::fill(const TemplateValues& values, bool headOnly) const {
    const TextPieces parts = pieces(values, headOnly);
    std::size_t length = 0;
    for (const TextPiece& part : parts) length += part.length;
    auto out = std::make_unique<DString>();
    out->reserve(length);
    for (const TextPiece& part : parts) {
        if (!part.spool) {
            out->append(part.units, part.length);
            continue;
        }
        const std::size_t at = out->size();
        out->append(part.length, 0);
        // A spool that cannot give its text back leaves nothing of it.
        if (!part.spool->read(0, out->data() + at, part.length)) out->resize(at);
    }
    return out;
}

} // namespace Orvane
