#include "app/services/AtomicFile.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "app/services/FileOperations.h"

namespace tolvanw32 {

AtomicFile::AtomicFile(const std::string& target) : file_(target.c_str()) {
    if (file_.openP()) return;
    const int err = errno;
    // A refused target says why by its kind and mode; otherwise the
    // temporary file could not be made.
    error_ = FileOperations::refusalOf(target);
    fail(err);
}

void AtomicFile::fail(int err) {
    if (error_.empty()) error_ = std::strerror(err ? err : EIO);
}

bool AtomicFile::commit() {
    std::FILE* fp = file_.stream();
    if (!fp) return false;
    if (std::fflush(fp) != 0 || std::ferror(fp) || ::fsync(::fileno(fp)) != 0) {
        fail(errno);
        return false;  // the temporary file goes with file_
    }
    errno = 0;
    if (file_.commit()) return true;
    fail(errno);
    return false;
}

} // namespace tolvanw32
