#include "BookListener.h"

#include <cctype>
#include <filesystem>

#include "BookFiles.h"
#include "BookText.h"
#include "core/generator/Escaping.h"
#include "core/generator/Generator1.h"
#include "core/model/Model.h"

namespace Publish {

namespace {

namespace fs = std::filesystem;

std::string absoluteKey(const fs::path& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return (ec ? path : absolute).lexically_normal().generic_string();
}

// "scheme:" at the start, as a URL has it (a drive letter would be one
// letter, which no scheme is).
std::string schemeOf(const std::string& target) {
    std::size_t i = 0;
    while (i < target.size() && (std::isalnum(static_cast<unsigned char>(target[i])) || target[i] == '+' ||
                                 target[i] == '-' || target[i] == '.'))
        ++i;
    if (i < 2 || i >= target.size() || target[i] != ':' || !std::isalpha(static_cast<unsigned char>(target[0])))
        return {};
    std::string scheme = target.substr(0, i);
    for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return scheme;
}

// Text as the writer puts it into an attribute value.
std::string writtenAttribute(const std::string& text) {
    const DString value = fromUtf8(text);
    Orvane::DString written;
    Orvane::Escaping::appendAttribute(written, &value);
    return toUtf8(written);
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

} // namespace

BookListener::BookListener(const Orvane::Model& model, const Orvane::Generator1& writer)
    : model_(model), writer_(writer) {
    for (const auto& src : model.getSrcTexts()) {
        Chapter chapter;
        chapter.name.assign(src->getFileName().data(), src->getFileName().size());
        chapter.folder = absoluteKey(fs::path(chapter.name).parent_path());
        chapter.base = absoluteKey(std::string(src->getBaseName().data(), src->getBaseName().size()));
        chapters_.push_back(std::move(chapter));
    }
}

std::string BookListener::documentName(std::size_t chapter, int part) {
    return "ch" + std::to_string(chapter + 1) + (part ? "-" + std::to_string(part) : "") + ".xhtml";
}

std::size_t BookListener::currentChapter() const {
    const auto& sources = model_.getSrcTexts();
    for (std::size_t i = 0; i < sources.size(); ++i)
        if (sources[i].get() == writer_.getSrcText()) return i;
    return 0;
}

std::string BookListener::currentDocument() const { return documentName(currentChapter(), writer_.getPart()); }

void BookListener::warn(std::size_t chapter, const std::string& sentence) {
    warnings_.push_back(chapters_[chapter].name + ": " + sentence);
}

bool BookListener::resolveImage(const DString& source, DString& resolved) {
    const std::size_t chapter = currentChapter();
    const std::string name = toUtf8(source);
    if (!schemeOf(name).empty()) {
        warn(chapter, "image " + name + " is not a local file: its text is shown instead");
        return false;
    }
    const std::string path = absoluteKey(fs::path(chapters_[chapter].folder) / name);
    auto known = imageNames_.find(path);
    if (known == imageNames_.end()) {
        BookFile image;
        image.mediaType = imageMediaType(path);
        std::string reason;
        std::time_t modified = 0;
        if (image.mediaType.empty()) {
            warn(chapter, "image " + name + " is not a PNG, JPEG, GIF, SVG or WebP file: its text is shown instead");
            return false;
        }
        if (!readWholeFile(path, image.bytes, modified, reason)) {
            warn(chapter, "image " + name + " not found (" + reason + "): its text is shown instead");
            return false;
        }
        const std::string number = std::to_string(images_.size() + 1);
        image.id = "img" + number;
        image.name = "images/img" + number + fs::path(path).extension().string();
        if (modified > newestImage_) newestImage_ = modified;
        known = imageNames_.emplace(path, image.name).first;
        images_.push_back(std::move(image));
    }
    resolved = DString::fromAscii(known->second);
    return true;
}

bool BookListener::findDocument(const std::string& path, std::size_t& chapter, int& part) const {
    static const std::string kExtension = ".html";
    if (path.size() <= kExtension.size() || path.compare(path.size() - kExtension.size(), kExtension.size(), kExtension))
        return false;
    const std::string stem = path.substr(0, path.size() - kExtension.size());
    for (std::size_t i = 0; i < chapters_.size(); ++i)
        if (chapters_[i].base == stem) {
            chapter = i;
            part = 0;
            return true;
        }
    // A later part: the base name followed by its number (no leading zero).
    for (std::size_t i = 0; i < chapters_.size(); ++i) {
        const std::string& base = chapters_[i].base;
        if (stem.size() <= base.size() || stem.size() > base.size() + 6 || stem.compare(0, base.size(), base) ||
            stem[base.size()] == '0' ||
            stem.find_first_not_of("0123456789", base.size()) != std::string::npos)
            continue;
        chapter = i;
        part = std::stoi(stem.substr(base.size()));
        return true;
    }
    return false;
}

bool BookListener::resolveLink(const DString& target, DString& resolved) {
    const std::size_t chapter = currentChapter();
    const std::string text = toUtf8(target);
    const std::string scheme = schemeOf(text);
    if (!scheme.empty() && scheme != "file") {
        resolved = fromUtf8(uriEscaped(text));  // http:, https:, mailto: and the like lead out of the book
        return true;
    }
    const std::size_t hash = text.find('#');
    const std::string path = text.substr(0, hash);
    PendingLink link{currentDocument(), {}, hash == std::string::npos ? "" : text.substr(hash + 1), {}, text, chapter};
    std::size_t toChapter = 0;
    int toPart = 0;
    if (path.empty() && hash != std::string::npos) {
        link.document = link.from;
    } else if (scheme.empty() && findDocument(absoluteKey(fs::path(chapters_[chapter].folder) / path), toChapter, toPart)) {
        link.document = documentName(toChapter, toPart);
    } else {
        warn(chapter, "link to " + text + ": not in the book, only its text is kept");
        return false;
    }
    link.href = link.document + (link.fragment.empty() ? "" : "#" + uriEscaped(link.fragment));
    resolved = fromUtf8(link.href);
    links_.push_back(std::move(link));
    return true;
}

void BookListener::heading(int level, const DString& id, const DString& text) {
    const std::size_t chapter = currentChapter();
    const std::string document = currentDocument();
    const std::string label = trimmed(toUtf8(text));
    ids_[document].insert(toUtf8(id));
    headingIds_[document].insert(toUtf8(id));
    if (level == 0 && chapter == 0 && firstTitle_.empty()) firstTitle_ = label;
    chapters_[chapter].toc.push_back({level < 1 ? 1 : level, document + "#" + toUtf8(id), label});
}

void BookListener::anchor(const DString& id) { ids_[currentDocument()].insert(toUtf8(id)); }

void BookListener::pageBreak(const DString& id, const DString& label) {
    const std::string document = currentDocument();
    ids_[document].insert(toUtf8(id));
    pages_.push_back({document + "#" + toUtf8(id), toUtf8(label)});
}

LinkChanges BookListener::finish(BookContents& book, std::vector<WrittenDocument>& documents) {
    std::map<std::string, const WrittenDocument*> byName;
    for (const WrittenDocument& doc : documents) byName.emplace(doc.name, &doc);
    // The piece of document that holds the id (as written).
    auto pieceHolding = [&](const std::string& document, const std::string& id) {
        const auto doc = byName.find(document);
        if (doc == byName.end()) return document;
        const auto at = doc->second->laterIds.find(id);
        return at == doc->second->laterIds.end() ? document : pieceName(document, at->second);
    };
    auto cutP = [&](const std::string& document) {
        const auto doc = byName.find(document);
        return doc != byName.end() && !doc->second->laterIds.empty();
    };
    // "document#id" of a contents entry or a page: ids the writer made, the same as written.
    auto retarget = [&](std::string& href) {
        const std::size_t hash = href.find('#');
        if (hash != std::string::npos && cutP(href.substr(0, hash)))
            href = pieceHolding(href.substr(0, hash), href.substr(hash + 1)) + href.substr(hash);
    };

    LinkChanges changes;
    std::set<std::string> changedIn;  // documents holding a link that changes
    for (const PendingLink& link : links_) {
        std::string missing;
        if (!byName.count(link.document)) missing = "not in the book";
        else if (!link.fragment.empty() && !ids_[link.document].count(link.fragment))
            missing = "no anchor " + link.fragment + " in the book";
        if (!missing.empty()) {
            warn(link.chapter, "link to " + link.target + ": " + missing + ", only its text is kept");
            changes[writtenAttribute(link.href)] = std::nullopt;
        } else if (!link.fragment.empty() && cutP(link.document)) {
            const std::string piece = pieceHolding(link.document, writtenAttribute(link.fragment));
            if (piece == link.document) continue;
            changes[writtenAttribute(link.href)] = writtenAttribute(piece + link.href.substr(link.document.size()));
        } else {
            continue;
        }
        changedIn.insert(link.from);
    }
    for (WrittenDocument& doc : documents) doc.linksChangeP = changedIn.count(doc.name) > 0;

    for (std::size_t i = 0; i < chapters_.size(); ++i) {
        Chapter& chapter = chapters_[i];
        if (chapter.toc.empty())
            chapter.toc.push_back({1, documentName(i, 0), fs::path(chapter.name).stem().string()});
        for (TocEntry& entry : chapter.toc) {
            if (entry.text.empty()) entry.text = fs::path(chapter.name).stem().string();
            retarget(entry.href);
            book.toc.push_back(std::move(entry));
        }
    }
    for (PageEntry& page : pages_) retarget(page.href);
    book.pages = std::move(pages_);
    book.images = std::move(images_);
    return changes;
}

} // namespace Publish
