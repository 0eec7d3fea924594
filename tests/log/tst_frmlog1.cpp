#include "GuiTest.h"
#include "LogFile.h"
#include "TestServices.h"
#include "app/Windows.h"
#include "clock/Form1.h"
#include "log/DataControl.h"
#include "log/FrmLog1.h"
#include "log/LogGridView.h"
#include "platform/SecondTimer.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QString createdLog(TestServices& test) {
    test.writeDifferenceFile("01.00.00");
    test.createLog();
    return test.logPath();
}

// A log with some contacts ("date|call|name", ISO dates) and its window, loaded through the
// window registry on fake services; the operator's clicks and keys go where the window system
// would send them.
struct OpenLog {
    explicit OpenLog(const QStringList& contacts = {"2024-01-05|IK0AA|", "2024-01-06|IK0BB|",
                                                    "2024-01-07|IK0CC|"}) {
        for (const QString& contact : contacts)
            file.add(contact.section('|', 0, 0), contact.section('|', 1, 1),
                     contact.section('|', 2));
    }
    // Shows the window, through the clock window's "Log" button with viaClock.
    void open(bool viaClock = false) {
        if (viaClock)
            QTest::mouseClick(GuiTest::child<QPushButton>(windows.form1().show(), "Command1"),
                              Qt::LeftButton);
        window = viaClock ? windows.frmLog1().instance() : windows.frmLog1().show();
        QVERIFY2(window && QTest::qWaitForWindowActive(window), "the log window did not open");
        view = window->findChild<LogGridView*>();
    }
    // Moves the fake clock on and fires the clock window's running timers.
    void tick(int seconds) {
        test.clock.advance(seconds);
        for (SecondTimer* timer : windows.form1().instance()->findChildren<SecondTimer*>()) {
            if (timer->isActive())
                emit timer->timeout();
        }
    }
    QString cell(int row, int column) const {
        return view->model()->index(row, column).data().toString();
    }
    void click(const QString& button) const {
        QTest::mouseClick(GuiTest::child<QPushButton>(window, button), Qt::LeftButton);
    }
    void clickCell(int row, int column, bool twice = false) const {
        const QModelIndex index = view->model()->index(row, column);
        view->scrollTo(index);
        const QPoint at = view->viewport()->mapTo(window, view->visualRect(index).center());
        if (twice)
            QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    }
    // Types a name into the row's cell; the first key opens the editor, Return closes it.
    void typeName(int row, const QString& name, bool enter = true) const {
        clickCell(row, 4);
        for (const QChar character : name)
            QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
        if (enter)
            key(Qt::Key_Return);
    }
    static void key(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        settle(); // an editor closes on Return only once its queued commit has run
    }
    // Delivers what the program queued (the add command's keystroke, deferred messages).
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    void changeElsewhere() { file.execute("UPDATE Log1 SET Name = 'Luigi' WHERE rowid = 1"); }
    QString storedName() { return file.rows("SELECT Name FROM Log1 WHERE rowid = 1").value(0); }
    // The one message shown starts with prefix; an empty prefix: none was shown.
    void expectMessage(const QString& prefix) {
        const QStringList texts = test.dialogs.messageTexts();
        QVERIFY2(prefix.isEmpty() ? texts.isEmpty()
                                  : texts.size() == 1 && texts[0].startsWith(prefix),
                 qPrintable(texts.join('\n')));
    }

    TestServices test;
    LogFile file{createdLog(test)};
    Windows windows{test.services};
    FrmLog1* window = nullptr;
    LogGridView* view = nullptr;
};

} // namespace

// The log window's wiring: the record commands and their reports, what the operator typed
// written before any command, close or re-read, search and reset, the double click transfer
// from the clock window, and the resize rule.
class TestFrmLog1 : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(GuiTest::remainingWindows(), QStringList()); }

    void addAndDeleteMove_data() {
        QTest::addColumn<int>("row"); // clicked before the command
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("storedCalls");
        QTest::addColumn<QString>("caption");
        QTest::newRow("add") << 0 << QString("cmdAdd") << QString("IK0AA IK0BB IK0CC")
                             << QString("Record: -3");
        QTest::newRow("delete last")
            << 2 << QString("cmdDelete") << QString("IK0AA IK0BB") << QString("Record: 2");
    }

    void addAndDeleteMove() {
        QFETCH(int, row);
        QFETCH(QString, command);
        OpenLog log;
        log.open();
        QCOMPARE(QApplication::focusWidget(), log.view);
        log.clickCell(row, 0);
        log.click(command);
        OpenLog::settle();
        QTEST(log.file.calls().join(' '), "storedCalls");
        QTEST(log.window->findChild<DataControl*>()->caption(), "caption");
        // The add lands on the new-record row through a Down key sent to the grid.
        QCOMPARE(log.test.keystroke.downs(), command == "cmdAdd" ? 1 : 0);
    }

    void commandsWritePendingEdits_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message"); // when the row was changed elsewhere; "": it was not
        const auto row = [](const char* name, const char* command, const char* message) {
            QTest::newRow(name) << QString(command) << QString(message);
        };
        row("update", "cmdUpdate", "");
        row("refresh", "cmdRefresh", "");
        row("update, changed elsewhere", "cmdUpdate", "Record 1 was changed");
        row("search, changed elsewhere", "Command1", "Record 1 was changed");
        row("reset, changed elsewhere", "Command2", "Record 1 was changed");
        row("down, changed elsewhere", "Down", "Data error event hit err:Record 1 was changed");
    }

    void commandsWritePendingEdits() {
        QFETCH(QString, command);
        QFETCH(QString, message);
        OpenLog log;
        log.open();
        log.typeName(0, "Mario");
        if (!message.isEmpty())
            log.changeElsewhere();
        if (command == "Down")
            OpenLog::key(Qt::Key_Down);
        else
            log.click(command);
        OpenLog::settle();
        log.expectMessage(message);
        QCOMPARE(log.storedName(), message.isEmpty() ? "Mario" : "Luigi");
        QCOMPARE(log.cell(0, 4), "MARIO"); // what was typed is kept either way
    }

    void closingWritesWhatIsBeingTyped_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("answer"); // to the question when the save fails; empty: saved
        for (const char* how : {"Chiudi", "close box", "Confirm Exit"})
            QTest::addRow("%s", how) << QString(how) << QString();
        QTest::newRow("Chiudi, go back") << QString("Chiudi") << QString("go back");
        QTest::newRow("Confirm Exit, discard") << QString("Confirm Exit") << QString("discard");
    }

    void closingWritesWhatIsBeingTyped() {
        QFETCH(QString, how);
        QFETCH(QString, answer);
        OpenLog log;
        log.open(true);
        log.typeName(0, "Mario", false); // the editor stays open
        if (!answer.isEmpty()) {
            log.changeElsewhere();
            log.test.dialogs.queueAnswer(answer == "discard");
        }
        if (how == "Chiudi")
            log.click("cmdClose");
        else if (how == "close box")
            log.window->close();
        else
            GuiTest::child<QAction>(log.windows.form1().instance(), "confirm")->trigger();
        OpenLog::settle();
        const bool back = answer == "go back";
        QCOMPARE(log.windows.frmLog1().isLoaded(), back);
        QCOMPARE(log.windows.form1().isLoaded(), back || how != "Confirm Exit");
        QCOMPARE(log.storedName(), answer.isEmpty() ? "Mario" : "Luigi");
        QCOMPARE(log.test.dialogs.questions().size(), answer.isEmpty() ? 0 : 1);
        if (back) { // the operator is never trapped: the next close may discard
            QCOMPARE(log.cell(0, 4), "MARIO");
            log.test.dialogs.queueAnswer(true);
            QVERIFY(log.windows.frmLog1().unload());
        }
        log.windows.form1().unload();
    }

    void escapeDropsTheCurrentRowOnly() {
        OpenLog log;
        log.open();
        log.typeName(0, "Mario");
        log.changeElsewhere();
        log.typeName(1, "Anna"); // the first row cannot be written and stays pending
        OpenLog::key(Qt::Key_Escape);
        OpenLog::settle();
        QCOMPARE(log.cell(1, 4), QString()); // the name as it was read
        QCOMPARE(log.cell(0, 4), "MARIO");
        log.expectMessage("Data error event hit err:Record 1 was changed");
    }

    void searchAndReset() {
        OpenLog log;
        log.open();
        GuiTest::child<QLineEdit>(log.window, "Text4")->setText("ik0bb");
        log.click("Command1");
        QCOMPARE(log.cell(0, 3) + ' ' + log.cell(1, 3), "IK0BB ");
        log.click("Command2");
        QCOMPARE(GuiTest::child<QLineEdit>(log.window, "Text4")->text(), QString());
        QCOMPARE(log.view->model()->rowCount(), 4); // three contacts and the new-record row
    }

    void missingLogFileIsADataError() {
        OpenLog log{QStringList()};
        QVERIFY(QFile::remove(log.test.logPath()));
        log.open();
        log.expectMessage("Data error event hit err:Cannot open the log");
        // Nothing to copy into: the grid takes the gesture without an error.
        QTest::mouseDClick(log.view->viewport(), Qt::LeftButton);
        QCOMPARE(GuiTest::child<QLineEdit>(log.window, "Text1")->text(), "Text1");
    }

    void doubleClickCopiesDateAndTimes_data() {
        QTest::addColumn<QString>("name"); // of the second row, below one with an empty name
        QTest::addColumn<bool>("copied");
        QTest::newRow("empty name") << QString() << true;
        QTest::newRow("blank name") << QString(" ") << false;
    }

    void doubleClickCopiesDateAndTimes() {
        QFETCH(QString, name);
        QFETCH(bool, copied);
        OpenLog log({"2024-01-01|IK0ZZ|", "2024-01-05|IK0AA|" + name});
        GuiTest::child<QAction>(log.windows.form1().show(), "meno")->trigger();
        log.tick(1);
        log.open();
        log.tick(int(log.test.clock.now().secsTo(QDateTime(QDate(2026, 12, 6), QTime(15, 30)))));
        log.clickCell(1, 3, true);
        const QString times = log.cell(1, 0) + '|' + log.cell(1, 1) + '|' + log.cell(1, 2);
        QCOMPARE(times, copied ? "06/12/2026|14:30:00 |14:30:00 " : "05/01/2024||");
        // Copied as typed: written with the row, not before.
        QCOMPARE(log.file.rows("SELECT [Time Init] FROM Log1 WHERE rowid = 2"), QStringList("-"));
        QVERIFY(log.test.errors.failures().isEmpty());
        log.windows.form1().unload();
    }

    void gridHeightFollowsTheWindow() {
        OpenLog log;
        log.open();
        auto* grid = GuiTest::child<QWidget>(log.window, "grdDataGrid");
        log.window->resize(800, 400); // (6000 - 330 - 30 - 300) twips
        QCOMPARE(grid->geometry(), QRect(0, 0, 800, 356));
        log.window->resize(600, 20); // negative: the grid keeps its height
        QCOMPARE(grid->size(), QSize(600, 356));
    }

    void unloadRestoresThePointer() {
        OpenLog log{QStringList()};
        log.open();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QApplication::setOverrideCursor(Qt::BusyCursor);
        QVERIFY(log.windows.frmLog1().unload());
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestFrmLog1)
#include "tst_frmlog1.moc"
