#include "ConvertOptions.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "ccc/encoding/EncodingIds.h"
#include "ccc/detect/Utf8Check.h"
#include "ccc/encoding/Iceman.h"
#include "CccSession.h"
#include "core/model/FileName.h"
#include "core/model/Log.h"
#include "core/model/Model.h"
#include "core/syntax/s2/S2Syntax.h"

namespace quillmark {

namespace {

namespace ceid = CCC::ceid;

// The mark, or valid UTF-8 with at least one multi-byte sequence, decides
// for UTF-8 before the Japanese detector is asked.
bool utf8MarkP(const unsigned char* p, std::size_t n) { return n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF; }

CCC::CeId fromJaDetector(CCC::CeId found) {
    switch (found) {
    // The detector names a UTF-16 file by its mark; read it as the form with
    // a mark so that the mark does not become text.
    case ceid::kUtf16Be: return ceid::kUtf16BeBom;
    case ceid::kUtf16Le: return ceid::kUtf16LeBom;
    case ceid::kNone:
    case ceid::kUsAscii:
    case ceid::kShiftJis:
    case ceid::kCp932: return ceid::kCp932;
    default: return found;
    }
}

std::string reasonOf(int error) { return std::generic_category().message(error ? error : EIO); }

// The whole stream; false (errno set) on a read error.
bool readAll(std::FILE* file, std::string& bytes) {
    char block[65536];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0) bytes.append(block, n);
    return !std::ferror(file);
}

} // namespace

int usageError(const char* command, const std::string& message) {
    std::fprintf(stderr, "quillmark %s: %s\n", command, message.c_str());
    return kExitUsage;
}

void addSourceOptions(CLI::App* cmd, SourceOptions& options) {
    cmd->allow_extras();
    cmd->add_option("--syntax", options.syntax, std::string("Markup syntax: ") + kSyntaxList)
        ->default_str("2");
    cmd->add_option("-f,--from", options.from,
                    "Encoding of the sources, or auto: utf-8 when the file is UTF-8, otherwise what the "
                    "Japanese detector finds (cp932 for Shift_JIS or plain ASCII)")
        ->default_str("auto");
}

bool rejectExtras(const CLI::App* cmd, const char* command, int& status) {
    // "--" ends the options; the parser hands it over with the extras.
    for (const std::string& extra : cmd->remaining()) {
        if (extra == "--") continue;
        status = usageError(command, "unknown option: " + extra);
        return true;
    }
    return false;
}

int parseSyntaxNumber(const std::string& text) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '4') return -1;
    return text[0] - '0';
}

bool selectSyntax(Orvane::Model& model, const std::string& text, const char* command, int& status) {
    const int number = parseSyntaxNumber(text);
    if (number >= 0) model.setSyntax(number);
    if (number < 0 || !model.getSyntax()) {
        status = usageError(command, "no syntax " + text + " in this program");
        return false;
    }
    return true;
}

bool parseEncoding(const std::string& text, const char* command, CCC::CeId& id, int& status) {
    if (text == "auto") {
        id = ceid::kNone;
        return true;
    }
    id = CCC::Iceman::stringToCeId(text);
    if (id == ceid::kNone || id > ceid::kLastEncoding) {
        status = usageError(command, "unknown encoding name: " + text);
        return false;
    }
    return true;
}

bool parseStdoutEncoding(const std::string& text, const char* command, CCC::CeId& id, int& status) {
    if (!parseEncoding(text, command, id, status)) return false;
    if (id == ceid::kNone || id == ceid::kUtf8) id = ceid::kUtf8N;
    // The markup around the texts is printed as ASCII bytes.
    static const char kProbe[] = "<a +&=>\n";
    CCC::TString<char> bytes;
    if (CCC::Iceman::convertToBString(ceid::kUtf16N, id, CCC::TString<unsigned short>::fromAscii(kProbe), bytes) &&
        std::string_view(bytes.data(), bytes.size()) == kProbe)
        return true;
    status = usageError(command, "--stdout-encoding needs an encoding that writes ASCII as ASCII, not " + text);
    return false;
}

CCC::CeId detectSourceEncoding(std::FILE* file) {
    unsigned char head[3];
    const std::size_t n = std::fread(head, 1, sizeof head, file);
    if (utf8MarkP(head, n)) return ceid::kUtf8;
    CCC::Utf8Check check;
    check.feed(head, n);
    check.feed(file);
    if (check.utf8P()) return ceid::kUtf8;
    std::rewind(file);
    return fromJaDetector(CCC::Iceman::detect(ceid::kJaDetector, file));
}

CCC::CeId detectSourceEncoding(const std::string& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    if (utf8MarkP(p, bytes.size())) return ceid::kUtf8;
    CCC::Utf8Check check;
    check.feed(p, bytes.size());
    if (check.utf8P()) return ceid::kUtf8;
    return fromJaDetector(CCC::Iceman::detect(ceid::kJaDetector, bytes.data(), bytes.size()));
}

CCC::CeId autoOutputEncoding(CCC::CeId sourceEncoding) {
    switch (sourceEncoding) {
    case ceid::kUsAscii:
    case ceid::kShiftJis:
    case ceid::kCp932: return ceid::kCp932;
    default: return ceid::kUtf8;
    }
}

bool openSources(const std::vector<std::string>& paths, CCC::CeId from, CCC::CeId to, const char* command,
                 std::vector<SourceFile>& sources) {
    sources.clear();
    for (const std::string& path : paths) {
        const bool standardInput = path == kStandardInputArgument;
        std::error_code ec;
        const auto type = standardInput ? std::filesystem::file_type::unknown : std::filesystem::status(path, ec).type();
        errno = 0;
        std::FILE* file = standardInput                                   ? stdin
                          : type == std::filesystem::file_type::directory ? nullptr
                                                                          : std::fopen(path.c_str(), "rb");
        if (!file) {
            const int error = type == std::filesystem::file_type::directory ? EISDIR : errno;
            std::fprintf(stderr, "quillmark %s: can't open %s: %s\n", command, path.c_str(), reasonOf(error).c_str());
            return false;
        }
        SourceFile source{standardInput ? kStandardInputName : path, standardInput, from, to, nullptr};
        if (type != std::filesystem::file_type::regular) {
            // Read once: what detection takes from a pipe would be gone.
            auto bytes = std::make_shared<std::string>();
            errno = 0;
            if (!readAll(file, *bytes)) {
                std::fprintf(stderr, "quillmark %s: can't read %s: %s\n", command, path.c_str(),
                             reasonOf(errno).c_str());
                if (!standardInput) std::fclose(file);
                return false;
            }
            if (!source.in) source.in = detectSourceEncoding(*bytes);
            source.bytes = std::move(bytes);
        } else if (!source.in) {
            source.in = detectSourceEncoding(file);
        }
        if (!source.out) source.out = autoOutputEncoding(source.in);
        if (!standardInput) std::fclose(file);
        sources.push_back(std::move(source));
    }
    return true;
}

void addSource(Orvane::Model& model, const SourceFile& source, CCC::NLConv newLineMode, const char* outputName) {
    Orvane::SrcText* text = model.addSrcText(source.path.c_str(), source.in, outputName, source.out, newLineMode);
    if (source.bytes) text->setPreloadedBytes(source.bytes);
}

void printText(std::FILE* stream, const CCC::TString<unsigned short>& text) {
    CCC::TString<char> bytes;
    if (!CCC::Iceman::convertToBString(ceid::kUtf16N, Orvane::FileName::kCeId, text, bytes)) return;
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

void printToStderr(const CCC::TString<unsigned short>& text) { printText(stderr, text); }

void addSpanOption(CLI::App* cmd, std::string& list) {
    cmd->add_option("--span", list,
                    "Also end sentence spans at these, comma-separated: ten (\u3001), period (.), comma (,)");
}

bool selectSpans(Orvane::Model& model, const std::string& list, const char* command, int& status) {
    bool on[3] = {false, false, false};
    const char* const words[3] = {"ten", "period", "comma"};
    for (std::size_t start = 0; !list.empty() && start <= list.size();) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        const std::string item = list.substr(start, end - start);
        const auto* word = std::find(std::begin(words), std::end(words), item);
        if (word == std::end(words)) {
            status = usageError(command, "--span takes ten, period and comma, not " + item);
            return false;
        }
        on[word - std::begin(words)] = true;
        start = end + 1;
    }
    if (auto* syntax = dynamic_cast<Orvane::S2Syntax*>(model.getSyntax()))
        syntax->getSpanLexer()->setSpanOptions(on[0], on[1], on[2]);
    else if (!list.empty()) {
        status = usageError(command, "--span needs syntax 2, 3 or 4");
        return false;
    }
    return true;
}

bool prepareModel(Orvane::Model& model, const SourceOptions& source, const std::string& span, const char* command,
                  CCC::CeId& from, int& status) {
    if (!startCcc(command)) {
        status = kExitFailure;
        return false;
    }
    return parseEncoding(source.from, command, from, status) && selectSyntax(model, source.syntax, command, status) &&
           selectSpans(model, span, command, status);
}

std::unique_ptr<Orvane::Log> makeLog(CCC::TString<unsigned short>* text, const char* command) {
    std::unique_ptr<Orvane::Log> log = Orvane::Log::toString(text);
    if (!log) std::fprintf(stderr, "quillmark %s: the log could not be set up\n", command);
    else log->setSourceNamesP(true);
    return log;
}

std::size_t printDiagnostics(const Orvane::Model& model, int language, std::FILE* stream) {
    // All the lines at once: one conversion and one write, however many.
    Orvane::DString lines;
    std::size_t count = 0;
    for (const auto& src : model.getSrcTexts()) {
        Orvane::DString name;
        if (!Orvane::FileName::toText(src->getFileName(), name)) name = Orvane::DString::fromAscii("?");
        for (const Orvane::Diagnostic& d : src->getDiagnostics().items())
            lines += Orvane::Diagnostics::line(name, d, language);
        count += src->getDiagnostics().items().size();
    }
    if (!lines.empty()) printText(stream, lines);
    return count;
}

std::string dataDirectory() {
    namespace fs = std::filesystem;
    if (const char* env = std::getenv("QUILLMARK_DATA_DIR"); env && *env) return env;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path installed = exe.parent_path().parent_path() / "share" / "quillmark";
        if (fs::is_directory(installed, ec)) return installed.string();
    }
    return QM_DATA_DIR;
}

} // namespace quillmark
