#pragma once

#include <cstdio>

#include "Flow.h"

namespace CCC {

// Reads a file as units of any width (machine byte order). Opens a path
// (UTF-8 on Linux) in byte mode or text mode, or adopts an open stream
// without taking ownership: an adopted stream is never closed here.
class FileIFlow : public IFlow {
public:
    FileIFlow(const char* path, bool binary = true);
    explicit FileIFlow(std::FILE* adopted);
    ~FileIFlow() override;
    FileIFlow(const FileIFlow&) = delete;
    FileIFlow& operator=(const FileIFlow&) = delete;

    bool close() override;
    bool rewind() override;
    char get8() override { return getAny<char>(); }
    unsigned short get16() override { return getAny<unsigned short>(); }
    unsigned int get32() override { return getAny<unsigned int>(); }
    void read8(std::size_t n, char* b, std::size_t& c) override { readAny(n, b, c); }
    void read16(std::size_t n, unsigned short* b, std::size_t& c) override { readAny(n, b, c); }
    void read32(std::size_t n, unsigned int* b, std::size_t& c) override { readAny(n, b, c); }

    std::FILE* stream() const { return fp_; }

private:
    template <class T> T getAny();
    template <class T> void readAny(std::size_t n, T* buffer, std::size_t& count);

    std::FILE* fp_;
    bool owned_;
};

} // namespace CCC
