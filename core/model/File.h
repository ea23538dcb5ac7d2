#pragma once

#include <string>

#include "ccc/base/TString.h"

namespace Orvane {

using BString = CCC::TString<char>;

// A named file and why its last read or write failed. File names are
// 8-bit strings in the platform's narrow encoding (see FileName.h).
class File {
public:
    explicit File(const char* fileName = nullptr) : fileName_(fileName ? fileName : "") {}
    virtual ~File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    const BString& getFileName() const { return fileName_; }
    // Renames in place (the desktop's rename command); nothing else changes.
    void setFileName(const char* fileName) { fileName_ = fileName ? fileName : ""; }
    // Why the last read or write failed, as the system words it; empty
    // after one that succeeded.
    const std::string& getFailure() const { return failure_; }
    // The reason for the error number (errno) a failed call left, as the
    // system words it; 0 (nothing said) counts as an I/O error.
    static std::string reasonOf(int error);
    // The reason when a file gave other bytes than its size promised.
    static constexpr const char* kChangedWhileRead = "the file changed while it was read";

protected:
    void setFailure(std::string reason) { failure_ = std::move(reason); }

private:
    BString fileName_;
    std::string failure_;
};

} // namespace Orvane
