#include "BookText.h"

#include <memory>

#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/SinkOFlow.h"
#include "core/generator/Escaping.h"

namespace Publish {

std::string writtenToUtf8(const unsigned short* text, std::size_t length) {
    std::string out;
    // Three bytes a unit at most (a pair's four bytes take two units): the
    // string never grows, and the pages it does not fill are never touched.
    out.reserve(3 * length);
    appendWrittenUtf8(out, text, length);
    return out;
}

void appendWrittenUtf8(std::string& out, const unsigned short* text, std::size_t length) {
    if (length == 0) return;
    const std::unique_ptr<CCC::CompositIFilter> chain(
        CCC::Iceman::createCompositIFilter(CCC::ceid::kUtf16N, CCC::ceid::kUtf8N));
    if (!chain) return;
    CCC::TFixedMemIFlow<unsigned short> src(text, length);
    // The encoder's bytes go to a std::string, the book's own text type.
    const auto take = [&out](const char* bytes, std::size_t n) { out.append(bytes, n); };
    CCC::SinkOFlow<char, decltype(take)> dest(take);
    chain->setSrc(&src);
    CCC::Conveyer(chain.get(), &dest).carryBlocks(CCC::kIO8);
}

std::string toUtf8(const DString& text) {
    DString safe;
    Orvane::Escaping::appendRaw(safe, &text);
    return writtenToUtf8(safe.data(), safe.size());
}

DString fromUtf8(std::string_view text) {
    DString out;
    if (!CCC::Iceman::convertToDString(CCC::ceid::kUtf8N, CCC::ceid::kUtf16N, CCC::TString<char>(text.data(), text.size()),
                                       out))
        out.clear();
    return out;
}

std::string xmlTextOf(std::string_view text) { return toUtf8(fromUtf8(text)); }

std::string uriEscaped(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b >= 0x7F || std::string_view("\"<>\\^`{|}").find(c) != std::string_view::npos) {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::string escapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

} // namespace Publish
