#include "LogFile.h"
#include "LogFolder.h"
#include "log/BackgroundCount.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

// The count taken in the background answers only while it still holds.
class TestBackgroundCount : public QObject {
    Q_OBJECT
private slots:
    void answersWhileTheLogIsUnchanged_data();
    void answersWhileTheLogIsUnchanged();
};

void TestBackgroundCount::answersWhileTheLogIsUnchanged_data() {
    // Once the count started: what another program writes, what the counted connection runs.
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("own");
    QTest::addColumn<int>("expected"); // -1: no answer, count again
    const QString insert = "INSERT INTO Log1 (OM_Call) VALUES ('X')", read = "SELECT 1 FROM Log1";
    QTest::newRow("unchanged") << "" << read << 2;
    QTest::newRow("written through the same connection") << "" << insert << -1;
    QTest::newRow("written by another program") << insert << read << -1;
}

void TestBackgroundCount::answersWhileTheLogIsUnchanged() {
    QFETCH(QString, other);
    QFETCH(QString, own);
    QFETCH(int, expected);
    LogFolder test;
    test.createLog();
    LogFile file(test.logPath());
    for (const char* call : {"IK0AA", "IK0BA", "IK0BB", "W1AW"})
        file.add("2026-01-01", call);
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(test.logPath()).constData(), &db,
                             SQLITE_OPEN_READWRITE, nullptr),
             SQLITE_OK);
    sqlite3_busy_timeout(db, 5000); // a write waits for the worker's read, as the log's own does
    BackgroundCount count;
    count.start(db, "SELECT count(*) FROM Log1 WHERE OM_Call like ?", {"IK0B%"});
    if (!other.isEmpty())
        file.execute(other);
    QCOMPARE(sqlite3_exec(db, qPrintable(own), nullptr, nullptr, nullptr), SQLITE_OK);
    const std::optional<qint64> rows = count.take();
    QCOMPARE(rows.has_value() ? int(*rows) : -1, expected);
    QVERIFY(!count.take().has_value()); // an answer is given once
    sqlite3_close(db);
}

QTEST_GUILESS_MAIN(TestBackgroundCount)
#include "tst_backgroundcount.moc"
