#include "clock/CaptureState.h"
#include "clock/ClockText.h"
#include "clock/DifferenceText.h"
#include "clock/ShiftedTime.h"

#include <QTest>
#include <QTimeZone>

// The time arithmetic and the capture rules of the clock strip, without a window.
class TestClockCore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sortsDifferenceTexts_data();
    void sortsDifferenceTexts();
    void readsDifferenceTexts_data();
    void readsDifferenceTexts();
    void shiftsAsPlainNumbers_data();
    void shiftsAsPlainNumbers();
    void captionEndsInOneBlank_data();
    void captionEndsInOneBlank();
    void captureFollowsTheIndicatorTable_data();
    void captureFollowsTheIndicatorTable();
};

void TestClockCore::initTestCase() {
    // The summer-time rows mean something only in a zone that has summer time.
    QCOMPARE(QDateTime(QDate(2026, 7, 1), QTime(12, 0)).offsetFromUtc(), 7200);
}

void TestClockCore::sortsDifferenceTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<DifferenceText::Check>("check");
    for (const char* halfDeleted : {"", ".00.00", "00.00", ".00"})
        QTest::newRow(*halfDeleted ? halfDeleted : "empty")
            << QString(halfDeleted) << DifferenceText::Check::Skip;
    QTest::newRow(".0") << ".0" << DifferenceText::Check::Warn;
    QTest::newRow(".0 and a line break") << ".0\n" << DifferenceText::Check::Convert;
}

void TestClockCore::sortsDifferenceTexts() {
    QFETCH(QString, text);
    QFETCH(DifferenceText::Check, check);
    QCOMPARE(DifferenceText::check(text), check);
}

void TestClockCore::readsDifferenceTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("seconds"); // -1: not a time
    const auto row = [](const char* text, int seconds) {
        QTest::newRow(text) << QString(text) << seconds;
    };
    row("23.59.59", 86399);
    row("1.2.3", 3723);
    row("2", 7200);
    row("05:30", 19800);
    row(" 01.00.00 \r\n", 3600);
    for (const char* refused :
         {"abc", "24.00.00", "01.60.00", "1.2.3.4", "001.00.00", "01:00.00", "01.00.00\n02.00.00"})
        row(refused, -1);
}

void TestClockCore::readsDifferenceTexts() {
    QFETCH(QString, text);
    QFETCH(int, seconds);
    DifferenceText difference;
    QCOMPARE(difference.seconds(text).value_or(-1), seconds);
    // Only a refusal explains itself, naming the text and the file it comes from.
    QCOMPARE(difference.lastError().contains(QStringLiteral("Savetime.TXT")), seconds < 0);
}

void TestClockCore::shiftsAsPlainNumbers_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QDateTime>("shifted");
    const QDate spring(2026, 3, 29), autumn(2026, 10, 25);
    QTest::newRow("new year") << QDateTime(QDate(2026, 12, 31), QTime(23, 30)) << 7200
                              << QDateTime(QDate(2027, 1, 1), QTime(1, 30));
    QTest::newRow("back into a leap day") << QDateTime(QDate(2028, 3, 1), QTime(0, 30)) << -3600
                                          << QDateTime(QDate(2028, 2, 29), QTime(23, 30));
    QTest::newRow("summer time starts: 03:00:05 minus one hour")
        << QDateTime(spring, QTime(3, 0, 5)) << -3600 << QDateTime(spring, QTime(2, 0, 5));
    QTest::newRow("summer time starts: 01:30 plus one hour names the skipped hour")
        << QDateTime(spring, QTime(1, 30)) << 3600 << QDateTime(spring, QTime(2, 30));
    QTest::newRow("summer time ends: first 02:30 minus one hour")
        << QDateTime(autumn, QTime(0, 30), QTimeZone::utc()).toLocalTime() << -3600
        << QDateTime(autumn, QTime(1, 30));
}

void TestClockCore::shiftsAsPlainNumbers() {
    QFETCH(QDateTime, now);
    QFETCH(int, seconds);
    QFETCH(QDateTime, shifted);
    const ShiftedTime result(now, seconds);
    QCOMPARE(result.date(), shifted.date());
    QCOMPARE(result.time(), shifted.time());
}

void TestClockCore::captionEndsInOneBlank_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("caption");
    const auto row = [](const QTime& time, const char* separator, const char* caption) {
        QTest::newRow(caption) << time << QString(separator) << QString(caption);
    };
    row(QTime(4, 5, 9), ":", "04:05:09 ");
    row(QTime(23, 59, 59, 999), ":", "23:59:59 "); // milliseconds dropped, never rounded
    row(QTime(14, 5, 9), "h", "14h05h09 ");        // a separator is no format letter
}

void TestClockCore::captionEndsInOneBlank() {
    QFETCH(QTime, time);
    QFETCH(QString, separator);
    QFETCH(QString, caption);
    QCOMPARE(ClockText::of(time, separator), caption);
}

void TestClockCore::captureFollowsTheIndicatorTable_data() {
    // Steps: m or p chooses the minus or plus pair, m1 m2 p1 p2 capture a pair's start or stop
    // clock, r restarts. The state: the shown pair (m, p, -); which of the minus start, minus
    // stop, plus start and plus stop clocks run; the start column's and the stop column's
    // indicators lit (g running, r stopped).
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("state");
    const auto row = [](const char* steps, const char* state) {
        QTest::newRow(*steps ? steps : "at first") << QString(steps) << QString(state);
    };
    row("", "- 1111 . .");
    row("m", "m 1111 g g");
    row("m m1", "m 0111 r g");
    row("p p1 p2", "p 1100 r r");
    row("m m1 p", "p 0111 gr g"); // choosing never starts a clock
    row("m m1 m2 r", "m 1111 g g");
    row("r", "- 1111 g g");
}

void TestClockCore::captureFollowsTheIndicatorTable() {
    QFETCH(QString, steps);
    QFETCH(QString, state);
    using Pair = CaptureState::Pair;
    using Column = CaptureState::Column;
    CaptureState capture;
    for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const Pair pair = step.startsWith(QLatin1Char('p')) ? Pair::Plus : Pair::Minus;
        if (step == QStringLiteral("r"))
            capture.restart();
        else if (step.size() == 1)
            capture.choose(pair);
        else
            capture.capture(pair, step.endsWith(QLatin1Char('1')) ? Column::Start : Column::Stop);
    }
    QString found = !capture.shownPair() ? "- " : capture.shownPair() == Pair::Minus ? "m " : "p ";
    for (const Pair pair : {Pair::Minus, Pair::Plus}) {
        for (const Column column : {Column::Start, Column::Stop})
            found += capture.isRunning(pair, column) ? '1' : '0';
    }
    for (const Column column : {Column::Start, Column::Stop}) {
        const bool green = capture.runningIndicator(column), red = capture.stoppedIndicator(column);
        found +=
            QStringLiteral(" ") + (green ? "g" : "") + (red ? "r" : "") + (green || red ? "" : ".");
    }
    QCOMPARE(found, state);
}

QTEST_GUILESS_MAIN(TestClockCore)
#include "tst_clockcore.moc"
