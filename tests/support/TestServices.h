#pragma once

#include "FakeClock.h"
#include "FakeSettingsStore.h"
#include "LogFolder.h"
#include "RecordingDialogs.h"
#include "RecordingErrorPath.h"
#include "RecordingKeystroke.h"
#include "platform/RegionalFormats.h"
#include "platform/Services.h"
#include "platform/ShellFileCopier.h"

// The services a window receives, over the folders of a LogFolder: fakes, except the file
// copier, which copies between those two folders as the program does. Dates are written in the
// Italian short date format (dd/MM/yyyy).
class TestServices : public LogFolder {
public:
    TestServices();

    QString differencePath() const;
    // Writes the difference file with exactly these bytes; a failure fails the test.
    void writeDifferenceFile(const QByteArray& content) const;

    FakeClock clock;
    RegionalFormats formats{QLocale(QLocale::Italian, QLocale::Italy)};
    FakeSettingsStore settings;
    RecordingDialogs dialogs;
    RecordingKeystroke keystroke;
    RecordingErrorPath errors;
    ShellFileCopier copier{paths, dialogs};
    Services services;
};
