#pragma once

#include "log/BackgroundReads.h"

#include <QObject>
#include <QString>

#include <future>
#include <memory>
#include <optional>

struct sqlite3;

// Looks for damage in the log file ("PRAGMA quick_check") on a second, read-only connection in a
// worker thread, so that opening a large log never waits for it. damaged() comes on the thread
// that started the check, with the problems the engine found; a file found sound, or a check
// abandoned, says nothing. The check gives way to the program's writes: a write interrupts it,
// and so does the file being locked elsewhere for a while; it then runs again from the start once
// the log has been left alone for a moment, until it has a verdict.
class LogIntegrityCheck : public QObject {
    Q_OBJECT
public:
    explicit LogIntegrityCheck(QObject* parent = nullptr) : QObject(parent) {}
    // Abandons a check still running and waits for its worker.
    ~LogIntegrityCheck() override;

    // Checks the file db reads, abandoning a check still running; a database without a file of
    // its own is not checked. ownReads are the reads that db's writes interrupt. The check starts
    // a moment later, after the paint of the open.
    void start(sqlite3* db, BackgroundReads* ownReads);
    // Abandons a check still running, without an answer.
    void stop();

signals:
    void damaged(const QString& problems);

private:
    void launch(const std::shared_ptr<BackgroundReads::Read>& job, const QByteArray& path);
    // The problems found, empty for a sound file or a check abandoned.
    static QString check(BackgroundReads::Read& job, const QByteArray& file);
    // One pass: the problems, empty for a sound file; none without a verdict.
    static std::optional<QString> checkOnce(BackgroundReads::Read& job, const QByteArray& file);

    std::shared_ptr<BackgroundReads::Read> m_job;
    std::future<void> m_worker;
};
