#pragma once

#include "log/BackgroundReads.h"
#include "log/LockWait.h"

#include <QString>

class Paths;
struct sqlite3;

// An open connection to the log database. The connection string names the provider and the
// design path of the file (`Data Source`); only the provider "Microsoft.Jet.OLEDB.3.51" is
// known, and it stands for the embedded SQLite engine. The design path goes through Paths, so
// "C:\Programmi\Tempora\tempora.mdb" finds the installed "Tempora.mdb". Opening never creates
// a file: a missing file, a file that is not an SQLite database and a database without the
// table Log1 are refused, each with a description naming the design path and the local file.
class LogConnection {
public:
    static const QString& provider();

    LogConnection() = default;
    ~LogConnection();
    LogConnection(const LogConnection&) = delete;
    LogConnection& operator=(const LogConnection&) = delete;

    // Closes any open database first. busyTimeoutMs is how long a statement waits for a lock
    // held by another program; the program's timers and painting go on meanwhile.
    bool open(const QString& connectionString, const Paths& paths, int busyTimeoutMs);
    // Told when a statement begins and ends waiting for such a lock.
    void setWaitObserver(std::function<void(bool waiting)> observer) {
        m_lockWait.setObserver(std::move(observer));
    }
    void close();
    sqlite3* handle() const { return m_db; }
    // The background reads of this log that give way to the writes of this connection.
    BackgroundReads& backgroundReads() { return m_backgroundReads; }

    QString lastError() const { return m_lastError; }

private:
    bool fail(int number, const QString& reason);

    BackgroundReads m_backgroundReads;
    LockWait m_lockWait;
    sqlite3* m_db = nullptr;
    QString m_designPath;
    QString m_filePath;
    QString m_lastError;
};
