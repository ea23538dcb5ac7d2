#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace Orvane {

// Writes a file whole by way of a temporary file in the same folder, which
// replaces the target only when it was written completely (and, with the
// program's Sync installed, is on disk): a failed write leaves the old file
// as it was and removes the temporary file. A target that exists but may
// not be written (read-only, not a regular file) is refused, so replacing
// never defeats a write protection.
//
// The temporary file has a short unpredictable name (".qm-" and six
// letters), created exclusively, so a stale one from an interrupted run
// never blocks a later one. It is listed in LiveTemporaryFiles while it
// exists, for a program's signal handler to remove.
class ReplacingFile {
public:
    explicit ReplacingFile(const char* target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool openP() const { return fp_ != nullptr; }
    // The temporary file's stream, open for writing (and reading) in byte mode.
    std::FILE* stream() const { return fp_; }
    const std::string& temporaryName() const { return temp_; }
    const std::string& target() const { return target_; }

    // Closes the temporary file and keeps it for a later commit(); false
    // (and the temporary file removed) when the data did not all reach it.
    [[nodiscard]] bool finish();
    // Finishes if need be and moves the temporary file over the target;
    // false (and the temporary file removed) when anything fails.
    [[nodiscard]] bool commit();
    // Removes the temporary file; the target stays as it was.
    void discard();
    // Hands what was written so far to the installed Sync's start, so that
    // the data sync of finish() has less left to wait for. A writer calls it
    // every kWritebackBytes or so.
    void startWriteback();
    static constexpr std::size_t kWritebackBytes = 256 * 1024;

    // Why the last step failed, as the system words it ("No space left on
    // device") or as refusalOf() does; empty while nothing failed.
    const std::string& failure() const { return failure_; }

    // Why an existing target may not be replaced ("the file is read-only",
    // "Is a directory", "not a regular file"); empty when it may, or is
    // absent. The write-permission bits count even for a user the system
    // would let write anyway.
    static std::string refusalOf(const std::string& target);

    // The platform's calls that put a commit on disk: the temporary file's
    // data before the rename (false, with errno, when they are not) and the
    // folder's entry after it. The standard library has neither; a program
    // installs them once at start-up, before any file is written. Without
    // them a commit is as durable as the file system makes a rename. The
    // optional third starts writing a stream's data out without waiting.
    struct Sync {
        bool (*file)(std::FILE*);
        void (*folder)(const std::string&);
        void (*start)(std::FILE*) = nullptr;
    };
    static void setSync(Sync sync);

private:
    bool targetWritableP();
    bool createTemporary();
    void fail(int error);

    std::string target_;
    std::string temp_;
    std::string failure_;
    std::FILE* fp_ = nullptr;
    std::unique_ptr<char[]> buffer_;  // fp_'s, while it is open
    long liveSlot_ = -1;
};

} // namespace Orvane
