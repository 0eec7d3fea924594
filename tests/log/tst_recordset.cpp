#include "LogFile.h"
#include "LogFolder.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"
#include "log/LogQueries.h"
#include "log/RecordSet.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <sqlite3.h>

namespace {

// The log in a temporary installation folder, a record set on the program's connection to it,
// and a second connection that writes and reads behind the program's back.
struct Log {
    LogFolder folder;
    LogFile file{(folder.createLog(), folder.logPath())};
    LogConnection connection;
    RecordSet records;

    ~Log() { records.close(); }
    // Contacts out of date order, dates shared and missing, each with its note "n<i>".
    void fill(int rows) {
        for (int i = 0; i < rows; ++i) {
            const QString date = QString("20%1-0%2-01").arg(10 + i * 5 % 4).arg(1 + i % 3);
            file.execute("INSERT INTO Log1 ([QSO Date], OM_Call, Note) VALUES (?, 'IK0AA', ?)",
                         {i % 7 == 3 ? QVariant() : QVariant(date), QString("n%1").arg(i)});
        }
    }
    // Reads a few rows per step and keeps the values of very few, so every path is taken.
    bool open(const RecordSource& source = LogQueries::design(), int stepSize = 3) {
        return connection.open(DataControl::designConnectionString(), folder.paths, 1000) &&
               records.open(connection.handle(), source, {stepSize, 4});
    }
    int field(const char* name) const { return records.fieldIndex(name); }
    QString value(int position, const char* name = "Note") {
        const QVariant value = records.valueAt(position, field(name));
        return value.isNull() ? QStringLiteral("-") : value.toString();
    }
    // Every value, read from the middle outwards: rows between the two known ends come first.
    QStringList column(const char* name = "Note") {
        while (!records.isComplete() && records.fetchMore()) {
        }
        const int size = records.size();
        QStringList values(size);
        for (int offset = 0; offset <= size / 2; ++offset) {
            for (int position : {size / 2 + offset, size / 2 - offset - 1}) {
                if (position >= 0 && position < size && values[position].isNull())
                    values[position] = value(position, name);
            }
        }
        return values;
    }
    QStringList expected(const QString& order = "[QSO Date], rowid") {
        return file.rows("SELECT Note FROM Log1 ORDER BY " + order);
    }
};

} // namespace

class TestRecordSet : public QObject {
    Q_OBJECT
private slots:
    void searchBindsTheText_data();
    void searchBindsTheText();
    void writesRefuseOutsideChanges_data();
    void writesRefuseOutsideChanges();
    void identicalRowsAreWrittenApart();
    void cursorMoves_data();
    void cursorMoves();
    void readsEveryRowInOrder_data();
    void readsEveryRowInOrder();
    void writtenRowsKeepTheirPlace_data();
    void writtenRowsKeepTheirPlace();
    void steppedStatementsUseTheLogIndexes_data();
    void steppedStatementsUseTheLogIndexes();
};

void TestRecordSet::searchBindsTheText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("exact call, any case") << "ik0abc" << QStringList{"IK0ABC", "ik0abc"};
    QTest::newRow("wildcard typed") << "IK0%" << QStringList{"IK0ABC", "IK0ABD", "ik0abc"};
    QTest::newRow("no wildcard is added") << "IK0" << QStringList{};
    QTest::newRow("quote in a call") << "O'HARA" << QStringList{"O'HARA"};
    QTest::newRow("typed statement") << "x' OR '1'='1" << QStringList{};
}

void TestRecordSet::searchBindsTheText() {
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    Log log;
    for (const char* call : {"IK0ABC", "IW1XYZ", "ik0abc", "O'HARA", "IK0ABD", ""})
        log.file.add("2024-01-01", call);
    QVERIFY2(log.open(LogQueries::search(text)), qPrintable(log.records.lastError()));
    QStringList calls = log.column("OM_Call");
    calls.sort();
    QCOMPARE(calls, found);
}

void TestRecordSet::writesRefuseOutsideChanges_data() {
    QTest::addColumn<QString>("outside"); // run by another program on the third row once read
    QTest::addColumn<bool>("deleting");   // the third row; else a batch of changes and a new record
    QTest::addColumn<bool>("done");
    QTest::addColumn<QStringList>("namesAfter");
    const QString change = "UPDATE Log1 SET QTH = 'ROMA' WHERE rowid = 3";
    const QString remove = "DELETE FROM Log1 WHERE rowid = 3";
    const QStringList none{"-", "-", "-", "-"}, deleted{"-", "-", "-"};
    QTest::newRow("batch") << "" << false << true << QStringList{"E0", "-", "E2", "E3", "E4"};
    QTest::newRow("batch with a row changed in another field") << change << false << false << none;
    QTest::newRow("batch with a row deleted") << remove << false << false << deleted;
    QTest::newRow("delete of a row changed") << change << true << false << none;
    QTest::newRow("delete of a row deleted") << remove << true << true << deleted;
}

void TestRecordSet::writesRefuseOutsideChanges() {
    QFETCH(QString, outside);
    QFETCH(bool, deleting);
    QFETCH(bool, done);
    QFETCH(QStringList, namesAfter);
    Log log;
    for (const char* date : {"2024-01-01", "2024-01-02", "2024-01-03", "2024-01-04"})
        log.file.add(date, "C");
    QVERIFY(log.open(LogQueries::design(), 50));
    RecordSet& records = log.records;
    // On a row left unchanged, so that appending (which moves) saves nothing on the way.
    QVERIFY(records.moveTo(deleting ? 2 : 1));
    QCOMPARE(log.value(2, "OM_Call"), "C");
    for (int position : {0, 2, 3, 4}) {
        if (!deleting)
            QVERIFY(records.setValueAt(position, log.field("Name"), QString("E%1").arg(position)));
    }
    if (!outside.isEmpty())
        log.file.execute(outside);

    QCOMPARE(deleting ? records.deleteCurrent() : records.updateBatch(), done);

    QCOMPARE(log.file.rows("SELECT Name FROM Log1 ORDER BY rowid"), namesAfter);
    QCOMPARE(records.lastError().startsWith("Record 3 "), !done);
    // A refused batch keeps every change pending, the new record too.
    QCOMPARE(records.hasPendingChanges() && records.isNewAt(4), !deleting && !done);
}

void TestRecordSet::identicalRowsAreWrittenApart() {
    Log log;
    log.file.add("2024-01-01", "IK0AA", "SAME");
    log.file.add("2024-01-01", "IK0AA", "SAME");
    QVERIFY(log.open());
    QVERIFY(log.records.setValueAt(1, log.field("Name"), "SECOND"));
    QVERIFY(log.records.updateBatch());
    QVERIFY(log.records.moveTo(0));
    QVERIFY(log.records.deleteCurrent());
    QCOMPARE(log.file.rows("SELECT Name FROM Log1"), QStringList({"SECOND"}));
}

void TestRecordSet::cursorMoves_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("moves"); // L last, N next, D delete, A append; "!": the last fails
    QTest::addColumn<int>("position");  // absolutePosition() after the moves
    const int eof = RecordSet::PositionEof, unknown = RecordSet::PositionUnknown;
    QTest::newRow("opened on the first record") << 3 << "" << 1;
    QTest::newRow("after the last") << 3 << "LN" << eof;
    QTest::newRow("empty log") << 0 << "" << unknown;
    QTest::newRow("current record deleted") << 3 << "ND" << unknown;
    QTest::newRow("next after a delete") << 3 << "NDN" << 2;
    QTest::newRow("new record in an empty log") << 0 << "A" << 1;
    QTest::newRow("last on an empty log") << 0 << "L!" << unknown;
    QTest::newRow("delete twice") << 3 << "DD!" << unknown;
    QTest::newRow("next after the last") << 3 << "LNN!" << eof;
}

void TestRecordSet::cursorMoves() {
    QFETCH(int, rows);
    QFETCH(QString, moves);
    QFETCH(int, position);
    Log log;
    log.fill(rows);
    QVERIFY(log.open());
    RecordSet& records = log.records;
    const bool lastFails = moves.endsWith('!');
    moves.remove('!');
    for (int i = 0; i < moves.size(); ++i) {
        const char move = moves.at(i).toLatin1();
        const bool ok = move == 'L'   ? records.moveLast()
                        : move == 'N' ? records.moveNext()
                        : move == 'D' ? records.deleteCurrent()
                                      : records.setValueAt(records.size(), 0, QVariant());
        QCOMPARE(ok, !lastFails || i < moves.size() - 1);
    }
    QCOMPARE(records.absolutePosition(), position);
}

void TestRecordSet::readsEveryRowInOrder_data() {
    QTest::addColumn<RecordSource>("source");
    QTest::addColumn<int>("stepSize");
    // next: record by record; steps: from the last record, after another program's change, so
    // that the rows between come in steps; whole: the same from the read made in the background
    QTest::addColumn<QString>("reading");
    for (int step : {1, 3}) {
        for (const char* reading : {"next", "steps", "whole"}) {
            QTest::addRow("by date, step %d, %s", step, reading)
                << LogQueries::design() << step << QString(reading);
            QTest::addRow("table order, step %d, %s", step, reading)
                << LogQueries::reset() << step << QString(reading);
        }
    }
}

void TestRecordSet::readsEveryRowInOrder() {
    QFETCH(RecordSource, source);
    QFETCH(int, stepSize);
    QFETCH(QString, reading);
    Log log;
    log.fill(23);
    QVERIFY(log.open(source, stepSize));
    RecordSet& records = log.records;
    const QStringList expected =
        log.expected(source.orderTerm.isEmpty() ? "rowid" : "[QSO Date], rowid");
    QStringList seen;
    if (reading == "next") {
        while (!records.isEof()) {
            seen << log.value(records.currentPosition());
            QVERIFY(records.moveNext());
        }
    } else if (reading == "steps") {
        log.file.execute("UPDATE Log1 SET QTH = 'ROMA' WHERE rowid = 1");
        QVERIFY(records.moveLast());
        seen = log.column();
    } else {
        QSignalSpy completed(&records, &RecordSet::completed);
        QVERIFY(completed.wait());
        // Every position is known: a far row is read by its rowid alone.
        int statements = 0;
        const auto count = [](unsigned, void* counter, void*, void*) {
            return ++*static_cast<int*>(counter), 0;
        };
        sqlite3_trace_v2(log.connection.handle(), SQLITE_TRACE_STMT, count, &statements);
        QCOMPARE(log.value(12), expected.at(12));
        sqlite3_trace_v2(log.connection.handle(), 0, nullptr, nullptr);
        QCOMPARE(statements, 1);
        seen = log.column();
    }
    QCOMPARE(seen, expected);
}

void TestRecordSet::writtenRowsKeepTheirPlace_data() {
    QTest::addColumn<QString>("moves"); // L last, N next, before the write
    QTest::addColumn<int>("position");  // the row written; 23: a new record
    QTest::addColumn<QString>("date");  // its new date; empty: it is deleted
    // Rows moved by the write go where the steps have not read yet: none is taken twice.
    QTest::newRow("row moved to the end of the order") << "" << 2 << "2099-12-31";
    QTest::newRow("new record sorting between rows not read") << "L" << 23 << "2011-02-01";
    QTest::newRow("first row deleted before the rest is read") << "" << 0 << "";
    QTest::newRow("row deleted at the end of the first step") << "NN" << 2 << "";
    QTest::newRow("last row deleted, rows between not read") << "L" << 22 << "";
}

void TestRecordSet::writtenRowsKeepTheirPlace() {
    QFETCH(QString, moves);
    QFETCH(int, position);
    QFETCH(QString, date);
    Log log;
    log.fill(23);
    QVERIFY(log.open());
    RecordSet& records = log.records;
    QStringList expected = log.expected();
    // Then the last record is found by steps backwards, leaving rows between not read.
    log.file.execute("UPDATE Log1 SET QTH = 'ROMA' WHERE rowid = 1");
    for (const QChar move : moves)
        QVERIFY(move == 'L' ? records.moveLast() : records.moveNext());
    if (date.isEmpty()) {
        QCOMPARE(log.value(records.currentPosition()), expected.at(position));
        QVERIFY(records.deleteCurrent());
        expected.removeAt(position);
    } else {
        QVERIFY(records.setValueAt(position, log.field("QSO Date"), date));
        QVERIFY(records.setValueAt(position, log.field("Note"), "written"));
        QVERIFY(records.updateBatch());
        expected.resize(std::max(int(expected.size()), position + 1));
        expected[position] = "written";
    }
    QCOMPARE(log.column(), expected);
}

void TestRecordSet::steppedStatementsUseTheLogIndexes_data() {
    QTest::addColumn<RecordSource>("source");
    QTest::addColumn<QString>("index"); // the index the view is read through
    QTest::newRow("design query") << LogQueries::design() << "Log1_QSO_Date";
    QTest::newRow("bound call prefix") << LogQueries::search("IK0%") << "Log1_OM_Call";
}

void TestRecordSet::steppedStatementsUseTheLogIndexes() {
    QFETCH(RecordSource, source);
    QFETCH(QString, index);
    Log log;
    log.fill(40);
    QVERIFY(log.open(source));
    // An open, a move to the last record by steps and a read in the middle leave prepared on
    // the connection every statement the program steps for a view.
    log.file.execute("UPDATE Log1 SET QTH = 'ROMA' WHERE rowid = 1");
    QVERIFY(log.records.moveLast());
    QCOMPARE(log.value(20).left(1), "n");
    QStringList plans;
    sqlite3* db = log.connection.handle();
    for (sqlite3_stmt* statement = sqlite3_next_stmt(db, nullptr); statement;
         statement = sqlite3_next_stmt(db, statement)) {
        const QString sql = QString::fromUtf8(sqlite3_sql(statement));
        for (const QString& step : log.file.rows("EXPLAIN QUERY PLAN " + sql, source.parameters))
            plans << step.section('|', 3) + "   <- " + sql;
    }
    // Each reads rows through an index or by rowid: no whole-table scan, no sort of its own.
    const QRegularExpression indexed(
        "^(SEARCH|SCAN) Log1 USING (COVERING )?(INDEX \\w+|INTEGER PRIMARY KEY)");
    for (const QString& plan : std::as_const(plans))
        QVERIFY2(indexed.match(plan).hasMatch(), qPrintable(plan));
    QVERIFY2(!plans.filter(index).isEmpty(), qPrintable(plans.join("\n")));
}

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
