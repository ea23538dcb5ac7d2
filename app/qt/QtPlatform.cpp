#include "app/qt/QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

#include "app/qt/QtText.h"

namespace tolvanw32 {

namespace {

// A dialog opened from another modal dialog (the options dialog's "...")
// belongs to that one, so that it stacks above it.
QWidget* parentFor(QWidget* owner) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : owner;
}

} // namespace

MessageDialog::Answer QtMessageDialog::show(const Text& text, const Text& caption, Buttons buttons, Icon icon,
                                            DefaultButton defaultButton) {
    QMessageBox box(parentFor(owner_.data()));
    box.setIcon(icon == Icon::Information ? QMessageBox::Information : QMessageBox::NoIcon);
    box.setWindowTitle(toQString(caption));
    // Paths may hold '<' or '&': never read the text as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(text));
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = nullptr;
    if (buttons == Buttons::OkCancel) cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(defaultButton == DefaultButton::Second && cancel ? cancel : ok);
    box.setEscapeButton(cancel ? cancel : ok);
    box.exec();
    return cancel && box.clickedButton() != ok ? Answer::Cancel : Answer::Ok;
}

QString QtOpenFileDialog::toQtFilter(const Text& filter) {
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << (p.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : p.trimmed());
        const QString joined = patterns.join(QLatin1Char(' '));
        // Qt reads the patterns from the label's last parentheses, so they
        // must be the ones to apply.
        static const QRegularExpression shown(QStringLiteral("\\s*\\(([^()]*)\\)$"));
        QRegularExpressionMatch m = shown.match(label);
        if (m.hasMatch()) label.truncate(m.capturedStart());
        entries << label + QStringLiteral(" (") + joined + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<Text> QtOpenFileDialog::chooseFile(const Text& filter) {
    const QString chosen =
        QFileDialog::getOpenFileName(parentFor(owner_.data()), QStringLiteral("開く"), QString(), toQtFilter(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return toText(chosen);
}

std::optional<Text> QtSaveFileDialog::chooseSaveFile(const Text& filter, const Text& proposed) {
    const QFileInfo offered(toQString(proposed));
    QFileDialog dialog(parentFor(owner_.data()), QStringLiteral("名前を付けて保存"), offered.absolutePath(),
                       QtOpenFileDialog::toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // "label|*.ext|...": the first pattern's extension, unless it is "*.*".
    const QString first = toQString(filter).section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0).trimmed();
    if (first.startsWith(QLatin1String("*.")) && first != QLatin1String("*.*")) dialog.setDefaultSuffix(first.mid(2));
    dialog.selectFile(offered.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return toText(dialog.selectedFiles().constFirst());
}

bool QtDocumentOpener::open(const std::string& path) {
    if (path.empty()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(pathToQString(path)));
}

bool QtProgramStarter::start(const std::string& program, const std::string& argument) {
    if (program.empty()) return false;
    return QProcess::startDetached(pathToQString(program), {pathToQString(argument)});
}

} // namespace tolvanw32
