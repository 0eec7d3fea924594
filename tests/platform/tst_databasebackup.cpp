#include "LogFile.h"
#include "log/LogSchema.h"
#include "platform/DatabaseBackup.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(DatabaseBackup::Room)

class TestDatabaseBackup : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(LogSchema().create(m_log)); }
    void cleanup() {
        QFile::remove(m_log);
        QFile::remove(m_copy);
    }
    void copyIsOneSnapshotWhileAnotherProcessCommits();
    void copyHoldsTheLatestEdit();
    void damagedCopyNeverReplacesTheOldOne();
    void leftoversOfKilledCopiesAreRemoved_data();
    void leftoversOfKilledCopiesAreRemoved();
    void room_data();
    void room();
    void replaceInPlaceOnAFullMedium();

private:
    QTemporaryDir m_folder;
    const QString m_log = m_folder.filePath(QStringLiteral("Tempora.mdb"));
    const QString m_copy = m_folder.filePath(QStringLiteral("copy.mdb"));
};

void TestDatabaseBackup::copyIsOneSnapshotWhileAnotherProcessCommits() {
    LogFile reader(m_log);
    reader.addMany(20000, QStringLiteral("K"));
    const pid_t writer = ::fork(); // another program, adding a contact every 20 ms
    if (writer == 0) {
        LogFile file(m_log);
        file.execute(QStringLiteral("PRAGMA busy_timeout = 20000"));
        for (;; ::usleep(20000))
            file.add(QString(), QStringLiteral("W"));
    }
    QTest::qWait(100);
    const int committedBefore = reader.count();
    int lastCopied = 0;
    bool startedOver = false;
    // A few pages a step, with a pause, so that the copy spans many of the writer's commits.
    DatabaseBackup backup(4);
    const auto outcome = backup.copy(m_log, m_copy, {}, [&](int copied, int) {
        startedOver = copied < lastCopied;
        lastCopied = copied;
        ::usleep(1000);
        return !startedOver;
    });
    const bool writerWentOn = QTest::qWaitFor([&] { return reader.count() > committedBefore + 2; });
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    QVERIFY(writerWentOn);
    QVERIFY2(!startedOver, "the copy started over");
    QCOMPARE(outcome, DatabaseBackup::Outcome::Copied);
    QVERIFY(LogFile(m_copy).count() >= committedBefore);
}

// The log window keeps its connection open; what it committed last must be in the copy, which
// stands alone whatever journal the log uses.
void TestDatabaseBackup::copyHoldsTheLatestEdit() {
    LogFile editor(m_log);
    editor.execute(QStringLiteral("PRAGMA journal_mode=WAL"));
    editor.add(QString(), QStringLiteral("IZ0EDIT"));
    QCOMPARE(DatabaseBackup().copy(m_log, m_copy), DatabaseBackup::Outcome::Copied);
    QCOMPARE(QDir(m_folder.path()).entryList({QStringLiteral("copy*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("copy.mdb")});
    // File format 1 in the header: the copy has a rollback journal and needs no companion files.
    QFile copy(m_copy);
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(int(copy.read(19).at(18)), 1);
    QCOMPARE(LogFile(m_copy).calls(), QStringList{QStringLiteral("IZ0EDIT")});
}

// A copy damaged on its way to the medium fails its check and leaves the old copy as it was.
void TestDatabaseBackup::damagedCopyNeverReplacesTheOldOne() {
    LogFile(m_log).addMany(500, QStringLiteral("K"));
    QVERIFY(LogSchema().create(m_copy));
    LogFile(m_copy).add(QString(), QStringLiteral("OLD"));
    DatabaseBackup backup;
    const auto outcome = backup.copy(
        m_log, m_copy, [](bool) { return true; },
        [&](int copied, int total) {
            const QDir folder(m_folder.path());
            for (const QString& name : folder.entryList({QStringLiteral(".copy.mdb.part-*")},
                                                        QDir::Files | QDir::Hidden)) {
                QFile part(folder.filePath(name));
                if (copied == total && part.open(QIODevice::ReadWrite) &&
                    part.seek(part.size() / 2))
                    part.write(QByteArray(8192, '\xff'));
            }
            return true;
        });
    QCOMPARE(outcome, DatabaseBackup::Outcome::Failed);
    QCOMPARE(backup.lastErrorCode(), EIO);
    QCOMPARE(LogFile(m_copy).calls(), QStringList{QStringLiteral("OLD")});
}

void TestDatabaseBackup::leftoversOfKilledCopiesAreRemoved_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("locked"); // by a copy that still runs
    QTest::addColumn<bool>("removed");
    const QString killed = QStringLiteral(".copy.mdb.part-a1B2c3");
    QTest::newRow("a killed copy's file") << killed << false << true;
    QTest::newRow("a running copy's file") << killed << true << false;
    QTest::newRow("another file's") << QStringLiteral(".copy.mdx.part-a1B2c3") << false << false;
}

void TestDatabaseBackup::leftoversOfKilledCopiesAreRemoved() {
    QFETCH(QString, name);
    QFETCH(bool, locked);
    QFETCH(bool, removed);
    QFile other(m_folder.filePath(name));
    QVERIFY(other.open(QIODevice::WriteOnly));
    QVERIFY(!locked || ::flock(other.handle(), LOCK_EX) == 0);
    QCOMPARE(DatabaseBackup().copy(m_log, m_copy), DatabaseBackup::Outcome::Copied);
    QCOMPARE(other.exists(), !removed);
    other.remove();
}

void TestDatabaseBackup::room_data() {
    QTest::addColumn<qint64>("oldCopy");
    QTest::addColumn<qint64>("free");
    QTest::addColumn<DatabaseBackup::Room>("room");
    // A copy of 2500 bytes in blocks of 1000 needs 3 blocks and one for its name.
    QTest::newRow("two fit") << 2500ll << 4000ll << DatabaseBackup::Room::BesideOldCopy;
    QTest::newRow("one block short") << 0ll << 3999ll << DatabaseBackup::Room::None;
    QTest::newRow("the old copy's blocks make room")
        << 1001ll << 2000ll << DatabaseBackup::Room::InPlace;
    QTest::newRow("not even in place") << 1000ll << 2999ll << DatabaseBackup::Room::None;
}

void TestDatabaseBackup::room() {
    QFETCH(qint64, oldCopy);
    QFETCH(qint64, free);
    QFETCH(DatabaseBackup::Room, room);
    QCOMPARE(DatabaseBackup::room(2500, oldCopy, free, 1000), room);
}

// On a real medium with room for one copy, as a tmpfs mounted and unmounted.
void TestDatabaseBackup::replaceInPlaceOnAFullMedium() {
    if (::geteuid() != 0)
        QSKIP("mounting needs root");
    LogFile(m_log).addMany(5000, QStringLiteral("K"));
    const QByteArray medium = QFile::encodeName(m_folder.filePath(QStringLiteral("medium")));
    QVERIFY(QDir().mkdir(QFile::decodeName(medium)));
    const QByteArray size = "size=" + QByteArray::number(QFileInfo(m_log).size() * 3 / 2);
    if (::mount("tempora", medium.constData(), "tmpfs", 0, size.constData()) != 0)
        QSKIP("no tmpfs can be mounted here");
    const QString target = QFile::decodeName(medium) + QStringLiteral("/Tempora.mdb");
    QVERIFY(QFile::copy(m_log, target));
    LogFile(m_log).add(QString(), QStringLiteral("NEWEST"));
    bool inPlaceAsked = false;
    const auto outcome =
        DatabaseBackup().copy(m_log, target, [&](bool inPlace) { return inPlaceAsked = inPlace; });
    const QStringList calls = LogFile(target).rows(QStringLiteral("SELECT max(rowid) FROM Log1"));
    const QStringList left = QDir(QFile::decodeName(medium)).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(::umount(medium.constData()), 0);
    QVERIFY(inPlaceAsked);
    QCOMPARE(outcome, DatabaseBackup::Outcome::Copied);
    QCOMPARE(calls, QStringList{QStringLiteral("5001")});
    QCOMPARE(left, QStringList{QStringLiteral("Tempora.mdb")});
}

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "tst_databasebackup.moc"
