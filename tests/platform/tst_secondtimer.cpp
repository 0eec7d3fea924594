#include "FakeClock.h"
#include "platform/SecondTimer.h"

#include <QSignalSpy>
#include <QTest>

class TestSecondTimer : public QObject {
    Q_OBJECT
private slots:
    void firesAfterWallClockStep_data() {
        QTest::addColumn<int>("stepSeconds");
        QTest::newRow("back 1 s") << -1;
        QTest::newRow("back 1 h") << -3600;
        QTest::newRow("forward 1 h") << 3600;
    }
    void firesAfterWallClockStep() {
        QFETCH(int, stepSeconds);
        FakeClock clock;
        SecondTimer timer(clock);
        QSignalSpy ticks(&timer, &SecondTimer::timeout);
        timer.start();
        clock.advance(stepSeconds);
        QVERIFY(ticks.wait(1500));
        clock.advance(1); // the timer keeps following the clock after the step
        QVERIFY(ticks.wait(1500));
    }
};

QTEST_GUILESS_MAIN(TestSecondTimer)
#include "tst_secondtimer.moc"
