#include "GuiTest.h"
#include "OpenLog.h"
#include "clock/Form1.h"
#include "log/FrmLog1.h"
#include "log/LogGridView.h"
#include "log/LogTableModel.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {
const QString kFirstRow = QStringLiteral("2024-01-01|IK0ZZ|");

QString cells(const OpenLog& log, int row) {
    return QStringList{log.cell(row, 0), log.cell(row, 1), log.cell(row, 2)}.join('|');
}

QString buffers(const OpenLog& log) {
    return QStringList{log.text("Text1"), log.text("Text2"), log.text("Text3")}.join('|');
}
} // namespace

// The grid's double click: the current date and the clock window's minus-pair captions into the
// current row, and a whole contact from the first click on the clocks to the stored row.
class TestLogTransfer : public QObject {
    Q_OBJECT
private slots:
    void loadsTheClockWindowFirst();
    void cleanup();
    void doubleClickCopiesDateAndTimes_data();
    void doubleClickCopiesDateAndTimes();
    void wholeContact();
};

void TestLogTransfer::cleanup() {
    QCOMPARE(GuiTest::remainingWindows(), QStringList());
}

void TestLogTransfer::doubleClickCopiesDateAndTimes_data() {
    QTest::addColumn<QString>("contact"); // the second row, below one with an empty name
    QTest::addColumn<QString>("pair");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected"); // date|start|end of the row; "" for unchanged
    const QDateTime afternoon(QDate(2026, 12, 6), QTime(15, 30));
    const QString copied = QStringLiteral("06/12/2026|14:30:00 |14:30:00 ");
    QTest::newRow("empty name") << "2024-01-05|IK0AA|"
                                << "meno" << afternoon << 1 << 3 << copied;
    QTest::newRow("new-record row") << "2024-01-05|IK0AA|PAOLO"
                                    << "meno" << afternoon << 2 << 3 << copied;
    QTest::newRow("filled name") << "2024-01-05|IK0AA|PAOLO"
                                 << "meno" << afternoon << 1 << 3 << "";
    QTest::newRow("blank name") << "2024-01-05|IK0AA| "
                                << "meno" << afternoon << 1 << 3 << "";
    QTest::newRow("plus pair shown: its clocks are UTC")
        << "2024-01-05|IK0AA|"
        << "piu" << afternoon << 1 << 3 << "06/12/2026|16:30:00 |16:30:00 ";
    QTest::newRow("just after local midnight: the date of the start instant")
        << "2024-01-05|IK0AA|"
        << "meno" << QDateTime(QDate(2026, 12, 7), QTime(0, 0, 30)) << 1 << 3
        << "06/12/2026|23:00:30 |23:00:30 ";
}

void TestLogTransfer::doubleClickCopiesDateAndTimes() {
    QFETCH(QString, contact);
    QFETCH(QString, pair);
    QFETCH(QDateTime, now);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    OpenLog log({kFirstRow, contact});
    Form1* clock = log.showClock();
    clock->findChild<QAction*>(pair)->trigger();
    log.tick(1);
    log.open();
    // An earlier transfer fills the buffers.
    log.doubleClickCell(0, 3);
    const QString earlier = pair == QStringLiteral("piu")
                                ? QStringLiteral("06/12/2026|15:05:10 |15:05:10 ")
                                : QStringLiteral("06/12/2026|13:05:10 |13:05:10 ");
    QCOMPARE(buffers(log), earlier);

    log.tick(int(log.test.clock.now().secsTo(now)));
    const QString before = cells(log, row);
    log.doubleClickCell(row, column);
    QCOMPARE(cells(log, row), expected.isEmpty() ? before : expected);
    QCOMPARE(buffers(log), expected.isEmpty() ? earlier : expected);
    QCOMPARE(log.model()->currentRow(), row);
    // Copied as typed: written with the row, not before.
    QCOMPARE(log.stored().size(), 2);
    QCOMPARE(log.stored().at(1).section('|', 0, 2), QStringLiteral("2024-01-05|-|-"));
    QVERIFY(log.test.dialogs.messages().isEmpty());
    QVERIFY(log.test.errors.failures().isEmpty());
}

void TestLogTransfer::wholeContact() {
    OpenLog log({"2024-01-05|IK0AA|PAOLO"});
    Form1* clock = log.showClock();
    clock->findChild<QAction*>(QStringLiteral("meno"))->trigger();
    log.tick(1);
    QTest::mouseClick(clock->findChild<QWidget*>(QStringLiteral("Label7")), Qt::LeftButton);
    log.tick(300);
    QTest::mouseClick(clock->findChild<QWidget*>(QStringLiteral("Label8")), Qt::LeftButton);
    log.tick(60);
    QCOMPARE(log.test.dialogs.beeps(), 6);

    QTest::mouseClick(clock->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    log.window = log.windows.frmLog1().instance();
    QVERIFY(QTest::qWaitForWindowActive(log.window));
    log.click("cmdAdd");
    OpenLog::settle();
    QCOMPARE(log.currentRow(), 1);
    for (int step = 0; step < 3; ++step)
        log.key(Qt::Key_Right);
    log.type("i"); // opens the editor of the call
    QTest::keyClicks(QApplication::focusWidget(), "k0bb");
    log.doubleClickCell(1, 3);
    log.key(Qt::Key_Right);
    log.type("Mario");
    log.key(Qt::Key_Up);

    QCOMPARE(log.currentRow(), 0);
    QCOMPARE(log.stored(), QStringList({"2024-01-05|-|-|IK0AA|PAOLO",
                                        "2026-12-06|13:05:10 |13:10:10 |ik0bb|Mario"}));
    QCOMPARE(log.cell(1, 3), QStringLiteral("IK0BB"));
    QVERIFY(log.test.dialogs.messages().isEmpty());
}

void TestLogTransfer::loadsTheClockWindowFirst() {
    OpenLog log({kFirstRow});
    log.open();
    log.doubleClickCell(0, 0);
    QVERIFY(log.windows.form1().isLoaded());
    // The captions the freshly loaded clock window holds: the start clock's placeholder, and
    // nothing yet in the stop clock.
    const QString placeholder = log.test.formats.systemTimeText(QTime(14, 5, 9));
    QCOMPARE(buffers(log), "06/12/2026|" + placeholder + "|");
    QCOMPARE(cells(log, 0), "06/12/2026|" + placeholder + "|");
}

QTEST_MAIN(TestLogTransfer)
#include "tst_logtransfer.moc"
