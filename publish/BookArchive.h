#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ParallelDeflate.h"

namespace Publish {

struct ArchiveEntry {
    std::string name;
    std::string bytes;
    bool compressP = true;
    // The bytes compressed already (bytes itself may then be empty).
    std::optional<Deflated> deflated = std::nullopt;
};

// Writes the entries, in order, into a ZIP archive at path, each with one
// fixed timestamp so that the same entries give the same bytes. The file
// at path is replaced only by a complete archive. Empty on success, else
// the reason.
std::string writeArchive(const std::string& path, const std::vector<ArchiveEntry>& entries);

} // namespace Publish
