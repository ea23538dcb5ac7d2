#pragma once

#include <cstdio>

#include "Flow.h"

namespace CCC {

// Writes units of any width (machine byte order) to a file, opened by path
// (UTF-8 on Linux) as "wb", "w", "ab" or "a", or to an adopted stream that
// is never closed here. A unit or block not written completely: code 2.
class FileOFlow : public OFlow {
public:
    FileOFlow(const char* path, bool binary = true, bool append = false);
    explicit FileOFlow(std::FILE* adopted);
    ~FileOFlow() override;
    FileOFlow(const FileOFlow&) = delete;
    FileOFlow& operator=(const FileOFlow&) = delete;

    // Reports whether the stream closed cleanly (an adopted one is flushed).
    bool close() override;
    void flush() override;
    void put8(char u) override { putAny(u); }
    void put16(unsigned short u) override { putAny(u); }
    void put32(unsigned int u) override { putAny(u); }
    void write8(std::size_t n, const char* b, std::size_t& c) override { writeAny(n, b, c); }
    void write16(std::size_t n, const unsigned short* b, std::size_t& c) override { writeAny(n, b, c); }
    void write32(std::size_t n, const unsigned int* b, std::size_t& c) override { writeAny(n, b, c); }

    std::FILE* stream() const { return fp_; }

private:
    template <class T> void putAny(T u) {
        std::size_t c = 0;
        writeAny(1, &u, c);
    }
    template <class T> void writeAny(std::size_t n, const T* buffer, std::size_t& count);

    std::FILE* fp_;
    bool owned_;
};

} // namespace CCC
