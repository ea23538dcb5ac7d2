#pragma once

#include <cstdio>
#include <memory>

#include "FileBuffer.h"
#include "WidthDispatch.h"

namespace CCC {

// Reads a file as units of any width (machine byte order). Opens a path
// (UTF-8 on Linux) in byte mode or text mode, with a stdio buffer of
// bufferBytes, or adopts an open stream without taking ownership: an
// adopted stream is never closed here.
class FileIFlow : public InputWidths<FileIFlow> {
public:
    FileIFlow(const char* path, bool binary = true, std::size_t bufferBytes = kFileBufferBytes);
    explicit FileIFlow(std::FILE* adopted);
    ~FileIFlow() override;
    FileIFlow(const FileIFlow&) = delete;
    FileIFlow& operator=(const FileIFlow&) = delete;

    bool close() override;
    bool rewind() override;

    std::FILE* stream() const { return fp_; }

private:
    friend class InputWidths<FileIFlow>;
    template <class T> T getAny();
    template <class T> void readAny(std::size_t n, T* buffer, std::size_t& count);

    std::FILE* fp_;
    std::unique_ptr<char[]> buffer_;  // fp_'s, when the file is opened here
    bool owned_;
};

} // namespace CCC
