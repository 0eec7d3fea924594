#include "LogFile.h"
#include "LogFolder.h"
#include "log/BackgroundCount.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSemaphore>
#include <QTest>
#include <QTimer>

#include <future>

#include <sqlite3.h>

// The program's connections to the log file: the open, a lock held by another program, the
// program's own reads in the background.
class TestLogConnection : public QObject {
    Q_OBJECT
private slots:
    void refusesWhatIsNotTheLog_data();
    void refusesWhatIsNotTheLog();
    void timersRunWhileWaitingForALock_data();
    void timersRunWhileWaitingForALock();
    void backgroundCountAnswersWhileTheLogIsUnchanged_data();
    void backgroundCountAnswersWhileTheLogIsUnchanged();
    void ownBackgroundReadGivesWayToAWrite();
};

void TestLogConnection::refusesWhatIsNotTheLog_data() {
    QTest::addColumn<QByteArray>("file"); // empty: none; "log": the program's, without Log1
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing file") << QByteArray() << "does not exist";
    QTest::newRow("not a database") << QByteArray("plain text\n") << "not an SQLite database";
    QTest::newRow("no table Log1") << QByteArray("log") << "no table Log1";
}

void TestLogConnection::refusesWhatIsNotTheLog() {
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    LogFolder test;
    QFile text(test.logPath());
    if (file == "log") {
        test.createLog();
        LogFile(test.logPath()).execute("DROP TABLE Log1");
    } else if (!file.isEmpty()) {
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write(file) > 0 && text.flush());
    }
    LogConnection connection;
    QVERIFY(!connection.open(DataControl::designConnectionString(), test.paths, 1000));
    QVERIFY(!connection.handle());
    const QString description = connection.lastError();
    QVERIFY2(description.contains(reason), qPrintable(description));
    QVERIFY2(description.contains(test.installationFolder() + "/"), qPrintable(description));
    // Opening never creates the log.
    QCOMPARE(QFile::exists(test.logPath()), !file.isEmpty());
}

void TestLogConnection::timersRunWhileWaitingForALock_data() {
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<bool>("written");
    QTest::newRow("lock freed in time") << 10000 << true;
    QTest::newRow("lock held past the time-out") << 300 << false;
}

void TestLogConnection::timersRunWhileWaitingForALock() {
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
    int ticks = 0;
    QTimer clock;
    // Bound to the clock, so that it never fires after the test.
    QTimer::singleShot(600, &clock, [&other] { other.execute("COMMIT"); });
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

void TestLogConnection::backgroundCountAnswersWhileTheLogIsUnchanged_data() {
    // Once the count started: what another program writes, what the counted connection runs.
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("own");
    QTest::addColumn<int>("expected"); // -1: no answer, count again
    const QString insert = "INSERT INTO Log1 (OM_Call) VALUES ('X')", read = "SELECT 1 FROM Log1";
    QTest::newRow("unchanged") << "" << read << 2;
    QTest::newRow("written through the same connection") << "" << insert << -1;
    QTest::newRow("written by another program") << insert << read << -1;
}

void TestLogConnection::backgroundCountAnswersWhileTheLogIsUnchanged() {
    QFETCH(QString, other);
    QFETCH(QString, own);
    QFETCH(int, expected);
    LogFolder test;
    test.createLog();
    LogFile file(test.logPath());
    for (const char* call : {"IK0AA", "IK0BA", "IK0BB", "W1AW"})
        file.add("2026-01-01", call);
    LogConnection log;
    QVERIFY(log.open(DataControl::designConnectionString(), test.paths, 5000));
    BackgroundCount count;
    count.start(log.handle(), "SELECT count(*) FROM Log1 WHERE OM_Call like ?", {"IK0B%"});
    if (!other.isEmpty())
        file.execute(other);
    QCOMPARE(sqlite3_exec(log.handle(), qPrintable(own), nullptr, nullptr, nullptr), SQLITE_OK);
    const std::optional<qint64> rows = count.take();
    QCOMPARE(rows.has_value() ? int(*rows) : -1, expected);
    QVERIFY(!count.take().has_value()); // an answer is given once
}

void TestLogConnection::ownBackgroundReadGivesWayToAWrite() {
    LogFolder test;
    test.createLog();
    LogFile(test.logPath()).add("2026-01-01", "IK0AA");
    LogConnection log;
    QVERIFY(log.open(DataControl::designConnectionString(), test.paths, 2000));
    const std::shared_ptr<BackgroundReads::Read> read = log.backgroundReads().add();
    QSemaphore reading;
    auto reader = std::async(std::launch::async, [&] {
        sqlite3* db = read->open(QFile::encodeName(test.logPath()), 0);
        const auto running = [](void* semaphore) {
            static_cast<QSemaphore*>(semaphore)->release();
            return 0;
        };
        sqlite3_progress_handler(db, 1000, running, &reading);
        const char* endless = "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) "
                              "SELECT count(*) FROM n, Log1";
        const int result = sqlite3_exec(db, endless, nullptr, nullptr, nullptr);
        read->close();
        return result;
    });
    reading.acquire(); // the read holds the file's read lock now
    const int written = sqlite3_exec(log.handle(), "DELETE FROM Log1", nullptr, nullptr, nullptr);
    read->abandon(); // ends a read the write did not stop
    QCOMPARE(written, SQLITE_OK);
    QCOMPARE(reader.get(), SQLITE_INTERRUPT);
}

QTEST_GUILESS_MAIN(TestLogConnection)
#include "tst_logconnection.moc"
