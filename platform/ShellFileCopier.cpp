#include "platform/ShellFileCopier.h"

#include "platform/BackupMedium.h"
#include "platform/CopyLanguage.h"
#include "platform/CopyProgressDialog.h"
#include "platform/DatabaseBackup.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <optional>
#include <thread>

using CopyLanguage::text;

FileCopier::Result ShellFileCopier::copy(const QString& sourcePath,
                                         const QString& destinationFolder) {
    const QString name = sourcePath.section(QLatin1Char('\\'), -1);
    QString designTarget = destinationFolder;
    if (!designTarget.endsWith(QLatin1Char('\\')))
        designTarget += QLatin1Char('\\');
    const QString source = m_paths.resolve(sourcePath);
    QString target = m_paths.resolve(designTarget + name);
    if (designTarget.startsWith(QStringLiteral("A:\\"), Qt::CaseInsensitive)) {
        int code = 0;
        const std::optional<QString> medium = backupFolder(code);
        if (!medium)
            return {code, code == 0};
        target = Paths(m_paths.installationFolder(), *medium).resolve(designTarget + name);
    }
    if (name.isEmpty() || source.isEmpty() || target.isEmpty()) {
        m_dialogs.message(text("Cannot copy \"%1\" to \"%2\": the path names no folder of this "
                               "computer.",
                               "Impossibile copiare \"%1\" in \"%2\": il percorso non indica "
                               "alcuna cartella di questo computer.")
                              .arg(sourcePath, destinationFolder),
                          Dialogs::Icon::Critical);
        return {EINVAL, false};
    }
    const QString folder = QFileInfo(target).absolutePath();

    const auto replace = [&](bool inPlace) {
        if (!inPlace)
            return m_dialogs.question(
                text("The folder \"%1\" already holds a file named \"%2\".\n"
                     "Replace it with the one you are copying?",
                     "La cartella \"%1\" contiene già un file di nome \"%2\".\n"
                     "Sostituirlo con quello che si sta copiando?")
                    .arg(folder, QFileInfo(target).fileName()));
        return m_dialogs.question(
            text("The folder \"%1\" already holds a file named \"%2\", and the medium has room "
                 "for one copy only.\nReplacing it removes the old copy first: should the new "
                 "copy then fail, the medium holds no good copy of the log.\nReplace it?",
                 "La cartella \"%1\" contiene già un file di nome \"%2\" e il supporto ha spazio "
                 "per una sola copia.\nSostituendolo, la copia precedente viene eliminata "
                 "prima: se la nuova copia non riuscisse, sul supporto non resterebbe alcuna "
                 "copia valida del registro.\nSostituirlo?")
                .arg(folder, QFileInfo(target).fileName()));
    };
    DatabaseBackup backup;
    const DatabaseBackup::Outcome outcome = run(backup, source, target, replace);
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

DatabaseBackup::Outcome ShellFileCopier::run(DatabaseBackup& backup, const QString& source,
                                             const QString& target,
                                             const std::function<bool(bool)>& replace) {
    const QString folder = QFileInfo(target).absolutePath();
    CopyProgressDialog display(QFileInfo(target).fileName(), folder, QApplication::activeWindow());
    QTimer showing;
    showing.setSingleShot(true);
    QObject::connect(&showing, &QTimer::timeout, &display, &QWidget::show);
    const auto ask = [&](bool inPlace) {
        // Asked on the UI thread; the display shows only once the operator has answered.
        bool yes = false;
        QMetaObject::invokeMethod(
            &display,
            [&] {
                showing.stop();
                yes = replace(inPlace);
                showing.start(m_showProgressAfter);
            },
            Qt::BlockingQueuedConnection);
        return yes;
    };
    // The copy runs on a thread of its own, so that the display and Cancel keep working while a
    // step blocks (a slow medium taking the data, the check reading it back). It stores how far
    // it is, and the display reads that a few times a second.
    std::atomic<int> step = int(DatabaseBackup::Step::Copying);
    std::atomic<qint64> done = 0;
    std::atomic<qint64> total = 0;
    const auto advance = [&](DatabaseBackup::Step now, qint64 doneNow, qint64 totalNow) {
        step = int(now);
        done = doneNow;
        total = totalNow;
    };
    QTimer polling;
    QObject::connect(&polling, &QTimer::timeout, &display,
                     [&] { display.showStep(DatabaseBackup::Step(step.load()), done, total); });
    QObject::connect(&display, &CopyProgressDialog::cancelRequested, &display,
                     [&backup] { backup.cancel(); });
    QEventLoop running;
    DatabaseBackup::Outcome outcome = DatabaseBackup::Outcome::Failed;
    std::thread copying([&] {
        outcome = backup.copy(source, target, ask, advance);
        QMetaObject::invokeMethod(&running, &QEventLoop::quit, Qt::QueuedConnection);
    });
    showing.start(m_showProgressAfter);
    polling.start(100);
    running.exec();
    copying.join();
    return outcome;
}

std::optional<QString> ShellFileCopier::backupFolder(int& code) {
    const QString named = m_paths.backupFolder();
    const BackupMedium::Finding found = BackupMedium::find(named, m_mounts);
    switch (found.kind) {
    case BackupMedium::Kind::Folder:
        return found.folder;
    case BackupMedium::Kind::NoMedium:
        break;
    case BackupMedium::Kind::Choice: {
        QStringList names;
        for (const Mount& medium : found.media)
            names.append(text("%1 (%2 free) \"%3\"", "%1 (%2 liberi) \"%3\"")
                             .arg(medium.label, QLocale().formattedDataSize(medium.freeBytes),
                                  medium.folder));
        const int chosen =
            m_dialogs.choice(text("Several removable media are mounted. Copy the log to:",
                                  "Sono montati più supporti rimovibili. Copiare il registro su:"),
                             names);
        if (chosen < 0)
            return std::nullopt;
        return found.media.at(chosen).folder;
    }
    }
    code = ENOMEDIUM;
    m_dialogs.message(
        named.isEmpty()
            ? text("No removable medium is mounted, so the log cannot be copied.\n"
                   "Plug in a USB stick, SD card or floppy, wait until the desktop shows it, "
                   "then press \"Start Copy\" again.",
                   "Nessun supporto rimovibile è montato: il registro non può essere copiato.\n"
                   "Inserire una chiavetta USB, una scheda SD o un dischetto, attendere che il "
                   "desktop lo mostri, quindi premere di nuovo \"Start Copy\".")
            : text("Nothing is mounted on \"%1\", so the log cannot be copied there.\n"
                   "Insert the medium and mount it, then press \"Start Copy\" again.",
                   "Su \"%1\" non è montato nulla: il registro non può esservi copiato.\n"
                   "Inserire il supporto e montarlo, quindi premere di nuovo \"Start Copy\".")
                  .arg(named),
        Dialogs::Icon::Critical);
    return std::nullopt;
}
