#include "clock/CaptureState.h"
#include "clock/ClockText.h"
#include "clock/DifferenceText.h"
#include "clock/ShiftedTime.h"

#include <QTest>

// The time arithmetic and the capture rules of the clock strip, without a window.
class TestClockCore : public QObject {
    Q_OBJECT
private slots:
    void differenceTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<DifferenceText::Check>("check");
        QTest::addColumn<int>("seconds"); // -1: not a time
        const auto row = [](const char* text, DifferenceText::Check check, int seconds) {
            QTest::newRow(*text ? text : "empty") << QString(text) << check << seconds;
        };
        using enum DifferenceText::Check;
        for (const char* halfDeleted : {"", ".00.00", ".00"})
            row(halfDeleted, Skip, -1);
        row("00.00", Skip, 0);
        row(".0", Warn, -1);
        row(".0\n", Convert, -1);
        row("23.59.59", Convert, 86399);
        row("1.2.3", Convert, 3723);
        row("2", Convert, 7200);
        row("05:30", Convert, 19800);
        row(" 01.00.00 \r\n", Convert, 3600);
        for (const char* refused :
             {"abc", "24.00.00", "01.60.00", "1.2.3.4", "001.00.00", "01:00.00", "1.0\n2.0"})
            row(refused, Convert, -1);
    }
    void differenceTexts() {
        QFETCH(QString, text);
        QFETCH(DifferenceText::Check, check);
        QFETCH(int, seconds);
        QCOMPARE(DifferenceText::check(text), check);
        DifferenceText difference;
        QCOMPARE(difference.seconds(text).value_or(-1), seconds);
        // Only a refusal explains itself, naming the text and the file it comes from.
        QCOMPARE(difference.lastError().contains("Savetime.TXT"), seconds < 0);
    }

    void shiftsAsPlainNumbers() {
        // The summer-time cases mean something only in a zone that has summer time.
        QCOMPARE(QDateTime(QDate(2026, 7, 1), QTime(12, 0)).offsetFromUtc(), 7200);
        const auto shifted = [](const char* now, int seconds) { // local, unless it ends in Z
            const ShiftedTime result(QDateTime::fromString(now, Qt::ISODate).toLocalTime(),
                                     seconds);
            return result.date().toString(Qt::ISODate) + ' ' + result.time().toString();
        };
        QCOMPARE(shifted("2028-03-01T00:30", -3600), "2028-02-29 23:30:00"); // into a leap day
        // The morning summer time starts: the skipped hour is named, not jumped.
        QCOMPARE(shifted("2026-03-29T03:00:05", -3600), "2026-03-29 02:00:05");
        QCOMPARE(shifted("2026-03-29T01:30", 3600), "2026-03-29 02:30:00");
        // The night it ends: the first 02:30 minus one hour.
        QCOMPARE(shifted("2026-10-25T00:30Z", -3600), "2026-10-25 01:30:00");
    }

    void captionEndsInOneBlank() {
        QCOMPARE(ClockText::of(QTime(4, 5, 9), ":"), "04:05:09 ");
        QCOMPARE(ClockText::of(QTime(23, 59, 59, 999), ":"), "23:59:59 "); // never rounded up
        QCOMPARE(ClockText::of(QTime(14, 5, 9), "h"), "14h05h09 "); // a separator, not a format
    }

    void captureFollowsTheIndicatorTable_data() {
        // Steps: m or p chooses the minus or plus pair, m1 m2 p1 p2 capture a pair's start or
        // stop clock, r restarts. The state: the shown pair (m, p, -); which of the minus start,
        // minus stop, plus start and plus stop clocks run; the start column's and the stop
        // column's indicators lit (g running, r stopped).
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("state");
        QTest::newRow("at first") << ""
                                  << "- 1111 . .";
        QTest::newRow("m") << "m"
                           << "m 1111 g g";
        QTest::newRow("m m1") << "m m1"
                              << "m 0111 r g";
        QTest::newRow("p p1 p2") << "p p1 p2"
                                 << "p 1100 r r";
        QTest::newRow("choosing starts no clock") << "m m1 p"
                                                  << "p 0111 gr g";
        QTest::newRow("m m1 m2 r") << "m m1 m2 r"
                                   << "m 1111 g g";
        QTest::newRow("r") << "r"
                           << "- 1111 g g";
    }
    void captureFollowsTheIndicatorTable() {
        QFETCH(QString, steps);
        QFETCH(QString, state);
        using Pair = CaptureState::Pair;
        using Column = CaptureState::Column;
        CaptureState capture;
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            const Pair pair = step.startsWith('p') ? Pair::Plus : Pair::Minus;
            if (step == "r")
                capture.restart();
            else if (step.size() == 1)
                capture.choose(pair);
            else
                capture.capture(pair, step.endsWith('1') ? Column::Start : Column::Stop);
        }
        const int shown = capture.shownPair() ? 1 + int(*capture.shownPair()) : 0;
        QString found = QStringLiteral("-mp").mid(shown, 1) + ' ';
        for (const Pair pair : {Pair::Minus, Pair::Plus})
            for (const Column column : {Column::Start, Column::Stop})
                found += capture.isRunning(pair, column) ? '1' : '0';
        for (const Column column : {Column::Start, Column::Stop}) {
            const QString lit = QString(capture.runningIndicator(column) ? "g" : "") +
                                (capture.stoppedIndicator(column) ? "r" : "");
            found += ' ' + (lit.isEmpty() ? "." : lit);
        }
        QCOMPARE(found, state);
    }
};

QTEST_GUILESS_MAIN(TestClockCore)
#include "tst_clockcore.moc"
