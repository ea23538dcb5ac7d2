#pragma once

#include <QDialog>

#include "app/services/PreferenceDialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tolvanw32 {

class OpenFileDialog;

// The options dialog: one control per setting, each with a setter that
// fills it and a getter that reads it back.
class Preference : public QDialog, public PreferenceDialog {
    Q_OBJECT
public:
    // The style list's five fixed items; a user-named style sheet is the sixth.
    static constexpr int kFixedStyles = 5;
    static constexpr int kUserStyleItem = 5;

    // programChooser serves the "..." button of the text editor.
    Preference(OpenFileDialog& programChooser, QWidget* parent = nullptr);

    void setStyleSheetFileName(const Text& name) override;
    void setStyleSheet(int styleNum) override;
    void setXhtmlVersion(int version) override;
    void setSpanTenP(bool on) override;
    void setSpanPeriodP(bool on) override;
    void setSpanCommaP(bool on) override;
    void setSyntax(int syntax) override;
    void setEscapeByAppendP(bool on) override;
    void setTextEditor(const Text& path) override;
    void setInputCharset(int index) override;
    void setOutputCharset(int index) override;

    bool showModal() override;

    int getStyleSheet() const override;
    Text getStyleSheetFileName() const override;
    int getXhtmlVersion() const override;
    bool getSpanTenP() const override;
    bool getSpanPeriodP() const override;
    bool getSpanCommaP() const override;
    int getSyntax() const override;
    bool getEscapeByAppendP() const override;
    Text getTextEditor() const override;
    int getInputCharset() const override;
    int getOutputCharset() const override;

    // The open-file filter of the "..." button.
    static Text programFilter();

private:
    // The selected style item, -1 while the user's typed text stands.
    int selectedStyleItem() const;
    void enableTextEditor(bool on);
    void browseTextEditor();

    OpenFileDialog& programChooser_;
    QButtonGroup* syntax_;
    QCheckBox* escape_;
    QComboBox* style_;
    // Set when the user types into the style field, cleared by choosing an item.
    bool styleTyped_ = false;
    QButtonGroup* xhtml_;
    QCheckBox* spanTen_;
    QCheckBox* spanPeriod_;
    QCheckBox* spanComma_;
    QCheckBox* editorCheck_;
    QLineEdit* editorPath_;
    QPushButton* editorBrowse_;
    QComboBox* input_;
    QComboBox* output_;
};

} // namespace tolvanw32
