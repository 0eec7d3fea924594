#pragma once

#include <QString>

// Maps the program's fixed Windows paths onto this machine. "C:\Programmi\Tempora\" is the
// installation folder (TEMPORA_HOME, else $XDG_DATA_HOME/tempora, else ~/.local/share/tempora);
// "A:\" is the backup folder TEMPORA_FLOPPY; without it no folder is fixed and resolve() refuses
// "A:\" paths, the backup then going to the removable medium mounted. Drive prefixes match without
// regard to case, back-slashes become slashes, and a name that does not exist with its exact
// spelling is looked up case-insensitively in its folder. Paths outside both prefixes are refused.
class Paths {
public:
    Paths(QString installationFolder, QString backupFolder);
    static Paths fromEnvironment();

    QString installationFolder() const { return m_installationFolder; }
    QString backupFolder() const { return m_backupFolder; }

    // The local path for a design path; empty when the design path is under neither prefix.
    QString resolve(const QString& designPath) const;

private:
    QString m_installationFolder;
    QString m_backupFolder;
};
