#include "LogFile.h"
#include "LogFolder.h"
#include "log/DataControl.h"
#include "log/LogTableModel.h"
#include "log/RecordSet.h"
#include "platform/RegionalFormats.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// A log, its data control and the grid's model over it, checked by QAbstractItemModelTester
// through every change.
struct Grid {
    LogFolder test;
    RegionalFormats formats{QLocale(QLocale::Italian, QLocale::Italy)};
    std::unique_ptr<LogFile> file;
    std::unique_ptr<DataControl> control;
    std::unique_ptr<LogTableModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;

    Grid() {
        test.createLog();
        file = std::make_unique<LogFile>(test.logPath());
    }
    LogTableModel& open() {
        control = std::make_unique<DataControl>(test.paths);
        model = std::make_unique<LogTableModel>(*control, formats);
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        [this] { QVERIFY2(control->refresh(), qPrintable(control->lastError())); }();
        return *model;
    }
    RecordSet& records() { return control->recordSet(); }
    QString cell(int row, int column, int role = Qt::DisplayRole) {
        return model->data(model->index(row, column), role).toString();
    }
};

} // namespace

class TestLogTableModel : public QObject {
    Q_OBJECT
private slots:
    void storesAsTypedShowsMarkedColumnsInCapitals_data();
    void storesAsTypedShowsMarkedColumnsInCapitals();
    void datesAreShownAndTypedAsShortDateText_data();
    void datesAreShownAndTypedAsShortDateText();
    void newRecordRowBecomesARecordWhenTyped();
};

void TestLogTableModel::storesAsTypedShowsMarkedColumnsInCapitals_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Name, marked") << 4 << "ik0abc Rome"
                                  << "IK0ABC ROME";
    QTest::newRow("Note, not marked") << 10 << "ik0abc Rome"
                                      << "ik0abc Rome";
    QTest::newRow("a blank Name is a value") << 4 << " "
                                             << " ";
}

void TestLogTableModel::storesAsTypedShowsMarkedColumnsInCapitals() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Grid grid;
    grid.file->add("2024-01-05", "IK0AA");
    LogTableModel& model = grid.open();
    QVERIFY(model.setData(model.index(0, column), typed));
    QVERIFY(grid.records().updateBatch());
    QCOMPARE(grid.cell(0, column), shown);
    QCOMPARE(grid.file->rows("SELECT * FROM Log1").first().count(typed), 1);
}

void TestLogTableModel::datesAreShownAndTypedAsShortDateText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("short date text") << "05/01/2024" << true << "2024-01-05"
                                     << "05/01/2024";
    QTest::newRow("blanks around") << " 07/03/2024 " << true << "2024-03-07"
                                   << "07/03/2024";
    QTest::newRow("empty text stores no date") << "" << true << "-"
                                               << "";
    QTest::newRow("day that does not exist") << "31/02/2024" << false << "2023-12-28"
                                             << "28/12/2023";
    QTest::newRow("words") << "yesterday" << false << "2023-12-28"
                           << "28/12/2023";
}

void TestLogTableModel::datesAreShownAndTypedAsShortDateText() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    Grid grid;
    grid.file->add("2023-12-28", "IK0AA");
    LogTableModel& model = grid.open();
    QSignalSpy refused(&model, &LogTableModel::editRefused);
    QVERIFY(model.setData(model.index(0, 4), "Anna"));

    QCOMPARE(model.setData(model.index(0, 0), typed), accepted);

    QCOMPARE(refused.count(), accepted ? 0 : 1);
    if (!accepted) {
        QCOMPARE(model.lastError(), QStringLiteral("\"%1\" is not a date: type it as dd/MM/yyyy, "
                                                   "for example 31/12/2024.")
                                        .arg(typed));
    }
    QCOMPARE(grid.cell(0, 0), shown);
    // The rest of the row is kept either way.
    QCOMPARE(grid.cell(0, 4), "ANNA");
    QVERIFY(grid.records().updateBatch());
    QCOMPARE(grid.file->rows("SELECT [QSO Date], Name FROM Log1"), QStringList({stored + "|Anna"}));
}

void TestLogTableModel::newRecordRowBecomesARecordWhenTyped() {
    Grid grid;
    grid.file->add("2024-01-05", "IK0AA");
    LogTableModel& model = grid.open();
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QVERIFY(model.setCurrentRow(1));
    QCOMPARE(model.rowCount(), 2);

    QVERIFY(model.setData(model.index(1, 3), "iz0new"));

    // The typed row keeps its place; the fresh new-record row comes below it.
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(1).toInt(), 2);
    QCOMPARE(model.currentRow(), 1);
    QCOMPARE(model.headerData(1, Qt::Vertical).toString(), "*");
    QCOMPARE(grid.file->calls(), QStringList({"IK0AA"}));

    // Moving off the row saves it, as the grid does.
    QVERIFY(model.setCurrentRow(0));
    QCOMPARE(grid.file->calls(), QStringList({"IK0AA", "iz0new"}));
    QCOMPARE(model.headerData(1, Qt::Vertical).toString(), "2");
}

QTEST_GUILESS_MAIN(TestLogTableModel)
#include "tst_logtablemodel.moc"
