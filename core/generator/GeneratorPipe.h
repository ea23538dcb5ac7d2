#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <exception>
#include <thread>

#include "Generator.h"
#include "core/model/BlockQueue.h"
#include "core/model/Diagnostics.h"

namespace Orvane {

// The events a syntax sends, by their arguments (see Generator).
#define QM_EVENTS_WITHOUT_ARGUMENTS(X)                                                                       \
    X(EndSrcText, endSrcText)                                                                                \
    X(NewOutput, newOutput)                                                                                  \
    X(HorizontalRule, horizontalRule)                                                                        \
    X(BeginParagraph, beginParagraph)                                                                        \
    X(EndParagraph, endParagraph)                                                                            \
    X(NewLine, newLine)                                                                                      \
    X(BeginInline, beginInline)                                                                              \
    X(EndInline, endInline)                                                                                  \
    X(LineBreak, lineBreak)                                                                                  \
    X(BeginTableRow, beginTableRow)                                                                          \
    X(EndTableRow, endTableRow)                                                                              \
    X(BeginHeaderCell, beginHeaderCell)                                                                      \
    X(EndHeaderCell, endHeaderCell)                                                                          \
    X(BeginDataCell, beginDataCell)                                                                          \
    X(EndDataCell, endDataCell)                                                                              \
    X(BeginSpan, beginSpan)                                                                                  \
    X(EndSpan, endSpan)
#define QM_EVENTS_WITH_A_NUMBER(X)                                                                           \
    X(BeginHeading, beginHeading)                                                                            \
    X(EndHeading, endHeading)                                                                                \
    X(ListItem, listItem)                                                                                    \
    X(SetListState, setListState)
#define QM_EVENTS_WITH_A_TEXT(X)                                                                             \
    X(SetTitle, setTitle)                                                                                    \
    X(Title, title)                                                                                          \
    X(Text, text)                                                                                            \
    X(RawText, rawText)                                                                                      \
    X(Comment, comment)                                                                                      \
    X(BlockComment, blockComment)                                                                            \
    X(Macro, macro)                                                                                          \
    X(PageNumber, pageNumber)                                                                                \
    X(PageFront, pageFront)                                                                                  \
    X(PageSpecial, pageSpecial)
#define QM_EVENTS_WITH_TWO_TEXTS(X)                                                                          \
    X(Anchor, anchor)                                                                                        \
    X(Link, link)                                                                                            \
    X(Ruby, ruby)

// Hands the events of one source from the syntax to a generator working on
// a second thread, so that parsing a long manuscript and writing it
// overlap. The generator hears the very calls it would have heard, in
// order; what the syntax adds to the source's diagnostics (through
// syntaxDiagnostics()) travels with them, so the list comes out as it
// would. The events are recorded into blocks of units that the thread
// replays; at most kWaitingBlocks of them wait, so memory stays bounded
// however far the syntax runs ahead.
class GeneratorPipe final : public Generator, private DiagnosticsRelay {
public:
    // From start() to finish() only the thread touches target and
    // diagnostics (the source's list).
    GeneratorPipe(Generator& target, Diagnostics& diagnostics);
    // Stops the thread: the events not yet written are dropped.
    ~GeneratorPipe() override;

    // False when no thread can be had; the pipe is then not to be used.
    [[nodiscard]] bool start();
    // Before anything is recorded, while the syntax waits for its text:
    // readies the storage recording will write, a few pages a call (the
    // first write to a page faults it in, a cost better paid now). False
    // when all is ready.
    bool prepare();
    // The list the syntax is to report to.
    Diagnostics& syntaxDiagnostics() { return syntaxDiagnostics_; }
    // Waits until every event is written; rethrows what the generator threw.
    // The thread finishes the block it is on; the blocks after it are
    // written on the calling thread.
    void finish();

    // The events are recorded here, in the header: a syntax that knows it
    // writes to a pipe (see Generator::pipe) has them inlined.
#define QM_DECLARE(Name, call)                                                                               \
    void call() override { event(k##Name); }
    QM_EVENTS_WITHOUT_ARGUMENTS(QM_DECLARE)
#undef QM_DECLARE
#define QM_DECLARE(Name, call)                                                                               \
    void call(int value) override {                                                                          \
        event(k##Name);                                                                                      \
        number(static_cast<std::uint32_t>(value));                                                           \
    }
    QM_EVENTS_WITH_A_NUMBER(QM_DECLARE)
#undef QM_DECLARE
#define QM_DECLARE(Name, call)                                                                               \
    void call(TextRef text) override {                                                                       \
        event(k##Name);                                                                                      \
        argument(text);                                                                                      \
    }
    QM_EVENTS_WITH_A_TEXT(QM_DECLARE)
#undef QM_DECLARE
#define QM_DECLARE(Name, call)                                                                               \
    void call(TextRef first, TextRef second) override {                                                      \
        event(k##Name);                                                                                      \
        argument(first);                                                                                     \
        argument(second);                                                                                    \
    }
    QM_EVENTS_WITH_TWO_TEXTS(QM_DECLARE)
#undef QM_DECLARE
    void image(TextRef source, TextRef alternative, bool block) override {
        event(kImage);
        argument(source);
        argument(alternative);
        number(block ? 1 : 0);
    }
    GeneratorPipe* pipe() override { return this; }

private:
    // Every unit of a block is recorded before it is replayed: its room is
    // never cleared.
    using Block = UnclearedUnits;

    // The code of each event in a block: the events a syntax sends, then the
    // diagnostics it adds and the cursor moves.
    enum EventCode : unsigned short {
#define QM_CODE(Name, call) k##Name,
        QM_EVENTS_WITHOUT_ARGUMENTS(QM_CODE) QM_EVENTS_WITH_A_NUMBER(QM_CODE) QM_EVENTS_WITH_A_TEXT(QM_CODE)
            QM_EVENTS_WITH_TWO_TEXTS(QM_CODE)
#undef QM_CODE
        kImage,
        kDiagnostic,
        kCursor,
        kBlockEnd,
    };

    void relayAdd(DiagnosticKind kind, std::uint32_t offset, int first, int second) override;
    void relayCursor(std::uint32_t offset) override;

    // Recording, on the syntax's thread, straight into block_'s storage:
    // at_ is where the next unit goes, full_ where the block is handed
    // over (at the next event), end_ where its room ends.
    void event(unsigned short code) {
        if (at_ >= full_) handOver();
        *at_++ = code;
    }
    void number(std::uint32_t value) {
        if (end_ - at_ < 2) grow(2);
        at_[0] = static_cast<unsigned short>(value);
        at_[1] = static_cast<unsigned short>(value >> 16);
        at_ += 2;
    }
    void argument(TextRef text) {
        if (!text) return number(kNoText);
        const std::size_t n = text->size();
        if (static_cast<std::size_t>(end_ - at_) < 2 + n) grow(2 + n);
        at_[0] = static_cast<unsigned short>(n);
        at_[1] = static_cast<unsigned short>(n >> 16);
        if (n) std::memcpy(at_ + 2, text->data(), n * sizeof(unsigned short));
        at_ += 2 + n;
    }
    void handOver();
    // Makes block_ (new, or as it came back) the block recorded into.
    void openBlock();
    // Room for n more units, the block made longer.
    void grow(std::size_t n);
    // at_ `used` units into block_, full_ and end_ where they fall.
    void recordAt(std::size_t used);
    // Ends what was recorded in block_ (nothing before the first block):
    // the block keeps its room, so that it need not be zeroed again when
    // it comes back.
    void closeBlock();

    // Replaying, on the thread.
    void run();
    void replay(const Block& block);

    // A block is handed over once it holds this many units. Past that an
    // event is still written whole: a quarter more room keeps most from
    // growing the block, and a text longer than that makes it as long as it
    // needs.
    static constexpr std::size_t kBlockUnits = 32 * 1024;
    static constexpr std::size_t kBlockRoom = kBlockUnits + kBlockUnits / 4;
    // Blocks that may wait for the thread before the syntax does (about a
    // megabyte): enough that a thread slowed at its start, or by the other
    // threads on its processor, seldom stops the syntax; what still waits
    // at the end the syntax's thread writes itself (finish()).
    static constexpr std::size_t kWaitingBlocks = 16;
    static constexpr std::uint32_t kNoText = 0xFFFFFFFF;
    // Blocks readied beside the first: about as many as a syntax fills
    // before the thread hands the first back.
    static constexpr std::size_t kSpareBlocks = 2;
    // Units in the smallest page the system maps, and the pages one call
    // of prepare() writes.
    static constexpr std::size_t kPageUnits = 4096 / sizeof(unsigned short);
    static constexpr std::size_t kPagesAtOnce = 4;

    Generator& target_;
    Diagnostics& diagnostics_;
    Diagnostics syntaxDiagnostics_;
    BlockQueue<Block> queue_{kWaitingBlocks};
    Block block_;
    unsigned short* at_ = nullptr;
    unsigned short* full_ = nullptr;
    unsigned short* end_ = nullptr;
    // What prepare() has readied: whole blocks (the first, then spares),
    // and units of the block it is on.
    std::size_t readiedBlocks_ = 0;
    std::size_t readiedUnits_ = 0;
    Block spare_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::exception_ptr failure_;
};

} // namespace Orvane
