#include "log/LogIntegrityCheck.h"

#include "log/LogDamage.h"
#include "log/SqliteStatement.h"

#include <QStringList>
#include <QTimer>

#include <sqlite3.h>

namespace {

// The engine stops after this many problems; the first few tell the operator enough.
constexpr int kProblemsReported = 10;
// A writer that holds the file this long makes the check wait and run again, rather than wait on.
constexpr int kBusyMilliseconds = 200;
// How long the log is left alone after a write or a lock before the check runs again.
constexpr int kQuietMilliseconds = 1000;

} // namespace

LogIntegrityCheck::~LogIntegrityCheck() {
    stop();
}

void LogIntegrityCheck::stop() {
    // A check not started yet never starts.
    if (m_job)
        m_job->abandon();
    if (!m_worker.valid())
        return;
    m_worker.wait();
    m_worker = {};
}

void LogIntegrityCheck::start(sqlite3* db, BackgroundReads* ownReads) {
    stop();
    const char* file = sqlite3_db_filename(db, "main");
    if (!file || !*file)
        return;
    m_job = ownReads ? ownReads->add() : std::make_shared<BackgroundReads::Read>();
    QTimer::singleShot(BackgroundReads::kStartDelayMs, this,
                       [this, job = m_job, path = QByteArray(file)] {
                           if (job == m_job && !job->isAbandoned())
                               launch(job, path);
                       });
}

void LogIntegrityCheck::launch(const std::shared_ptr<BackgroundReads::Read>& job,
                               const QByteArray& path) {
    // The answer is posted to this object's thread; Qt drops it if the object is gone by then.
    m_worker = std::async(std::launch::async, [this, job, path] {
        const QString problems = check(*job, path);
        // The answer of a check stopped or started again since is dropped.
        if (!problems.isEmpty())
            QMetaObject::invokeMethod(
                this,
                [this, job, problems] {
                    if (job == m_job && !job->isAbandoned())
                        emit damaged(problems);
                },
                Qt::QueuedConnection);
    });
}

QString LogIntegrityCheck::check(BackgroundReads::Read& job, const QByteArray& file) {
    while (!job.isAbandoned()) {
        // A pass interrupted by a write or locked out runs again after a pause; one that was
        // about to finish as a write came keeps its verdict.
        if (const std::optional<QString> problems = checkOnce(job, file))
            return *problems;
        if (!job.pause(kQuietMilliseconds))
            break;
    }
    return QString();
}

std::optional<QString> LogIntegrityCheck::checkOnce(BackgroundReads::Read& job,
                                                    const QByteArray& file) {
    QStringList problems;
    bool verdict = false;
    if (sqlite3* db = job.open(file, kBusyMilliseconds)) {
        SqliteStatement statement;
        if (statement.prepare(db,
                              QStringLiteral("PRAGMA quick_check(%1)").arg(kProblemsReported))) {
            // A problem may come as several lines under a heading naming the schema.
            while (statement.step()) {
                for (const QString& line : statement.value(0).toString().split(QLatin1Char('\n'))) {
                    if (!line.startsWith(QStringLiteral("***")))
                        problems << line.trimmed();
                }
            }
            verdict = !statement.failed();
        }
        if (LogDamage::isDamage(statement.errorCode())) {
            problems << statement.errorMessage();
            verdict = true;
        }
    }
    job.close();
    if (!verdict)
        return std::nullopt; // interrupted, locked out or abandoned
    if (problems == QStringList{QStringLiteral("ok")})
        return QString();
    return problems.join(QStringLiteral("; "));
}
