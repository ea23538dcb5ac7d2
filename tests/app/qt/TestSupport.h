#pragma once

#include <QDialog>
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

namespace qttest {

using namespace tolvanw32;

struct Shown {
    QString text, caption;
    MessageDialog::Buttons buttons;
    MessageDialog::Icon icon;
};

class FakeMessages : public MessageDialog {
public:
    Answer show(const Text& text, const Text& caption, Buttons buttons, Icon icon, DefaultButton) override;
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

class FakeDocuments : public DocumentOpener {
public:
    bool open(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    std::vector<std::string> opened;
};

class FakePrograms : public ProgramStarter {
public:
    bool start(const std::string& program, const std::string& argument) override {
        started.emplace_back(program, argument);
        return true;
    }
    std::vector<std::pair<std::string, std::string>> started;
};

// A window over a real controller whose platform is faked, in a fresh
// temporary folder that is also the start directory.
class Harness {
public:
    Harness();
    ~Harness();

    // A file of the given bytes in the temporary folder; returns its path.
    QString writeFile(const QString& name, const QByteArray& bytes);
    QString path(const QString& name) const { return dir.filePath(name); }
    // The texts of a list's entries.
    static QStringList entries(const QListWidget* list);

    QTemporaryDir dir;
    FakeMessages messages;
    FakeOpenFileDialog openFile;
    FakeOpenFileDialog programChooser;
    FakeDocuments documents;
    FakePrograms programs;
    PosixFileOperations files;
    std::unique_ptr<Tolvan> controller;
    std::unique_ptr<Form1> window;
};

// While it lives, waits for the next modal dialog; once that is shown, runs
// `action` on it and closes it with `result` unless the action did.
class NextModal {
public:
    explicit NextModal(std::function<void(QDialog*)> action = {}, int result = QDialog::Rejected);
    ~NextModal();
    NextModal(const NextModal&) = delete;
    NextModal& operator=(const NextModal&) = delete;

    bool handled() const { return handled_; }
    // The caption of the dialog it handled.
    const QString& title() const { return title_; }

private:
    QTimer* timer_;
    bool handled_ = false;
    QString title_;
};

QString q(const char16_t* text);

} // namespace qttest
