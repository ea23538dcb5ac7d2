#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <vector>

#include "app/services/MainView.h"

class QCloseEvent;
class QLabel;
class QSplitter;
class QToolBar;
class QToolButton;

namespace tolvanw32 {

class Commands;
class ListBox;
class OpenFileDialog;
class Tolvan;

// The main window: the registered source texts and the generated files side
// by side, with menus and a tool bar whose every action is one command of
// the controller. It keeps no data of its own; update() redraws both lists
// from the controller's model. Commands go through `commands`, which is the
// controller itself except under test.
class Form1 : public QMainWindow, public MainView {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 592;
    static constexpr int kClientHeight = 311;
    static constexpr int kLeftPanelWidth = 288;
    static constexpr int kSplitterWidth = 3;
    static constexpr int kButtonSize = 62;
    static constexpr int kToolBarButtons = 8;

    // programChooser serves the options dialog's "..." button.
    Form1(const Tolvan& controller, Commands& commands, OpenFileDialog& programChooser, QWidget* parent = nullptr);

    // ---- what the controller sees ----
    int getSelectedSrcTextIndex() override;
    int getSelectedOutputIndex() override;
    void update() override;
    std::optional<Text> showRename(const Text& current) override;
    void showLog(const Text& log) override;
    std::unique_ptr<PreferenceDialog> createPreference() override;

    // Shows the full path of the source text at position in the status bar,
    // or nothing when no such entry is there.
    void updateSrcFileSelection(int position);
    // A tool-bar click, dispatched by the button's position.
    void toolBarButtonClick(int position);

    // ---- the controls ----
    ListBox* sourceList() const { return listBox1_; }
    ListBox* outputList() const { return listBox2_; }
    QToolBar* toolBar() const { return toolBar_; }
    const std::vector<QToolButton*>& toolBarButtons() const { return buttons_; }
    QSplitter* splitter() const { return splitter_; }
    QString statusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildPanels();
    void attachEvents();
    QString displayName(const std::string& path) const;
    QString fullName(const std::string& path) const;
    void appendDropped(const QStringList& paths);

    const Tolvan& controller_;
    Commands& commands_;
    OpenFileDialog& programChooser_;
    bool show_with_basename_p_;
    QToolBar* toolBar_ = nullptr;
    std::vector<QToolButton*> buttons_;
    QSplitter* splitter_ = nullptr;
    ListBox* listBox1_ = nullptr;
    ListBox* listBox2_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace tolvanw32
