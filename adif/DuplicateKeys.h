#pragma once

#include "adif/LogContact.h"
#include "adif/TextMemo.h"

#include <QString>

#include <vector>

// The contacts seen so far, as one 64-bit hash each of what makes two entries the same contact:
// call (in capitals), date, start time to the minute, band (the format's band of the band text
// or, without one, of the frequency) and mode (the submode where there is one). A million
// contacts take about 12 MB. Two different contacts share a hash with a chance of about one in
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
    QByteArray band(const QByteArray& text, const QByteArray& frequency);
    QByteArray mode(const QByteArray& text);

    std::vector<quint64> m_slots;
    qsizetype m_count = 0;
    // Logs repeat a few band and mode texts: each is mapped once.
    TextMemo<QByteArray> m_bands;
    TextMemo<QByteArray> m_modes;
    // The text a key is the hash of, kept to reuse its room.
    QByteArray m_text;
};
