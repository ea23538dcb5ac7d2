#include "LinkRewrite.h"

#include <string_view>

namespace Publish {

bool rewriteLinks(std::string& text, const LinkChanges& changes) {
    static constexpr std::string_view kOpen = "<a href=\"";
    static constexpr std::string_view kOpenEnd = "\" >";
    static constexpr std::string_view kClose = "</a>";
    if (changes.empty()) return false;
    std::string out;
    std::size_t copied = 0;  // text before this is in out
    for (std::size_t at = text.find(kOpen); at != std::string::npos; at = text.find(kOpen, at + 1)) {
        const std::size_t value = at + kOpen.size();
        const std::size_t quote = text.find('"', value);
        if (quote == std::string::npos) break;
        if (text.compare(quote, kOpenEnd.size(), kOpenEnd) != 0) continue;
        const auto change = changes.find(std::string_view(text).substr(value, quote - value));
        if (change == changes.end()) continue;
        const std::size_t inner = quote + kOpenEnd.size();
        const std::size_t close = change->second ? inner : text.find(kClose, inner);
        if (close == std::string::npos) break;
        if (out.empty()) out.reserve(text.size() + text.size() / 16);
        out.append(text, copied, at - copied);
        if (change->second) {
            out.append(kOpen).append(*change->second);
            copied = quote;
        } else {
            out.append(text, inner, close - inner);
            copied = close + kClose.size();
        }
        at = copied - 1;
    }
    if (copied == 0) return false;
    out.append(text, copied);
    text.swap(out);
    return true;
}

} // namespace Publish
