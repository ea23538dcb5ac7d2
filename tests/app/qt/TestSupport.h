#pragma once

// The window tests' kit: a recorder in the controller's place, a real
// controller behind the window for its lists, and the next modal dialog.

#include <QtTest>
#include <QtWidgets>

#include "app/controller/Commands.h"
#include "app/controller/Tolvan.h"
#include "app/qt/Form1.h"
#include "app/qt/QtText.h"
#include "tests/support/Files.h"

namespace qttest {

using namespace tolvanw32;

#define QM_RECORD(command) \
    void command() override { calls << QStringLiteral(#command); }

// Each command the window runs, as its name (and argument); exit is
// refused unless allowed.
class RecordingCommands : public Commands {
public:
    QM_RECORD(cmdAppend) QM_RECORD(cmdRelease) QM_RECORD(cmdRename) QM_RECORD(cmdConvert) QM_RECORD(cmdRemove)
    QM_RECORD(cmdEpub) QM_RECORD(cmdEdit) QM_RECORD(cmdReview) QM_RECORD(cmdViewOutput) QM_RECORD(cmdSetOption)
    QM_RECORD(cmdHelp) QM_RECORD(cmdHelpIndex) QM_RECORD(cmdAbout)
    void cmdAppend(const Text& path) override { calls << QStringLiteral("cmdAppend ") + toQString(path); }
    bool cmdExit() override { calls << QStringLiteral("cmdExit"); return exitAllowed; }
    QStringList calls;
    bool exitAllowed = false;
};

#undef QM_RECORD

// The real controller's platform: answers OK, chooses `answer`, and opens
// or starts nothing; records the filters asked for.
class QuietPlatform : public MessageDialog, public OpenFileDialog, public DocumentOpener, public ProgramStarter {
public:
    Answer show(const Text&, const Text&, Buttons, Icon, DefaultButton) override { return Answer::Ok; }
    std::optional<Text> chooseFile(const Text& filter) override { filters.push_back(filter); return answer; }
    bool open(const std::string&) override { return false; }
    bool start(const std::string&, const std::string&) override { return false; }
    std::vector<Text> filters;
    std::optional<Text> answer;
};

// A shown window whose commands are recorded; the model it draws is a real
// controller's, over a fresh scratch folder that is also the start directory.
struct Harness {
    Harness()
        : controller(TolvanServices{platform, platform, platform, platform, files, nullptr, scratch.dir().string()}),
          window(controller, commands, platform) {
        controller.setMainView(&window);
        window.show();
    }
    ~Harness() { controller.setMainView(nullptr); }

    QString path(const std::string& name) const { return QString::fromStdString(scratch.file(name)); }
    // Registers one-line files of these names with the real controller.
    void append(std::initializer_list<std::string> names) {
        for (const std::string& name : names) {
            qmtest::writeBytes(scratch / name, "x\n");
            controller.cmdAppend(toText(path(name)));
        }
    }

    qmtest::Scratch scratch{"qt"};
    QuietPlatform platform;
    PosixFileOperations files;
    RecordingCommands commands;
    Tolvan controller;
    Form1 window;
};

// While it lives, runs `action` on the next modal dialog once it is shown,
// then rejects the dialog unless the action closed it.
class NextModal {
public:
    explicit NextModal(std::function<void(QDialog*)> action) {
        QObject::connect(&timer_, &QTimer::timeout, [this, action = std::move(action)] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            timer_.stop();
            action(dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        timer_.start(5);
    }

private:
    QTimer timer_;
};

// The named child of a dialog.
template <class W>
W* child(QObject* parent, const char* name) {
    return parent->findChild<W*>(QString::fromLatin1(name));
}

} // namespace qttest
