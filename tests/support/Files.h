#pragma once

// Scratch folders and whole-file reads and writes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace qmtest {

namespace fs = std::filesystem;

inline std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A string as one word for /bin/sh.
inline std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// A fresh folder under the system's temporary folder, removed with the
// object (write permission restored first, so tests may take it away).
class Scratch {
public:
    explicit Scratch(const std::string& tag = "test")
        : dir_(fs::temp_directory_path() / ("qm-" + tag + "-" + std::to_string(std::random_device()()))) {
        fs::create_directories(dir_);
    }
    ~Scratch() {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(dir_, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const fs::path& dir() const { return dir_; }
    fs::path operator/(const std::string& name) const { return dir_ / name; }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }
    long entries() const { return std::distance(fs::directory_iterator(dir_), fs::directory_iterator()); }

private:
    fs::path dir_;
};

} // namespace qmtest
