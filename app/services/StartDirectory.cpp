#include <filesystem>
#include <system_error>
#include <vector>

#include "app/services/FileOperations.h"
#include "app/services/StartDirectory.h"

namespace tolvanw32 {

std::string StartDirectory::locate(const std::string& exePath, const std::string& fallback,
                                   const DirectoryP& isDirectory) {
    // Installed: <prefix>/bin/quillmark-desktop with <prefix>/share/quillmark.
    // Build tree: the executable sits a level or two below the data folder.
    std::vector<std::string> candidates;
    std::string dir = FileOperations::directoryName(exePath);
    if (!dir.empty()) {
        std::string parent = FileOperations::directoryName(dir);
        candidates.push_back(FileOperations::join(dir, "data"));
        if (!parent.empty() && parent != dir) {
            candidates.push_back(FileOperations::join(parent, "share/quillmark"));
            candidates.push_back(FileOperations::join(parent, "data"));
            std::string grand = FileOperations::directoryName(parent);
            if (!grand.empty() && grand != parent) candidates.push_back(FileOperations::join(grand, "data"));
        }
    }
    for (const std::string& c : candidates)
        if (isDirectory(c)) return c;
    return fallback;
}

std::string StartDirectory::locate() {
    std::error_code ec;
    std::string exe = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    std::string cwd = std::filesystem::current_path(ec).string();
    return locate(exe, cwd, [](const std::string& p) {
        std::error_code e;
        return std::filesystem::is_directory(p, e);
    });
}

} // namespace tolvanw32
