// ADIF export and import of the big benchmark log through the real tempora-adif command, with
// its wall time and peak memory, beside the floor of the sqlite3 tool importing the same rows as
// CSV into the same table.
#include "BenchSupport.h"
#include "LogGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

struct Sample {
    double seconds = 0;
    // User and system time: on a loaded machine the wall time also holds the waits for a core.
    double cpuSeconds = 0;
    qint64 peakKb = 0;
};

// Runs program under /usr/bin/time for its peak resident memory and CPU time; fatal when it
// fails.
Sample measure(const QString& home, const QString& program, const QStringList& arguments,
               bool mustSucceed = true) {
    QTemporaryDir folder;
    const QString report = folder.filePath(QStringLiteral("time"));
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TEMPORA_HOME"), home);
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const BenchSupport::Stopwatch watch;
    process.start(QStringLiteral("/usr/bin/time"),
                  QStringList{"-f", "%M %U %S", "-o", report, program} + arguments);
    process.waitForFinished(-1);
    Sample sample{watch.elapsedMs() / 1000.0, 0, 0};
    if (mustSucceed && process.exitCode() != 0)
        qFatal("%s failed", qPrintable(program));
    QFile file(report);
    if (file.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> figures = file.readAll().trimmed().split('\n').last().split(' ');
        sample.peakKb = figures.value(0).toLongLong();
        sample.cpuSeconds = figures.value(1).toDouble() + figures.value(2).toDouble();
    }
    return sample;
}

void copyLog(const QString& from, const QString& home) {
    QDir().mkpath(home);
    const QString to = home + QStringLiteral("/Tempora.mdb");
    QFile::remove(to);
    if (!QFile::copy(from, to))
        qFatal("cannot copy %s", qPrintable(from));
}

void row(const QString& what, const QList<Sample>& samples, qint64 idleKb) {
    QList<double> seconds;
    QList<double> cpuSeconds;
    qint64 peak = 0;
    for (const Sample& sample : samples) {
        seconds.append(sample.seconds);
        cpuSeconds.append(sample.cpuSeconds);
        peak = qMax(peak, sample.peakKb);
    }
    out() << "| " << what << " | " << QString::number(BenchSupport::median(seconds), 'f', 2)
          << " | " << QString::number(BenchSupport::median(cpuSeconds), 'f', 2) << " | "
          << peak / 1024 << " | " << (peak - idleKb) / 1024 << " |\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&args](const char* name, const QString& fallback) {
        return BenchSupport::option(args, name, fallback);
    };
    const int size = option("--size", "1000000").toInt();
    const int runs = option("--runs", "3").toInt();
    const QString data = option("--data", QDir::tempPath());
    const QString adif = option("--adif", "tempora-adif");
    // An earlier build of the command, measured in the same run for its figures beside.
    const QString before = option("--before", QString());
    QDir().mkpath(data);

    QString error;
    const QString log = LogGenerator::cachedLog(data, size, &error);
    const QString other = QStringLiteral("%1/adif-other-%2.mdb").arg(data).arg(size);
    if (log.isEmpty() || (!QFile::exists(other) && !LogGenerator(size + 7).write(other, size)))
        qFatal("cannot write the logs: %s", qPrintable(error));

    QTemporaryDir work(data + QStringLiteral("/adif-XXXXXX"));
    const QString home = work.filePath(QStringLiteral("home"));
    const QString file = work.filePath(QStringLiteral("other.adi"));
    const QString csv = work.filePath(QStringLiteral("other.csv"));
    // A small file into the big log: the case where the duplicate check must not read it all.
    const QString small = work.filePath(QStringLiteral("small.adi"));
    constexpr int kSmall = 1000;
    if (!LogGenerator(size + 11).write(work.filePath(QStringLiteral("small.mdb")), kSmall))
        qFatal("cannot write the small log");
    copyLog(work.filePath(QStringLiteral("small.mdb")), home);
    measure(home, adif, {"export", small});
    copyLog(other, home);
    measure(home, adif, {"export", file});
    QProcess dump;
    dump.setStandardOutputFile(csv);
    dump.start(QStringLiteral("sqlite3"),
               {"-csv", other,
                "SELECT [QSO Date],[Time Init],[Time End],OM_Call,Name,QTH,"
                "[QSL Man],Band,Frequency,Mode,Note FROM Log1"});
    dump.waitForFinished(-1);

    const qint64 idleKb = measure(home, adif, {}, false).peakKb;
    QStringList builds{adif};
    if (!before.isEmpty())
        builds.append(before);
    QList<QList<Sample>> exports(builds.size()), imports(builds.size()), smalls(builds.size());
    QList<Sample> floors;
    for (int run = 0; run < runs; ++run) {
        for (qsizetype build = 0; build < builds.size(); ++build) {
            copyLog(log, home);
            exports[build].append(
                measure(home, builds[build], {"export", work.filePath(QStringLiteral("log.adi"))}));
            imports[build].append(measure(home, builds[build], {"import", file}));
            copyLog(log, home);
            smalls[build].append(measure(home, builds[build], {"import", small}));
        }
        copyLog(log, home);
        floors.append(measure(home, QStringLiteral("sqlite3"),
                              {home + QStringLiteral("/Tempora.mdb"),
                               QStringLiteral(".import --csv %1 Log1").arg(csv)}));
    }

    out() << "\n### ADIF, " << size << " contacts (median of " << runs
          << " runs; memory: peak resident, and above the idle command at " << idleKb / 1024
          << " MB)\n\n| operation | s | CPU s | peak MB | above idle MB |\n|---|---|---|---|---|\n";
    for (qsizetype build = 0; build < builds.size(); ++build) {
        const QString which = build == 0 ? QString() : QStringLiteral(" (before)");
        row(QStringLiteral("export of the whole log (ADI)") + which, exports[build], idleKb);
        row(QStringLiteral("import of %1 records into the log of %1 (ADI)").arg(size) + which,
            imports[build], idleKb);
        row(QStringLiteral("import of %1 records into the log of %2 (ADI)").arg(kSmall).arg(size) +
                which,
            smalls[build], idleKb);
    }
    row(QStringLiteral("floor: sqlite3 .import of the same rows (CSV)"), floors, idleKb);
    out().flush();
    return 0;
}
