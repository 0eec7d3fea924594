#include "adif/DuplicateKeys.h"

#include "adif/AdifBand.h"
#include "adif/AdifFrequency.h"
#include "adif/AdifMode.h"
#include "adif/AdifTime.h"

#include <bit>

namespace {
constexpr qsizetype kCacheLimit = 4096;
}

DuplicateKeys::DuplicateKeys(qsizetype expected) {
    m_slots.assign(std::bit_ceil(size_t(qMax<qsizetype>(expected, 1024)) * 10 / 7 + 1), 0);
}

quint64 DuplicateKeys::keyOf(const LogContact& contact) {
    const QString text = contact[LogContact::Call].trimmed().toUpper() + QLatin1Char('\x1f') +
                         contact[LogContact::Date] + QLatin1Char('\x1f') +
                         AdifTime::digits(contact[LogContact::TimeInit]).left(4) +
                         QLatin1Char('\x1f') +
                         band(contact[LogContact::Band], contact[LogContact::Frequency]) +
                         QLatin1Char('\x1f') + mode(contact[LogContact::Mode]);
    const quint64 key = qHashBits(text.constData(), size_t(text.size()) * sizeof(QChar), 0x7e3a);
    // 0 marks a free slot.
    return key == 0 ? 1 : key;
}

QString DuplicateKeys::band(const QString& text, const QString& frequency) {
    if (text.isEmpty()) {
        const QString mhz = AdifFrequency::megahertz(frequency);
        return mhz.isEmpty() ? QString() : AdifBand::ofFrequency(mhz.toDouble());
    }
    const auto found = m_bands.constFind(text);
    if (found != m_bands.constEnd())
        return *found;
    QString band = AdifBand::ofText(text);
    if (band.isEmpty())
        band = text.trimmed().toLower();
    if (m_bands.size() < kCacheLimit)
        m_bands.insert(text, band);
    return band;
}

QString DuplicateKeys::mode(const QString& text) {
    const auto found = m_modes.constFind(text);
    if (found != m_modes.constEnd())
        return *found;
    const AdifMode::Pair pair = AdifMode::of(text);
    const QString mode = pair.submode.isEmpty() ? pair.mode : pair.submode;
    if (m_modes.size() < kCacheLimit)
        m_modes.insert(text, mode);
    return mode;
}

bool DuplicateKeys::insert(quint64 key) {
    if ((m_count + 1) * 10 > qsizetype(m_slots.size()) * 7)
        grow();
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = size_t(key) & mask;; slot = (slot + 1) & mask) {
        if (m_slots[slot] == key)
            return false;
        if (m_slots[slot] == 0) {
            m_slots[slot] = key;
            ++m_count;
            return true;
        }
    }
}

void DuplicateKeys::grow() {
    std::vector<quint64> old(m_slots.size() * 2, 0);
    old.swap(m_slots);
    m_count = 0;
    for (const quint64 key : old) {
        if (key != 0)
            insert(key);
    }
}
