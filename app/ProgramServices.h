#pragma once

#include "platform/Clock.h"
#include "platform/ExitingErrorPath.h"
#include "platform/FocusKeystroke.h"
#include "platform/MessageBoxDialogs.h"
#include "platform/Paths.h"
#include "platform/RegionalFormats.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/ShellFileCopier.h"

// The real parts behind the services: the system clock and formats, the paths from the
// environment, the settings file named after the executable, and the desktop's dialogs.
class ProgramServices {
public:
    ProgramServices();
    Services& services() { return m_services; }

private:
    SystemClock m_clock;
    RegionalFormats m_formats;
    Paths m_paths;
    IniSettingsStore m_settings;
    MessageBoxDialogs m_dialogs;
    FocusKeystroke m_keystroke;
    ExitingErrorPath m_errors;
    SystemMountTable m_mounts;
    ShellFileCopier m_copier;
    Services m_services;
};
