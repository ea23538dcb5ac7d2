#include "Model.h"

#include <cstdint>
#include <cstdio>
#include <limits>

#include "SyntaxFactory.h"
#include "core/generator/Generator.h"
#include "core/generator/Generator1.h"
#include "core/syntax/Syntax.h"

namespace Orvane {

namespace {
constexpr const char* kReadError = "ERROR: can't read source text.\n";
}

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

SrcText* Model::addSrcText(const char* fileName, CeId inCeId, const char* outputName, CeId outCeId, int newLineMode) {
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

void Model::resetTemplate() {
    for (auto& src : srcTexts_) src->setTemplate(nullptr);
    templates_.clear();
}

void Model::clearOutputs() { outputs_.clear(); }

Output* Model::addOutput(std::unique_ptr<Output> output) {
    outputs_.push_back(std::move(output));
    return outputs_.back().get();
}

bool Model::readSrcTexts() {
    for (auto& src : srcTexts_) {
        // The parser counts positions in 32 bits.
        if (!src->read() || src->getTextLength() > std::numeric_limits<std::uint32_t>::max()) {
            std::fputs(kReadError, stdout);
            std::fflush(stdout);
            return false;
        }
    }
    return true;
}

bool Model::runPass(int pass, Log* log) {
    if (pass != 1 && pass != 2) return false;
    generator_->setPass(pass);
    for (auto& src : srcTexts_) {
        generator_->beginSrcText(src.get());
        syntax_->parse(log, src->getText(), static_cast<std::uint32_t>(src->getTextLength()), generator_.get());
    }
    return true;
}

bool Model::writeOutputs() {
    bool ok = true;
    for (auto& output : outputs_)
        if (!output->write()) ok = false;
    return ok;
}

bool Model::generate(Log* log) {
    if (!syntax_ || !generator_) return false;
    for (auto& src : srcTexts_)
        if (!src->getTemplate()) return false;
    if (!readSrcTexts()) return false;
    generator_->setLog(log);
    const int passes = generator_->getPassCount();
    for (int pass = 1; pass <= passes; ++pass)
        if (!runPass(pass, log)) return false;
    return writeOutputs();
}

bool Model::dumpTokens(Log* log) {
    if (!syntax_) return false;
    if (!readSrcTexts()) return false;
    for (auto& src : srcTexts_)
        syntax_->dumpTokens(log, src->getText(), static_cast<std::uint32_t>(src->getTextLength()));
    return true;
}

} // namespace Orvane
