#include "app/qt/Form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "app/controller/Tolvan.h"
#include "app/qt/Icons.h"
#include "app/qt/ListBox.h"
#include "app/qt/LogView.h"
#include "app/qt/Preference.h"
#include "app/qt/QtText.h"
#include "app/qt/Rename.h"
#include "app/qt/UiFont.h"
#include "core/model/Model.h"

namespace tolvanw32 {

namespace {

constexpr int kListPointSize = 12;
constexpr int kToolBarPointSize = 9;
constexpr int kToolBarImageSize = 32;

struct ToolBarButton {
    const char16_t* text;
    const char16_t* toolTip;
};

// In button order; the images come from Icons::kToolBarKeys.
constexpr ToolBarButton kButtons[Form1::kToolBarButtons] = {
    {u"追加", u"ソーステキストを追加します。"},
    {u"解除", u"ソーステキストを生成元から解除します。"},
    {u"リネーム", u"変換対象テキストファイルをリネームします。"},
    {u"変換", u"XHTMLを作成します。"},
    {u"削除", u"生成されたXHTMLを削除します。"},
    {u"編集", u"ソーステキストを編集します。"},
    {u"ﾚﾋﾞｭｰ", u"生成されたXHTMLをﾚﾋﾞｭｰします。"},
    {u"設定", u"オプションの設定を行います。"},
};

QString q(const char16_t* text) { return QString::fromUtf16(text); }

std::string narrowOf(const CCC::TString<char>& s) { return std::string(s.data(), s.size()); }

// A labelled list filling its panel.
QWidget* panel(const QString& caption, ListBox* list, QWidget* parent) {
    auto* widget = new QWidget(parent);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->setSpacing(2);
    auto* label = new QLabel(caption, widget);
    layout->addWidget(label);
    layout->addWidget(list, 1);
    return widget;
}

} // namespace

Form1::Form1(const Tolvan& controller, Commands& commands, OpenFileDialog& programChooser, QWidget* parent)
    : QMainWindow(parent), controller_(controller), commands_(commands), programChooser_(programChooser),
      show_with_basename_p_(true) {
    setWindowTitle(QStringLiteral("Quillmark"));
    const QString dataDirectory = pathToQString(controller_.getStartDirectory());
    setWindowIcon(Icons::application(dataDirectory));
    buildMenus();
    buildToolBar();
    buildPanels();
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    statusBar()->addWidget(status_, 1);
    // The client area is what lies below the menu bar.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    attachEvents();
}

void Form1::buildMenus() {
    using Command = std::function<void()>;
    struct Item {
        const char16_t* text;  // nullptr: a separator
        Command command;
    };
    Commands& c = commands_;
    const std::pair<const char16_t*, std::vector<Item>> menus[] = {
        {u"ファイル(&F)",
         {{u"変換対象に追加(&A)...", [&c] { c.cmdAppend(); }},
          {u"変換対象から解除(&R)", [&c] { c.cmdRelease(); }},
          {u"リネーム(&N)...", [&c] { c.cmdRename(); }},
          {nullptr, {}},
          {u"XHTML変換(&C)", [&c] { c.cmdConvert(); }},
          {u"XHTML削除(&D)", [&c] { c.cmdRemove(); }},
          {u"EPUB作成(&E)...", [&c] { c.cmdEpub(); }},
          {nullptr, {}},
          // Closing asks the controller, whichever way it is started.
          {u"終了(&X)...", [this] { close(); }}}},
        {u"編集(&E)",
         {{u"テキスト編集(&E)...", [&c] { c.cmdEdit(); }},
          {u"レビュー(&R)...", [&c] { c.cmdReview(); }},
          {u"生成ファイルをエディタで表示(&G)...", [&c] { c.cmdViewOutput(); }},
          {nullptr, {}},
          {u"オプション設定(&O)...", [&c] { c.cmdSetOption(); }}}},
        {u"ヘルプ(&H)",
         {{u"マニュアル(&M)...", [&c] { c.cmdHelp(); }},
          {u"目次(&I)...", [&c] { c.cmdHelpIndex(); }},
          {nullptr, {}},
          {u"Quillmarkについて(&A)...", [&c] { c.cmdAbout(); }}}},
    };
    for (const auto& [title, items] : menus) {
        QMenu* menu = menuBar()->addMenu(q(title));
        for (const Item& item : items) {
            if (!item.text) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(q(item.text));
            connect(action, &QAction::triggered, this, item.command);
        }
    }
}

void Form1::buildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("toolBar"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setFont(UiFont::japanese(kToolBarPointSize));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar_->setIconSize(QSize(kToolBarImageSize, kToolBarImageSize));
    // The tool bar is always there: no menu to hide it.
    toolBar_->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    const QString dataDirectory = pathToQString(controller_.getStartDirectory());
    for (int i = 0; i < kToolBarButtons; ++i) {
        auto* button = new QToolButton(toolBar_);
        button->setText(q(kButtons[i].text));
        button->setToolTip(q(kButtons[i].toolTip));
        button->setIcon(Icons::image(dataDirectory, QString::fromLatin1(Icons::kToolBarKeys[i])));
        button->setIconSize(QSize(kToolBarImageSize, kToolBarImageSize));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setFixedSize(kButtonSize, kButtonSize);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, i] { toolBarButtonClick(i); });
        toolBar_->addWidget(button);
        buttons_.push_back(button);
    }
}

void Form1::buildPanels() {
    const QFont listFont = UiFont::japanese(kListPointSize);
    listBox1_ = new ListBox;
    listBox1_->setObjectName(QStringLiteral("listBox1"));
    listBox1_->setFont(listFont);
    listBox1_->setFileDropTarget(true);
    listBox2_ = new ListBox;
    listBox2_->setObjectName(QStringLiteral("listBox2"));
    listBox2_->setFont(listFont);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->setHandleWidth(kSplitterWidth);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(panel(QStringLiteral("変換対象テキストファイル:"), listBox1_, splitter_));
    splitter_->addWidget(panel(QStringLiteral("生成された XHTML ファイル:"), listBox2_, splitter_));
    // The left panel keeps its width when the window is resized; the right
    // one takes the rest.
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kLeftPanelWidth, kClientWidth - kLeftPanelWidth - kSplitterWidth});
    setCentralWidget(splitter_);
    // Drops anywhere else in the window are refused.
    setAcceptDrops(false);
}

void Form1::attachEvents() {
    connect(listBox1_, &ListBox::itemSelectionChanged, this,
            [this] { updateSrcFileSelection(getSelectedSrcTextIndex()); });
    connect(listBox1_, &ListBox::listDoubleClicked, this, [this] { commands_.cmdEdit(); });
    connect(listBox2_, &ListBox::listDoubleClicked, this, [this] { commands_.cmdReview(); });
    connect(listBox2_, &ListBox::enterPressed, this, [this] { commands_.cmdViewOutput(); });
    // Run the commands after the drop has finished: their message boxes
    // must not hold the drag source waiting.
    connect(listBox1_, &ListBox::filesDropped, this, &Form1::appendDropped, Qt::QueuedConnection);
}

void Form1::appendDropped(const QStringList& paths) {
    for (const QString& path : paths) commands_.cmdAppend(toText(path));
}

void Form1::toolBarButtonClick(int position) {
    switch (position) {
    case 0: commands_.cmdAppend(); break;
    case 1: commands_.cmdRelease(); break;
    case 2: commands_.cmdRename(); break;
    case 3: commands_.cmdConvert(); break;
    case 4: commands_.cmdRemove(); break;
    case 5: commands_.cmdEdit(); break;
    case 6: commands_.cmdReview(); break;
    case 7: commands_.cmdSetOption(); break;
    default: break;
    }
}

int Form1::getSelectedSrcTextIndex() { return listBox1_->selectedIndex(); }

int Form1::getSelectedOutputIndex() { return listBox2_->selectedIndex(); }

QString Form1::fullName(const std::string& path) const {
    CCC::TString<char> narrow(path.data(), path.size());
    return toQString(controller_.getStringConv().createDnString(narrow));
}

QString Form1::displayName(const std::string& path) const {
    QString name = fullName(path);
    return show_with_basename_p_ ? QFileInfo(name).fileName() : name;
}

void Form1::update() {
    const Orvane::Model& model = *controller_.getModel();
    const int position = getSelectedSrcTextIndex();

    listBox1_->clear();
    for (const auto& src : model.getSrcTexts()) listBox1_->addItem(displayName(narrowOf(src->getFileName())));
    if (position != -1 && position < listBox1_->count()) listBox1_->setCurrentRow(position);

    listBox2_->clear();
    for (const auto& output : model.getOutputs()) listBox2_->addItem(displayName(narrowOf(output->getFileName())));

    updateSrcFileSelection(position);
}

void Form1::updateSrcFileSelection(int position) {
    const auto& srcTexts = controller_.getModel()->getSrcTexts();
    if (position != -1 && position < listBox1_->count() && static_cast<std::size_t>(position) < srcTexts.size())
        status_->setText(fullName(narrowOf(srcTexts[static_cast<std::size_t>(position)]->getFileName())));
    else
        status_->setText(QString());
}

QString Form1::statusText() const { return status_->text(); }

std::optional<Text> Form1::showRename(const Text& current) {
    Rename dialog(this);
    dialog.setFileName(current);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.getFileName();
}

void Form1::showLog(const Text& log) {
    LogView dialog(this);
    dialog.setLog(log);
    dialog.exec();
}

std::unique_ptr<PreferenceDialog> Form1::createPreference() {
    return std::make_unique<Preference>(programChooser_, this);
}

void Form1::closeEvent(QCloseEvent* event) {
    if (commands_.cmdExit())
        event->accept();
    else
        event->ignore();
}

} // namespace tolvanw32
