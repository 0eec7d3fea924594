#pragma once

#include "platform/MountTable.h"

// Mount points and static table entries as a test gives them.
struct ListedMounts : MountTable {
    QList<Mount> list;
    QStringList fstab;
    QList<Mount> mounted() const override { return list; }
    QStringList fstabFolders() const override { return fstab; }
};
