#include "clock/ClockText.h"
#include "clock/DifferenceText.h"
#include "clock/ShiftedTime.h"

#include <QTest>
#include <QTimeZone>

// The time arithmetic of the clock strip, without a window.
class TestClockCore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sortsDifferenceTexts_data();
    void sortsDifferenceTexts();
    void readsDifferences_data();
    void readsDifferences();
    void refusesWhatIsNotATime_data();
    void refusesWhatIsNotATime();
    void formatsClockText_data();
    void formatsClockText();
    void shiftsAsPlainNumbers_data();
    void shiftsAsPlainNumbers();
};

namespace {
// A moment given in UTC, seen on the local wall clock: names either of the two 02:30 of the
// night summer time ends.
QDateTime localFromUtc(int year, int month, int day, int hour, int minute) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone::utc()).toLocalTime();
}
} // namespace

void TestClockCore::initTestCase() {
    // The summer-time rows mean something only in a zone that has summer time.
    QCOMPARE(QDateTime(QDate(2026, 7, 1), QTime(12, 0)).offsetFromUtc(), 7200);
    QCOMPARE(QDateTime(QDate(2026, 12, 1), QTime(12, 0)).offsetFromUtc(), 3600);
}

void TestClockCore::sortsDifferenceTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<DifferenceText::Check>("expected");
    using C = DifferenceText::Check;
    QTest::newRow("empty") << "" << C::Skip;
    QTest::newRow("hours deleted") << ".00.00" << C::Skip;
    QTest::newRow("seconds deleted") << "00.00" << C::Skip;
    QTest::newRow("all but the last dot deleted") << ".00" << C::Skip;
    QTest::newRow("dot zero") << ".0" << C::Warn;
    QTest::newRow("default") << "00.00.00" << C::Convert;
    QTest::newRow("dot zero with a line break is not exact") << ".0\n" << C::Convert;
    QTest::newRow("00.00 with a blank is not exact") << "00.00 " << C::Convert;
    QTest::newRow("a lone zero") << "0" << C::Convert;
}

void TestClockCore::sortsDifferenceTexts() {
    QFETCH(QString, text);
    QFETCH(DifferenceText::Check, expected);
    QCOMPARE(DifferenceText::check(text), expected);
}

void TestClockCore::readsDifferences_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("seconds");
    QTest::newRow("one hour") << "01.00.00" << 3600;
    QTest::newRow("largest") << "23.59.59" << 86399;
    QTest::newRow("zero") << "00.00.00" << 0;
    QTest::newRow("one digit each") << "1.2.3" << 3723;
    QTest::newRow("hours only") << "2" << 7200;
    QTest::newRow("hours and minutes") << "05.30" << 19800;
    QTest::newRow("colons") << "01:30:15" << 5415;
    QTest::newRow("line break an editor adds") << "01.00.00\n" << 3600;
    QTest::newRow("blanks and CR LF around") << " 01.00.00 \r\n" << 3600;
}

void TestClockCore::readsDifferences() {
    QFETCH(QString, text);
    QFETCH(int, seconds);
    DifferenceText difference;
    QCOMPARE(difference.seconds(text), std::optional<int>(seconds));
    QVERIFY(difference.lastError().isEmpty());
}

void TestClockCore::refusesWhatIsNotATime_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shownAs");
    QTest::newRow("letters") << "abc" << "abc";
    QTest::newRow("hour 24") << "24.00.00" << "24.00.00";
    QTest::newRow("hour 25") << "25.00.00" << "25.00.00";
    QTest::newRow("minute 60") << "01.60.00" << "01.60.00";
    QTest::newRow("second 60") << "01.00.60" << "01.00.60";
    QTest::newRow("four fields") << "1.2.3.4" << "1.2.3.4";
    QTest::newRow("three digits") << "001.00.00" << "001.00.00";
    QTest::newRow("separators mixed") << "01:00.00" << "01:00.00";
    QTest::newRow("sign") << "-01.00.00" << "-01.00.00";
    QTest::newRow("commas") << "01,00,00" << "01,00,00";
    QTest::newRow("two lines") << "01.00.00\n02.00.00" << "01.00.00\n02.00.00";
    QTest::newRow("blanks only, trimmed in the message") << "  \n" << "";
}

void TestClockCore::refusesWhatIsNotATime() {
    QFETCH(QString, text);
    QFETCH(QString, shownAs);
    DifferenceText difference;
    QCOMPARE(difference.seconds(text), std::nullopt);
    const QString error = difference.lastError();
    QVERIFY2(error.contains(QLatin1Char('"') + shownAs + QLatin1Char('"')), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("Savetime.TXT")), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("hh.mm.ss")), qPrintable(error));
}

void TestClockCore::formatsClockText_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("afternoon") << QTime(14, 5, 9) << ":" << "14:05:09 ";
    QTest::newRow("midnight") << QTime(0, 0, 0) << ":" << "00:00:00 ";
    QTest::newRow("last second") << QTime(23, 59, 59) << ":" << "23:59:59 ";
    QTest::newRow("milliseconds dropped") << QTime(9, 5, 9, 999) << ":" << "09:05:09 ";
    QTest::newRow("full stop") << QTime(14, 5, 9) << "." << "14.05.09 ";
    QTest::newRow("separator that reads as a pattern") << QTime(14, 5, 9) << "h" << "14h05h09 ";
}

void TestClockCore::formatsClockText() {
    QFETCH(QTime, time);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(ClockText::of(time, separator), expected);
}

void TestClockCore::shiftsAsPlainNumbers_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    const QDate day(2026, 12, 6);
    QTest::newRow("14:05:09 minus one hour")
        << QDateTime(day, QTime(14, 5, 9)) << -3600 << day << QTime(13, 5, 9);
    QTest::newRow("14:05:09 plus one hour")
        << QDateTime(day, QTime(14, 5, 9)) << 3600 << day << QTime(15, 5, 9);
    QTest::newRow("00:30 minus one hour is yesterday")
        << QDateTime(day, QTime(0, 30)) << -3600 << day.addDays(-1) << QTime(23, 30);
    QTest::newRow("23:30 plus two hours is tomorrow")
        << QDateTime(day, QTime(23, 30)) << 7200 << day.addDays(1) << QTime(1, 30);
    QTest::newRow("new year")
        << QDateTime(QDate(2026, 12, 31), QTime(23, 30)) << 7200 << QDate(2027, 1, 1) << QTime(1, 30);
    QTest::newRow("back into a leap day")
        << QDateTime(QDate(2028, 3, 1), QTime(0, 30)) << -3600 << QDate(2028, 2, 29) << QTime(23, 30);
    QTest::newRow("milliseconds kept")
        << QDateTime(day, QTime(14, 5, 9, 750)) << -1 << day << QTime(14, 5, 8, 750);
    const QDate spring(2026, 3, 29);
    const QDate autumn(2026, 10, 25);
    QTest::newRow("summer time starts: 03:00:05 minus one hour")
        << QDateTime(spring, QTime(3, 0, 5)) << -3600 << spring << QTime(2, 0, 5);
    QTest::newRow("summer time starts: 01:30 plus one hour names the skipped hour")
        << QDateTime(spring, QTime(1, 30)) << 3600 << spring << QTime(2, 30);
    QTest::newRow("summer time ends: first 02:30 minus one hour")
        << localFromUtc(2026, 10, 25, 0, 30) << -3600 << autumn << QTime(1, 30);
    QTest::newRow("summer time ends: second 02:30 minus one hour")
        << localFromUtc(2026, 10, 25, 1, 30) << -3600 << autumn << QTime(1, 30);
    QTest::newRow("summer time ends: second 02:30 plus one hour")
        << localFromUtc(2026, 10, 25, 1, 30) << 3600 << autumn << QTime(3, 30);
}

void TestClockCore::shiftsAsPlainNumbers() {
    QFETCH(QDateTime, now);
    QFETCH(int, seconds);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    QVERIFY(now.isValid());
    const ShiftedTime shifted(now, seconds);
    QCOMPARE(shifted.date(), date);
    QCOMPARE(shifted.time(), time);
}

QTEST_GUILESS_MAIN(TestClockCore)
#include "tst_clockcore.moc"
