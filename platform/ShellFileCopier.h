#pragma once

#include "platform/FileCopier.h"

class Dialogs;
class Paths;

// The desktop's file copy: a progress display with a cancel button, a question before replacing
// a file, and an error dialog of its own on failure.
class ShellFileCopier : public FileCopier {
public:
    ShellFileCopier(const Paths& paths, Dialogs& dialogs) : m_paths(paths), m_dialogs(dialogs) {}
    Result copy(const QString& sourcePath, const QString& destinationFolder) override;

private:
    const Paths& m_paths;
    Dialogs& m_dialogs;
};
