#pragma once

#include <optional>

#include "app/services/Text.h"

namespace tolvanw32 {

// Chooses one existing file. The filter is given in the "label|pattern|..."
// form; an adapter translates it to its toolkit's syntax.
class OpenFileDialog {
public:
    virtual ~OpenFileDialog() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<Text> chooseFile(const Text& filter) = 0;
};

} // namespace tolvanw32
