#include "BookFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace Publish {

std::string imageMediaType(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".png") return "image/png";
    if (ext == ".jpg" || ext == ".jpeg") return "image/jpeg";
    if (ext == ".gif") return "image/gif";
    if (ext == ".svg") return "image/svg+xml";
    if (ext == ".webp") return "image/webp";
    return {};
}

bool readWholeFile(const std::string& path, std::string& bytes, std::time_t& modified, std::string& reason) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    struct stat info {};
    if (!file || fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = file ? (S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "not a regular file") : std::strerror(errno);
        if (file) std::fclose(file);
        return false;
    }
    modified = info.st_mtime;
    bytes.resize(static_cast<std::size_t>(info.st_size));
    const std::size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file);
    const bool ok = got == bytes.size() && !std::ferror(file);
    if (!ok) reason = std::strerror(errno ? errno : EIO);
    std::fclose(file);
    return ok;
}

} // namespace Publish
