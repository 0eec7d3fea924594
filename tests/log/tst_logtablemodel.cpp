#include "LogFile.h"
#include "LogFolder.h"
#include "log/DataControl.h"
#include "log/LogTableModel.h"
#include "log/RecordSet.h"
#include "platform/RegionalFormats.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

// The grid's model over a log of one contact, checked by QAbstractItemModelTester throughout.
struct Grid {
    LogFolder folder;
    LogFile file{(folder.createLog(), folder.logPath())};
    RegionalFormats formats{QLocale(QLocale::Italian, QLocale::Italy)};
    DataControl control{folder.paths};
    LogTableModel model{control, formats};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};

    Grid() {
        file.add("2023-12-28", "IK0AA");
        [this] { QVERIFY2(control.refresh(), qPrintable(control.lastError())); }();
    }
    QString cell(int row, int column) { return model.index(row, column).data().toString(); }
};

} // namespace

class TestLogTableModel : public QObject {
    Q_OBJECT
private slots:
    void typedTextIsStoredAndShown_data();
    void typedTextIsStoredAndShown();
    void newRecordRowBecomesARecordWhenTyped();
};

void TestLogTableModel::typedTextIsStoredAndShown_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored"); // date, Name and Note
    QTest::newRow("Name, shown in capitals") << 4 << "ik0abc Rome" << true << "IK0ABC ROME"
                                             << "2023-12-28|ik0abc Rome|-";
    QTest::newRow("Note, as typed") << 10 << "ik0abc Rome" << true << "ik0abc Rome"
                                    << "2023-12-28|-|ik0abc Rome";
    QTest::newRow("a blank Name is a value") << 4 << " " << true << " "
                                             << "2023-12-28| |-";
    QTest::newRow("short date text") << 0 << "05/01/2024" << true << "05/01/2024"
                                     << "2024-01-05|-|-";
    QTest::newRow("blanks around a date") << 0 << " 07/03/2024 " << true << "07/03/2024"
                                          << "2024-03-07|-|-";
    QTest::newRow("empty date text") << 0 << "" << true << ""
                                     << "-|-|-";
    QTest::newRow("day that does not exist") << 0 << "31/02/2024" << false << "28/12/2023"
                                             << "2023-12-28|-|-";
}

void TestLogTableModel::typedTextIsStoredAndShown() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    Grid grid;
    QSignalSpy refused(&grid.model, &LogTableModel::editRefused);
    // Typed first on the same row: a refused value keeps it.
    QVERIFY(grid.model.setData(grid.model.index(0, 3), "ik0zz"));

    QCOMPARE(grid.model.setData(grid.model.index(0, column), typed), accepted);

    QCOMPARE(refused.count(), accepted ? 0 : 1);
    QCOMPARE(grid.cell(0, column), shown);
    QVERIFY(grid.control.recordSet().updateBatch());
    QCOMPARE(grid.file.rows("SELECT OM_Call, [QSO Date], Name, Note FROM Log1"),
             QStringList("ik0zz|" + stored));
}

void TestLogTableModel::newRecordRowBecomesARecordWhenTyped() {
    Grid grid;
    LogTableModel& model = grid.model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QVERIFY(model.setCurrentRow(1));

    QVERIFY(model.setData(model.index(1, 3), "iz0new"));

    // The typed row keeps its place; the fresh new-record row comes below it.
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 2);
    QCOMPARE(model.currentRow(), 1);
    QCOMPARE(model.headerData(1, Qt::Vertical).toString(), "*");
    QCOMPARE(grid.file.calls(), QStringList({"IK0AA"}));
    // Moving off the row saves it, as the grid does.
    QVERIFY(model.setCurrentRow(0));
    QCOMPARE(grid.file.calls(), QStringList({"IK0AA", "iz0new"}));
    QCOMPARE(model.headerData(1, Qt::Vertical).toString(), "2");
}

QTEST_GUILESS_MAIN(TestLogTableModel)
#include "tst_logtablemodel.moc"
