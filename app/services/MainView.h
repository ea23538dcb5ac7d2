#pragma once

#include <memory>
#include <optional>

#include "app/services/PreferenceDialog.h"
#include "app/services/Text.h"

namespace tolvanw32 {

// What the controller needs from the main window.
class MainView {
public:
    virtual ~MainView() = default;

    // 0-based position of the selected entry, -1 when none.
    virtual int getSelectedSrcTextIndex() = 0;
    virtual int getSelectedOutputIndex() = 0;
    // Redraws both lists from the model.
    virtual void update() = 0;

    // The Rename dialog, filled with `current`; the new name on OK, nothing on Cancel.
    virtual std::optional<Text> showRename(const Text& current) = 0;
    // The log window, modal; its line breaks are CR LF already.
    virtual void showLog(const Text& log) = 0;
    // A new options dialog for one run of the options command.
    virtual std::unique_ptr<PreferenceDialog> createPreference() = 0;
};

} // namespace tolvanw32
