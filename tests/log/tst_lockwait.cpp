#include "LogFile.h"
#include "LogFolder.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <sqlite3.h>

// A write that waits for another program's lock leaves the event loop running.
class TestLockWait : public QObject {
    Q_OBJECT
private slots:
    void timersRunWhileWaiting_data();
    void timersRunWhileWaiting();
};

void TestLockWait::timersRunWhileWaiting_data() {
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<bool>("written");
    QTest::newRow("lock freed in time") << 10000 << true;
    QTest::newRow("lock held past the time-out") << 300 << false;
}

void TestLockWait::timersRunWhileWaiting() {
    QFETCH(int, timeoutMs);
    QFETCH(bool, written);
    LogFolder test;
    test.createLog();
    LogFile other(test.logPath());
    LogConnection log;
    QList<bool> waits;
    log.setWaitObserver([&waits](bool waiting) { waits << waiting; });
    QVERIFY(log.open(DataControl::designConnectionString(), test.paths, timeoutMs));
    other.execute("BEGIN EXCLUSIVE");
    QTimer::singleShot(600, [&other] { other.execute("COMMIT"); });
    int ticks = 0;
    QTimer clock;
    connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
    clock.start(50);
    QElapsedTimer waited;
    waited.start();
    QCOMPARE(sqlite3_exec(log.handle(), "INSERT INTO Log1 (OM_Call) VALUES ('IK0AA')", nullptr,
                          nullptr, nullptr) == SQLITE_OK,
             written);
    const qint64 elapsed = waited.elapsed();
    QVERIFY2(elapsed >= std::min(timeoutMs, 600) - 20 && ticks >= elapsed / 50 - 3,
             qPrintable(QString("%1 ticks in %2 ms").arg(ticks).arg(elapsed)));
    QTRY_COMPARE(waits, (QList<bool>{true, false}));
    QTRY_COMPARE(other.count(), int(written));
}

QTEST_GUILESS_MAIN(TestLockWait)
#include "tst_lockwait.moc"
