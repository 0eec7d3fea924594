// Capture accuracy and clock steps. The real clock strip, offscreen, in Europe/Rome with a
// difference of one hour, so that the minus pair shows UTC and the plus pair UTC+2:
// - clicks at random phases of the second on each of the four shifted clocks: the frozen caption
//   must name the second in which the click was handled;
// - captures in the last and first seconds of a UTC day on a clock that stands still between
//   steps: the date the log receives must be the UTC date of the capture;
// - the clock stepped back and forward by 1 s, 10 s and 1 h: how long the PC time and a shifted
//   clock take to show the new time.
#include "BenchSupport.h"

#include "BenchServices.h"
#include "app/Windows.h"
#include "clock/ClockLabel.h"
#include "clock/Form1.h"
#include "platform/SecondTimer.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimeZone>
#include <QTimer>

#include <ctime>

namespace {

// The system clock moved by an offset that the benchmark steps, as a correction of the PC clock
// does; or, once frozen, a clock that reads one instant until it is set again.
class BenchClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch()); }
    qint64 msecsSinceEpoch() const override {
        return m_frozen ? m_offset : QDateTime::currentMSecsSinceEpoch() + m_offset;
    }
    void step(qint64 ms) { m_offset += ms; }
    void freezeAt(qint64 msecsSinceEpoch) {
        m_frozen = true;
        m_offset = msecsSinceEpoch;
    }

private:
    bool m_frozen = false;
    qint64 m_offset = 0;
};

void waitMs(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <class W> W* child(Form1* form, const char* name) {
    W* found = form->findChild<W*>(QLatin1String(name));
    if (!found)
        qFatal("the clock strip has no %s", name);
    return found;
}

// The second of the day a caption names ("13:05:09 " is 47109), -1 when it is no clock text.
int secondOf(const QString& caption) {
    const QTime time = QTime::fromString(caption.trimmed(), QStringLiteral("hh:mm:ss"));
    return time.isValid() ? time.msecsSinceStartOfDay() / 1000 : -1;
}

int secondOf(const QDateTime& local, int shiftSeconds) {
    return (local.time().msecsSinceStartOfDay() / 1000 + shiftSeconds + 86400) % 86400;
}

struct ShiftedClock {
    const char* label;
    const char* timer;
    const char* pair;
    int shift;
};
const ShiftedClock kClocks[] = {{"Label7", "Timer2", "meno", -3600},
                                {"Label8", "Timer3", "meno", -3600},
                                {"Label2", "Timer4", "piu", 3600},
                                {"Label4", "Timer5", "piu", 3600}};

// Clicks each shifted clock in turn at a random moment; restarts the clocks after each round and
// lets them tick once before the next.
QString captureAccuracy(Form1* form, BenchClock& clock, int clicks) {
    int mismatches = 0, done = 0;
    QList<double> phases;
    while (done < clicks) {
        child<QAction>(form, "restart")->trigger();
        waitMs(1100);
        for (const ShiftedClock& shifted : kClocks) {
            if (done == clicks)
                break;
            waitMs(QRandomGenerator::global()->bounded(500));
            child<QAction>(form, shifted.pair)->trigger();
            auto* label = child<ClockLabel>(form, shifted.label);
            QDateTime handled;
            const auto seen = QObject::connect(label, &ClockLabel::clicked, label,
                                               [&] { handled = clock.now(); });
            QTest::mouseClick(label, Qt::LeftButton);
            QObject::disconnect(seen);
            ++done;
            phases.append(handled.time().msec());
            if (secondOf(label->text()) != secondOf(handled, shifted.shift)) {
                ++mismatches;
                qWarning("mismatch %s %s at %s", shifted.label, qPrintable(label->text()),
                         qPrintable(handled.toString("hh:mm:ss.zzz")));
            }
        }
    }
    return QStringLiteral("| clicks at random phases (median phase %1 ms) | %2 | %3 |\n")
        .arg(BenchSupport::median(phases), 0, 'f', 0)
        .arg(done)
        .arg(mismatches);
}

// Captures the minus pair's start clock at random instants within three seconds of UTC midnight:
// the clock ticks on the whole second, the click comes later in that second.
QString dayBoundary(Form1* form, BenchClock& clock, int captures) {
    const QDateTime midnight(QDate(2027, 1, 1), QTime(0, 0), QTimeZone::utc());
    child<QAction>(form, "meno")->trigger();
    auto* label = child<ClockLabel>(form, "Label7");
    auto* timer = child<SecondTimer>(form, "Timer2");
    int wrongDates = 0, wrongTimes = 0;
    for (int i = 0; i < captures; ++i) {
        const qint64 at =
            midnight.toMSecsSinceEpoch() + QRandomGenerator::global()->bounded(-3000, 3000);
        child<QAction>(form, "restart")->trigger();
        clock.freezeAt(at - (at % 1000 + 1000) % 1000);
        emit timer->timeout();
        clock.freezeAt(at);
        QTest::mouseClick(label, Qt::LeftButton);
        const QDateTime utc = QDateTime::fromMSecsSinceEpoch(at, QTimeZone::utc());
        if (form->startDate() != utc.date())
            ++wrongDates;
        if (secondOf(form->startText()) != secondOf(utc, 0))
            ++wrongTimes;
    }
    return QStringLiteral("| captures within 3 s of UTC midnight (fake clock) | %1 | %2 dates, "
                          "%3 times |\n")
        .arg(captures)
        .arg(wrongDates)
        .arg(wrongTimes);
}

// How far a caption is from the time (ms): how long the second it names has already been over,
// or, when it names a second still to come, how long until that second begins; 0 while it names
// the current second.
qint64 captionError(int shownSecond, qint64 nowMsOfDay) {
    const qint64 day = 86400000;
    const qint64 behind = ((nowMsOfDay - (shownSecond + 1) * 1000LL) % day + day) % day;
    const qint64 ahead = ((shownSecond * 1000LL - nowMsOfDay) % day + day) % day;
    if (behind < day / 2)
        return behind;
    return ahead < day / 2 ? ahead : 0;
}

// After each step of the clock, how long the PC time and the minus pair's start clock take to show
// the new time: the last moment within five seconds, sampled every 5 ms, at which a caption is
// more than 50 ms off (a caption is a few ms off after every boundary, until its tick).
QString clockSteps(Form1* form, BenchClock& clock, int repeats) {
    const std::pair<const char*, int> watched[] = {{"Label6", 0}, {"Label7", -3600}};
    child<QAction>(form, "restart")->trigger();
    child<QAction>(form, "meno")->trigger();
    QString rows;
    for (const qint64 size : {1000LL, 10000LL, 3600000LL}) {
        for (const int sign : {-1, 1}) {
            QList<double> lags;
            for (int r = 0; r < repeats; ++r) {
                waitMs(1200 + QRandomGenerator::global()->bounded(1000));
                clock.step(sign * size);
                BenchSupport::Stopwatch sinceStep;
                double lag[2] = {0, 0};
                QTimer sampler;
                QObject::connect(&sampler, &QTimer::timeout, form, [&] {
                    const qint64 now = clock.now().time().msecsSinceStartOfDay();
                    for (int w = 0; w < 2; ++w) {
                        const int shown = secondOf(child<QLabel>(form, watched[w].first)->text());
                        const qint64 shifted =
                            (now + watched[w].second * 1000LL + 86400000) % 86400000;
                        if (captionError(shown, shifted) > 50)
                            lag[w] = sinceStep.elapsedMs();
                    }
                });
                sampler.start(5);
                waitMs(5000);
                lags << lag[0] << lag[1];
            }
            rows += QStringLiteral("| %1%2 s | %3 | %4 | %5 |\n")
                        .arg(sign < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                        .arg(size / 1000)
                        .arg(lags.size())
                        .arg(BenchSupport::median(lags), 0, 'f', 0)
                        .arg(BenchSupport::maximum(lags), 0, 'f', 0);
        }
    }
    return rows;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "Europe/Rome");
    qputenv("LC_ALL", "C.UTF-8");
    tzset();
    QTemporaryDir home;
    if (!BenchSupport::useInstallationFolder(home.path()))
        return 1;

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("clicks"), QStringLiteral("Clicks at random phases."),
                      QStringLiteral("n"), QStringLiteral("1000")});
    parser.addOption({QStringLiteral("steps"), QStringLiteral("Steps of each size and sign."),
                      QStringLiteral("n"), QStringLiteral("3")});
    parser.addHelpOption();
    parser.process(app);

    BenchClock clock;
    BenchServices services(&clock);
    Windows windows(services.services());
    Form1* form = windows.form1().show();

    const QString steps = clockSteps(form, clock, parser.value(QStringLiteral("steps")).toInt());
    const QString clicks =
        captureAccuracy(form, clock, parser.value(QStringLiteral("clicks")).toInt());
    const QString boundary = dayBoundary(form, clock, 1000);

    QTextStream(stdout) << "\n### Capture accuracy\n\n| captures | count | mismatches |\n"
                        << "|---|---|---|\n"
                        << clicks << boundary
                        << "\n### Clock steps: time from the step until a caption shows the new "
                           "time (ms; PC time and the minus pair's start clock)\n\n"
                        << "| step | captions | median | max |\n|---|---|---|---|\n"
                        << steps << Qt::flush;
    return services.messages() == 0 ? 0 : 1;
}
