#include "BookContents.h"
#include "BookText.h"

namespace Publish {

namespace {

void item(std::string& out, const std::string& id, const std::string& href, const std::string& mediaType,
          const char* properties = nullptr) {
    out += "    <item id=\"" + id + "\" href=\"" + escapeXml(href) + "\" media-type=\"" + mediaType + "\"";
    if (properties) out += std::string(" properties=\"") + properties + "\"";
    out += "/>\n";
}

} // namespace

std::string packageDocument(const BookContents& book) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"book-id\" "
                      "xml:lang=\"" + escapeXml(book.language) + "\">\n"
                      "  <metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                      "    <dc:identifier id=\"book-id\">" + book.identifier + "</dc:identifier>\n"
                      "    <dc:title>" + escapeXml(book.title) + "</dc:title>\n";
    if (!book.author.empty()) out += "    <dc:creator>" + escapeXml(book.author) + "</dc:creator>\n";
    out += "    <dc:language>" + escapeXml(book.language) + "</dc:language>\n"
           "    <meta property=\"dcterms:modified\">" + book.modified + "</meta>\n"
           "  </metadata>\n  <manifest>\n";
    item(out, "nav", kNavigationName, "application/xhtml+xml", "nav");
    item(out, "style", kStyleSheetName, "text/css");
    if (book.coverP) {
        item(out, "cover", kCoverPageName, "application/xhtml+xml");
        item(out, book.coverImage.id, book.coverImage.name, book.coverImage.mediaType, "cover-image");
    }
    for (const ContentDocument& doc : book.documents)
        item(out, doc.id, doc.name, "application/xhtml+xml",
             doc.svgP ? "svg" : nullptr);
    for (const BookFile& image : book.images) item(out, image.id, image.name, image.mediaType);
    out += "  </manifest>\n";
    out += book.writing == Writing::kTate ? "  <spine page-progression-direction=\"rtl\">\n" : "  <spine>\n";
    if (book.coverP) out += "    <itemref idref=\"cover\"/>\n";
    out += "    <itemref idref=\"nav\"/>\n";
    for (const ContentDocument& doc : book.documents) out += "    <itemref idref=\"" + doc.id + "\"/>\n";
    out += "  </spine>\n</package>\n";
    return out;
}

} // namespace Publish
