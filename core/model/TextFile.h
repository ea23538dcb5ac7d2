#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "File.h"
#include "ccc/base/Unit.h"
#include "ccc/encoding/EncodingIds.h"

namespace CCC {
class CompositIFilter;
class IFlow;
}

namespace Orvane {

using CCC::CeId;
using DString = CCC::TString<unsigned short>;

class ArrivingText;
class EncodedSpool;
class ReplacingFile;
class TextArrival;
class TextSpool;

// A stretch of UTF-16 text held by someone else: in memory, or (spool set,
// units null) the whole of a spool's text; or (encoded set) a body being
// encoded apart, which the pieces after it complete.
struct TextPiece {
    const unsigned short* units;
    std::size_t length;
    const TextSpool* spool = nullptr;
    EncodedSpool* encoded = nullptr;
};
using TextPieces = std::vector<TextPiece>;

// A file whose content is held as UTF-16 (the core's text) and converted
// from its input encoding when read and to its output encoding, with a
// newline conversion, when written.
class TextFile : public File {
public:
    TextFile(const char* fileName, CeId inCeId, CeId outCeId, CCC::NLConv newLineMode);
    ~TextFile() override;

    // Reads the whole file (or the preloaded bytes) through the chain from
    // inCeId to UTF-16. False when the file cannot be opened, no chain
    // exists or the conversion fails; the content is then empty.
    [[nodiscard]] bool read();
    // read() of a long regular file on a second thread, so that its text
    // can be parsed as it arrives: until finishRead(), arrival() tells how
    // far getText() goes, and the content stays empty. Anything else is
    // read() at once (arrival() is then null).
    [[nodiscard]] bool startRead();
    TextArrival* arrival() const;
    // Waits for the rest of the text and makes it the content; false, with
    // the reason, when it could not all be read.
    [[nodiscard]] bool finishRead();
    // Converts the NUL-terminated bytes of text from ceId (which becomes
    // inCeId) into the content. False when no chain exists.
    [[nodiscard]] virtual bool setText(const char* text, CeId ceId);
    // Writes the content through the chain from UTF-16 to outCeId with the
    // newline mode. The old file is replaced only by a complete new one.
    [[nodiscard]] virtual bool write();

    // write() in two steps: stage() converts the content into a temporary
    // file beside the target; commitStaged() moves it over the target,
    // discardStaged() removes it. Between the two the content may be
    // released: the staged file holds it.
    [[nodiscard]] bool stage();
    // stage() of the pieces one after another instead of the content, which
    // is left alone: a text made of a few large parts is written without
    // being put together first. The pieces need live only until it returns.
    // From an encoded piece on, the text is that piece's bytes.
    [[nodiscard]] bool stage(const TextPieces& pieces);
    [[nodiscard]] bool commitStaged();
    void discardStaged();
    bool stagedP() const { return staged_ != nullptr; }
    // Writes the content as write() does, into an open stream (standard
    // output), which stays open; false with the reason on failure.
    [[nodiscard]] bool writeTo(std::FILE* stream);

    // Bytes of the file already read by the caller (a pipe can be read only
    // once): read() decodes these instead of opening the file.
    void setPreloadedBytes(std::shared_ptr<const std::string> bytes) { preloaded_ = std::move(bytes); }

    const unsigned short* getText() const;
    std::size_t getTextLength() const { return content_ ? content_->size() : 0; }
    // The length, or while the text arrives the most it can come to.
    std::size_t expectedTextLength() const;
    const DString* getContent() const { return content_.get(); }
    void setContent(std::unique_ptr<DString> content) { content_ = std::move(content); }
    // Drops the content (and a text still arriving).
    void releaseContent();

    // The chain from the core's text to `to` with newLineMode; null when
    // there is none, or `to` has no width at the chain's end (a byte-swapped
    // form) and cannot be written.
    static std::unique_ptr<CCC::CompositIFilter> outputChain(CeId to, CCC::NLConv newLineMode);

    CeId getInCeId() const { return inCeId_; }
    CeId getOutCeId() const { return outCeId_; }
    CCC::NLConv getNewLineMode() const { return newLineMode_; }

private:
    // The UTF-16 units of src converted into stream (staging's, if given),
    // followed by the bytes of tail, if given; empty, or the reason of a
    // failure.
    std::string encodeInto(CCC::IFlow& src, std::FILE* stream, ReplacingFile* staging = nullptr,
                           const EncodedSpool* tail = nullptr) const;
    bool writeFrom(CCC::IFlow& src, std::FILE* stream, ReplacingFile* staging = nullptr,
                   const EncodedSpool* tail = nullptr);
    bool stageFrom(CCC::IFlow& src, const EncodedSpool* tail = nullptr);

    CeId inCeId_;
    CeId outCeId_;
    CCC::NLConv newLineMode_;
    std::unique_ptr<DString> content_;
    std::unique_ptr<ArrivingText> arriving_;
    std::unique_ptr<ReplacingFile> staged_;
    std::shared_ptr<const std::string> preloaded_;
};

} // namespace Orvane
