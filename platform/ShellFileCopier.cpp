#include "platform/ShellFileCopier.h"

#include "platform/DatabaseBackup.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>

#include <cerrno>
#include <optional>

FileCopier::Result ShellFileCopier::copy(const QString& sourcePath,
                                         const QString& destinationFolder) {
    const QString name = sourcePath.section(QLatin1Char('\\'), -1);
    QString designTarget = destinationFolder;
    if (!designTarget.endsWith(QLatin1Char('\\')))
        designTarget += QLatin1Char('\\');
    const QString source = m_paths.resolve(sourcePath);
    const QString target = m_paths.resolve(designTarget + name);
    if (name.isEmpty() || source.isEmpty() || target.isEmpty()) {
        m_dialogs.message(QStringLiteral("Cannot copy \"%1\" to \"%2\": the path names no folder "
                                         "of this computer.")
                              .arg(sourcePath, destinationFolder),
                          Dialogs::Icon::Critical);
        return {EINVAL, false};
    }
    const QString folder = QFileInfo(target).absolutePath();

    const auto replace = [&] {
        return m_dialogs.question(
            QStringLiteral("The folder \"%1\" already holds a file named \"%2\".\n"
                           "Replace it with the one you are copying?")
                .arg(folder, QFileInfo(target).fileName()));
    };
    // Made at the first step, so that it never shows behind the question above.
    std::optional<QProgressDialog> progress;
    const auto advance = [&](int copied, int total) {
        if (!progress) {
            progress.emplace(QStringLiteral("Copying \"%1\" to \"%2\"...").arg(name, folder),
                             QStringLiteral("Cancel"), 0, total, QApplication::activeWindow());
            progress->setWindowTitle(QStringLiteral("Copying..."));
            progress->setWindowModality(Qt::WindowModal);
            progress->setAutoReset(false);
            progress->setAutoClose(false);
            progress->setMinimumDuration(0);
        }
        progress->setMaximum(total);
        progress->setValue(copied);
        if (copied == total)
            progress->setLabelText(QStringLiteral("Writing \"%1\" to \"%2\"...").arg(name, folder));
        // Lets the display repaint and its cancel button work; the window it belongs to stays
        // blocked until the copy is over.
        QCoreApplication::processEvents();
        return !progress->wasCanceled();
    };
    DatabaseBackup backup;
    const DatabaseBackup::Outcome outcome = backup.copy(source, target, replace, advance);
    progress.reset();

    switch (outcome) {
    case DatabaseBackup::Outcome::Copied:
        return {0, false};
    case DatabaseBackup::Outcome::Cancelled:
        return {0, true};
    case DatabaseBackup::Outcome::Failed:
        break;
    }
    m_dialogs.message(backup.lastError(), Dialogs::Icon::Critical);
    return {backup.lastErrorCode(), false};
}
