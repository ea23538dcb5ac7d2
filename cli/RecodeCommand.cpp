// quillmark recode -f FROM -t TO [--newline N] [INPUT [OUTPUT]]: converts the
// bytes of INPUT (or standard input) from one encoding to another, writing
// OUTPUT (or standard output). 16- and 32-bit encodings are read and written
// in the machine's byte order.

#include <cstdio>
#include <memory>
#include <string>

#include "CccSession.h"
#include "Command.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FileOFlow.h"

namespace quillmark {

namespace {

struct RecodeOptions {
    std::string from;
    std::string to;
    int newline = 0;
    std::string input;
    std::string output;
};

constexpr int kUsageError = 2;
constexpr int kIoError = 1;

int runRecode(const RecodeOptions& opts) {
    if (!startCcc("recode")) return kIoError;
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

    std::unique_ptr<CCC::FileIFlow> in(opts.input.empty() || opts.input == "-"
                                           ? new CCC::FileIFlow(stdin)
                                           : new CCC::FileIFlow(opts.input.c_str(), true));
    if (!in->openP()) {
        std::fprintf(stderr, "quillmark recode: can't open %s\n", opts.input.c_str());
        return kIoError;
    }
    std::unique_ptr<CCC::FileOFlow> out(opts.output.empty() || opts.output == "-"
                                            ? new CCC::FileOFlow(stdout)
                                            : new CCC::FileOFlow(opts.output.c_str(), true, false));
    if (!out->openP()) {
        std::fprintf(stderr, "quillmark recode: can't create %s\n", opts.output.c_str());
        return kIoError;
    }

    chain->setSrc(in.get());
    try {
        CCC::Conveyer(chain.get(), out.get()).carryBlocks(CCC::Iceman::outputIOType(*chain));
    } catch (const CCC::IOException& e) {
        std::fprintf(stderr, "quillmark recode: conversion failed (code %d)\n", e.getCode());
        return kIoError;
    }
    if (!out->close()) {
        std::fputs("quillmark recode: can't write the output\n", stderr);
        return kIoError;
    }
    return 0;
}

void install(CLI::App& app, int& status) {
    auto opts = std::make_shared<RecodeOptions>();
    CLI::App* cmd = app.add_subcommand("recode", "Convert INPUT (or standard input) between encodings");
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

const CommandRegistration registration(20, install);

} // namespace

} // namespace quillmark
