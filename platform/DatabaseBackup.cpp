#include "platform/DatabaseBackup.h"

#include "platform/CopyLanguage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <thread>

#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <xxhash.h>

namespace {

// How long a step waits for a writer of the source to commit before the copy fails.
constexpr int kBusyMilliseconds = 5000;
// How much of the log is copied between two reports and two looks for a cancel.
constexpr qint64 kChunkBytes = 1024 * 1024;

// The sizes of the slices in which the copy is written out to the medium or read back: the first
// is a few seconds' work for a floppy, so that the display advances and a cancel is seen; each
// slice a fast medium takes at once doubles the next, as there the round trips of many small
// slices would cost more than their data.
class Slices {
public:
    explicit Slices(qint64 largest) : m_largest(largest) {}
    qint64 next(qint64 left) {
        if (m_timer.isValid() && m_timer.elapsed() < 50)
            m_bytes = std::min(m_bytes * 2, m_largest);
        m_timer.start();
        return std::min(m_bytes, left);
    }

private:
    qint64 m_largest;
    qint64 m_bytes = 256 * 1024;
    QElapsedTimer m_timer;
};

// The fingerprint of bytes as they pass, which the copy read back from its medium must match.
class Digest {
public:
    Digest() : m_state(XXH3_createState(), &XXH3_freeState) { XXH3_64bits_reset(m_state.get()); }
    void add(const char* bytes, qint64 size) {
        XXH3_64bits_update(m_state.get(), bytes, size_t(size));
    }
    quint64 value() const { return XXH3_64bits_digest(m_state.get()); }

private:
    std::unique_ptr<XXH3_state_t, decltype(&XXH3_freeState)> m_state;
};

int writeAll(int descriptor, const char* bytes, qint64 size, qint64 offset) {
    while (size > 0) {
        const ssize_t written = ::pwrite(descriptor, bytes, size_t(size), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes += written;
        size -= written;
        offset += written;
    }
    return 0;
}

int readExactly(int descriptor, char* bytes, qint64 size, qint64 offset) {
    while (size > 0) {
        const ssize_t read = ::pread(descriptor, bytes, size_t(size), offset);
        if (read < 0 && errno == EINTR)
            continue;
        if (read <= 0)
            return read < 0 ? errno : EIO; // the medium holds less than was written
        bytes += read;
        size -= read;
        offset += read;
    }
    return 0;
}

// The digest of a file's first size bytes, read in slices, each told; 0 or the errno of the
// failure.
int fileDigest(int descriptor, qint64 size, const std::atomic<bool>& cancelled,
               const std::function<void(qint64 done)>& told, quint64& digest) {
    Digest bytes;
    Slices slices(kChunkBytes);
    QByteArray buffer(std::min(size, kChunkBytes), Qt::Uninitialized);
    for (qint64 done = 0; done < size && !cancelled;) {
        const qint64 slice = slices.next(size - done);
        if (const int error = readExactly(descriptor, buffer.data(), slice, done))
            return error;
        bytes.add(buffer.constData(), slice);
        done += slice;
        told(done);
    }
    digest = bytes.value();
    return 0;
}

// The file SQLite reads source's main schema from: the copy reads the log through it, as closing
// a descriptor of the process's own would drop the locks that keep writers out. Its reads are
// positioned reads of the file (no memory map is set up), safe beside the connection's own.
sqlite3_file* databaseFile(sqlite3* source) {
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(source, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        !file || !file->pMethods)
        return nullptr;
    return file;
}

// Copies the first size bytes of source to target, telling the bytes done; 0 or the errno of the
// failure.
int copyFile(sqlite3_file* source, qint64 size, int target, const std::atomic<bool>& cancelled,
             const std::function<void(qint64 done)>& told, quint64& digest) {
    Digest bytes;
    QByteArray buffer(std::min(size, kChunkBytes), Qt::Uninitialized);
    for (qint64 done = 0; done < size && !cancelled;) {
        const qint64 chunk = std::min<qint64>(buffer.size(), size - done);
        // A short read is a log shorter than its own header says: damaged.
        if (source->pMethods->xRead(source, buffer.data(), int(chunk), done) != SQLITE_OK)
            return EIO;
        bytes.add(buffer.constData(), chunk);
        if (const int error = writeAll(target, buffer.constData(), chunk, done))
            return error;
        done += chunk;
        told(done);
    }
    digest = bytes.value();
    return 0;
}

// The errno that best names an SQLite failure. SQLite keeps the system's error only for failed
// opens and input/output, and reports a full medium without one.
int errnoFor(int result, int systemError) {
    const int primary = result & 0xff;
    if (primary == SQLITE_FULL)
        return ENOSPC;
    if ((primary == SQLITE_CANTOPEN || primary == SQLITE_IOERR) && systemError != 0)
        return systemError;
    switch (primary) {
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return EACCES;
    case SQLITE_READONLY:
        return EROFS;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return EBUSY;
    case SQLITE_NOMEM:
        return ENOMEM;
    case SQLITE_CANTOPEN:
        return ENOENT;
    case SQLITE_TOOBIG:
        return EFBIG;
    default:
        return EIO; // damaged or not a database, input/output without a known cause
    }
}

// The first column of the first row of a pragma, as text.
QByteArray pragmaValue(sqlite3* db, const char* sql, int& result) {
    QByteArray value;
    sqlite3_stmt* statement = nullptr;
    result = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    if (result == SQLITE_OK)
        result = sqlite3_step(statement);
    if (result == SQLITE_ROW) {
        value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        result = SQLITE_OK;
    }
    sqlite3_finalize(statement);
    return value;
}

class Connection {
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { sqlite3_close(m_db); }

    int open(const QString& file, int flags) {
        return sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, flags, nullptr);
    }
    int exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }
    sqlite3* handle() const { return m_db; }
    int systemError() const { return sqlite3_system_errno(m_db); }
    QString message() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }

private:
    sqlite3* m_db = nullptr;
};

// SQLite's quick check of the snapshot that a connection's read transaction holds, run on a thread
// of its own while the copy of the same snapshot is made, written out and read back: the copy read
// back matches the snapshot's bytes, so a sound snapshot is a sound copy. A check that is not
// finished is abandoned.
class SnapshotCheck {
public:
    explicit SnapshotCheck(const std::atomic<bool>& cancelled) : m_cancelled(cancelled) {}
    SnapshotCheck(const SnapshotCheck&) = delete;
    SnapshotCheck& operator=(const SnapshotCheck&) = delete;
    ~SnapshotCheck() {
        m_abandoned = true;
        finish();
    }

    // Starts the check on source, which nothing else may use until finish() returns.
    void start(Connection& source) {
        m_source = &source;
        sqlite3_progress_handler(
            source.handle(), 1000,
            [](void* check) {
                const auto* self = static_cast<const SnapshotCheck*>(check);
                return int(self->m_abandoned || self->m_cancelled);
            },
            this);
        m_thread = std::thread([this] {
            m_verdict = pragmaValue(m_source->handle(), "PRAGMA quick_check(1)", m_result);
            if (m_result != SQLITE_OK) {
                m_systemError = m_source->systemError();
                m_message = m_source->message();
            }
        });
    }
    // Waits for the check: SQLITE_OK with the verdict ("ok" for a sound database), or the
    // failure, told by systemError() and message().
    int finish() {
        if (m_thread.joinable())
            m_thread.join();
        if (m_source)
            sqlite3_progress_handler(m_source->handle(), 0, nullptr, nullptr);
        m_source = nullptr;
        return m_result;
    }
    QByteArray verdict() const { return m_verdict; }
    int systemError() const { return m_systemError; }
    QString message() const { return m_message; }

private:
    const std::atomic<bool>& m_cancelled;
    std::atomic<bool> m_abandoned = false;
    Connection* m_source = nullptr;
    std::thread m_thread;
    int m_result = SQLITE_MISUSE;
    int m_systemError = 0;
    QByteArray m_verdict;
    QString m_message;
};

// The hidden file a copy is written to, next to its target; removed with its companions unless
// it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (m_path.isEmpty() || m_renamed)
            return;
        for (const char* suffix : {"", "-journal", "-wal", "-shm"})
            ::unlink((m_path + suffix).constData());
    }

    // 0, or the errno that kept the file from being made. The file stays locked while the copy
    // lives, which tells it from the leftover of a copy that was killed.
    int create(const QFileInfo& target) {
        QByteArray path = QFile::encodeName(target.absolutePath() + QStringLiteral("/.") +
                                            target.fileName() + QStringLiteral(".part-XXXXXX"));
        m_fd = ::mkostemp(path.data(), O_CLOEXEC);
        if (m_fd < 0)
            return errno;
        m_path = path;
        (void)::flock(m_fd, LOCK_EX | LOCK_NB);
        return 0;
    }

    // Removes the temporary files that copies to the same target left when they were killed;
    // the file of a copy still running is locked and stays.
    static void removeLeftovers(const QFileInfo& target) {
        const QRegularExpression leftover(QStringLiteral("^\\.") +
                                          QRegularExpression::escape(target.fileName()) +
                                          QStringLiteral("\\.part-[A-Za-z0-9]{6}$"));
        const QDir folder(target.absolutePath());
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (!leftover.match(name).hasMatch())
                continue;
            const QByteArray path = QFile::encodeName(folder.filePath(name));
            const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
            if (fd < 0)
                continue;
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
                ::unlink(path.constData());
            ::close(fd);
        }
    }
    int descriptor() const { return m_fd; }
    QString path() const { return QFile::decodeName(m_path); }
    bool renameTo(const QByteArray& target) {
        m_renamed = ::rename(m_path.constData(), target.constData()) == 0;
        return m_renamed;
    }

private:
    QByteArray m_path;
    int m_fd = -1;
    bool m_renamed = false;
};

// The size of the database's pages, as its copy will have them.
qint64 databaseBytes(sqlite3* db, int& result) {
    const qint64 pages = pragmaValue(db, "PRAGMA page_count", result).toLongLong();
    return result == SQLITE_OK ? pages * pragmaValue(db, "PRAGMA page_size", result).toLongLong()
                               : 0;
}

} // namespace

DatabaseBackup::Room DatabaseBackup::room(qint64 copyBytes, qint64 oldCopyBytes, qint64 freeBytes,
                                          qint64 blockBytes) {
    const auto blocks = [blockBytes](qint64 bytes) {
        return (bytes + blockBytes - 1) / blockBytes * blockBytes;
    };
    // One block more for the folder entry of the temporary name.
    const qint64 needed = blocks(copyBytes) + blockBytes;
    if (needed <= freeBytes)
        return Room::BesideOldCopy;
    if (oldCopyBytes > 0 && needed <= freeBytes + blocks(oldCopyBytes))
        return Room::InPlace;
    return Room::None;
}

DatabaseBackup::Outcome DatabaseBackup::copy(const QString& sourceFile, const QString& targetFile,
                                             const ReplaceQuestion& replace,
                                             const Progress& progress) {
    m_lastErrorCode = 0;
    m_lastError.clear();
    const auto report = [&progress](Step step, qint64 done, qint64 total) {
        if (progress)
            progress(step, done, total);
    };
    const QString what =
        CopyLanguage::text("Cannot copy \"%1\" to \"%2\"", "Impossibile copiare \"%1\" in \"%2\"")
            .arg(sourceFile, targetFile);
    const QByteArray target = QFile::encodeName(targetFile);

    struct stat sourceStatus {};
    if (::stat(QFile::encodeName(sourceFile).constData(), &sourceStatus) != 0)
        return fail(errno, what);
    struct stat targetStatus {};
    const bool targetExists = ::stat(target.constData(), &targetStatus) == 0;
    // Renaming a copy over the source would cut the log off from connections that have it open.
    if (targetExists && targetStatus.st_dev == sourceStatus.st_dev &&
        targetStatus.st_ino == sourceStatus.st_ino)
        return fail(EINVAL, what,
                    CopyLanguage::text("the target is the source itself",
                                       "la destinazione è l'origine stessa"));

    Connection source;
    int result = source.open(sourceFile, SQLITE_OPEN_READONLY);
    if (result == SQLITE_OK)
        sqlite3_busy_timeout(source.handle(), kBusyMilliseconds);
    // Reading the size also finds a source that is no database before the operator is asked.
    const qint64 copyBytes = result == SQLITE_OK ? databaseBytes(source.handle(), result) : 0;
    if (result != SQLITE_OK)
        return fail(errnoFor(result, source.systemError()), what, source.message());

    TemporaryFile::removeLeftovers(QFileInfo(targetFile));
    struct statvfs medium {};
    if (::statvfs(QFile::encodeName(QFileInfo(targetFile).absolutePath()).constData(), &medium) !=
        0)
        return fail(errno, what);
    const qint64 freeBytes = qint64(medium.f_bavail) * qint64(medium.f_frsize);
    const Room fits = room(copyBytes, targetExists ? targetStatus.st_size : 0, freeBytes,
                           qint64(medium.f_frsize));
    if (fits == Room::None)
        return fail(ENOSPC, what,
                    CopyLanguage::text("the copy needs %1 of room, the medium has %2 free",
                                       "la copia richiede %1 di spazio, il supporto ne ha %2 "
                                       "liberi")
                        .arg(QLocale().formattedDataSize(copyBytes),
                             QLocale().formattedDataSize(freeBytes)));
    if (m_cancelled || (targetExists && replace && !replace(fits == Room::InPlace)))
        return Outcome::Cancelled;
    if (fits == Room::InPlace && ::unlink(target.constData()) != 0)
        return fail(errno, what);

    // The read transaction begun here, after the operator answered, is held until every page is
    // copied: the copy is one snapshot of the log, and a program that commits meanwhile waits for
    // it instead of making the copy start over.
    result = source.exec("BEGIN; SELECT count(*) FROM sqlite_schema");
    const qint64 snapshotBytes = result == SQLITE_OK ? databaseBytes(source.handle(), result) : 0;
    const bool writeAheadLog =
        result == SQLITE_OK && pragmaValue(source.handle(), "PRAGMA journal_mode", result) == "wal";
    if (result != SQLITE_OK)
        return fail(errnoFor(result, source.systemError()), what, source.message());

    TemporaryFile temporary;
    if (const int error = temporary.create(QFileInfo(targetFile)))
        return fail(error, what);
    // Media without permissions (FAT) refuse this; the copy is good without it.
    (void)::fchmod(temporary.descriptor(), sourceStatus.st_mode & 0666);

    // SQLite must find the snapshot a sound database, so that a log damaged since its own check
    // last ran never replaces a good older copy.
    SnapshotCheck check(m_cancelled);
    quint64 written = 0;
    report(Step::Copying, 0, 0);
    if (writeAheadLog) {
        // Part of the snapshot is in the log's write-ahead log: SQLite puts the pages together,
        // through the connection, so the check waits for it.
        if (const Outcome outcome = copyPages(source.handle(), temporary.path(), what, report);
            outcome != Outcome::Copied)
            return outcome;
        check.start(source);
        struct stat copied {};
        if (::fstat(temporary.descriptor(), &copied) != 0)
            return fail(errno, what);
        if (const int error = fileDigest(
                temporary.descriptor(), copied.st_size, m_cancelled, [](qint64) {}, written))
            return fail(error, what);
    } else {
        sqlite3_file* log = databaseFile(source.handle());
        if (!log)
            return fail(EIO, what);
        check.start(source);
        if (const int error = copyFile(
                log, snapshotBytes, temporary.descriptor(), m_cancelled,
                [&](qint64 done) { report(Step::Copying, done, snapshotBytes); }, written))
            return fail(error, what);
    }
    if (m_cancelled)
        return Outcome::Cancelled;

    if (const int error = writeOut(temporary.descriptor(), report))
        return fail(error, what);
    if (m_cancelled)
        return Outcome::Cancelled;
    // Drop the cached pages so that the copy is read back from the medium itself.
    struct stat copied {};
    if (::fstat(temporary.descriptor(), &copied) != 0)
        return fail(errno, what);
    (void)::posix_fadvise(temporary.descriptor(), 0, 0, POSIX_FADV_DONTNEED);
    (void)::posix_fadvise(temporary.descriptor(), 0, 0, POSIX_FADV_SEQUENTIAL);
    report(Step::Checking, 0, copied.st_size);
    quint64 readBack = 0;
    if (const int error = fileDigest(
            temporary.descriptor(), copied.st_size, m_cancelled,
            [&](qint64 done) { report(Step::Checking, done, copied.st_size); }, readBack))
        return fail(error, what);
    if (m_cancelled)
        return Outcome::Cancelled;
    if (readBack != written)
        return fail(EIO, what,
                    CopyLanguage::text("the copy read back from the medium differs from the log",
                                       "la copia riletta dal supporto differisce dal registro"));
    report(Step::Checking, copied.st_size, 0);
    result = check.finish();
    if (m_cancelled)
        return Outcome::Cancelled;
    if (result != SQLITE_OK)
        return fail(errnoFor(result, check.systemError()), what, check.message());
    if (check.verdict() != "ok")
        return fail(EIO, what, QString::fromUtf8(check.verdict()));
    source.exec("COMMIT");

    if (!temporary.renameTo(target))
        return fail(errno, what);
    const QByteArray folder = QFile::encodeName(QFileInfo(targetFile).absolutePath());
    const int folderDescriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // Some file systems cannot sync a folder (EINVAL); there the rename is as durable as it gets.
    const bool synced =
        folderDescriptor >= 0 && (::fsync(folderDescriptor) == 0 || errno == EINVAL);
    const int syncError = errno;
    if (folderDescriptor >= 0)
        ::close(folderDescriptor);
    if (!synced)
        return fail(syncError, what);
    return Outcome::Copied;
}

void DatabaseBackup::cancel() {
    m_cancelled = true;
}

DatabaseBackup::Outcome DatabaseBackup::copyPages(sqlite3* source, const QString& temporary,
                                                  const QString& what, const Progress& report) {
    Connection copy;
    int result = copy.open(temporary, SQLITE_OPEN_READWRITE);
    // The temporary file is discarded on any failure and synced below, so SQLite need not
    // journal or sync it.
    if (result == SQLITE_OK)
        result = copy.exec("PRAGMA journal_mode=MEMORY; PRAGMA synchronous=OFF");
    sqlite3_backup* backup =
        result == SQLITE_OK ? sqlite3_backup_init(copy.handle(), "main", source, "main") : nullptr;
    if (!backup)
        return fail(errnoFor(sqlite3_errcode(copy.handle()), copy.systemError()), what,
                    copy.message());
    do {
        result = sqlite3_backup_step(backup, m_pagesPerStep);
        if (result == SQLITE_OK || result == SQLITE_DONE) {
            const int total = sqlite3_backup_pagecount(backup);
            report(Step::Copying, total - sqlite3_backup_remaining(backup), total);
        }
    } while (result == SQLITE_OK && !m_cancelled);
    result = sqlite3_backup_finish(backup);
    if (m_cancelled)
        return Outcome::Cancelled;
    // The source's mode would pass on; the copy must stand alone.
    if (result == SQLITE_OK)
        result = copy.exec("PRAGMA journal_mode=DELETE");
    if (result != SQLITE_OK) {
        const int systemError =
            copy.systemError() ? copy.systemError() : sqlite3_system_errno(source);
        return fail(errnoFor(result, systemError), what, copy.message());
    }
    return Outcome::Copied;
}
int DatabaseBackup::writeOut(int descriptor, const Progress& report) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        return errno;
    const qint64 size = status.st_size;
    report(Step::Writing, 0, size);
    // The fsync then writes what is left, the file's size and times included.
    Slices slices(64 * kChunkBytes);
    for (qint64 done = 0; done < size && !m_cancelled;) {
        const qint64 slice = slices.next(size - done);
        if (::sync_file_range(descriptor, done, slice,
                              SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE |
                                  SYNC_FILE_RANGE_WAIT_AFTER) != 0)
            break;
        done += slice;
        report(Step::Writing, done, size);
    }
    if (m_cancelled)
        return 0;
    return ::fsync(descriptor) == 0 ? 0 : errno;
}

DatabaseBackup::Outcome DatabaseBackup::fail(int code, const QString& what, const QString& detail) {
    m_lastErrorCode = code != 0 ? code : EIO;
    m_lastError = what + QStringLiteral(": ") + CopyLanguage::errorText(m_lastErrorCode);
    if (!detail.isEmpty())
        m_lastError += QStringLiteral(" (") + detail + QLatin1Char(')');
    return Outcome::Failed;
}
