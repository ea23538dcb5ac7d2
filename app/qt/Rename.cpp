#include "app/qt/Rename.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/qt/OkCancelButtons.h"
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 13, 12);
    layout->addWidget(label);
    layout->addWidget(field_);
    layout->addStretch(1);
    layout->addLayout(okCancelButtons(this));
}

void Rename::setFileName(const Text& name) { field_->setText(toQString(name)); }

Text Rename::getFileName() const { return toText(field_->text()); }

} // namespace tolvanw32
