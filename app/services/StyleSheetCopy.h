#pragma once

#include <string>

#include "core/model/Model.h"

namespace tolvanw32 {

class FileOperations;

// Copies a bundled style sheet, as `name`, into every folder that received
// one of the outputs, once per folder; each copy replaces what is there in
// one step (FileOperations::copy). A folder that already holds the sheet
// itself is left alone. The first failure ends the walk: false, with the
// copy's destination and the reason.
[[nodiscard]] bool copyStyleSheet(FileOperations& files, const std::string& source, const std::string& name,
                                  const Orvane::Model::Outputs& outputs, std::string& destination,
                                  std::string& error);

} // namespace tolvanw32
