#include "LogFile.h"
#include "TestServices.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"
#include "log/LogQueries.h"
#include "log/RecordSet.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

constexpr int kRows = 23;

// A log of kRows contacts entered out of date order, with dates shared by several contacts and
// contacts without a date; each has its own note "n<i>". The record set reads it a few rows
// per step and keeps the values of very few rows, so every path through the steps is taken.
struct PagedLog {
    TestServices test;
    std::unique_ptr<LogFile> file;
    LogConnection connection;
    RecordSet records;

    explicit PagedLog(const RecordSource& source = LogQueries::design(), int stepSize = 3) {
        test.createLog();
        file = std::make_unique<LogFile>(test.logPath());
        for (int i = 0; i < kRows; ++i) {
            const QString date = i % 7 == 3 ? QString()
                                            : QStringLiteral("20%1-0%2-01").arg(10 + (i * 5) % 4).arg(1 + i % 3);
            file->execute("INSERT INTO Log1 ([QSO Date], OM_Call, Note) VALUES (?, 'IK0AA', ?)",
                          {date.isEmpty() ? QVariant() : QVariant(date), QStringLiteral("n%1").arg(i)});
        }
        if (!connection.open(DataControl::designConnectionString(), test.paths, 1000))
            qFatal("%s", qPrintable(connection.lastError()));
        RecordSet::Options options;
        options.stepSize = stepSize;
        options.cachedRows = 4;
        if (!records.open(connection.handle(), source.text, source.parameters, options))
            qFatal("%s", qPrintable(records.lastError()));
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

QList<int> forwardOrder(int size) {
    QList<int> order;
    for (int i = 0; i < size; ++i)
        order << i;
    return order;
}

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
    void opensOnTheFirstStepOnly();
    void rowMovedByAnEditIsNotTakenTwice();
    void newRecordIsNotTakenTwice();
    void deletesKeepPositions_data();
    void deletesKeepPositions();
    void rowsDeletedOutsideBeforeTheyWereRead();
};

void TestRecordSetPaging::readsEveryRowInOrder_data() {
    QTest::addColumn<RecordSource>("source");
    QTest::addColumn<int>("stepSize");
    QTest::addColumn<QString>("pattern");
    for (int step : {1, 3, 50}) {
        for (const char* pattern : {"next", "last then previous", "last then middle"}) {
            QTest::addRow("by date, step %d, %s", step, pattern) << LogQueries::design() << step
                                                                << QString(pattern);
            QTest::addRow("table order, step %d, %s", step, pattern) << LogQueries::reset()
                                                                    << step << QString(pattern);
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
            seen << records.value(note).toString();
            QVERIFY(records.moveNext());
        }
    } else if (pattern == "last then previous") {
        QVERIFY(records.moveLast());
        QCOMPARE(records.absolutePosition(), kRows);
        while (!records.isBof()) {
            seen.prepend(records.value(note).toString());
            QVERIFY(records.movePrevious());
        }
    } else {
        QVERIFY(records.moveLast());
        seen = log.notes(middleFirstOrder(records.size()));
    }
    QCOMPARE(records.recordCount(), kRows);
    QCOMPARE(seen, log.expected(source == LogQueries::reset() ? "rowid" : "[QSO Date], rowid"));
}

void TestRecordSetPaging::opensOnTheFirstStepOnly() {
    PagedLog log;
    RecordSet& records = log.records;
    QCOMPARE(records.size(), 3);
    QVERIFY(!records.isComplete());
    QCOMPARE(records.recordCount(), -1);
    QSignalSpy inserted(&records, &RecordSet::rowsAboutToBeInserted);
    QSignalSpy completed(&records, &RecordSet::completed);
    QVERIFY(records.fetchMore());
    QCOMPARE(records.size(), 6);
    QCOMPARE(inserted.takeFirst(), QVariantList({3, 5}));
    QVERIFY(records.moveLast());
    QCOMPARE(inserted.takeFirst(), QVariantList({6, kRows - 1}));
    QCOMPARE(completed.count(), 1);
    QCOMPARE(records.absolutePosition(), kRows);
}

void TestRecordSetPaging::rowMovedByAnEditIsNotTakenTwice() {
    PagedLog log;
    RecordSet& records = log.records;
    const QStringList expected = log.expected();
    // Row 2 moves to the end of the date order, where the steps have not read yet; it keeps
    // its place in the set.
    QVERIFY(records.setValueAt(2, records.fieldIndex("QSO Date"), "2099-12-31"));
    QVERIFY(records.updateBatch());
    while (!records.isComplete())
        QVERIFY(records.fetchMore());
    QCOMPARE(records.size(), kRows);
    QCOMPARE(log.notes(forwardOrder(kRows)), expected);
    QCOMPARE(log.expected().constLast(), expected.at(2));
}

void TestRecordSetPaging::newRecordIsNotTakenTwice() {
    PagedLog log;
    RecordSet& records = log.records;
    const QStringList expected = log.expected();
    QVERIFY(records.moveLast());
    // The new record sorts between the rows not read yet, but stays at the end of the set.
    QVERIFY(records.setValueAt(records.size(), records.fieldIndex("QSO Date"), "2011-02-01"));
    QVERIFY(records.setValue("Note", "new"));
    QVERIFY(records.update());
    QCOMPARE(records.size(), kRows + 1);
    QCOMPARE(log.notes(middleFirstOrder(kRows + 1)), expected + QStringList{"new"});
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
    QCOMPARE(records.value("Note").toString(), expected.at(deleted));
    QVERIFY(records.deleteCurrent());
    expected.removeAt(deleted);
    QVERIFY(records.moveNext());
    if (records.isEof())
        QVERIFY(records.moveLast());
    QCOMPARE(records.value("Note").toString(), expected.at(std::min(deleted, kRows - 2)));
    QCOMPARE(records.absolutePosition(), std::min(deleted, kRows - 2) + 1);
    QVERIFY(records.moveLast());
    QCOMPARE(log.notes(middleFirstOrder(kRows - 1)), expected);
    QCOMPARE(log.expected(), expected);
}

void TestRecordSetPaging::rowsDeletedOutsideBeforeTheyWereRead() {
    PagedLog log;
    RecordSet& records = log.records;
    const QStringList expected = log.expected();
    QVERIFY(records.moveLast());
    const QString first = expected.at(10);
    const QString second = expected.at(12);
    log.file->execute("DELETE FROM Log1 WHERE Note IN (?, ?)", {first, second});

    // Their places stay, holding no row; the others keep their order.
    const QStringList seen = log.notes(forwardOrder(kRows));
    QCOMPARE(records.size(), kRows);
    QStringList gone;
    for (int position = 0; position < kRows; ++position) {
        if (!records.existsAt(position))
            gone << seen.at(position);
    }
    QCOMPARE(gone, QStringList({"", ""}));
    QStringList kept = seen;
    kept.removeAll(QString());
    QStringList remaining = expected;
    remaining.removeAll(first);
    remaining.removeAll(second);
    QCOMPARE(kept, remaining);
}

QTEST_GUILESS_MAIN(TestRecordSetPaging)
#include "tst_recordsetpaging.moc"
