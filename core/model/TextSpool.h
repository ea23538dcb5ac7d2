#pragma once

#include <cstddef>
#include <cstdio>

namespace Orvane {

// UTF-16 text parked in an unnamed temporary file while more of it is
// being made: a document's body, which can be several times its source,
// need not stay in memory until its head (and title) is complete. The
// file is created at the first append and gone when the spool is cleared
// or destroyed (or the process ends).
class TextSpool {
public:
    TextSpool() = default;
    ~TextSpool();
    TextSpool(const TextSpool&) = delete;
    TextSpool& operator=(const TextSpool&) = delete;

    // Appends n units; false when the file cannot be made or take them,
    // the spool then holding what it held before (the caller keeps them).
    [[nodiscard]] bool append(const unsigned short* units, std::size_t n);
    // Copies n units from offset (from 0) into buffer; false when the file
    // cannot give them back (errno says why) or they are not all held.
    [[nodiscard]] bool read(std::size_t offset, unsigned short* buffer, std::size_t n) const;
    std::size_t size() const { return size_; }
    void clear();

private:
    // Moves the stream to unit `offset`; false when it cannot.
    bool seek(std::size_t offset) const;

    std::FILE* fp_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace Orvane
