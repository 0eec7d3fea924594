#include "LogFile.h"
#include "LogFolder.h"
#include "log/DataControl.h"
#include "log/LogIntegrityCheck.h"
#include "log/RecordSet.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <sqlite3.h>

class TestLogDamage : public QObject {
    Q_OBJECT
private slots:
    void damagedLogIsToldOnceAndNeverWritten_data();
    void damagedLogIsToldOnceAndNeverWritten();
    void checkStoppedBeforeItStartsSaysNothing();
};

namespace {

// A log of 400 contacts with the first leaf page of part zeroed, as a failing disk leaves it
// (none for an empty part).
void writeLog(LogFolder& test, const QString& part) {
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
    if (!part.isEmpty())
        QVERIFY(file.seek(page.value(0).toLongLong()) &&
                file.write(QByteArray(page.value(1).toInt(), '\0')) > 0 && file.flush());
}

} // namespace

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
    writeLog(test, part);
    QFile file(test.logPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
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

void TestLogDamage::checkStoppedBeforeItStartsSaysNothing() {
    LogFolder test;
    writeLog(test, "Log1_OM_Call");
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(test.logPath()).constData(), &db,
                             SQLITE_OPEN_READONLY, nullptr),
             SQLITE_OK);
    LogIntegrityCheck check;
    QSignalSpy told(&check, &LogIntegrityCheck::damaged);
    check.start(db, nullptr);
    check.stop();
    QVERIFY(!told.wait(BackgroundReads::kStartDelayMs * 5));
    // Started and left to run, the same check finds the damage.
    check.start(db, nullptr);
    QVERIFY(told.wait(10000));
    check.stop();
    sqlite3_close(db);
}

QTEST_GUILESS_MAIN(TestLogDamage)
#include "tst_logdamage.moc"
