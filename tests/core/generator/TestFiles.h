#pragma once

// Folders, files and text helpers shared by the core's tests.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "ccc/encoding/Ccc.h"
#include "ccc/encoding/Iceman.h"

namespace Orvane::testing {

using DString = CCC::TString<unsigned short>;

// Starts the encoding library before the first test of the program (every
// test may run alone in its own process).
class CccEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(CCC::Ccc::initialize()); }
};
inline ::testing::Environment* const kCccEnvironment = ::testing::AddGlobalTestEnvironment(new CccEnvironment);

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir() : path_(std::filesystem::temp_directory_path() / ("qm-core-" + std::to_string(std::random_device()()))) {
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    long entries() const {
        return std::distance(std::filesystem::directory_iterator(path_), std::filesystem::directory_iterator());
    }

private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string dataFile(const std::string& name) { return std::string(QM_TEST_DIR) + "/data/core/" + name; }

// UTF-8 test literals to the core's UTF-16 and back.
inline DString u16(const std::string& utf8) {
    DString out;
    CCC::Iceman::convertToDString(8, 10, CCC::TString<char>(utf8.data(), utf8.size()), out);
    return out;
}

inline std::string utf8(const DString& s) {
    CCC::TString<char> out;
    CCC::Iceman::convertToBString(10, 8, s, out);
    return std::string(out.data(), out.size());
}

// Well-formed by an independent XML parser: no error, no complaint.
inline bool xmlWellFormedP(const std::string& path, std::string& diagnostics) {
    const std::string log = path + ".xmllint";
    const int rc = std::system(("xmllint --noout --nonet '" + path + "' > '" + log + "' 2>&1").c_str());
    diagnostics = readBytes(log);
    std::filesystem::remove(log);
    return rc == 0 && diagnostics.empty();
}

} // namespace Orvane::testing
