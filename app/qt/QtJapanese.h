#pragma once

#include <QString>

namespace tolvanw32 {

// Qt's own texts (the file dialog's labels and buttons, the standard
// buttons) in Japanese, like the window's, whatever the user's locale.
class QtJapanese {
public:
    // The folder Qt's translations are read from.
    static QString folder();
    // Installs Qt's Japanese translations into the running application;
    // false when they are not in folder() (Qt then speaks English).
    static bool install();
};

} // namespace tolvanw32
