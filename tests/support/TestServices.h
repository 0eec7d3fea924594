#pragma once

#include "FakeClock.h"
#include "FakeSettingsStore.h"
#include "RecordingDialogs.h"
#include "RecordingErrorPath.h"
#include "RecordingKeystroke.h"
#include "platform/Paths.h"
#include "platform/RegionalFormats.h"
#include "platform/Services.h"
#include "platform/ShellFileCopier.h"

#include <QTemporaryDir>

// The services a window receives, with an installation folder and a backup folder in a fresh
// temporary folder: fakes, except the file copier, which copies between those two folders as the
// program does. Dates are written in the Italian short date format (dd/MM/yyyy).
class TestServices {
public:
    TestServices();

    QString installationFolder() const { return paths.installationFolder(); }
    QString backupFolder() const { return paths.backupFolder(); }
    QString logPath() const;
    QString differencePath() const;

    // Writes the difference file with exactly these bytes.
    void writeDifferenceFile(const QByteArray& content) const;
    // Creates an empty log with the program's own schema.
    void createLog() const;

    QTemporaryDir folder;
    FakeClock clock;
    RegionalFormats formats{QLocale(QLocale::Italian, QLocale::Italy)};
    Paths paths;
    FakeSettingsStore settings;
    RecordingDialogs dialogs;
    RecordingKeystroke keystroke;
    RecordingErrorPath errors;
    ShellFileCopier copier{paths, dialogs};
    Services services;
};
