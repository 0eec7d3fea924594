#pragma once

#include "adif/AdifReader.h"

#include <QXmlStreamReader>

// The ADX XML form. Field elements become fields of their name in capitals; <APP PROGRAMID
// FIELDNAME> becomes APP_PROGRAM_FIELD, <USERDEF FIELDNAME> USERDEF_FIELD.
class AdxReader : public AdifReader {
public:
    explicit AdxReader(QIODevice& device) : m_xml(&device) {}

    bool next(AdifRecord& record) override;

private:
    QXmlStreamReader m_xml;
    qint64 m_records = 0;
};
