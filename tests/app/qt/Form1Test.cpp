// The main window over a real controller and model, its platform faked.

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "TestSupport.h"
#include "ccc/encoding/Ccc.h"
#include "app/qt/ListBox.h"
#include "app/qt/QtText.h"
#include "app/qt/UiFont.h"
#include "core/model/Model.h"

using namespace qttest;

namespace {

// Sends a drag-enter and, when it is taken, a drop of `data` onto `target`.
// Returns whether the drag was taken, and with which action.
std::pair<bool, Qt::DropAction> dragAndDrop(QWidget* target, QMimeData* data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return {false, Qt::IgnoreAction};
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return {drop.isAccepted(), drop.dropAction()};
}

QMimeData* fileDrag(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

QAction* menuAction(QMainWindow* window, const QString& text) {
    for (QAction* top : window->menuBar()->actions())
        for (QAction* a : top->menu()->actions())
            if (a->text() == text) return a;
    return nullptr;
}

QStringList messageTexts(FakeMessages& m) {
    QStringList texts;
    for (const Shown& s : m.take()) texts << s.caption + QLatin1Char('|') + s.text;
    return texts;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(CCC::Ccc::initialize()); }
    void cleanupTestCase() { CCC::Ccc::unInitialize(); }

    void layoutMatchesTheTable() {
        Harness h;
        Form1& w = *h.window;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Quillmark"));
        QCOMPARE(w.width(), 592);
        QCOMPARE(w.height() - w.menuBar()->height(), 311);
        QCOMPARE(w.splitter()->handleWidth(), 3);
        QCOMPARE(w.splitter()->sizes().value(0), 288);
        QCOMPARE(w.splitter()->sizes().value(0) + 3 + w.splitter()->sizes().value(1), 592);

        const QStringList labels{q(u"変換対象テキストファイル:"), q(u"生成された XHTML ファイル:")};
        for (int i = 0; i < 2; ++i) {
            auto* label = w.splitter()->widget(i)->findChild<QLabel*>();
            QVERIFY(label);
            QCOMPARE(label->text(), labels[i]);
        }
        QVERIFY(w.sourceList()->fileDropTargetP());
        QVERIFY(!w.outputList()->fileDropTargetP());
        QVERIFY(!w.acceptDrops());

        // Fonts: the Windows face first, then Japanese faces found here.
        for (QWidget* list : {static_cast<QWidget*>(w.sourceList()), static_cast<QWidget*>(w.outputList())}) {
            QCOMPARE(list->font().pointSize(), 12);
            QCOMPARE(list->font().families(), UiFont::families());
        }
        QCOMPARE(w.toolBar()->font().pointSize(), 9);
        QCOMPARE(w.toolBarButtons().front()->font().pointSize(), 9);
        const QString used = QFontInfo(w.sourceList()->font()).family();
        if (!UiFont::families().contains(used))
            qWarning("no Japanese font installed; the lists use %s", qPrintable(used));

        // The right panel takes what the window gains; the left keeps 288.
        w.resize(800, w.height());
        QTRY_COMPARE(w.splitter()->width(), 800);
        QCOMPARE(w.splitter()->sizes().value(0), 288);
    }

    void menusMatchTheTable() {
        Harness h;
        const QStringList expected{
            q(u"ファイル(&F): 変換対象に追加(&A)... | 変換対象から解除(&R) | リネーム(&N)... | - | XHTML変換(&C) | "
              u"XHTML削除(&D) | - | 終了(&X)..."),
            q(u"編集(&E): テキスト編集(&E)... | レビュー(&R)... | 生成ファイルをエディタで表示(&G)... | - | "
              u"オプション設定(&O)..."),
            q(u"ヘルプ(&H): マニュアル(&M)... | 目次(&I)... | - | Quillmarkについて(&A)..."),
        };
        QStringList actual;
        for (QAction* top : h.window->menuBar()->actions()) {
            QStringList items;
            for (QAction* a : top->menu()->actions()) {
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
                QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->text()));
            }
            actual << top->text() + QStringLiteral(": ") + items.join(QStringLiteral(" | "));
        }
        QCOMPARE(actual, expected);
    }

    void toolBarMatchesTheTable() {
        Harness h;
        const QStringList texts{q(u"追加"), q(u"解除"), q(u"リネーム"), q(u"変換"),
                                q(u"削除"), q(u"編集"), q(u"ﾚﾋﾞｭｰ"),    q(u"設定")};
        const QStringList tips{q(u"ソーステキストを追加します。"),
                               q(u"ソーステキストを生成元から解除します。"),
                               q(u"変換対象テキストファイルをリネームします。"),
                               q(u"XHTMLを作成します。"),
                               q(u"生成されたXHTMLを削除します。"),
                               q(u"ソーステキストを編集します。"),
                               q(u"生成されたXHTMLをﾚﾋﾞｭｰします。"),
                               q(u"オプションの設定を行います。")};
        const auto& buttons = h.window->toolBarButtons();
        QCOMPARE(int(buttons.size()), 8);
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        int lastX = -1;
        for (int i = 0; i < 8; ++i) {
            QToolButton* b = buttons[size_t(i)];
            QCOMPARE(b->text(), texts[i]);
            QCOMPARE(b->toolTip(), tips[i]);
            QCOMPARE(b->size(), QSize(62, 62));
            QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            // Shown left to right in table order.
            QVERIFY(b->isVisible());
            QVERIFY(b->x() > lastX);
            lastX = b->x();
        }
        QVERIFY(!h.window->toolBar()->isMovable());
    }

    // Each position runs its own command; with nothing registered or
    // selected, each command's first check tells which one ran.
    void toolBarDispatchesByPosition_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0 add") << 0 << QStringLiteral("open-file dialog");
        QTest::newRow("1 release") << 1 << q(u"エラー: 解除|解除する変換対象テキストファイルが選択されていません。");
        QTest::newRow("2 rename") << 2 << q(u"エラー: リネーム|リネームする変換対象テキストファイルが選択されていません。");
        QTest::newRow("3 convert") << 3 << q(u"エラー: 変換|変換対象テキストファイルが設定されていません。");
        QTest::newRow("4 delete") << 4 << q(u"エラー: 削除|削除するファイルがありません。");
        QTest::newRow("5 edit") << 5 << q(u"エラー: 編集|選択されている変換対象テキストファイルがありません。");
        QTest::newRow("6 review") << 6 << q(u"エラー: レビュー|選択されている生成ファイルがありません。");
        QTest::newRow("7 options") << 7 << q(u"オプション設定");
    }
    void toolBarDispatchesByPosition() {
        QFETCH(int, position);
        QFETCH(QString, expected);
        Harness h;
        NextModal modal;
        QTest::mouseClick(h.window->toolBarButtons()[size_t(position)], Qt::LeftButton);
        QStringList seen = messageTexts(h.messages);
        if (!h.openFile.filters.empty()) seen << QStringLiteral("open-file dialog");
        if (modal.handled()) seen << modal.title();
        QCOMPARE(seen, QStringList{expected});
        if (position == 0) QCOMPARE(toQString(h.openFile.filters.at(0)), q(u"テキストファイル (*.txt)|*.txt|全ファイル (*.*)|*.*"));
    }

    void menuItemsRunTheirCommands_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("expected");
        QTest::newRow("add") << q(u"変換対象に追加(&A)...") << QStringLiteral("open-file dialog");
        QTest::newRow("release") << q(u"変換対象から解除(&R)") << q(u"エラー: 解除|解除する変換対象テキストファイルが選択されていません。");
        QTest::newRow("rename") << q(u"リネーム(&N)...") << q(u"エラー: リネーム|リネームする変換対象テキストファイルが選択されていません。");
        QTest::newRow("convert") << q(u"XHTML変換(&C)") << q(u"エラー: 変換|変換対象テキストファイルが設定されていません。");
        QTest::newRow("delete") << q(u"XHTML削除(&D)") << q(u"エラー: 削除|削除するファイルがありません。");
        QTest::newRow("exit") << q(u"終了(&X)...") << q(u"終了|終了しますか？");
        QTest::newRow("edit") << q(u"テキスト編集(&E)...") << q(u"エラー: 編集|選択されている変換対象テキストファイルがありません。");
        QTest::newRow("review") << q(u"レビュー(&R)...") << q(u"エラー: レビュー|選択されている生成ファイルがありません。");
        QTest::newRow("view") << q(u"生成ファイルをエディタで表示(&G)...") << q(u"エラー: レビュー|選択されている生成ファイルがありません。");
        QTest::newRow("options") << q(u"オプション設定(&O)...") << q(u"オプション設定");
        QTest::newRow("help") << q(u"マニュアル(&M)...") << QStringLiteral("open help.html");
        QTest::newRow("index") << q(u"目次(&I)...") << QStringLiteral("open index.html");
        QTest::newRow("about") << q(u"Quillmarkについて(&A)...") << q(u"バージョン情報|");
    }
    void menuItemsRunTheirCommands() {
        QFETCH(QString, item);
        QFETCH(QString, expected);
        Harness h;
        // Cancel keeps the window open when the item asks to exit.
        h.messages.answers = {MessageDialog::Answer::Cancel};
        QAction* action = menuAction(h.window.get(), item);
        QVERIFY(action);
        NextModal modal;
        action->trigger();
        QStringList seen = messageTexts(h.messages);
        if (!h.openFile.filters.empty()) seen << QStringLiteral("open-file dialog");
        for (const std::string& d : h.documents.opened)
            seen << QStringLiteral("open ") + QDir(h.dir.path()).relativeFilePath(QString::fromStdString(d));
        if (modal.handled()) seen << modal.title();
        QCOMPARE(seen.size(), 1);
        // The about box's credit lines are ours to word: compare the caption only.
        QVERIFY2(seen[0].startsWith(expected), qPrintable(seen[0]));
        QVERIFY(h.window->isVisible());
    }

    void closingAsksTheController() {
        Harness h;
        h.messages.answers = {MessageDialog::Answer::Cancel, MessageDialog::Answer::Ok};
        QVERIFY(!h.window->close());
        QVERIFY(h.window->isVisible());
        QVERIFY(h.window->close());
        QVERIFY(!h.window->isVisible());
        const auto shown = h.messages.take();
        QCOMPARE(shown.size(), size_t(2));
        QCOMPARE(shown[0].caption, q(u"終了"));
        QCOMPARE(shown[0].text, q(u"終了しますか？"));
        QVERIFY(shown[0].buttons == MessageDialog::Buttons::OkCancel);
        QVERIFY(shown[0].icon == MessageDialog::Icon::Information);
    }

    // Files dropped on the source list register in drop order, each with its
    // own checks; elsewhere nothing is taken.
    void dropsRegisterOnTheSourceListOnly() {
        Harness h;
        const QString a = h.writeFile(QStringLiteral("a.txt"), "alpha\n");
        const QString b = h.writeFile(QStringLiteral("b.txt"), "beta\n");
        const QString c = h.writeFile(QStringLiteral("c.txt"), "gamma\n");
        QVERIFY(QDir(h.dir.path()).mkdir(QStringLiteral("folder")));

        std::unique_ptr<QMimeData> data(fileDrag({c, a, h.path(QStringLiteral("folder")), b}));
        auto [taken, action] = dragAndDrop(h.window->sourceList()->viewport(), data.get());
        QVERIFY(taken);
        QCOMPARE(action, Qt::CopyAction);
        QCOMPARE(Harness::entries(h.window->sourceList()),
                 (QStringList{QStringLiteral("c.txt"), QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        QCOMPARE(messageTexts(h.messages), QStringList{q(u"エラー: 登録|このファイルは開けません。")});

        // No file list: no drop.
        QMimeData text;
        text.setText(QStringLiteral("d.txt"));
        QVERIFY(!dragAndDrop(h.window->sourceList()->viewport(), &text).first);
        QMimeData remote;
        remote.setUrls({QUrl(QStringLiteral("https://example.org/d.txt"))});
        QVERIFY(!dragAndDrop(h.window->sourceList()->viewport(), &remote).first);

        // The output list takes nothing, and neither does the window.
        const QString d = h.writeFile(QStringLiteral("d.txt"), "delta\n");
        std::unique_ptr<QMimeData> other(fileDrag({d}));
        QVERIFY(!h.window->outputList()->viewport()->acceptDrops());
        QVERIFY(!dragAndDrop(h.window->outputList()->viewport(), other.get()).first);
        QVERIFY(!dragAndDrop(h.window.get(), other.get()).first);
        QCOMPARE(int(h.controller->getModel()->getSrcTexts().size()), 3);
        QVERIFY(h.messages.shown.empty());
    }

    void updateKeepsTheSourceSelectionOnly() {
        Harness h;
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            h.controller->cmdAppend(toText(h.writeFile(QString::fromLatin1(name), "x\n")));
        h.controller->cmdConvert();
        QCOMPARE(h.window->outputList()->count(), 3);
        QCOMPARE(Harness::entries(h.window->outputList()),
                 (QStringList{QStringLiteral("a.html"), QStringLiteral("b.html"), QStringLiteral("c.html")}));
        h.window->sourceList()->setCurrentRow(1);
        h.window->outputList()->setCurrentRow(2);
        QCOMPARE(h.window->getSelectedOutputIndex(), 2);
        QCOMPARE(h.window->statusText(), h.path(QStringLiteral("b.txt")));

        h.window->update();
        QCOMPARE(h.window->getSelectedSrcTextIndex(), 1);
        QCOMPARE(h.window->getSelectedOutputIndex(), -1);
        QCOMPARE(h.window->statusText(), h.path(QStringLiteral("b.txt")));
        QCOMPARE(h.window->outputList()->count(), 3);
        // Items are 16 high whatever the font.
        QCOMPARE(h.window->sourceList()->visualItemRect(h.window->sourceList()->item(0)).height(), 16);
    }

    // Releasing the last entry leaves nothing selected; releasing one in the
    // middle selects the entry that moved up, and the status bar follows.
    void statusBarAfterRelease() {
        Harness h;
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
            h.controller->cmdAppend(toText(h.writeFile(QString::fromLatin1(name), "x\n")));
        ListBox* list = h.window->sourceList();

        list->setCurrentRow(3);
        QTest::mouseClick(h.window->toolBarButtons()[1], Qt::LeftButton);
        QCOMPARE(Harness::entries(list), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")}));
        QCOMPARE(h.window->getSelectedSrcTextIndex(), -1);
        QCOMPARE(h.window->statusText(), QString());

        list->setCurrentRow(1);
        QCOMPARE(h.window->statusText(), h.path(QStringLiteral("b.txt")));
        QTest::mouseClick(h.window->toolBarButtons()[1], Qt::LeftButton);
        QCOMPARE(Harness::entries(list), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt")}));
        QCOMPARE(h.window->getSelectedSrcTextIndex(), 1);
        QCOMPARE(h.window->statusText(), h.path(QStringLiteral("c.txt")));
        QVERIFY(h.messages.shown.empty());
    }

    void sameNameInTwoFoldersIsToldApartByTheStatusBar() {
        Harness h;
        QDir(h.dir.path()).mkpath(QStringLiteral("one"));
        QDir(h.dir.path()).mkpath(QStringLiteral("two"));
        h.controller->cmdAppend(toText(h.writeFile(QStringLiteral("one/same.txt"), "1\n")));
        h.controller->cmdAppend(toText(h.writeFile(QStringLiteral("two/same.txt"), "2\n")));
        QCOMPARE(Harness::entries(h.window->sourceList()), (QStringList{QStringLiteral("same.txt"), QStringLiteral("same.txt")}));
        h.window->sourceList()->setCurrentRow(0);
        QCOMPARE(h.window->statusText(), h.path(QStringLiteral("one/same.txt")));
        h.window->sourceList()->setCurrentRow(1);
        QCOMPARE(h.window->statusText(), h.path(QStringLiteral("two/same.txt")));
    }

    void doubleClicksAndEnterRunTheirCommands() {
        Harness h;
        const QString a = h.writeFile(QStringLiteral("a.txt"), "x\n");
        h.controller->cmdAppend(toText(a));
        h.controller->cmdConvert();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        ListBox* src = h.window->sourceList();
        ListBox* out = h.window->outputList();

        // Double click on the entry: edit it with the associated program.
        QTest::mouseDClick(src->viewport(), Qt::LeftButton, {}, src->visualItemRect(src->item(0)).center());
        QCOMPARE(h.documents.opened, std::vector<std::string>{a.toStdString()});
        // Double click on an empty output list area: review with nothing selected.
        QTest::mouseDClick(out->viewport(), Qt::LeftButton, {}, QPoint(5, out->viewport()->height() - 5));
        QCOMPARE(messageTexts(h.messages), QStringList{q(u"エラー: レビュー|選択されている生成ファイルがありません。")});
        // Double click on the output: review it.
        QTest::mouseDClick(out->viewport(), Qt::LeftButton, {}, out->visualItemRect(out->item(0)).center());
        QCOMPARE(h.documents.opened.back(), h.path(QStringLiteral("a.html")).toStdString());

        // Enter in the output list views the selected output in the editor.
        h.controller->settings().TextEditor = u"/usr/bin/editor";
        out->setCurrentRow(0);
        out->setFocus();
        QTest::keyClick(out, Qt::Key_Return);
        QTest::keyClick(out, Qt::Key_Enter);
        const std::pair<std::string, std::string> viewed{"/usr/bin/editor", h.path(QStringLiteral("a.html")).toStdString()};
        QCOMPARE(h.programs.started.size(), size_t(2));
        QVERIFY(h.programs.started[0] == viewed && h.programs.started[1] == viewed);
        // Enter in the source list runs nothing.
        QTest::keyClick(src, Qt::Key_Return);
        QCOMPARE(h.programs.started.size(), size_t(2));
        QVERIFY(h.messages.shown.empty());
    }

    // Add a manuscript through the tool bar, convert it, see its output,
    // delete it.
    void addConvertDelete() {
        Harness h;
        h.controller->settings().InputCharset = 1;  // the sample is UTF-8
        QFile sample(QStringLiteral(QM_SOURCE_DIR "/examples/sample.txt"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const QString manuscript = h.writeFile(QStringLiteral("sample.txt"), sample.readAll());
        h.openFile.answer = toText(manuscript);

        QTest::mouseClick(h.window->toolBarButtons()[0], Qt::LeftButton);
        QCOMPARE(Harness::entries(h.window->sourceList()), QStringList{QStringLiteral("sample.txt")});

        // A log window may come up with the run's warnings; close it.
        NextModal log({}, QDialog::Accepted);
        QTest::mouseClick(h.window->toolBarButtons()[3], Qt::LeftButton);
        QVERIFY2(h.messages.shown.empty(), h.messages.shown.empty() ? "" : qPrintable(h.messages.shown[0].text));
        const QStringList outputs = Harness::entries(h.window->outputList());
        QVERIFY(!outputs.isEmpty());
        QCOMPARE(outputs.front(), QStringLiteral("sample.html"));
        for (const QString& o : outputs) QVERIFY2(QFile::exists(h.path(o)), qPrintable(o));
        QFile html(h.path(QStringLiteral("sample.html")));
        QVERIFY(html.open(QIODevice::ReadOnly));
        QVERIFY(html.readAll().contains("<html"));
        if (log.handled()) QCOMPARE(log.title(), q(u"変換ログ"));

        QTest::mouseClick(h.window->toolBarButtons()[4], Qt::LeftButton);
        QCOMPARE(h.window->outputList()->count(), 0);
        for (const QString& o : outputs) QVERIFY2(!QFile::exists(h.path(o)), qPrintable(o));
        QVERIFY(QFile::exists(manuscript));
        QCOMPARE(Harness::entries(h.window->sourceList()), QStringList{QStringLiteral("sample.txt")});
    }
};

QTEST_MAIN(Form1Test)
#include "Form1Test.moc"
