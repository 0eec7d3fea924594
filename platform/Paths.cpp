#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kInstallationPrefix = QStringLiteral("C:\\Programmi\\Tempora\\");
const QString kBackupPrefix = QStringLiteral("A:\\");

QString environmentFolder(const char* name) {
    return QDir::cleanPath(qEnvironmentVariable(name));
}

// The entry of folder whose name equals name without regard to case, or name itself. Where
// several spellings exist ("Tempora.mdb" and "tempora.mdb"), every spelling asked for finds the
// same one, the first in character order (capitals first), so that the log window and the
// backup never take two different files for one log.
QString matchingEntry(const QDir& folder, const QString& name) {
    QString match;
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && (match.isNull() || entry < match))
            match = entry;
    }
    return match.isNull() ? name : match;
}

} // namespace

Paths::Paths(QString installationFolder, QString backupFolder)
    : m_installationFolder(QDir::cleanPath(installationFolder)),
      m_backupFolder(backupFolder.isEmpty() ? QString() : QDir::cleanPath(backupFolder)) {}

Paths Paths::fromEnvironment() {
    QString installation =
        qEnvironmentVariableIsEmpty("TEMPORA_HOME") ? QString() : environmentFolder("TEMPORA_HOME");
    if (installation.isEmpty()) {
        QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        if (dataHome.isEmpty())
            dataHome = QDir::homePath() + QStringLiteral("/.local/share");
        installation = dataHome + QStringLiteral("/tempora");
    }
    const QString backup = qEnvironmentVariableIsEmpty("TEMPORA_FLOPPY")
                               ? QString()
                               : environmentFolder("TEMPORA_FLOPPY");
    return Paths(installation, backup);
}

QString Paths::resolve(const QString& designPath) const {
    QString folder;
    QString rest;
    if (designPath.startsWith(kInstallationPrefix, Qt::CaseInsensitive)) {
        folder = m_installationFolder;
        rest = designPath.mid(kInstallationPrefix.size());
    } else if (designPath.startsWith(kBackupPrefix, Qt::CaseInsensitive) &&
               !m_backupFolder.isEmpty()) {
        folder = m_backupFolder;
        rest = designPath.mid(kBackupPrefix.size());
    } else {
        return QString();
    }
    QString path = folder;
    const QStringList parts = rest.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString& part : parts)
        path += QLatin1Char('/') + matchingEntry(QDir(path), part);
    return path;
}
