#pragma once

#include "FakeClock.h"
#include "FakeSettingsStore.h"
#include "LogFolder.h"
#include "RecordingDialogs.h"
#include "RecordingErrorPath.h"
#include "RecordingKeystroke.h"
#include "platform/RegionalFormats.h"
#include "platform/SecondTimer.h"
#include "platform/Services.h"
#include "platform/ShellFileCopier.h"

#include <QFile>
#include <QWidget>

// The services a window receives, over the folders of a LogFolder: fakes, except the file
// copier, which copies between those two folders as the program does. Dates are written in the
// Italian short date format (dd/MM/yyyy).
class TestServices : public LogFolder {
public:
    // Writes the difference file with exactly these bytes; a failure fails the test.
    void writeDifferenceFile(const QByteArray& content) const {
        QFile file(paths.installationFolder() + QStringLiteral("/Savetime.TXT"));
        QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                     file.write(content) == content.size(),
                 qPrintable(file.fileName()));
    }
    // Moves the clock on and fires the window's running second timers, as the seconds go by.
    void tick(const QWidget* window, int seconds) {
        clock.advance(seconds);
        for (SecondTimer* timer : window->findChildren<SecondTimer*>()) {
            if (timer->isActive())
                emit timer->timeout();
        }
    }

    FakeClock clock;
    RegionalFormats formats{QLocale(QLocale::Italian, QLocale::Italy)};
    FakeSettingsStore settings;
    RecordingDialogs dialogs;
    RecordingKeystroke keystroke;
    RecordingErrorPath errors;
    ShellFileCopier copier{paths, dialogs};
    Services services{clock, formats, paths, settings, dialogs, keystroke, errors, copier};
};
