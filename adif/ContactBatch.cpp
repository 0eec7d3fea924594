#include "adif/ContactBatch.h"

void ContactBatch::append(const LogContact& contact) {
    for (const QByteArray& text : contact.fields) {
        m_bytes.append(text);
        m_ends.push_back(m_bytes.size());
    }
}

void ContactBatch::contactAt(qsizetype index, LogContact& contact) const {
    const size_t first = size_t(index) * LogContact::FieldCount;
    qsizetype begin = first == 0 ? 0 : m_ends[first - 1];
    for (int field = 0; field < LogContact::FieldCount; ++field) {
        const qsizetype end = m_ends[first + size_t(field)];
        contact[field] = QByteArray::fromRawData(m_bytes.constData() + begin, end - begin);
        begin = end;
    }
}
