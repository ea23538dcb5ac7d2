#pragma once

#include <memory>

#include "ccc/base/TString.h"

namespace Orvane {

using BString = CCC::TString<char>;

// A named file with its content held in memory. File names are 8-bit
// strings in the platform's narrow encoding (see FileName.h).
class File {
public:
    explicit File(const char* fileName = nullptr) : fileName_(fileName ? fileName : "") {}
    virtual ~File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Replaces the content with the file's raw bytes; false when the file
    // cannot be read (the content is then empty).
    virtual bool read();

    const BString& getFileName() const { return fileName_; }
    // Renames in place (the desktop's rename command); nothing else changes.
    void setFileName(const char* fileName) { fileName_ = fileName ? fileName : ""; }
    const BString* getBytes() const { return bytes_.get(); }

private:
    BString fileName_;
    std::unique_ptr<BString> bytes_;
};

} // namespace Orvane
