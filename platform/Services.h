#pragma once

class Clock;
class Dialogs;
class ErrorPath;
class FileCopier;
class Keystroke;
class Paths;
class RegionalFormats;
class SettingsStore;

// What every window receives from outside: built in main() from the real parts and in tests from
// fakes.
struct Services {
    Clock& clock;
    const RegionalFormats& formats;
    const Paths& paths;
    SettingsStore& settings;
    Dialogs& dialogs;
    Keystroke& keystroke;
    ErrorPath& errors;
    FileCopier& copier;
};
