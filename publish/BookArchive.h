#pragma once

#include <string>
#include <vector>

namespace Publish {

struct ArchiveEntry {
    std::string name;
    std::string bytes;
    bool compressP = true;
};

// Writes the entries, in order, into a ZIP archive at path, each with one
// fixed timestamp so that the same entries give the same bytes. The file
// at path is replaced only by a complete archive. Empty on success, else
// the reason.
std::string writeArchive(const std::string& path, const std::vector<ArchiveEntry>& entries);

} // namespace Publish
