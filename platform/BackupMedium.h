#pragma once

#include "platform/MountTable.h"

// Where the log's backup goes. A folder the operator names is used as it is, except one meant
// for a medium (a mount point of the static table, or a folder under /media, /run/media or /mnt)
// with nothing mounted on it: copying there would fill the system disk, so it counts as no
// medium. Without a folder named, the removable medium mounted now is the one; the operator
// chooses when there are several.
class BackupMedium {
public:
    enum class Kind { Folder, NoMedium, Choice };
    struct Finding {
        Kind kind = Kind::NoMedium;
        QString folder;     // for Kind::Folder
        QList<Mount> media; // for Kind::Choice
    };

    // namedFolder is empty when the operator named none.
    static Finding find(const QString& namedFolder, const MountTable& table);
};
