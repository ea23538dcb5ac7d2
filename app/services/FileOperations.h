#pragma once

#include <cstdio>
#include <string>

namespace tolvanw32 {

// The file operations the controller uses. Paths are narrow strings in the
// platform's file-name encoding (UTF-8 on Linux). Failing operations return
// false and describe the failure in `error` (the platform's wording, UTF-8),
// which the controller may quote in a message.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    virtual bool exists(const std::string& path) = 0;
    // Renames; refuses to replace an existing target.
    [[nodiscard]] virtual bool move(const std::string& from, const std::string& to, std::string& error) = 0;
    // Renames, replacing an existing target in one step.
    [[nodiscard]] virtual bool replace(const std::string& from, const std::string& to, std::string& error) = 0;
    // Deletes a file; a file that is not there is no failure.
    [[nodiscard]] virtual bool remove(const std::string& path, std::string& error) = 0;
    // Copies through a temporary file that then replaces `to` (a symbolic
    // link there is replaced, its target untouched); a failure leaves `to`
    // as it was.
    [[nodiscard]] virtual bool copy(const std::string& from, const std::string& to, std::string& error) = 0;
    // Whether an existing file may be rewritten in place: a regular file
    // not marked read-only. Otherwise `error` says why.
    [[nodiscard]] virtual bool rewritable(const std::string& path, std::string& error) = 0;
    // Opens a regular file for reading bytes; nullptr for a folder or on failure.
    [[nodiscard]] virtual std::FILE* openForReading(const std::string& path) = 0;
    // Reads a whole regular file.
    [[nodiscard]] virtual bool readAll(const std::string& path, std::string& bytes) = 0;
    // Creates a new file (failing if it exists) holding exactly `bytes`,
    // on disk before this returns; its permissions are those of `modeOf`
    // when that file exists.
    [[nodiscard]] virtual bool writeNew(const std::string& path, const std::string& bytes,
                                        const std::string& modeOf = "") = 0;

    // Opens a regular file for reading bytes without blocking on a FIFO or
    // a device; nullptr with the reason in `error` otherwise.
    [[nodiscard]] static std::FILE* openRegular(const std::string& path, std::string& error);
    // Makes every commit of a core ReplacingFile durable with the
    // platform's sync calls; a program calls it once at start-up.
    static void makeCommitsDurable();

    // Folder part of a path ("" when it has none); separator "/".
    static std::string directoryName(const std::string& path);
    // Joins a folder and a name with "/".
    static std::string join(const std::string& folder, const std::string& name);
};

// The process's own file system (POSIX).
class PosixFileOperations : public FileOperations {
public:
    bool exists(const std::string& path) override;
    [[nodiscard]] bool move(const std::string& from, const std::string& to, std::string& error) override;
    [[nodiscard]] bool replace(const std::string& from, const std::string& to, std::string& error) override;
    [[nodiscard]] bool remove(const std::string& path, std::string& error) override;
    [[nodiscard]] bool copy(const std::string& from, const std::string& to, std::string& error) override;
    [[nodiscard]] bool rewritable(const std::string& path, std::string& error) override;
    [[nodiscard]] std::FILE* openForReading(const std::string& path) override;
    [[nodiscard]] bool readAll(const std::string& path, std::string& bytes) override;
    [[nodiscard]] bool writeNew(const std::string& path, const std::string& bytes,
                                const std::string& modeOf = "") override;
};

} // namespace tolvanw32
