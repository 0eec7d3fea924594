#pragma once

#include <QString>

class SettingsStore;

// The per-user setting "Show Tips at Startup" in section "Options", which decides at every load
// whether the information window opens. It is read as a whole number, blanks around it ignored;
// when absent it counts as 1. Only a stored 0 keeps the window closed: any other whole number,
// and any text that is not a whole number (empty, "no", "0.5"), lets it open.
class ShowTipsSetting {
public:
    explicit ShowTipsSetting(const SettingsStore& store);

    // Reads the store afresh on every call.
    bool showsWindow() const;

    // The rule applied to a stored text.
    static bool showsWindow(const QString& stored);

private:
    const SettingsStore& m_store;
};
