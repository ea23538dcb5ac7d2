#pragma once

#include <cstdio>
#include <string>

namespace Orvane {

// Writes a file by way of a temporary file in the same folder, which
// replaces the target only when it was written completely: a failed write
// leaves the old file as it was and removes the temporary file. A target
// that exists but may not be written (read-only, not a regular file) is
// refused, so replacing never defeats a write protection.
class ReplacingFile {
public:
    explicit ReplacingFile(const char* target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool openP() const { return fp_ != nullptr; }
    // The temporary file's stream, open for writing in byte mode.
    std::FILE* stream() const { return fp_; }
    const std::string& temporaryName() const { return temp_; }

    // Closes the temporary file and moves it over the target; false (and
    // the temporary file removed) when anything fails.
    bool commit();

private:
    bool targetWritableP() const;
    void discard();

    std::string target_;
    std::string temp_;
    std::FILE* fp_ = nullptr;
};

} // namespace Orvane
