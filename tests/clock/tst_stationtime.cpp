#include "clock/StationTime.h"

#include <QTest>
#include <QTimeZone>

using Pair = std::optional<CaptureState::Pair>;

class TestStationTime : public QObject {
    Q_OBJECT
private slots:
    void disagreement_data();
    void disagreement();
};

void TestStationTime::disagreement_data() {
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("difference");
    QTest::addColumn<int>("pair"); // -1 none, else CaptureState::Pair
    QTest::addColumn<QString>("warning");
    const int minus = int(CaptureState::Pair::Minus), plus = int(CaptureState::Pair::Plus);
    const QString edit = ". Edit the file and start the clock window again.";
    QTest::newRow("agrees") << QByteArray("Europe/Rome") << 1 << "01.00.00" << minus << "";
    QTest::newRow("file left at winter")
        << QByteArray("Europe/Rome") << 7 << "01.00.00\n"
        << minus
        << "The PC's time zone is UTC+02:00 (summer time); Savetime.TXT says 01.00.00" + edit;
    QTest::newRow("wrong pair west") << QByteArray("America/New_York") << 1 << "05.00.00" << minus
                                     << "The PC's time zone is UTC-05:00: local time is behind "
                                        "UTC, so the clocks of \"+\" show UTC, not those of \"_\".";
    QTest::newRow("no pair: size only")
        << QByteArray("America/New_York") << 1 << "05.00.00" << -1 << "";
    QTest::newRow("zone UTC all year") << QByteArray("UTC") << 7 << "02.00.00" << minus << "";
    QTest::newRow("London winter is not UTC all year")
        << QByteArray("Europe/London") << 1 << "01.00.00" << plus
        << "The PC's time zone is UTC+00:00; Savetime.TXT says 01.00.00" + edit;
}

void TestStationTime::disagreement() {
    QFETCH(QByteArray, zone);
    QFETCH(int, month);
    QFETCH(QString, difference);
    QFETCH(int, pair);
    QFETCH(QString, warning);
    const QDateTime now(QDate(2026, month, 15), QTime(12, 0), QTimeZone(zone));
    QVERIFY(now.timeZone().isValid());
    const int seconds = difference.left(2).toInt() * 3600;
    QCOMPARE(StationTime::disagreement(now, seconds, difference,
                                       pair < 0 ? Pair() : Pair(CaptureState::Pair(pair))),
             warning);
}

QTEST_GUILESS_MAIN(TestStationTime)
#include "tst_stationtime.moc"
