#pragma once

#include <QString>

// The per-user settings store, read only: a text value by section and key, or the default when
// the value is absent.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString& section, const QString& key,
                          const QString& defaultValue) const = 0;
};

// The real store: an INI file in the user's configuration folder named after the application key,
// $XDG_CONFIG_HOME/<key>/<key>.ini.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(QString applicationKey);
    QString value(const QString& section, const QString& key,
                  const QString& defaultValue) const override;

private:
    QString m_applicationKey;
};
