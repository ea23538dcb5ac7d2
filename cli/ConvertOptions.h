#pragma once

// What `convert`, `tokens` and `trace` share: the options that choose a
// syntax and the source encoding, the choice of encodings for a source
// file, and one-line usage errors.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "ccc/base/TString.h"
#include "ccc/base/Unit.h"
#include "ccc/encoding/EncodingIds.h"

namespace Orvane {
class Log;
class Model;
}

namespace quillmark {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Prints "quillmark COMMAND: message" on standard error; returns kExitUsage.
int usageError(const char* command, const std::string& message);

// Options read as text and checked by the command itself, so that every
// usage error is one line with exit status 2.
struct SourceOptions {
    std::string syntax = "2";
    std::string from = "auto";
    std::vector<std::string> files;
};

// Which syntax is which, for the help texts.
inline constexpr const char* kSyntaxList =
    "0 trace, 1 macros, 2 both mark forms (default), 3 half-width marks, 4 full-width marks";

// Adds --syntax and -f/--from to cmd and makes unknown options reach the
// command (see rejectExtras) instead of failing the parse.
void addSourceOptions(CLI::App* cmd, SourceOptions& options);

// A usage error for anything the parser left over (unknown options).
bool rejectExtras(const CLI::App* cmd, const char* command, int& status);

// The syntax number of --syntax, or -1 when it is not 0..4.
int parseSyntaxNumber(const std::string& text);

// Gives the model the numbered syntax; a usage error (status set, false)
// when the text is no number 0..4 or this program has no such syntax.
bool selectSyntax(Orvane::Model& model, const std::string& text, const char* command, int& status);

// An encoding option: CCC::ceid::kNone for "auto", else the identifier of the name. A
// usage error (status set, false) for a name that is not an encoding.
bool parseEncoding(const std::string& text, const char* command, CCC::CeId& id, int& status);

// --stdout-encoding: what tokens and trace print their texts in. UTF-8 is
// printed without a mark (texts are printed piece by piece); an encoding
// that does not write ASCII as ASCII would garble the lines around the
// texts and is a usage error (status set, false), as is an unknown name.
bool parseStdoutEncoding(const std::string& text, const char* command, CCC::CeId& id, int& status);

// The encoding a source is read in when -f is auto: "utf-8" for a file that
// starts with the UTF-8 mark or is valid UTF-8 with a non-ASCII byte; else
// the ja-detector's answer, where Shift_JIS, cp932, US-ASCII and nothing
// detected all read as cp932 (a superset of them).
CCC::CeId detectSourceEncoding(std::FILE* file);
// The same over bytes already in memory.
CCC::CeId detectSourceEncoding(const std::string& bytes);

// The output encoding for -t auto: cp932 when the source was read in an
// encoding whose characters it holds, else utf-8.
CCC::CeId autoOutputEncoding(CCC::CeId sourceEncoding);

// The folder of the program's bundled files: $QUILLMARK_DATA_DIR when set,
// <prefix>/share/quillmark beside an installed binary, else the source
// tree's data folder.
std::string dataDirectory();

// "-" as a FILE: standard input.
inline constexpr const char* kStandardInputArgument = "-";
// What the model, the messages and the warnings call standard input.
inline constexpr const char* kStandardInputName = "<stdin>";

// A source named on the command line, with the encodings it is converted
// with.
struct SourceFile {
    std::string path;  // kStandardInputName for "-"
    bool standardInput = false;
    CCC::CeId in = CCC::ceid::kNone;
    CCC::CeId out = CCC::ceid::kNone;
    // The whole content of a source that can be read only once (a pipe, a
    // terminal); null for a regular file, which the model reads itself.
    std::shared_ptr<const std::string> bytes;
};

// Checks that every file can be opened and resolves its encodings
// (from/to kNone: auto); what is not a regular file, standard input ("-")
// among them, is read into memory here.
// On the first file that cannot be opened or read prints "quillmark
// COMMAND: can't open PATH: REASON" and returns false.
bool openSources(const std::vector<std::string>& paths, CCC::CeId from, CCC::CeId to, const char* command,
                 std::vector<SourceFile>& sources);

// Registers the source with the model, handing over bytes read ahead.
// outputName: the outputs' name without the part number and extension
// (null: beside the source, named after it).
void addSource(Orvane::Model& model, const SourceFile& source, CCC::NLConv newLineMode,
               const char* outputName = nullptr);

// UTF-16 text on a stream, in the platform's encoding.
void printText(std::FILE* stream, const CCC::TString<unsigned short>& text);
// UTF-16 text (the log) on standard error, in the platform's encoding.
void printToStderr(const CCC::TString<unsigned short>& text);

// Adds --span, read by selectSpans.
void addSpanOption(CLI::App* cmd, std::string& list);
// --span: the punctuation besides "。" that ends a sentence span, a comma-
// separated list of ten, period and comma, given to the model's syntax. A
// usage error (status set, false) for another word, or for a list given
// to a syntax without spans.
bool selectSpans(Orvane::Model& model, const std::string& list, const char* command, int& status);

// The first steps of every command that parses manuscripts: the library
// started, -f read into from, the syntax and --span given to model. False
// with status set: a usage error, or a failure to start the library.
bool prepareModel(Orvane::Model& model, const SourceOptions& source, const std::string& span, const char* command,
                  CCC::CeId& from, int& status);

// The run's log, its warnings led by their source's name, appended to
// *text; null (said on standard error) when it cannot be set up.
std::unique_ptr<Orvane::Log> makeLog(CCC::TString<unsigned short>* text, const char* command);

// The diagnostics of the model's last run, one "FILE:LINE:COL: 警告: ..."
// line each (language: Orvane::Diagnostics::kJapanese or kEnglish);
// returns how many there were.
std::size_t printDiagnostics(const Orvane::Model& model, int language, std::FILE* stream);

} // namespace quillmark
