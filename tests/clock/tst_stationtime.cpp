#include "clock/StationTime.h"

#include <QTest>
#include <QTimeZone>

// When the hand-kept difference and the PC's time zone disagree, and what the operator is told.
class TestStationTime : public QObject {
    Q_OBJECT
private slots:
    void disagreement_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("difference");
        QTest::addColumn<QString>("pair");    // m, p or none
        QTest::addColumn<QString>("warning"); // a part of it; empty: none
        const auto row = [](const char* name, const char* zone, int month, const char* difference,
                            const char* pair, const char* warning) {
            QTest::newRow(name) << QByteArray(zone) << month << difference << pair << warning;
        };
        row("agrees", "Europe/Rome", 1, "01.00.00", "m", "");
        row("file left at winter", "Europe/Rome", 7, "01.00.00\n", "m",
            "UTC+02:00 (summer time); Savetime.TXT says 01.00.00. Edit the file");
        row("wrong pair west", "America/New_York", 1, "05.00.00", "m",
            "UTC-05:00: local time is behind UTC, so the clocks of \"+\" show UTC");
        row("no pair: size only", "America/New_York", 1, "05.00.00", "", "");
        row("zone UTC all year", "UTC", 7, "02.00.00", "m", "");
        row("London winter is not UTC all year", "Europe/London", 1, "01.00.00", "p",
            "UTC+00:00; Savetime.TXT says 01.00.00");
    }
    void disagreement() {
        QFETCH(QByteArray, zone);
        QFETCH(int, month);
        QFETCH(QString, difference);
        QFETCH(QString, pair);
        QFETCH(QString, warning);
        const QDateTime now(QDate(2026, month, 15), QTime(12, 0), QTimeZone(zone));
        QVERIFY(now.timeZone().isValid());
        using Pair = std::optional<CaptureState::Pair>;
        const QString told = StationTime::disagreement(
            now, difference.left(2).toInt() * 3600, difference,
            pair.isEmpty() ? Pair() : Pair(CaptureState::Pair(pair == "p"))); // minus 0, plus 1
        QVERIFY2(told.contains(warning) && told.isEmpty() == warning.isEmpty(), qPrintable(told));
    }
};

QTEST_GUILESS_MAIN(TestStationTime)
#include "tst_stationtime.moc"
