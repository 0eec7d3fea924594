#include "LogFile.h"
#include "log/LogSchema.h"
#include "platform/DatabaseBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Another program logging while the copy runs: a process of its own that adds a contact every
// 20 ms until it is killed.
class BusyWriter {
public:
    explicit BusyWriter(const QString& log) : m_pid(::fork()) {
        if (m_pid != 0)
            return;
        LogFile file(log);
        file.execute(QStringLiteral("PRAGMA busy_timeout = 20000"));
        for (int i = 0;; ++i) {
            file.add(QString(), QStringLiteral("W%1").arg(i));
            ::usleep(20000);
        }
    }
    ~BusyWriter() {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    bool started() const { return m_pid > 0; }

private:
    pid_t m_pid;
};

} // namespace

class TestDatabaseBackup : public QObject {
    Q_OBJECT
private slots:
    void copyIsOneSnapshotWhileAnotherProcessCommits_data();
    void copyIsOneSnapshotWhileAnotherProcessCommits();
    void leftoversOfKilledCopiesAreRemoved_data();
    void leftoversOfKilledCopiesAreRemoved();
    void room_data();
    void room();
    void roomOnARealMedium_data();
    void roomOnARealMedium();
};

void TestDatabaseBackup::copyIsOneSnapshotWhileAnotherProcessCommits_data() {
    QTest::addColumn<QString>("journalMode");
    QTest::newRow("rollback journal") << QStringLiteral("DELETE");
    QTest::newRow("write-ahead log") << QStringLiteral("WAL");
}

void TestDatabaseBackup::copyIsOneSnapshotWhileAnotherProcessCommits() {
    QFETCH(QString, journalMode);
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("Tempora.mdb"));
    const QString copy = folder.filePath(QStringLiteral("copy.mdb"));
    QVERIFY(LogSchema().create(log));
    LogFile reader(log);
    reader.execute(QStringLiteral("PRAGMA journal_mode = ") + journalMode);
    reader.addMany(20000, QStringLiteral("K"));

    BusyWriter writer(log);
    QVERIFY(writer.started());
    QTest::qWait(100);
    const int committedBefore = reader.count();
    int lastCopied = 0;
    bool startedOver = false;
    // A few pages a step, with a pause, so that the copy spans many of the writer's commits.
    DatabaseBackup backup(4);
    const auto outcome = backup.copy(log, copy, {}, [&](int copied, int) {
        startedOver = copied < lastCopied;
        lastCopied = copied;
        ::usleep(1000);
        return !startedOver;
    });
    QVERIFY2(!startedOver, "the copy started over");
    QCOMPARE(outcome, DatabaseBackup::Outcome::Copied);
    QVERIFY(LogFile(copy).count() >= committedBefore);
    QTRY_VERIFY(reader.count() > committedBefore + 2); // the writer went on once the copy was done
}

void TestDatabaseBackup::leftoversOfKilledCopiesAreRemoved_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("locked"); // by a copy that still runs
    QTest::addColumn<bool>("removed");
    const QString killed = QStringLiteral(".copy.mdb.part-a1B2c3");
    QTest::newRow("a killed copy's file") << killed << false << true;
    QTest::newRow("a running copy's file") << killed << true << false;
    QTest::newRow("five characters") << QStringLiteral(".copy.mdb.part-a1B2c") << false << false;
    QTest::newRow("seven characters") << killed + QLatin1Char('d') << false << false;
    QTest::newRow("not hidden") << killed.mid(1) << false << false;
    QTest::newRow("another file's") << QStringLiteral(".copy.mdx.part-a1B2c3") << false << false;
    QTest::newRow("its journal") << killed + QStringLiteral("-journal") << false << false;
}

void TestDatabaseBackup::leftoversOfKilledCopiesAreRemoved() {
    QFETCH(QString, name);
    QFETCH(bool, locked);
    QFETCH(bool, removed);
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("Tempora.mdb"));
    QVERIFY(LogSchema().create(log));
    QFile other(folder.filePath(name));
    QVERIFY(other.open(QIODevice::WriteOnly));
    if (locked)
        QCOMPARE(::flock(other.handle(), LOCK_EX), 0);
    DatabaseBackup backup;
    QCOMPARE(backup.copy(log, folder.filePath(QStringLiteral("copy.mdb"))),
             DatabaseBackup::Outcome::Copied);
    QCOMPARE(other.exists(), !removed);
}

Q_DECLARE_METATYPE(DatabaseBackup::Room)

void TestDatabaseBackup::room_data() {
    QTest::addColumn<qint64>("copy");
    QTest::addColumn<qint64>("oldCopy");
    QTest::addColumn<qint64>("free");
    QTest::addColumn<DatabaseBackup::Room>("room");
    using R = DatabaseBackup::Room;
    // In blocks of 1000 bytes; the copy needs its blocks and one more.
    QTest::newRow("two fit, no old copy") << 2500ll << 0ll << 4000ll << R::BesideOldCopy;
    QTest::newRow("two fit beside the old copy") << 2500ll << 2500ll << 4000ll << R::BesideOldCopy;
    QTest::newRow("one block short, no old copy") << 2500ll << 0ll << 3999ll << R::None;
    QTest::newRow("one fits in place") << 25000ll << 25000ll << 15000ll << R::InPlace;
    QTest::newRow("old copy's part blocks count") << 2500ll << 1001ll << 2000ll << R::InPlace;
    QTest::newRow("not even in place") << 2500ll << 1000ll << 2999ll << R::None;
}

void TestDatabaseBackup::room() {
    QFETCH(qint64, copy);
    QFETCH(qint64, oldCopy);
    QFETCH(qint64, free);
    QFETCH(DatabaseBackup::Room, room);
    QCOMPARE(DatabaseBackup::room(copy, oldCopy, free, 1000), room);
}

void TestDatabaseBackup::roomOnARealMedium_data() {
    QTest::addColumn<double>("copies"); // the medium's size in copies of the log
    QTest::addColumn<int>("question");  // -1 none asked, 0 beside the old copy, 1 in place
    QTest::addColumn<int>("code");
    QTest::newRow("two fit") << 2.5 << 0 << 0;
    QTest::newRow("one fits") << 1.5 << 1 << 0;
    QTest::newRow("none fits") << 0.7 << -1 << ENOSPC;
}

// On a tmpfs just large enough, with an older copy of the log as large as the new one.
void TestDatabaseBackup::roomOnARealMedium() {
    QFETCH(double, copies);
    QFETCH(int, question);
    QFETCH(int, code);
    if (::geteuid() != 0)
        QSKIP("mounting needs root");
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("Tempora.mdb"));
    QVERIFY(LogSchema().create(log));
    LogFile(log).addMany(5000, QStringLiteral("K"));
    const QString medium = folder.filePath(QStringLiteral("medium"));
    QVERIFY(QDir().mkdir(medium));
    const QByteArray options = "size=" + QByteArray::number(qint64(copies * QFileInfo(log).size()));
    if (::mount("tempora", QFile::encodeName(medium).constData(), "tmpfs", 0, options.data()) != 0)
        QSKIP("no tmpfs can be mounted here");
    const QString target = medium + QStringLiteral("/Tempora.mdb");
    const bool oldCopied = code == ENOSPC || QFile::copy(log, target);
    LogFile(log).add(QString(), QStringLiteral("NEWEST"));

    int asked = -1;
    DatabaseBackup backup;
    const auto outcome = backup.copy(log, target, [&](bool inPlace) {
        asked = inPlace;
        return true;
    });
    const QStringList left =
        QDir(medium).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    const int newest =
        code == 0 ? LogFile(target).rows("SELECT 1 FROM Log1 WHERE OM_Call = 'NEWEST'").size() : 0;
    ::umount(QFile::encodeName(medium).constData());
    QVERIFY(oldCopied);
    QCOMPARE(asked, question);
    QCOMPARE(backup.lastErrorCode(), code);
    QCOMPARE(outcome,
             code == 0 ? DatabaseBackup::Outcome::Copied : DatabaseBackup::Outcome::Failed);
    QCOMPARE(left, code == 0 ? QStringList{QStringLiteral("Tempora.mdb")} : QStringList());
    QCOMPARE(newest, code == 0 ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "tst_databasebackup.moc"
