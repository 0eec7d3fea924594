#pragma once

#include "platform/SettingsStore.h"

#include <QHash>

// An in-memory settings store; a value is absent until set.
class FakeSettingsStore : public SettingsStore {
public:
    QString value(const QString& section, const QString& key,
                  const QString& defaultValue) const override;
    void set(const QString& section, const QString& key, const QString& value);
    int reads() const { return m_reads; }

private:
    QHash<QString, QString> m_values;
    mutable int m_reads = 0;
};
