#include "Model.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <system_error>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "SyntaxFactory.h"
#include "ThreadPlacement.h"
#include "core/generator/Generator.h"
#include "core/generator/Generator1.h"
#include "core/generator/GeneratorPipe.h"
#include "core/syntax/Syntax.h"

namespace Orvane {

namespace {

namespace fs = std::filesystem;

constexpr const char* kReadError = "ERROR: can't read source text.\n";

std::string nameOf(const File* file) {
    return file ? std::string(file->getFileName().data(), file->getFileName().size()) : std::string("?");
}

// The file a name stands for, as a path: absolute, normalised, and with
// the symbolic links of its existing part resolved.
std::string pathKey(const File& file) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(nameOf(&file)), ec);
    if (ec) return nameOf(&file);
    const fs::path resolved = fs::weakly_canonical(absolute, ec);
    return (ec ? absolute.lexically_normal() : resolved).string();
}

// A name of its own can still be a second link to a source's file.
bool linkedToSource(const File& target, const Model::SrcTexts& sources) {
    std::error_code ec;
    const fs::path path(nameOf(&target));
    const auto links = fs::hard_link_count(path, ec);
    if (ec || links < 2) return false;
    for (const auto& src : sources)
        if (fs::equivalent(path, fs::path(nameOf(src.get())), ec)) return true;
    return false;
}

// Raised for the time generate() parses, however it leaves.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

} // namespace

Model::Model() = default;

Model::~Model() {
    // Outputs and sources point at each other and at templates; release
    // them before the strategies, outputs first.
    outputs_.clear();
    srcTexts_.clear();
    templates_.clear();
    generator_.reset();
    syntax_.reset();
}

void Model::setSyntax(int number) {
    syntax_.reset();
    syntax_.reset(createSyntax(number));
}

void Model::setSyntax(std::unique_ptr<Syntax> syntax) { syntax_ = std::move(syntax); }

void Model::setGenerator(int number) {
    switch (number) {
    case 0: generator_ = std::make_unique<Generator>(this); break;
    case 1: generator_ = std::make_unique<Generator1>(this); break;
    default: break;
    }
}

SrcText* Model::addSrcText(const char* fileName, CeId inCeId, const char* outputName, CeId outCeId,
                          CCC::NLConv newLineMode) {
    srcTexts_.push_back(std::make_unique<SrcText>(fileName, inCeId, outputName, outCeId, newLineMode));
    return srcTexts_.back().get();
}

void Model::removeFromSrcTexts(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= srcTexts_.size()) return;
    SrcText* doomed = srcTexts_[index].get();
    std::erase_if(outputs_, [doomed](const std::unique_ptr<Output>& o) { return o->getSrcText() == doomed; });
    srcTexts_.erase(srcTexts_.begin() + index);
}

void Model::setDefaultTemplate() {
    if (!generator_) return;
    auto skeleton = std::make_unique<Template>();
    // A template that cannot be made is not handed out: a source without
    // one is refused by generate() rather than poured into nothing.
    if (!skeleton->setText(generator_->getTemplate(), generator_->getTemplateCeId())) return;
    Template* t = skeleton.get();
    templates_.push_back(std::move(skeleton));
    for (auto& src : srcTexts_)
        if (!src->getTemplate()) src->setTemplate(t);
}

std::unique_ptr<Generator> Model::replaceGenerator(std::unique_ptr<Generator> generator) {
    std::swap(generator_, generator);
    return generator;
}

void Model::resetTemplate() {
    for (auto& src : srcTexts_) src->setTemplate(nullptr);
    templates_.clear();
}

void Model::clearOutputs() { outputs_.clear(); }

Output* Model::addOutput(std::unique_ptr<Output> output, const Template* skeleton, const TemplateValues& values) {
    outputs_.push_back(std::move(output));
    Output* added = outputs_.back().get();
    if (stagesOutputsP()) {
        const TextPieces pieces = skeleton ? skeleton->pieces(values) : TextPieces();
        stageOutput(*added, pieces);
    } else if (skeleton) {
        added->setContent(skeleton->fill(values));
    }
    return added;
}

void Model::fail(std::string sentence) { failures_.push_back(std::move(sentence)); }

bool Model::stageOutput(Output& output, const TextPieces& pieces) {
    const bool staged = output.stage(pieces);
    if (!staged) fail("cannot write " + nameOf(&output) + ": " + output.getFailure());
    return staged;
}

bool Model::readSrcTexts(bool arriving) {
    arriving = arriving && srcTexts_.size() == 1;
    for (auto& src : srcTexts_) {
        if (!(arriving ? src->startRead() : src->read())) return readFailure(*src, src->getFailure());
        // The parser counts positions in 32 bits.
        if (src->getTextLength() > std::numeric_limits<std::uint32_t>::max()) return readFailure(*src, "too long");
    }
    return true;
}

bool Model::readFailure(const SrcText& src, const std::string& reason) {
    fail("cannot read " + nameOf(&src) + ": " + reason);
    std::fputs(kReadError, stdout);
    std::fflush(stdout);
    return false;
}

bool Model::runPass(int pass, Log* log, bool last) {
    if (pass != 1 && pass != 2) return false;
    generator_->setPass(pass);
    for (auto& src : srcTexts_) {
        Diagnostics& diagnostics = src->getDiagnostics();
        diagnostics.clear();
        generator_->beginSrcText(src.get());
        // A long source is written on a second thread while it is parsed.
        GeneratorPipe pipe(*generator_, diagnostics);
        const bool piped = src->expectedTextLength() >= pipedFromUnits_ && !syntax_->printsP() && pipe.start();
        syntax_->setDiagnostics(piped ? &pipe.syntaxDiagnostics() : &diagnostics);
        // A text still arriving is parsed from its first lines on.
        TextArrival* arrival = src->arrival();
        // While they are on their way, the pipe readies what it will record into.
        while (piped && arrival && !arrival->beyondP(0) && pipe.prepare()) {
        }
        const auto length = static_cast<std::uint32_t>(arrival ? arrival->waitBeyond(0) : src->getTextLength());
        syntax_->parse(log, src->getText(), length, piped ? static_cast<Generator*>(&pipe) : generator_.get(),
                       arrival);
        if (piped) pipe.finish();
        syntax_->setDiagnostics(nullptr);
        if (arrival && !src->finishRead()) return readFailure(*src, src->getFailure());
        diagnostics.locate(src->getText(), src->getTextLength());
        if (last) src->releaseContent();
    }
    return true;
}

bool Model::checkTargets(std::size_t first) {
    std::unordered_map<std::string, const Output*> targets;
    for (const auto& src : srcTexts_) targets.emplace(pathKey(*src), nullptr);
    // One sentence per source is enough: two split manuscripts on the same
    // names would otherwise repeat it for every part.
    std::unordered_set<const SrcText*> refused;
    const auto refuse = [&](const Output* output, std::string sentence) {
        if (!refused.insert(output->getSrcText()).second) return;
        if (std::find(failures_.begin(), failures_.end(), sentence) == failures_.end()) fail(std::move(sentence));
    };
    for (std::size_t i = first; i < outputs_.size(); ++i) {
        const Output* output = outputs_[i].get();
        const auto [taken, fresh] = targets.emplace(pathKey(*output), output);
        if (!fresh && !taken->second) refuse(output, "cannot write " + nameOf(output) + ": it is a source of this run");
        else if (!fresh)
            refuse(output, nameOf(taken->second->getSrcText()) + " and " + nameOf(output->getSrcText()) +
                               " both write " + nameOf(output));
        else if (linkedToSource(*output, srcTexts_))
            refuse(output, "cannot write " + nameOf(output) + ": it is a link to a source of this run");
    }
    return refused.empty();
}

bool Model::writeOutputs(std::size_t first) {
    bool ok = true;
    for (std::size_t i = first; i < outputs_.size(); ++i) {
        Output& output = *outputs_[i];
        // One that could not be staged was reported then.
        if (!output.stagedP()) ok = false;
        else if (!output.commitStaged()) {
            fail("cannot write " + nameOf(&output) + ": " + output.getFailure());
            ok = false;
        }
    }
    return ok;
}

bool Model::generate(Log* log) {
    failures_.clear();
    if (!syntax_ || !generator_) {
        fail("no syntax or no generator chosen");
        return false;
    }
    for (auto& src : srcTexts_) {
        if (!src->getTemplate()) {
            fail("cannot convert " + nameOf(src.get()) + ": no template");
            return false;
        }
    }
    ThreadPlacement::noteParsingThread();
    if (!readSrcTexts(true)) return false;
    generator_->setLog(log);
    // Outputs left by an earlier run that was not cleared were written then.
    const std::size_t first = outputs_.size();
    bool parsed = true;
    {
        const RunningFlag running(running_);
        const int passes = generator_->getPassCount();
        for (int pass = 1; pass <= passes && parsed; ++pass) parsed = runPass(pass, log, pass == passes);
    }
    if (!parsed && failures_.empty()) fail("the generator asks for more passes than a run has");
    // Nothing of a run that cannot be completed reaches its targets.
    if (!parsed || (!keepOutputsP_ && !checkTargets(first))) {
        outputs_.erase(outputs_.begin() + static_cast<std::ptrdiff_t>(first), outputs_.end());
        return false;
    }
    return keepOutputsP_ || writeOutputs(first);
}

bool Model::run(Log* log) {
    resetTemplate();
    setDefaultTemplate();
    clearOutputs();
    return generate(log);
}

bool Model::dumpTokens(Log* log) {
    if (!syntax_) return false;
    if (!readSrcTexts(false)) return false;
    for (auto& src : srcTexts_)
        syntax_->dumpTokens(log, src->getText(), static_cast<std::uint32_t>(src->getTextLength()));
    return true;
}

} // namespace Orvane
