#include "Generator.h"

#include <cstdio>
#include <string_view>

#include "Escaping.h"
#include "ListTransitions.h"
#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"

namespace Orvane {

using namespace std::string_view_literals;

namespace {
constexpr std::u16string_view kHeadingOpen[] = {u"<h1>"sv, u"<h2>"sv, u"<h3>"sv, u"<h4>"sv, u"<h5>"sv, u"<h6>"sv};
constexpr std::u16string_view kHeadingClose[] = {u"</h1>\n"sv, u"</h2>\n"sv, u"</h3>\n"sv, u"</h4>\n"sv, u"</h5>\n"sv, u"</h6>\n"sv};
bool headingLevelP(int level) { return level >= 1 && level <= 6; }
} // namespace

void Generator::emit(std::u16string_view tag) {
    for (const char16_t c : tag) std::putchar(static_cast<char>(c));
}

void Generator::printText(TextRef text) {
    if (!text) return;
    // The source's control characters and broken surrogates would reach
    // the terminal: they are printed as U+FFFD, as the XHTML writer does.
    DString clean;
    Escaping::appendRaw(clean, text);
    CCC::TString<char> bytes;
    if (CCC::Iceman::convertToBString(CCC::ceid::kUtf16N, printCeId_, clean, bytes))
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void Generator::printWrapped(std::u16string_view before, TextRef text, std::u16string_view after) {
    emit(before);
    printText(text);
    emit(after);
}

int Generator::getPassCount() { return 1; }

void Generator::beginSrcText(SrcText* srcText) {
    srcText_ = srcText;
    reset();
}

const char* Generator::getTemplate() { return "TITLE:@@TITLE@@\nBODY:@@BODY@@\n"; }
CeId Generator::getTemplateCeId() { return CCC::ceid::kUsAscii; }
const char* Generator::getExtension() { return ".g0"; }
void Generator::endSrcText() { writeOutput(); }
void Generator::setEncoding(CeId) {}

void Generator::reset() {
    blockMode_ = kPlainBlock;
    listState_ = 0;
    part_ = 0;
    page_ = 0;
}

void Generator::setBlockMode(int mode) {
    if (mode != blockMode_) {
        if (blockMode_ == kListBlock) {
            emit(ListTransitions::text(listState_, 0));
            listState_ = 0;
        } else if (blockMode_ == kTableBlock) {
            emit(u"</table>\n"sv);
        }
        if (mode == kPlainBlock || mode == kTableBlock) listState_ = 0;
    }
    blockMode_ = mode;
}

void Generator::writeOutput() {}

void Generator::newOutput() {
    ++part_;
    emit(u"\n</html>\n"sv);
    emit(u"<html>\n"sv);
}

void Generator::pageNumber(TextRef text) {
    if (text) printWrapped(u"<p>"sv, text, u"</p>\n"sv);
    else std::printf("<p>%d</p>\n", part_ + 1);
}

void Generator::beginHeading(int level) {
    setBlockMode(kPlainBlock);
    if (headingLevelP(level)) emit(kHeadingOpen[level - 1]);
}

void Generator::endHeading(int level) {
    if (headingLevelP(level)) emit(kHeadingClose[level - 1]);
}

void Generator::listItem(int target) {
    setBlockMode(kListBlock);
    emit(ListTransitions::text(listState_, target));
}

void Generator::setListState(int state) { listState_ = state; }

void Generator::horizontalRule() {
    setBlockMode(kPlainBlock);
    emit(u"<hr/>\n"sv);
}

void Generator::beginParagraph() {
    setBlockMode(kPlainBlock);
    emit(u"<p>"sv);
}

void Generator::endParagraph() { emit(u"</p>\n"sv); }

void Generator::newLine() {
    setBlockMode(kPlainBlock);
    emit(u"\n"sv);
}

void Generator::setTitle(TextRef text) {
    setBlockMode(kPlainBlock);
    printWrapped(u"<title>"sv, text, u"</title>\n"sv);
}

void Generator::beginInline() {}
void Generator::endInline() {}
void Generator::text(TextRef text) { printText(text); }
void Generator::lineBreak() { emit(u"<br/>"sv); }

void Generator::image(TextRef source, TextRef alternative, bool) {
    printWrapped(u"<src img=\""sv, source, u"\" alt=\""sv);
    printWrapped(u""sv, alternative, u"\">\n"sv);
}

void Generator::anchor(TextRef name, TextRef text) {
    printWrapped(u"<a name=\""sv, name, u"\" >"sv);
    printWrapped(u""sv, text, u"</a>"sv);
}

void Generator::link(TextRef target, TextRef text) {
    printWrapped(u"<a href=\""sv, target, u"\" >"sv);
    printWrapped(u""sv, text, u"</a>"sv);
}

void Generator::rawText(TextRef text) { printText(text); }
void Generator::comment(TextRef text) { printWrapped(u"<!-- "sv, text, u" -->"sv); }
void Generator::blockComment(TextRef text) { printWrapped(u"<!-- "sv, text, u" -->\n"sv); }
void Generator::macro(TextRef text) { printWrapped(u"<!-- MACRO:"sv, text, u" -->\n"sv); }
void Generator::beginHeaderCell() { emit(u"<th>"sv); }
void Generator::endHeaderCell() { emit(u"</th>"sv); }
void Generator::beginDataCell() { emit(u"<td>"sv); }
void Generator::endDataCell() { emit(u"</td>"sv); }

void Generator::beginTableRow() {
    if (blockMode_ != kTableBlock) {
        setBlockMode(kTableBlock);
        emit(u"<table>\n"sv);
    }
    emit(u"<tr>"sv);
}

void Generator::endTableRow() { emit(u"</tr>\n"sv); }
void Generator::ruby(TextRef, TextRef) {}
void Generator::beginSpan() { emit(u"<span>"sv); }
void Generator::endSpan() { emit(u"</span>"sv); }
void Generator::title(TextRef) {}
void Generator::pageFront(TextRef) {}
void Generator::pageSpecial(TextRef) {}

} // namespace Orvane
