#pragma once

#include <QIcon>
#include <QString>

namespace tolvanw32 {

// The window's images, read from the icons folder of the program's data
// folder. An image that is missing or unreadable gives an empty icon: the
// buttons still work and show their text.
class Icons {
public:
    // The tool-bar image keys, in button order.
    static constexpr const char* kToolBarKeys[8] = {"icon_add.png",    "icon_remove.png", "icon_rename.png",
                                                    "icon_convert.png", "icon_delete.png", "icon_edit.png",
                                                    "icon_review.png",  "icon_setting.png"};

    // The image of a key such as "icon_add.png"; a file with the key's stem
    // and another image extension stands in for it.
    static QIcon image(const QString& dataDirectory, const QString& key);
    // The icon of every window.
    static QIcon application(const QString& dataDirectory);
};

} // namespace tolvanw32
