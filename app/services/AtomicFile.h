#pragma once

#include <cstdio>
#include <string>

#include "core/model/ReplacingFile.h"

namespace tolvanw32 {

// A file written by way of a temporary file beside it, which replaces the
// target only once every byte is on disk; until then, and after any
// failure, the target stays as it was. Failures are described in the
// platform's words, for a message that names the file.
class AtomicFile {
public:
    explicit AtomicFile(const std::string& target);

    // The stream to write to; nullptr when the target may not be replaced
    // (read-only, not a regular file) or no temporary file could be made.
    std::FILE* stream() const { return file_.stream(); }
    // Flushes, syncs and moves the temporary file over the target.
    [[nodiscard]] bool commit();
    // Why opening or committing failed.
    const std::string& error() const { return error_; }
    // Records a failure the writer met (an errno value) for error().
    void fail(int err);

private:
    Orvane::ReplacingFile file_;
    std::string error_;
};

} // namespace tolvanw32
