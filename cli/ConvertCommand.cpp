// quillmark convert [options] FILE...: converts manuscripts to XHTML the way
// the desktop program's Convert command does. Each output is written beside
// its source, or into --output-dir (book.txt -> book.html, book1.html, ...
// for split parts) with CR LF line ends; its name is printed on standard
// output. "-" as the only FILE reads standard input and writes the document
// to standard output. Structure warnings, and every place where the markup
// lost text, go to standard error as "FILE:LINE:COL: 警告: ..." lines, as
// `quillmark check` prints them. A built-in style sheet is copied next to the
// outputs from the program's data folder; a failed copy fails the run.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "CccSession.h"
#include "Command.h"
#include "ConvertOptions.h"
#include "app/services/FileOperations.h"
#include "app/services/StyleSheetCopy.h"
#include "ccc/encoding/Iceman.h"
#include "core/generator/Generator1.h"
#include "core/model/FileName.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

namespace quillmark {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCommand = "convert";

struct ConvertOptions {
    SourceOptions source;
    std::string xhtml = "1.0";
    std::string style = "none";
    std::string span;
    std::string to = "auto";
    std::string outputDir;
};

// The style sheet the documents refer to, the writing-direction wrappers it
// implies, and whether it is one of the program's own (copied) sheets.
struct StyleChoice {
    std::string name;
    bool yoko = false;
    bool tate = false;
    bool builtIn = false;
};

StyleChoice chooseStyle(const std::string& option) {
    if (option == "yoko") return {"yoko.css", true, false, true};
    if (option == "tate") return {"tate.css", false, true, true};
    if (option == "yoko-check") return {"yoko_check.css", true, false, true};
    if (option == "tate-check") return {"tate_check.css", false, true, true};
    if (option == "none") return {};
    return {option, false, false, false};  // the user's own sheet: referred to, never copied
}

// Copies the sheet from the data folder next to the outputs; the first
// failure is reported and ends the walk.
bool copyStyleSheet(const Orvane::Model& model, const std::string& name) {
    const std::string source = (fs::path(dataDirectory()) / name).string();
    tolvanw32::PosixFileOperations files;
    std::string destination;
    std::string error;
    if (tolvanw32::copyStyleSheet(files, source, name, model.getOutputs(), destination, error)) return true;
    std::fprintf(stderr, "quillmark convert: cannot copy the style sheet %s to %s: %s\n", source.c_str(),
                 destination.c_str(), error.c_str());
    return false;
}

// The folders the documents were written to ("." for standard output).
std::vector<std::string> outputFolders(const Orvane::Model& model, bool toStandardOutput) {
    std::vector<std::string> folders;
    if (toStandardOutput) folders.push_back(".");
    for (const auto& output : model.getOutputs()) {
        const auto& file = output->getFileName();
        std::string folder = tolvanw32::FileOperations::directoryName(std::string(file.data(), file.size()));
        if (folder.empty()) folder = ".";
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
    }
    return folders;
}

// The documents link to a sheet of the user's by name, relative to
// themselves: a name found in none of their folders is most likely a typo
// or a built-in name misspelt. Addresses (scheme://...) are not checked.
void warnOfMissingStyleSheet(const std::vector<std::string>& folders, const std::string& name) {
    if (name.find("://") != std::string::npos) return;
    for (const std::string& folder : folders) {
        const bool here = folder == "." || fs::path(name).is_absolute();
        const std::string path = here ? name : tolvanw32::FileOperations::join(folder, name);
        std::error_code ec;
        if (fs::exists(path, ec)) continue;
        std::fprintf(stderr,
                     "quillmark convert: warning: the style sheet %s does not exist; the documents refer to it "
                     "all the same (built-in sheets: yoko, tate, yoko-check, tate-check)\n",
                     path.c_str());
    }
}

// The name the outputs of a source get in folder (before the part number
// and the extension are added).
std::string outputNameIn(const std::string& folder, const SourceFile& source) {
    return (fs::path(folder) / (source.standardInput ? fs::path("stdin") : fs::path(source.path).filename())).string();
}

bool makeOutputDirectory(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!ec && !fs::is_directory(folder, ec)) ec = std::make_error_code(std::errc::not_a_directory);
    if (!ec) return true;
    std::fprintf(stderr, "quillmark convert: cannot create %s: %s\n", folder.c_str(), ec.message().c_str());
    return false;
}

// The one document of a run kept in memory, on standard output; a manuscript
// that splits into parts is a usage error.
int writeToStandardOutput(const Orvane::Model& model) {
    const auto& outputs = model.getOutputs();
    if (outputs.size() != 1)
        return usageError(kCommand, "the manuscript splits into " + std::to_string(outputs.size()) +
                                        " documents: give --output-dir to write them");
    if (outputs.front()->writeTo(stdout)) return kExitOk;
    std::fprintf(stderr, "quillmark convert: cannot write standard output: %s\n",
                 outputs.front()->getFailure().c_str());
    return kExitFailure;
}

// The encodings a document can be written in: each gives a file whose
// declaration and byte-order mark an XML parser reads (xmllint checks every
// one). Left out: the big-endian forms, which cannot be written; UCS-2,
// UCS-4, UTF-32 and utf-16n, whose declared names parsers do not know;
// utf-16le+bom, whose name and mark disagree; UTF-7, which encodes the
// markup itself. The aliases of these names are accepted as well.
constexpr const char* kDocumentEncodings[] = {
    "us-ascii",   "utf-8",      "utf-8n",      "utf-16",      "utf-16le",    "iso-2022-jp", "euc-jp",
    "Shift_JIS",  "iso-8859-1", "iso-8859-2",  "iso-8859-3",  "iso-8859-4",  "iso-8859-5",  "iso-8859-6",
    "iso-8859-7", "iso-8859-8", "iso-8859-9",  "iso-8859-10", "iso-8859-13", "iso-8859-14", "iso-8859-15",
    "cp932",      "EUC-JP-MS",  "windows-1252"};

bool documentEncodingP(CCC::CeId id) {
    for (const char* name : kDocumentEncodings)
        if (CCC::Iceman::stringToCeId(name) == id) return true;
    return false;
}

// -t: auto or an encoding of the list; anything else is a usage error that
// lists them.
bool parseDocumentEncoding(const std::string& text, CCC::CeId& id, int& status) {
    if (!parseEncoding(text, kCommand, id, status)) return false;
    if (id == CCC::ceid::kNone || documentEncodingP(id)) return true;
    std::string list;
    for (const char* name : kDocumentEncodings) list += std::string(", ") + name;
    status = usageError(kCommand, "documents cannot be written in " + text + "; -t takes auto" + list);
    return false;
}

int runConvert(const ConvertOptions& options) {
    const auto& files = options.source.files;
    if (files.empty()) return usageError(kCommand, "no FILE given");
    const bool standardInput = std::find(files.begin(), files.end(), kStandardInputArgument) != files.end();
    if (standardInput && files.size() > 1) return usageError(kCommand, "- (standard input) must be the only FILE");
    const bool toStandardOutput = standardInput && options.outputDir.empty();
    int status = kExitOk;
    CCC::CeId from = CCC::ceid::kNone;
    CCC::CeId to = CCC::ceid::kNone;
    if (options.xhtml != "1.0" && options.xhtml != "1.1" && options.xhtml != "5")
        return usageError(kCommand, "--xhtml takes 1.0, 1.1 or 5, not " + options.xhtml);
    Orvane::Model model;
    if (!prepareModel(model, options.source, options.span, kCommand, from, status)) return status;
    if (!parseDocumentEncoding(options.to, to, status)) return status;

    const StyleChoice style = chooseStyle(options.style);
    Orvane::DString styleName;
    if (!style.name.empty() && !Orvane::FileName::toText(CCC::TString<char>(style.name.c_str()), styleName))
        return usageError(kCommand, "the style sheet name is not readable text: " + style.name);

    std::vector<SourceFile> sources;
    if (!openSources(files, from, to, kCommand, sources)) return kExitFailure;
    if (!options.outputDir.empty() && !makeOutputDirectory(options.outputDir)) return kExitFailure;

    model.setGenerator(1);
    auto* writer = static_cast<Orvane::Generator1*>(model.getGenerator());
    const bool html5 = options.xhtml == "5";
    writer->setXhtml(html5 ? Orvane::Generator1::kHtml5 : options.xhtml == "1.1" ? 1 : 0);
    writer->setTateChuYokoP(html5 && style.tate);
    writer->setStyleSheet(&styleName);
    writer->setYokoP(style.yoko);
    writer->setTateP(style.tate);
    for (const SourceFile& source : sources) {
        const std::string name = options.outputDir.empty() ? "" : outputNameIn(options.outputDir, source);
        addSource(model, source, CCC::nlconv::kLf2CrLf, name.empty() ? nullptr : name.c_str());
    }
    model.setKeepOutputsP(toStandardOutput);

    Orvane::DString logText;
    const std::unique_ptr<Orvane::Log> log = makeLog(&logText, kCommand);
    if (!log) return kExitFailure;
    const bool ok = model.run(log.get());
    std::fflush(stdout);
    for (const std::string& failure : model.getFailures())
        std::fprintf(stderr, "quillmark convert: %s\n", failure.c_str());
    if (!ok && model.getFailures().empty()) std::fputs("quillmark convert: the conversion failed\n", stderr);
    // The log's warnings are among the diagnostics, with their places.
    printDiagnostics(model, Orvane::Diagnostics::kJapanese, stderr);
    if (!style.builtIn && !style.name.empty()) warnOfMissingStyleSheet(outputFolders(model, toStandardOutput), style.name);
    // Standard output has no folder to copy a sheet to.
    const bool copied = toStandardOutput || !style.builtIn || copyStyleSheet(model, style.name);
    if (!ok) return kExitFailure;
    if (toStandardOutput) return writeToStandardOutput(model);
    for (const auto& output : model.getOutputs()) {
        const auto& file = output->getFileName();
        std::fwrite(file.data(), 1, file.size(), stdout);
        std::fputc('\n', stdout);
    }
    return std::fflush(stdout) == 0 && copied ? kExitOk : kExitFailure;
}

void install(CLI::App& app, int& status) {
    auto options = std::make_shared<ConvertOptions>();
    CLI::App* cmd = app.add_subcommand(
        kCommand, "Convert manuscripts to XHTML (beside them, into --output-dir, or - to standard output)");
    addSourceOptions(cmd, options->source);
    cmd->add_option("-t,--to", options->to,
                    "Encoding of the outputs, or auto: cp932 for sources read as Shift_JIS, cp932 or ASCII, "
                    "utf-8 otherwise")
        ->default_str("auto");
    cmd->add_option("--xhtml", options->xhtml, "XHTML version: 1.0 (Transitional), 1.1, or 5 (HTML5 in XML form)")->default_str("1.0");
    cmd->add_option("--style", options->style,
                    "Style sheet: none, yoko, tate, yoko-check, tate-check (copied next to the outputs), "
                    "or the name of your own sheet (referred to, not copied)")
        ->default_str("none");
    addSpanOption(cmd, options->span);
    cmd->add_option("-o,--output-dir", options->outputDir,
                    "Write the outputs and the copied style sheet into this folder (made when missing)");
    cmd->add_option("FILE", options->source.files,
                    "Manuscripts to convert; - alone reads standard input and writes the document to standard "
                    "output");
    cmd->footer("Built-in style sheets are taken from $QUILLMARK_DATA_DIR when set, else from the program's "
                "data folder (<prefix>/share/quillmark once installed).");
    cmd->callback([cmd, options, &status] {
        if (rejectExtras(cmd, kCommand, status)) return;
        status = runConvert(*options);
    });
}

const CommandRegistration registration(10, kCommand, install);

} // namespace

} // namespace quillmark
