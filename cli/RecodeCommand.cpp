// quillmark recode -f FROM -t TO [--newline N] [INPUT [OUTPUT]]: converts the
// bytes of INPUT (or standard input) from one encoding to another, writing
// OUTPUT (or standard output), which is replaced only when the conversion
// succeeded. 16- and 32-bit encodings are read and written
// in the machine's byte order.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "CccSession.h"
#include "Command.h"
#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FileOFlow.h"
#include "core/model/ReplacingFile.h"

namespace quillmark {

namespace {

constexpr const char* kCommand = "recode";

struct RecodeOptions {
    std::string from;
    std::string to;
    CCC::NLConv newline = CCC::nlconv::kNone;
    std::string input;
    std::string output;
};

constexpr int kUsageError = 2;
constexpr int kIoError = 1;

int failure(const char* what, const std::string& file, const std::string& reason) {
    std::fprintf(stderr, "quillmark recode: %s %s: %s\n", what, file.c_str(), reason.c_str());
    return kIoError;
}

int failure(const char* what, const std::string& file, int err) {
    return failure(what, file, std::strerror(err ? err : EIO));
}

int runRecode(const RecodeOptions& opts) {
    if (!startCcc(kCommand)) return kIoError;
    const CCC::CeId from = CCC::Iceman::stringToCeId(opts.from);
    const CCC::CeId to = CCC::Iceman::stringToCeId(opts.to);
    if (!from || !to) {
        std::fprintf(stderr, "quillmark recode: unknown encoding name: %s\n",
                     (from ? opts.to : opts.from).c_str());
        return kUsageError;
    }
    std::unique_ptr<CCC::CompositIFilter> chain(CCC::Iceman::createCompositIFilter(from, to, opts.newline));
    if (!chain) {
        std::fprintf(stderr, "quillmark recode: no conversion from %s to %s with newline mode %d\n",
                     opts.from.c_str(), opts.to.c_str(), opts.newline);
        return kUsageError;
    }

    const bool fromStdin = opts.input.empty() || opts.input == "-";
    const bool toStdout = opts.output.empty() || opts.output == "-";
    const std::string inName = fromStdin ? "standard input" : opts.input;
    const std::string outName = toStdout ? "standard output" : opts.output;
    std::unique_ptr<CCC::FileIFlow> in(fromStdin ? new CCC::FileIFlow(stdin)
                                                 : new CCC::FileIFlow(opts.input.c_str(), true));
    if (!in->openP()) return failure("cannot open", inName, errno);
    // OUTPUT is written beside itself and replaces the old file only when
    // complete: a failure keeps the old file, and INPUT may be OUTPUT.
    std::optional<Orvane::ReplacingFile> file;
    if (!toStdout) {
        file.emplace(opts.output.c_str());
        if (!file->openP()) return failure("cannot write", outName, file->failure());
    }
    CCC::FileOFlow out(toStdout ? stdout : file->stream());

    chain->setSrc(in.get());
    try {
        CCC::Conveyer(chain.get(), &out).carryBlocks(CCC::Iceman::outputIOType(*chain));
    } catch (const CCC::IOException& e) {
        const int err = errno;
        if (std::ferror(in->stream())) return failure("cannot read", inName, err);
        // main reports a failed standard output.
        if (std::ferror(out.stream())) return toStdout ? kIoError : failure("cannot write", outName, err);
        std::fprintf(stderr, "quillmark recode: cannot convert %s from %s to %s (code %d)\n", inName.c_str(),
                     opts.from.c_str(), opts.to.c_str(), e.getCode());
        return kIoError;
    }
    if (toStdout) return std::fflush(stdout) == 0 ? 0 : kIoError;
    return file->commit() ? 0 : failure("cannot write", outName, file->failure());
}

void install(CLI::App& app, int& status) {
    auto opts = std::make_shared<RecodeOptions>();
    CLI::App* cmd = app.add_subcommand(kCommand, "Convert INPUT (or standard input) between encodings");
    cmd->add_option("-f,--from", opts->from, "Encoding name of the input (utf-8, Shift_JIS, cp932, ...)")
        ->required();
    cmd->add_option("-t,--to", opts->to, "Encoding name of the output")->required();
    cmd->add_option("--newline", opts->newline,
                    "Newline conversion: 0 none, 1 LF>CR, 2 CR>LF, 3 CRLF>LF, 4 CRLF>CR, 5 LF>CRLF, "
                    "6 CR>CRLF, 7-9 any to CR, LF, CRLF")
        ->check(CLI::Range(0, 9))
        ->default_str("0");
    cmd->add_option("INPUT", opts->input, "Input file; standard input when absent or -");
    cmd->add_option("OUTPUT", opts->output, "Output file; standard output when absent or -");
    cmd->callback([opts, &status] { status = runRecode(*opts); });
}

const CommandRegistration registration(20, kCommand, install);

} // namespace

} // namespace quillmark
