#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ccc/base/TString.h"

namespace Orvane {

using DString = CCC::TString<unsigned short>;

// What a diagnostic says about its place in the source.
enum class DiagnosticKind : std::uint8_t {
    kDiscarded,  // the parser could not read a line and dropped what it had
    // An inline construct without its closing mark: the rest of the line
    // (of the source, for raw text and macros) is not text.
    kUnclosedPage,
    kUnclosedRuby,
    kUnclosedImage,
    kUnclosedAnchor,
    kUnclosedLink,
    kUnclosedRaw,
    kUnclosedComment,
    kUnclosedMacro,
    kNotPageNumber,  // a page mark around something that is no number
    // The log's structure warnings, with their place.
    kHeadingStart,
    kHeadingJump,
    kPageBackwards,
};

// One finding with its place: made during a parse as a unit offset, given
// its line, column and quoted source text by locate() afterwards.
struct Diagnostic {
    std::uint32_t offset = 0;
    DiagnosticKind kind = DiagnosticKind::kDiscarded;
    int first = 0;  // the numbers of a structure warning
    int second = 0;
    int line = 0;  // from 1, counting LF and CR LF as one line end
    int column = 0;  // from 1, in characters (a surrogate pair is one)
    DString quote;  // the source from offset to the line end, shortened
};

// Where a syntax's diagnostics go instead of into its list while the
// generator works on a thread of its own: they travel with the events, so
// that both sides' additions keep their order.
class DiagnosticsRelay {
public:
    virtual void relayAdd(DiagnosticKind kind, std::uint32_t offset, int first, int second) = 0;
    virtual void relayCursor(std::uint32_t offset) = 0;

protected:
    ~DiagnosticsRelay() = default;
};

// The diagnostics of one source. The syntax and the generator add to it
// while the source is parsed; the cursor is where the construct whose
// events are being emitted starts, so that the generator can place what it
// finds without knowing the source.
class Diagnostics {
public:
    enum Language { kEnglish = 0, kJapanese = 1 };
    static constexpr std::size_t kQuoteLength = 20;

    Diagnostics() = default;
    // A list that keeps nothing itself: what it is told goes to relay.
    explicit Diagnostics(DiagnosticsRelay* relay) : relay_(relay) {}

    void clear() {
        items_.clear();
        located_ = 0;
        cursor_ = 0;
    }
    void add(DiagnosticKind kind, std::uint32_t offset, int first = 0, int second = 0) {
        if (relay_) relay_->relayAdd(kind, offset, first, second);
        else items_.push_back(Diagnostic{offset, kind, first, second, 0, 0, {}});
    }
    void addAtCursor(DiagnosticKind kind, int first = 0, int second = 0) { add(kind, cursor_, first, second); }
    void setCursor(std::uint32_t offset) {
        cursor_ = offset;
        if (relay_) relay_->relayCursor(offset);
    }

    // Orders the new diagnostics by place and gives them line, column and
    // quote from the text they were made over (one walk of the text).
    void locate(const unsigned short* text, std::size_t length);

    const std::vector<Diagnostic>& items() const { return items_; }
    bool empty() const { return items_.empty(); }

    // The message of a diagnostic, with the way out where there is one.
    static DString message(const Diagnostic& d, int language);
    // "FILE:LINE:COL: 警告: MESSAGE" and a line end, as editors read it.
    static DString line(const DString& file, const Diagnostic& d, int language);
    // The kind of a structure warning of the log's table (1 to 3).
    static DiagnosticKind structureKind(int logMessage) {
        return static_cast<DiagnosticKind>(static_cast<int>(DiagnosticKind::kHeadingStart) + logMessage - 1);
    }
    // A short stable name of the kind, for tools ("unclosed-image").
    static const char* kindName(DiagnosticKind kind);

private:
    std::vector<Diagnostic> items_;
    std::size_t located_ = 0;
    std::uint32_t cursor_ = 0;
    DiagnosticsRelay* relay_ = nullptr;
};

} // namespace Orvane
