#include "LogFile.h"
#include "TestServices.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"
#include "log/LogQueries.h"
#include "log/RecordSet.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
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
    void resetShowsTheTableOrder();
    void refreshKeepsTheViewAndReadsFreshData_data();
    void refreshKeepsTheViewAndReadsFreshData();
    void refreshSavesPendingChangesFirst();
    void closingSavesPendingChanges();
    void queriesUseTheLogIndexes_data();
    void queriesUseTheLogIndexes();
    void deleteCommandMovesOn_data();
    void deleteCommandMovesOn();
    void batchUpdate_data();
    void batchUpdate();
    void absolutePositionCodes_data();
    void absolutePositionCodes();
    void newRecordComesIntoBeingWhenAValueIsSet();
    void identicalRowsAreEditedAndDeletedApart();
    void outsideChangesAreNotOverwritten_data();
    void outsideChangesAreNotOverwritten();
    void movingOffAChangedRowSavesIt();
    void fieldsByIndexAndName();
    void operationsWithoutCurrentRecordFail_data();
    void operationsWithoutCurrentRecordFail();
    void refusesRecordSourcesItCannotKeep_data();
    void refusesRecordSourcesItCannotKeep();
};

void TestRecordSet::designQueryOrdersByDate() {
    Log log;
    log.file->add("2024-01-05", "C");
    log.file->add("", "NODATE");
    log.file->add("2023-12-28", "B");
    log.file->add("2024-01-05", "D");
    log.file->add("2023-02-10", "A");
    RecordSet& records = log.open();
    QCOMPARE(records.fieldCount(), 11);
    QCOMPARE(records.fieldName(0), "QSO Date");
    QCOMPARE(records.fieldName(10), "Note");
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
    QCOMPARE(records.fieldCount(), 11); // SELECT *
    QCOMPARE(sorted(column(records, "OM_Call")), found);
    QCOMPARE(records.absolutePosition(), found.isEmpty() ? int(RecordSet::PositionUnknown) : 1);
    QCOMPARE(log.file->calls().size(), 6);
}

void TestRecordSet::resetShowsTheTableOrder() {
    Log log;
    log.file->add("2024-03-01", "FIRST");
    log.file->add("2020-03-01", "SECOND");
    log.file->add("2022-03-01", "THIRD");
    RecordSet& records = log.open();
    QCOMPARE(column(records, "OM_Call"), QStringList({"SECOND", "THIRD", "FIRST"}));
    log.control->setRecordSource(LogQueries::search("SECOND"));
    QVERIFY(log.control->refresh());
    QCOMPARE(column(records, "OM_Call"), QStringList({"SECOND"}));
    log.control->setRecordSource(LogQueries::reset());
    QVERIFY(log.control->refresh());
    QCOMPARE(column(records, "OM_Call"), QStringList({"FIRST", "SECOND", "THIRD"}));
    QCOMPARE(log.control->recordSource().text, "SELECT * FROM Log1 ");
    QVERIFY(log.control->recordSource().parameters.isEmpty());
}

void TestRecordSet::refreshKeepsTheViewAndReadsFreshData_data() {
    QTest::addColumn<RecordSource>("source");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("design query") << LogQueries::design() << QStringList{"IK0AA", "IK0BB", "IW2CC"}
                                  << QStringList{"IK0AA", "IK0NEW", "IW2CC", "IK0BB"};
    QTest::newRow("search") << LogQueries::search("IK0%") << QStringList{"IK0AA", "IK0BB"}
                            << QStringList{"IK0AA", "IK0BB", "IK0NEW"};
    QTest::newRow("reset") << LogQueries::reset() << QStringList{"IK0AA", "IK0BB", "IW2CC"}
                           << QStringList{"IK0AA", "IK0BB", "IW2CC", "IK0NEW"};
}

void TestRecordSet::refreshKeepsTheViewAndReadsFreshData() {
    QFETCH(RecordSource, source);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    Log log;
    log.file->add("2024-01-01", "IK0AA");
    const qint64 second = log.file->add("2024-01-02", "IK0BB");
    log.file->add("2024-01-03", "IW2CC");
    RecordSet& records = log.open(source);
    QCOMPARE(column(records, "OM_Call"), before);

    log.file->add("2024-01-02", "IK0NEW");
    log.file->execute("UPDATE Log1 SET [QSO Date] = '2024-02-01' WHERE rowid = ?", {second});
    QCOMPARE(column(records, "OM_Call"), before);
    QVERIFY(log.control->refresh());
    QCOMPARE(log.control->recordSource(), source);
    QCOMPARE(sorted(column(records, "OM_Call")), sorted(after));
    if (source == LogQueries::design())
        QCOMPARE(column(records, "OM_Call"), after);
}

void TestRecordSet::refreshSavesPendingChangesFirst() {
    Log log;
    const qint64 row = log.file->add("2024-01-01", "IK0AA");
    RecordSet& records = log.open();
    QVERIFY(records.setValue("Name", "MARIO"));
    QVERIFY(log.control->refresh());
    QCOMPARE(log.file->rows("SELECT Name FROM Log1"), QStringList({"MARIO"}));

    // When the save fails, nothing is re-read and the change stays.
    QVERIFY(records.setValue("Name", "LUIGI"));
    log.file->execute("UPDATE Log1 SET Name = 'OUTSIDE' WHERE rowid = ?", {row});
    QVERIFY(!log.control->refresh());
    QVERIFY(log.control->lastError().contains("changed by someone else"));
    QCOMPARE(records.value("Name").toString(), "LUIGI");
    QVERIFY(records.hasPendingChanges());
    QCOMPARE(log.file->rows("SELECT Name FROM Log1"), QStringList({"OUTSIDE"}));
}

void TestRecordSet::closingSavesPendingChanges() {
    Log log;
    log.file->add("2024-01-01", "IK0AA");
    log.file->add("2024-01-02", "IK0BB");
    RecordSet& records = log.open();
    QVERIFY(records.setValueAt(0, records.fieldIndex("Name"), "ANNA"));
    QVERIFY(records.setValueAt(1, records.fieldIndex("Name"), "BRUNO"));
    log.file->execute("UPDATE Log1 SET QTH = 'OUTSIDE' WHERE OM_Call = 'IK0BB'");
    QVERIFY(!log.control->close());
    // All or nothing: the row changed outside keeps the other row from being saved too.
    QVERIFY(log.control->lastError().startsWith("Record 2 was changed by someone else"));
    QCOMPARE(log.file->rows("SELECT Name FROM Log1 ORDER BY rowid"), QStringList({"-", "-"}));
    QVERIFY(!records.isOpen());

    RecordSet& reopened = log.open();
    QVERIFY(reopened.setValue("Name", "ANNA"));
    QVERIFY(log.control->close());
    QCOMPARE(log.file->rows("SELECT Name FROM Log1 ORDER BY rowid"), QStringList({"ANNA", "-"}));
}

void TestRecordSet::queriesUseTheLogIndexes_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("searchText");
    QTest::addColumn<QString>("plan");
    QTest::newRow("design query walks the date index")
        << LogQueries::design().text << "" << "SCAN Log1 USING INDEX Log1_QSO_Date";
    QTest::newRow("bound call searched through the case-blind index")
        << LogQueries::search("").text << "IK0ABC"
        << "SEARCH Log1 USING INDEX Log1_OM_Call (OM_Call>? AND OM_Call<?)";
    QTest::newRow("bound prefix searched through the case-blind index")
        << LogQueries::search("").text << "IK0%"
        << "SEARCH Log1 USING INDEX Log1_OM_Call (OM_Call>? AND OM_Call<?)";
    QTest::newRow("leading wildcard reads the whole table")
        << LogQueries::search("").text << "%ABC" << "SCAN Log1";
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

void TestRecordSet::deleteCommandMovesOn_data() {
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("currentAfter");
    QTest::addColumn<int>("positionAfter");
    QTest::addColumn<QString>("moveError");
    const QStringList abc{"A", "B", "C"};
    QTest::newRow("middle: the next record becomes current")
        << abc << 1 << QStringList{"A", "C"} << "C" << 2 << "";
    QTest::newRow("first") << abc << 0 << QStringList{"B", "C"} << "B" << 1 << "";
    QTest::newRow("last: the new last record becomes current")
        << abc << 2 << QStringList{"A", "B"} << "B" << 2 << "";
    QTest::newRow("only record: the deletion stands, the move fails")
        << QStringList{"A"} << 0 << QStringList{} << "" << int(RecordSet::PositionUnknown)
        << "The record set is empty: there is no last record.";
}

void TestRecordSet::deleteCommandMovesOn() {
    QFETCH(QStringList, calls);
    QFETCH(int, current);
    QFETCH(QStringList, left);
    QFETCH(QString, currentAfter);
    QFETCH(int, positionAfter);
    QFETCH(QString, moveError);
    Log log;
    for (int i = 0; i < calls.size(); ++i)
        log.file->add(QStringLiteral("2024-01-0%1").arg(i + 1), calls.at(i));
    RecordSet& records = log.open();
    QVERIFY(records.moveTo(current));
    QSignalSpy changes(&records, &RecordSet::willChangeRecord);

    // The log window's delete: delete, move next, and at the end move last.
    QVERIFY2(records.deleteCurrent(), qPrintable(records.lastError()));
    QCOMPARE(changes.count(), 1);
    QVERIFY(records.moveNext());
    bool moved = true;
    if (records.isEof())
        moved = records.moveLast();

    QCOMPARE(moved, moveError.isEmpty());
    if (!moved)
        QCOMPARE(records.lastError(), moveError);
    QCOMPARE(log.file->calls(), left);
    QCOMPARE(column(records, "OM_Call"), left);
    QCOMPARE(records.absolutePosition(), positionAfter);
    if (moved)
        QCOMPARE(records.value("OM_Call").toString(), currentAfter);
}

void TestRecordSet::batchUpdate_data() {
    QTest::addColumn<QList<int>>("edited");
    QTest::addColumn<bool>("appendNew");
    QTest::addColumn<int>("changedOutside");
    QTest::addColumn<QStringList>("namesAfter");
    QTest::newRow("nothing pending") << QList<int>{} << false << -1
                                     << QStringList{"-", "-", "-", "-"};
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
        rowids << log.file->add(QStringLiteral("2024-01-0%1").arg(i + 1), QStringLiteral("C%1").arg(i));
    RecordSet& records = log.open();
    // On a row left unchanged, so that appending (which moves) saves nothing on the way.
    QVERIFY(records.moveTo(1));
    const int name = records.fieldIndex("Name");
    for (int position : edited)
        QVERIFY(records.setValueAt(position, name, QStringLiteral("EDITED %1").arg(position)));
    if (appendNew)
        QVERIFY(records.setValueAt(records.size(), name, "NEW"));
    if (changedOutside >= 0)
        log.file->execute("UPDATE Log1 SET Name = 'OUTSIDE' WHERE rowid = ?", {rowids.at(changedOutside)});
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
            QCOMPARE(records.valueAt(position, name).toString(), QStringLiteral("EDITED %1").arg(position));
        QVERIFY(records.isNewAt(4));
    } else if (appendNew) {
        QVERIFY(!records.isNewAt(4));
    }
}

void TestRecordSet::absolutePositionCodes_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("moves"); // F first, L last, N next, P previous, D delete, A add
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("bof");
    QTest::addColumn<bool>("eof");
    QTest::newRow("opened on the first record") << 3 << "" << 1 << false << false;
    QTest::newRow("last record") << 3 << "L" << 3 << false << false;
    QTest::newRow("after the last") << 3 << "LN" << int(RecordSet::PositionEof) << false << true;
    QTest::newRow("before the first") << 3 << "P" << int(RecordSet::PositionBof) << true << false;
    QTest::newRow("back from after the last") << 3 << "LNP" << 3 << false << false;
    QTest::newRow("on to the first from before it") << 3 << "PN" << 1 << false << false;
    QTest::newRow("empty log") << 0 << "" << int(RecordSet::PositionUnknown) << true << true;
    QTest::newRow("current record deleted") << 3 << "ND" << int(RecordSet::PositionUnknown)
                                            << false << false;
    QTest::newRow("next after a delete") << 3 << "NDN" << 2 << false << false;
    QTest::newRow("new record appended") << 3 << "A" << 4 << false << false;
    QTest::newRow("new record in an empty log") << 0 << "A" << 1 << false << false;
}

void TestRecordSet::absolutePositionCodes() {
    QFETCH(int, rows);
    QFETCH(QString, moves);
    QFETCH(int, position);
    QFETCH(bool, bof);
    QFETCH(bool, eof);
    Log log;
    for (int i = 0; i < rows; ++i)
        log.file->add("2024-01-01", QStringLiteral("C%1").arg(i));
    RecordSet& records = log.open();
    for (const QChar move : moves) {
        bool ok = false;
        switch (move.toLatin1()) {
        case 'F': ok = records.moveFirst(); break;
        case 'L': ok = records.moveLast(); break;
        case 'N': ok = records.moveNext(); break;
        case 'P': ok = records.movePrevious(); break;
        case 'D': ok = records.deleteCurrent(); break;
        case 'A': ok = records.addNew(); break;
        }
        QVERIFY2(ok, qPrintable(records.lastError()));
    }
    QCOMPARE(records.absolutePosition(), position);
    QCOMPARE(records.isBof(), bof);
    QCOMPARE(records.isEof(), eof);
}

void TestRecordSet::newRecordComesIntoBeingWhenAValueIsSet() {
    Log log;
    log.file->add("2024-01-01", "IK0AA");
    log.file->add("2024-01-02", "IK0BB");
    RecordSet& records = log.open();
    QSignalSpy inserted(&records, &RecordSet::rowsInserted);
    QVERIFY(records.moveLast());
    QVERIFY(records.moveNext());
    QVERIFY(records.isEof());
    QCOMPARE(records.size(), 2);
    QCOMPARE(inserted.count(), 0);

    QVERIFY(records.setValue("OM_Call", "IZ0NEW"));
    QCOMPARE(records.size(), 3);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(records.absolutePosition(), 3);
    QVERIFY(records.isNewAt(2));
    QCOMPARE(records.value("OM_Call").toString(), "IZ0NEW");
    QCOMPARE(log.file->calls(), QStringList({"IK0AA", "IK0BB"}));

    QVERIFY(records.setValue("Name", "ANNA"));
    QCOMPARE(records.size(), 3);
    QVERIFY(records.updateBatch());
    QVERIFY(!records.isNewAt(2));
    QCOMPARE(log.file->rows("SELECT OM_Call, Name FROM Log1 ORDER BY rowid"),
             QStringList({"IK0AA|-", "IK0BB|-", "IZ0NEW|ANNA"}));
    // A later change of it updates that row, not a new one.
    QVERIFY(records.setValue("Name", "ANNA MARIA"));
    QVERIFY(records.update());
    QCOMPARE(log.file->rows("SELECT Name FROM Log1 WHERE OM_Call = 'IZ0NEW'"), QStringList({"ANNA MARIA"}));
}

void TestRecordSet::identicalRowsAreEditedAndDeletedApart() {
    Log log;
    log.file->add("2024-01-01", "IK0AA", "SAME");
    log.file->add("2024-01-01", "IK0AA", "SAME");
    RecordSet& records = log.open();
    QVERIFY(records.moveTo(1));
    QVERIFY(records.setValue("Name", "SECOND"));
    QVERIFY(records.update());
    QCOMPARE(log.file->rows("SELECT Name FROM Log1 ORDER BY rowid"), QStringList({"SAME", "SECOND"}));
    QVERIFY(records.moveFirst());
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
    QTest::newRow("delete of a row deleted outside") << remove << "delete" << true << ""
                                                     << QStringList{"IK0AA|-"};
    QTest::newRow("update of a row changed outside in another field")
        << "UPDATE Log1 SET QTH = 'ROMA' WHERE OM_Call = 'IK0BB'" << "update" << false
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
    QCOMPARE(records.value("OM_Call").toString(), "IK0BB"); // read before the outside change
    if (operation == "update")
        QVERIFY(records.setValue("Name", "MINE"));
    log.file->execute(outside);

    const bool done = operation == "update" ? records.updateBatch() : records.deleteCurrent();

    QCOMPARE(done, succeeds);
    if (!succeeds)
        QVERIFY2(records.lastError().startsWith(error), qPrintable(records.lastError()));
    QCOMPARE(log.file->rows("SELECT OM_Call, Name FROM Log1 ORDER BY rowid"), tableAfter);
    if (operation == "update")
        QCOMPARE(records.value("Name").toString(), "MINE");
    QCOMPARE(records.size(), operation == "delete" && succeeds ? 1 : 2);
}

void TestRecordSet::movingOffAChangedRowSavesIt() {
    Log log;
    log.file->add("2024-01-01", "IK0AA");
    log.file->add("2024-01-02", "IK0BB");
    RecordSet& records = log.open();
    QSignalSpy errors(log.control.get(), &DataControl::error);
    QVERIFY(records.setValue("Name", "FIRST"));
    QVERIFY(records.moveNext());
    QCOMPARE(log.file->rows("SELECT Name FROM Log1 ORDER BY rowid"), QStringList({"FIRST", "-"}));
    QVERIFY(!records.hasPendingChanges());

    // A save that fails on the way is reported, the move happens and the change stays.
    QVERIFY(records.setValue("Name", "SECOND"));
    log.file->execute("UPDATE Log1 SET Name = 'OUTSIDE' WHERE OM_Call = 'IK0BB'");
    QVERIFY(records.movePrevious());
    QCOMPARE(records.absolutePosition(), 1);
    QCOMPARE(errors.count(), 1);
    QVERIFY(errors.at(0).at(1).toString().startsWith("Record 2 was changed by someone else"));
    QVERIFY(records.hasChangesAt(1));
    QCOMPARE(records.valueAt(1, records.fieldIndex("Name")).toString(), "SECOND");
}

void TestRecordSet::fieldsByIndexAndName() {
    Log log;
    log.file->add("2024-01-01", "IK0AA", "ANNA");
    RecordSet& records = log.open();
    QCOMPARE(records.fieldIndex("QSO Date"), 0);
    QCOMPARE(records.fieldIndex("[QSL Man]"), 6);
    QCOMPARE(records.fieldIndex("om_call"), 3);
    QCOMPARE(records.fieldIndex("Nope"), -1);
    QCOMPARE(records.value(4).toString(), "ANNA");
    QCOMPARE(records.value("name").toString(), "ANNA");
    QCOMPARE(records.value("[QSO Date]").toString(), "2024-01-01");
    QVERIFY(records.value("QTH").isNull());
    QVERIFY(!records.value("Nope").isValid());
    QCOMPARE(records.lastError(), "The record set has no field \"Nope\".");
    QVERIFY(!records.setValue(11, "x"));
    QCOMPARE(records.lastError(), "There is no field number 11: the record set has 11.");
}

void TestRecordSet::operationsWithoutCurrentRecordFail_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("error");
    QTest::newRow("move last on an empty log") << 0 << "" << "last"
                                               << "The record set is empty: there is no last record.";
    QTest::newRow("delete on an empty log") << 0 << "" << "delete"
                                            << "There is no current record to delete.";
    QTest::newRow("delete twice") << 2 << "D" << "delete"
                                  << "The current record has been deleted already.";
    QTest::newRow("next after the last") << 2 << "LN" << "next"
                                         << "The current position is already after the last record.";
    QTest::newRow("previous before the first") << 2 << "P" << "previous"
                                               << "The current position is already before the first record.";
    QTest::newRow("value of a deleted record") << 2 << "D" << "value"
                                               << "The current record has been deleted.";
    QTest::newRow("move past the new-record place") << 2 << "" << "to 4"
                                                    << "There is no record 4 in the record set.";
}

void TestRecordSet::operationsWithoutCurrentRecordFail() {
    QFETCH(int, rows);
    QFETCH(QString, moves);
    QFETCH(QString, operation);
    QFETCH(QString, error);
    Log log;
    for (int i = 0; i < rows; ++i)
        log.file->add("2024-01-01", QStringLiteral("C%1").arg(i));
    RecordSet& records = log.open();
    for (const QChar move : moves) {
        const bool ok = move == 'L'   ? records.moveLast()
                        : move == 'N' ? records.moveNext()
                        : move == 'P' ? records.movePrevious()
                                      : records.deleteCurrent();
        QVERIFY(ok);
    }
    const int before = records.absolutePosition();
    bool ok = true;
    if (operation == "last")
        ok = records.moveLast();
    else if (operation == "delete")
        ok = records.deleteCurrent();
    else if (operation == "next")
        ok = records.moveNext();
    else if (operation == "previous")
        ok = records.movePrevious();
    else if (operation == "value")
        ok = records.value(0).isValid();
    else
        ok = records.moveTo(3);
    QVERIFY(!ok);
    QCOMPARE(records.lastError(), error);
    QCOMPARE(records.absolutePosition(), before);
    QCOMPARE(log.file->calls().size(), rows - (moves.contains('D') ? 1 : 0));
}

void TestRecordSet::refusesRecordSourcesItCannotKeep_data() {
    QTest::addColumn<RecordSource>("source");
    QTest::addColumn<QString>("reason");
    QTest::newRow("distinct") << RecordSource{"SELECT DISTINCT OM_Call FROM Log1", {}}
                              << "\"DISTINCT\" is not supported";
    QTest::newRow("descending order") << RecordSource{"SELECT * FROM Log1 ORDER BY Name DESC", {}}
                                      << "orders by one field, ascending";
    QTest::newRow("two order terms") << RecordSource{"SELECT * FROM Log1 ORDER BY Name, QTH", {}}
                                     << "orders by one field, ascending";
    QTest::newRow("join") << RecordSource{"SELECT * FROM Log1 JOIN Log1 AS b ON 1", {}}
                          << "\"JOIN\" is not supported";
    QTest::newRow("no such table") << RecordSource{"SELECT * FROM Log9", {}} << "no such table: Log9";
    QTest::newRow("a second statement")
        << RecordSource{"SELECT * FROM Log1; DROP TABLE Log1", {}} << "more than one statement";
    QTest::newRow("value missing for a parameter")
        << RecordSource{"SELECT * FROM Log1 WHERE OM_Call like ?", {}} << "it takes 1 value(s), 0 given";
}

void TestRecordSet::refusesRecordSourcesItCannotKeep() {
    QFETCH(RecordSource, source);
    QFETCH(QString, reason);
    Log log;
    log.file->add("2024-01-01", "IK0AA");
    log.file->add("2024-01-02", "IK0BB");
    RecordSet& records = log.open();
    QVERIFY(records.moveLast());
    log.control->setRecordSource(source);
    QVERIFY(!log.control->refresh());
    const QString description = log.control->lastError();
    QVERIFY2(description.startsWith(QStringLiteral("The record source \"%1\" cannot be opened: ")
                                        .arg(source.text)),
             qPrintable(description));
    QVERIFY2(description.contains(reason), qPrintable(description));
    // The view in force stays.
    QCOMPARE(records.absolutePosition(), 2);
    QCOMPARE(log.file->calls().size(), 2);
}

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
