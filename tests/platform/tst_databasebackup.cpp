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
#include <sys/resource.h>
#include <unistd.h>

class TestDatabaseBackup : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder;
    const QString m_log = m_folder.filePath(QStringLiteral("Tempora.mdb"));
    const QString m_copy = m_folder.filePath(QStringLiteral("copy.mdb"));
    QStringList entries() const {
        return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void init() {
        QVERIFY(QDir(m_folder.path()).removeRecursively() && QDir().mkpath(m_folder.path()) &&
                LogSchema().create(m_log));
    }

    // The log window keeps its connection open and commits while the copy runs; copies to the
    // same target that were killed left their files behind, and one that still runs holds its own.
    void copyIsOneSnapshotOfAnOpenLog() {
        LogFile editor(m_log);
        editor.execute(QStringLiteral("PRAGMA journal_mode=WAL"));
        editor.addMany(2000, QStringLiteral("K"));
        const QStringList parts{".copy.mdb.part-a1B2c3", ".copy.mdb.part-d4E5f6",
                                ".copy.mdx.part-a1B2c3"};
        for (const QString& name : parts)
            QVERIFY(QFile(m_folder.filePath(name)).open(QIODevice::WriteOnly));
        QFile running(m_folder.filePath(parts.at(1)));
        QVERIFY(running.open(QIODevice::ReadOnly) && ::flock(running.handle(), LOCK_EX) == 0);
        bool edited = false;
        const auto outcome = DatabaseBackup(4).copy(m_log, m_copy, {}, [&](auto, qint64, qint64) {
            if (!std::exchange(edited, true))
                editor.add(QString(), QStringLiteral("LATE"));
        });
        QCOMPARE(outcome, DatabaseBackup::Outcome::Copied);
        QCOMPARE(entries().filter(QStringLiteral(".part-")), parts.mid(1));
        LogFile copy(m_copy);
        QCOMPARE(copy.rows(QStringLiteral("PRAGMA journal_mode")), QStringList{"delete"});
        QCOMPARE(copy.count(), 2000);
    }

    void failureOrCancelLeavesTheOldCopy_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("fileLimit"); // bytes no file of this process may grow past, or 0
        // at the start of that step: 3 damage the copy, 4 the log before copying, else cancel
        QTest::addColumn<int>("stepEvent");
        QTest::addColumn<int>("code"); // 0 for cancelled
        const QString log = QStringLiteral("Tempora.mdb");
        const QString copy = QStringLiteral("copy.mdb");
        QTest::newRow("no log") << "absent.mdb" << copy << 0 << -1 << ENOENT;
        QTest::newRow("log is no database")
            << QCoreApplication::applicationFilePath() << copy << 0 << -1 << EIO;
        QTest::newRow("no target folder") << log << "absent/copy.mdb" << 0 << -1 << ENOENT;
        QTest::newRow("target is the log") << log << log << 0 << -1 << EINVAL;
        QTest::newRow("medium fills up") << log << copy << 64 * 1024 << -1 << EFBIG;
        QTest::newRow("damaged before its check") << log << copy << 0 << 3 << EIO;
        QTest::newRow("log damaged since its own check") << log << copy << 0 << 4 << EIO;
        QTest::newRow("cancelled copying") << log << copy << 0 << 0 << 0;
        QTest::newRow("cancelled writing to the medium") << log << copy << 0 << 1 << 0;
        QTest::newRow("cancelled checking") << log << copy << 0 << 2 << 0;
    }
    void failureOrCancelLeavesTheOldCopy() {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(int, fileLimit);
        QFETCH(int, stepEvent);
        QFETCH(int, code);
        LogFile(m_log).addMany(2000, QStringLiteral("K"));
        QVERIFY(LogSchema().create(m_copy));
        LogFile(m_copy).add(QString(), QStringLiteral("OLD"));
        if (stepEvent == 4) {
            QFile damaged(m_log);
            QVERIFY(damaged.open(QIODevice::ReadWrite) &&
                    damaged.seek(damaged.size() / 2 / 4096 * 4096));
            damaged.write(QByteArray(4096, '\xff'));
        }
        const QStringList before = entries();
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlim_t unlimited =
            std::exchange(limit.rlim_cur, fileLimit ? fileLimit : limit.rlim_cur);
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails (EFBIG) instead
        ::setrlimit(RLIMIT_FSIZE, &limit);
        DatabaseBackup backup;
        const auto outcome = backup.copy(
            QDir(m_folder.path()).filePath(source), m_folder.filePath(target), {},
            [&](DatabaseBackup::Step step, qint64 done, qint64) {
                if (done == 0 && int(step) == stepEvent)
                    backup.cancel();
                for (const QString& name : entries().filter(QStringLiteral(".part-"))) {
                    QFile part(m_folder.filePath(name));
                    if (stepEvent == 3 && step == DatabaseBackup::Step::Writing && done == 0 &&
                        part.open(QIODevice::ReadWrite) && part.seek(part.size() / 2))
                        part.write(QByteArray(8192, '\xff'));
                }
            });
        limit.rlim_cur = unlimited;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(outcome,
                 code ? DatabaseBackup::Outcome::Failed : DatabaseBackup::Outcome::Cancelled);
        QCOMPARE(backup.lastErrorCode(), code);
        QCOMPARE(entries(), before);
        QCOMPARE(LogFile(m_copy).calls(), QStringList{QStringLiteral("OLD")});
    }

    void room_data() {
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
    void room() {
        QFETCH(qint64, oldCopy);
        QFETCH(qint64, free);
        QTEST(DatabaseBackup::room(2500, oldCopy, free, 1000), "room");
    }

    // On a real medium with room for one copy, as a tmpfs mounted and unmounted.
    void replaceInPlaceOnAFullMedium() {
        LogFile(m_log).addMany(5000, QStringLiteral("K"));
        const QString medium = m_folder.filePath(QStringLiteral("medium"));
        const QByteArray size = "size=" + QByteArray::number(QFileInfo(m_log).size() * 3 / 2);
        if (::geteuid() != 0 || !QDir().mkdir(medium) ||
            ::mount("tempora", QFile::encodeName(medium), "tmpfs", 0, size.constData()) != 0)
            QSKIP("no tmpfs can be mounted here");
        const QString target = medium + QStringLiteral("/Tempora.mdb");
        QVERIFY(QFile::copy(m_log, target));
        LogFile(m_log).add(QString(), QStringLiteral("NEWEST"));
        bool inPlace = false;
        const auto outcome =
            DatabaseBackup().copy(m_log, target, [&](bool asked) { return inPlace = asked; });
        const QStringList newest =
            LogFile(target).rows(QStringLiteral("SELECT max(rowid) FROM Log1"));
        const QStringList left = QDir(medium).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(::umount(QFile::encodeName(medium)), 0);
        QVERIFY(inPlace);
        QCOMPARE(outcome, DatabaseBackup::Outcome::Copied);
        QCOMPARE(newest, QStringList{QStringLiteral("5001")});
        QCOMPARE(left, QStringList{QStringLiteral("Tempora.mdb")});
    }
};

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "tst_databasebackup.moc"
