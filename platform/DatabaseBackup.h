#pragma once

#include <QString>

#include <functional>

// Copies an SQLite database file to a target file as one complete, checked copy.
//
// The source is read through SQLite's online backup within one read transaction, so the copy is
// one snapshot holding every transaction committed before it began, also by other connections
// that keep the file open; their commits wait until the pages are copied. The source is opened
// read-only and never created. The copy is written to a hidden temporary file in the
// target's folder, synced to the medium, read back and checked ("PRAGMA integrity_check"), and
// only then renamed over the target: a target that exists stays as it was until a good copy
// replaces it, and a failed or cancelled copy removes its temporary file. Temporary files that
// killed copies to the same target left behind are removed before anything is written. The copy is
// a self-contained file (rollback journal), whatever journal mode the source uses.
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
    // keeps the target and cancels the copy.
    using ReplaceQuestion = std::function<bool(bool inPlace)>;
    // Told after each step how many of the source's pages are copied out of its total; the last
    // call (copied == total) comes before the copy is synced and checked. False cancels.
    using Progress = std::function<bool(int copied, int total)>;

    explicit DatabaseBackup(int pagesPerStep = 16) : m_pagesPerStep(pagesPerStep) {}

    Outcome copy(const QString& sourceFile, const QString& targetFile,
                 const ReplaceQuestion& replace = {}, const Progress& progress = {});

    // The rule for a copy of copyBytes on a medium with freeBytes free in blocks of blockBytes,
    // where an old copy of oldCopyBytes (0 for none) would be replaced.
    static Room room(qint64 copyBytes, qint64 oldCopyBytes, qint64 freeBytes, qint64 blockBytes);

    int lastErrorCode() const { return m_lastErrorCode; }
    QString lastError() const { return m_lastError; }

private:
    Outcome fail(int code, const QString& what, const QString& detail = QString());

    int m_pagesPerStep;
    int m_lastErrorCode = 0;
    QString m_lastError;
};
