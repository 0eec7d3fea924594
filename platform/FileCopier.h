#pragma once

#include <QString>

// Copies a file of the installation folder to a folder, with the desktop's own progress display,
// questions and error dialogs. The outcome follows the shell's rules: code 0 and aborted false
// for success, code 0 and aborted true when the operator cancelled, otherwise a non-zero system
// error number.
class FileCopier {
public:
    struct Result {
        int code = 0;
        bool aborted = false;
    };

    virtual ~FileCopier() = default;
    // Both paths are design paths ("C:\...", "A:\").
    virtual Result copy(const QString& sourcePath, const QString& destinationFolder) = 0;
};
