#include "app/qt/Icons.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

namespace tolvanw32 {

namespace {

// The first readable file among the candidates.
QIcon firstReadable(const QDir& dir, const QStringList& names) {
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        if (!QFileInfo::exists(path)) continue;
        QImageReader reader(path);
        if (!reader.canRead()) continue;
        QIcon icon(path);
        if (!icon.isNull()) return icon;
    }
    return QIcon();
}

QStringList variants(const QString& stem) {
    return {stem + QStringLiteral(".png"), stem + QStringLiteral(".svg")};
}

} // namespace

QIcon Icons::image(const QString& dataDirectory, const QString& key) {
    const QDir dir(QDir(dataDirectory).filePath(QStringLiteral("icons")));
    QStringList names{key};
    names << variants(QFileInfo(key).completeBaseName());
    return firstReadable(dir, names);
}

QIcon Icons::application(const QString& dataDirectory) {
    const QDir dir(QDir(dataDirectory).filePath(QStringLiteral("icons")));
    return firstReadable(dir, variants(QStringLiteral("quillmark")) + variants(QStringLiteral("app")));
}

} // namespace tolvanw32
