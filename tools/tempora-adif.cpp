// Exports the log to an ADIF file and imports ADIF files into it, on the log of the installation
// folder. Exit status: 0 done, 1 nothing written, 2 usage error.
#include "adif/AdifExporter.h"
#include "adif/AdifImporter.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"
#include "platform/Paths.h"
#include "platform/RegionalFormats.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <sqlite3.h>
#include <unistd.h>

namespace {

// The log's connection time-out.
constexpr int kBusyTimeoutMs = 15000;

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

int usage(const QString& problem) {
    err() << "tempora-adif: " << problem << "\n"
          << "usage: tempora-adif export [--adx] [--from yyyy-MM-dd] [--to yyyy-MM-dd]\n"
          << "                           [--local-dates=+hh.mm.ss|-hh.mm.ss] FILE|-\n"
          << "       tempora-adif import FILE...\n";
    err().flush();
    return 2;
}

int failed(const QString& error) {
    err() << "tempora-adif: " << error << Qt::endl;
    return 1;
}

// Shows how far a long run is, on a terminal only, a few times a second.
class TerminalProgress {
public:
    explicit TerminalProgress(const char* what) : m_what(what), m_shown(isatty(STDERR_FILENO)) {
        m_clock.start();
    }
    ~TerminalProgress() {
        if (m_printed)
            err() << "\r\033[K" << Qt::flush;
    }
    AdifProgress callback() {
        return [this](qint64 done, qint64 total) {
            if (m_shown && total > 0 && m_clock.elapsed() >= 250) {
                m_clock.restart();
                m_printed = true;
                err() << '\r' << m_what << ' ' << done * 100 / total << '%' << Qt::flush;
            }
            return true;
        };
    }

private:
    const char* m_what;
    bool m_shown;
    bool m_printed = false;
    QElapsedTimer m_clock;
};

bool openLog(LogConnection& log) {
    if (log.open(DataControl::designConnectionString(), Paths::fromEnvironment(), kBusyTimeoutMs))
        return true;
    failed(log.lastError());
    return false;
}

int exportLog(QStringList arguments) {
    AdifExporter::Options options;
    bool adx = false;
    QString target;
    static const QRegularExpression difference(
        QStringLiteral("^([+-])([0-9]{2})\\.([0-9]{2})\\.([0-9]{2})$"));
    while (!arguments.isEmpty()) {
        QString argument = arguments.takeFirst();
        QString value;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        if (argument.startsWith(QLatin1String("--")) && equals > 0) {
            value = argument.mid(equals + 1);
            argument.truncate(equals);
        } else if ((argument == "--from" || argument == "--to") && !arguments.isEmpty()) {
            value = arguments.takeFirst();
        }
        if (argument == "--adx") {
            adx = true;
        } else if (argument == "--from" || argument == "--to") {
            const QDate date = QDate::fromString(value, Qt::ISODate);
            if (!date.isValid() || value.size() != 10)
                return usage(QStringLiteral("%1 needs a date yyyy-MM-dd").arg(argument));
            (argument == "--from" ? options.from : options.to) = date;
        } else if (argument == "--local-dates") {
            const QRegularExpressionMatch match = difference.match(value);
            if (!match.hasMatch() || match.captured(3).toInt() > 59 ||
                match.captured(4).toInt() > 59)
                return usage(QStringLiteral("--local-dates needs +hh.mm.ss or -hh.mm.ss"));
            const int seconds = match.captured(2).toInt() * 3600 + match.captured(3).toInt() * 60 +
                                match.captured(4).toInt();
            options.localDifference = match.captured(1) == "-" ? -seconds : seconds;
        } else if (argument.startsWith(QLatin1Char('-')) && argument != "-") {
            return usage(QStringLiteral("unknown option %1").arg(argument));
        } else if (target.isEmpty()) {
            target = argument;
        } else {
            return usage(QStringLiteral("export writes one file"));
        }
    }
    if (target.isEmpty())
        return usage(QStringLiteral("export needs a FILE, or - for standard output"));
    if (adx || target.endsWith(QLatin1String(".adx"), Qt::CaseInsensitive))
        options.form = AdifMapping::Form::Adx;

    LogConnection log;
    if (!openLog(log))
        return 1;
    QFile standardOutput;
    QSaveFile file(target);
    QIODevice* device = &file;
    if (target == "-") {
        if (!standardOutput.open(stdout, QIODevice::WriteOnly))
            return failed(standardOutput.errorString());
        device = &standardOutput;
    } else if (!file.open(QIODevice::WriteOnly)) {
        return failed(QStringLiteral("cannot write %1: %2").arg(target, file.errorString()));
    }
    const AdifMapping mapping(RegionalFormats().timeSeparator());
    AdifExporter exporter(log.handle(), mapping);
    {
        TerminalProgress progress("exporting");
        exporter.setProgress(progress.callback());
        if (!exporter.run(*device, options, QDateTime::currentDateTimeUtc()))
            return failed(exporter.lastError());
    }
    if (device == &file && !file.commit())
        return failed(QStringLiteral("cannot write %1: %2").arg(target, file.errorString()));
    if (exporter.transliterated() > 0)
        err() << "tempora-adif: " << exporter.transliterated()
              << " contacts had characters that ADI cannot hold written without accents"
              << Qt::endl;
    return 0;
}

int importFiles(const QStringList& files) {
    if (files.isEmpty())
        return usage(QStringLiteral("import needs at least one FILE"));
    for (const QString& file : files) {
        if (file.startsWith(QLatin1Char('-')))
            return usage(QStringLiteral("unknown option %1").arg(file));
    }
    LogConnection log;
    if (!openLog(log))
        return 1;
    const AdifMapping mapping(RegionalFormats().timeSeparator());
    AdifImporter importer(log.handle(), mapping);
    importer.setRefusals([](const AdifImporter::Refusal& refusal) {
        err() << refusal.file << ": record " << refusal.record << ": " << refusal.reason
              << Qt::endl;
    });
    {
        TerminalProgress progress("importing");
        importer.setProgress(progress.callback());
        if (!importer.run(files))
            return failed(importer.lastError());
    }
    QTextStream(stdout) << "imported " << importer.imported() << ", duplicates "
                        << importer.duplicates() << ", refused " << importer.refused() << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // One thread uses the log here: its connection needs no mutex around each call.
    sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (command == "export")
        return exportLog(arguments);
    if (command == "import")
        return importFiles(arguments);
    return usage(command.isEmpty() ? QStringLiteral("no command")
                                   : QStringLiteral("unknown command %1").arg(command));
}
