// Clock precision: runs the clock strip for a while and records, for the PC time and for a
// running shifted clock, when each caption changed, next to a label driven by a free-running
// 1000 ms timer in the same event loop. Reports the lag after the second boundary and the
// seconds skipped or shown twice.
#include "BenchSupport.h"

#include "BenchServices.h"
#include "app/Windows.h"
#include "clock/Form1.h"
#include "platform/SecondTimer.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

// What one clock label showed at each tick of its timer.
class ClockRecord {
public:
    ClockRecord(QString name, int shiftSeconds) : m_name(std::move(name)), m_shift(shiftSeconds) {}

    void tick(const QString& caption) {
        const QDateTime now = QDateTime::currentDateTime();
        const QTime shown = QTime::fromString(caption.trimmed(), QStringLiteral("hh:mm:ss"));
        if (!shown.isValid())
            return;
        const int shownSecond = (shown.msecsSinceStartOfDay() / 1000 + m_shift + 86400) % 86400;
        if (m_previous >= 0) {
            const int step = (shownSecond - m_previous + 86400) % 86400;
            if (step == 0)
                ++m_repeated;
            else if (step > 1)
                m_skipped += step - 1;
        }
        if (shownSecond != m_previous) {
            // How long after the start of the shown second the caption changed.
            const int nowMs = now.time().msecsSinceStartOfDay();
            const int lag = (nowMs - shownSecond * 1000 + 86400000) % 86400000;
            m_lags.append(lag);
        }
        m_previous = shownSecond;
    }

    QString row() const {
        return QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |\n")
            .arg(m_name)
            .arg(m_lags.size())
            .arg(BenchSupport::median(m_lags), 0, 'f', 1)
            .arg(BenchSupport::percentile(m_lags, 0.99), 0, 'f', 1)
            .arg(BenchSupport::maximum(m_lags), 0, 'f', 1)
            .arg(m_skipped)
            .arg(m_repeated);
    }

private:
    QString m_name;
    int m_shift;
    int m_previous = -1;
    int m_skipped = 0;
    int m_repeated = 0;
    QList<double> m_lags;
};

// Records a label of the clock strip after every tick of the timer that drives it.
void follow(Form1* form, const char* timerName, const char* labelName, ClockRecord* record) {
    auto* timer = form->findChild<SecondTimer*>(QLatin1String(timerName));
    auto* label = form->findChild<QLabel*>(QLatin1String(labelName));
    if (!timer || !label)
        qFatal("the clock strip has no %s or %s", timerName, labelName);
    // Connected after the window's own handler, so it reads the caption that tick wrote.
    QObject::connect(timer, &SecondTimer::timeout, label,
                     [label, record] { record->tick(label->text()); });
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!BenchSupport::useInstallationFolder(home.path()))
        return 1;

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("seconds"), QStringLiteral("How long the clocks run."),
                      QStringLiteral("s"), QStringLiteral("120")});
    parser.addHelpOption();
    parser.process(app);
    const int seconds = parser.value(QStringLiteral("seconds")).toInt();

    BenchServices services;
    Windows windows(services.services());
    Form1* clock = windows.form1().show();
    if (QAction* minusPair = clock->findChild<QAction*>(QStringLiteral("meno")))
        minusPair->trigger();

    ClockRecord pcTime(QStringLiteral("PC time (Label6)"), 0);
    ClockRecord shifted(QStringLiteral("shifted clock, minus one hour (Label7)"), 3600);
    ClockRecord baseline(QStringLiteral("baseline: free-running 1000 ms QTimer"), 0);
    follow(clock, "Timer6", "Label6", &pcTime);
    follow(clock, "Timer2", "Label7", &shifted);

    QLabel baselineLabel;
    QTimer baselineTimer;
    QObject::connect(&baselineTimer, &QTimer::timeout, &baselineLabel, [&] {
        baselineLabel.setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss ")));
        baseline.tick(baselineLabel.text());
    });
    baselineTimer.start(1000);

    QTimer::singleShot(seconds * 1000, &app, [] { QCoreApplication::exit(0); });
    QApplication::exec();

    QTextStream(stdout) << "\n### Clock precision over " << seconds
                        << " s: lag of each caption change after its second began (ms)\n\n"
                        << "| clock | changes | median | p99 | max | skipped | repeated |\n"
                        << "|---|---|---|---|---|---|---|\n"
                        << pcTime.row() << shifted.row() << baseline.row() << Qt::flush;
    return 0;
}
