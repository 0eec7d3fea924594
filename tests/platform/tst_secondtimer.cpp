#include "FakeClock.h"
#include "platform/SecondTimer.h"

#include <QSignalSpy>
#include <QTest>

class TestSecondTimer : public QObject {
    Q_OBJECT
private slots:
    // A second back is the hardest step: the boundary the timer waits for comes a second later.
    void firesAfterTheClockStepsBack() {
        FakeClock clock;
        SecondTimer timer(clock);
        QSignalSpy ticks(&timer, &SecondTimer::timeout);
        timer.start();
        clock.advance(-1);
        QVERIFY(ticks.wait(1500));
        clock.advance(1); // the timer keeps following the clock after the step
        QVERIFY(ticks.wait(1500));
    }
};

QTEST_GUILESS_MAIN(TestSecondTimer)
#include "tst_secondtimer.moc"
