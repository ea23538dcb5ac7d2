#pragma once

#include <QDialog>

#include "app/services/Text.h"

class QLineEdit;

namespace tolvanw32 {

// Asks for the new name of a source text; the field holds its full path.
class Rename : public QDialog {
    Q_OBJECT
public:
    explicit Rename(QWidget* parent = nullptr);

    void setFileName(const Text& name);
    Text getFileName() const;

private:
    QLineEdit* field_;
};

} // namespace tolvanw32
