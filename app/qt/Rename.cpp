#include "app/qt/Rename.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/QtText.h"

namespace tolvanw32 {

Rename::Rename(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("リネーム"));
    setFixedSize(509, 140);

    auto* label = new QLabel(QStringLiteral("変更後のファイル名を指定してください。"), this);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("fileName"));
    field_->setFixedWidth(484);
    label->setBuddy(field_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 13, 12);
    layout->addWidget(label);
    layout->addWidget(field_);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void Rename::setFileName(const Text& name) { field_->setText(toQString(name)); }

Text Rename::getFileName() const { return toText(field_->text()); }

} // namespace tolvanw32
