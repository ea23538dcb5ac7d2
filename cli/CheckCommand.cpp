// quillmark check [--syntax N] [--span LIST] [-f ENC] [--lang ja|en]
// [--format text|json] FILE...: parses each manuscript as convert would and
// writes nothing; prints one line per place where the markup loses or
// reinterprets text, and per structure warning: "FILE:LINE:COL: 警告:
// MESSAGE" (or, with --format json, one JSON object a line). Exits 0 when no
// file has a diagnostic, 1 when one has (or cannot be read), 2 on a usage
// error.

#include <cstdio>
#include <memory>
#include <string>

#include "CccSession.h"
#include "Command.h"
#include "ConvertOptions.h"
#include "ccc/encoding/Iceman.h"
#include "core/model/Diagnostics.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

namespace quillmark {

namespace {

constexpr const char* kCommand = "check";

struct CheckOptions {
    SourceOptions source;
    std::string span;
    std::string lang = "ja";
    std::string format = "text";
};

std::string utf8(const Orvane::DString& text) {
    CCC::TString<char> bytes;
    if (!CCC::Iceman::convertToBString(CCC::ceid::kUtf16N, CCC::ceid::kUtf8N, text, bytes)) return "?";
    return std::string(bytes.data(), bytes.size());
}

// The length of the well-formed UTF-8 sequence at s[i], 0 when there is none.
std::size_t utf8SequenceAt(const std::string& s, std::size_t i) {
    const auto in = [&](std::size_t k, unsigned lo, unsigned hi) {
        const auto b = i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0u;
        return b >= lo && b <= hi;
    };
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return in(1, 0x80, 0xBF) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const unsigned lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;  // no overlong form, no surrogate
        return in(1, lo, hi) && in(2, 0x80, 0xBF) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
        return in(1, lo, hi) && in(2, 0x80, 0xBF) && in(3, 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

// JSON text is Unicode: a byte of s that is no UTF-8 (a file name may hold
// any) becomes U+FFFD.
std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (const std::size_t n = utf8SequenceAt(s, i); n != 1) {
            out += n ? s.substr(i, n) : "\\ufffd";
            i += n ? n : 1;
            continue;
        }
        ++i;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

void printJson(const Orvane::Model& model, int language) {
    for (const auto& src : model.getSrcTexts()) {
        const auto& name = src->getFileName();
        const std::string file = jsonString(std::string(name.data(), name.size()));
        for (const Orvane::Diagnostic& d : src->getDiagnostics().items()) {
            std::printf("{\"file\":%s,\"line\":%d,\"column\":%d,\"kind\":\"%s\",\"message\":%s,\"text\":%s}\n",
                        file.c_str(), d.line, d.column, Orvane::Diagnostics::kindName(d.kind),
                        jsonString(utf8(Orvane::Diagnostics::message(d, language))).c_str(),
                        jsonString(utf8(d.quote)).c_str());
        }
    }
}

int runCheck(const CheckOptions& options) {
    if (options.source.files.empty()) return usageError(kCommand, "no FILE given");
    if (options.lang != "ja" && options.lang != "en")
        return usageError(kCommand, "--lang takes ja or en, not " + options.lang);
    if (options.format != "text" && options.format != "json")
        return usageError(kCommand, "--format takes text or json, not " + options.format);
    int status = kExitOk;
    CCC::CeId from = CCC::ceid::kNone;
    Orvane::Model model;
    if (!prepareModel(model, options.source, options.span, kCommand, from, status)) return status;

    std::vector<SourceFile> sources;
    if (!openSources(options.source.files, from, CCC::ceid::kNone, kCommand, sources)) return kExitFailure;
    model.setGenerator(1);
    for (const SourceFile& source : sources) addSource(model, source, CCC::nlconv::kLf2CrLf);
    // The documents are made in memory and never written.
    model.setKeepOutputsP(true);
    Orvane::DString logText;
    std::unique_ptr<Orvane::Log> log = Orvane::Log::toString(&logText);
    if (!log || !model.run(log.get())) {
        for (const std::string& failure : model.getFailures())
            std::fprintf(stderr, "quillmark check: %s\n", failure.c_str());
        if (model.getFailures().empty()) std::fputs("quillmark check: the manuscripts could not be parsed\n", stderr);
        return kExitFailure;
    }
    const int language = options.lang == "en" ? Orvane::Diagnostics::kEnglish : Orvane::Diagnostics::kJapanese;
    std::size_t found = 0;
    for (const auto& src : model.getSrcTexts()) found += src->getDiagnostics().items().size();
    if (options.format == "json") printJson(model, language);
    else printDiagnostics(model, language, stdout);
    return found ? kExitFailure : kExitOk;
}

void install(CLI::App& app, int& status) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* cmd = app.add_subcommand(
        kCommand, "Report where the markup loses or reinterprets text, and the structure warnings; writes nothing");
    addSourceOptions(cmd, options->source);
    addSpanOption(cmd, options->span);
    cmd->add_option("--lang", options->lang, "Language of the messages: ja or en")->default_str("ja");
    cmd->add_option("--format", options->format,
                    "text: FILE:LINE:COL: MESSAGE lines; json: one object a line (file, line, column, kind, "
                    "message, text)")
        ->default_str("text");
    cmd->add_option("FILE", options->source.files, "Manuscripts to check; - reads standard input");
    cmd->callback([cmd, options, &status] {
        if (rejectExtras(cmd, kCommand, status)) return;
        status = runCheck(*options);
    });
}

const CommandRegistration registration(11, kCommand, install);

} // namespace

} // namespace quillmark
