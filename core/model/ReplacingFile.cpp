#include "ReplacingFile.h"

#include <filesystem>
#include <system_error>

namespace Orvane {

namespace fs = std::filesystem;

namespace {
constexpr int kTemporaryAttempts = 100;
constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
} // namespace

ReplacingFile::ReplacingFile(const char* target) : target_(target ? target : "") {
    if (target_.empty() || !targetWritableP()) return;
    for (int i = 0; i < kTemporaryAttempts && !fp_; ++i) {
        temp_ = target_ + ".tmp" + std::to_string(i);
        // "x": never take over a file that happens to exist already.
        fp_ = std::fopen(temp_.c_str(), "wbx");
    }
    if (!fp_) temp_.clear();
}

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::targetWritableP() const {
    std::error_code ec;
    const fs::path target(target_);
    const fs::file_status status = fs::status(target, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) return false;
    if (!fs::exists(status)) return true;
    if (!fs::is_regular_file(status)) return false;
    // The permission bits count even for a user the system would let
    // write anyway: a file marked read-only stays untouched.
    if ((status.permissions() & kAnyWrite) == fs::perms::none) return false;
    std::FILE* probe = std::fopen(target_.c_str(), "r+b");
    if (!probe) return false;
    std::fclose(probe);
    return true;
}

void ReplacingFile::discard() {
    if (fp_) std::fclose(fp_);
    fp_ = nullptr;
    if (!temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
        temp_.clear();
    }
}

bool ReplacingFile::commit() {
    if (!fp_) return false;
    const bool written = std::fflush(fp_) == 0 && !std::ferror(fp_);
    const bool closed = std::fclose(fp_) == 0;
    fp_ = nullptr;
    if (!written || !closed) {
        discard();
        return false;
    }
    std::error_code ec;
    const fs::file_status old = fs::status(target_, ec);
    if (!ec && fs::exists(old)) fs::permissions(temp_, old.permissions(), ec);
    fs::rename(temp_, target_, ec);
    if (ec) {
        discard();
        return false;
    }
    temp_.clear();
    return true;
}

} // namespace Orvane
