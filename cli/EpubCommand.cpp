// quillmark epub [options] -o BOOK.epub FILE...: one EPUB 3 book made of the
// manuscripts, each a chapter in the order given, in horizontal (yoko) or
// vertical (tate) writing. Structure warnings and the book's own warnings
// (missing images, links that lead nowhere) go to standard error; the
// book's name is printed on standard output once it is written.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CccSession.h"
#include "Command.h"
#include "ConvertOptions.h"
#include "core/model/Log.h"
#include "core/model/Model.h"
#include "publish/EpubBook.h"

namespace quillmark {

namespace {

constexpr const char* kCommand = "epub";

struct EpubOptions {
    SourceOptions source;
    std::string span;
    std::string style = "yoko";
    std::string title;
    std::string author;
    std::string cover;
    std::string language = "ja";
    std::string output;
};

int runEpub(const EpubOptions& options) {
    if (options.output.empty()) return usageError(kCommand, "no book given: -o BOOK.epub");
    if (options.source.files.empty()) return usageError(kCommand, "no FILE given");
    if (options.style != "yoko" && options.style != "tate")
        return usageError(kCommand, "--style takes yoko or tate, not " + options.style);
    int status = kExitOk;
    CCC::CeId from = CCC::ceid::kNone;
    Orvane::Model model;
    if (!prepareModel(model, options.source, options.span, kCommand, from, status)) return status;

    std::vector<SourceFile> sources;
    if (!openSources(options.source.files, from, CCC::ceid::kUtf8N, kCommand, sources)) return kExitFailure;
    for (const SourceFile& source : sources) addSource(model, source, CCC::nlconv::kNone);

    Orvane::DString logText;
    const std::unique_ptr<Orvane::Log> log = makeLog(&logText, kCommand);
    if (!log) return kExitFailure;
    Publish::BookOptions book;
    book.writing = options.style == "tate" ? Publish::Writing::kTate : Publish::Writing::kYoko;
    book.title = options.title;
    book.author = options.author;
    book.coverImage = options.cover;
    book.language = options.language;
    const Publish::BookResult result = Publish::buildEpub(model, book, options.output, log.get());
    // The log's warnings are among the diagnostics, with their places.
    printDiagnostics(model, Orvane::Diagnostics::kJapanese, stderr);
    for (const std::string& warning : result.warnings) std::fprintf(stderr, "quillmark epub: warning: %s\n", warning.c_str());
    for (const std::string& failure : result.failures) std::fprintf(stderr, "quillmark epub: %s\n", failure.c_str());
    if (!result.written) return kExitFailure;
    std::printf("%s\n", options.output.c_str());
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

void install(CLI::App& app, int& status) {
    auto options = std::make_shared<EpubOptions>();
    CLI::App* cmd = app.add_subcommand(kCommand, "Make one EPUB 3 book of manuscripts, one chapter each, in order");
    addSourceOptions(cmd, options->source);
    addSpanOption(cmd, options->span);
    cmd->add_option("--style", options->style, "Writing: yoko (horizontal) or tate (vertical, pages turn to the left)")
        ->default_str("yoko");
    cmd->add_option("--title", options->title, "The book's title (default: the first manuscript's title line, else its file name)");
    cmd->add_option("--author", options->author, "The book's author");
    cmd->add_option("--cover", options->cover, "Cover image (PNG, JPEG, GIF, SVG or WebP), shown first");
    cmd->add_option("--language", options->language, "The book's language tag")->default_str("ja");
    cmd->add_option("-o,--output", options->output, "The book to write (replaced only when complete)");
    cmd->add_option("FILE", options->source.files, "Manuscripts, one chapter each; - reads standard input");
    cmd->callback([cmd, options, &status] {
        if (rejectExtras(cmd, kCommand, status)) return;
        status = runEpub(*options);
    });
}

const CommandRegistration registration(11, kCommand, install);

} // namespace

} // namespace quillmark
