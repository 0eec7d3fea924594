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
    QTest::addColumn<DifferenceText::Check>("check");
    QTest::addColumn<int>("seconds"); // -1: not a time
    using C = DifferenceText::Check;
    QTest::newRow("seconds deleted") << "00.00" << C::Skip << 0;
    QTest::newRow("only .0 left") << ".0" << C::Warn << -1;
    QTest::newRow(".0 with a line break is not exact") << ".0\n" << C::Convert << -1;
    QTest::newRow("one hour") << "01.00.00" << C::Convert << 3600;
    QTest::newRow("largest") << "23.59.59" << C::Convert << 86399;
    QTest::newRow("one digit each") << "1.2.3" << C::Convert << 3723;
    QTest::newRow("hours only") << "2" << C::Convert << 7200;
    QTest::newRow("hours and minutes, colon") << "05:30" << C::Convert << 19800;
    QTest::newRow("line break an editor adds") << "01.00.00\n" << C::Convert << 3600;
    QTest::newRow("blanks and CR LF around") << " 01.00.00 \r\n" << C::Convert << 3600;
    QTest::newRow("letters") << "abc" << C::Convert << -1;
    QTest::newRow("hour 24") << "24.00.00" << C::Convert << -1;
    QTest::newRow("minute 60") << "01.60.00" << C::Convert << -1;
    QTest::newRow("four fields") << "1.2.3.4" << C::Convert << -1;
    QTest::newRow("three digits") << "001.00.00" << C::Convert << -1;
    QTest::newRow("separators mixed") << "01:00.00" << C::Convert << -1;
    QTest::newRow("two lines") << "01.00.00\n02.00.00" << C::Convert << -1;
}

void TestClockCore::readsDifferenceTexts() {
    QFETCH(QString, text);
    QFETCH(DifferenceText::Check, check);
    QFETCH(int, seconds);
    QCOMPARE(DifferenceText::check(text), check);
    DifferenceText difference;
    const std::optional<int> read = difference.seconds(text);
    QCOMPARE(read.value_or(-1), seconds);
    // A refusal names the text found, the file and the form expected.
    for (const QString& part :
         {'"' + text.trimmed() + '"', QStringLiteral("Savetime.TXT"), QStringLiteral("hh.mm.ss")})
        QCOMPARE(difference.lastError().contains(part), !read);
}

void TestClockCore::shiftsAsPlainNumbers_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    const QDate day(2026, 12, 6), spring(2026, 3, 29), autumn(2026, 10, 25);
    // The two 02:30 of the night summer time ends, told apart by their UTC time.
    const auto autumnUtc = [autumn](int hour) {
        return QDateTime(autumn, QTime(hour, 30), QTimeZone::utc()).toLocalTime();
    };
    QTest::newRow("into yesterday")
        << QDateTime(day, QTime(0, 30)) << -3600 << day.addDays(-1) << QTime(23, 30);
    QTest::newRow("into tomorrow")
        << QDateTime(day, QTime(23, 30)) << 7200 << day.addDays(1) << QTime(1, 30);
    QTest::newRow("new year") << QDateTime(QDate(2026, 12, 31), QTime(23, 30)) << 7200
                              << QDate(2027, 1, 1) << QTime(1, 30);
    QTest::newRow("back into a leap day") << QDateTime(QDate(2028, 3, 1), QTime(0, 30)) << -3600
                                          << QDate(2028, 2, 29) << QTime(23, 30);
    QTest::newRow("summer time starts: 03:00:05 minus one hour")
        << QDateTime(spring, QTime(3, 0, 5)) << -3600 << spring << QTime(2, 0, 5);
    QTest::newRow("summer time starts: 01:30 plus one hour names the skipped hour")
        << QDateTime(spring, QTime(1, 30)) << 3600 << spring << QTime(2, 30);
    QTest::newRow("summer time ends: first 02:30 minus one hour")
        << autumnUtc(0) << -3600 << autumn << QTime(1, 30);
    QTest::newRow("summer time ends: second 02:30 minus one hour")
        << autumnUtc(1) << -3600 << autumn << QTime(1, 30);
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
