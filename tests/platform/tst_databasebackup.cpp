#include "LogFile.h"
#include "log/LogSchema.h"
#include "platform/DatabaseBackup.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/file.h>
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

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "tst_databasebackup.moc"
