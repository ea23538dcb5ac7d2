#include "app/qt/Preference.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/OkCancelButtons.h"
#include "app/qt/QtText.h"
#include "app/services/OpenFileDialog.h"

namespace tolvanw32 {

namespace {

QRadioButton* addRadio(QButtonGroup* group, QLayout* layout, const QString& text, int id, const char* name) {
    auto* button = new QRadioButton(text);
    button->setObjectName(QString::fromLatin1(name));
    group->addButton(button, id);
    layout->addWidget(button);
    return button;
}

QCheckBox* addCheck(QLayout* layout, const QString& text, const char* name) {
    auto* box = new QCheckBox(text);
    box->setObjectName(QString::fromLatin1(name));
    layout->addWidget(box);
    return box;
}

// Six rows must fit the dialog's fixed height: groups are kept tight.
template <class L>
L* groupLayout(QGroupBox* box) {
    auto* layout = new L(box);
    layout->setContentsMargins(10, 2, 10, 4);
    layout->setSpacing(4);
    return layout;
}

QComboBox* charsetList(const char* name) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    list->addItems({QStringLiteral("Shift_JIS"), QStringLiteral("UTF-8")});
    return list;
}

} // namespace

Preference::Preference(OpenFileDialog& programChooser, QWidget* parent)
    : QDialog(parent), programChooser_(programChooser) {
    setWindowTitle(QStringLiteral("オプション設定"));
    setFixedSize(459, 430);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(6);

    auto* syntaxBox = new QGroupBox(QStringLiteral("制御文字"), this);
    auto* syntaxLayout = groupLayout<QHBoxLayout>(syntaxBox);
    syntax_ = new QButtonGroup(this);
    addRadio(syntax_, syntaxLayout, QStringLiteral("半角・全角文字(&B)"), 2, "syntax2");
    addRadio(syntax_, syntaxLayout, QStringLiteral("半角文字のみ(&H)"), 3, "syntax3");
    addRadio(syntax_, syntaxLayout, QStringLiteral("全角文字のみ(&Z)"), 4, "syntax4");
    layout->addWidget(syntaxBox);

    escape_ = addCheck(layout, QStringLiteral("変換対象テキストファイルの追加時に制御文字をエスケープ(&E)"),
                       "escapeByAppend");

    auto* styleRow = new QHBoxLayout;
    auto* styleLabel = new QLabel(QStringLiteral("スタイル(&S):"), this);
    style_ = new QComboBox(this);
    style_->setObjectName(QStringLiteral("style"));
    style_->setEditable(true);
    // A typed name is kept as text, never turned into an item.
    style_->setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: a typed name stays as typed.
    style_->setCompleter(nullptr);
    style_->addItems({QStringLiteral("無し"), QStringLiteral("横書き"), QStringLiteral("縦書き"),
                      QStringLiteral("横書き（チェック）"), QStringLiteral("縦書き（チェック）")});
    styleLabel->setBuddy(style_);
    styleRow->addWidget(styleLabel);
    styleRow->addWidget(style_, 1);
    layout->addLayout(styleRow);
    connect(style_->lineEdit(), &QLineEdit::textEdited, this, [this] { styleTyped_ = true; });
    connect(style_, &QComboBox::activated, this, [this] { styleTyped_ = false; });

    auto* xhtmlBox = new QGroupBox(QStringLiteral("生成 XHTML バージョン"), this);
    auto* xhtmlLayout = groupLayout<QHBoxLayout>(xhtmlBox);
    xhtml_ = new QButtonGroup(this);
    addRadio(xhtml_, xhtmlLayout, QStringLiteral("XHTML 1.&0"), 0, "xhtml10")->setChecked(true);
    addRadio(xhtml_, xhtmlLayout, QStringLiteral("XHTML 1.&1"), 1, "xhtml11");
    layout->addWidget(xhtmlBox);

    auto* spanBox = new QGroupBox(QStringLiteral("SPAN タグ区切り対象"), this);
    auto* spanLayout = groupLayout<QHBoxLayout>(spanBox);
    spanTen_ = addCheck(spanLayout, QStringLiteral("、(読点)(&T)"), "spanTen");
    spanPeriod_ = addCheck(spanLayout, QStringLiteral(".(ピリオド)(&P)"), "spanPeriod");
    spanComma_ = addCheck(spanLayout, QStringLiteral(",(カンマ)(&C)"), "spanComma");
    layout->addWidget(spanBox);

    auto* editorBox = new QGroupBox(QStringLiteral("テキストエディタ"), this);
    auto* editorLayout = groupLayout<QGridLayout>(editorBox);
    editorCheck_ = new QCheckBox(QStringLiteral("テキストエディタを指定(&S)"), editorBox);
    editorCheck_->setObjectName(QStringLiteral("editorCheck"));
    editorPath_ = new QLineEdit(editorBox);
    editorPath_->setObjectName(QStringLiteral("editorPath"));
    editorBrowse_ = new QPushButton(QStringLiteral("..."), editorBox);
    editorBrowse_->setObjectName(QStringLiteral("editorBrowse"));
    editorBrowse_->setFixedWidth(32);
    editorLayout->addWidget(editorCheck_, 0, 0, 1, 2);
    editorLayout->addWidget(editorPath_, 1, 0);
    editorLayout->addWidget(editorBrowse_, 1, 1);
    layout->addWidget(editorBox);
    // Only a tick or untick by the user counts; the setter sets the rest itself.
    connect(editorCheck_, &QCheckBox::clicked, this, &Preference::enableTextEditor);
    connect(editorBrowse_, &QPushButton::clicked, this, &Preference::browseTextEditor);
    enableTextEditor(false);

    auto* charsetBox = new QGroupBox(QStringLiteral("文字コード"), this);
    auto* charsetLayout = groupLayout<QHBoxLayout>(charsetBox);
    auto* inputLabel = new QLabel(QStringLiteral("入力(&I):"), charsetBox);
    input_ = charsetList("inputCharset");
    inputLabel->setBuddy(input_);
    auto* outputLabel = new QLabel(QStringLiteral("出力(&O):"), charsetBox);
    output_ = charsetList("outputCharset");
    outputLabel->setBuddy(output_);
    charsetLayout->addWidget(inputLabel);
    charsetLayout->addWidget(input_, 1);
    charsetLayout->addSpacing(16);
    charsetLayout->addWidget(outputLabel);
    charsetLayout->addWidget(output_, 1);
    layout->addWidget(charsetBox);

    layout->addStretch(1);
    layout->addLayout(okCancelButtons(this));
}

Text Preference::programFilter() {
#ifdef _WIN32
    return u"プログラム (*.exe)|*.exe";
#else
    // Programs here carry no extension.
    return u"プログラム (*)|*";
#endif
}

bool Preference::showModal() { return exec() == QDialog::Accepted; }

// ---- style ----

void Preference::setStyleSheetFileName(const Text& name) {
    if (name.empty()) return;
    if (style_->count() > kFixedStyles)
        style_->setItemText(kUserStyleItem, toQString(name));
    else
        style_->addItem(toQString(name));
}

void Preference::setStyleSheet(int styleNum) {
    styleTyped_ = false;
    if (styleNum == 100) {
        // Without a named file there is no sixth item: nothing is selected
        // and the empty field reads back as no style sheet.
        style_->setCurrentIndex(style_->count() > kFixedStyles ? kUserStyleItem : -1);
    } else {
        // A number the dialog cannot offer shows as "無し", which is how the
        // writer treats it.
        style_->setCurrentIndex(styleNum >= 0 && styleNum < kFixedStyles ? styleNum : 0);
    }
}

int Preference::selectedStyleItem() const { return styleTyped_ ? -1 : style_->currentIndex(); }

int Preference::getStyleSheet() const {
    int item = selectedStyleItem();
    if (item < 0) return style_->currentText().isEmpty() ? 0 : 100;
    if (item >= kFixedStyles) return 100;
    return item;
}

Text Preference::getStyleSheetFileName() const {
    int item = selectedStyleItem();
    return toText(item < 0 ? style_->currentText() : style_->itemText(item));
}

// ---- XHTML version, syntax, flags ----

void Preference::setXhtmlVersion(int version) { xhtml_->button(version == 1 ? 1 : 0)->setChecked(true); }

int Preference::getXhtmlVersion() const { return xhtml_->checkedId() == 1 ? 1 : 0; }

void Preference::setSyntax(int syntax) { syntax_->button(syntax >= 2 && syntax <= 4 ? syntax : 2)->setChecked(true); }

int Preference::getSyntax() const {
    int id = syntax_->checkedId();
    return id >= 2 && id <= 4 ? id : 2;
}

void Preference::setSpanTenP(bool on) { spanTen_->setChecked(on); }
void Preference::setSpanPeriodP(bool on) { spanPeriod_->setChecked(on); }
void Preference::setSpanCommaP(bool on) { spanComma_->setChecked(on); }
void Preference::setEscapeByAppendP(bool on) { escape_->setChecked(on); }
bool Preference::getSpanTenP() const { return spanTen_->isChecked(); }
bool Preference::getSpanPeriodP() const { return spanPeriod_->isChecked(); }
bool Preference::getSpanCommaP() const { return spanComma_->isChecked(); }
bool Preference::getEscapeByAppendP() const { return escape_->isChecked(); }

// ---- text editor ----

void Preference::enableTextEditor(bool on) {
    editorCheck_->setChecked(on);
    if (!on) editorPath_->clear();
    editorPath_->setReadOnly(!on);
    editorBrowse_->setEnabled(on);
}

void Preference::setTextEditor(const Text& path) {
    enableTextEditor(!path.empty());
    editorPath_->setText(toQString(path));
}

Text Preference::getTextEditor() const { return editorCheck_->isChecked() ? toText(editorPath_->text()) : Text(); }

void Preference::browseTextEditor() {
    if (std::optional<Text> chosen = programChooser_.chooseFile(programFilter())) editorPath_->setText(toQString(*chosen));
}

// ---- encodings ----

// A number outside the list shows as Shift_JIS, the encoding it stands for.
void Preference::setInputCharset(int index) { input_->setCurrentIndex(index == 1 ? 1 : 0); }
void Preference::setOutputCharset(int index) { output_->setCurrentIndex(index == 1 ? 1 : 0); }
int Preference::getInputCharset() const { return input_->currentIndex(); }
int Preference::getOutputCharset() const { return output_->currentIndex(); }

} // namespace tolvanw32
