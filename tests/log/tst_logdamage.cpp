#include "LogFile.h"
#include "LogFolder.h"
#include "log/DataControl.h"
#include "log/RecordSet.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

class TestLogDamage : public QObject {
    Q_OBJECT
private slots:
    void damagedLogIsToldOnceAndNeverWritten_data();
    void damagedLogIsToldOnceAndNeverWritten();
};

void TestLogDamage::damagedLogIsToldOnceAndNeverWritten_data() {
    QTest::addColumn<QString>("part"); // its first leaf page zeroed, as a failing disk leaves it
    QTest::addColumn<bool>("foundByRead");
    QTest::newRow("sound log") << QString() << false;
    QTest::newRow("page of the first contacts") << "Log1" << true;
    // The rows read well: only the background check finds it.
    QTest::newRow("page of the call index") << "Log1_OM_Call" << false;
}

void TestLogDamage::damagedLogIsToldOnceAndNeverWritten() {
    QFETCH(QString, part);
    QFETCH(bool, foundByRead);
    const bool damaged = !part.isEmpty();
    LogFolder test;
    test.createLog();
    QStringList page; // offset and size
    {
        LogFile file(test.logPath());
        file.addMany(400, "IK");
        page = file.rows("SELECT (pageno - 1) * pgsize, pgsize FROM dbstat WHERE name = ? AND "
                         "pagetype = 'leaf' ORDER BY path LIMIT 1",
                         {part})
                   .value(0)
                   .split('|');
    }
    QFile file(test.logPath());
    QVERIFY(file.open(QIODevice::ReadWrite));
    if (damaged)
        QVERIFY(file.seek(page.value(0).toLongLong()) &&
                file.write(QByteArray(page.value(1).toInt(), '\0')) > 0 && file.flush());
    const QByteArray before = (file.seek(0), file.readAll());
    DataControl control(test.paths);
    QSignalSpy told(&control, &DataControl::damaged);
    QVERIFY(control.refresh());
    RecordSet& records = control.recordSet();
    QCOMPARE(records.valueAt(0, records.fieldIndex("OM_Call")).isNull(), foundByRead);
    if (told.isEmpty())
        told.wait(damaged ? 10000 : 1000);
    QCOMPARE(told.count(), int(damaged));

    // The last record lies on a page that reads well.
    QVERIFY(records.moveLast());
    QVERIFY(records.setValueAt(records.currentPosition(), records.fieldIndex("Name"), "Anna"));
    QCOMPARE(records.updateBatch(), !damaged);
    QCOMPARE(records.deleteCurrent(), !damaged);
    QCOMPARE(told.count(), int(damaged));
    QVERIFY(file.seek(0));
    QCOMPARE(file.readAll() == before, damaged);
}

QTEST_GUILESS_MAIN(TestLogDamage)
#include "tst_logdamage.moc"
