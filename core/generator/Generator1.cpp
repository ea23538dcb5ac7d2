#include "Generator1.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <new>
#include <string_view>

#include "DocumentListener.h"
#include "Escaping.h"
#include "ListTransitions.h"
#include "PageNumber.h"
#include "XhtmlTemplates.h"
#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"
#include "core/model/FileName.h"
#include "core/model/Log.h"
#include "core/model/Model.h"
#include "core/model/Output.h"
#include "core/model/SrcText.h"
#include "core/model/Template.h"

namespace Orvane {

using namespace std::string_view_literals;

namespace {

using Unit = unsigned short;

// A char16_t literal holds the units the body and the values store.
template <class Dest>
void append(Dest& dest, std::u16string_view text) {
    dest.append(reinterpret_cast<const Unit*>(text.data()), text.size());
}

CCC::TString<Unit> widen(const char* ascii) { return CCC::TString<Unit>::fromAscii(ascii); }

std::u16string key(TextView id) { return std::u16string(id.data(), id.data() + id.size()); }

bool blankP(Unit u) { return u == ' ' || u == '\t' || u == '\n' || u == '\r' || u == '\f'; }

bool digitP(Unit u) { return u >= '0' && u <= '9'; }
bool bangP(Unit u) { return u == '!' || u == '?'; }

} // namespace

Generator1::Generator1(Model* model) : Generator(model) {}

void Generator1::emit(std::u16string_view tag) { append(body(), tag); }

void Generator1::spillBody() {
    // The last units stay: endTableBetweenRows() looks back at them.
    const std::size_t n = bodyValue_.size() - kBodyKeptUnits;
    if (encodeAheadP_ && (bodyEncoded_.startedP() || startEncodedBody())) {
        bodyEncoded_.take(bodyValue_, n);
        return;
    }
    encodeAheadP_ = false;
    if (!bodySpool_.append(bodyValue_.data(), n)) {
        // No room in a file: the body grows in memory as it did.
        spillAt_ = SIZE_MAX;
        return;
    }
    bodyValue_.eraseFront(n);
}

void Generator1::element(std::u16string_view open, TextRef text, std::u16string_view close) {
    emit(open);
    Escaping::appendText(body(), text);
    emit(close);
}

void Generator1::warn(int message, int first, int second, bool located) {
    // The syntax keeps the cursor at the mark whose events are being written.
    if (located && srcText_) srcText_->getDiagnostics().addAtCursor(Diagnostics::structureKind(message), first, second);
    if (!log_ || !log_->getWriter()) return;
    const DString& text = Log::message(message, Log::kJapanese);
    try {
        if (log_->sourceNamesP() && srcText_) {
            DString name;
            if (FileName::toText(srcText_->getFileName(), name)) {
                name += widen(": ");
                log_->getWriter()->writeString(name);
            }
        }
        if (message == Log::kHeadingStart) log_->getWriter()->print(&text, first);
        else log_->getWriter()->print(&text, first, second);
    } catch (const CCC::Exception&) {
        // A log that cannot take the line must not stop the conversion.
    }
}

void Generator1::setStyleSheet(TextRef name) {
    if (!name || name->empty()) {
        cssValue_.clear();
        return;
    }
    cssValue_.clear();
    append(cssValue_, u"<link rel=\"stylesheet\" type=\"text/css\" media=\"all\" href=\""sv);
    Escaping::appendAttribute(cssValue_, name);
    append(cssValue_, u"\" />\n"sv);
}

const char* Generator1::getTemplate() {
    if (html5P()) {
        html5Template_ = XhtmlTemplates::html5(language_, viewportP_);
        return html5Template_.c_str();
    }
    return xhtml_ == 1 ? XhtmlTemplates::kXhtml11 : XhtmlTemplates::kXhtml10Transitional;
}

CeId Generator1::getTemplateCeId() { return CCC::ceid::kShiftJis; }
const char* Generator1::getExtension() { return ".html"; }

void Generator1::setEncoding(CeId ceId) {
    // The charset label must be a name XML processors know: cp932 is
    // declared as Shift_JIS, UTF-8 without a mark as plain utf-8.
    const char* name = nullptr;
    if (utf8OnlyP_) name = "utf-8";
    else if (ceId == CCC::ceid::kCp932) name = "Shift_JIS";
    else if (ceId == CCC::ceid::kUtf8N) name = "utf-8";
    else name = CCC::Iceman::ceIdToString(ceId);
    encodingValue_ = DString::fromAscii(name ? name : "us-ascii");
}

void Generator1::reset() {
    Generator::reset();
    encodingValue_.clear();
    titleValue_.clear();
    bodyValue_.clear();
    bodyEncoded_.clear();
    bodySpool_.clear();
    // Span and paragraph tags can make the body more than three times the
    // text (short sentences of kanji, whose tags outweigh them). Written
    // to a file as the run goes, the body goes on into a spool whenever
    // its memory fills, so its peak is that memory; kept in memory, room
    // for six times the text keeps it from being copied while it grows,
    // the old copy alive beside the new (pages never written are never
    // touched: that room costs address space, not memory).
    const std::size_t textLength = srcText_ ? srcText_->expectedTextLength() : 0;
    const bool spooled = model_ && model_->stagesOutputsP();
    spillAt_ = spooled ? kBodySpillUnits : SIZE_MAX;
    const Template* skeleton = srcText_ ? srcText_->getTemplate() : nullptr;
    unsigned short headEnd = 0;
    encodeAheadP_ = spooled && skeleton && skeleton->unitBeforeBody(headEnd) && EncodedSpool::usableAfter(headEnd);
    try {
        bodyValue_.reserve(std::min(6 * textLength, spillAt_) + 1024);
    } catch (const std::bad_alloc&) {
        // Where address space is tight the body grows as it needs.
    }
    openWrappers();
    headingLevel_ = 0;
    clearIds();
}

void Generator1::clearIds() {
    ids_.clear();
    idCounter_ = 0;
    inHeadingP_ = false;
}

bool Generator1::claimId(TextView id) {
    if (id.empty()) return false;
    for (Unit u : id)
        if (blankP(u)) return false;
    return ids_.insert(key(id)).second;
}

const DString& Generator1::newId(const char* prefix) {
    do {
        id_ = widen(("qm-" + std::string(prefix) + std::to_string(++idCounter_)).c_str());
    } while (!claimId(id_));
    return id_;
}

void Generator1::openWrappers() {
    if (yokoP_) emit(u"<div class=\"yoko\">\n"sv);
    if (tateP_) {
        emit(u"<div class=\"tate\">\n"sv);
        emit(u"<div id=\"honbun\">\n"sv);
    }
}

void Generator1::closeWrappers() {
    if (yokoP_) emit(u"</div>\n"sv);
    if (tateP_) {
        emit(u"</div>\n"sv);
        emit(u"</div>\n"sv);
    }
}

void Generator1::writeOutput() {
    // A list or table the document ends in is closed inside the wrappers.
    setBlockMode(kPlainBlock);
    closeWrappers();
    if (!srcText_ || !model_) return;

    auto output = std::make_unique<Output>(srcText_, outputName().c_str(), srcText_->getOutCeId(),
                                           srcText_->getNewLineMode());
    const bool untitled = completeHead();
    // Handed over complete: the model writes it out at once.
    model_->addOutput(std::move(output), srcText_->getTemplate(),
                      TemplateValues{&encodingValue_, &titleValue_, bodyValue_.view(), &cssValue_, &bodySpool_,
                                     &bodyEncoded_});
    // Written out now: the spools' files go (a new part or source starts
    // its body afresh).
    bodyEncoded_.clear();
    bodySpool_.clear();
    if (untitled) titleValue_.clear();
}

BString Generator1::outputName() {
    BString name = srcText_->getBaseName();
    if (part_ != 0) name += std::to_string(part_).c_str();
    name += getExtension();
    return name;
}

bool Generator1::completeHead() {
    setEncoding(srcText_->getOutCeId());
    // HTML5 wants a title in every document: a part without a title line
    // is called after its source's file name.
    const bool untitled = html5P() && titleValue_.empty();
    if (untitled) {
        const BString& file = srcText_->getFileName();
        const std::size_t slash = file.rfind('/');
        DString fileName;
        if (FileName::toText(slash == BString::npos ? file : BString(file.substr(slash + 1)), fileName))
            Escaping::appendText(titleValue_, &fileName);
    }
    return untitled;
}

bool Generator1::startEncodedBody() {
    // The head as it stands now: most documents have their title by the
    // time their body fills its memory.
    const bool untitled = completeHead();
    const std::unique_ptr<DString> head = srcText_->getTemplate()->fill(
        TemplateValues{&encodingValue_, &titleValue_, nullptr, &cssValue_}, true);
    if (untitled) titleValue_.clear();
    return bodyEncoded_.start(srcText_->getOutCeId(), srcText_->getNewLineMode(), *head, outputName().c_str());
}

void Generator1::newOutput() {
    writeOutput();
    bodyValue_.clear();
    openWrappers();
    clearIds();
    ++part_;
}

void Generator1::pageNumber(TextRef text) {
    if (!text) {
        if (page_ < INT_MAX) ++page_;
    } else {
        bool number = false;
        const int n = parseNumber(*text, &number);
        // Text that is no number says so in its place, rather than as a page going back to 0.
        if (!number && srcText_) srcText_->getDiagnostics().addAtCursor(DiagnosticKind::kNotPageNumber);
        if (n <= page_) warn(Log::kPageBackwards, page_, n, number);
        page_ = n;
    }
    const DString label = widen(std::to_string(page_).c_str());
    if (html5P()) openPageBreak(label, u"page-normal"sv);
    else emit(u"<span class=\"page-normal\">"sv);
    body() += label;
    emit(u"</span>"sv);
}

void Generator1::openPageBreak(const DString& label, std::u16string_view className) {
    const DString& id = newId("page");
    emit(u"<span epub:type=\"pagebreak\" role=\"doc-pagebreak\" id=\""sv);
    body() += id;
    emit(u"\" title=\""sv);
    Escaping::appendAttribute(body(), &label);
    emit(u"\" class=\""sv);
    emit(className);
    emit(u"\">"sv);
    if (listener_) listener_->pageBreak(id, label);
}

void Generator1::beginHeading(int level) {
    if (html5P() && listener_ && level >= 1 && level <= 6) {
        setBlockMode(kPlainBlock);
        emit(u"<h"sv);
        body().push_back(static_cast<Unit>('0' + level));
        emit(u" id=\""sv);
        body() += newId("h");
        emit(u"\">"sv);
        inHeadingP_ = true;
        headingText_.clear();
    } else {
        Generator::beginHeading(level);
    }
    if (headingLevel_ < level - 1) {
        if (headingLevel_ == 0) warn(Log::kHeadingStart, level, 0);
        else warn(Log::kHeadingJump, headingLevel_, level);
    }
    headingLevel_ = level;
}

void Generator1::endHeading(int level) {
    Generator::endHeading(level);
    if (!inHeadingP_) return;
    inHeadingP_ = false;
    listener_->heading(level, id_, headingText_);
}

void Generator1::horizontalRule() {
    setBlockMode(kPlainBlock);
    emit(u"<hr />\n"sv);
}

void Generator1::setTitle(TextRef text) {
    setBlockMode(kPlainBlock);
    titleValue_.clear();
    Escaping::appendText(titleValue_, text);
}

void Generator1::text(TextRef text) {
    if (!text) return;
    if (inHeadingP_) headingText_ += *text;
    if (tateChuYokoP_) appendTateChuYoko(*text);
    else Escaping::appendText(body(), text);
}

// Upright runs are maximal: a run of one or two digits (three or more stay
// as they are) or of exactly two of "!" and "?".
void Generator1::appendTateChuYoko(TextView text) {
    const Unit* s = text.data();
    const std::size_t n = text.size();
    std::size_t copied = 0;
    for (std::size_t i = 0; i < n;) {
        const bool digit = digitP(s[i]);
        if (!digit && !bangP(s[i])) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < n && (digit ? digitP(s[end]) : bangP(s[end]))) ++end;
        if (digit ? end - i <= 2 : end - i == 2) {
            Escaping::appendText(body(), s + copied, i - copied);
            emit(u"<span class=\"tcy\">"sv);
            body().append(s + i, s + end);
            emit(u"</span>"sv);
            copied = end;
        }
        i = end;
    }
    Escaping::appendText(body(), s + copied, n - copied);
}
void Generator1::endTableBetweenRows() {
    static const DString kRowEnd = widen("</tr>\n");
    if (html5P() && getBlockMode() == kTableBlock && bodyValue_.view().ends_with(kRowEnd.view()))
        setBlockMode(kPlainBlock);
}

void Generator1::lineBreak() {
    endTableBetweenRows();
    emit(u"<br />"sv);
}

void Generator1::image(TextRef source, TextRef alternative, bool block) {
    if (block) endTableBetweenRows();
    DString resolved;
    if (listener_ && source) {
        if (!listener_->resolveImage(DString(*source), resolved)) {
            if (block) emit(u"<div class=\"image\">"sv);
            Escaping::appendText(body(), alternative);
            if (block) emit(u"</div>"sv);
            return;
        }
        source = &resolved;
    }
    emit(block ? u"<div class=\"image\"><img src=\""sv : u"<img src=\""sv);
    Escaping::appendAttribute(body(), source);
    emit(u"\" alt=\""sv);
    Escaping::appendAttribute(body(), alternative);
    emit(block ? u"\" /></div>"sv : u"\" />"sv);
}

void Generator1::anchor(TextRef name, TextRef text) {
    if (inHeadingP_ && text) headingText_ += *text;
    if (html5P()) {
        // An id the document already has (or no usable one) keeps the text.
        const bool named = name && claimId(*name);
        emit(named ? u"<a id=\""sv : u"<a>"sv);
        if (named) {
            Escaping::appendAttribute(body(), name);
            emit(u"\" >"sv);
            if (listener_) listener_->anchor(DString(*name));
        }
        Escaping::appendText(body(), text);
        emit(u"</a>"sv);
        return;
    }
    emit(u"<a name=\""sv);
    Escaping::appendAttribute(body(), name);
    element(u"\" >"sv, text, u"</a>"sv);
}

void Generator1::link(TextRef target, TextRef text) {
    if (inHeadingP_ && text) headingText_ += *text;
    DString resolved;
    if (listener_ && target) {
        if (!listener_->resolveLink(DString(*target), resolved)) {
            Escaping::appendText(body(), text);
            return;
        }
        target = &resolved;
    }
    emit(u"<a href=\""sv);
    Escaping::appendAttribute(body(), target);
    element(u"\" >"sv, text, u"</a>"sv);
}

void Generator1::rawText(TextRef text) { Escaping::appendRaw(body(), text); }

void Generator1::comment(TextRef text) {
    emit(u"<!-- "sv);
    Escaping::appendComment(body(), text);
    emit(u" -->"sv);
}

void Generator1::blockComment(TextRef text) {
    emit(u"<!-- "sv);
    Escaping::appendComment(body(), text);
    emit(u" -->\n"sv);
}

void Generator1::macro(TextRef text) {
    emit(u"<!-- MACRO:"sv);
    Escaping::appendComment(body(), text);
    emit(u" -->\n"sv);
}

void Generator1::ruby(TextRef base, TextRef reading) {
    if (inHeadingP_ && base) headingText_ += *base;
    element(u"<ruby><rb>"sv, base, u"</rb><rp>\uFF08</rp><rt>"sv);
    element({}, reading, u"</rt><rp>\uFF09</rp></ruby>"sv);
}

void Generator1::title(TextRef text) {
    headingLevel_ = 1;
    if (html5P() && listener_) {
        emit(u"<h1 class=\"title\" id=\""sv);
        body() += newId("h");
        emit(u"\">"sv);
        Escaping::appendText(body(), text);
        emit(u"</h1>\n"sv);
        listener_->heading(0, id_, text ? DString(*text) : DString());
        return;
    }
    element(u"<h1 class=\"title\">"sv, text, u"</h1>\n"sv);
}

void Generator1::pageFront(TextRef text) {
    if (!html5P()) return element(u"<span class=\"page-front\">"sv, text, u"</span>"sv);
    openPageBreak(text ? DString(*text) : DString(), u"page-front"sv);
    Escaping::appendText(body(), text);
    emit(u"</span>"sv);
}

void Generator1::pageSpecial(TextRef text) {
    if (!html5P()) return element(u"<span class=\"page-special\">"sv, text, u"</span>"sv);
    openPageBreak(text ? DString(*text) : DString(), u"page-special"sv);
    Escaping::appendText(body(), text);
    emit(u"</span>"sv);
}

} // namespace Orvane
