#pragma once

#include "adif/LogContact.h"

#include <QHash>
#include <QString>

#include <vector>

// The contacts seen so far, as one 64-bit hash each of what makes two entries the same contact:
// call (in capitals), date, start time to the minute, band (the format's band of the band text
// or, without one, of the frequency) and mode (the submode where there is one). A million
// contacts take 8 to 16 MB. Two different contacts share a hash with a chance of about one in
// 10^7 for a log of a million, and the later one is then counted as a duplicate.
class DuplicateKeys {
public:
    explicit DuplicateKeys(qsizetype expected);

    quint64 keyOf(const LogContact& contact);
    // False when the key was there already.
    bool insert(quint64 key);
    qsizetype size() const { return m_count; }

private:
    void grow();
    QString band(const QString& text, const QString& frequency);
    QString mode(const QString& text);

    std::vector<quint64> m_slots;
    qsizetype m_count = 0;
    // Logs repeat a few band and mode texts: each is mapped once.
    QHash<QString, QString> m_bands;
    QHash<QString, QString> m_modes;
};
