#pragma once

#include <optional>

#include "app/services/Text.h"

namespace tolvanw32 {

// Names a file to write. The filter has the open-file dialog's
// "label|pattern|..." form; the first pattern's extension is added to a name
// typed without one.
class SaveFileDialog {
public:
    virtual ~SaveFileDialog() = default;
    // The chosen path (an existing file only after the user agreed to
    // replace it), or nothing when the user cancelled. `proposed` is the
    // path offered first: its folder is shown and its name filled in.
    virtual std::optional<Text> chooseSaveFile(const Text& filter, const Text& proposed) = 0;
};

} // namespace tolvanw32
