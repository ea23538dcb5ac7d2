#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>

#include "app/services/Text.h"

namespace tolvanw32 {

// The controller's UTF-16 text and Qt's QString hold the same code units.
inline QString toQString(const Text& text) { return QString::fromStdU16String(text); }
inline Text toText(const QString& text) { return text.toStdU16String(); }

// Narrow paths are in the platform's file-name encoding, which Qt knows.
inline QString pathToQString(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

} // namespace tolvanw32
