// Fault rounds against the log's data layer and the backup, each in a child process of this
// program: saves killed with kill -9 (committed contacts lost? file damaged?), backups of a large
// log while another process commits, and backups killed part way. Prints a Markdown table.
#include "BenchSupport.h"
#include "LogGenerator.h"

#include "log/DataControl.h"
#include "log/LogConnection.h"
#include "log/LogQueries.h"
#include "log/LogSchema.h"
#include "log/RecordSet.h"
#include "log/SqliteStatement.h"
#include "platform/DatabaseBackup.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTextStream>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

// Child reports go to standard output unbuffered, one line each, so that a kill loses none that
// was written.
void report(const QByteArray& line) {
    const QByteArray text = line + '\n';
    (void)!::write(STDOUT_FILENO, text.constData(), size_t(text.size()));
}

// A copy of this program started in one of its child roles, its standard output on a pipe.
class Child {
public:
    explicit Child(const QStringList& arguments) {
        QList<QByteArray> texts{QFile::encodeName(QCoreApplication::applicationFilePath())};
        for (const QString& argument : arguments)
            texts << argument.toUtf8();
        std::vector<char*> argv;
        for (QByteArray& text : texts)
            argv.push_back(text.data());
        argv.push_back(nullptr);
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            qFatal("pipe: %s", strerror(errno));
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(ends[1], STDOUT_FILENO);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(ends[1]);
        m_fd = ends[0];
        if (m_pid < 0)
            qFatal("fork: %s", strerror(errno));
    }
    ~Child() {
        kill();
        ::close(m_fd);
    }

    // Waits up to timeoutMs for a line; false at the end of the output or on time-out.
    bool waitLine(int timeoutMs) {
        while (!m_pending.contains('\n')) {
            pollfd wait{m_fd, POLLIN, 0};
            if (::poll(&wait, 1, timeoutMs) <= 0 || !readSome())
                return false;
        }
        return true;
    }
    // The whole lines written so far, taken without waiting (to the end once the child is gone).
    QList<QByteArray> takeLines() {
        for (pollfd wait{m_fd, POLLIN, 0}; ::poll(&wait, 1, 0) > 0 && readSome();)
            ;
        const qsizetype end = m_pending.lastIndexOf('\n') + 1;
        QList<QByteArray> lines = m_pending.left(end).split('\n');
        lines.removeLast();
        m_pending.remove(0, end);
        return lines;
    }
    void kill() {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }

private:
    bool readSome() {
        char buffer[4096];
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got > 0)
            m_pending.append(buffer, got);
        return got > 0;
    }

    pid_t m_pid = 0;
    int m_fd = -1;
    QByteArray m_pending;
};

// Child role: saves contacts through the log window's data control, one row per save, reporting
// each call sign once its save returned; intervalMs between saves. A refused save is reported as
// "!" and its row dropped.
int saveContacts(const QString& folder, const QString& prefix, int intervalMs) {
    const Paths paths(folder, QString());
    DataControl control(paths);
    control.setRecordSource(LogQueries::reset());
    if (!control.refresh())
        qFatal("%s", qPrintable(control.lastError()));
    RecordSet& records = control.recordSet();
    const int call = records.fieldIndex(QStringLiteral("OM_Call"));
    records.moveLast();
    for (int n = 0;; ++n) {
        const QString id = prefix + QString::number(n);
        if (records.setValueAt(records.size(), call, id) && records.updateBatch()) {
            report(id.toUtf8());
        } else {
            report("!");
            records.cancelBatch();
        }
        if (intervalMs > 0)
            QThread::msleep(intervalMs);
    }
}

// Child role: one backup, reporting "p" as it advances.
int copyLog(const QString& source, const QString& target) {
    DatabaseBackup backup;
    const auto outcome = backup.copy(
        source, target, [](bool) { return true; },
        [](DatabaseBackup::Step, qint64, qint64) { report("p"); });
    return outcome == DatabaseBackup::Outcome::Copied ? 0 : 1;
}

// A log file as the next start of the program finds it, and its contacts' call signs.
struct Inspection {
    bool sound = false;
    qsizetype rows = 0;
    QSet<QString> calls;
    QString problem;
};

QStringList column(sqlite3* db, const QString& sql, QString& problem) {
    SqliteStatement statement;
    QStringList values;
    if (statement.prepare(db, sql))
        while (statement.step())
            values << statement.value(0).toString();
    if (statement.failed() || !statement.isPrepared())
        problem = statement.errorMessage();
    return values;
}

// Opens the log in folder as the program does (rolling back what a killed save left), checks the
// whole file and reads every call sign.
Inspection inspect(const QString& folder) {
    Inspection found;
    const Paths paths(folder, QString());
    LogConnection log;
    if (!log.open(DataControl::designConnectionString(), paths, 30000)) {
        found.problem = log.lastError();
        return found;
    }
    const QStringList integrity =
        column(log.handle(), QStringLiteral("PRAGMA integrity_check"), found.problem);
    found.sound = integrity == QStringList{QStringLiteral("ok")};
    if (!found.sound && found.problem.isEmpty())
        found.problem = integrity.join(QStringLiteral("; "));
    const QStringList calls =
        column(log.handle(), QStringLiteral("SELECT OM_Call FROM Log1"), found.problem);
    found.rows = calls.size();
    found.calls = QSet<QString>(calls.begin(), calls.end());
    return found;
}

QSet<QString> reported(const QList<QByteArray>& lines, int* refused = nullptr) {
    QSet<QString> ids;
    for (const QByteArray& line : lines) {
        if (line == "!" && refused)
            ++*refused;
        else if (line != "!")
            ids.insert(QString::fromUtf8(line));
    }
    return ids;
}

int missing(const QSet<QString>& committed, const QSet<QString>& found) {
    return int((QSet<QString>(committed) -= found).size());
}

void freshFolder(const QString& folder) {
    if (!QDir(folder).removeRecursively() || !QDir().mkpath(folder))
        qFatal("cannot make %s", qPrintable(folder));
}

void row(const QString& check, int rounds, int failures, const QString& notes) {
    out() << "| " << check << " | " << rounds << " | " << failures << " | " << notes << " |\n";
    out().flush();
}

void mention(const QString& problem, QStringList& problems) {
    if (!problem.isEmpty() && problems.size() < 3)
        problems << problem;
}

QString notes(const QString& figures, const QStringList& problems) {
    return problems.isEmpty()
               ? figures
               : figures + QStringLiteral("; first: ") + problems.join(QStringLiteral(" / "));
}

class Stress {
public:
    Stress(QString data, quint32 seed) : m_data(std::move(data)), m_random(seed) {}

    // Each round a child saves contacts one by one and is killed at a random moment.
    void killedSaves(int rounds) {
        const QString folder = m_data + QStringLiteral("/saves");
        freshFolder(folder);
        if (!LogSchema().create(folder + QStringLiteral("/Tempora.mdb")))
            qFatal("cannot make the log");
        int failures = 0, committed = 0, lost = 0;
        QStringList problems;
        for (int round = 0; round < rounds; ++round) {
            Child child({QStringLiteral("--save"), folder, QStringLiteral("K%1-").arg(round),
                         QStringLiteral("0")});
            const bool started = child.waitLine(30000);
            QThread::msleep(m_random.bounded(300));
            child.kill();
            const QSet<QString> ids = reported(child.takeLines());
            const Inspection log = inspect(folder);
            const int roundLost = missing(ids, log.calls);
            committed += int(ids.size());
            lost += roundLost;
            if (!started || !log.sound || roundLost > 0) {
                ++failures;
                mention(started ? log.problem : QStringLiteral("no save"), problems);
            }
        }
        row(QStringLiteral("saves killed with kill -9: committed contacts kept, integrity_check"),
            rounds, failures,
            notes(QStringLiteral("%1 saves committed, %2 lost").arg(committed).arg(lost),
                  problems));
    }

    // Backups of a large log back to back while another process saves a contact every 20 ms.
    void backupsWhileSaving(int backups, int contacts) {
        const QString folder = prepareLog(QStringLiteral("busy"), contacts);
        Child writer(
            {QStringLiteral("--save"), folder, QStringLiteral("B-"), QStringLiteral("20")});
        if (!writer.waitLine(30000))
            qFatal("the saving process did not start");
        const QString target = folder + QStringLiteral("/medium/Tempora.mdb");
        int failed = 0, unsound = 0, refused = 0, restarted = 0;
        QSet<QString> committed;
        QStringList problems;
        double copyMs = 0;
        for (int i = 0; i < backups; ++i) {
            committed += reported(writer.takeLines(), &refused);
            DatabaseBackup backup;
            const BenchSupport::Stopwatch watch;
            qint64 copied = 0;
            bool startedOver = false;
            const auto progress = [&](DatabaseBackup::Step step, qint64 pages, qint64) {
                if (step == DatabaseBackup::Step::Copying)
                    startedOver |= pages < std::exchange(copied, pages);
            };
            const auto outcome = backup.copy(
                folder + QStringLiteral("/Tempora.mdb"), target, [](bool) { return true; },
                progress);
            restarted += startedOver;
            if (outcome != DatabaseBackup::Outcome::Copied) {
                ++failed;
                mention(backup.lastError(), problems);
                continue;
            }
            copyMs += watch.elapsedMs();
            const Inspection copy = inspect(folder + QStringLiteral("/medium"));
            const auto saved =
                std::count_if(copy.calls.begin(), copy.calls.end(),
                              [](const QString& call) { return call.startsWith("B-"); });
            if (!copy.sound || missing(committed, copy.calls) > 0 ||
                copy.rows - saved != contacts) {
                ++unsound;
                mention(copy.problem.isEmpty() ? QStringLiteral("contacts missing") : copy.problem,
                        problems);
            }
        }
        writer.kill();
        committed += reported(writer.takeLines(), &refused);
        const QString figures =
            QStringLiteral("%1 contacts, %2 saves meanwhile, mean copy %3 s")
                .arg(contacts)
                .arg(committed.size())
                .arg(copyMs / 1000.0 / std::max(1, backups - failed), 0, 'f', 2);
        row(QStringLiteral("backups while another process saves every 20 ms: copies failed"),
            backups, failed, notes(figures, problems));
        row(QStringLiteral("... copies that started over because the log changed"), backups,
            restarted, QString());
        row(QStringLiteral("... copies failing integrity_check or missing a committed contact"),
            backups - failed, unsound, QString());
        row(QStringLiteral("... saves of the other process refused"),
            int(committed.size()) + refused, refused, QString());
    }

    // Each round a child's backup is killed at a random moment; the older copy must stay whole and
    // the next backup must leave no temporary file behind.
    void killedBackups(int rounds, int contacts) {
        const QString folder = prepareLog(QStringLiteral("copies"), contacts);
        const QString source = folder + QStringLiteral("/Tempora.mdb");
        const QString medium = folder + QStringLiteral("/medium");
        const QString target = medium + QStringLiteral("/Tempora.mdb");
        const auto leftovers = [&medium] {
            return QDir(medium)
                .entryList({QStringLiteral(".Tempora.mdb.part-*")}, QDir::Files | QDir::Hidden)
                .size();
        };
        const BenchSupport::Stopwatch first;
        DatabaseBackup backup;
        if (backup.copy(source, target) != DatabaseBackup::Outcome::Copied)
            qFatal("%s", qPrintable(backup.lastError()));
        const int copyMs = int(first.elapsedMs());
        int damaged = 0, left = 0, leftAfterNext = 0, nextFailed = 0;
        QStringList problems;
        for (int round = 0; round < rounds; ++round) {
            {
                Child child({QStringLiteral("--copy"), source, target});
                child.waitLine(30000);
                QThread::msleep(m_random.bounded(copyMs + 1));
            }
            left += leftovers() > 0;
            const Inspection older = inspect(medium);
            if (!older.sound || older.rows != contacts) {
                ++damaged;
                mention(older.problem, problems);
            }
            if (backup.copy(source, target, [](bool) { return true; }) !=
                DatabaseBackup::Outcome::Copied) {
                ++nextFailed;
                mention(backup.lastError(), problems);
            }
            leftAfterNext += leftovers() > 0;
        }
        const QString figures = QStringLiteral("%1 contacts, a copy takes %2 s; the killed copy "
                                               "left its temporary file in %3 rounds")
                                    .arg(contacts)
                                    .arg(copyMs / 1000.0, 0, 'f', 2)
                                    .arg(left);
        row(QStringLiteral("backups killed with kill -9: older copy damaged"), rounds, damaged,
            notes(figures, problems));
        row(QStringLiteral("... next backup failed or left a `.Tempora.mdb.part-` file"), rounds,
            nextFailed + leftAfterNext, QString());
    }

private:
    // A folder holding a fresh copy of the generated log of that many contacts.
    QString prepareLog(const QString& name, int contacts) {
        QString error;
        const QString generated = LogGenerator::cachedLog(m_data, contacts, &error);
        const QString folder = m_data + QLatin1Char('/') + name;
        freshFolder(folder);
        if (generated.isEmpty() || !QDir().mkpath(folder + QStringLiteral("/medium")) ||
            !QFile::copy(generated, folder + QStringLiteral("/Tempora.mdb")))
            qFatal("cannot make the log: %s", qPrintable(error));
        return folder;
    }

    QString m_data;
    QRandomGenerator m_random;
};

int option(const QStringList& arguments, const QString& name, int fallback) {
    const int at = int(arguments.indexOf(name));
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1).toInt() : fallback;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.value(1) == QLatin1String("--save"))
        return saveContacts(arguments.value(2), arguments.value(3), arguments.value(4).toInt());
    if (arguments.value(1) == QLatin1String("--copy"))
        return copyLog(arguments.value(2), arguments.value(3));

    const int at = int(arguments.indexOf(QStringLiteral("--data")));
    const QString data =
        QDir(at >= 0 ? arguments.value(at + 1) : QDir::tempPath() + "/tempora-stress")
            .absolutePath();
    const int rounds = option(arguments, QStringLiteral("--rounds"), 100);
    const int backups = option(arguments, QStringLiteral("--backups"), 30);
    const int contacts = option(arguments, QStringLiteral("--contacts"), 100000);
    Stress stress(data + QStringLiteral("/stress"),
                  quint32(option(arguments, QStringLiteral("--seed"), 1)));
    const BenchSupport::Stopwatch whole;
    out() << "\n### Stress rounds (kill -9 and backups under load)\n\n"
          << "| check | rounds | failures | notes |\n|---|---:|---:|---|\n";
    stress.killedSaves(rounds);
    stress.backupsWhileSaving(backups, contacts);
    stress.killedBackups(rounds, contacts);
    out() << "\nWhole run " << QString::number(whole.elapsedMs() / 60000.0, 'f', 1) << " min.\n";
    return 0;
}
