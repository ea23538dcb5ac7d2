#pragma once

// Everything a book holds once its chapters are written, as the package
// and navigation documents and the archive read it. Names are paths inside
// the book's content folder.

#include <string>
#include <vector>

#include "EpubBook.h"
#include "ParallelDeflate.h"

namespace Publish {

struct ContentDocument {
    std::string name;  // "ch1.xhtml", "ch1-1.xhtml" for a chapter's second part, "ch1_2.xhtml" for a second piece
    std::string id;    // its manifest id
    std::string text;  // UTF-8; empty for a piece, whose text is only kept deflated
    std::string digest;  // a piece's stand-in for its text in the book's identifier
    bool svgP = false;  // whether it holds inline SVG
    Deflated deflated;  // text as the archive stores it, made on every core with the text
};

struct BookFile {
    std::string name;  // "images/img1.png"
    std::string id;
    std::string mediaType;
    std::string bytes;
};

struct TocEntry {
    int level = 1;  // 1..6; a title line counts as 1
    std::string href;
    std::string text;  // UTF-8, unescaped
};

struct PageEntry {
    std::string href;
    std::string label;
};

struct BookContents {
    Writing writing = Writing::kYoko;
    std::string identifier;  // "urn:uuid:..."
    std::string title;
    std::string author;
    std::string language;
    std::string modified;  // "2024-05-01T12:00:00Z"
    std::string styleSheet;
    std::vector<ContentDocument> documents;  // in reading order
    std::vector<BookFile> images;
    bool coverP = false;
    BookFile coverImage;
    std::vector<TocEntry> toc;
    std::vector<PageEntry> pages;
};

inline constexpr const char* kStyleSheetName = "book.css";
inline constexpr const char* kNavigationName = "nav.xhtml";
inline constexpr const char* kCoverPageName = "cover.xhtml";

// The package document (content.opf) and the navigation document.
std::string packageDocument(const BookContents& book);
std::string navigationDocument(const BookContents& book);
// The cover page: the cover image alone.
std::string coverPage(const BookContents& book);
// The head every page of the book's own starts with, up to <body>.
std::string bookPageHead(const BookContents& book, const std::string& title);

} // namespace Publish
