#pragma once

#include <QString>

#include <atomic>
#include <functional>

struct sqlite3;

// Copies an SQLite database file to a target file as one complete, checked copy.
//
// The source is read through SQLite's online backup within one read transaction, so the copy is
// one snapshot holding every transaction committed before it began, also by other connections
// that keep the file open; their commits wait until the pages are copied and checked. The source
// is opened read-only and never created. Beside the copy, SQLite's "PRAGMA quick_check" of the
// snapshot runs on a second thread, so that a log damaged since its own check never replaces a good
// older copy. ("PRAGMA integrity_check" also compares every index with its table.) The copy is
// written to a hidden temporary file in the target's folder and synced to the medium, then read
// back from the medium itself and compared with a digest of the snapshot's bytes taken while they
// were copied: the medium holds the checked snapshot, byte for byte. Only then is the copy renamed
// over the target: a target that exists stays as it was until a good copy replaces it, and a failed
// or cancelled copy removes its temporary file. Temporary files that killed copies to the same
// target left behind are removed before anything is written. The copy is a self-contained file
// (rollback journal), whatever journal mode the source uses. Each step can be cancelled from
// another thread while the copy runs.
//
// After a failure lastErrorCode() is an errno value, never 0, and lastError() describes it.
class DatabaseBackup {
public:
    enum class Outcome { Copied, Cancelled, Failed };

    // Where the copy fits on the target's medium: beside the target (the atomic replace), only
    // in its place (the target is removed first, so the medium holds no good copy should the copy
    // fail), or not at all.
    enum class Room { BesideOldCopy, InPlace, None };

    // Asked, once the source is open and before anything is written, when the target exists and
    // the copy fits; inPlace tells that the target is removed before the copy is written. False
    // keeps the target and cancels the copy. Called on the thread that runs copy().
    using ReplaceQuestion = std::function<bool(bool inPlace)>;
    // The steps of a copy, in order: the source's pages copied into the temporary file, the
    // file written out to the medium (synced), the copy read back from the medium and compared,
    // then the wait for the check of the snapshot.
    enum class Step { Copying, Writing, Checking };
    // Told as a step begins (done 0) and as it advances, in bytes (pages for Copying a source in
    // write-ahead-log mode); total 0 for an amount not known (the start of Copying, the wait for
    // the check once the copy is read back). Called on the thread that runs copy().
    using Progress = std::function<void(Step step, qint64 done, qint64 total)>;

    // 256 pages (1 MiB of a log in 4 KiB pages) a step of the online backup that copies a source
    // in write-ahead-log mode: fewer steps cost less, and a cancel still takes effect at once.
    explicit DatabaseBackup(int pagesPerStep = 256) : m_pagesPerStep(pagesPerStep) {}

    Outcome copy(const QString& sourceFile, const QString& targetFile,
                 const ReplaceQuestion& replace = {}, const Progress& progress = {});

    // Safe from any thread: the copy running ends as Cancelled at its next step or slice, and so
    // does every later copy of this object; a target that existed stays as it
    // was (unless the copy replaces it in place and had removed it already).
    void cancel();

    // The rule for a copy of copyBytes on a medium with freeBytes free in blocks of blockBytes,
    // where an old copy of oldCopyBytes (0 for none) would be replaced.
    static Room room(qint64 copyBytes, qint64 oldCopyBytes, qint64 freeBytes, qint64 blockBytes);

    int lastErrorCode() const { return m_lastErrorCode; }
    QString lastError() const { return m_lastError; }

private:
    Outcome fail(int code, const QString& what, const QString& detail = QString());
    // Copies the pages of source's snapshot into the database file temporary through SQLite's
    // online backup, which also takes the pages in a write-ahead log.
    Outcome copyPages(sqlite3* source, const QString& temporary, const QString& what,
                      const Progress& report);
    // Syncs the copy to its medium in slices, telling each; 0 or the errno of the failure.
    int writeOut(int descriptor, const Progress& report);

    int m_pagesPerStep;
    std::atomic<bool> m_cancelled = false;
    int m_lastErrorCode = 0;
    QString m_lastError;
};
