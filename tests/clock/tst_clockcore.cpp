#include "clock/DifferenceText.h"
#include "clock/ShiftedTime.h"

#include <QTest>
#include <QTimeZone>

// The time arithmetic of the clock strip, without a window.
class TestClockCore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void readsDifferenceTexts_data();
    void readsDifferenceTexts();
    void shiftsAsPlainNumbers_data();
    void shiftsAsPlainNumbers();
};

void TestClockCore::initTestCase() {
    // The summer-time rows mean something only in a zone that has summer time.
    QCOMPARE(QDateTime(QDate(2026, 7, 1), QTime(12, 0)).offsetFromUtc(), 7200);
}

void TestClockCore::readsDifferenceTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("seconds"); // -1: not a time
    QTest::newRow("one hour") << "01.00.00" << 3600;
    QTest::newRow("largest") << "23.59.59" << 86399;
    QTest::newRow("one digit each") << "1.2.3" << 3723;
    QTest::newRow("hours only") << "2" << 7200;
    QTest::newRow("hours and minutes, colon") << "05:30" << 19800;
    QTest::newRow("line break an editor adds") << "01.00.00\n" << 3600;
    QTest::newRow("blanks and CR LF around") << " 01.00.00 \r\n" << 3600;
    QTest::newRow("letters") << "abc" << -1;
    QTest::newRow("hour 24") << "24.00.00" << -1;
    QTest::newRow("minute 60") << "01.60.00" << -1;
    QTest::newRow("four fields") << "1.2.3.4" << -1;
    QTest::newRow("three digits") << "001.00.00" << -1;
    QTest::newRow("separators mixed") << "01:00.00" << -1;
    QTest::newRow("two lines") << "01.00.00\n02.00.00" << -1;
}

void TestClockCore::readsDifferenceTexts() {
    QFETCH(QString, text);
    QFETCH(int, seconds);
    QCOMPARE(DifferenceText().seconds(text).value_or(-1), seconds);
}

void TestClockCore::shiftsAsPlainNumbers_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    const QDate spring(2026, 3, 29), autumn(2026, 10, 25);
    QTest::newRow("new year") << QDateTime(QDate(2026, 12, 31), QTime(23, 30)) << 7200
                              << QDate(2027, 1, 1) << QTime(1, 30);
    QTest::newRow("back into a leap day") << QDateTime(QDate(2028, 3, 1), QTime(0, 30)) << -3600
                                          << QDate(2028, 2, 29) << QTime(23, 30);
    QTest::newRow("summer time starts: 03:00:05 minus one hour")
        << QDateTime(spring, QTime(3, 0, 5)) << -3600 << spring << QTime(2, 0, 5);
    QTest::newRow("summer time starts: 01:30 plus one hour names the skipped hour")
        << QDateTime(spring, QTime(1, 30)) << 3600 << spring << QTime(2, 30);
    QTest::newRow("summer time ends: first 02:30 minus one hour")
        << QDateTime(autumn, QTime(0, 30), QTimeZone::utc()).toLocalTime() << -3600 << autumn
        << QTime(1, 30);
}

void TestClockCore::shiftsAsPlainNumbers() {
    QFETCH(QDateTime, now);
    QFETCH(int, seconds);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    const ShiftedTime shifted(now, seconds);
    QCOMPARE(shifted.date(), date);
    QCOMPARE(shifted.time(), time);
}

QTEST_GUILESS_MAIN(TestClockCore)
#include "tst_clockcore.moc"
