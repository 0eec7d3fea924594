#pragma once

#include "platform/SettingsStore.h"

#include <QHash>

// An in-memory settings store; a value is absent until set.
class FakeSettingsStore : public SettingsStore {
public:
    QString value(const QString& section, const QString& key,
                  const QString& defaultValue) const override {
        return m_values.value(section + QLatin1Char('/') + key, defaultValue);
    }
    void set(const QString& section, const QString& key, const QString& value) {
        m_values.insert(section + QLatin1Char('/') + key, value);
    }

private:
    QHash<QString, QString> m_values;
};
