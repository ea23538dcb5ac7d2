#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "TextFile.h"

namespace CCC {
class IFlow;
class OFlow;
}

namespace Orvane {

class UnitBuffer;

// The body of a long document, encoded into its output's encoding on a
// second thread while the rest of it is still being made. The bytes go
// straight into the document's temporary file after those of its head as
// it stands when the body starts (most documents have their title by
// then): if the head is the same at the end, that file is the document.
// Else, or when that file cannot be made, the document is written as its
// head through a chain of its own followed by the body's bytes, as if one
// chain had made it all.
//
// That holds because the thread's chain first takes the line end the head
// ends in and its bytes are skipped: after a line end every output chain is
// where it is after any head ending in one (the byte-order mark written,
// shifted back to ASCII, no base64 run open, no newline pending). After
// other units it is not so everywhere: UTF-7 may still be in base64 after a
// '>'.
class EncodedSpool {
public:
    EncodedSpool();
    ~EncodedSpool();
    EncodedSpool(const EncodedSpool&) = delete;
    EncodedSpool& operator=(const EncodedSpool&) = delete;

    // Whether a body after a head ending in `unit` can be encoded apart.
    static bool usableAfter(unsigned short unit) { return unit == '\n'; }
    // The UTF-16 units of src in `to` with newLineMode, as one chain makes
    // them; false when there is no chain.
    [[nodiscard]] static bool encode(CCC::IFlow& src, CeId to, CCC::NLConv newLineMode, std::string& bytes);

    // Starts the thread for a document in outCeId with newLineMode whose
    // head is, as far as is known, `head` (ending as usableAfter wants),
    // to be written to target (if given, else parked in an unnamed file).
    // False when there is no chain to outCeId or no thread, and nothing is
    // started.
    [[nodiscard]] bool start(CeId outCeId, CCC::NLConv newLineMode, const DString& head, const char* target);
    bool startedP() const { return state_ != nullptr; }
    // Takes the first n units of text for the thread; text keeps the rest.
    void take(UnitBuffer& text, std::size_t n);
    // Gives the thread the pieces that end the document (units in memory)
    // and waits for it; empty, or the reason it could not encode or park the
    // body. Then copyTo() gives the bytes.
    [[nodiscard]] std::string finish(const TextPieces& rest);
    // After finish(): the target's temporary file, complete, when its head
    // came out as headBytes; else null.
    std::unique_ptr<ReplacingFile> takeFile(const std::string& headBytes);
    // Writes the body's bytes into out; false (errno set) when the file
    // cannot give them back.
    [[nodiscard]] bool copyTo(CCC::OFlow& out) const;
    // Stops the thread if need be and drops the file.
    void clear();

    struct State;  // the queue, the thread and the file

private:
    std::unique_ptr<State> state_;
};

} // namespace Orvane
