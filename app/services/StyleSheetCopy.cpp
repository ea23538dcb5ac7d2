#include "app/services/StyleSheetCopy.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "app/services/FileOperations.h"

namespace tolvanw32 {

bool copyStyleSheet(FileOperations& files, const std::string& source, const std::string& name,
                    const Orvane::Model::Outputs& outputs, std::string& destination, std::string& error) {
    std::set<std::string> done;
    for (const auto& output : outputs) {
        const auto& file = output->getFileName();
        std::string folder = FileOperations::directoryName(std::string(file.data(), file.size()));
        if (folder.empty()) folder = ".";
        if (!done.insert(folder).second) continue;
        destination = FileOperations::join(folder, name);
        std::error_code ec;
        if (std::filesystem::equivalent(source, destination, ec)) continue;
        if (!files.copy(source, destination, error)) return false;
    }
    return true;
}

} // namespace tolvanw32
