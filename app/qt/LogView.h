#pragma once

#include <QDialog>

#include "app/services/Text.h"

class QPlainTextEdit;

namespace tolvanw32 {

// Shows the conversion log of a run, from its first line, above other windows.
class LogView : public QDialog {
    Q_OBJECT
public:
    explicit LogView(QWidget* parent = nullptr);

    // The log with CR LF line breaks.
    void setLog(const Text& log);
    // What the field shows (LF line breaks).
    Text getLog() const;

private:
    QPlainTextEdit* field_;
};

} // namespace tolvanw32
