#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "ccc/base/TString.h"
#include "core/syntax/TextArrival.h"

namespace CCC {
class CompositIFilter;
class FileIFlow;
}

namespace Orvane {

using DString = CCC::TString<unsigned short>;

// A file decoded to UTF-16 on a thread of its own while the text is parsed.
// The units go into storage of the file's size in bytes, which no encoding
// outgrows and which therefore never moves; each block that arrives is
// announced up to its last line end.
class ArrivingText final : public TextArrival {
public:
    ArrivingText() = default;
    ~ArrivingText() override;
    ArrivingText(const ArrivingText&) = delete;
    ArrivingText& operator=(const ArrivingText&) = delete;

    // Starts decoding file (of `size` bytes) through chain, which reads it.
    // False when no thread can be had; nothing is read then.
    [[nodiscard]] bool start(std::unique_ptr<CCC::FileIFlow> file, std::unique_ptr<CCC::CompositIFilter> chain,
                             std::size_t size);
    // Where the units arrive, from the start on.
    const unsigned short* units() const { return units_; }
    // The file's size: no more units than that arrive.
    std::size_t bound() const { return bound_; }

    std::uint32_t waitBeyond(std::uint32_t have) override;
    bool beyondP(std::uint32_t have) override;

    // Waits for the last unit: the text, or the reason it could not be read
    // (the text is then null).
    std::string finish(std::unique_ptr<DString>& text);

private:
    void run();
    // Takes the units of one block (on the thread).
    void arrive(const unsigned short* block, std::size_t n);
    void announce(std::size_t arrived, bool ended);

    std::unique_ptr<CCC::FileIFlow> file_;
    std::unique_ptr<CCC::CompositIFilter> chain_;
    std::unique_ptr<DString> text_;
    const unsigned short* units_ = nullptr;
    std::size_t bound_ = 0;
    std::string failure_;
    std::thread thread_;

    std::mutex mutex_;
    std::condition_variable announced_;
    std::uint32_t arrived_ = 0;  // announced units, ending at a line end
    bool ended_ = false;
};

} // namespace Orvane
