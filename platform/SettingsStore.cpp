#include "platform/SettingsStore.h"

#include <QSettings>

IniSettingsStore::IniSettingsStore(QString applicationKey)
    : m_applicationKey(std::move(applicationKey)) {}

QString IniSettingsStore::value(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    // Opened on every read, so a change made outside the program shows at the next read.
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, m_applicationKey,
                       m_applicationKey);
    settings.beginGroup(section);
    return settings.value(key, defaultValue).toString();
}

void IniSettingsStore::setValue(const QString& section, const QString& key, const QString& value) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, m_applicationKey,
                       m_applicationKey);
    settings.beginGroup(section);
    settings.setValue(key, value);
}
