#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "app/services/Launcher.h"
#include "app/services/MessageDialog.h"
#include "app/services/OpenFileDialog.h"
#include "app/services/SaveFileDialog.h"

namespace tolvanw32 {

// The controller's platform services on Qt. The dialogs are modal to an
// owner window, which is given once the main window exists.

class QtMessageDialog : public MessageDialog {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    Answer show(const Text& text, const Text& caption, Buttons buttons, Icon icon,
                DefaultButton defaultButton) override;

private:
    QPointer<QWidget> owner_;
};

class QtOpenFileDialog : public OpenFileDialog {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    std::optional<Text> chooseFile(const Text& filter) override;

    // "label|pattern|label|pattern" to Qt's "label (pattern);;label (pattern)".
    // Patterns are ';'-separated; "*.*" means every file, as "*" does here.
    static QString toQtFilter(const Text& filter);

private:
    QPointer<QWidget> owner_;
};

// Asks before replacing a file; a name typed without an extension gets the
// filter's first one.
class QtSaveFileDialog : public SaveFileDialog {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    std::optional<Text> chooseSaveFile(const Text& filter, const Text& proposed) override;

private:
    QPointer<QWidget> owner_;
};

// The desktop's default application for a document.
class QtDocumentOpener : public DocumentOpener {
public:
    bool open(const std::string& path) override;
};

// A program with one argument, detached; no shell is involved.
class QtProgramStarter : public ProgramStarter {
public:
    bool start(const std::string& program, const std::string& argument) override;
};

} // namespace tolvanw32
