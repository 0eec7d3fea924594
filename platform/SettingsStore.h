#pragma once

#include <QString>

// The per-user settings store: a text value by section and key, or the default when the value is
// absent. The program writes only what it remembers for the operator (such as the folder last
// used), never the settings the operator edits.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString& section, const QString& key,
                          const QString& defaultValue) const = 0;
    virtual void setValue(const QString& section, const QString& key, const QString& value) = 0;
};

// The real store: an INI file in the user's configuration folder named after the application key,
// $XDG_CONFIG_HOME/<key>/<key>.ini.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(QString applicationKey);
    QString value(const QString& section, const QString& key,
                  const QString& defaultValue) const override;
    void setValue(const QString& section, const QString& key, const QString& value) override;

private:
    QString m_applicationKey;
};
