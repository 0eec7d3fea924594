#include "platform/ShellFileCopier.h"

#include <cerrno>

FileCopier::Result ShellFileCopier::copy(const QString&, const QString&) {
    // Not built yet: report failure honestly rather than pretend a copy was made.
    return {ENOSYS, false};
}
