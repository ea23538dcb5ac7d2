#pragma once

#include <memory>

#include "ccc/base/Unit.h"
#include "File.h"

namespace Orvane {

using CCC::CeId;
using DString = CCC::TString<unsigned short>;

// A file whose content is held as UTF-16 (the core's text) and converted
// from its input encoding when read and to its output encoding, with a
// newline conversion, when written.
class TextFile : public File {
public:
    // The core's in-memory text encoding, "utf-16n".
    static constexpr CeId kTextCeId = 10;

    TextFile(const char* fileName, CeId inCeId, CeId outCeId, int newLineMode)
        : File(fileName), inCeId_(inCeId), outCeId_(outCeId), newLineMode_(newLineMode) {}

    // Reads the whole file through the chain from inCeId to UTF-16. False
    // when the file cannot be opened, no chain exists or the conversion
    // fails; the content is then empty.
    bool read() override;
    // Converts the NUL-terminated bytes of text from ceId (which becomes
    // inCeId) into the content. False when no chain exists.
    virtual bool setText(const char* text, CeId ceId);
    // Writes the content through the chain from UTF-16 to outCeId with the
    // newline mode. The old file is replaced only by a complete new one.
    virtual bool write();

    const unsigned short* getText() const { return content_ ? content_->data() : nullptr; }
    std::size_t getTextLength() const { return content_ ? content_->size() : 0; }
    const DString* getContent() const { return content_.get(); }
    void setContent(std::unique_ptr<DString> content) { content_ = std::move(content); }
    void releaseContent() { content_.reset(); }

    CeId getInCeId() const { return inCeId_; }
    CeId getOutCeId() const { return outCeId_; }
    int getNewLineMode() const { return newLineMode_; }

private:
    CeId inCeId_;
    CeId outCeId_;
    int newLineMode_;
    std::unique_ptr<DString> content_;
};

} // namespace Orvane
