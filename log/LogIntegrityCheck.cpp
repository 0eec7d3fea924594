#include "log/LogIntegrityCheck.h"

#include "log/LogDamage.h"
#include "log/SqliteStatement.h"

#include <QStringList>

#include <sqlite3.h>

namespace {

// The engine stops after this many problems; the first few tell the operator enough.
constexpr int kProblemsReported = 10;
// A writer that holds the file this long leaves the log unchecked rather than the worker waiting.
constexpr int kBusyMilliseconds = 5000;

} // namespace

LogIntegrityCheck::~LogIntegrityCheck() {
    stop();
}

void LogIntegrityCheck::stop() {
    if (!m_worker.valid())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_job->mutex);
        m_job->abandoned = true;
        if (m_job->db)
            sqlite3_interrupt(m_job->db);
    }
    m_worker.wait();
    m_worker = {};
}

void LogIntegrityCheck::start(sqlite3* db) {
    stop();
    const char* file = sqlite3_db_filename(db, "main");
    if (!file || !*file)
        return;
    m_job = std::make_shared<Job>();
    // The answer is posted to this object's thread; Qt drops it if the object is gone by then.
    m_worker = std::async(std::launch::async, [this, job = m_job, path = QByteArray(file)] {
        const QString problems = check(job, path);
        // The answer of a check stopped or started again since is dropped.
        if (!problems.isEmpty())
            QMetaObject::invokeMethod(
                this,
                [this, job, problems] {
                    if (job == m_job && !job->abandoned)
                        emit damaged(problems);
                },
                Qt::QueuedConnection);
    });
}

QString LogIntegrityCheck::check(const std::shared_ptr<Job>& job, const QByteArray& file) {
    sqlite3* db = nullptr;
    QStringList problems;
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, kBusyMilliseconds);
        bool ready = false;
        {
            const std::lock_guard<std::mutex> lock(job->mutex);
            job->db = db;
            ready = !job->abandoned;
        }
        SqliteStatement statement;
        if (ready && statement.prepare(
                         db, QStringLiteral("PRAGMA quick_check(%1)").arg(kProblemsReported))) {
            // A problem may come as several lines under a heading naming the schema.
            while (statement.step()) {
                for (const QString& line : statement.value(0).toString().split(QLatin1Char('\n'))) {
                    if (!line.startsWith(QStringLiteral("***")))
                        problems << line.trimmed();
                }
            }
        }
        if (LogDamage::isDamage(statement.errorCode()))
            problems << statement.errorMessage();
        else if (statement.failed())
            problems.clear(); // interrupted or locked out: no verdict
    }
    {
        const std::lock_guard<std::mutex> lock(job->mutex);
        job->db = nullptr;
    }
    sqlite3_close(db);
    if (problems == QStringList{QStringLiteral("ok")})
        return QString();
    return problems.join(QStringLiteral("; "));
}
