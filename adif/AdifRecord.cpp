#include "adif/AdifRecord.h"

void AdifRecord::clear() {
    m_fields.clear();
    number = 0;
    refusal.clear();
}

QByteArray AdifRecord::value(QByteArrayView name) const {
    for (const Field& field : m_fields) {
        if (field.name == name)
            return field.value.isNull() ? QByteArray("") : field.value;
    }
    return {};
}

bool AdifRecord::has(QByteArrayView name) const {
    for (const Field& field : m_fields) {
        if (field.name == name)
            return true;
    }
    return false;
}
