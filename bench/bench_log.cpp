// The log at scale: opens a generated log with the program's log window, with a plain Qt SQL
// model in a table view, and with SQLite's C API (the floor), performs the same operations on
// each and prints medians side by side. Every sample runs in a process of its own on a fresh copy
// of the file, so peak memory is per variant.
#include "BenchSupport.h"
#include "LogGenerator.h"
#include "LogVariants.h"
#include "platform/DesignLook.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

namespace {

const QStringList kOperations = {QStringLiteral("open"),   QStringLiteral("end"),
                                 QStringLiteral("jump"),   QStringLiteral("page_down"),
                                 QStringLiteral("add"),    QStringLiteral("search"),
                                 QStringLiteral("reset"),  QStringLiteral("refresh"),
                                 QStringLiteral("delete"), QStringLiteral("update")};

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

LogProbe probe(const QString& file) {
    LogProbe result;
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    // A typical search: the call of the contact in the middle of the file.
    sqlite3_prepare_v2(db,
                       "SELECT OM_Call FROM Log1 WHERE rowid >= (SELECT max(rowid) / 2 FROM Log1) "
                       "ORDER BY rowid LIMIT 1",
                       -1, &statement, nullptr);
    if (sqlite3_step(statement) == SQLITE_ROW)
        result.call =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    sqlite3_prepare_v2(db, "SELECT count(*) FROM Log1", -1, &statement, nullptr);
    if (sqlite3_step(statement) == SQLITE_ROW)
        result.contacts = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

// The log window is opened from the running clock strip, whose text has read the faces of the
// design's fonts already. Every variant starts from there, so that "open" compares the opens and
// not the first read of a font file. The size is one no grid uses: each still builds the fonts of
// its own sizes.
void readDesignFaces() {
    QFont face = QApplication::font();
    face.setPointSizeF(10);
    for (const bool bold : {false, true}) {
        face.setBold(bold);
        QFontMetrics(face).horizontalAdvance(QStringLiteral("Tempora Log 0123456789"));
    }
}

// One sample: every operation once, then the peak memory. A sample "through" the log instead
// opens it and shows every screen of it, then reports the peak memory alone.
int runOnce(const QString& variant, const QString& file, const QString& call, qint64 contacts,
            bool through) {
    const LogProbe logProbe{call, contacts};
    std::unique_ptr<LogVariant> subject = makeLogVariant(variant, file, logProbe);
    if (!subject) {
        QTextStream(stderr) << "unknown variant " << variant << Qt::endl;
        return 2;
    }
    const LogOperations operations = subject->operations();
    readDesignFaces();
    if (through) {
        operations.open();
        operations.settle();
        operations.throughout();
        out() << "peak_kb " << BenchSupport::peakResidentKb() << Qt::endl;
        return 0;
    }
    const std::function<void()> steps[] = {
        operations.open,   operations.end,    operations.jump,  operations.pageDown,
        operations.add,    operations.search, operations.reset, operations.refresh,
        operations.remove, operations.update};
    for (int i = 0; i < kOperations.size(); ++i) {
        if (kOperations[i] == QLatin1String("delete") && operations.toMiddle)
            operations.toMiddle();
        if (kOperations[i] == QLatin1String("end") && operations.settle)
            operations.settle();
        BenchSupport::Stopwatch watch;
        steps[i]();
        out() << kOperations[i] << ' ' << watch.elapsedMs() << Qt::endl;
    }
    out() << "peak_kb " << BenchSupport::peakResidentKb() << Qt::endl;
    return 0;
}

struct Samples {
    QMap<QString, QList<double>> ms;
    QList<double> peakKb;
};

bool sample(const QString& variant, const QString& source, const LogProbe& logProbe,
            Samples* samples, bool through = false) {
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("Tempora.mdb"));
    if (!QFile::copy(source, copy))
        return false;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments = {QStringLiteral("--run"), variant, copy, logProbe.call,
                             QString::number(logProbe.contacts)};
    if (through)
        arguments << QStringLiteral("through");
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        return false;
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split('\n');
    for (const QString& line : lines) {
        const QStringList parts = line.split(' ');
        if (parts.size() != 2)
            continue;
        if (parts[0] == QLatin1String("peak_kb"))
            samples->peakKb.append(parts[1].toDouble());
        else
            samples->ms[parts[0]].append(parts[1].toDouble());
    }
    return true;
}

QString ensureLog(const QString& dataFolder, int contacts) {
    QString error;
    const QString file = LogGenerator::cachedLog(dataFolder, contacts, &error);
    if (file.isEmpty())
        QTextStream(stderr) << error << Qt::endl;
    return file;
}

int drive(const QList<int>& sizes, int runs, const QString& dataFolder) {
    const QStringList variants = logVariantNames();
    const QString empty = ensureLog(dataFolder, 0);
    if (empty.isEmpty())
        return 1;
    QMap<QString, double> emptyPeakKb;
    for (const QString& variant : variants) {
        Samples samples;
        for (int run = 0; run < runs; ++run)
            if (!sample(variant, empty, probe(empty), &samples))
                return 1;
        emptyPeakKb[variant] = BenchSupport::median(samples.peakKb);
    }

    for (int contacts : sizes) {
        const QString file = ensureLog(dataFolder, contacts);
        if (file.isEmpty())
            return 1;
        const LogProbe logProbe = probe(file);
        QMap<QString, Samples> byVariant;
        // Interleaved, so a noisy moment of the machine hits every variant alike.
        for (int run = 0; run < runs; ++run)
            for (const QString& variant : variants)
                if (!sample(variant, file, logProbe, &byVariant[variant]))
                    return 1;

        out() << "\n### " << contacts << " contacts (median of " << runs << " runs, ms; call "
              << logProbe.call << ")\n\n| operation |";
        for (const QString& variant : variants)
            out() << ' ' << variant << " |";
        out() << ' ' << variants[0] << " / " << variants[1] << " |\n|---|";
        for (int i = 0; i <= variants.size(); ++i)
            out() << "---|";
        out() << '\n';
        for (const QString& operation : kOperations) {
            out() << "| " << operation << " |";
            for (const QString& variant : variants)
                out() << ' '
                      << BenchSupport::formatMs(
                             BenchSupport::median(byVariant[variant].ms[operation]))
                      << " |";
            const double ours = BenchSupport::median(byVariant[variants[0]].ms[operation]);
            const double theirs = BenchSupport::median(byVariant[variants[1]].ms[operation]);
            out() << ' ' << QString::number(theirs > 0 ? ours / theirs : 0, 'f', 2) << " |\n";
        }
        out() << "| peak memory above an empty log (MB) |";
        for (const QString& variant : variants)
            out() << ' '
                  << QString::number(
                         (BenchSupport::median(byVariant[variant].peakKb) - emptyPeakKb[variant]) /
                             1024.0,
                         'f', 1)
                  << " |";
        out() << " |\n";
        // The program's memory must not grow with the rows the operator has seen: one sample
        // that shows every screen of the log (the Qt model holds every row after "end" already).
        Samples through;
        if (!sample(variants[0], file, logProbe, &through, true))
            return 1;
        out() << "| peak memory after every screen of the log was shown (MB, one run) | "
              << QString::number((through.peakKb.value(0) - emptyPeakKb[variants[0]]) / 1024.0, 'f',
                                 1)
              << " | | | |" << Qt::endl;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Every grid is painted in the program's style and fonts.
    DesignLook::useDesignFaces();
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("run"), QStringLiteral("Run one sample (internal).")});
    parser.addOption({QStringLiteral("sizes"), QStringLiteral("Log sizes."), QStringLiteral("list"),
                      QStringLiteral("10000,100000,1000000")});
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Samples per variant."),
                      QStringLiteral("n"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("data"), QStringLiteral("Folder of generated logs."),
                      QStringLiteral("dir"), QStringLiteral("bench-data")});
    parser.addHelpOption();
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("run")) && (arguments.size() == 4 || arguments.size() == 5))
        return runOnce(arguments[0], arguments[1], arguments[2], arguments[3].toLongLong(),
                       arguments.value(4) == QLatin1String("through"));

    QList<int> sizes;
    for (const QString& size : parser.value(QStringLiteral("sizes")).split(','))
        sizes.append(size.toInt());
    return drive(sizes, parser.value(QStringLiteral("runs")).toInt(),
                 QDir(parser.value(QStringLiteral("data"))).absolutePath());
}
