#include "adif/AdifRecord.h"

void AdifRecord::clear() {
    m_fields.clear();
    number = 0;
    refusal.clear();
}

QString AdifRecord::value(QLatin1String name) const {
    for (const Field& field : m_fields) {
        if (field.name == name)
            return field.value.isNull() ? QStringLiteral("") : field.value;
    }
    return {};
}

bool AdifRecord::has(QLatin1String name) const {
    for (const Field& field : m_fields) {
        if (field.name == name)
            return true;
    }
    return false;
}
