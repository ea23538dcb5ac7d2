#include "BookContents.h"
#include "BookText.h"

namespace Publish {

namespace {

struct LandmarkLabels {
    const char* cover;
    const char* toc;
    const char* bodymatter;
};

LandmarkLabels labelsFor(const std::string& language) {
    if (language == "ja" || language.rfind("ja-", 0) == 0) return {"表紙", "目次", "本文"};
    return {"Cover", "Contents", "Start"};
}

// Entries nested by level: a deeper entry opens a list inside the one
// before it; a shallower one closes lists until its level fits.
void appendNestedList(std::string& out, const std::vector<TocEntry>& entries) {
    std::vector<int> open;  // levels of the items still open
    out += "<ol>\n";
    for (const TocEntry& entry : entries) {
        const int level = entry.level < 1 ? 1 : entry.level;
        if (!open.empty() && level > open.back()) {
            out += "\n<ol>\n";
        } else if (!open.empty()) {
            out += "</li>\n";
            open.pop_back();
            while (!open.empty() && open.back() >= level) {
                out += "</ol>\n</li>\n";
                open.pop_back();
            }
        }
        out += "<li><a href=\"" + escapeXml(entry.href) + "\">" + escapeXml(entry.text) + "</a>";
        open.push_back(level);
    }
    if (!open.empty()) out += "</li>\n";
    for (std::size_t i = 1; i < open.size(); ++i) out += "</ol>\n</li>\n";
    out += "</ol>\n";
}

} // namespace

std::string bookPageHead(const BookContents& book, const std::string& title) {
    const std::string language = escapeXml(book.language);
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE html>\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\" lang=\"" +
           language + "\" xml:lang=\"" + language + "\">\n<head>\n<meta charset=\"utf-8\" />\n" +
           "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + kStyleSheetName + "\" />\n<title>" +
           escapeXml(title) + "</title>\n</head>\n";
}

std::string navigationDocument(const BookContents& book) {
    const LandmarkLabels labels = labelsFor(book.language);
    std::string out = bookPageHead(book, book.title);
    out += "<body>\n<nav epub:type=\"toc\" role=\"doc-toc\" id=\"toc\">\n<h1>" + escapeXml(book.title) + "</h1>\n";
    appendNestedList(out, book.toc);
    out += "</nav>\n";
    if (!book.pages.empty()) {
        out += "<nav epub:type=\"page-list\" role=\"doc-pagelist\" id=\"page-list\" hidden=\"hidden\">\n<ol>\n";
        for (const PageEntry& page : book.pages)
            out += "<li><a href=\"" + escapeXml(page.href) + "\">" + escapeXml(page.label) + "</a></li>\n";
        out += "</ol>\n</nav>\n";
    }
    out += "<nav epub:type=\"landmarks\" id=\"landmarks\" hidden=\"hidden\">\n<ol>\n";
    if (book.coverP)
        out += std::string("<li><a epub:type=\"cover\" href=\"") + kCoverPageName + "\">" + labels.cover + "</a></li>\n";
    out += std::string("<li><a epub:type=\"toc\" href=\"") + kNavigationName + "#toc\">" + labels.toc + "</a></li>\n";
    if (!book.documents.empty())
        out += "<li><a epub:type=\"bodymatter\" href=\"" + escapeXml(book.documents.front().name) + "\">" +
               labels.bodymatter + "</a></li>\n";
    out += "</ol>\n</nav>\n</body>\n</html>\n";
    return out;
}

std::string coverPage(const BookContents& book) {
    return bookPageHead(book, book.title) + "<body epub:type=\"cover\">\n<div class=\"cover\"><img src=\"" +
           escapeXml(book.coverImage.name) + "\" alt=\"" + escapeXml(book.title) + "\" /></div>\n</body>\n</html>\n";
}

} // namespace Publish
