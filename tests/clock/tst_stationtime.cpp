#include "clock/StationTime.h"

#include <QTest>
#include <QTimeZone>

using Pair = std::optional<CaptureState::Pair>;
Q_DECLARE_METATYPE(Pair)

class TestStationTime : public QObject {
    Q_OBJECT
private slots:
    void disagreement_data();
    void disagreement();
};

void TestStationTime::disagreement_data() {
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<QString>("difference");
    QTest::addColumn<Pair>("pair");
    QTest::addColumn<QString>("warning");
    const QDateTime winter(QDate(2026, 1, 15), QTime(12, 0));
    const QDateTime summer(QDate(2026, 7, 15), QTime(12, 0));
    const Pair minus = CaptureState::Pair::Minus, plus = CaptureState::Pair::Plus, none;
    const QString edit = QStringLiteral(". Edit the file and start the clock window again.");

    QTest::newRow("Rome winter, one hour, minus")
        << QByteArray("Europe/Rome") << winter << "01.00.00" << minus << "";
    QTest::newRow("Rome summer, file left at winter")
        << QByteArray("Europe/Rome") << summer << "01.00.00\r\n"
        << minus
        << "The PC's time zone is UTC+02:00 (summer time); Savetime.TXT says 01.00.00" + edit;
    QTest::newRow("Rome summer, two hours, no pair")
        << QByteArray("Europe/Rome") << summer << "02.00.00" << none << "";
    QTest::newRow("New York winter, plus")
        << QByteArray("America/New_York") << winter << "05.00.00" << plus << "";
    QTest::newRow("New York winter, minus: the wrong pair")
        << QByteArray("America/New_York") << winter << "05.00.00" << minus
        << "The PC's time zone is UTC-05:00: local time is behind UTC, so the clocks of \"+\" "
           "show UTC, not those of \"_\".";
    QTest::newRow("Rome winter, plus: the wrong pair")
        << QByteArray("Europe/Rome") << winter << "01.00.00" << plus
        << "The PC's time zone is UTC+01:00: local time is ahead of UTC, so the clocks of \"_\" "
           "show UTC, not those of \"+\".";
    QTest::newRow("New York summer, no pair: size only")
        << QByteArray("America/New_York") << summer << "05.00.00" << none
        << "The PC's time zone is UTC-04:00 (summer time); Savetime.TXT says 05.00.00" + edit;
    QTest::newRow("Sydney's summer is in January")
        << QByteArray("Australia/Sydney") << winter << "10.00.00" << minus
        << "The PC's time zone is UTC+11:00 (summer time); Savetime.TXT says 10.00.00" + edit;
    QTest::newRow("Kolkata, half an hour")
        << QByteArray("Asia/Kolkata") << winter << "05.30.00" << minus << "";
    QTest::newRow("zone UTC, clock kept in local time")
        << QByteArray("UTC") << summer << "02.00.00" << minus << "";
    QTest::newRow("London winter, file left at summer")
        << QByteArray("Europe/London") << winter << "01.00.00" << plus
        << "The PC's time zone is UTC+00:00; Savetime.TXT says 01.00.00" + edit;
    QTest::newRow("London winter, zero, either pair")
        << QByteArray("Europe/London") << winter << "00.00.00" << plus << "";
}

void TestStationTime::disagreement() {
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, local);
    QFETCH(QString, difference);
    QFETCH(Pair, pair);
    QFETCH(QString, warning);
    const QTimeZone timeZone(zone);
    QVERIFY2(timeZone.isValid(), zone.constData());
    const QDateTime now(local.date(), local.time(), timeZone);
    const int seconds =
        QTime::fromString(difference.trimmed(), QStringLiteral("hh.mm.ss")).msecsSinceStartOfDay() /
        1000;
    QCOMPARE(StationTime::disagreement(now, seconds, difference, pair), warning);
}

QTEST_GUILESS_MAIN(TestStationTime)
#include "tst_stationtime.moc"
