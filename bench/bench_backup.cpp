// The log's backup: the big benchmark log copied to a folder by the program's own copy (the class
// the backup window uses: snapshot, sync, read back and check), side by side in each run with `cp`
// followed by `sync` of the copy and with the sqlite3 tool's `.backup`; then the program's copy
// again while another process commits a contact to the log every 20 ms.
#include "BenchSupport.h"
#include "LogGenerator.h"
#include "platform/DatabaseBackup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <csignal>
#include <thread>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

volatile std::sig_atomic_t g_stop = 0;

// The other process: commits one contact every 20 ms until SIGTERM, then prints how many it
// committed and the longest a commit waited, in ms.
int commitEvery20Ms(const QString& log) {
    std::signal(SIGTERM, [](int) { g_stop = 1; });
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(log).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK)
        return 1;
    sqlite3_busy_timeout(db, 120000);
    int commits = 0;
    double longest = 0;
    while (!g_stop) {
        const BenchSupport::Stopwatch watch;
        if (sqlite3_exec(db, "INSERT INTO Log1 (OM_Call, Name) VALUES ('Q9BENCH', 'writer')",
                         nullptr, nullptr, nullptr) == SQLITE_OK)
            ++commits;
        longest = qMax(longest, watch.elapsedMs());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    sqlite3_close(db);
    QTextStream(stdout) << commits << ' ' << longest << Qt::endl;
    return 0;
}

double run(const QString& program, const QStringList& arguments) {
    const BenchSupport::Stopwatch watch;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return watch.elapsedMs() / 1000.0;
}

// The program's copy; the seconds of its steps (copying, writing to the medium, reading back,
// waiting for the check) are added to steps.
double temporaCopy(const QString& source, const QString& target, QList<QList<double>>& steps) {
    QFile::remove(target);
    DatabaseBackup backup;
    const BenchSupport::Stopwatch watch;
    QList<double> starts;
    const auto outcome =
        backup.copy(source, target, {}, [&](DatabaseBackup::Step step, qint64 done, qint64 total) {
            // The wait for the check begins once the copy is read back: done, of no total.
            const bool checkBegins =
                step == DatabaseBackup::Step::Checking && done > 0 && total == 0;
            if ((done == 0 && int(step) == starts.size()) || (checkBegins && starts.size() == 3))
                starts.append(watch.elapsedMs());
        });
    const double total = watch.elapsedMs();
    if (outcome != DatabaseBackup::Outcome::Copied || starts.size() != 4)
        qFatal("the copy failed: %s", qPrintable(backup.lastError()));
    starts.append(total);
    for (int step = 0; step < 4; ++step)
        steps[step].append((starts[step + 1] - starts[step]) / 1000.0);
    return total / 1000.0;
}

QString seconds(double value) {
    return QString::number(value, 'f', 2);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&args](const char* name, const QString& fallback) {
        return BenchSupport::option(args, name, fallback);
    };
    if (args.contains(QStringLiteral("--commit-every-20-ms")))
        return commitEvery20Ms(option("--commit-every-20-ms", QString()));
    const int size = option("--size", "1000000").toInt();
    const int runs = option("--runs", "3").toInt();
    const QString data = option("--data", QDir::tempPath());
    // The copies go to a folder on a real disk (not a tmpfs), where a sync costs what it costs.
    const QString scratch = option("--work", data);
    QDir().mkpath(data);

    QString error;
    const QString log = LogGenerator::cachedLog(data, size, &error);
    if (log.isEmpty())
        qFatal("cannot write the log: %s", qPrintable(error));
    QTemporaryDir work(scratch + QStringLiteral("/backup-XXXXXX"));
    const QString source = work.filePath(QStringLiteral("Tempora.mdb"));
    const QString target = work.filePath(QStringLiteral("medium/Tempora.mdb"));
    if (!QDir().mkpath(work.filePath(QStringLiteral("medium"))) || !QFile::copy(log, source))
        qFatal("cannot lay out %s", qPrintable(work.path()));

    QList<double> tempora, cpSync, sqliteBackup, busy, commits, waits;
    QList<QList<double>> steps(4), busySteps(4);
    for (int round = 0; round < runs; ++round) {
        tempora.append(temporaCopy(source, target, steps));
        QFile::remove(target);
        cpSync.append(run(QStringLiteral("cp"), {source, target}) +
                      run(QStringLiteral("sync"), {target}));
        QFile::remove(target);
        sqliteBackup.append(
            run(QStringLiteral("sqlite3"), {source, QStringLiteral(".backup '%1'").arg(target)}));
    }
    for (int round = 0; round < runs; ++round) {
        QProcess writer;
        writer.start(app.applicationFilePath(), {"--commit-every-20-ms", source});
        if (!writer.waitForStarted())
            qFatal("the writer did not start");
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        busy.append(temporaCopy(source, target, busySteps));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        writer.terminate();
        writer.waitForFinished(-1);
        const QList<QByteArray> figures = writer.readAllStandardOutput().simplified().split(' ');
        if (writer.exitCode() != 0 || figures.size() != 2)
            qFatal("the writer failed");
        commits.append(figures[0].toDouble());
        waits.append(figures[1].toDouble());
    }

    using BenchSupport::median;
    const double floor = median(cpSync);
    const auto row = [floor](const QString& what, const QList<double>& samples) {
        out() << "| " << what << " | " << seconds(median(samples)) << " | "
              << QString::number(median(samples) / floor, 'f', 2) << " |\n";
    };
    const auto stepText = [](const QList<QList<double>>& of) {
        return QStringLiteral("copying %1 s, writing to the medium %2 s, reading back %3 s, then "
                              "waiting for the check %4 s")
            .arg(seconds(median(of[0])), seconds(median(of[1])), seconds(median(of[2])),
                 seconds(median(of[3])));
    };
    out() << "\n### Backup of the log, " << size << " contacts ("
          << QString::number(QFileInfo(source).size() / 1e6, 'f', 1) << " MB; median of " << runs
          << " runs, side by side in each)\n\n| copy | s | × cp + sync |\n|---|---|---|\n";
    row(QStringLiteral("Tempora's copy (%1)").arg(stepText(steps)), tempora);
    row(QStringLiteral("cp, then sync of the copy"), cpSync);
    row(QStringLiteral("sqlite3 .backup"), sqliteBackup);
    row(QStringLiteral("Tempora's copy while another process commits every 20 ms (%1; %2 "
                       "commits around it, the longest waited %3 s)")
            .arg(stepText(busySteps), QString::number(median(commits)),
                 seconds(median(waits) / 1000.0)),
        busy);
    out().flush();
    return 0;
}
