#include "TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTimer>

#include "app/qt/QtText.h"

namespace qttest {

MessageDialog::Answer FakeMessages::show(const Text& text, const Text& caption, Buttons buttons, Icon icon,
                                         DefaultButton) {
    shown.push_back({toQString(text), toQString(caption), buttons, icon});
    if (answers.empty()) return Answer::Ok;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

Harness::Harness() {
    TolvanServices services{messages, openFile, documents, programs, files, nullptr,
                            QFile::encodeName(dir.path()).toStdString(), StringConv::kPlatformNarrow};
    controller = std::make_unique<Tolvan>(services);
    window = std::make_unique<Form1>(*controller, programChooser);
    controller->setMainView(window.get());
    window->show();
}

Harness::~Harness() {
    controller->setMainView(nullptr);
    window.reset();
    controller.reset();
}

QString Harness::writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return QString();
    return file.fileName();
}

QStringList Harness::entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

NextModal::NextModal(std::function<void(QDialog*)> action, int result) : timer_(new QTimer) {
    timer_->setInterval(5);
    QObject::connect(timer_, &QTimer::timeout, [this, action = std::move(action), result] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        timer_->stop();
        title_ = dialog->windowTitle();
        if (action) action(dialog);
        if (dialog->isVisible()) dialog->done(result);
        handled_ = true;
    });
    timer_->start();
}

NextModal::~NextModal() { delete timer_; }

QString q(const char16_t* text) { return QString::fromUtf16(text); }

} // namespace qttest
