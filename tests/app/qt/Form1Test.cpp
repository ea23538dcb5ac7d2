// The main window: which command each gesture runs (tests/data/app/
// window-wiring.txt), and how its lists and status bar follow the model.

#include "TestSupport.h"
#include "app/qt/ListBox.h"
#include "ccc/encoding/Ccc.h"

using namespace qttest;

namespace {

// A drag-enter and, when it is taken, a drop of `data`; whether the drop
// was taken, as a copy.
bool dragAndDrop(QWidget* target, QMimeData* data) {
    const QPoint at = target->rect().center();
    const auto actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at, actions, data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), actions, data, Qt::LeftButton, Qt::NoModifier);
    if (enter.isAccepted()) QApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

QStringList entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(CCC::Ccc::initialize()); }
    void cleanupTestCase() { CCC::Ccc::unInitialize(); }

    void gesturesRunTheirCommands_data() {
        QTest::addColumn<QStringList>("fields");
        QFile file(QStringLiteral(QM_SOURCE_DIR "/tests/data/app/window-wiring.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        for (int number = 1; !file.atEnd(); ++number) {
            const QString line = QString::fromUtf8(file.readLine()).chopped(1);
            if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
                QTest::addRow("%d %s", number, qPrintable(line)) << line.split(QLatin1Char('\t'));
        }
    }
    void gesturesRunTheirCommands() {
        QFETCH(QStringList, fields);
        const QString gesture = fields.value(0), target = fields.value(1), detail = fields.value(2);
        QString expected = fields.value(3);
        Harness h;
        ListBox* list = target == QStringLiteral("source") ? h.window.sourceList() : h.window.outputList();
        list->addItem(QStringLiteral("a.txt"));
        if (gesture == QStringLiteral("menu")) {
            for (QAction* top : h.window.menuBar()->actions())
                for (QAction* item : top->menu()->actions())
                    if (top->text() == target && item->text() == detail) item->trigger();
        } else if (gesture == QStringLiteral("button")) {
            QTest::mouseClick(h.window.toolBarButtons().at(detail.toUInt()), Qt::LeftButton);
        } else if (gesture == QStringLiteral("double-click")) {
            const QPoint at = detail == QStringLiteral("entry") ? list->visualItemRect(list->item(0)).center()
                                                                : QPoint(5, list->viewport()->height() - 5);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        } else if (gesture == QStringLiteral("key")) {
            QTest::keyClick(list, detail == QStringLiteral("Enter") ? Qt::Key_Enter : Qt::Key_Return);
        } else {
            // "text:x" drags plain text, a URL itself, names the folder's files.
            QMimeData data;
            QList<QUrl> urls;
            for (const QString& name : detail.split(QLatin1Char(' ')))
                urls << (name.contains(QLatin1Char(':')) ? QUrl(name) : QUrl::fromLocalFile(h.path(name.toStdString())));
            detail.startsWith(QStringLiteral("text:")) ? data.setText(detail) : data.setUrls(urls);
            QWidget* onto = target == QStringLiteral("window") ? static_cast<QWidget*>(&h.window) : list->viewport();
            QCOMPARE(dragAndDrop(onto, &data), expected != QStringLiteral("refused"));
            if (expected == QStringLiteral("refused")) expected.clear();
        }
        QCoreApplication::processEvents();  // the drop's commands are queued
        QCOMPARE(h.commands.calls.join(QLatin1Char(';')).remove(h.path("")), expected);
        QVERIFY(h.window.isVisible());
    }

    // Refused, exit keeps the window open (see the wiring); allowed, it closes.
    void closingAsksTheCommand() {
        Harness h;
        h.commands.exitAllowed = true;
        QVERIFY(h.window.close() && !h.window.isVisible());
    }

    // update() keeps the source selection where an entry still is, never the
    // output's; the status bar shows the selected source's full path, which
    // tells equal names apart.
    void listsAndStatusBarFollowTheModel() {
        Harness h;
        ListBox* src = h.window.sourceList();
        h.append({"a.txt", "b.txt", "c.txt"});
        h.controller.cmdConvert();
        QCOMPARE(entries(h.window.outputList()),
                 (QStringList{QStringLiteral("a.html"), QStringLiteral("b.html"), QStringLiteral("c.html")}));
        src->setCurrentRow(1);
        h.window.outputList()->setCurrentRow(2);
        h.window.update();
        QCOMPARE(std::pair(h.window.getSelectedSrcTextIndex(), h.window.getSelectedOutputIndex()), std::pair(1, -1));
        QCOMPARE(h.window.statusText(), h.path("b.txt"));
        // Releasing the last entry leaves nothing selected; the first, the
        // entry that moved up.
        src->setCurrentRow(2);
        h.controller.cmdRelease();
        QCOMPARE(std::pair(h.window.getSelectedSrcTextIndex(), h.window.statusText()), std::pair(-1, QString()));
        src->setCurrentRow(0);
        h.controller.cmdRelease();
        QCOMPARE(entries(src), QStringList{QStringLiteral("b.txt")});
        QCOMPARE(std::pair(h.window.getSelectedSrcTextIndex(), h.window.statusText()), std::pair(0, h.path("b.txt")));

        QVERIFY(QDir().mkpath(h.path("one")) && QDir().mkpath(h.path("two")));
        h.append({"one/same.txt", "two/same.txt"});
        QCOMPARE(entries(src).mid(1), (QStringList{QStringLiteral("same.txt"), QStringLiteral("same.txt")}));
        src->setCurrentRow(2);
        QCOMPARE(h.window.statusText(), h.path("two/same.txt"));
        QVERIFY(h.commands.calls.isEmpty());
    }

    // Rows are as tall as the list's font needs, and the horizontal scroll
    // range reaches the end of the longest name, wherever it stands.
    void listsShowLongNamesWhole() {
        const std::string longName = "長い原稿のファイル名はスクロールして最後まで読めなければならない.txt";
        for (const auto& names : {std::pair{longName, std::string("b.txt")}, std::pair{std::string("b.txt"), longName}}) {
            Harness h;
            h.append({names.first, names.second});
            ListBox* list = h.window.sourceList();
            QCoreApplication::processEvents();  // the list lays out its rows later
            const QFontMetrics metrics(list->font());
            const int longRow = names.first == longName ? 0 : 1;
            QVERIFY(list->visualItemRect(list->item(1 - longRow)).height() >= metrics.height());
            QVERIFY(list->horizontalScrollBar()->maximum() + list->viewport()->width() >=
                    metrics.horizontalAdvance(list->item(longRow)->text()));
        }
    }
};

QTEST_MAIN(Form1Test)
#include "Form1Test.moc"
