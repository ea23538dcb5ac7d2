#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "Output.h"
#include "SrcText.h"
#include "Template.h"
#include "ccc/encoding/EncodingIds.h"

namespace Orvane {

class Generator;
class Log;
class Syntax;

// The root of the conversion core: the registered sources, the templates
// and outputs of the current run, the chosen syntax and generator, and the
// run itself (read every source, parse it into generator events, write
// every output).
//
// Each output is converted into a temporary file as soon as the generator
// hands it over, and its content released, so a run holds one output at a
// time however many parts a manuscript has. Only when every source has
// been parsed are the targets checked (no two outputs on one path, no
// output over a source of the run) and the temporary files moved over
// them; a failed check writes nothing.
class Model {
public:
    using SrcTexts = std::vector<std::unique_ptr<SrcText>>;
    using Templates = std::vector<std::unique_ptr<Template>>;
    using Outputs = std::vector<std::unique_ptr<Output>>;

    Model();
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    Syntax* getSyntax() const { return syntax_.get(); }
    Generator* getGenerator() const { return generator_.get(); }
    const SrcTexts& getSrcTexts() const { return srcTexts_; }
    const Templates& getTemplates() const { return templates_; }
    const Outputs& getOutputs() const { return outputs_; }

    // 0..4 choose a syntax; any other number leaves none.
    void setSyntax(int number);
    // Installs a syntax made elsewhere (an embedding program's own).
    void setSyntax(std::unique_ptr<Syntax> syntax);
    // 0 the trace generator, 1 the XHTML writer; other numbers change nothing.
    void setGenerator(int number);
    // Installs a generator made elsewhere and hands back the one it replaces
    // (a book runs with its own writer and then restores the program's).
    std::unique_ptr<Generator> replaceGenerator(std::unique_ptr<Generator> generator);

    // outputName null: output names come from the file name.
    SrcText* addSrcText(const char* fileName, CeId inCeId, const char* outputName, CeId outCeId,
                        CCC::NLConv newLineMode);
    // Removes the source at index (from 0) and its outputs; files stay on disk.
    void removeFromSrcTexts(int index);
    void setDefaultTemplate();
    void resetTemplate();
    void clearOutputs();

    // A fresh run, as the program's Convert command makes it: the default
    // template for every source, the outputs of an earlier run forgotten,
    // then generate(log).
    [[nodiscard]] bool run(Log* log);
    // The run itself, with the templates and outputs as they are; true when
    // every source was read and every output written.
    [[nodiscard]] bool generate(Log* log);
    // Why the last run failed, one sentence per failure naming the file
    // ("cannot write book.html: Permission denied"); empty after a success.
    const std::vector<std::string>& getFailures() const { return failures_; }
    // Outputs kept in memory with their content, not written to their files,
    // for a program that writes the document to standard output itself.
    void setKeepOutputsP(bool keep) { keepOutputsP_ = keep; }
    bool getKeepOutputsP() const { return keepOutputsP_; }
    // True while a run writes each output to its file as it comes: only
    // then may a generator park a body in a TextSpool (see TemplateValues).
    bool stagesOutputsP() const { return running_ && !keepOutputsP_; }

    // Sources of at least this many UTF-16 units are written on a second
    // thread while they are parsed (GeneratorPipe); the same outputs, logs
    // and diagnostics come out either way.
    static constexpr std::size_t kPipedFromUnits = 64 * 1024;
    void setPipedFromUnits(std::size_t units) { pipedFromUnits_ = units; }

    // Reads every source and prints its tokens on standard output.
    [[nodiscard]] bool dumpTokens(Log* log);

    // Called by the generator for each output it creates, with the template
    // to fill (null: the output is empty) and its values, which need live
    // only for the call. During a run the filled template is staged at once,
    // piece by piece, never put together in memory; outputs kept in memory
    // get it as their content. Returns the output.
    Output* addOutput(std::unique_ptr<Output> output, const Template* skeleton, const TemplateValues& values);

private:
    // With arriving set, a lone long source is read while it is parsed.
    bool readSrcTexts(bool arriving);
    // A source that could not be read; false.
    bool readFailure(const SrcText& src, const std::string& reason);
    // With last set, each source's text is released once it is parsed:
    // its events are out, and the memory goes to the outputs still to come.
    // False for a pass the model does not know, and (reported) for a source
    // whose text could not all be read as it arrived.
    bool runPass(int pass, Log* log, bool last);
    bool stageOutput(Output& output, const TextPieces& pieces);
    bool checkTargets(std::size_t first);
    bool writeOutputs(std::size_t first);
    void fail(std::string sentence);

    std::unique_ptr<Syntax> syntax_;
    std::unique_ptr<Generator> generator_;
    SrcTexts srcTexts_;
    Templates templates_;
    Outputs outputs_;
    std::vector<std::string> failures_;
    bool running_ = false;
    bool keepOutputsP_ = false;
    std::size_t pipedFromUnits_ = kPipedFromUnits;
};

} // namespace Orvane
