#include "Template.h"

#include <string_view>

#include "TemplateLexer.h"

namespace Orvane {

namespace {

bool nameP(const TemplateLexer::Token& token, std::string_view name) {
    if (token.length != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (token.units[i] != static_cast<unsigned short>(name[i])) return false;
    return true;
}

const DString* valueOf(const TemplateLexer::Token& token, const TemplateValues& values) {
    if (nameP(token, "ENCODING")) return values.encoding;
    if (nameP(token, "TITLE")) return values.title;
    if (nameP(token, "BODY")) return values.body;
    if (nameP(token, "CSS")) return values.css;
    return nullptr;
}

std::size_t sizeOf(const DString* s) { return s ? s->size() : 0; }

} // namespace

std::unique_ptr<DString> Template::fill(const TemplateValues& values) const {
    auto out = std::make_unique<DString>();
    out->reserve(getTextLength() + sizeOf(values.encoding) * 2 + sizeOf(values.title) + sizeOf(values.body) +
                 sizeOf(values.css));
    TemplateLexer lexer(getText(), getTextLength());
    TemplateLexer::Kind previous = TemplateLexer::Kind::None;
    for (;;) {
        const TemplateLexer::Token token = lexer.next();
        switch (token.kind) {
        case TemplateLexer::Kind::Text: out->append(token.units, token.length); break;
        case TemplateLexer::Kind::Name:
            if (const DString* value = valueOf(token, values)) out->append(*value);
            break;
        case TemplateLexer::Kind::Delimiter:
            if (previous == TemplateLexer::Kind::Delimiter) out->append(token.units, token.length);
            break;
        default: return out;
        }
        previous = token.kind;
    }
}

} // namespace Orvane
