// Idle cost: CPU time and wake-ups per second of the program left running with the clock strip
// shown (a pair of shifted clocks running) and the log window open on 100 000 contacts, against
// a bare program whose six one-second timers update six labels. Both run at the same time.
#include "BenchSupport.h"
#include "LogGenerator.h"

#include "BenchServices.h"
#include "app/Windows.h"
#include "clock/Form1.h"
#include "log/FrmLog1.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kWarmUpMs = 3000;

// Measures from the end of the warm-up for `seconds`, prints the figures and quits.
void measure(int seconds) {
    QTimer::singleShot(kWarmUpMs, qApp, [seconds] {
        const double cpuStart = BenchSupport::cpuMilliseconds();
        const qint64 wakeStart = BenchSupport::voluntaryContextSwitches();
        QTimer::singleShot(seconds * 1000, qApp, [=] {
            QTextStream(stdout) << "cpu_ms " << BenchSupport::cpuMilliseconds() - cpuStart
                                << "\nwakeups "
                                << BenchSupport::voluntaryContextSwitches() - wakeStart << Qt::endl;
            QCoreApplication::exit(0);
        });
    });
}

int runProgram(int& argc, char** argv, int seconds) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    BenchServices services;
    Windows windows(services.services());
    Form1* clock = windows.form1().show();
    if (QAction* minusPair = clock->findChild<QAction*>(QStringLiteral("meno")))
        minusPair->trigger();
    windows.frmLog1().show();
    measure(seconds);
    return QApplication::exec();
}

int runBare(int& argc, char** argv, int seconds) {
    QApplication app(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(&window);
        layout->addWidget(label);
        auto* timer = new QTimer(label);
        QObject::connect(timer, &QTimer::timeout, label, [label] {
            label->setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss ")));
        });
        timer->start(1000);
    }
    window.show();
    measure(seconds);
    return QApplication::exec();
}

QProcess* start(const QString& variant, int seconds, const QString& home) {
    auto* child = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TEMPORA_HOME"), home);
    child->setProcessEnvironment(environment);
    child->setStandardErrorFile(QProcess::nullDevice());
    child->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--run"), variant, QString::number(seconds)});
    return child;
}

QMap<QString, double> figures(QProcess* child, int seconds) {
    QMap<QString, double> result;
    child->waitForFinished(seconds * 1000 + 60000);
    const QStringList lines = QString::fromUtf8(child->readAllStandardOutput()).split('\n');
    for (const QString& line : lines) {
        const QStringList parts = line.split(' ');
        if (parts.size() == 2)
            result[parts[0]] = parts[1].toDouble() / seconds;
    }
    delete child;
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && QByteArray(argv[1]) == "--run") {
        const QByteArray variant = argv[2];
        const int seconds = QByteArray(argv[3]).toInt();
        return variant == "tempora" ? runProgram(argc, argv, seconds)
                                    : runBare(argc, argv, seconds);
    }

    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("seconds"), QStringLiteral("Measured time."),
                      QStringLiteral("s"), QStringLiteral("60")});
    parser.addOption({QStringLiteral("data"), QStringLiteral("Folder of generated logs."),
                      QStringLiteral("dir"), QStringLiteral("bench-data")});
    parser.addHelpOption();
    parser.process(app);
    const int seconds = parser.value(QStringLiteral("seconds")).toInt();

    QString error;
    const QString log = LogGenerator::cachedLog(
        QDir(parser.value(QStringLiteral("data"))).absolutePath(), 100000, &error);
    QTemporaryDir home;
    if (log.isEmpty() || !QFile::copy(log, home.filePath(QStringLiteral("Tempora.mdb"))) ||
        !BenchSupport::writeDifferenceFile(home.path())) {
        QTextStream(stderr) << "cannot prepare the installation folder " << error << Qt::endl;
        return 1;
    }

    QProcess* ours = start(QStringLiteral("tempora"), seconds, home.path());
    QProcess* bare = start(QStringLiteral("bare"), seconds, home.path());
    const QMap<QString, double> oursPerSecond = figures(ours, seconds);
    const QMap<QString, double> barePerSecond = figures(bare, seconds);
    if (!oursPerSecond.contains(QStringLiteral("cpu_ms")) ||
        !barePerSecond.contains(QStringLiteral("cpu_ms")))
        return 1;

    const auto row = [](const char* name, const QMap<QString, double>& perSecond) {
        return QStringLiteral("| %1 | %2 | %3 |\n")
            .arg(QLatin1String(name))
            .arg(perSecond[QStringLiteral("cpu_ms")] / 10.0, 0, 'f', 3)
            .arg(perSecond[QStringLiteral("wakeups")], 0, 'f', 2);
    };
    const double cpuRatio =
        oursPerSecond[QStringLiteral("cpu_ms")] / barePerSecond[QStringLiteral("cpu_ms")];
    const double wakeRatio =
        oursPerSecond[QStringLiteral("wakeups")] / barePerSecond[QStringLiteral("wakeups")];
    QTextStream(stdout) << "\n### Idle cost over " << seconds
                        << " s, side by side\n\n| program | CPU (% of one core) | wake-ups per "
                           "second |\n|---|---|---|\n"
                        << row("tempora: clock strip + log window on 100 000 contacts",
                               oursPerSecond)
                        << row("bare: six one-second timers, six labels", barePerSecond)
                        << "| ratio | " << QString::number(cpuRatio, 'f', 2) << " | "
                        << QString::number(wakeRatio, 'f', 2) << " |" << Qt::endl;
    return 0;
}
