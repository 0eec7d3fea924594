#include "adif/DuplicateKeys.h"

#include "adif/AdifBand.h"
#include "adif/AdifFrequency.h"
#include "adif/AdifMode.h"
#include "adif/AdifTime.h"
#include "adif/AsciiText.h"

#include <QHashFunctions>
#include <QString>

DuplicateKeys::DuplicateKeys(qsizetype expected) {
    m_slots.assign(size_t(qMax<qsizetype>(expected, 1024)) * 10 / 7 + 1, 0);
    m_text.reserve(256);
}

quint64 DuplicateKeys::keyOf(const LogContact& contact) {
    const QByteArray call = contact[LogContact::Call].trimmed();
    m_text.truncate(0);
    if (AsciiText::isAscii(call)) {
        m_text.append(call);
        for (char* c = m_text.data(); c != m_text.data() + m_text.size(); ++c)
            *c = (*c >= 'a' && *c <= 'z') ? char(*c - 'a' + 'A') : *c;
    } else {
        m_text.append(QString::fromUtf8(call).toUpper().toUtf8());
    }
    m_text.append('\x1f').append(contact[LogContact::Date]).append('\x1f');
    m_text.append(AdifTime::digits(contact[LogContact::TimeInit]).left(4)).append('\x1f');
    m_text.append(band(contact[LogContact::Band], contact[LogContact::Frequency])).append('\x1f');
    m_text.append(mode(contact[LogContact::Mode]));
    const quint64 key = qHashBits(m_text.constData(), size_t(m_text.size()), 0x7e3a);
    // 0 marks a free slot.
    return key == 0 ? 1 : key;
}

QByteArray DuplicateKeys::band(const QByteArray& text, const QByteArray& frequency) {
    if (text.isEmpty()) {
        const QByteArray mhz = AdifFrequency::megahertz(frequency);
        return mhz.isEmpty() ? QByteArray() : AdifBand::ofFrequency(mhz.toDouble());
    }
    return m_bands.of(text, [](const QByteArray& text) {
        const QByteArray band = AdifBand::ofText(QString::fromUtf8(text));
        return band.isEmpty() ? text.trimmed().toLower() : band;
    });
}

QByteArray DuplicateKeys::mode(const QByteArray& text) {
    return m_modes.of(text, [](const QByteArray& text) {
        const AdifMode::Pair pair = AdifMode::of(QString::fromUtf8(text));
        return pair.submode.isEmpty() ? pair.mode : pair.submode;
    });
}

bool DuplicateKeys::insert(quint64 key) {
    if ((m_count + 1) * 10 > qsizetype(m_slots.size()) * 7)
        grow();
    for (size_t slot = size_t(key % m_slots.size());;
         slot = slot + 1 == m_slots.size() ? 0 : slot + 1) {
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
