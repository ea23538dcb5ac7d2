#include "Diagnostics.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "Log.h"
#include "ccc/base/Exception.h"
#include "ccc/text/Formatter.h"

namespace Orvane {

namespace {

constexpr unsigned short kLF = u'\n';
constexpr unsigned short kCR = u'\r';

// Arguments of the texts: %{1}d and %{2}d the numbers, %{3}s the quoted
// source, %{4}s the mark as written, %{5}s the mark with an escape before it.
// The structure warnings take their texts from the log's table.
struct KindText {
    const char* name;
    const char16_t* english;
    const char16_t* japanese;
};

constexpr KindText kTexts[] = {
    {"discarded",
     u"the markup cannot be read from \"%{3}s\" on, so that part of the line is left out; write a mark "
     u"character as text with an escape before it, or run quillmark escape",
     u"記法として読めないため「%{3}s」からの部分が出力されません。記号を文字として書くには前に「＼」を置くか、"
     u"quillmark escape を使ってください"},
    {"unclosed-page",
     u"\"%{4}s\" opens a page number that is not closed, so this line is left out; "
     u"write %{5}s for the character",
     u"「%{4}s」がページ番号として閉じていないため、この行は出力されません。"
     u"文字として書くには「%{5}s」としてください"},
    {"unclosed-ruby",
     u"\"%{4}s\" opens a ruby that is not closed, so this line is left out; "
     u"write %{5}s for the character",
     u"「%{4}s」がルビとして閉じていないため、この行は出力されません。"
     u"文字として書くには「%{5}s」としてください"},
    {"unclosed-image",
     u"\"%{4}s\" opens an image that is not closed, so this line is left out; "
     u"write %{5}s for the character",
     u"「%{4}s」が画像として閉じていないため、この行は出力されません。"
     u"文字として書くには「%{5}s」としてください"},
    {"unclosed-anchor",
     u"\"%{4}s\" opens an anchor that is not closed, so this line is left out; "
     u"write %{5}s for the character",
     u"「%{4}s」がアンカーとして閉じていないため、この行は出力されません。"
     u"文字として書くには「%{5}s」としてください"},
    {"unclosed-link",
     u"\"%{4}s\" opens a link that is not closed, so this line is left out; "
     u"write %{5}s for the character",
     u"「%{4}s」がリンクとして閉じていないため、この行は出力されません。"
     u"文字として書くには「%{5}s」としてください"},
    {"unclosed-raw",
     u"\"%{4}s\" opens raw markup that is not closed, so this line and the rest of the source are left out; "
     u"write %{5}s for the character",
     u"「%{4}s」が生のマークアップとして閉じていないため、この行から文書の終わりまでが出力されません。"
     u"文字として書くには「%{5}s」としてください"},
    {"unclosed-comment",
     u"\"%{4}s\" opens a comment that is not closed, so this line is left out; "
     u"write %{5}s for the character",
     u"「%{4}s」がコメントとして閉じていないため、この行は出力されません。"
     u"文字として書くには「%{5}s」としてください"},
    {"unclosed-macro",
     u"\"%{4}s\" opens a macro that is not closed, so this line and the rest of the source are left out; "
     u"write %{5}s for the character",
     u"「%{4}s」がマクロとして閉じていないため、この行から文書の終わりまでが出力されません。"
     u"文字として書くには「%{5}s」としてください"},
    {"not-page-number", u"\"%{3}s\" is not a page number (digits with an optional sign); it counts as page 0",
     u"「%{3}s」はページ番号（符号と数字）ではないため、0ページとして扱われます"},
    {"heading-start", nullptr, nullptr},
    {"heading-jump", nullptr, nullptr},
    {"page-backwards", nullptr, nullptr},
};
static_assert(std::size(kTexts) == static_cast<std::size_t>(DiagnosticKind::kPageBackwards) + 1);

DString widen(const char16_t* s) {
    DString out;
    for (; *s; ++s) out.push_back(static_cast<unsigned short>(*s));
    return out;
}

// The inverse of structureKind: the log's message, 0 for the others.
int logMessageOf(DiagnosticKind kind) {
    const int n = static_cast<int>(kind) - static_cast<int>(DiagnosticKind::kHeadingStart) + 1;
    return n >= Log::kHeadingStart && n <= Log::kPageBackwards ? n : Log::kNone;
}

// A log text without its "WARNING: " or "警告: " and its line end.
DString bareLogText(int number, int language) {
    DString text = Log::message(number, language);
    const DString colon = widen(u": ");
    const std::size_t at = std::search(text.begin(), text.end(), colon.begin(), colon.end()) - text.begin();
    if (at < text.size()) text.erase(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at + colon.size()));
    if (!text.empty() && text.back() == kLF) text.pop_back();
    return text;
}

bool fullWidthP(unsigned short c) { return c >= 0x3000; }

// The second half of a surrogate pair: no character of its own.
bool pairEndAt(const unsigned short* text, std::size_t i) {
    return text[i] >= 0xDC00 && text[i] < 0xE000 && i > 0 && text[i - 1] >= 0xD800 && text[i - 1] < 0xDC00;
}

// Sixteen units a step, in a loop without an early exit that the compiler
// turns into vector code.
int countLineFeeds(const unsigned short* p, const unsigned short* end) {
    int n = 0;
    for (; end - p >= 16; p += 16) {
        int block = 0;
        for (int j = 0; j < 16; ++j) block += p[j] == kLF;
        n += block;
    }
    for (; p < end; ++p) n += *p == kLF;
    return n;
}

} // namespace

void Diagnostics::locate(const unsigned short* text, std::size_t length) {
    if (located_ == items_.size()) return;
    const auto fresh = items_.begin() + static_cast<std::ptrdiff_t>(located_);
    std::stable_sort(fresh, items_.end(), [](const Diagnostic& a, const Diagnostic& b) { return a.offset < b.offset; });
    std::size_t i = 0;
    int line = 1, column = 1;
    for (auto d = fresh; d != items_.end(); ++d) {
        const std::size_t to = std::min<std::size_t>(d->offset, length);
        // Whole lines are only counted; the columns are walked from the
        // last line start before the mark.
        const unsigned short* lineStart = std::find(std::make_reverse_iterator(text + to),
                                                    std::make_reverse_iterator(text + i), kLF).base();
        if (lineStart != text + i) {
            line += countLineFeeds(text + i, lineStart);
            column = 1;
            i = static_cast<std::size_t>(lineStart - text);
        }
        for (; i < to; ++i) {
            const unsigned short c = text[i];
            if (c == kLF) {
                ++line;
                column = 1;
            } else if (!(c == kCR && i + 1 < length && text[i + 1] == kLF) && !pairEndAt(text, i)) {
                ++column;  // the LF after a CR, and a pair's first half, count for both
            }
        }
        d->line = line;
        d->column = column;
        d->quote.clear();
        std::size_t characters = 0;
        for (std::size_t k = to; k < length && text[k] != kLF && text[k] != kCR; ++k) {
            if (!pairEndAt(text, k) && characters++ == kQuoteLength) {
                d->quote += widen(u"…");
                break;
            }
            d->quote.push_back(text[k]);
        }
    }
    located_ = items_.size();
}

const char* Diagnostics::kindName(DiagnosticKind kind) { return kTexts[static_cast<std::size_t>(kind)].name; }

DString Diagnostics::message(const Diagnostic& d, int language) {
    if (const int number = logMessageOf(d.kind)) {
        CCC::Formatter<unsigned short> format(bareLogText(number, language));
        format.addInt(d.first).addInt(d.second);
        DString out;
        try {
            format.format(out);
        } catch (const CCC::Exception&) {
            // The table's own texts always format.
        }
        return out;
    }
    const KindText& texts = kTexts[static_cast<std::size_t>(d.kind)];
    CCC::Formatter<unsigned short> format(widen(language == kEnglish ? texts.english : texts.japanese));
    const DString mark = d.quote.empty() ? DString() : DString(1, d.quote[0]);
    DString escaped = mark;
    if (!mark.empty()) escaped.insert(escaped.begin(), static_cast<unsigned short>(fullWidthP(mark[0]) ? u'＼' : u'\\'));
    format.addInt(d.first).addInt(d.second).addString(d.quote).addString(mark).addString(escaped);
    DString out;
    try {
        format.format(out);
    } catch (const CCC::Exception&) {
    }
    return out;
}

DString Diagnostics::line(const DString& file, const Diagnostic& d, int language) {
    DString out = file;
    const std::string place = ":" + std::to_string(d.line) + ":" + std::to_string(d.column) + ": ";
    for (char c : place) out.push_back(static_cast<unsigned char>(c));
    out += widen(language == kEnglish ? u"warning: " : u"警告: ");
    out += message(d, language);
    out.push_back(kLF);
    return out;
}

} // namespace Orvane
