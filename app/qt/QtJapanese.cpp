#include "app/qt/QtJapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tolvanw32 {

QString QtJapanese::folder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool QtJapanese::install() {
    // "qt_ja" names the catalogues of every Qt module, qtbase's among them.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qt_ja"), folder()) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace tolvanw32
