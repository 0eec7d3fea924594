#include "LogFile.h"
#include "LogFolder.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"
#include "log/LogQueries.h"
#include "log/RecordSet.h"

#include <QTest>

#include <memory>

namespace {

constexpr int kRows = 23;

// A log of kRows contacts entered out of date order, with dates shared by several contacts and
// contacts without a date; each has its own note "n<i>". The record set reads it a few rows
// per step and keeps the values of very few rows, so every path through the steps is taken.
struct PagedLog {
    LogFolder folder;
    std::unique_ptr<LogFile> file;
    LogConnection connection;
    RecordSet records;

    explicit PagedLog(const RecordSource& source = LogQueries::design(), int stepSize = 3) {
        folder.createLog();
        file = std::make_unique<LogFile>(folder.logPath());
        for (int i = 0; i < kRows; ++i) {
            const QString date =
                i % 7 == 3 ? QString()
                           : QStringLiteral("20%1-0%2-01").arg(10 + (i * 5) % 4).arg(1 + i % 3);
            file->execute(
                "INSERT INTO Log1 ([QSO Date], OM_Call, Note) VALUES (?, 'IK0AA', ?)",
                {date.isEmpty() ? QVariant() : QVariant(date), QStringLiteral("n%1").arg(i)});
        }
        QVERIFY(connection.open(DataControl::designConnectionString(), folder.paths, 1000));
        RecordSet::Options options;
        options.stepSize = stepSize;
        options.cachedRows = 4;
        QVERIFY2(records.open(connection.handle(), source, options),
                 qPrintable(records.lastError()));
    }
    ~PagedLog() { records.close(); }

    QStringList expected(const QString& order = "[QSO Date], rowid") {
        return file->rows("SELECT Note FROM Log1 ORDER BY " + order);
    }
    QString note(int position) {
        return records.valueAt(position, records.fieldIndex("Note")).toString();
    }
    // The notes of every position, read in the order given.
    QStringList notes(const QList<int>& readingOrder) {
        QStringList values(records.size());
        for (int position : readingOrder)
            values[position] = note(position);
        return values;
    }
};

// From the middle outwards, then the rest: reads rows between the two known ends first.
QList<int> middleFirstOrder(int size) {
    QList<int> order;
    for (int offset = 0; offset <= size; ++offset) {
        for (int position : {size / 2 + offset, size / 2 - offset - 1}) {
            if (position >= 0 && position < size && !order.contains(position))
                order << position;
        }
    }
    return order;
}

} // namespace

class TestRecordSetPaging : public QObject {
    Q_OBJECT
private slots:
    void readsEveryRowInOrder_data();
    void readsEveryRowInOrder();
    void editedRowIsNotTakenTwice_data();
    void editedRowIsNotTakenTwice();
    void deletesKeepPositions_data();
    void deletesKeepPositions();
};

void TestRecordSetPaging::readsEveryRowInOrder_data() {
    QTest::addColumn<RecordSource>("source");
    QTest::addColumn<int>("stepSize");
    QTest::addColumn<QString>("pattern");
    for (int step : {1, 3}) {
        for (const char* pattern : {"next", "last then middle"}) {
            QTest::addRow("by date, step %d, %s", step, pattern)
                << LogQueries::design() << step << QString(pattern);
            QTest::addRow("table order, step %d, %s", step, pattern)
                << LogQueries::reset() << step << QString(pattern);
        }
    }
}

void TestRecordSetPaging::readsEveryRowInOrder() {
    QFETCH(RecordSource, source);
    QFETCH(int, stepSize);
    QFETCH(QString, pattern);
    PagedLog log(source, stepSize);
    RecordSet& records = log.records;
    const int note = records.fieldIndex("Note");
    QStringList seen;
    if (pattern == "next") {
        while (!records.isEof()) {
            seen << records.valueAt(records.currentPosition(), note).toString();
            QVERIFY(records.moveNext());
        }
    } else {
        QVERIFY(records.moveLast());
        seen = log.notes(middleFirstOrder(records.size()));
    }
    QCOMPARE(seen, log.expected(source == LogQueries::reset() ? "rowid" : "[QSO Date], rowid"));
}

void TestRecordSetPaging::editedRowIsNotTakenTwice_data() {
    QTest::addColumn<int>("position"); // the row edited; kRows: the new record
    QTest::addColumn<QString>("date");
    // Both sort where the steps have not read yet; each keeps its place in the set.
    QTest::newRow("row moved to the end of the order") << 2 << "2099-12-31";
    QTest::newRow("new record sorting between rows not read") << kRows << "2011-02-01";
}

void TestRecordSetPaging::editedRowIsNotTakenTwice() {
    QFETCH(int, position);
    QFETCH(QString, date);
    PagedLog log;
    RecordSet& records = log.records;
    QStringList expected = log.expected();
    if (position == kRows) {
        QVERIFY(records.moveLast());
        expected << "new";
    }
    QVERIFY(records.setValueAt(position, records.fieldIndex("QSO Date"), date));
    if (position == kRows)
        QVERIFY(records.setValueAt(kRows, records.fieldIndex("Note"), "new"));
    QVERIFY(records.updateBatch());
    QVERIFY(records.moveLast());
    QCOMPARE(records.size(), expected.size());
    QCOMPARE(log.notes(middleFirstOrder(expected.size())), expected);
}

void TestRecordSetPaging::deletesKeepPositions_data() {
    QTest::addColumn<QString>("moves"); // L last, N next, F first
    QTest::addColumn<int>("deleted");   // the position deleted, as the operator saw it
    QTest::newRow("first row, before the rest is read") << "" << 0;
    QTest::newRow("third row, at the end of the first step") << "NN" << 2;
    QTest::newRow("last row, with rows between not read") << "L" << kRows - 1;
}

void TestRecordSetPaging::deletesKeepPositions() {
    QFETCH(QString, moves);
    QFETCH(int, deleted);
    PagedLog log;
    RecordSet& records = log.records;
    QStringList expected = log.expected();
    for (const QChar move : moves)
        QVERIFY(move == 'L' ? records.moveLast() : records.moveNext());
    QCOMPARE(log.note(records.currentPosition()), expected.at(deleted));
    QVERIFY(records.deleteCurrent());
    expected.removeAt(deleted);
    QVERIFY(records.moveNext());
    if (records.isEof())
        QVERIFY(records.moveLast());
    QCOMPARE(log.note(records.currentPosition()), expected.at(std::min(deleted, kRows - 2)));
    QCOMPARE(records.absolutePosition(), std::min(deleted, kRows - 2) + 1);
    QVERIFY(records.moveLast());
    QCOMPARE(log.notes(middleFirstOrder(kRows - 1)), expected);
    QCOMPARE(log.expected(), expected);
}

QTEST_GUILESS_MAIN(TestRecordSetPaging)
#include "tst_recordsetpaging.moc"
