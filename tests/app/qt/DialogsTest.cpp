// What only the Qt layer can get wrong: the window's dialogs show and read
// back their fields, the platform's dialogs return what was chosen, icons
// are found by key, programs get their argument whole.

#include "TestSupport.h"
#include "app/qt/Icons.h"
#include "app/qt/LogView.h"
#include "app/qt/Preference.h"
#include "app/qt/QtJapanese.h"
#include "app/qt/QtPlatform.h"
#include "ccc/encoding/Ccc.h"

using namespace qttest;

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(CCC::Ccc::initialize() && QtJapanese::install()); }
    void cleanupTestCase() { CCC::Ccc::unInitialize(); }

    // The current name is shown; OK returns what was typed, Cancel nothing.
    void renameReturnsTheTypedName() {
        Harness h;
        for (const char* button : {"ok", "cancel"}) {
            QString shown;
            NextModal modal([&](QDialog* d) {
                auto* field = child<QLineEdit>(d, "fileName");
                shown = field->text();
                field->selectAll();
                QTest::keyClicks(field, QStringLiteral("/tmp/b c.txt"));
                QTest::mouseClick(child<QPushButton>(d, button), Qt::LeftButton);
            });
            QCOMPARE(h.window.showRename(u"/home/作家/原稿 1.txt"), button[0] == 'o' ? std::optional<Text>(u"/tmp/b c.txt") : std::nullopt);
            QCOMPARE(shown, QStringLiteral("/home/作家/原稿 1.txt"));
        }
    }

    // CR LF breaks show as lines without a CR glyph, from the first line.
    void logViewShowsTheLogFromItsStart() {
        Harness h;
        Text log;
        for (int i = 1; i <= 60; ++i) log += u"警告: 行 " + toText(QString::number(i)) + u"\r\n";
        NextModal modal([&](QDialog* d) {
            auto* field = child<QPlainTextEdit>(d, "log");
            QVERIFY(qobject_cast<LogView*>(d)->getLog().starts_with(u"警告: 行 1\n警告: 行 2\n"));
            QCOMPARE(std::pair(field->textCursor().position(), field->verticalScrollBar()->value()), std::pair(0, 0));
            QTest::mouseClick(child<QPushButton>(d, "ok"), Qt::LeftButton);
        });
        h.window.showLog(log);
    }

    // Setter value -> getter value; values the dialog cannot offer read back
    // as the default. A named style file is the sixth item; a typed name
    // reads as 100 and the name, an emptied field as none.
    void preferenceReadsBackWhatItShows() {
        Harness h;
        const auto dialog = h.window.createPreference();
        Preference& d = dynamic_cast<Preference&>(*dialog);
        QCOMPARE(std::pair(d.getXhtmlVersion(), d.getSyntax()), std::pair(0, 2));
        const std::tuple<void (Preference::*)(int), int (Preference::*)() const, std::vector<std::pair<int, int>>> ints[] = {
            {&Preference::setSyntax, &Preference::getSyntax, {{3, 3}, {4, 4}, {2, 2}, {1, 2}, {7, 2}}},
            {&Preference::setXhtmlVersion, &Preference::getXhtmlVersion, {{1, 1}, {0, 0}, {2, 0}}},
            {&Preference::setInputCharset, &Preference::getInputCharset, {{1, 1}, {0, 0}, {5, 0}}},
            {&Preference::setOutputCharset, &Preference::getOutputCharset, {{1, 1}, {0, 0}, {5, 0}}},
            {&Preference::setStyleSheet, &Preference::getStyleSheet, {{4, 4}, {1, 1}, {9, 0}, {100, 0}}}};
        for (const auto& [set, get, cases] : ints)
            for (auto [in, out] : cases) {
                (d.*set)(in);
                QCOMPARE((d.*get)(), out);
            }
        for (bool on : {true, false}) {  // differing values, so that crossed wires show
            d.setSpanTenP(on), d.setSpanPeriodP(!on), d.setSpanCommaP(on), d.setEscapeByAppendP(!on);
            QCOMPARE((std::vector{d.getSpanTenP(), d.getSpanPeriodP(), d.getSpanCommaP(), d.getEscapeByAppendP()}),
                     (std::vector{on, !on, on, !on}));
        }
        const auto style = [&d] { return std::pair(d.getStyleSheet(), d.getStyleSheetFileName()); };
        for (const char16_t* name : {u"/css/old.css", u"/css/my.css", u""}) d.setStyleSheetFileName(name);
        d.setStyleSheet(100);
        QCOMPARE(style(), std::pair(100, Text(u"/css/my.css")));
        d.setStyleSheet(2);
        QCOMPARE(style(), std::pair(2, Text(u"縦書き")));
        QLineEdit* field = child<QComboBox>(&d, "style")->lineEdit();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("typed.css"));
        QCOMPARE(style(), std::pair(100, Text(u"typed.css")));
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(style(), std::pair(0, Text()));
        child<QComboBox>(&d, "style")->setCurrentIndex(3);
        emit child<QComboBox>(&d, "style")->activated(3);  // choosing an item ends the typed state
        QCOMPARE(style().first, 3);
        for (auto [button, accepted] : {std::pair{"ok", true}, {"cancel", false}}) {
            NextModal modal([button](QDialog* d) { QTest::mouseClick(child<QPushButton>(d, button), Qt::LeftButton); });
            QCOMPARE(d.showModal(), accepted);
        }
    }

    // The box opens the path field and "..." (which asks for a program);
    // cleared by hand, it empties the field. An empty path is no editor.
    void preferenceTextEditor() {
        Harness h;
        const auto dialog = h.window.createPreference();
        Preference& d = dynamic_cast<Preference&>(*dialog);
        auto* check = child<QCheckBox>(&d, "editorCheck");
        auto* path = child<QLineEdit>(&d, "editorPath");
        auto* browse = child<QPushButton>(&d, "editorBrowse");
        d.show();
        const auto state = [&] { return std::tuple(check->isChecked(), !path->isReadOnly(), browse->isEnabled(), d.getTextEditor()); };
        QCOMPARE(state(), std::tuple(false, false, false, Text()));
        d.setTextEditor(u"/usr/bin/mousepad");
        QCOMPARE(state(), std::tuple(true, true, true, Text(u"/usr/bin/mousepad")));
        for (bool on : {false, true}) {
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
            QCOMPARE(state(), std::tuple(on, on, on, Text()));
        }
        h.platform.answer = u"/opt/editor/bin/ed it";
        QTest::mouseClick(browse, Qt::LeftButton);
        h.platform.answer.reset();  // a cancelled choice keeps the field
        QTest::mouseClick(browse, Qt::LeftButton);
        QCOMPARE(state(), std::tuple(true, true, true, Text(u"/opt/editor/bin/ed it")));
        QCOMPARE(h.platform.filters, (std::vector<Text>(2, Preference::programFilter())));
        d.setTextEditor(u"");
        QCOMPARE(state(), std::tuple(false, false, false, Text()));
    }

    // "label|pattern|..." in Qt's form; the file chosen, nothing when
    // cancelled; Qt's own labels and buttons in Japanese, like the window.
    void openFileDialogReturnsTheChoice() {
        QCOMPARE(QtOpenFileDialog::toQtFilter(u"テキストファイル (*.txt)|*.txt|全ファイル (*.*)|*.*"),
                 QStringLiteral("テキストファイル (*.txt);;全ファイル (*)"));
        QCOMPARE(QtOpenFileDialog::toQtFilter(u"画像|*.png;*.jpg|B"), QStringLiteral("画像 (*.png *.jpg)"));
        qmtest::Scratch scratch("qt");
        qmtest::writeBytes(scratch / "原稿.txt", "x");
        const QString file = QString::fromStdString(scratch.file("原稿.txt"));
        for (bool accept : {true, false}) {
            QStringList filters, texts;
            NextModal modal([&](QDialog* d) {
                filters = qobject_cast<QFileDialog*>(d)->nameFilters();
                for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) texts << child<QLabel>(d, name)->text();
                for (auto button : {QDialogButtonBox::Open, QDialogButtonBox::Cancel})
                    texts << child<QDialogButtonBox>(d, "buttonBox")->button(button)->text();
                qobject_cast<QFileDialog*>(d)->selectFile(file);
                if (accept) d->accept();  // QFileDialog's, which checks the file
            });
            QCOMPARE(QtOpenFileDialog().chooseFile(u"A|*.txt"), accept ? std::optional(toText(file)) : std::nullopt);
            QCOMPARE(filters, QStringList{QStringLiteral("A (*.txt)")});
            QCOMPARE(texts.join(QLatin1Char('|')), QStringLiteral("アドレス:|ファイル名(&N):|ファイルの種類:|開く(&O)|キャンセル"));
        }
    }

    // Opens in the proposed folder with its name filled in; a name typed
    // bare gets the filter's extension.
    void saveFileDialogProposesAndAddsTheExtension() {
        const Text folder = toText(QStringLiteral(QM_SOURCE_DIR "/data/"));
        Text shown;
        NextModal modal([&](QDialog* d) {
            auto* name = child<QLineEdit>(d, "fileNameEdit");
            shown = toText(qobject_cast<QFileDialog*>(d)->directory().absolutePath() + QLatin1Char('/') + name->text());
            name->setText(QStringLiteral("book"));
            d->accept();
        });
        QCOMPARE(QtSaveFileDialog().chooseSaveFile(u"EPUB|*.epub", folder + u"原稿.epub"), std::optional(folder + u"book.epub"));
        QCOMPARE(shown, folder + u"原稿.epub");
    }

    // Caption, literal text, information icon, buttons, OK the default; the
    // answer follows the button, Escape acting as Cancel (OK when alone).
    void messageBoxAnswersByButton() {
        using B = MessageDialog::Buttons;
        using A = MessageDialog::Answer;
        const std::tuple<B, const char16_t*, A, const char16_t*> cases[] = {
            {B::Ok, u"OK", A::Ok, u"|OK|OK"},
            {B::Ok, nullptr, A::Ok, u"|OK|OK"},
            {B::OkCancel, u"OK", A::Ok, u"|OK|OK|キャンセル"},
            {B::OkCancel, u"キャンセル", A::Cancel, u"|OK|OK|キャンセル"},
            {B::OkCancel, nullptr, A::Cancel, u"|OK|OK|キャンセル"}};
        for (const auto& [buttons, click, answer, shown] : cases) {
            QString seen;
            NextModal modal([&, click = click](QDialog* d) {
                auto* box = qobject_cast<QMessageBox*>(d);
                QStringList texts{box->windowTitle(), box->text(), QString::number(box->icon()), box->defaultButton()->text()};
                for (QAbstractButton* b : box->buttons()) texts << b->text();
                seen = texts.join(QLatin1Char('|'));
                if (!click) QTest::keyClick(box, Qt::Key_Escape);
                for (QAbstractButton* b : box->buttons())
                    if (click && b->text() == QString::fromUtf16(click)) b->click();
            });
            QVERIFY(QtMessageDialog().show(u"ファイル(<a&b>)\n二行目", u"エラー: 登録", buttons, MessageDialog::Icon::Information,
                                           MessageDialog::DefaultButton::First) == answer);
            QCOMPARE(seen, QStringLiteral("エラー: 登録|ファイル(<a&b>)\n二行目|") + QString::number(QMessageBox::Information) + QString::fromUtf16(shown));
        }
    }

    // Every tool-bar key finds its image; a missing one gives an empty icon.
    void iconsAreFoundByKey() {
        const QString data = QStringLiteral(QM_SOURCE_DIR "/data");
        for (const char* key : Icons::kToolBarKeys) QVERIFY2(!Icons::image(data, QString::fromLatin1(key)).isNull(), key);
        QVERIFY(!Icons::application(data).isNull());
        QVERIFY(Icons::image(data, QStringLiteral("icon_none.png")).isNull());
        QVERIFY(Icons::image(QStringLiteral("/nonexistent"), QStringLiteral("icon_add.png")).isNull());
    }

    // The argument arrives whole, spaces and quotes included.
    void programsStartWithOneArgument() {
        qmtest::Scratch scratch("qt");
        const std::string marker = scratch.file("a b \"c\".txt");
        QVERIFY(QtProgramStarter().start("/usr/bin/touch", marker));
        QTRY_VERIFY(QFileInfo::exists(QString::fromStdString(marker)));
        QVERIFY(!QtProgramStarter().start("/nonexistent/program", "x") && !QtProgramStarter().start("", "x") &&
                !QtDocumentOpener().open(""));
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
