#pragma once

// An EPUB 3 book made of the sources registered in a model: each source a
// chapter in list order, each of its parts a content document (cut at
// headings into pieces when it is large), with the package and navigation
// documents, the images the chapters use and an optional cover, in one
// deterministic archive.

#include <cstddef>
#include <string>
#include <vector>

namespace Orvane {
class Model;
class Log;
}

namespace Publish {

enum class Writing { kYoko, kTate };

// Content documents longer than this many bytes are cut at headings into
// pieces of about this size: reading devices open a large document slowly
// or not at all.
inline constexpr std::size_t kDocumentSizeLimit = 256 * 1024;

struct BookOptions {
    Writing writing = Writing::kYoko;
    std::string title;      // UTF-8; empty: the first source's title mark, else its file name
    std::string author;     // UTF-8; empty: no creator
    std::string coverImage; // a path; empty: no cover
    std::string language = "ja";
    std::size_t documentSizeLimit = kDocumentSizeLimit;
};

struct BookResult {
    bool written = false;
    // Located, one sentence each naming the file ("ch1.txt: image fig.png not found").
    std::vector<std::string> warnings;
    // Why no book was written, one sentence each naming the file; empty when written.
    std::vector<std::string> failures;
};

// Builds bookPath from model's sources with model's syntax (and its span
// options); structure warnings of the run go to log as in a conversion.
// The book replaces bookPath only when it is complete.
[[nodiscard]] BookResult buildEpub(Orvane::Model& model, const BookOptions& options, const std::string& bookPath,
                                   Orvane::Log* log);

} // namespace Publish
