#pragma once

#include "app/services/Text.h"

namespace tolvanw32 {

// A modal message box. The controller words every message; the platform only
// shows it and returns which button closed it.
class MessageDialog {
public:
    enum class Buttons { Ok, OkCancel };
    enum class Icon { Information };
    enum class DefaultButton { First, Second };
    enum class Answer { Ok, Cancel };

    virtual ~MessageDialog() = default;
    virtual Answer show(const Text& text, const Text& caption, Buttons buttons, Icon icon,
                        DefaultButton defaultButton) = 0;
};

} // namespace tolvanw32
