#pragma once

#include "log/RecordSource.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class LogConnection;
class LogIntegrityCheck;
class Paths;
class RecordSet;

// The log window's data control `datPrimaryRS`: it holds the connection string and the record
// source, opens them with refresh(), and exposes the record set the grid is bound to. It is
// hidden; its caption is only kept up to date by the window. It relays the record set's
// notifications; error() carries the failures nobody asked for directly (saving a row while
// the grid moves off it). refresh() and close() return their failure instead, so that the
// caller reports it as its own: the window's load as the data control's error, a command as
// the command's.
//
// Each newly opened log is checked for damage in the background; damaged() tells, once, that the
// log was found damaged (by that check or by a read), after which nothing is written to it.
//
// refresh() first saves every pending change, so re-reading never drops what the operator
// typed; when that save fails the view and its changes stay as they were. close() saves them
// too before it lets go of the log.
class DataControl : public QObject {
    Q_OBJECT
public:
    static const QString& designConnectionString();
    static constexpr int kHeight = 330; // twips
    // Records read per step.
    static constexpr int kCacheSize = 50;
    // Seconds a statement waits for a lock held elsewhere.
    static constexpr int kCommandTimeout = 30;

    explicit DataControl(const Paths& paths, QObject* parent = nullptr);
    ~DataControl() override;

    // Takes effect at the next refresh().
    void setRecordSource(const RecordSource& source) { m_recordSource = source; }

    // Closes and re-opens the record set with the current connection string and record source;
    // false on failure, the previous view staying open.
    bool refresh();
    // Saves every pending change and closes the record set and the connection, as the window
    // unloads; false when the save failed, its changes then being dropped.
    bool close();
    // Told when a statement begins and ends waiting for a lock another program holds.
    void setWaitObserver(std::function<void(bool waiting)> observer) {
        m_waitObserver = std::move(observer);
    }
    // Always the same object, open after a successful refresh().
    RecordSet& recordSet() const { return *m_recordSet; }

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    int height() const { return kHeight; }

    QString lastError() const { return m_lastError; }

signals:
    void error(const QString& description);
    void damaged(const QString& notice);
    void moveComplete();
    void willChangeRecord();

private:
    bool fail(const QString& description);

    const Paths& m_paths;
    RecordSource m_recordSource;
    QString m_caption = QStringLiteral(" ");
    std::function<void(bool)> m_waitObserver;
    std::unique_ptr<LogConnection> m_connection;
    RecordSet* m_recordSet;
    LogIntegrityCheck* m_integrityCheck;
    QString m_lastError;
};
