#pragma once

#include <QObject>
#include <QString>

#include <future>
#include <memory>
#include <mutex>

struct sqlite3;

// Looks for damage in the log file ("PRAGMA quick_check") on a second, read-only connection in a
// worker thread, so that opening a large log never waits for it. damaged() comes on the thread
// that started the check, with the problems the engine found; a file found sound, or a check that
// could not run to its end (the file locked for too long, the check abandoned), says nothing.
class LogIntegrityCheck : public QObject {
    Q_OBJECT
public:
    explicit LogIntegrityCheck(QObject* parent = nullptr) : QObject(parent) {}
    // Abandons a check still running and waits for its worker.
    ~LogIntegrityCheck() override;

    // Checks the file db reads, abandoning a check still running; a database without a file of
    // its own is not checked.
    void start(sqlite3* db);
    // Abandons a check still running, without an answer.
    void stop();

signals:
    void damaged(const QString& problems);

private:
    // The worker's connection, which the owner interrupts when it no longer wants the answer.
    struct Job {
        std::mutex mutex;
        sqlite3* db = nullptr;
        bool abandoned = false;
    };

    // The problems found, empty for a sound file or no verdict.
    static QString check(const std::shared_ptr<Job>& job, const QByteArray& file);

    std::shared_ptr<Job> m_job;
    std::future<void> m_worker;
};
