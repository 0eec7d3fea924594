#include "LogFile.h"
#include "LogFolder.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"
#include "log/LogQueries.h"
#include "log/RecordSet.h"

#include <QRegularExpression>
#include <QTest>

#include <sqlite3.h>

#include <memory>

namespace {

// The program's log in a temporary installation folder, a second connection to it, and the
// data control the log window would use.
struct Log {
    LogFolder folder;
    std::unique_ptr<LogFile> file;
    DataControl control{folder.paths};
    RecordSet& records = control.recordSet();

    explicit Log(const QStringList& calls = {}) {
        folder.createLog();
        file = std::make_unique<LogFile>(folder.logPath());
        for (int i = 0; i < calls.size(); ++i)
            file->add(QStringLiteral("2024-01-0%1").arg(i + 1), calls.at(i));
    }
    bool open(const RecordSource& source = LogQueries::design()) {
        control.setRecordSource(source);
        return control.refresh();
    }
    int field(const char* name) const { return records.fieldIndex(QLatin1String(name)); }
    // Every value of field, in the record set's order ("-" for no value).
    QStringList column(const char* name) {
        while (!records.isComplete())
            records.fetchMore();
        QStringList values;
        for (int position = 0; position < records.size(); ++position) {
            const QVariant value = records.valueAt(position, field(name));
            values << (value.isNull() ? QStringLiteral("-") : value.toString());
        }
        return values;
    }
};

} // namespace

// The record set over the log: the three views, the optimistic writes by rowid, the batch and
// the cursor; the plans of the statements it steps.
class TestRecordSet : public QObject {
    Q_OBJECT
private slots:
    void designQueryOrdersByDate();
    void searchMatchesTheCallByLike_data();
    void searchMatchesTheCallByLike();
    void batchWritesAllOrNothing_data();
    void batchWritesAllOrNothing();
    void outsideChangesAreNotOverwritten_data();
    void outsideChangesAreNotOverwritten();
    void identicalRowsAreEditedAndDeletedApart();
    void cursorMoves_data();
    void cursorMoves();
    void steppedStatementsUseTheLogIndexes_data();
    void steppedStatementsUseTheLogIndexes();
};

void TestRecordSet::designQueryOrdersByDate() {
    Log log;
    for (const auto& [date, call] : {std::pair{"2024-01-05", "C"},
                                     {"", "NODATE"},
                                     {"2023-12-28", "B"},
                                     {"2024-01-05", "D"},
                                     {"2023-02-10", "A"}})
        log.file->add(date, call);
    QVERIFY2(log.open(), qPrintable(log.control.lastError()));
    // Rows without a date come first; equal dates keep the order they were entered in.
    QCOMPARE(log.column("OM_Call"), QStringList({"NODATE", "A", "B", "C", "D"}));
}

void TestRecordSet::searchMatchesTheCallByLike_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("exact call, any case") << "ik0abc" << QStringList{"IK0ABC", "ik0abc"};
    QTest::newRow("percent typed") << "IK0%" << QStringList{"IK0ABC", "IK0ABD", "ik0abc"};
    QTest::newRow("underscore typed") << "IK0AB_" << QStringList{"IK0ABC", "IK0ABD", "ik0abc"};
    QTest::newRow("no wildcard is added") << "IK0" << QStringList{};
    QTest::newRow("quote in a call") << "O'HARA" << QStringList{"O'HARA"};
    QTest::newRow("typed statement finds nothing") << "x' OR '1'='1" << QStringList{};
}

void TestRecordSet::searchMatchesTheCallByLike() {
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    Log log({"IK0ABC", "IW1XYZ", "ik0abc", "O'HARA", "IK0ABD", ""});
    QVERIFY2(log.open(LogQueries::search(text)), qPrintable(log.control.lastError()));
    QStringList calls = log.column("OM_Call");
    calls.sort();
    QCOMPARE(calls, found);
    QCOMPARE(log.file->count(), 6);
}

void TestRecordSet::batchWritesAllOrNothing_data() {
    QTest::addColumn<int>("changedOutside"); // the row someone else changes; -1: none
    QTest::addColumn<QStringList>("namesAfter");
    QTest::newRow("every change and the new record")
        << -1 << QStringList{"EDITED 0", "-", "EDITED 2", "EDITED 3", "NEW"};
    QTest::newRow("failing midway writes nothing") << 2 << QStringList{"-", "-", "OUTSIDE", "-"};
}

void TestRecordSet::batchWritesAllOrNothing() {
    QFETCH(int, changedOutside);
    QFETCH(QStringList, namesAfter);
    Log log({"C0", "C1", "C2", "C3"});
    QVERIFY(log.open());
    RecordSet& records = log.records;
    // On a row left unchanged, so that appending (which moves) saves nothing on the way.
    QVERIFY(records.moveTo(1));
    for (int position : {0, 2, 3})
        QVERIFY(records.setValueAt(position, log.field("Name"),
                                   QStringLiteral("EDITED %1").arg(position)));
    QVERIFY(records.setValueAt(records.size(), log.field("Name"), "NEW"));
    if (changedOutside >= 0)
        log.file->execute("UPDATE Log1 SET Name = 'OUTSIDE' WHERE rowid = ?", {changedOutside + 1});

    QCOMPARE(records.updateBatch(), changedOutside < 0);

    QCOMPARE(log.file->rows("SELECT Name FROM Log1 ORDER BY rowid"), namesAfter);
    QCOMPARE(records.hasPendingChanges(), changedOutside >= 0);
    QCOMPARE(records.isNewAt(4), changedOutside >= 0);
    if (changedOutside >= 0) {
        QCOMPARE(records.lastError(),
                 "Record 3 was changed by someone else since it was read, so it was not "
                 "overwritten. Nothing was saved; the changes are still pending.");
        QCOMPARE(records.valueAt(0, log.field("Name")).toString(), "EDITED 0");
    }
}

void TestRecordSet::outsideChangesAreNotOverwritten_data() {
    QTest::addColumn<QString>("outside"); // statement run by someone else on the second row
    QTest::addColumn<bool>("update");     // else delete
    QTest::addColumn<QString>("error");   // empty: the operation succeeds
    QTest::addColumn<QStringList>("tableAfter");
    const QString change = "UPDATE Log1 SET QTH = 'ROMA' WHERE rowid = 2";
    const QString remove = "DELETE FROM Log1 WHERE rowid = 2";
    QTest::newRow("update of a row changed outside, in another field")
        << change << true
        << "Record 2 was changed by someone else since it was read, so it was not overwritten."
        << QStringList{"IK0AA|-", "IK0BB|-"};
    QTest::newRow("update of a row deleted outside")
        << remove << true << "Record 2 was deleted by someone else since it was read."
        << QStringList{"IK0AA|-"};
    QTest::newRow("delete of a row changed outside")
        << change << false
        << "Record 2 was changed by someone else since it was read, so it was not deleted."
        << QStringList{"IK0AA|-", "IK0BB|-"};
    QTest::newRow("delete of a row deleted outside")
        << remove << false << "" << QStringList{"IK0AA|-"};
}

void TestRecordSet::outsideChangesAreNotOverwritten() {
    QFETCH(QString, outside);
    QFETCH(bool, update);
    QFETCH(QString, error);
    QFETCH(QStringList, tableAfter);
    Log log({"IK0AA", "IK0BB"});
    QVERIFY(log.open());
    RecordSet& records = log.records;
    QVERIFY(records.moveTo(1));
    QCOMPARE(records.valueAt(1, log.field("OM_Call")).toString(), "IK0BB"); // read first
    if (update)
        QVERIFY(records.setValueAt(1, log.field("Name"), "MINE"));
    log.file->execute(outside);

    QCOMPARE(update ? records.updateBatch() : records.deleteCurrent(), error.isEmpty());

    QCOMPARE(records.lastError().left(error.size()), error);
    QCOMPARE(log.file->rows("SELECT OM_Call, Name FROM Log1 ORDER BY rowid"), tableAfter);
    if (update)
        QCOMPARE(records.valueAt(1, log.field("Name")).toString(), "MINE");
}

void TestRecordSet::identicalRowsAreEditedAndDeletedApart() {
    Log log;
    log.file->add("2024-01-01", "IK0AA", "SAME");
    log.file->add("2024-01-01", "IK0AA", "SAME");
    QVERIFY(log.open());
    QVERIFY(log.records.setValueAt(1, log.field("Name"), "SECOND"));
    QVERIFY(log.records.updateBatch());
    QVERIFY(log.records.moveTo(0));
    QVERIFY(log.records.deleteCurrent());
    QCOMPARE(log.file->rows("SELECT Name FROM Log1"), QStringList({"SECOND"}));
}

void TestRecordSet::cursorMoves_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("moves"); // L last, N next, D delete, A append, T to the fifth place
    QTest::addColumn<int>("position");  // absolutePosition() after the moves
    QTest::addColumn<QString>("error"); // set: the last move fails with it
    const int eof = RecordSet::PositionEof, unknown = RecordSet::PositionUnknown;
    QTest::newRow("opened on the first record") << 3 << "" << 1 << "";
    QTest::newRow("after the last") << 3 << "LN" << eof << "";
    QTest::newRow("empty log") << 0 << "" << unknown << "";
    QTest::newRow("current record deleted") << 3 << "ND" << unknown << "";
    QTest::newRow("next after a delete") << 3 << "NDN" << 2 << "";
    QTest::newRow("new record in an empty log") << 0 << "A" << 1 << "";
    QTest::newRow("last on an empty log")
        << 0 << "L" << unknown << "The record set is empty: there is no last record.";
    QTest::newRow("delete twice") << 3 << "DD" << unknown
                                  << "The current record has been deleted already.";
    QTest::newRow("next after the last")
        << 3 << "LNN" << eof << "The current position is already after the last record.";
    QTest::newRow("past the new-record place")
        << 3 << "T" << 1 << "There is no record 5 in the record set.";
}

void TestRecordSet::cursorMoves() {
    QFETCH(int, rows);
    QFETCH(QString, moves);
    QFETCH(int, position);
    QFETCH(QString, error);
    Log log(QStringList({"C0", "C1", "C2"}).mid(0, rows));
    QVERIFY(log.open());
    RecordSet& records = log.records;
    for (int i = 0; i < moves.size(); ++i) {
        const char move = moves.at(i).toLatin1();
        const bool ok = move == 'L'   ? records.moveLast()
                        : move == 'N' ? records.moveNext()
                        : move == 'D' ? records.deleteCurrent()
                        : move == 'A' ? records.setValueAt(records.size(), 0, QVariant())
                                      : records.moveTo(4);
        QVERIFY2(ok != (!error.isEmpty() && i == moves.size() - 1),
                 qPrintable(records.lastError()));
    }
    QCOMPARE(records.lastError(), error);
    QCOMPARE(records.absolutePosition(), position);
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
    log.file->addMany(400, "IK0");
    log.file->execute("UPDATE Log1 SET [QSO Date] = date('2024-01-01', '+' || (rowid % 90) || "
                      "' days') WHERE rowid % 7 <> 0");
    LogConnection connection;
    QVERIFY(connection.open(DataControl::designConnectionString(), log.folder.paths, 1000));
    RecordSet records;
    QVERIFY2(records.open(connection.handle(), source, {}), qPrintable(records.lastError()));
    // An open, a move to the last record and a read in the middle leave prepared on the
    // connection every statement the program steps for a view.
    QVERIFY(records.moveLast());
    QVERIFY(!records.valueAt(records.size() / 2, records.fieldIndex("OM_Call")).isNull());
    QStringList plans;
    sqlite3* db = connection.handle();
    for (sqlite3_stmt* statement = sqlite3_next_stmt(db, nullptr); statement;
         statement = sqlite3_next_stmt(db, statement)) {
        const QString sql = QString::fromUtf8(sqlite3_sql(statement));
        for (const QString& step : log.file->rows("EXPLAIN QUERY PLAN " + sql, source.parameters))
            plans << step.section('|', 3) + "   <- " + sql;
    }
    records.close();
    // Each reads rows through an index or by rowid: no whole-table scan, no sort of its own.
    const QRegularExpression indexed(
        "^(SEARCH|SCAN) Log1 USING (COVERING )?(INDEX \\w+|INTEGER PRIMARY KEY)");
    for (const QString& plan : std::as_const(plans))
        QVERIFY2(indexed.match(plan).hasMatch(), qPrintable(plan));
    QVERIFY2(!plans.filter(index).isEmpty(), qPrintable(plans.join("\n")));
}

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
