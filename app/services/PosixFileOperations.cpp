#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/services/FileOperations.h"
#include "core/model/ReplacingFile.h"

namespace tolvanw32 {

namespace {

std::string describe(int err) { return std::strerror(err); }

// "" for a regular file, else what it is instead.
std::string notRegular(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return std::string();
    if (S_ISDIR(st.st_mode)) return describe(EISDIR);
    return "not a regular file";
}

} // namespace

std::FILE* FileOperations::openRegular(const std::string& path, std::string& error) {
    // O_NONBLOCK: opening a FIFO without a writer would wait for one.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = describe(errno);
        return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) error = describe(errno);
    else error = notRegular(st);
    std::FILE* fp = nullptr;
    if (error.empty() && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
        fp = ::fdopen(fd, "rb");
        if (!fp) error = describe(errno);
    } else if (error.empty()) {
        error = describe(errno);
    }
    if (!fp) ::close(fd);
    return fp;
}

void FileOperations::makeCommitsDurable() {
    Orvane::ReplacingFile::setSync({
        [](std::FILE* fp) { return ::fsync(::fileno(fp)) == 0; },
        [](const std::string& folder) {
            // The rename is done: a folder that cannot be synced (some file
            // systems refuse) leaves the new file in place all the same.
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd < 0) return;
            (void)::fsync(fd);
            ::close(fd);
        },
        // Only a hint: what it does not start, the data sync does.
        [](std::FILE* fp) { (void)::sync_file_range(::fileno(fp), 0, 0, SYNC_FILE_RANGE_WRITE); },
    });
}

std::string FileOperations::directoryName(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return std::string();
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string FileOperations::join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

bool PosixFileOperations::exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool PosixFileOperations::move(const std::string& from, const std::string& to, std::string& error) {
    // A move never replaces a file: RENAME_NOREPLACE where the file system
    // has it, otherwise a check right before the rename.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    int err = errno;
    if (err != EINVAL && err != ENOSYS) {
        error = describe(err);
        return false;
    }
    if (exists(to)) {
        error = describe(EEXIST);
        return false;
    }
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        error = describe(errno);
        return false;
    }
    return true;
}

bool PosixFileOperations::replace(const std::string& from, const std::string& to, std::string& error) {
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    error = describe(errno);
    return false;
}

bool PosixFileOperations::remove(const std::string& path, std::string& error) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
    error = describe(errno);
    return false;
}

bool PosixFileOperations::copy(const std::string& from, const std::string& to, std::string& error) {
    std::FILE* in = openRegular(from, error);
    if (!in) return false;
    // On any failure out removes its temporary file; `to` stays as it was.
    Orvane::ReplacingFile out(to.c_str());
    int failed = 0;
    char block[65536];
    std::size_t n;
    while (out.openP() && !failed && (n = std::fread(block, 1, sizeof block, in)) > 0)
        if (std::fwrite(block, 1, n, out.stream()) != n) failed = errno ? errno : EIO;
    if (!failed && std::ferror(in)) failed = errno ? errno : EIO;
    std::fclose(in);
    if (failed) error = describe(failed);
    else if (out.commit()) return true;
    else error = out.failure();
    return false;
}

bool PosixFileOperations::rewritable(const std::string& path, std::string& error) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        error = describe(errno);
        return false;
    }
    error = Orvane::ReplacingFile::refusalOf(path);
    return error.empty();
}

std::FILE* PosixFileOperations::openForReading(const std::string& path) {
    std::string error;
    return openRegular(path, error);
}

bool PosixFileOperations::readAll(const std::string& path, std::string& bytes) {
    std::FILE* fp = openForReading(path);
    if (!fp) return false;
    bytes.clear();
    char block[65536];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, fp)) > 0) bytes.append(block, n);
    bool ok = !std::ferror(fp);
    std::fclose(fp);
    return ok;
}

bool PosixFileOperations::writeNew(const std::string& path, const std::string& bytes, const std::string& modeOf) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat like;
    if (!modeOf.empty() && ::stat(modeOf.c_str(), &like) == 0) ::fchmod(fd, like.st_mode & 07777);
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    // The file may replace another by a rename right after: its data must
    // be on disk first.
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (!ok) ::unlink(path.c_str());
    return ok;
}

} // namespace tolvanw32
