#include "LogFile.h"
#include "LogFolder.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"
#include "log/LogQueries.h"
#include "log/RecordSet.h"

#include <QSignalSpy>
#include <QTest>

#include <sqlite3.h>

// A log longer than the first step learns every position from the read made in the background,
// so that the grid spans and reaches the whole log at once, reading a far row by its rowid alone.
class TestLogScrolling : public QObject {
    Q_OBJECT
private slots:
    void spansTheWholeLogOnItsOwn_data();
    void spansTheWholeLogOnItsOwn();
};

void TestLogScrolling::spansTheWholeLogOnItsOwn_data() {
    QTest::addColumn<RecordSource>("source");
    QTest::addColumn<QString>("order");
    QTest::newRow("by date") << LogQueries::design() << "[QSO Date], rowid";
    QTest::newRow("table order") << LogQueries::reset() << "rowid";
}

void TestLogScrolling::spansTheWholeLogOnItsOwn() {
    QFETCH(RecordSource, source);
    QFETCH(QString, order);
    constexpr int kRows = 40;
    LogFolder folder;
    folder.createLog();
    LogFile file(folder.logPath());
    // Out of date order, dates shared and missing.
    for (int i = 0; i < kRows; ++i) {
        file.execute("INSERT INTO Log1 ([QSO Date], Note) VALUES (?, ?)",
                     {i % 9 == 4 ? QVariant() : QVariant(QString("20%1-01-01").arg(10 + i * 7 % 5)),
                      QString("n%1").arg(i)});
    }
    LogConnection connection;
    QVERIFY(connection.open(DataControl::designConnectionString(), folder.paths, 1000));
    RecordSet records;
    QVERIFY(records.open(connection.handle(), source, {5, 4}));
    QCOMPARE(records.size(), 5);
    QSignalSpy completed(&records, &RecordSet::completed);
    QVERIFY(completed.wait());
    QVERIFY(records.isComplete());

    int statements = 0;
    const auto count = [](unsigned, void* counter, void*, void*) {
        return ++*static_cast<int*>(counter), 0;
    };
    sqlite3_trace_v2(connection.handle(), SQLITE_TRACE_STMT, count, &statements);
    const int note = records.fieldIndex("Note");
    QVERIFY(!records.valueAt(kRows / 2, note).isNull());
    sqlite3_trace_v2(connection.handle(), 0, nullptr, nullptr);
    QCOMPARE(statements, 1);

    QStringList notes;
    for (int position = kRows - 1; position >= 0; --position)
        notes.prepend(records.valueAt(position, note).toString());
    QCOMPARE(notes, file.rows("SELECT Note FROM Log1 ORDER BY " + order));
    records.close();
}

QTEST_GUILESS_MAIN(TestLogScrolling)
#include "tst_logscrolling.moc"
