// The three dialogs' controls, setters and getters, and the platform
// adapters that can run headless.

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "TestSupport.h"
#include "app/qt/Icons.h"
#include "app/qt/LogView.h"
#include "app/qt/Preference.h"
#include "app/qt/QtPlatform.h"
#include "app/qt/QtText.h"
#include "app/qt/Rename.h"

using namespace qttest;

namespace {

template <class W>
W* child(QWidget* parent, const char* name) {
    W* w = parent->findChild<W*>(QString::fromLatin1(name));
    if (!w) qWarning("no child %s", name);
    return w;
}

QStringList itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

// Clicks a button while `dialog` runs modally; returns exec()'s result.
int execAndClick(QDialog& dialog, const char* button) {
    dialog.hide();
    NextModal modal([button](QDialog* d) { QTest::mouseClick(child<QPushButton>(d, button), Qt::LeftButton); });
    return dialog.exec();
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void renameShowsAndReturnsTheName() {
        Rename dialog;
        QLineEdit* field = child<QLineEdit>(&dialog, "fileName");

        const Text path = u"/home/作家/原稿 1.txt";
        dialog.setFileName(path);
        QCOMPARE(dialog.getFileName(), path);
        QCOMPARE(execAndClick(dialog, "ok"), int(QDialog::Accepted));
        QCOMPARE(execAndClick(dialog, "cancel"), int(QDialog::Rejected));
        // Typing replaces the name.
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("/tmp/b.txt"));
        QCOMPARE(dialog.getFileName(), Text(u"/tmp/b.txt"));
    }

    void logViewShowsTheLogFromItsStart() {
        LogView dialog;
        auto* field = child<QPlainTextEdit>(&dialog, "log");

        Text log;
        for (int i = 1; i <= 60; ++i) log += u"警告: 行 " + toText(QString::number(i)) + u"\r\n";
        dialog.show();
        dialog.setLog(log);
        QCOMPARE(field->blockCount(), 61);
        QVERIFY(!field->toPlainText().contains(QLatin1Char('\r')));
        QVERIFY(dialog.getLog().starts_with(u"警告: 行 1\n警告: 行 2\n"));
        QCOMPARE(field->textCursor().position(), 0);
        QCOMPARE(field->verticalScrollBar()->value(), 0);
        dialog.hide();
        QCOMPARE(execAndClick(dialog, "ok"), int(QDialog::Accepted));
    }

    void preferenceControls() {
        FakeOpenFileDialog chooser;
        Preference dialog(chooser);
        auto* style = child<QComboBox>(&dialog, "style");
        QVERIFY(style->isEditable());
        QCOMPARE(itemsOf(style), (QStringList{q(u"無し"), q(u"横書き"), q(u"縦書き"), q(u"横書き（チェック）"), q(u"縦書き（チェック）")}));
        for (const char* name : {"inputCharset", "outputCharset"}) {
            auto* list = child<QComboBox>(&dialog, name);
            QVERIFY(!list->isEditable());
            QCOMPARE(itemsOf(list), (QStringList{QStringLiteral("Shift_JIS"), QStringLiteral("UTF-8")}));
        }

        // Before any setter: XHTML 1.0, no syntax button, which reads as 2.
        QVERIFY(child<QRadioButton>(&dialog, "xhtml10")->isChecked());
        QCOMPARE(dialog.getXhtmlVersion(), 0);
        QVERIFY(!child<QRadioButton>(&dialog, "syntax2")->isChecked());
        QCOMPARE(dialog.getSyntax(), 2);
        QCOMPARE(execAndClick(dialog, "ok"), int(QDialog::Accepted));
        QCOMPARE(execAndClick(dialog, "cancel"), int(QDialog::Rejected));
    }

    // setter value -> getter value, per setting; out-of-range values read
    // back as the default.
    void preferenceRoundTrips() {
        FakeOpenFileDialog chooser;
        Preference d(chooser);
        struct IntSetting {
            void (Preference::*set)(int);
            int (Preference::*get)() const;
            std::vector<std::pair<int, int>> cases;
        };
        const IntSetting settings[] = {
            {&Preference::setSyntax, &Preference::getSyntax, {{3, 3}, {4, 4}, {2, 2}, {1, 2}, {7, 2}}},
            {&Preference::setXhtmlVersion, &Preference::getXhtmlVersion, {{1, 1}, {0, 0}, {2, 0}}},
            {&Preference::setInputCharset, &Preference::getInputCharset, {{1, 1}, {0, 0}, {5, 0}}},
            {&Preference::setOutputCharset, &Preference::getOutputCharset, {{0, 0}, {1, 1}}},
            {&Preference::setStyleSheet, &Preference::getStyleSheet, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}},
        };
        for (const IntSetting& s : settings)
            for (auto [set, get] : s.cases) {
                (d.*s.set)(set);
                QCOMPARE((d.*s.get)(), get);
            }
        QVERIFY(child<QRadioButton>(&d, "syntax2")->isChecked());
        QCOMPARE(d.getInputCharset(), 0);
        // The check boxes, set to differing values so that crossed wires show.
        for (bool on : {true, false}) {
            d.setSpanTenP(on);
            d.setSpanPeriodP(!on);
            d.setSpanCommaP(on);
            d.setEscapeByAppendP(!on);
            QCOMPARE(d.getSpanTenP(), on);
            QCOMPARE(d.getSpanPeriodP(), !on);
            QCOMPARE(d.getSpanCommaP(), on);
            QCOMPARE(d.getEscapeByAppendP(), !on);
        }
        // Choosing a fixed item stores its text as the file name.
        d.setStyleSheet(1);
        QCOMPARE(d.getStyleSheetFileName(), Text(u"横書き"));
        // 100 without a named file: nothing selected, read back as none.
        d.setStyleSheet(100);
        QCOMPARE(d.getStyleSheet(), 0);
    }

    void preferenceStyleSixthItemAndTypedName() {
        FakeOpenFileDialog chooser;
        {
            Preference d(chooser);
            auto* style = child<QComboBox>(&d, "style");
            d.setStyleSheetFileName(u"");
            QCOMPARE(style->count(), 5);
            d.setStyleSheetFileName(u"/css/my.css");
            d.setStyleSheet(100);
            QCOMPARE(style->count(), 6);
            QCOMPARE(style->currentIndex(), 5);
            QCOMPARE(style->currentText(), QStringLiteral("/css/my.css"));
            QCOMPARE(d.getStyleSheet(), 100);
            QCOMPARE(d.getStyleSheetFileName(), Text(u"/css/my.css"));
            d.setStyleSheet(2);
            QCOMPARE(d.getStyleSheet(), 2);
            QCOMPARE(d.getStyleSheetFileName(), Text(u"縦書き"));
        }
        {
            // A name typed by the user gives 100 and the name; emptied, 0.
            Preference d(chooser);
            auto* style = child<QComboBox>(&d, "style");
            d.setStyleSheet(1);
            QLineEdit* field = style->lineEdit();
            field->selectAll();
            QTest::keyClicks(field, QStringLiteral("my.css"));
            QCOMPARE(d.getStyleSheet(), 100);
            QCOMPARE(d.getStyleSheetFileName(), Text(u"my.css"));
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Backspace);
            QCOMPARE(d.getStyleSheet(), 0);
            QCOMPARE(d.getStyleSheetFileName(), Text());
            // Choosing an item again ends the typed state.
            style->setCurrentIndex(3);
            emit style->activated(3);
            QCOMPARE(d.getStyleSheet(), 3);
        }
    }

    void preferenceTextEditor() {
        FakeOpenFileDialog chooser;
        Preference d(chooser);
        auto* check = child<QCheckBox>(&d, "editorCheck");
        auto* path = child<QLineEdit>(&d, "editorPath");
        auto* browse = child<QPushButton>(&d, "editorBrowse");
        d.show();

        auto expectState = [&](bool on, const QString& text) {
            QCOMPARE(check->isChecked(), on);
            QCOMPARE(path->isReadOnly(), !on);
            QCOMPARE(browse->isEnabled(), on);
            QCOMPARE(path->text(), text);
        };
        expectState(false, QString());
        QCOMPARE(d.getTextEditor(), Text());

        d.setTextEditor(u"/usr/bin/mousepad");
        expectState(true, QStringLiteral("/usr/bin/mousepad"));
        QCOMPARE(d.getTextEditor(), Text(u"/usr/bin/mousepad"));

        // Clearing the box by hand empties the field.
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
        expectState(false, QString());
        QCOMPARE(d.getTextEditor(), Text());

        // Ticking it by hand opens the field and "..." (an empty path is no editor).
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
        expectState(true, QString());
        QCOMPARE(d.getTextEditor(), Text());

        // "..." asks for a program and puts it in the field.
        chooser.answer = u"/opt/editor/bin/ed it";
        QTest::mouseClick(browse, Qt::LeftButton);
        QCOMPARE(chooser.filters, std::vector<Text>{Preference::programFilter()});
        QCOMPARE(d.getTextEditor(), Text(u"/opt/editor/bin/ed it"));
        // Cancelling the file dialog keeps the field.
        chooser.answer.reset();
        QTest::mouseClick(browse, Qt::LeftButton);
        QCOMPARE(d.getTextEditor(), Text(u"/opt/editor/bin/ed it"));

        d.setTextEditor(u"");
        expectState(false, QString());
    }

    void openFileFilterInQtForm_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("text files") << q(u"テキストファイル (*.txt)|*.txt|全ファイル (*.*)|*.*")
                                    << q(u"テキストファイル (*.txt);;全ファイル (*)");
        QTest::newRow("programs") << q(u"プログラム (*.exe)|*.exe") << q(u"プログラム (*.exe)");
        QTest::newRow("two patterns") << q(u"画像|*.png;*.jpg") << q(u"画像 (*.png *.jpg)");
        QTest::newRow("odd tail ignored") << q(u"A (*.a)|*.a|B") << q(u"A (*.a)");
    }
    void openFileFilterInQtForm() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(QtOpenFileDialog::toQtFilter(toText(filter)), qt);
    }

    // Caption, text (taken literally), information icon, buttons and OK as
    // the default; the answer follows the button, Escape acting as Cancel.
    void messageBoxCaptionsButtonsAndAnswers() {
        QtMessageDialog messages;
        using B = MessageDialog::Buttons;
        using A = MessageDialog::Answer;
        const QString ok = QStringLiteral("OK"), cancel = q(u"キャンセル"), escape;
        const struct {
            B buttons;
            QString click;  // empty: Escape
            A answer;
        } cases[] = {{B::Ok, ok, A::Ok},           {B::Ok, escape, A::Ok},
                     {B::OkCancel, ok, A::Ok},     {B::OkCancel, cancel, A::Cancel},
                     {B::OkCancel, escape, A::Cancel}};
        for (const auto& c : cases) {
            QStringList seen;
            NextModal modal([&](QDialog* d) {
                auto* box = qobject_cast<QMessageBox*>(d);
                QVERIFY(box);
                QStringList buttons;
                for (QAbstractButton* b : box->buttons()) buttons << b->text();
                buttons.sort();
                seen << box->windowTitle() << box->text() << QString::number(box->icon()) << buttons.join(QLatin1Char('|'))
                     << box->defaultButton()->text();
                if (c.click.isEmpty()) QTest::keyClick(box, Qt::Key_Escape);
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == c.click) b->click();
            });
            const A answer = messages.show(u"ファイル(<a&b>)\n二行目", u"エラー: 登録", c.buttons, MessageDialog::Icon::Information,
                                           MessageDialog::DefaultButton::First);
            QVERIFY(modal.handled());
            const QString buttons = c.buttons == B::Ok ? ok : QStringList{ok, cancel}.join(QLatin1Char('|'));
            QCOMPARE(seen, (QStringList{q(u"エラー: 登録"), q(u"ファイル(<a&b>)\n二行目"),
                                        QString::number(QMessageBox::Information), buttons, ok}));
            QVERIFY(answer == c.answer);
        }
    }

    // Every tool-bar key finds its image among the bundled icons; a missing
    // one gives an empty icon rather than a failure.
    void iconsAreFoundByKey() {
        const QString data = QStringLiteral(QM_SOURCE_DIR "/data");
        if (!QFileInfo::exists(data + QStringLiteral("/icons")))
            QSKIP("no bundled icons in this tree");
        for (const char* key : Icons::kToolBarKeys)
            QVERIFY2(!Icons::image(data, QString::fromLatin1(key)).isNull(), key);
        QVERIFY(!Icons::application(data).isNull());
        QVERIFY(Icons::image(data, QStringLiteral("icon_none.png")).isNull());
        QVERIFY(Icons::image(QStringLiteral("/nonexistent"), QStringLiteral("icon_add.png")).isNull());
    }

    void programsStartWithOneArgument() {
        QtProgramStarter starter;
        QTemporaryDir dir;
        const QString marker = dir.filePath(QStringLiteral("a b \"c\".txt"));
        // The argument arrives whole, spaces and quotes included.
        QVERIFY(starter.start("/usr/bin/touch", QFile::encodeName(marker).toStdString()));
        QTRY_VERIFY(QFile::exists(marker));
        QVERIFY(!starter.start("/nonexistent/program", "x"));
        QVERIFY(!starter.start("", "x"));
        QtDocumentOpener opener;
        QVERIFY(!opener.open(""));
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
