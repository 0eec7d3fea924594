#include "LogFile.h"
#include "LogFolder.h"
#include "log/BackgroundCount.h"

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
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("expected"); // -1: no answer, count again
    QTest::newRow("whole log") << ""
                               << "" << 5;
    QTest::newRow("bound search text") << ""
                                       << "IK0B%" << 2;
    QTest::newRow("written through the same connection") << "own"
                                                         << "" << -1;
    QTest::newRow("written by another program") << "other"
                                                << "" << -1;
}

void TestBackgroundCount::answersWhileTheLogIsUnchanged() {
    QFETCH(QString, change);
    QFETCH(QString, call);
    QFETCH(int, expected);
    LogFolder test;
    test.createLog();
    LogFile other(test.logPath());
    for (const char* name : {"IK0AA", "IK0BA", "IK0BB", "DL1X", "W1AW"})
        other.add(QStringLiteral("2026-01-01"), QLatin1String(name));

    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(test.logPath()).constData(), &db,
                             SQLITE_OPEN_READWRITE, nullptr),
             SQLITE_OK);
    sqlite3_busy_timeout(db, 5000); // a write waits for the worker's read, as the log's own does
    BackgroundCount count;
    if (call.isEmpty())
        count.start(db, QStringLiteral("SELECT count(*) FROM Log1"), {});
    else
        count.start(db, QStringLiteral("SELECT count(*) FROM Log1 WHERE OM_Call like ?"), {call});
    if (change == QLatin1String("own"))
        QCOMPARE(
            sqlite3_exec(db, "INSERT INTO Log1 (OM_Call) VALUES ('X')", nullptr, nullptr, nullptr),
            SQLITE_OK);
    if (change == QLatin1String("other")) {
        other.add(QStringLiteral("2026-01-02"), QStringLiteral("Y"));
        // This connection sees the other's commit when it next reads.
        QCOMPARE(sqlite3_exec(db, "SELECT count(*) FROM Log1", nullptr, nullptr, nullptr),
                 SQLITE_OK);
    }
    const std::optional<qint64> rows = count.take();
    QCOMPARE(rows.has_value() ? int(*rows) : -1, expected);
    QVERIFY(!count.take().has_value()); // an answer is given once
    sqlite3_close(db);
}

QTEST_GUILESS_MAIN(TestBackgroundCount)
#include "tst_backgroundcount.moc"
