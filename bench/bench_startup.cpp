// Start-up: from the moment a process is started to the start-up window painted, for the
// program's own start (its services, its window registry, the start-up window) and for a bare
// Qt Widgets window, alternating, in one run.
#include "BenchSupport.h"
#include "FirstPaint.h"

#include "app/ProgramServices.h"
#include "app/Windows.h"
#include "startup/FrmSplash.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QProcess>
#include <QTextStream>

namespace {

void reportAndQuit(qint64 startedNs) {
    QTextStream(stdout) << (BenchSupport::monotonicNs() - startedNs) / 1e6 << Qt::endl;
    QCoreApplication::exit(0);
}

int runOnce(int& argc, char** argv, const QString& variant, qint64 startedNs) {
    if (variant == QLatin1String("tempora")) {
        QApplication app(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        ProgramServices services;
        Windows windows(services.services());
        FrmSplash* splash = windows.frmSplash().load();
        new FirstPaint(splash, [startedNs] { reportAndQuit(startedNs); });
        windows.frmSplash().show();
        return QApplication::exec();
    }
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Tempora Log"));
    window.resize(429, 294);
    new FirstPaint(&window, [startedNs] { reportAndQuit(startedNs); });
    window.show();
    return QApplication::exec();
}

double sample(const QString& variant) {
    QProcess child;
    child.setStandardErrorFile(QProcess::nullDevice());
    const qint64 startedNs = BenchSupport::monotonicNs();
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--run"), variant, QString::number(startedNs)});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        return -1;
    return QString::fromUtf8(child.readAllStandardOutput()).trimmed().toDouble();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (arguments.size() == 3 && arguments[0] == QLatin1String("--run"))
        return runOnce(argc, argv, arguments[1], arguments[2].toLongLong());

    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Starts of each program."),
                      QStringLiteral("n"), QStringLiteral("20")});
    parser.addHelpOption();
    parser.process(app);
    const int runs = parser.value(QStringLiteral("runs")).toInt();

    QList<double> ours;
    QList<double> bare;
    for (int run = 0; run < runs; ++run) {
        ours.append(sample(QStringLiteral("tempora")));
        bare.append(sample(QStringLiteral("bare")));
        if (ours.last() < 0 || bare.last() < 0)
            return 1;
    }
    const double oursMedian = BenchSupport::median(ours);
    const double bareMedian = BenchSupport::median(bare);
    QTextStream(stdout) << "\n### Start-up to the first window painted (median of " << runs
                        << " starts, ms)\n\n| program | median | max |\n|---|---|---|\n"
                        << "| tempora (start-up window) | " << BenchSupport::formatMs(oursMedian)
                        << " | " << BenchSupport::formatMs(BenchSupport::maximum(ours)) << " |\n"
                        << "| bare Qt Widgets window | " << BenchSupport::formatMs(bareMedian)
                        << " | " << BenchSupport::formatMs(BenchSupport::maximum(bare)) << " |\n"
                        << "| ratio | " << QString::number(oursMedian / bareMedian, 'f', 2)
                        << " | |" << Qt::endl;
    return 0;
}
