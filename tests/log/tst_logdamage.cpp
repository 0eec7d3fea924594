#include "LogFile.h"
#include "TestServices.h"
#include "log/DataControl.h"
#include "log/LogQueries.h"
#include "log/RecordSet.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

// The whole file, to tell whether anything was written to it.
QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestLogDamage : public QObject {
    Q_OBJECT
private slots:
    void damagedLogIsToldAndNeverWritten_data();
    void damagedLogIsToldAndNeverWritten();
};

void TestLogDamage::damagedLogIsToldAndNeverWritten_data() {
    QTest::addColumn<QString>("part");
    QTest::addColumn<bool>("foundByRead");
    QTest::addColumn<bool>("damaged");
    QTest::newRow("sound log") << QString() << false << false;
    QTest::newRow("zeroed page of the first contacts") << QStringLiteral("Log1") << true << true;
    // The rows read well: only the background check finds it.
    QTest::newRow("zeroed page of the call index")
        << QStringLiteral("Log1_OM_Call") << false << true;
}

void TestLogDamage::damagedLogIsToldAndNeverWritten() {
    QFETCH(QString, part);
    QFETCH(bool, foundByRead);
    QFETCH(bool, damaged);
    TestServices test;
    test.createLog();
    QStringList page; // offset and size
    {
        LogFile file(test.logPath());
        file.addMany(400, QStringLiteral("IK"));
        page = file.rows(QStringLiteral("SELECT (pageno - 1) * pgsize, pgsize FROM dbstat WHERE "
                                        "name = ? AND pagetype = 'leaf' ORDER BY path LIMIT 1"),
                         {part})
                   .value(0)
                   .split(QLatin1Char('|'));
    }
    // The first leaf page of `part` zeroed behind the program's back, as a failing disk leaves it.
    QFile zeroed(test.logPath());
    if (!part.isEmpty())
        QVERIFY(zeroed.open(QIODevice::ReadWrite) && zeroed.seek(page.value(0).toLongLong()) &&
                zeroed.write(QByteArray(page.value(1).toInt(), '\0')) > 0 && zeroed.flush());
    const QByteArray before = contents(test.logPath());
    DataControl control(test.paths);
    QSignalSpy told(&control, &DataControl::damaged);
    QVERIFY(control.refresh());
    RecordSet& records = control.recordSet();
    QCOMPARE(records.valueAt(0, records.fieldIndex(QStringLiteral("OM_Call"))).isNull(),
             foundByRead);
    QCOMPARE(records.isDamaged(), foundByRead);
    if (told.isEmpty())
        told.wait(damaged ? 10000 : 1000);
    QCOMPARE(told.count(), damaged ? 1 : 0);

    // The last record lies on a page that reads well.
    QVERIFY(records.moveLast());
    QVERIFY(records.setValueAt(records.currentPosition(),
                               records.fieldIndex(QStringLiteral("Name")), QStringLiteral("Anna")));
    QCOMPARE(records.updateBatch(), !damaged);
    QCOMPARE(records.deleteCurrent(), !damaged);
    if (damaged)
        QCOMPARE(records.lastError(), told.at(0).at(0).toString());
    QCOMPARE(told.count(), damaged ? 1 : 0);
    QCOMPARE(contents(test.logPath()) == before, damaged);
}

QTEST_GUILESS_MAIN(TestLogDamage)
#include "tst_logdamage.moc"
