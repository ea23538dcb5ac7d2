#include "ConvertOptions.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "ccc/encoding/EncodingIds.h"
#include "ccc/detect/Utf8Check.h"
#include "ccc/encoding/Iceman.h"
#include "core/model/FileName.h"
#include "core/model/Model.h"

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

void printToStderr(const CCC::TString<unsigned short>& text) {
    CCC::TString<char> bytes;
    if (!CCC::Iceman::convertToBString(ceid::kUtf16N, Orvane::FileName::kCeId, text, bytes)) return;
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

bool parseSpan(const std::string& list, SpanChoice& span, std::string& bad) {
    std::size_t start = 0;
    while (start <= list.size() && !list.empty()) {
        std::size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        const std::string item = list.substr(start, end - start);
        if (item == "ten") span.ten = true;
        else if (item == "period") span.period = true;
        else if (item == "comma") span.comma = true;
        else {
            bad = item;
            return false;
        }
        start = end + 1;
    }
    return true;
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
