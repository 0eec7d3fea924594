#include "platform/MountTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sys/statvfs.h>

namespace {

// Undoes the escapes of mount tables (octal, "\040" for a blank) and of udev's label links
// (hexadecimal, "\x20"): the introducer, then digits of the base.
QByteArray unescape(const QByteArray& in, const QByteArray& introducer, int digits, int base) {
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        bool ok = false;
        const int code = in.mid(i).startsWith(introducer)
                             ? in.mid(i + introducer.size(), digits).toInt(&ok, base)
                             : 0;
        if (ok && i + introducer.size() + digits <= in.size()) {
            out += char(code);
            i += introducer.size() + digits - 1;
        } else {
            out += in[i];
        }
    }
    return out;
}

QString unescapeOctal(const QByteArray& field) {
    return QFile::decodeName(unescape(field, "\\", 3, 8));
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
        labels.insert(
            QFileInfo(entry.canonicalFilePath()).fileName(),
            QString::fromUtf8(unescape(QFile::encodeName(entry.fileName()), "\\x", 2, 16)));
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
