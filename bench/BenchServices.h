#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ErrorPath.h"
#include "platform/FocusKeystroke.h"
#include "platform/Paths.h"
#include "platform/RegionalFormats.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/ShellFileCopier.h"

// The program's real services, except that a message box never waits for an operator: its text
// goes to the error output and counts as a failure of the benchmark.
class BenchServices {
public:
    // The system clock unless another is given.
    explicit BenchServices(Clock* clock = nullptr);
    Services& services() { return m_services; }
    int messages() const { return m_dialogs.count; }

private:
    struct PrintingDialogs : Dialogs {
        void message(const QString& text, Icon icon) override;
        void beep() override {}
        bool question(const QString& text) override;
        int choice(const QString& text, const QStringList& options) override;
        int count = 0;
    };
    struct PrintingErrorPath : ErrorPath {
        explicit PrintingErrorPath(PrintingDialogs& dialogs) : dialogs(dialogs) {}
        void fail(const QString& description) override {
            dialogs.message(description, Dialogs::Icon::Critical);
        }
        PrintingDialogs& dialogs;
    };

    SystemClock m_clock;
    RegionalFormats m_formats;
    Paths m_paths;
    IniSettingsStore m_settings;
    PrintingDialogs m_dialogs;
    FocusKeystroke m_keystroke;
    PrintingErrorPath m_errors;
    SystemMountTable m_mounts;
    ShellFileCopier m_copier;
    Services m_services;
};
