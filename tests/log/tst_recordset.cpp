#include "LogFile.h"
#include "TestServices.h"
#include "log/DataControl.h"
#include "log/LogQueries.h"
#include "log/RecordSet.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// The program's log in a temporary installation folder, a second connection to it, and the
// data control the log window would use.
struct Log {
    TestServices test;
    std::unique_ptr<LogFile> file;
    std::unique_ptr<DataControl> control;

    Log() {
        test.createLog();
        file = std::make_unique<LogFile>(test.logPath());
    }
    RecordSet& open(const RecordSource& source = LogQueries::design()) {
        control = std::make_unique<DataControl>(test.paths);
        control->setRecordSource(source);
        if (!control->refresh())
            qFatal("%s", qPrintable(control->lastError()));
        return control->recordSet();
    }
};

// Every value of field, in the record set's order ("-" for no value).
QStringList column(RecordSet& records, const QString& field) {
    while (!records.isComplete())
        records.fetchMore();
    QStringList values;
    const int index = records.fieldIndex(field);
    for (int position = 0; position < records.size(); ++position) {
        const QVariant value = records.valueAt(position, index);
        values << (value.isNull() ? QStringLiteral("-") : value.toString());
    }
    return values;
}

QString current(RecordSet& records, const QString& field) {
    return records.valueAt(records.currentPosition(), records.fieldIndex(field)).toString();
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

} // namespace

class TestRecordSet : public QObject {
    Q_OBJECT
private slots:
    void designQueryOrdersByDate();
    void searchMatchesTheCallByLike_data();
    void searchMatchesTheCallByLike();
    void batchUpdate_data();
    void batchUpdate();
    void absolutePositionCodes_data();
    void absolutePositionCodes();
    void newRecordComesIntoBeingWhenAValueIsSet();
    void identicalRowsAreEditedAndDeletedApart();
    void outsideChangesAreNotOverwritten_data();
    void outsideChangesAreNotOverwritten();
    void queriesUseTheLogIndexes_data();
    void queriesUseTheLogIndexes();
};

void TestRecordSet::designQueryOrdersByDate() {
    Log log;
    log.file->add("2024-01-05", "C");
    log.file->add("", "NODATE");
    log.file->add("2023-12-28", "B");
    log.file->add("2024-01-05", "D");
    log.file->add("2023-02-10", "A");
    RecordSet& records = log.open();
    // Rows without a date come first; equal dates keep the order they were entered in.
    QCOMPARE(column(records, "OM_Call"), QStringList({"NODATE", "A", "B", "C", "D"}));
    QCOMPARE(records.absolutePosition(), 1);
}

void TestRecordSet::searchMatchesTheCallByLike_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("exact call, any case") << "ik0abc" << QStringList{"IK0ABC", "ik0abc"};
    QTest::newRow("percent typed") << "IK0%" << QStringList{"IK0ABC", "IK0ABD", "ik0abc"};
    QTest::newRow("underscore typed") << "IK0AB_" << QStringList{"IK0ABC", "IK0ABD", "ik0abc"};
    QTest::newRow("no wildcard is added") << "IK0" << QStringList{};
    QTest::newRow("blanks are not trimmed") << "IK0ABC " << QStringList{};
    QTest::newRow("empty text") << "" << QStringList{};
    QTest::newRow("quote in a call") << "O'HARA" << QStringList{"O'HARA"};
    QTest::newRow("calls containing a quote") << "%'%" << QStringList{"O'HARA"};
    QTest::newRow("typed statement finds nothing") << "x' OR '1'='1" << QStringList{};
}

void TestRecordSet::searchMatchesTheCallByLike() {
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    Log log;
    for (const char* call : {"IK0ABC", "IW1XYZ", "ik0abc", "O'HARA", "IK0ABD"})
        log.file->add("2024-01-01", call);
    log.file->add("2024-01-01", QString()); // no call at all
    RecordSet& records = log.open(LogQueries::search(text));
    QCOMPARE(sorted(column(records, "OM_Call")), found);
    QCOMPARE(records.absolutePosition(), found.isEmpty() ? int(RecordSet::PositionUnknown) : 1);
    QCOMPARE(log.file->calls().size(), 6);
}

void TestRecordSet::batchUpdate_data() {
    QTest::addColumn<QList<int>>("edited");
    QTest::addColumn<bool>("appendNew");
    QTest::addColumn<int>("changedOutside");
    QTest::addColumn<QStringList>("namesAfter");
    QTest::newRow("nothing pending")
        << QList<int>{} << false << -1 << QStringList{"-", "-", "-", "-"};
    QTest::newRow("several rows and a new record")
        << QList<int>{0, 2, 3} << true << -1
        << QStringList{"EDITED 0", "-", "EDITED 2", "EDITED 3", "NEW"};
    QTest::newRow("failing midway leaves the table unchanged")
        << QList<int>{0, 2, 3} << true << 2 << QStringList{"-", "-", "OUTSIDE", "-"};
}

void TestRecordSet::batchUpdate() {
    QFETCH(QList<int>, edited);
    QFETCH(bool, appendNew);
    QFETCH(int, changedOutside);
    QFETCH(QStringList, namesAfter);
    Log log;
    QList<qint64> rowids;
    for (int i = 0; i < 4; ++i)
        rowids << log.file->add(QStringLiteral("2024-01-0%1").arg(i + 1),
                                QStringLiteral("C%1").arg(i));
    RecordSet& records = log.open();
    // On a row left unchanged, so that appending (which moves) saves nothing on the way.
    QVERIFY(records.moveTo(1));
    const int name = records.fieldIndex("Name");
    for (int position : edited)
        QVERIFY(records.setValueAt(position, name, QStringLiteral("EDITED %1").arg(position)));
    if (appendNew)
        QVERIFY(records.setValueAt(records.size(), name, "NEW"));
    if (changedOutside >= 0)
        log.file->execute("UPDATE Log1 SET Name = 'OUTSIDE' WHERE rowid = ?",
                          {rowids.at(changedOutside)});
    QSignalSpy changes(&records, &RecordSet::willChangeRecord);

    const bool saved = records.updateBatch();

    QCOMPARE(saved, changedOutside < 0);
    QCOMPARE(log.file->rows("SELECT Name FROM Log1 ORDER BY rowid"), namesAfter);
    QCOMPARE(changes.count(), edited.isEmpty() && !appendNew ? 0 : 1);
    QCOMPARE(records.hasPendingChanges(), !saved);
    if (!saved) {
        QCOMPARE(records.lastError(),
                 QStringLiteral("Record %1 was changed by someone else since it was read, so it "
                                "was not overwritten. Nothing was saved; the changes are still "
                                "pending.")
                     .arg(changedOutside + 1));
        // The operator's values are all still there, the new record too.
        for (int position : edited)
            QCOMPARE(records.valueAt(position, name).toString(),
                     QStringLiteral("EDITED %1").arg(position));
        QVERIFY(records.isNewAt(4));
    } else if (appendNew) {
        QVERIFY(!records.isNewAt(4));
    }
}

void TestRecordSet::absolutePositionCodes_data() {
    QTest::addColumn<int>("rows");
    // F first, L last, N next, P previous, D delete, A add, V value, T move to the fifth place
    QTest::addColumn<QString>("moves");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("eof");
    QTest::addColumn<QString>("error"); // set: the last move fails with it and leaves the position
    const int eof = RecordSet::PositionEof, unknown = RecordSet::PositionUnknown;
    QTest::newRow("opened on the first record") << 3 << "" << 1 << false << "";
    QTest::newRow("last record") << 3 << "L" << 3 << false << "";
    QTest::newRow("after the last") << 3 << "LN" << eof << true << "";
    QTest::newRow("empty log") << 0 << "" << unknown << true << "";
    QTest::newRow("current record deleted") << 3 << "ND" << unknown << false << "";
    QTest::newRow("next after a delete") << 3 << "NDN" << 2 << false << "";
    QTest::newRow("new record appended") << 3 << "A" << 4 << false << "";
    QTest::newRow("new record in an empty log") << 0 << "A" << 1 << false << "";
    QTest::newRow("last on an empty log")
        << 0 << "L" << unknown << true << "The record set is empty: there is no last record.";
    QTest::newRow("delete on an empty log")
        << 0 << "D" << unknown << true << "There is no current record to delete.";
    QTest::newRow("delete twice") << 3 << "DD" << unknown << false
                                  << "The current record has been deleted already.";
    QTest::newRow("next after the last")
        << 3 << "LNN" << eof << true << "The current position is already after the last record.";
    QTest::newRow("past the new-record place")
        << 3 << "T" << 1 << false << "There is no record 5 in the record set.";
}

void TestRecordSet::absolutePositionCodes() {
    QFETCH(int, rows);
    QFETCH(QString, moves);
    QFETCH(int, position);
    QFETCH(bool, eof);
    QFETCH(QString, error);
    Log log;
    for (int i = 0; i < rows; ++i)
        log.file->add("2024-01-01", QStringLiteral("C%1").arg(i));
    RecordSet& records = log.open();
    int deleted = 0;
    for (int i = 0; i < moves.size(); ++i) {
        bool ok = false;
        switch (moves.at(i).toLatin1()) {
        case 'L':
            ok = records.moveLast();
            break;
        case 'N':
            ok = records.moveNext();
            break;
        case 'D':
            deleted += (ok = records.deleteCurrent());
            break;
        case 'A':
            ok = records.setValueAt(records.size(), 0, QVariant());
            break;
        case 'T':
            ok = records.moveTo(4);
            break;
        }
        const bool failing = !error.isEmpty() && i == moves.size() - 1;
        QVERIFY2(ok != failing, qPrintable(records.lastError()));
    }
    if (!error.isEmpty())
        QCOMPARE(records.lastError(), error);
    QCOMPARE(records.absolutePosition(), position);
    QCOMPARE(records.isEof(), eof);
    QCOMPARE(log.file->calls().size(), rows - deleted);
}

void TestRecordSet::newRecordComesIntoBeingWhenAValueIsSet() {
    Log log;
    log.file->add("2024-01-01", "IK0AA");
    log.file->add("2024-01-02", "IK0BB");
    RecordSet& records = log.open();
    QSignalSpy inserted(&records, &RecordSet::rowsInserted);
    QVERIFY(records.moveLast());
    QVERIFY(records.moveNext());
    QCOMPARE(records.size(), 2);
    QCOMPARE(inserted.count(), 0);

    QVERIFY(records.setValueAt(2, records.fieldIndex("OM_Call"), "IZ0NEW"));
    QVERIFY(records.setValueAt(2, records.fieldIndex("Name"), "ANNA"));
    QCOMPARE(records.size(), 3);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(records.absolutePosition(), 3);
    QCOMPARE(log.file->calls(), QStringList({"IK0AA", "IK0BB"}));
    QVERIFY(records.updateBatch());
    QVERIFY(!records.isNewAt(2));
    // A later change of it updates that row, not a new one.
    QVERIFY(records.setValueAt(2, records.fieldIndex("Name"), "ANNA MARIA"));
    QVERIFY(records.updateBatch());
    QCOMPARE(log.file->rows("SELECT OM_Call, Name FROM Log1 ORDER BY rowid"),
             QStringList({"IK0AA|-", "IK0BB|-", "IZ0NEW|ANNA MARIA"}));
}

void TestRecordSet::identicalRowsAreEditedAndDeletedApart() {
    Log log;
    log.file->add("2024-01-01", "IK0AA", "SAME");
    log.file->add("2024-01-01", "IK0AA", "SAME");
    RecordSet& records = log.open();
    QVERIFY(records.moveTo(1));
    QVERIFY(records.setValueAt(1, records.fieldIndex("Name"), "SECOND"));
    QVERIFY(records.updateBatch());
    QCOMPARE(log.file->rows("SELECT Name FROM Log1 ORDER BY rowid"),
             QStringList({"SAME", "SECOND"}));
    QVERIFY(records.moveTo(0));
    QVERIFY(records.deleteCurrent());
    QCOMPARE(log.file->rows("SELECT Name FROM Log1"), QStringList({"SECOND"}));
    QCOMPARE(column(records, "Name"), QStringList({"SECOND"}));
}

void TestRecordSet::outsideChangesAreNotOverwritten_data() {
    QTest::addColumn<QString>("outside"); // statement run by someone else on the row
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("tableAfter");
    const QString change = "UPDATE Log1 SET Name = 'OUTSIDE' WHERE OM_Call = 'IK0BB'";
    const QString remove = "DELETE FROM Log1 WHERE OM_Call = 'IK0BB'";
    QTest::newRow("update of a row changed outside")
        << change << "update" << false
        << "Record 2 was changed by someone else since it was read, so it was not overwritten."
        << QStringList{"IK0AA|-", "IK0BB|OUTSIDE"};
    QTest::newRow("update of a row deleted outside")
        << remove << "update" << false << "Record 2 was deleted by someone else since it was read."
        << QStringList{"IK0AA|-"};
    QTest::newRow("delete of a row changed outside")
        << change << "delete" << false
        << "Record 2 was changed by someone else since it was read, so it was not deleted."
        << QStringList{"IK0AA|-", "IK0BB|OUTSIDE"};
    QTest::newRow("delete of a row deleted outside")
        << remove << "delete" << true << "" << QStringList{"IK0AA|-"};
    QTest::newRow("update of a row changed outside in another field")
        << "UPDATE Log1 SET QTH = 'ROMA' WHERE OM_Call = 'IK0BB'"
        << "update" << false
        << "Record 2 was changed by someone else since it was read, so it was not overwritten."
        << QStringList{"IK0AA|-", "IK0BB|-"};
}

void TestRecordSet::outsideChangesAreNotOverwritten() {
    QFETCH(QString, outside);
    QFETCH(QString, operation);
    QFETCH(bool, succeeds);
    QFETCH(QString, error);
    QFETCH(QStringList, tableAfter);
    Log log;
    log.file->add("2024-01-01", "IK0AA");
    log.file->add("2024-01-02", "IK0BB");
    RecordSet& records = log.open();
    QVERIFY(records.moveTo(1));
    QCOMPARE(current(records, "OM_Call"), "IK0BB"); // read before the outside change
    if (operation == "update")
        QVERIFY(records.setValueAt(1, records.fieldIndex("Name"), "MINE"));
    log.file->execute(outside);

    const bool done = operation == "update" ? records.updateBatch() : records.deleteCurrent();

    QCOMPARE(done, succeeds);
    if (!succeeds)
        QVERIFY2(records.lastError().startsWith(error), qPrintable(records.lastError()));
    QCOMPARE(log.file->rows("SELECT OM_Call, Name FROM Log1 ORDER BY rowid"), tableAfter);
    if (operation == "update")
        QCOMPARE(records.valueAt(1, records.fieldIndex("Name")).toString(), "MINE");
    QCOMPARE(records.size(), operation == "delete" && succeeds ? 1 : 2);
}

void TestRecordSet::queriesUseTheLogIndexes_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("searchText");
    QTest::addColumn<QString>("plan");
    QTest::newRow("design query walks the date index") << LogQueries::design().text << ""
                                                       << "SCAN Log1 USING INDEX Log1_QSO_Date";
    QTest::newRow("bound call searched through the case-blind index")
        << LogQueries::search("").text << "IK0ABC"
        << "SEARCH Log1 USING INDEX Log1_OM_Call (OM_Call>? AND OM_Call<?)";
    QTest::newRow("bound prefix searched through the case-blind index")
        << LogQueries::search("").text << "IK0%"
        << "SEARCH Log1 USING INDEX Log1_OM_Call (OM_Call>? AND OM_Call<?)";
    QTest::newRow("leading wildcard reads the whole table") << LogQueries::search("").text << "%ABC"
                                                            << "SCAN Log1";
}

void TestRecordSet::queriesUseTheLogIndexes() {
    QFETCH(QString, query);
    QFETCH(QString, searchText);
    QFETCH(QString, plan);
    Log log;
    // SQLite plans a `like` on a bound value again once the value is known.
    const QVariantList values = searchText.isEmpty() ? QVariantList() : QVariantList{searchText};
    const QStringList steps = log.file->rows("EXPLAIN QUERY PLAN " + query, values);
    QCOMPARE(steps.size(), 1);
    QCOMPARE(steps.first().section('|', 3), plan);
}

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
