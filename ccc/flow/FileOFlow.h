#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>

#include "WidthDispatch.h"

namespace CCC {

// Writes units of any width (machine byte order) to a file, opened by path
// (UTF-8 on Linux) as "wb", "w", "ab" or "a", or to an adopted stream that
// is never closed here. A unit or block not written completely: code 2.
class FileOFlow : public OutputWidths<FileOFlow> {
public:
    FileOFlow(const char* path, bool binary = true, bool append = false);
    explicit FileOFlow(std::FILE* adopted);
    ~FileOFlow() override;
    FileOFlow(const FileOFlow&) = delete;
    FileOFlow& operator=(const FileOFlow&) = delete;

    // Reports whether the stream closed cleanly (an adopted one is flushed).
    bool close() override;
    void flush() override;

    std::FILE* stream() const { return fp_; }
    // Calls hook each time `every` more bytes have gone into the stream: the
    // writer of a long file can let the system start putting it on disk
    // while the rest is still being made.
    void setProgressHook(std::size_t every, std::function<void()> hook) {
        hookEvery_ = every;
        hook_ = std::move(hook);
    }

private:
    friend class OutputWidths<FileOFlow>;
    template <class T> void writeAny(std::size_t n, const T* buffer, std::size_t& count);

    std::FILE* fp_;
    bool owned_;
    std::size_t hookEvery_ = 0;
    std::size_t sinceHook_ = 0;
    std::function<void()> hook_;
};

} // namespace CCC
