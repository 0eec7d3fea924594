#include "platform/MountTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sys/statvfs.h>

namespace {

// The kernel writes blanks and back-slashes in mount tables as octal escapes (\040).
QString unescapeOctal(const QByteArray& field) {
    QByteArray out;
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QFile::decodeName(out);
}

// udev writes unsafe characters of labels as \xHH.
QString unescapeHex(const QString& name) {
    QByteArray in = QFile::encodeName(name);
    QByteArray out;
    for (int i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            bool ok = false;
            const int code = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += in[i];
    }
    return QString::fromUtf8(out);
}

QByteArray firstLine(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readLine().trimmed() : QByteArray();
}

// Whether the block device (its sysfs folder) is one an operator plugs in and pulls out.
bool isRemovable(const QString& device) {
    if (device.contains(QStringLiteral("/usb")))
        return true;
    // A partition has the flags of the disk it belongs to.
    const QString disk = QFile::exists(device + QStringLiteral("/partition"))
                             ? QFileInfo(device).absolutePath()
                             : device;
    return firstLine(disk + QStringLiteral("/removable")) == "1" ||
           firstLine(disk + QStringLiteral("/device/type")) == "SD";
}

// Kernel device names ("sdb1") by file system label.
QHash<QString, QString> labelsByDevice() {
    QHash<QString, QString> labels;
    const QDir folder(QStringLiteral("/dev/disk/by-label"));
    for (const QFileInfo& entry : folder.entryInfoList(QDir::System | QDir::NoDotAndDotDot))
        labels.insert(QFileInfo(entry.canonicalFilePath()).fileName(),
                      unescapeHex(entry.fileName()));
    return labels;
}

} // namespace

QList<Mount> SystemMountTable::mounted() const {
    QList<Mount> mounts;
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return mounts;
    const QHash<QString, QString> labels = labelsByDevice();
    // Fields: id, parent id, major:minor, root, mount point, options...
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 5)
            continue;
        Mount mount;
        mount.folder = unescapeOctal(fields[4]);
        const QString device =
            QFileInfo(QStringLiteral("/sys/dev/block/") + QString::fromLatin1(fields[2]))
                .canonicalFilePath();
        mount.removable = !device.isEmpty() && isRemovable(device);
        mount.label =
            labels.value(QFileInfo(device).fileName(), QFileInfo(mount.folder).fileName());
        struct statvfs space {};
        if (mount.removable && ::statvfs(QFile::encodeName(mount.folder).constData(), &space) == 0)
            mount.freeBytes = qint64(space.f_bavail) * qint64(space.f_frsize);
        mounts.append(mount);
    }
    return mounts;
}

QStringList SystemMountTable::fstabFolders() const {
    QStringList folders;
    QFile table(QStringLiteral("/etc/fstab"));
    if (!table.open(QIODevice::ReadOnly))
        return folders;
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 2 && !fields[0].startsWith('#') && fields[1].startsWith('/'))
            folders.append(QDir::cleanPath(unescapeOctal(fields[1])));
    }
    return folders;
}
