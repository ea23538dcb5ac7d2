#include "Generator.h"

#include <cstdio>

#include "Escaping.h"
#include "ListTransitions.h"
#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"

namespace Orvane {

namespace {
const char* const kHeadingOpen[] = {"<h1>", "<h2>", "<h3>", "<h4>", "<h5>", "<h6>"};
const char* const kHeadingClose[] = {"</h1>\n", "</h2>\n", "</h3>\n", "</h4>\n", "</h5>\n", "</h6>\n"};
bool headingLevelP(int level) { return level >= 1 && level <= 6; }
} // namespace

void Generator::emit(std::string_view ascii) { std::fwrite(ascii.data(), 1, ascii.size(), stdout); }

void Generator::printText(const DString* text) {
    if (!text) return;
    // The source's control characters and broken surrogates would reach
    // the terminal: they are printed as U+FFFD, as the XHTML writer does.
    DString clean;
    Escaping::appendRaw(clean, text);
    CCC::TString<char> bytes;
    if (CCC::Iceman::convertToBString(CCC::ceid::kUtf16N, printCeId_, clean, bytes))
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void Generator::printWrapped(const char* before, const DString* text, const char* after) {
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
            emit("</table>\n");
        }
        if (mode == kPlainBlock || mode == kTableBlock) listState_ = 0;
    }
    blockMode_ = mode;
}

void Generator::writeOutput() {}

void Generator::newOutput() {
    ++part_;
    emit("\n</html>\n");
    emit("<html>\n");
}

void Generator::pageNumber(const DString* text) {
    if (text) printWrapped("<p>", text, "</p>\n");
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
    emit("<hr/>\n");
}

void Generator::beginParagraph() {
    setBlockMode(kPlainBlock);
    emit("<p>");
}

void Generator::endParagraph() { emit("</p>\n"); }

void Generator::newLine() {
    setBlockMode(kPlainBlock);
    emit("\n");
}

void Generator::setTitle(const DString* text) {
    setBlockMode(kPlainBlock);
    printWrapped("<title>", text, "</title>\n");
}

void Generator::beginInline() {}
void Generator::endInline() {}
void Generator::text(const DString* text) { printText(text); }
void Generator::lineBreak() { emit("<br/>"); }

void Generator::image(const DString* source, const DString* alternative, bool) {
    printWrapped("<src img=\"", source, "\" alt=\"");
    printWrapped("", alternative, "\">\n");
}

void Generator::anchor(const DString* name, const DString* text) {
    printWrapped("<a name=\"", name, "\" >");
    printWrapped("", text, "</a>");
}

void Generator::link(const DString* target, const DString* text) {
    printWrapped("<a href=\"", target, "\" >");
    printWrapped("", text, "</a>");
}

void Generator::rawText(const DString* text) { printText(text); }
void Generator::comment(const DString* text) { printWrapped("<!-- ", text, " -->"); }
void Generator::blockComment(const DString* text) { printWrapped("<!-- ", text, " -->\n"); }
void Generator::macro(const DString* text) { printWrapped("<!-- MACRO:", text, " -->\n"); }
void Generator::beginHeaderCell() { emit("<th>"); }
void Generator::endHeaderCell() { emit("</th>"); }
void Generator::beginDataCell() { emit("<td>"); }
void Generator::endDataCell() { emit("</td>"); }

void Generator::beginTableRow() {
    if (blockMode_ != kTableBlock) {
        setBlockMode(kTableBlock);
        emit("<table>\n");
    }
    emit("<tr>");
}

void Generator::endTableRow() { emit("</tr>\n"); }
void Generator::ruby(const DString*, const DString*) {}
void Generator::beginSpan() { emit("<span>"); }
void Generator::endSpan() { emit("</span>"); }
void Generator::title(const DString*) {}
void Generator::pageFront(const DString*) {}
void Generator::pageSpecial(const DString*) {}

} // namespace Orvane
