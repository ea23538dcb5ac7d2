#include "HtmlDetector.h"

#include <cstring>

#include "../base/TString.h"
#include "../encoding/EncodingIds.h"

namespace CCC {

namespace {

unsigned char upper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

// A cursor over the text; comparisons upper-case the letters of the text,
// so every literal below is written in upper case.
class Cursor {
public:
    Cursor(const char* p, const char* end) : p_(p), end_(end) {}

    bool atEnd() const { return p_ == end_; }
    const char* pos() const { return p_; }
    void advance(std::size_t n = 1) { p_ += n; }

    bool lookingAt(std::string_view lit) const { return startsWith(p_, end_, lit); }
    bool take(std::string_view lit) {
        if (!lookingAt(lit)) return false;
        p_ += lit.size();
        return true;
    }
    // Moves just past the next occurrence of lit (which starts with a
    // character that is no letter), or to the end.
    void skipPast(std::string_view lit) {
        for (;;) {
            p_ = find(lit[0]);
            if (p_ == end_) return;
            if (lookingAt(lit)) break;
            ++p_;
        }
        p_ += lit.size();
    }
    // Moves to the next '<' or '&', or to the end.
    void skipText() {
        while (p_ != end_ && *p_ != '<' && *p_ != '&') ++p_;
    }

    static bool startsWith(const char* p, const char* end, std::string_view lit) {
        if (static_cast<std::size_t>(end - p) < lit.size()) return false;
        for (char l : lit)
            if (upper(static_cast<unsigned char>(*p++)) != static_cast<unsigned char>(l)) return false;
        return true;
    }

private:
    const char* find(char ch) const {
        const void* hit = std::memchr(p_, ch, static_cast<std::size_t>(end_ - p_));
        return hit ? static_cast<const char*>(hit) : end_;
    }

    const char* p_;
    const char* end_;
};

// What charsetOf answers for a content value without a charset: unlike
// ceid::kNone (a name no encoding has), it leaves an earlier answer alone.
constexpr CeId kNoCharset = -1;

// The identifier a META content value names, or kNoCharset when the value
// does not have the form "text/html; charset=NAME".
CeId charsetOf(const char* p, const char* end) {
    Cursor c(p, end);
    if (!c.take("TEXT/HTML;")) return kNoCharset;
    while (!c.atEnd() && *c.pos() == ' ') c.advance();
    if (!c.take("CHARSET=")) return kNoCharset;
    const char* name = c.pos();
    const char* paren = static_cast<const char*>(std::memchr(name, '(', static_cast<std::size_t>(end - name)));
    if (paren) end = paren;
    return Detector::encodingNamed(std::string_view(name, static_cast<std::size_t>(end - name)));
}

} // namespace

CeId HtmlDetector::detect(IFlow& in) {
    if (!in.ioTypeP(kIO8)) return ceid::kNone;

    // Everything up to the first 0 byte; reading stops there, since the scan
    // of the zero-terminated text never looks past it. A failing flow ends the reading: what was read
    // is used.
    constexpr std::size_t kBlock = 16 * 1024;
    char block[kBlock];
    TString<char> text;
    for (bool end = false; !end;) {
        std::size_t count = 0;
        try {
            in.read8(kBlock, block, count);
            if (count == 0) end = true;
        } catch (const IOException&) {
            end = true;
        }
        if (count > kBlock) count = 0;
        if (const void* zero = std::memchr(block, 0, count)) {
            count = static_cast<std::size_t>(static_cast<const char*>(zero) - block);
            end = true;
        }
        text.append(block, count);
    }
    return scan(std::string_view(text.data(), text.size()));
}

CeId HtmlDetector::scan(std::string_view all) {
    if (all.empty()) return ceid::kNone;
    const char* end = static_cast<const char*>(std::memchr(all.data(), 0, all.size()));
    Cursor c(all.data(), end ? end : all.data() + all.size());

    bool inHtml = false;
    bool inHead = false;
    CeId result = ceid::kNone;

    while (!c.atEnd()) {
        c.skipText();
        if (c.atEnd()) break;
        if (c.take("<?")) {
            c.skipPast("?>");
        } else if (c.take("<!--")) {
            c.skipPast("-->");
        } else if (c.take("</")) {
            if (c.lookingAt("HTML")) inHtml = false;
            if (c.lookingAt("HEAD")) inHead = false;
            c.skipPast(">");
        } else if (c.take("<")) {
            const bool html = c.lookingAt("HTML");
            const bool head = c.lookingAt("HEAD");
            const bool meta = c.lookingAt("META");
            while (!c.atEnd() && !c.lookingAt(" ") && !c.lookingAt("\n") && !c.lookingAt("\r") &&
                   !c.lookingAt(">") && !c.lookingAt("/>"))
                c.advance();

            bool empty = false;   // ended with "/>"
            bool marked = false;  // http-equiv="Content-Type"
            const char* value = nullptr;
            const char* valueEnd = nullptr;
            if (c.take("/>")) {
                empty = true;
            } else if (!c.take(">")) {
                while (!c.atEnd()) {
                    if (c.take("/>")) {
                        empty = true;
                        break;
                    }
                    if (c.take(">")) break;
                    if (c.take("HTTP-EQUIV=\"CONTENT-TYPE\"")) {
                        marked = true;
                    } else if (c.take("CONTENT=\"")) {
                        value = c.pos();
                        while (!c.atEnd() && *c.pos() != '"') c.advance();
                        valueEnd = c.pos();
                        if (!c.atEnd()) c.advance();
                    } else {
                        c.advance();
                    }
                }
            }

            if (html && !empty) inHtml = true;
            if (head) inHead = true;
            if (meta && inHtml && inHead && marked && value) {
                CeId id = charsetOf(value, valueEnd);
                if (id != kNoCharset) result = id;
            }
        } else if (c.take("&")) {
            c.skipPast(";");
        } else {
            c.advance();
        }
    }
    return result;
}

} // namespace CCC
