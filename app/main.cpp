#include "platform/Clock.h"
#include "platform/ExitingErrorPath.h"
#include "platform/FocusKeystroke.h"
#include "platform/MessageBoxDialogs.h"
#include "platform/Paths.h"
#include "platform/RegionalFormats.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/ShellFileCopier.h"
#include "platform/Windows.h"
#include "startup/FrmSplash.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Tempora"));
    // The program ends when its last loaded window is unloaded, hidden ones included.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock clock;
    const RegionalFormats formats;
    const Paths paths = Paths::fromEnvironment();
    const IniSettingsStore settings(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    MessageBoxDialogs dialogs;
    FocusKeystroke keystroke;
    ExitingErrorPath errors(dialogs);
    ShellFileCopier copier(paths, dialogs);
    Services services{clock, formats, paths, settings, dialogs, keystroke, errors, copier};

    Windows windows(services);
    QObject::connect(&windows, &Windows::lastWindowUnloaded, &app, [] { QCoreApplication::exit(0); });
    windows.frmSplash().show();
    return QApplication::exec();
}
