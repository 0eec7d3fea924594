#include "platform/BackupMedium.h"

#include <QDir>

namespace {

const QStringList kMediaFolders{QStringLiteral("/media"), QStringLiteral("/run/media"),
                                QStringLiteral("/mnt")};

bool isWithin(const QString& folder, const QString& base) {
    return folder == base || folder.startsWith(base + QLatin1Char('/'));
}

bool isBelow(const QString& folder, const QString& base) {
    return folder != base && isWithin(folder, base);
}

// The mount point of the file system that holds folder.
QString holdingMount(const QString& folder, const QList<Mount>& mounts) {
    QString holding = QStringLiteral("/");
    for (const Mount& mount : mounts) {
        if (mount.folder.size() > holding.size() && isWithin(folder, mount.folder))
            holding = mount.folder;
    }
    return holding;
}

// False for a folder meant for a medium that is not mounted now: a folder under the media
// folders must be on a file system mounted below them (or be a mount point itself), one within a
// mount point of the static table on that file system or one mounted within it.
bool isUsable(const QString& folder, const MountTable& table) {
    const QString holding = holdingMount(folder, table.mounted());
    for (const QString& base : kMediaFolders) {
        if (isWithin(folder, base))
            return holding == folder || isBelow(holding, base);
    }
    QString fstabFolder;
    for (const QString& listed : table.fstabFolders()) {
        if (listed != QStringLiteral("/") && listed.size() > fstabFolder.size() &&
            isWithin(folder, listed))
            fstabFolder = listed;
    }
    return fstabFolder.isEmpty() || isWithin(holding, fstabFolder);
}

} // namespace

BackupMedium::Finding BackupMedium::find(const QString& namedFolder, const MountTable& table) {
    if (!namedFolder.isEmpty()) {
        const QString folder = QDir::cleanPath(namedFolder);
        return isUsable(folder, table) ? Finding{Kind::Folder, folder, {}} : Finding{};
    }
    QList<Mount> media = table.mounted();
    media.removeIf([](const Mount& mount) { return !mount.removable; });
    if (media.isEmpty())
        return {};
    if (media.size() == 1)
        return {Kind::Folder, media.first().folder, {}};
    return {Kind::Choice, QString(), media};
}
