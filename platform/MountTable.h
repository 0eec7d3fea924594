#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A file system mounted now.
struct Mount {
    QString folder; // where it is mounted
    QString label;  // the file system's label, else the name of its folder
    qint64 freeBytes = 0;
    bool removable = false; // on a removable or hot-plugged device (known for block devices only)
};

// The file systems of this machine.
class MountTable {
public:
    virtual ~MountTable() = default;
    virtual QList<Mount> mounted() const = 0;
    // The folders the machine's static table (/etc/fstab) names as mount points.
    virtual QStringList fstabFolders() const = 0;
};

// The kernel's view: /proc/self/mountinfo for what is mounted, /sys/dev/block for whether its
// device is removable (its own flag, a USB device, or an SD card), /dev/disk/by-label for labels.
// Free space is asked of removable media only, so that a hung network mount never blocks it.
class SystemMountTable : public MountTable {
public:
    QList<Mount> mounted() const override;
    QStringList fstabFolders() const override;
};
