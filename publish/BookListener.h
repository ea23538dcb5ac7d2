#pragma once

#include <ctime>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "BookContents.h"
#include "DocumentPieces.h"
#include "LinkRewrite.h"
#include "core/generator/DocumentListener.h"

namespace Orvane {
class Generator1;
class Model;
}

namespace Publish {

// Hears the XHTML writer while a book's chapters are written: copies the
// images a chapter uses into the book, points links between chapters and
// parts at their content documents, and gathers the contents and page
// list. Links are checked when every document is known (finish): a link
// to a part or an anchor the book lacks is undone then.
class BookListener : public Orvane::DocumentListener {
public:
    BookListener(const Orvane::Model& model, const Orvane::Generator1& writer);

    // Content document names: "ch1.xhtml" for chapter 0, "ch1-1.xhtml" for its part 1.
    static std::string documentName(std::size_t chapter, int part);

    bool resolveImage(const DString& source, DString& resolved) override;
    bool resolveLink(const DString& target, DString& resolved) override;
    void heading(int level, const DString& id, const DString& text) override;
    void anchor(const DString& id) override;
    void pageBreak(const DString& id, const DString& label) override;

    // The ids of the headings written into a document.
    const std::set<std::string>& headingIds(const std::string& document) { return headingIds_[document]; }

    // Warns of the links that lead nowhere and fills the book's contents
    // (one entry at least per chapter), page list and images, their entries
    // pointing at the pieces the documents are cut into. Returns how links
    // change: to the pieces their targets went to, or undone when they lead
    // nowhere; marks the documents holding such links.
    LinkChanges finish(BookContents& book, std::vector<WrittenDocument>& documents);

    const std::vector<std::string>& getWarnings() const { return warnings_; }
    // The first chapter's title line, UTF-8; empty when it has none.
    const std::string& getFirstTitle() const { return firstTitle_; }
    // The newest modification time of the images taken in.
    std::time_t getNewestImageTime() const { return newestImage_; }

private:
    struct Chapter {
        std::string name;  // as given, for messages
        std::string folder;  // absolute, where its relative references start
        std::string base;  // absolute, its outputs' name without part number and ".html"
        std::vector<TocEntry> toc;
    };
    struct PendingLink {
        std::string from;  // the document the link is in
        std::string document;
        std::string fragment;
        std::string href;  // as written
        std::string target;  // as the manuscript gives it
        std::size_t chapter;
    };

    std::size_t currentChapter() const;
    std::string currentDocument() const;
    void warn(std::size_t chapter, const std::string& sentence);
    // The chapter and part whose output the absolute path names, if any.
    bool findDocument(const std::string& path, std::size_t& chapter, int& part) const;

    const Orvane::Model& model_;
    const Orvane::Generator1& writer_;
    std::vector<Chapter> chapters_;
    std::map<std::string, std::string> imageNames_;  // absolute path -> name in the book
    std::vector<BookFile> images_;
    std::vector<PageEntry> pages_;
    std::map<std::string, std::set<std::string>> ids_;  // document -> ids
    std::map<std::string, std::set<std::string>> headingIds_;  // document -> its headings' ids
    std::vector<PendingLink> links_;
    std::vector<std::string> warnings_;
    std::string firstTitle_;
    std::time_t newestImage_ = 0;
};

} // namespace Publish
