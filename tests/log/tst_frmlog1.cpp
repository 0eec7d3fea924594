#include "GuiTest.h"
#include "OpenLog.h"
#include "clock/Form1.h"
#include "log/DataControl.h"
#include "log/FrmLog1.h"
#include "log/LogGridView.h"
#include "log/LogTableModel.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {
const QStringList kThree{"2024-01-05|IK0AA|", "2024-01-06|IK0BB|", "2024-01-07|IK0CC|"};
const QString kChangedElsewhere = QStringLiteral(
    "Record 1 was changed by someone else since it was read, so it was not overwritten. Nothing "
    "was saved; the changes are still pending.");

QString shownCalls(const OpenLog& log) {
    QStringList calls;
    for (int row = 0; row < log.model()->rowCount() - 1; ++row)
        calls << log.cell(row, 3);
    return calls.join(' ');
}

QString cells(const OpenLog& log, int row, int columns) {
    QStringList texts;
    for (int column = 0; column < columns; ++column)
        texts << log.cell(row, column);
    return texts.join('|');
}
} // namespace

// The log window's wiring: the record commands and their reports, what the operator typed
// written before any command, close or re-read, search and reset, the double click transfer
// from the clock window, and the resize rule.
class TestFrmLog1 : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void focusStartsOnTheGridAndTabsThroughThePanel();
    void recordCaptionFollowsMoves_data();
    void recordCaptionFollowsMoves();
    void addAndDeleteMove_data();
    void addAndDeleteMove();
    void commandsWritePendingEdits_data();
    void commandsWritePendingEdits();
    void closingWritesWhatIsBeingTyped_data();
    void closingWritesWhatIsBeingTyped();
    void escapeDropsTheCurrentRowOnly();
    void searchResetAndReopen();
    void missingLogFileIsADataError();
    void doubleClickCopiesDateAndTimes_data();
    void doubleClickCopiesDateAndTimes();
    void gridHeightFollowsTheWindow();
    void unloadRestoresThePointer();
};

void TestFrmLog1::cleanup() {
    QCOMPARE(GuiTest::remainingWindows(), QStringList());
}

void TestFrmLog1::focusStartsOnTheGridAndTabsThroughThePanel() {
    OpenLog log(kThree);
    log.open();
    QCOMPARE(QApplication::focusWidget(), log.view());
    QStringList chain;
    for (QWidget* widget = log.view()->nextInFocusChain(); widget != log.view();
         widget = widget->nextInFocusChain()) {
        if (widget->parentWidget() && widget->parentWidget()->objectName() == "picButtons")
            chain << widget->objectName();
    }
    QCOMPARE(chain.join(' '), QStringLiteral("cmdAdd cmdUpdate cmdDelete cmdRefresh cmdClose "
                                             "Command1 Text1 Text2 Text3 Text4 Command2"));
}

void TestFrmLog1::recordCaptionFollowsMoves_data() {
    QTest::addColumn<int>("clickedRow"); // -1: none
    QTest::addColumn<QString>("caption");
    QTest::newRow("after open") << -1 << "Record: 1";
    QTest::newRow("third record") << 2 << "Record: 3";
    QTest::newRow("new-record row") << 3 << "Record: -3";
}

void TestFrmLog1::recordCaptionFollowsMoves() {
    QFETCH(int, clickedRow);
    QFETCH(QString, caption);
    OpenLog log(kThree);
    log.open();
    if (clickedRow >= 0)
        log.clickCell(clickedRow, 1);
    QCOMPARE(log.dataControl()->caption(), caption);
}

void TestFrmLog1::addAndDeleteMove_data() {
    QTest::addColumn<QStringList>("contacts");
    QTest::addColumn<int>("row"); // clicked before the command
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<QString>("storedCalls");
    QTest::addColumn<QStringList>("messages");
    const QString three = "IK0AA IK0BB IK0CC";
    QTest::newRow("add") << kThree << 0 << "cmdAdd" << 3 << three << QStringList();
    QTest::newRow("add on an empty log")
        << QStringList() << 0 << "cmdAdd" << 0 << ""
        << QStringList{"The record set is empty: there is no last record."};
    QTest::newRow("delete last") << kThree << 2 << "cmdDelete" << 1 << "IK0AA IK0BB"
                                 << QStringList();
    QTest::newRow("delete on the new-record row")
        << kThree << 3 << "cmdDelete" << 3 << three
        << QStringList{"There is no current record to delete."};
}

void TestFrmLog1::addAndDeleteMove() {
    QFETCH(QStringList, contacts);
    QFETCH(int, row);
    QFETCH(QString, command);
    QFETCH(int, currentRow);
    QFETCH(QString, storedCalls);
    QFETCH(QStringList, messages);
    OpenLog log(contacts);
    log.open();
    if (!contacts.isEmpty())
        log.clickCell(row, 0);
    log.click(qPrintable(command));
    OpenLog::settle();
    QCOMPARE(log.test.dialogs.messageTexts(), messages);
    QCOMPARE(log.file->calls().join(' '), storedCalls);
    QCOMPARE(shownCalls(log), storedCalls);
    QCOMPARE(log.currentRow(), currentRow);
    // The add lands on the new-record row through a Down key sent to the grid.
    QCOMPARE(log.test.keystroke.downs(), command == "cmdAdd" && messages.isEmpty() ? 1 : 0);
}

void TestFrmLog1::commandsWritePendingEdits_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("changedElsewhere");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("update") << "cmdUpdate" << false << QStringList();
    QTest::newRow("update, changed elsewhere")
        << "cmdUpdate" << true << QStringList{kChangedElsewhere};
    QTest::newRow("refresh") << "cmdRefresh" << false << QStringList();
    QTest::newRow("search, changed elsewhere")
        << "Command1" << true << QStringList{kChangedElsewhere};
    QTest::newRow("reset, changed elsewhere")
        << "Command2" << true << QStringList{kChangedElsewhere};
    QTest::newRow("down to the next row, changed elsewhere")
        << "Down" << true << QStringList{"Data error event hit err:" + kChangedElsewhere};
}

void TestFrmLog1::commandsWritePendingEdits() {
    QFETCH(QString, command);
    QFETCH(bool, changedElsewhere);
    QFETCH(QStringList, messages);
    OpenLog log(kThree);
    log.open();
    log.clickCell(0, 4);
    log.type("Mario");
    log.key(Qt::Key_Return);
    if (changedElsewhere)
        log.file->execute(QStringLiteral("UPDATE Log1 SET Name = 'Luigi' WHERE rowid = 1"));
    if (command == "Down")
        log.key(Qt::Key_Down);
    else
        log.click(qPrintable(command));
    OpenLog::settle();
    QCOMPARE(log.test.dialogs.messageTexts(), messages);
    QCOMPARE(log.stored().first().section('|', 4), changedElsewhere ? "Luigi" : "Mario");
    QCOMPARE(log.cell(0, 4), "MARIO"); // what was typed is kept either way
}

void TestFrmLog1::closingWritesWhatIsBeingTyped_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("answer"); // to the question when the save fails; empty: saved
    for (const char* how : {"Chiudi", "close box", "Confirm Exit"})
        QTest::addRow("%s", how) << how << "";
    QTest::newRow("Chiudi, changed elsewhere, go back") << "Chiudi"
                                                        << "go back";
    QTest::newRow("Confirm Exit, changed elsewhere, discard") << "Confirm Exit"
                                                              << "discard";
}

void TestFrmLog1::closingWritesWhatIsBeingTyped() {
    QFETCH(QString, how);
    QFETCH(QString, answer);
    OpenLog log(kThree);
    log.open(true);
    log.clickCell(0, 4);
    log.type("Mario"); // the editor stays open
    if (!answer.isEmpty()) {
        log.file->execute(QStringLiteral("UPDATE Log1 SET Name = 'Luigi' WHERE rowid = 1"));
        log.test.dialogs.queueAnswer(answer == "discard");
    }
    if (how == "Chiudi")
        log.click("cmdClose");
    else if (how == "close box")
        log.window->close();
    else
        log.windows.form1().instance()->findChild<QAction*>(QStringLiteral("confirm"))->trigger();
    OpenLog::settle();
    const bool back = answer == "go back";
    QCOMPARE(log.windows.frmLog1().isLoaded(), back);
    QCOMPARE(log.windows.form1().isLoaded(), back || how != "Confirm Exit");
    QCOMPARE(log.stored().first().section('|', 4), answer.isEmpty() ? "Mario" : "Luigi");
    QCOMPARE(log.test.dialogs.questions().size(), answer.isEmpty() ? 0 : 1);
    if (back) {
        QCOMPARE(log.cell(0, 4), QStringLiteral("MARIO"));
        log.test.dialogs.queueAnswer(true);
        QVERIFY(log.windows.frmLog1().unload());
    }
    log.windows.form1().unload();
}

void TestFrmLog1::escapeDropsTheCurrentRowOnly() {
    OpenLog log(kThree);
    log.open();
    log.clickCell(0, 4);
    log.type("Mario");
    log.key(Qt::Key_Return);
    log.file->execute(QStringLiteral("UPDATE Log1 SET Name = 'Luigi' WHERE rowid = 1"));
    log.clickCell(1, 4); // the first row cannot be written and stays pending
    log.type("Anna");
    log.key(Qt::Key_Return);
    log.key(Qt::Key_Escape);
    OpenLog::settle();
    QCOMPARE(log.cell(1, 4), QString()); // the name as it was read
    QCOMPARE(log.cell(0, 4), QStringLiteral("MARIO"));
    QCOMPARE(log.test.dialogs.messageTexts(),
             QStringList{QStringLiteral("Data error event hit err:") + kChangedElsewhere});
}

void TestFrmLog1::searchResetAndReopen() {
    OpenLog log({"2024-03-01|IK0CC|", "2024-01-01|IK0AA|", "2024-02-01|IK0BB|"});
    log.open();
    log.window->findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(QStringLiteral("ik0bb"));
    log.click("Command1");
    QCOMPARE(shownCalls(log), QStringLiteral("IK0BB"));
    log.file->add(QStringLiteral("2023-12-01"), QStringLiteral("IK0BB"));
    log.click("cmdRefresh");
    QCOMPARE(shownCalls(log), QStringLiteral("IK0BB IK0BB"));
    log.click("Command2");
    QCOMPARE(log.text("Text4"), QString());
    QCOMPARE(shownCalls(log), QStringLiteral("IK0CC IK0AA IK0BB IK0BB"));
    log.click("cmdClose");
    log.open();
    QCOMPARE(shownCalls(log), QStringLiteral("IK0BB IK0AA IK0BB IK0CC"));
}

void TestFrmLog1::missingLogFileIsADataError() {
    OpenLog log;
    log.file.reset();
    QVERIFY(QFile::remove(log.test.logPath()));
    log.open();
    const QStringList messages = log.test.dialogs.messageTexts();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(
        messages.first().startsWith(
            "Data error event hit err:Cannot open the log C:\\Programmi\\Tempora\\tempora.mdb"),
        qPrintable(messages.first()));
    // Nothing to move to, nothing to copy into: the grid takes no gesture as an error.
    QTest::mouseDClick(log.view()->viewport(), Qt::LeftButton);
    log.click("cmdUpdate");
    QCOMPARE(log.test.dialogs.messageTexts().mid(1), QStringList{"The record set is not open."});
    QCOMPARE(log.text("Text1"), QStringLiteral("Text1"));
}

void TestFrmLog1::doubleClickCopiesDateAndTimes_data() {
    QTest::addColumn<QString>("contact"); // the second row, below one with an empty name
    QTest::addColumn<QString>("pair");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected"); // date|start|end of the row; "" for unchanged
    const QString copied = QStringLiteral("06/12/2026|14:30:00 |14:30:00 ");
    QTest::newRow("empty name") << "2024-01-05|IK0AA|"
                                << "meno" << 1 << copied;
    QTest::newRow("new-record row") << "2024-01-05|IK0AA|PAOLO"
                                    << "meno" << 2 << copied;
    QTest::newRow("filled name") << "2024-01-05|IK0AA|PAOLO"
                                 << "meno" << 1 << "";
    QTest::newRow("blank name") << "2024-01-05|IK0AA| "
                                << "meno" << 1 << "";
    QTest::newRow("plus pair shown") << "2024-01-05|IK0AA|"
                                     << "piu" << 1 << "06/12/2026|16:30:00 |16:30:00 ";
}

void TestFrmLog1::doubleClickCopiesDateAndTimes() {
    QFETCH(QString, contact);
    QFETCH(QString, pair);
    QFETCH(int, row);
    QFETCH(QString, expected);
    OpenLog log({"2024-01-01|IK0ZZ|", contact});
    Form1* clock = log.showClock();
    clock->findChild<QAction*>(pair)->trigger();
    log.tick(1);
    log.open();
    log.tick(int(log.test.clock.now().secsTo(QDateTime(QDate(2026, 12, 6), QTime(15, 30)))));
    const QString before = cells(log, row, 3);
    log.doubleClickCell(row, 3);
    QCOMPARE(cells(log, row, 3), expected.isEmpty() ? before : expected);
    QCOMPARE(log.model()->currentRow(), row);
    // Copied as typed: written with the row, not before.
    QCOMPARE(log.stored().at(1).section('|', 0, 2), QStringLiteral("2024-01-05|-|-"));
    QVERIFY(log.test.errors.failures().isEmpty());
    log.windows.form1().unload();
}

void TestFrmLog1::gridHeightFollowsTheWindow() {
    OpenLog log(kThree);
    log.open();
    auto* grid = log.window->findChild<QWidget*>(QStringLiteral("grdDataGrid"));
    log.window->resize(800, 400); // (6000 - 330 - 30 - 300) twips
    QCOMPARE(grid->geometry(), QRect(0, 0, 800, 356));
    log.window->resize(600, 20); // negative: the grid keeps its height
    QCOMPARE(grid->size(), QSize(600, 356));
}

void TestFrmLog1::unloadRestoresThePointer() {
    OpenLog log;
    log.open();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QVERIFY(log.windows.frmLog1().unload());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestFrmLog1)
#include "tst_frmlog1.moc"
