#include "app/qt/UiFont.h"

namespace tolvanw32 {

QStringList UiFont::families() {
    return {QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"),
            QStringLiteral("IPAPGothic")};
}

QFont UiFont::japanese(int pointSize) {
    QFont font(families().front(), pointSize);
    // Qt takes the first family of the list that is installed.
    font.setFamilies(families());
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace tolvanw32
