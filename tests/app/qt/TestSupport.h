#pragma once

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/controller/Tolvan.h"
#include "app/qt/Form1.h"
#include "app/qt/QtText.h"

namespace qttest {

using namespace tolvanw32;

struct Shown {
    QString text, caption;
    MessageDialog::Buttons buttons;
    MessageDialog::Icon icon;
};

// Records what is shown and answers from a queue, then Ok.
class FakeMessages : public MessageDialog {
public:
    Answer show(const Text& text, const Text& caption, Buttons buttons, Icon icon, DefaultButton) override {
        shown.push_back({toQString(text), toQString(caption), buttons, icon});
        if (answers.empty()) return Answer::Ok;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    // The texts shown so far, and forget them.
    std::vector<Shown> take() { return std::exchange(shown, {}); }
    std::vector<Shown> shown;
    std::deque<Answer> answers;
};

class FakeOpenFileDialog : public OpenFileDialog {
public:
    std::optional<Text> chooseFile(const Text& filter) override {
        filters.push_back(filter);
        return answer;
    }
    std::optional<Text> answer;
    std::vector<Text> filters;
};

// Records documents opened and programs started, and claims success.
class FakeLaunchers : public DocumentOpener, public ProgramStarter {
public:
    bool open(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    bool start(const std::string& program, const std::string& argument) override {
        started.emplace_back(program, argument);
        return true;
    }
    std::vector<std::string> opened;
    std::vector<std::pair<std::string, std::string>> started;
};

// A shown window over a real controller whose platform is faked, in a fresh
// temporary folder that is also the start directory.
struct Harness {
    Harness() {
        TolvanServices services{messages, openFile, launchers, launchers, files, nullptr,
                                QFile::encodeName(dir.path()).toStdString(), StringConv::kPlatformNarrow};
        controller = std::make_unique<Tolvan>(services);
        window = std::make_unique<Form1>(*controller, programChooser);
        controller->setMainView(window.get());
        window->show();
    }
    ~Harness() {
        controller->setMainView(nullptr);
        window.reset();
        controller.reset();
    }

    // A file of the given bytes in the temporary folder; returns its path.
    QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return QString();
        return file.fileName();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    // Registers files of one line each, by name.
    void append(std::initializer_list<const char*> names) {
        for (const char* name : names) controller->cmdAppend(toText(writeFile(QString::fromLatin1(name), "x\n")));
    }
    static QStringList entries(const QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        return texts;
    }

    QTemporaryDir dir;
    FakeMessages messages;
    FakeOpenFileDialog openFile, programChooser;
    FakeLaunchers launchers;
    PosixFileOperations files;
    std::unique_ptr<Tolvan> controller;
    std::unique_ptr<Form1> window;
};

// While it lives, waits for the next modal dialog; once that is shown, runs
// `action` on it and closes it with `result` unless the action did.
class NextModal {
public:
    explicit NextModal(std::function<void(QDialog*)> action = {}, int result = QDialog::Rejected) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this, action = std::move(action), result] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            timer_.stop();
            title_ = dialog->windowTitle();
            if (action) action(dialog);
            if (dialog->isVisible()) dialog->done(result);
            handled_ = true;
        });
        timer_.start();
    }
    bool handled() const { return handled_; }
    // The caption of the dialog it handled.
    const QString& title() const { return title_; }

private:
    QTimer timer_;
    bool handled_ = false;
    QString title_;
};

inline QString q(const char16_t* text) { return QString::fromUtf16(text); }

} // namespace qttest
