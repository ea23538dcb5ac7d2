#include "app/qt/LogView.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "app/qt/QtText.h"

namespace tolvanw32 {

LogView::LogView(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("変換ログ"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setFixedSize(432, 273);

    field_ = new QPlainTextEdit(this);
    field_->setObjectName(QStringLiteral("log"));
    field_->setReadOnly(true);
    field_->setLineWrapMode(QPlainTextEdit::NoWrap);
    field_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    field_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    field_->setFixedSize(412, 224);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 8);
    layout->setSpacing(6);
    layout->addWidget(field_);
    layout->addLayout(buttons);
}

void LogView::setLog(const Text& log) {
    // The editor breaks lines at LF; a CR left in would show as a glyph.
    QString text = toQString(log);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    field_->setPlainText(text);
    field_->moveCursor(QTextCursor::Start);
    field_->ensureCursorVisible();
}

Text LogView::getLog() const { return toText(field_->toPlainText()); }

} // namespace tolvanw32
