// The desktop program: the encoding library, the controller, the window.

#include <QApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/controller/Tolvan.h"
#include "app/qt/Form1.h"
#include "app/qt/Icons.h"
#include "app/qt/QtJapanese.h"
#include "app/qt/QtPlatform.h"
#include "app/qt/QtText.h"
#include "app/services/FileOperations.h"
#include "app/services/Processors.h"
#include "app/services/SettingsStore.h"
#include "ccc/encoding/Ccc.h"

using namespace tolvanw32;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The desktop entry that names this program, for its icon and title.
    QApplication::setDesktopFileName(QStringLiteral("quillmark-desktop"));
    // The window speaks Japanese; Qt's dialogs should too. Without the
    // translations they still work, in English.
    if (!QtJapanese::install())
        std::fprintf(stderr, "quillmark-desktop: Qt's Japanese translations (qt_ja.qm) are not in %s: "
                             "Qt's dialogs will show English texts (install qt6-translations-l10n)\n",
                     qPrintable(QtJapanese::folder()));
    // Files named on the command line are added as if dropped on the list.
    QStringList files;
    for (qsizetype i = 1; i < QApplication::arguments().size(); ++i)
        files << QFileInfo(QApplication::arguments()[i]).absoluteFilePath();

    // Documents and style sheets reach the disk before they take their names.
    FileOperations::makeCommitsDurable();
    placeConversionThreads();
    if (!CCC::Ccc::initialize()) {
        std::fputs("quillmark-desktop: the encoding library did not start\n", stderr);
        return 1;
    }
    {
        QtMessageDialog messages;
        QtOpenFileDialog openFileDialog;
        QtSaveFileDialog saveFileDialog;
        QtDocumentOpener documents;
        QtProgramStarter programs;
        PosixFileOperations fileOperations;
        std::unique_ptr<SettingsStore> settings;
        const auto settingsFile = SettingsStore::pathForKey("Software\\Merrowin\\QuillmarkReg\\2.0");
        if (!settingsFile.empty()) settings = std::make_unique<SettingsStore>(settingsFile);
        TolvanServices services{messages, openFileDialog, documents, programs, fileOperations, settings.get(), std::string(),
                                 StringConv::kPlatformNarrow, &saveFileDialog};

        auto controller = std::make_unique<Tolvan>(services);
        {
            Form1 window(*controller, *controller, openFileDialog);
            controller->setMainView(&window);
            messages.setOwner(&window);
            openFileDialog.setOwner(&window);
            saveFileDialog.setOwner(&window);
            QApplication::setWindowIcon(Icons::application(pathToQString(controller->getStartDirectory())));
            window.show();
            QTimer::singleShot(0, &window, [&] {
                for (const QString& file : files) controller->cmdAppend(toText(file));
            });
            QApplication::exec();
            controller->setMainView(nullptr);
        }
        controller.reset();
    }
    CCC::Ccc::unInitialize();
    return 0;
}
