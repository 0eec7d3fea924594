#include "GuiTest.h"
#include "OpenLog.h"
#include "clock/Form1.h"
#include "log/DataControl.h"
#include "log/FrmLog1.h"
#include "log/LogGrid.h"
#include "log/LogGridView.h"
#include "log/LogTableModel.h"
#include "platform/DesignLook.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QStringList kThree{"2024-01-05|IK0AA|", "2024-01-06|IK0BB|", "2024-01-07|IK0CC|"};
const QString kChangedElsewhere = QStringLiteral(
    "Record 1 was changed by someone else since it was read, so it was not overwritten. Nothing "
    "was saved; the changes are still pending.");

QStringList shownCalls(const OpenLog& log) {
    QStringList calls;
    for (int row = 0; row < log.model()->rowCount() - 1; ++row)
        calls << log.cell(row, 3);
    return calls;
}
} // namespace

// The log window: its look, its record commands with their error reports, saving what the
// operator typed, search and reset, closing, and the resize rule.
class TestFrmLog1 : public QObject {
    Q_OBJECT
private slots:
    void typingANewContact_data();
    void typingANewContact();
    void escapeDropsTheCurrentRowOnly();
    void cleanup();
    void looksAsDesigned();
    void panelControlsSitWhereDesigned_data();
    void panelControlsSitWhereDesigned();
    void recordCaptionFollowsMoves_data();
    void recordCaptionFollowsMoves();
    void addAndDeleteMove_data();
    void addAndDeleteMove();
    void commandsWritePendingEdits_data();
    void commandsWritePendingEdits();
    void closingWritesPendingEdits_data();
    void closingWritesPendingEdits();
    void searchResetAndReopen();
    void logTwiceLeavesOneWindow();
    void missingLogFileIsADataError();
    void gridHeightFollowsTheWindow();
    void unloadRestoresThePointer();
};

void TestFrmLog1::cleanup() {
    QCOMPARE(GuiTest::remainingWindows(), QStringList());
}

void TestFrmLog1::looksAsDesigned() {
    OpenLog log(kThree);
    FrmLog1* window = log.open();
    QCOMPARE(window->windowTitle(), QStringLiteral("Log1"));
    QCOMPARE(window->size(), QSize(758, 283));
    QCOMPARE(window->windowType(), Qt::Window);
    QVERIFY(!(window->windowFlags() & Qt::FramelessWindowHint));

    auto* grid = window->findChild<LogGrid*>(QStringLiteral("grdDataGrid"));
    QCOMPARE(grid->geometry(), QRect(0, 0, 758, 239));
    QCOMPARE(grid->caption()->text(), QStringLiteral("Tempora Log"));
    QCOMPARE(grid->caption()->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(grid->view()->horizontalHeader()->font().pointSizeF(), 8.25);
    QCOMPARE(grid->view()->font().family(), QStringLiteral("Arial"));
    QCOMPARE(grid->view()->font().pointSizeF(), 11.25);
    QVERIFY(grid->view()->font().bold());
    QCOMPARE(grid->view()->toolTip(),
             QStringLiteral("Double click on \"Call\" for to copy \"Date\" and \"Time\""));
    QStringList columns;
    for (int column = 0; column < log.model()->columnCount(); ++column) {
        columns << QStringLiteral("%1 %2").arg(
            log.model()->headerData(column, Qt::Horizontal).toString(),
            QString::number(grid->view()->columnWidth(column)));
    }
    QCOMPARE(columns, QStringList({"Date 61", "Time Init 61", "Time End 61", "Call 101", "Name 128",
                                   "QTH 128", "QSL Man. 101", "Band 48", "Frequency 61", "Mode 48",
                                   "Note 235"}));
    QCOMPARE(QApplication::focusWidget(), grid->view());

    QStringList chain;
    QWidget* widget = grid->view();
    while ((widget = widget->nextInFocusChain()) != grid->view()) {
        if (widget->parentWidget() && widget->parentWidget()->objectName() == "picButtons")
            chain << widget->objectName();
    }
    QCOMPARE(chain.join(' '), QStringLiteral("cmdAdd cmdUpdate cmdDelete cmdRefresh cmdClose "
                                             "Command1 Text1 Text2 Text3 Text4 Command2"));

    auto* text4 = window->findChild<QLineEdit*>(QStringLiteral("Text4"));
    QCOMPARE(text4->palette().color(QPalette::Base), QColor(192, 255, 255));
    QCOMPARE(text4->font().family(), QStringLiteral("Arial"));
    QCOMPARE(text4->font().pointSizeF(), 9.75);
    QVERIFY(text4->font().bold());
    QCOMPARE(log.dataControl()->height(), 330);
}

void TestFrmLog1::panelControlsSitWhereDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("shown");
    QTest::newRow("cmdAdd") << "cmdAdd"
                            << "Aggi&ungi" << QRect(59, 0, 1095, 300) << true;
    QTest::newRow("cmdUpdate") << "cmdUpdate"
                               << "&Aggiorna" << QRect(1213, 0, 1095, 300) << true;
    QTest::newRow("cmdDelete") << "cmdDelete"
                               << "&Elimina" << QRect(2367, 0, 1095, 300) << true;
    QTest::newRow("cmdRefresh") << "cmdRefresh"
                                << "&Rivisualizza" << QRect(3521, 0, 1095, 300) << true;
    QTest::newRow("cmdClose") << "cmdClose"
                              << "&Chiudi" << QRect(4675, 0, 1095, 300) << true;
    QTest::newRow("Command1") << "Command1"
                              << "Cerca" << QRect(8280, 0, 1095, 300) << true;
    QTest::newRow("Text1") << "Text1"
                           << "Text1" << QRect(9600, 0, 495, 285) << false;
    QTest::newRow("Text2") << "Text2"
                           << "Text2" << QRect(10200, 0, 495, 285) << false;
    QTest::newRow("Text3") << "Text3"
                           << "Text3" << QRect(10800, 0, 495, 285) << false;
    QTest::newRow("Text4") << "Text4"
                           << "" << QRect(7080, 0, 1095, 300) << true;
    QTest::newRow("Command2") << "Command2"
                              << "Reset" << QRect(5880, 0, 1095, 300) << true;
}

void TestFrmLog1::panelControlsSitWhereDesigned() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, twips);
    QFETCH(bool, shown);
    OpenLog log;
    FrmLog1* window = log.open();
    auto* panel = window->findChild<QWidget*>(QStringLiteral("picButtons"));
    QCOMPARE(panel->geometry(), QRect(0, 263, 758, 20));
    auto* control = panel->findChild<QWidget*>(name);
    QCOMPARE(control->geometry(),
             DesignLook::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    QCOMPARE(control->isVisible(), shown);
    const auto* button = qobject_cast<QPushButton*>(control);
    QCOMPARE(button ? button->text() : qobject_cast<QLineEdit*>(control)->text(), text);
}

void TestFrmLog1::recordCaptionFollowsMoves_data() {
    QTest::addColumn<QStringList>("contacts");
    QTest::addColumn<int>("clickedRow"); // -1: none
    QTest::addColumn<QString>("caption");
    QTest::newRow("after open") << kThree << -1 << "Record: 1";
    QTest::newRow("third record") << kThree << 2 << "Record: 3";
    QTest::newRow("new-record row") << kThree << 3 << "Record: -3";
    QTest::newRow("empty log") << QStringList() << -1 << "Record: -1";
}

void TestFrmLog1::recordCaptionFollowsMoves() {
    QFETCH(QStringList, contacts);
    QFETCH(int, clickedRow);
    QFETCH(QString, caption);
    OpenLog log(contacts);
    log.open();
    if (clickedRow >= 0)
        log.clickCell(clickedRow, 1);
    QCOMPARE(log.dataControl()->caption(), caption);
    QVERIFY(log.test.dialogs.messages().isEmpty());
}

void TestFrmLog1::addAndDeleteMove_data() {
    QTest::addColumn<QStringList>("contacts");
    QTest::addColumn<int>("row"); // clicked before the command; -1: the search box has the focus
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<QString>("storedCalls");
    QTest::addColumn<QStringList>("messages");
    const QString three = "IK0AA IK0BB IK0CC";
    const QString noLast = "The record set is empty: there is no last record.";
    QTest::newRow("add") << kThree << -1 << "cmdAdd" << 3 << three << QStringList();
    QTest::newRow("add on an empty log")
        << QStringList() << -1 << "cmdAdd" << 0 << "" << QStringList{noLast};
    QTest::newRow("delete middle")
        << kThree << 1 << "cmdDelete" << 1 << "IK0AA IK0CC" << QStringList();
    QTest::newRow("delete last") << kThree << 2 << "cmdDelete" << 1 << "IK0AA IK0BB"
                                 << QStringList();
    QTest::newRow("delete only") << QStringList{"2024-01-05|IK0AA|"} << 0 << "cmdDelete" << 0 << ""
                                 << QStringList{noLast};
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
    FrmLog1* window = log.open();
    if (row < 0)
        window->findChild<QLineEdit*>(QStringLiteral("Text4"))->setFocus();
    else
        log.clickCell(row, 0);
    log.click(qPrintable(command));
    OpenLog::settle();
    QCOMPARE(log.test.dialogs.messageTexts(), messages);
    QCOMPARE(log.file->calls().join(' '), storedCalls);
    QCOMPARE(shownCalls(log).join(' '), storedCalls);
    QCOMPARE(log.currentRow(), currentRow);
    QCOMPARE(log.model()->currentRow(), currentRow);
    QVERIFY(log.test.dialogs.questions().isEmpty());
    if (command == "cmdAdd") {
        // The add lands on the new-record row through a Down key sent to the grid.
        const bool sent = messages.isEmpty();
        QCOMPARE(log.test.keystroke.downs(), sent ? 1 : 0);
        QCOMPARE(QApplication::focusWidget() == log.view(), sent);
        QCOMPARE(log.model()->newRecordRow(), currentRow);
    }
}

void TestFrmLog1::commandsWritePendingEdits_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("typed"); // into the name of the first contact, then Enter
    QTest::addColumn<bool>("changedElsewhere");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("storedName");
    QTest::newRow("update, nothing pending") << "cmdUpdate"
                                             << "" << false << QStringList() << "-";
    QTest::newRow("update") << "cmdUpdate"
                            << "Mario" << false << QStringList() << "Mario";
    QTest::newRow("update, changed elsewhere")
        << "cmdUpdate"
        << "Mario" << true << QStringList{kChangedElsewhere} << "Luigi";
    QTest::newRow("refresh") << "cmdRefresh"
                             << "Mario" << false << QStringList() << "Mario";
    QTest::newRow("search, changed elsewhere")
        << "Command1"
        << "Mario" << true << QStringList{kChangedElsewhere} << "Luigi";
    QTest::newRow("reset, changed elsewhere")
        << "Command2"
        << "Mario" << true << QStringList{kChangedElsewhere} << "Luigi";
    QTest::newRow("down to the next row") << "Down"
                                          << "Mario" << false << QStringList() << "Mario";
    QTest::newRow("down to the next row, changed elsewhere")
        << "Down"
        << "Mario" << true << QStringList{"Data error event hit err:" + kChangedElsewhere}
        << "Luigi";
}

void TestFrmLog1::commandsWritePendingEdits() {
    QFETCH(QString, command);
    QFETCH(QString, typed);
    QFETCH(bool, changedElsewhere);
    QFETCH(QStringList, messages);
    QFETCH(QString, storedName);
    OpenLog log(kThree);
    log.open();
    if (!typed.isEmpty()) {
        log.clickCell(0, 4);
        log.type(typed);
        log.key(Qt::Key_Return);
    }
    if (changedElsewhere)
        log.file->execute(QStringLiteral("UPDATE Log1 SET Name = 'Luigi' WHERE rowid = 1"));
    if (command == "Down")
        log.key(Qt::Key_Down);
    else
        log.click(qPrintable(command));
    OpenLog::settle();
    QCOMPARE(log.test.dialogs.messageTexts(), messages);
    QCOMPARE(log.stored().first().section('|', 4), storedName);
    if (!typed.isEmpty())
        QCOMPARE(log.cell(0, 4), typed.toUpper()); // what was typed is kept either way
}

void TestFrmLog1::closingWritesPendingEdits_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("answer"); // to the question when the save fails; empty: saved
    for (const char* how : {"Chiudi", "close box", "Confirm Exit"}) {
        QTest::addRow("%s", how) << how << "";
        QTest::addRow("%s, changed elsewhere, go back", how) << how << "go back";
        QTest::addRow("%s, changed elsewhere, discard", how) << how << "discard";
    }
}

void TestFrmLog1::closingWritesPendingEdits() {
    QFETCH(QString, how);
    QFETCH(QString, answer);
    OpenLog log(kThree);
    FrmLog1* window = log.open(true);
    log.clickCell(0, 4);
    log.type("Mario"); // the editor stays open
    if (!answer.isEmpty()) {
        log.file->execute(QStringLiteral("UPDATE Log1 SET Name = 'Luigi' WHERE rowid = 1"));
        log.test.dialogs.queueAnswer(answer == "discard");
    }
    if (how == "Chiudi")
        log.click("cmdClose");
    else if (how == "close box")
        window->close();
    else
        log.windows.form1().instance()->findChild<QAction*>(QStringLiteral("confirm"))->trigger();
    OpenLog::settle();
    const bool back = answer == "go back";
    QCOMPARE(log.windows.frmLog1().isLoaded(), back);
    QCOMPARE(log.windows.form1().isLoaded(), back || how != "Confirm Exit");
    QCOMPARE(log.stored().first().section('|', 4),
             answer.isEmpty() ? QStringLiteral("Mario") : QStringLiteral("Luigi"));
    QVERIFY(log.test.dialogs.messageTexts().isEmpty());
    QCOMPARE(log.test.dialogs.questions().size(), answer.isEmpty() ? 0 : 1);
    if (back)
        QCOMPARE(log.cell(0, 4), QStringLiteral("MARIO"));
    log.test.dialogs.queueAnswer(true);
    log.windows.frmLog1().unload();
    log.windows.form1().unload();
}

void TestFrmLog1::searchResetAndReopen() {
    OpenLog log({"2024-03-01|IK0CC|", "2024-01-01|IK0AA|", "2024-02-01|IK0BB|"});
    FrmLog1* window = log.open();
    QCOMPARE(shownCalls(log).join(' '), QStringLiteral("IK0AA IK0BB IK0CC"));

    window->findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(QStringLiteral("ik0bb"));
    log.click("Command1");
    QCOMPARE(shownCalls(log).join(' '), QStringLiteral("IK0BB"));
    log.file->add(QStringLiteral("2023-12-01"), QStringLiteral("IK0BB"));
    log.click("cmdRefresh");
    QCOMPARE(shownCalls(log).join(' '), QStringLiteral("IK0BB IK0BB"));

    log.click("Command2");
    QCOMPARE(log.text("Text4"), QString());
    QCOMPARE(shownCalls(log).join(' '), QStringLiteral("IK0CC IK0AA IK0BB IK0BB"));

    log.click("Command1"); // an empty search text finds no call
    QCOMPARE(shownCalls(log), QStringList());
    log.click("cmdClose");
    log.open();
    QCOMPARE(shownCalls(log).join(' '), QStringLiteral("IK0BB IK0AA IK0BB IK0CC"));
    QCOMPARE(log.cell(0, 0), QStringLiteral("01/12/2023"));
    QVERIFY(log.test.dialogs.messages().isEmpty());
}

void TestFrmLog1::logTwiceLeavesOneWindow() {
    OpenLog log(kThree);
    FrmLog1* first = log.open(true);
    Form1* clock = log.windows.form1().instance();
    clock->activateWindow();
    QTest::mouseClick(clock->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(log.windows.frmLog1().instance(), first);
    QVERIFY(QTest::qWaitForWindowActive(first));
    int logs = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        logs += widget->objectName() == QStringLiteral("frmLog1");
    QCOMPARE(logs, 1);
    log.windows.form1().unload();
    log.windows.frmLog1().unload();
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
    QCOMPARE(log.model()->currentRow(), -1);
    QTest::mouseDClick(log.view()->viewport(), Qt::LeftButton);
    log.click("cmdUpdate");
    QCOMPARE(log.test.dialogs.messageTexts().mid(1), QStringList{"The record set is not open."});
    QVERIFY(log.test.errors.failures().isEmpty());
    QCOMPARE(log.text("Text1"), QStringLiteral("Text1"));
}

void TestFrmLog1::gridHeightFollowsTheWindow() {
    OpenLog log(kThree);
    FrmLog1* window = log.open();
    auto* grid = window->findChild<QWidget*>(QStringLiteral("grdDataGrid"));
    window->resize(800, 400); // (6000 - 330 - 30 - 300) twips
    QCOMPARE(grid->geometry(), QRect(0, 0, 800, 356));
    window->resize(600, 20); // negative: the grid keeps its height
    QCOMPARE(grid->size(), QSize(600, 356));
    window->showMinimized();
    window->showNormal();
    window->resize(758, 283);
    QCOMPARE(grid->size(), QSize(758, 239));
    QVERIFY(log.test.dialogs.messages().isEmpty());
}

void TestFrmLog1::unloadRestoresThePointer() {
    OpenLog log;
    log.open();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QVERIFY(log.windows.frmLog1().unload());
    QVERIFY(!QApplication::overrideCursor());
}

void TestFrmLog1::typingANewContact_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QList<Qt::Key>>("between"); // keys from the call to the name
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("added");
    QTest::newRow("Tab") << "ik0dd" << QList<Qt::Key>{Qt::Key_Tab} << "Mario"
                         << QStringList{"-|-|-|ik0dd|Mario"};
    QTest::newRow("Return, Right") << "ik0dd" << QList<Qt::Key>{Qt::Key_Return, Qt::Key_Right}
                                   << "Mario" << QStringList{"-|-|-|ik0dd|Mario"};
    QTest::newRow("F2 and nothing typed")
        << "" << QList<Qt::Key>{Qt::Key_F2, Qt::Key_Return} << "" << QStringList();
}

void TestFrmLog1::typingANewContact() {
    QFETCH(QString, call);
    QFETCH(QList<Qt::Key>, between);
    QFETCH(QString, name);
    QFETCH(QStringList, added);
    OpenLog log(kThree);
    log.open();
    log.click("cmdAdd");
    OpenLog::settle();
    log.clickCell(3, 3);
    log.type(call);
    for (Qt::Key key : between)
        log.key(key);
    log.type(name);
    log.key(Qt::Key_Up);
    QCOMPARE(log.stored().mid(3), added);
    QCOMPARE(log.currentRow(), 2);
    QCOMPARE(log.model()->newRecordRow(), 3 + added.size());
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

QTEST_MAIN(TestFrmLog1)
#include "tst_frmlog1.moc"
