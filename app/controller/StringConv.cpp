#include "app/controller/StringConv.h"
#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"

namespace tolvanw32 {

namespace {

CCC::TString<unsigned short> unitsOf(const Text& text) {
    CCC::TString<unsigned short> units;
    units.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) units[i] = static_cast<unsigned short>(text[i]);
    return units;
}

} // namespace

std::optional<std::string> StringConv::encode(CCC::CeId to, const Text& text) {
    CCC::TString<unsigned short> units = unitsOf(text);
    CCC::TString<char> bytes;
    if (!CCC::Iceman::convertToBString(CCC::ceid::kUtf16N, to, units, bytes)) return std::nullopt;
    return std::string(bytes.data(), bytes.size());
}

Text StringConv::decode(CCC::CeId from, std::string_view bytes) {
    CCC::TString<char> in(bytes.data(), bytes.size());
    CCC::TString<unsigned short> units;
    if (!CCC::Iceman::convertToDString(from, CCC::ceid::kUtf16N, in, units)) return Text();
    return createDnString(units);
}

std::unique_ptr<CCC::TString<char>> StringConv::createBString(const Text& text) const {
    std::optional<std::string> bytes = encode(narrow_, text);
    if (!bytes) return nullptr;
    return std::make_unique<CCC::TString<char>>(bytes->data(), bytes->size());
}

std::unique_ptr<CCC::TString<unsigned short>> StringConv::createDString(const Text& text) {
    return std::make_unique<CCC::TString<unsigned short>>(unitsOf(text));
}

Text StringConv::createDnString(const CCC::TString<char>& narrow) const {
    return decode(narrow_, std::string_view(narrow.data(), narrow.size()));
}

Text StringConv::createDnString(const CCC::TString<unsigned short>& units) {
    Text text;
    text.resize(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) text[i] = static_cast<char16_t>(units[i]);
    return text;
}

std::optional<std::string> StringConv::toNarrow(const Text& text) const { return encode(narrow_, text); }

Text StringConv::fromNarrow(std::string_view narrow) const { return decode(narrow_, narrow); }

bool StringConv::wellFormedP(const Text& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t u = text[i];
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
            ++i;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

bool StringConv::narrowRoundTripP(const Text& text) const {
    // A lone surrogate may survive the UTF-8 trip as three bytes, but it
    // names no character: no file name may hold one.
    if (narrow_ == CCC::ceid::kUtf8N && !wellFormedP(text)) return false;
    std::unique_ptr<CCC::TString<char>> narrow = createBString(text);
    return narrow && createDnString(*narrow) == text;
}

std::optional<std::string> StringConv::toUtf8(const Text& text) { return encode(CCC::ceid::kUtf8N, text); }

Text StringConv::fromUtf8(std::string_view utf8) { return decode(CCC::ceid::kUtf8N, utf8); }

Text withCrLf(const CCC::TString<unsigned short>& log) {
    Text text;
    text.reserve(log.size() + log.size() / 16);
    for (unsigned short u : log) {
        if (u == u'\n') text += u'\r';
        text += static_cast<char16_t>(u);
    }
    return text;
}

} // namespace tolvanw32
