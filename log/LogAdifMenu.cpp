#include "log/LogAdifMenu.h"

#include "adif/AdifExporter.h"
#include "adif/AdifImporter.h"
#include "log/DataControl.h"
#include "log/LogConnection.h"
#include "platform/Dialogs.h"
#include "platform/RegionalFormats.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSaveFile>

namespace {

constexpr QLatin1String kSection("Log");
constexpr QLatin1String kFolderKey("ADIF folder");

// The log's connection time-out.
constexpr int kBusyTimeoutMs = 15000;
constexpr int kListedRefusals = 5;
const char* const kFilter = "ADIF files (*.adi *.adif *.adx);;All files (*)";

// A progress dialog that shows itself only for a run of more than a moment.
AdifProgress progressIn(QProgressDialog& dialog) {
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(500);
    dialog.setRange(0, 1000);
    return [&dialog](qint64 done, qint64 total) {
        dialog.setValue(total > 0 ? int(done * 1000 / total) : 0);
        return !dialog.wasCanceled();
    };
}

} // namespace

LogAdifMenu::LogAdifMenu(Services& services, QWidget* grid, std::function<void()> showImported)
    : QObject(grid), m_services(services), m_grid(grid), m_showImported(std::move(showImported)) {
    auto* exportAction = new QAction(tr("Export ADIF..."), grid);
    auto* importAction = new QAction(tr("Import ADIF..."), grid);
    connect(exportAction, &QAction::triggered, this, &LogAdifMenu::exportClicked);
    connect(importAction, &QAction::triggered, this, &LogAdifMenu::importClicked);
    grid->addAction(exportAction);
    grid->addAction(importAction);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QString LogAdifMenu::folder() const {
    return m_services.settings.value(kSection, kFolderKey, QDir::homePath());
}

void LogAdifMenu::remember(const QString& file) {
    m_services.settings.setValue(kSection, kFolderKey, QFileInfo(file).absolutePath());
}

void LogAdifMenu::exportClicked() {
    const QString target = QFileDialog::getSaveFileName(
        m_grid, tr("Export ADIF"), QDir(folder()).filePath(QStringLiteral("tempora.adi")),
        QString::fromLatin1(kFilter));
    if (target.isEmpty())
        return;
    remember(target);
    LogConnection log;
    if (!log.open(DataControl::designConnectionString(), m_services.paths, kBusyTimeoutMs))
        return m_services.dialogs.message(log.lastError());
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return m_services.dialogs.message(
            tr("Cannot write %1: %2").arg(target, file.errorString()));

    const AdifMapping mapping(m_services.formats.timeSeparator());
    AdifExporter exporter(log.handle(), mapping);
    AdifExporter::Options options;
    if (target.endsWith(QLatin1String(".adx"), Qt::CaseInsensitive))
        options.form = AdifMapping::Form::Adx;
    bool written = false;
    {
        QProgressDialog progress(tr("Exporting the log..."), tr("Cancel"), 0, 0, m_grid);
        exporter.setProgress(progressIn(progress));
        written = exporter.run(file, options, QDateTime::currentDateTimeUtc()) && file.commit();
    }
    if (!written)
        return m_services.dialogs.message(
            tr("The log was not exported: %1")
                .arg(exporter.lastError().isEmpty() ? file.errorString() : exporter.lastError()));
    QString summary = tr("exported %1").arg(exporter.exported());
    if (exporter.transliterated() > 0)
        summary +=
            tr(", %1 with characters written without accents").arg(exporter.transliterated());
    m_services.dialogs.message(summary);
}

void LogAdifMenu::importClicked() {
    const QStringList files = QFileDialog::getOpenFileNames(m_grid, tr("Import ADIF"), folder(),
                                                            QString::fromLatin1(kFilter));
    if (files.isEmpty())
        return;
    remember(files.first());
    LogConnection log;
    if (!log.open(DataControl::designConnectionString(), m_services.paths, kBusyTimeoutMs))
        return m_services.dialogs.message(log.lastError());

    const AdifMapping mapping(m_services.formats.timeSeparator());
    AdifImporter importer(log.handle(), mapping);
    QStringList refusals;
    importer.setRefusals([&refusals](const AdifImporter::Refusal& refusal) {
        if (refusals.size() < kListedRefusals)
            refusals.append(QStringLiteral("%1, record %2: %3")
                                .arg(QFileInfo(refusal.file).fileName())
                                .arg(refusal.record)
                                .arg(refusal.reason));
    });
    bool imported = false;
    {
        QProgressDialog progress(tr("Importing..."), tr("Cancel"), 0, 0, m_grid);
        importer.setProgress(progressIn(progress));
        imported = importer.run(files);
    }
    log.close();
    if (!imported)
        return m_services.dialogs.message(tr("Nothing was imported: %1").arg(importer.lastError()));
    m_showImported();
    QString summary = QStringLiteral("imported %1, duplicates %2, refused %3")
                          .arg(importer.imported())
                          .arg(importer.duplicates())
                          .arg(importer.refused());
    if (!refusals.isEmpty())
        summary += QLatin1String("\n\n") + refusals.join(QLatin1Char('\n'));
    m_services.dialogs.message(summary);
}
