#include "EpubBook.h"

#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>

#include "BookArchive.h"
#include "BookContents.h"
#include "BookFiles.h"
#include "BookIdentifier.h"
#include "BookListener.h"
#include "BookText.h"
#include "DocumentPieces.h"
#include "core/generator/Generator1.h"
#include "core/model/Model.h"
#include "publish/BookStyleSheets.h"

namespace Publish {

namespace {

constexpr const char* kContainer =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
    "  <rootfiles>\n"
    "    <rootfile full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/>\n"
    "  </rootfiles>\n"
    "</container>\n";

// A language tag as the documents and the package can carry it.
bool languageTagP(const std::string& tag) {
    if (tag.empty() || tag.front() == '-' || tag.back() == '-') return false;
    for (unsigned char c : tag)
        if (!std::isalnum(c) && c != '-') return false;
    return true;
}

// The program's writer, its settings and the model's output mode come
// back whichever way the book's run ends.
class BookRun {
public:
    BookRun(Orvane::Model& model, std::unique_ptr<Orvane::Generator1> writer)
        : model_(model), writer_(writer.get()), keep_(model.getKeepOutputsP()) {
        previous_ = model.replaceGenerator(std::move(writer));
        model.setKeepOutputsP(true);
    }
    ~BookRun() {
        model_.clearOutputs();
        model_.setKeepOutputsP(keep_);
        model_.replaceGenerator(std::move(previous_));
    }
    BookRun(const BookRun&) = delete;
    BookRun& operator=(const BookRun&) = delete;
    Orvane::Generator1& writer() { return *writer_; }

private:
    Orvane::Model& model_;
    Orvane::Generator1* writer_;
    std::unique_ptr<Orvane::Generator> previous_;
    bool keep_;
};

std::time_t modificationTime(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mtime : 0;
}

// SOURCE_DATE_EPOCH when set, else the newest of the inputs' times.
std::string modifiedStamp(std::time_t newestInput) {
    std::time_t when = newestInput;
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
        char* end = nullptr;
        const long long value = std::strtoll(epoch, &end, 10);
        if (end && !*end && value >= 0) when = static_cast<std::time_t>(value);
    }
    std::tm utc {};
    gmtime_r(&when, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// Whether writing path would overwrite one of the files the book is made of.
bool inputP(const Orvane::Model& model, const BookOptions& options, const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return false;
    if (!options.coverImage.empty() && std::filesystem::equivalent(path, options.coverImage, ec)) return true;
    for (const auto& src : model.getSrcTexts())
        if (std::filesystem::equivalent(path, std::string(src->getFileName().data(), src->getFileName().size()), ec))
            return true;
    return false;
}

std::string fileNameOf(const Orvane::SrcText& src) {
    return std::filesystem::path(std::string(src.getFileName().data(), src.getFileName().size())).filename().string();
}

} // namespace

BookResult buildEpub(Orvane::Model& model, const BookOptions& options, const std::string& bookPath, Orvane::Log* log) {
    BookResult result;
    auto fail = [&](const std::string& sentence) {
        result.failures.push_back(sentence);
        return result;
    };
    if (model.getSrcTexts().empty()) return fail("cannot write " + bookPath + ": no manuscript to make it from");
    if (inputP(model, options, bookPath)) return fail("cannot write " + bookPath + ": it is one of the book's own files");
    if (!languageTagP(options.language))
        return fail("cannot write " + bookPath + ": " + options.language + " is not a language tag");

    BookContents book;
    book.writing = options.writing;
    book.language = options.language;
    book.author = xmlTextOf(options.author);
    std::time_t newest = 0;
    if (!options.coverImage.empty()) {
        book.coverP = true;
        book.coverImage.id = "cover-image";
        book.coverImage.mediaType = imageMediaType(options.coverImage);
        std::string reason;
        if (book.coverImage.mediaType.empty())
            return fail("cannot use the cover " + options.coverImage + ": not a PNG, JPEG, GIF, SVG or WebP file");
        if (!readWholeFile(options.coverImage, book.coverImage.bytes, newest, reason))
            return fail("cannot read the cover " + options.coverImage + ": " + reason);
        book.coverImage.name = "images/cover" + std::filesystem::path(options.coverImage).extension().string();
    }

    auto writer = std::make_unique<Orvane::Generator1>(&model);
    const bool tate = options.writing == Writing::kTate;
    writer->setXhtml(Orvane::Generator1::kHtml5);
    writer->setLanguage(options.language);
    writer->setViewportP(false);
    writer->setUtf8OnlyP(true);
    writer->setTateChuYokoP(tate);
    const Orvane::DString sheet = Orvane::DString::fromAscii(kStyleSheetName);
    writer->setStyleSheet(&sheet);
    BookListener listener(model, *writer);
    writer->setListener(&listener);
    BookRun run(model, std::move(writer));
    if (!model.run(log)) {
        for (const std::string& failure : model.getFailures()) result.failures.push_back(failure);
        if (result.failures.empty()) result.failures.push_back("cannot write " + bookPath + ": the conversion failed");
        return result;
    }

    std::map<const Orvane::SrcText*, int> parts;
    const auto& sources = model.getSrcTexts();
    std::vector<WrittenDocument> written;
    for (const auto& output : model.getOutputs()) {
        std::size_t chapter = 0;
        while (chapter < sources.size() && sources[chapter].get() != output->getSrcText()) ++chapter;
        WrittenDocument doc;
        doc.name = BookListener::documentName(chapter, parts[output->getSrcText()]++);
        doc.id = doc.name.substr(0, doc.name.rfind('.'));
        doc.text = WrittenUnits(output->getText(), output->getTextLength());
        cutAtHeadings(doc, listener.headingIds(doc.name), options.documentSizeLimit);
        written.push_back(std::move(doc));
    }
    const LinkChanges changes = listener.finish(book, written);
    if (!makePieces(written, changes, book.documents)) return fail("cannot write " + bookPath + ": the compression failed");
    for (const auto& output : model.getOutputs()) output->releaseContent();
    result.warnings = listener.getWarnings();

    book.title = !options.title.empty()             ? xmlTextOf(options.title)
                 : !listener.getFirstTitle().empty() ? listener.getFirstTitle()
                                                     : xmlTextOf(fileNameOf(*sources.front()));
    for (const auto& src : sources) {
        const std::time_t t = modificationTime(std::string(src->getFileName().data(), src->getFileName().size()));
        if (t > newest) newest = t;
    }
    if (listener.getNewestImageTime() > newest) newest = listener.getNewestImageTime();
    book.modified = modifiedStamp(newest);
    book.styleSheet = tate ? kTateBookSheet : kYokoBookSheet;

    BookIdentifier identifier;
    for (const ContentDocument& doc : book.documents) identifier.add(doc.digest.empty() ? doc.text : doc.digest);
    for (const BookFile& image : book.images) identifier.add(image.bytes);
    if (book.coverP) identifier.add(book.coverImage.bytes);
    identifier.add(book.title);
    identifier.add(book.author);
    book.identifier = identifier.urn();

    std::vector<ArchiveEntry> entries;
    entries.push_back({"mimetype", "application/epub+zip", false});
    entries.push_back({"META-INF/container.xml", kContainer});
    entries.push_back({"OEBPS/content.opf", packageDocument(book)});
    entries.push_back({std::string("OEBPS/") + kNavigationName, navigationDocument(book)});
    entries.push_back({std::string("OEBPS/") + kStyleSheetName, book.styleSheet});
    if (book.coverP) {
        entries.push_back({std::string("OEBPS/") + kCoverPageName, coverPage(book)});
        entries.push_back({"OEBPS/" + book.coverImage.name, std::move(book.coverImage.bytes)});
    }
    // The documents' texts go: the archive takes them as they are compressed.
    for (ContentDocument& doc : book.documents) {
        std::string().swap(doc.text);
        entries.push_back({"OEBPS/" + doc.name, {}, true, std::move(doc.deflated)});
    }
    for (BookFile& image : book.images) entries.push_back({"OEBPS/" + image.name, std::move(image.bytes)});
    const std::string reason = writeArchive(bookPath, entries);
    if (!reason.empty()) return fail("cannot write " + bookPath + ": " + reason);
    result.written = true;
    return result;
}

} // namespace Publish
