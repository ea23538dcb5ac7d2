#include "ReplacingFile.h"

#include <cerrno>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <random>
#include <system_error>

#include "File.h"
#include "LiveTemporaryFiles.h"
#include "ccc/flow/FileBuffer.h"

namespace Orvane {

namespace fs = std::filesystem;

namespace {

constexpr int kTemporaryAttempts = 100;
ReplacingFile::Sync installedSync{};
constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// 64 random bits from the system. Its entropy call first: the default
// source asks the processor, a slow trap in a virtual machine.
std::uint64_t randomBits() {
    static const bool entropyCall = [] {
        try {
            std::random_device probe("getentropy");
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }();
    std::random_device device(entropyCall ? "getentropy" : "default");
    return (std::uint64_t{device()} << 32) ^ device();
}

// Six letters or digits that another program cannot guess ahead, drawn
// afresh for every name: threads that make files at once share no state.
std::string randomSuffix() {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::uint64_t kCount = sizeof kLetters - 1;
    std::uint64_t bits = randomBits();
    std::string suffix(6, ' ');
    for (char& c : suffix) {
        c = kLetters[bits % kCount];
        bits /= kCount;
    }
    return suffix;
}

} // namespace

ReplacingFile::ReplacingFile(const char* target) : target_(target ? target : "") {
    if (target_.empty()) fail(ENOENT);
    else if (targetWritableP()) createTemporary();
}

ReplacingFile::~ReplacingFile() { discard(); }

void ReplacingFile::setSync(Sync sync) { installedSync = sync; }

void ReplacingFile::fail(int error) {
    failure_ = File::reasonOf(error);
}

std::string ReplacingFile::refusalOf(const std::string& target) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (ec) return ec == std::errc::no_such_file_or_directory ? std::string() : ec.message();
    if (fs::is_directory(status)) return std::generic_category().message(EISDIR);
    if (!fs::is_regular_file(status)) return "not a regular file";
    if ((status.permissions() & kAnyWrite) == fs::perms::none) return "the file is read-only";
    return {};
}

bool ReplacingFile::targetWritableP() {
    failure_ = refusalOf(target_);
    if (!failure_.empty()) return false;
    // The system's own verdict on an existing file (its owner, the mount).
    errno = 0;
    if (std::FILE* probe = std::fopen(target_.c_str(), "r+b")) {
        std::fclose(probe);
        return true;
    }
    if (errno == ENOENT) return true;
    fail(errno);
    return false;
}

bool ReplacingFile::createTemporary() {
    const fs::path folder = fs::path(target_).parent_path();
    for (int i = 0; i < kTemporaryAttempts; ++i) {
        temp_ = (folder / (".qm-" + randomSuffix())).string();
        // Listed before it exists: a signal right after the file is made
        // must find it.
        liveSlot_ = LiveTemporaryFiles::add(temp_.c_str());
        errno = 0;
        // "x": never take over a file that happens to exist already. "+":
        // what was written may be read back.
        fp_ = std::fopen(temp_.c_str(), "w+bx");
        if (fp_) {
            buffer_ = CCC::giveFileBuffer(fp_);
            return true;
        }
        const int error = errno;
        LiveTemporaryFiles::remove(liveSlot_);
        liveSlot_ = -1;
        errno = error;
        if (errno != EEXIST) break;
    }
    fail(errno);
    temp_.clear();
    return false;
}

void ReplacingFile::discard() {
    if (fp_) std::fclose(fp_);
    fp_ = nullptr;
    buffer_.reset();
    if (temp_.empty()) return;
    std::error_code ec;
    fs::remove(temp_, ec);
    LiveTemporaryFiles::remove(liveSlot_);
    liveSlot_ = -1;
    temp_.clear();
}

void ReplacingFile::startWriteback() {
    // A stream that cannot be flushed now says so again at finish().
    if (fp_ && installedSync.start && std::fflush(fp_) == 0) installedSync.start(fp_);
}

bool ReplacingFile::finish() {
    if (!fp_) return !temp_.empty();
    errno = 0;
    const bool written =
        std::fflush(fp_) == 0 && !std::ferror(fp_) && (!installedSync.file || installedSync.file(fp_));
    const int writeError = errno;
    const bool closed = std::fclose(fp_) == 0;
    const int closeError = errno;
    fp_ = nullptr;
    buffer_.reset();
    if (written && closed) return true;
    fail(written ? closeError : writeError);
    discard();
    return false;
}

bool ReplacingFile::commit() {
    if (!finish()) return false;
    std::error_code ec;
    const fs::file_status old = fs::status(target_, ec);
    if (!ec && fs::exists(old)) fs::permissions(temp_, old.permissions(), ec);
    fs::rename(temp_, target_, ec);
    if (ec) {
        failure_ = ec.message();
        discard();
        return false;
    }
    LiveTemporaryFiles::remove(liveSlot_);
    liveSlot_ = -1;
    temp_.clear();
    if (installedSync.folder) {
        const fs::path folder = fs::path(target_).parent_path();
        installedSync.folder(folder.empty() ? "." : folder.string());
    }
    return true;
}

} // namespace Orvane
