// The main window over a real controller and model, its platform faked.

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "TestSupport.h"
#include "app/qt/ListBox.h"
#include "ccc/encoding/Ccc.h"
#include "core/model/Model.h"

using namespace qttest;

namespace {

// Sends a drag-enter and, when it is taken, a drop of `data` onto `target`.
// Returns whether the drag was taken, and with which action.
std::pair<bool, Qt::DropAction> dragAndDrop(QWidget* target, QMimeData* data) {
    const QPoint at = target->rect().center();
    const auto actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, actions, data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return {false, Qt::IgnoreAction};
    QDropEvent drop(QPointF(at), actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return {drop.isAccepted(), drop.dropAction()};
}

std::unique_ptr<QMimeData> fileDrag(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

QStringList captions(FakeMessages& m) {
    QStringList texts;
    for (const Shown& s : m.take()) texts << s.caption;
    return texts;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(CCC::Ccc::initialize()); }
    void cleanupTestCase() { CCC::Ccc::unInitialize(); }

    // Each menu item, and the tool-bar button at `position` where there is
    // one, runs its own command; with nothing registered or selected, the
    // caption of each command's first check tells which one ran (the texts
    // are the controller tests' business).
    void commandsRunFromMenuAndToolBar_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("position");  // -1: run from the menu
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char16_t* item, int position, const QString& expected) {
            QTest::addRow("%s menu", name) << q(item) << -1 << expected;
            if (position >= 0) QTest::addRow("%s button %d", name, position) << q(item) << position << expected;
        };
        row("add", u"変換対象に追加(&A)...", 0, QStringLiteral("open-file dialog"));
        row("release", u"変換対象から解除(&R)", 1, q(u"エラー: 解除"));
        row("rename", u"リネーム(&N)...", 2, q(u"エラー: リネーム"));
        row("convert", u"XHTML変換(&C)", 3, q(u"エラー: 変換"));
        row("delete", u"XHTML削除(&D)", 4, q(u"エラー: 削除"));
        row("exit", u"終了(&X)...", -1, q(u"終了"));
        row("edit", u"テキスト編集(&E)...", 5, q(u"エラー: 編集"));
        row("review", u"レビュー(&R)...", 6, q(u"エラー: レビュー"));
        row("view", u"生成ファイルをエディタで表示(&G)...", -1, q(u"エラー: レビュー"));
        row("options", u"オプション設定(&O)...", 7, q(u"オプション設定"));
        row("help", u"マニュアル(&M)...", -1, QStringLiteral("open help.html"));
        row("index", u"目次(&I)...", -1, QStringLiteral("open index.html"));
        row("about", u"Quillmarkについて(&A)...", -1, q(u"バージョン情報"));
    }
    void commandsRunFromMenuAndToolBar() {
        QFETCH(QString, item);
        QFETCH(int, position);
        QFETCH(QString, expected);
        Harness h;
        // Cancel keeps the window open when the item asks to exit.
        h.messages.answers = {MessageDialog::Answer::Cancel};
        NextModal modal;
        if (position >= 0) {
            QTest::mouseClick(h.window->toolBarButtons()[size_t(position)], Qt::LeftButton);
        } else {
            QAction* action = nullptr;
            for (QAction* top : h.window->menuBar()->actions())
                for (QAction* a : top->menu()->actions())
                    if (!action && a->text() == item) action = a;
            QVERIFY(action);
            action->trigger();
        }
        QStringList seen = captions(h.messages);
        if (!h.openFile.filters.empty()) seen << QStringLiteral("open-file dialog");
        for (const std::string& d : h.launchers.opened)
            seen << QStringLiteral("open ") + QDir(h.dir.path()).relativeFilePath(QString::fromStdString(d));
        if (modal.handled()) seen << modal.title();
        QVERIFY2(seen.size() == 1, qPrintable(seen.join(QLatin1Char(';'))));
        QCOMPARE(seen[0], expected);
        QVERIFY(h.window->isVisible());
    }

    void closingAsksTheController() {
        Harness h;
        h.messages.answers = {MessageDialog::Answer::Cancel, MessageDialog::Answer::Ok};
        QVERIFY(!h.window->close());
        QVERIFY(h.window->isVisible());
        QVERIFY(h.window->close());
        QVERIFY(!h.window->isVisible());
        QCOMPARE(captions(h.messages), (QStringList{q(u"終了"), q(u"終了")}));
    }

    // Files dropped on the source list register in drop order, each with its
    // own checks; elsewhere nothing is taken.
    void dropsRegisterOnTheSourceListOnly() {
        Harness h;
        const QString a = h.writeFile(QStringLiteral("a.txt"), "alpha\n");
        const QString b = h.writeFile(QStringLiteral("b.txt"), "beta\n");
        const QString c = h.writeFile(QStringLiteral("c.txt"), "gamma\n");
        QVERIFY(QDir(h.dir.path()).mkdir(QStringLiteral("folder")));
        QWidget* sources = h.window->sourceList()->viewport();

        auto [taken, action] = dragAndDrop(sources, fileDrag({c, a, h.path(QStringLiteral("folder")), b}).get());
        QVERIFY(taken);
        QCOMPARE(action, Qt::CopyAction);
        QCOMPARE(Harness::entries(h.window->sourceList()),
                 (QStringList{QStringLiteral("c.txt"), QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        QCOMPARE(captions(h.messages), QStringList{q(u"エラー: 登録")});

        // No local file list: no drop.
        QMimeData text, remote;
        text.setText(QStringLiteral("d.txt"));
        remote.setUrls({QUrl(QStringLiteral("https://example.org/d.txt"))});
        QVERIFY(!dragAndDrop(sources, &text).first);
        QVERIFY(!dragAndDrop(sources, &remote).first);

        // The output list takes nothing, and neither does the window.
        const auto other = fileDrag({h.writeFile(QStringLiteral("d.txt"), "delta\n")});
        QVERIFY(!dragAndDrop(h.window->outputList()->viewport(), other.get()).first);
        QVERIFY(!dragAndDrop(h.window.get(), other.get()).first);
        QCOMPARE(int(h.controller->getModel()->getSrcTexts().size()), 3);
        QVERIFY(h.messages.shown.empty());
    }

    void updateKeepsTheSourceSelectionOnly() {
        Harness h;
        h.append({"a.txt", "b.txt", "c.txt"});
        h.controller->cmdConvert();
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
    }

    // Releasing the last entry leaves nothing selected; releasing one in the
    // middle selects the entry that moved up, and the status bar follows.
    // The status bar shows the full path, which tells apart equal names.
    void statusBarFollowsTheSourceSelection() {
        Harness h;
        h.append({"a.txt", "b.txt", "c.txt", "d.txt"});
        ListBox* list = h.window->sourceList();
        QToolButton* release = h.window->toolBarButtons()[1];

        list->setCurrentRow(3);
        QTest::mouseClick(release, Qt::LeftButton);
        QCOMPARE(Harness::entries(list), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")}));
        QCOMPARE(h.window->getSelectedSrcTextIndex(), -1);
        QCOMPARE(h.window->statusText(), QString());

        list->setCurrentRow(1);
        QCOMPARE(h.window->statusText(), h.path(QStringLiteral("b.txt")));
        QTest::mouseClick(release, Qt::LeftButton);
        QCOMPARE(Harness::entries(list), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt")}));
        QCOMPARE(h.window->getSelectedSrcTextIndex(), 1);
        QCOMPARE(h.window->statusText(), h.path(QStringLiteral("c.txt")));
        QVERIFY(h.messages.shown.empty());

        QVERIFY(QDir(h.dir.path()).mkpath(QStringLiteral("one")) && QDir(h.dir.path()).mkpath(QStringLiteral("two")));
        h.append({"one/same.txt", "two/same.txt"});
        QCOMPARE(Harness::entries(list).mid(2), (QStringList{QStringLiteral("same.txt"), QStringLiteral("same.txt")}));
        list->setCurrentRow(2);
        QCOMPARE(h.window->statusText(), h.path(QStringLiteral("one/same.txt")));
        list->setCurrentRow(3);
        QCOMPARE(h.window->statusText(), h.path(QStringLiteral("two/same.txt")));
    }

    void doubleClicksAndEnterRunTheirCommands() {
        Harness h;
        h.append({"a.txt"});
        h.controller->cmdConvert();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        ListBox* src = h.window->sourceList();
        ListBox* out = h.window->outputList();
        const std::string html = h.path(QStringLiteral("a.html")).toStdString();

        // Double click on the entry: edit it with the associated program.
        QTest::mouseDClick(src->viewport(), Qt::LeftButton, {}, src->visualItemRect(src->item(0)).center());
        QCOMPARE(h.launchers.opened, std::vector<std::string>{h.path(QStringLiteral("a.txt")).toStdString()});
        // Double click on an empty output list area: review with nothing selected.
        QTest::mouseDClick(out->viewport(), Qt::LeftButton, {}, QPoint(5, out->viewport()->height() - 5));
        QCOMPARE(captions(h.messages), QStringList{q(u"エラー: レビュー")});
        // Double click on the output: review it.
        QTest::mouseDClick(out->viewport(), Qt::LeftButton, {}, out->visualItemRect(out->item(0)).center());
        QCOMPARE(h.launchers.opened.back(), html);

        // Enter (either key) in the output list views the selected output in
        // the editor; in the source list it runs nothing.
        h.controller->settings().TextEditor = u"/usr/bin/editor";
        out->setCurrentRow(0);
        out->setFocus();
        QTest::keyClick(out, Qt::Key_Return);
        QTest::keyClick(out, Qt::Key_Enter);
        QTest::keyClick(src, Qt::Key_Return);
        const std::pair<std::string, std::string> viewed{"/usr/bin/editor", html};
        QVERIFY(h.launchers.started == (std::vector{viewed, viewed}));
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
