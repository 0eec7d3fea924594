#include "FakeSettingsStore.h"

namespace {
QString joined(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}
} // namespace

QString FakeSettingsStore::value(const QString& section, const QString& key,
                                 const QString& defaultValue) const {
    ++m_reads;
    return m_values.value(joined(section, key), defaultValue);
}

void FakeSettingsStore::set(const QString& section, const QString& key, const QString& value) {
    m_values.insert(joined(section, key), value);
}
