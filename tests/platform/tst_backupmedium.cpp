#include "platform/BackupMedium.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/mount.h>
#include <unistd.h>

namespace {

// Mount points as the rows give them, "*" marking a removable medium.
class ListedMounts : public MountTable {
public:
    ListedMounts(const QStringList& mounted, const QStringList& fstab) : m_fstab(fstab) {
        for (const QString& folder : mounted) {
            const bool removable = folder.startsWith(QLatin1Char('*'));
            m_mounted.append({folder.mid(removable ? 1 : 0), QString(), 0, removable});
        }
    }
    QList<Mount> mounted() const override { return m_mounted; }
    QStringList fstabFolders() const override { return m_fstab; }

private:
    QList<Mount> m_mounted;
    QStringList m_fstab;
};

} // namespace

Q_DECLARE_METATYPE(BackupMedium::Kind)

class TestBackupMedium : public QObject {
    Q_OBJECT
private slots:
    void find_data();
    void find();
    void realMountPointMountedAndUnmounted();
};

void TestBackupMedium::find_data() {
    QTest::addColumn<QString>("named");
    QTest::addColumn<QStringList>("mounted");
    QTest::addColumn<QStringList>("fstab");
    QTest::addColumn<BackupMedium::Kind>("kind");
    QTest::addColumn<QString>("folder"); // the choice's media joined with ","

    using K = BackupMedium::Kind;
    const QStringList root{"/"};
    const QStringList none;
    QTest::newRow("plain folder") << "/home/op/b/" << root << none << K::Folder << "/home/op/b";
    QTest::newRow("empty media folder") << "/media/floppy" << root << none << K::NoMedium << "";
    QTest::newRow("folder on a mounted medium")
        << "/mnt/stick/b" << QStringList{"/", "/mnt/stick"} << none << K::Folder << "/mnt/stick/b";
    QTest::newRow("fstab mount point, nothing mounted")
        << "/srv/b/c" << QStringList{"/", "/srv"} << QStringList{"/", "/srv/b"} << K::NoMedium
        << "";
    QTest::newRow("folder on a mounted fstab file system")
        << "/home/op/b" << QStringList{"/", "/home"} << QStringList{"/", "/home"} << K::Folder
        << "/home/op/b";
    QTest::newRow("no removable medium") << "" << root << none << K::NoMedium << "";
    QTest::newRow("one removable medium")
        << "" << QStringList{"/", "*/media/op/STICK"} << none << K::Folder << "/media/op/STICK";
    QTest::newRow("several removable media")
        << "" << QStringList{"*/media/op/A", "/", "*/run/media/op/B"} << none << K::Choice
        << "/media/op/A,/run/media/op/B";
}

void TestBackupMedium::find() {
    QFETCH(QString, named);
    QFETCH(QStringList, mounted);
    QFETCH(QStringList, fstab);
    QFETCH(BackupMedium::Kind, kind);
    QFETCH(QString, folder);
    const BackupMedium::Finding found = BackupMedium::find(named, ListedMounts(mounted, fstab));
    QCOMPARE(found.kind, kind);
    QStringList media;
    for (const Mount& mount : found.media)
        media.append(mount.folder);
    QCOMPARE(kind == BackupMedium::Kind::Choice ? media.join(QLatin1Char(',')) : found.folder,
             folder);
}

void TestBackupMedium::realMountPointMountedAndUnmounted() {
    if (::geteuid() != 0)
        QSKIP("mounting needs root");
    // A blank in the name, which the kernel's table writes escaped.
    const QString folder = QStringLiteral("/mnt/tempora medium %1").arg(::getpid());
    QVERIFY(QDir().mkpath(folder));
    const QByteArray path = QFile::encodeName(folder);
    if (::mount("tempora", path.constData(), "tmpfs", 0, "size=1m") != 0) {
        QDir().rmdir(folder);
        QSKIP("no tmpfs can be mounted here");
    }
    const SystemMountTable table;
    const BackupMedium::Kind mounted = BackupMedium::find(folder, table).kind;
    QCOMPARE(::umount(path.constData()), 0);
    const BackupMedium::Kind unmounted = BackupMedium::find(folder, table).kind;
    QDir().rmdir(folder);
    QCOMPARE(mounted, BackupMedium::Kind::Folder);
    QCOMPARE(unmounted, BackupMedium::Kind::NoMedium);
}

QTEST_GUILESS_MAIN(TestBackupMedium)
#include "tst_backupmedium.moc"
