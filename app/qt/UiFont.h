#pragma once

#include <QFont>
#include <QStringList>

namespace tolvanw32 {

// The window's Japanese font: "MS UI Gothic" where it is installed, else the
// first Japanese gothic face found here.
class UiFont {
public:
    static QStringList families();
    static QFont japanese(int pointSize);
};

} // namespace tolvanw32
