#include "startup/ShowTipsSetting.h"

#include "platform/SettingsStore.h"

ShowTipsSetting::ShowTipsSetting(const SettingsStore& store) : m_store(store) {}

bool ShowTipsSetting::showsWindow() const {
    return showsWindow(m_store.value(QStringLiteral("Options"),
                                     QStringLiteral("Show Tips at Startup"), QStringLiteral("1")));
}

bool ShowTipsSetting::showsWindow(const QString& stored) {
    bool whole = false;
    // Blanks around the number are ignored by the conversion itself.
    const qlonglong number = stored.toLongLong(&whole);
    return !whole || number != 0;
}
