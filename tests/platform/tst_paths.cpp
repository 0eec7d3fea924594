#include "ListedMounts.h"
#include "platform/BackupMedium.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <unistd.h>

// Where the log, its companions and its backup are.
class TestPaths : public QObject {
    Q_OBJECT
private slots:
    void resolve_data() {
        QTest::addColumn<QString>("onDisk"); // in the installation folder, separated by blanks
        QTest::addColumn<QString>("designPath");
        QTest::addColumn<QString>("expected"); // "~" for the installation folder, empty: refused
        const auto row = [](const char* tag, const char* onDisk, const QString& asked,
                            const char* found) {
            QTest::newRow(tag) << QString(onDisk) << asked << QString(found);
        };
        const QString c = QStringLiteral("C:\\Programmi\\Tempora\\");
        row("sub-folder, prefix in other case", "", "c:\\PROGRAMMI\\tempora\\old\\a.txt",
            "~/old/a.txt");
        row("file on the backup medium", "", "a:\\Tempora.mdb", "/media/fd/Tempora.mdb");
        row("other folder", "", "C:\\Windows\\win.ini", "");
        row("absent file keeps its spelling", "a.txt", c + "B.TXT", "~/B.TXT");
        // Both spellings find the same file, so that no two windows take two files for one log.
        row("two spellings, lower case asked", "tempora.mdb Tempora.mdb", c + "tempora.mdb",
            "~/Tempora.mdb");
        row("two spellings, the other asked", "tempora.mdb Tempora.mdb", c + "Tempora.mdb",
            "~/Tempora.mdb");
    }
    void resolve() {
        QFETCH(QString, onDisk);
        QFETCH(QString, designPath);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        for (const QString& name : onDisk.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QVERIFY(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
        QCOMPARE(Paths(folder.path(), QStringLiteral("/media/fd/")).resolve(designPath),
                 expected.replace(QLatin1Char('~'), folder.path()));
    }

    void foldersFromEnvironment() {
        qunsetenv("TEMPORA_HOME");
        qputenv("XDG_DATA_HOME", "/x");
        qputenv("TEMPORA_FLOPPY", "/mnt/stick/");
        const Paths paths = Paths::fromEnvironment();
        QCOMPARE(paths.installationFolder(), QStringLiteral("/x/tempora"));
        QCOMPARE(paths.backupFolder(), QStringLiteral("/mnt/stick"));
    }

    void find_data() {
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("mounted"); // separated by blanks, "*" marking a removable one
        QTest::addColumn<QString>("fstab");
        QTest::addColumn<QString>("found"); // the folder, "choice" and its media, or none
        const auto row = [](const char* tag, const char* named, const char* mounted,
                            const char* fstab, const char* found) {
            QTest::newRow(tag) << QString(named) << QString(mounted) << QString(fstab)
                               << QString(found);
        };
        row("empty media folder", "/media/floppy", "/", "", "");
        row("folder on a mounted medium", "/mnt/stick/b", "/ /mnt/stick", "", "/mnt/stick/b");
        row("fstab mount point, nothing mounted", "/srv/b/c", "/ /srv", "/ /srv/b", "");
        row("folder on a mounted fstab file system", "/home/b/", "/ /home", "/ /home", "/home/b");
        row("no removable medium", "", "/", "", "");
        row("one removable medium", "", "/ */media/op/S", "", "/media/op/S");
        row("several removable media", "", "*/media/op/A / */run/media/op/B", "",
            "choice /media/op/A /run/media/op/B");
    }
    void find() {
        QFETCH(QString, named);
        QFETCH(QString, mounted);
        QFETCH(QString, fstab);
        ListedMounts table;
        for (const QString& folder : mounted.split(' '))
            table.list.append({QString(folder).remove('*'), QString(), 0, folder.startsWith('*')});
        table.fstab = fstab.split(' ', Qt::SkipEmptyParts);
        const BackupMedium::Finding found = BackupMedium::find(named, table);
        QStringList media{found.kind == BackupMedium::Kind::Choice ? "choice" : found.folder};
        for (const Mount& mount : found.media)
            media.append(mount.folder);
        QTEST(media.join(' '), "found");
        QCOMPARE(found.kind == BackupMedium::Kind::NoMedium, media.join(' ').isEmpty());
    }

    // A blank in a mount point, which the kernel's table writes escaped.
    void realMountPointMountedAndUnmounted() {
        const QString folder = QStringLiteral("/mnt/tempora medium %1").arg(::getpid());
        const QByteArray path = QFile::encodeName(folder);
        if (::geteuid() != 0 || !QDir().mkpath(folder) ||
            ::mount("tempora", path.constData(), "tmpfs", 0, "size=1m") != 0)
            QSKIP("no tmpfs can be mounted here");
        const auto mounted = BackupMedium::find(folder, SystemMountTable()).kind;
        QCOMPARE(::umount(path.constData()), 0);
        QVERIFY(QDir().rmdir(folder));
        QCOMPARE(mounted, BackupMedium::Kind::Folder);
        QCOMPARE(BackupMedium::find(folder, SystemMountTable()).kind, BackupMedium::Kind::NoMedium);
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
