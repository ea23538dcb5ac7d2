#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "TextFile.h"

namespace CCC {
class OFlow;
}

namespace Orvane {

// The body of a long document, encoded into its output's encoding on a
// second thread while the rest of it is still being made, and parked in an
// unnamed temporary file. The document is then written as its head through
// a chain of its own followed by these bytes, as if one chain had made it
// all.
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

    // Starts the thread for a document in outCeId with newLineMode whose
    // head ends in headEnd (usableAfter); false when there is no chain to
    // outCeId or no thread, and nothing is started.
    [[nodiscard]] bool start(CeId outCeId, CCC::NLConv newLineMode, unsigned short headEnd);
    bool startedP() const { return state_ != nullptr; }
    // Takes the first n units of text for the thread; text keeps the rest,
    // in storage of the same capacity.
    void take(DString& text, std::size_t n);
    // Gives the thread the pieces that end the document (units in memory)
    // and waits for it; empty, or the reason it could not encode or park the
    // body. Then copyTo() gives the bytes.
    [[nodiscard]] std::string finish(const TextPieces& rest);
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
