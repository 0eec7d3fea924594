#pragma once

#include "adif/AdifWriter.h"

#include <QXmlStreamWriter>

#include <memory>

// The ADX XML form: <ADX><HEADER>...</HEADER><RECORDS><RECORD>...</RECORD></RECORDS></ADX>, one
// element per field, application fields APP_PROGRAM_FIELD as <APP PROGRAMID FIELDNAME TYPE>.
class AdxWriter : public AdifWriter {
public:
    // Whether the UTF-8 text comes back from an XML file as it is.
    static bool carries(const QByteArray& utf8);

    bool begin(QIODevice& device, const QDateTime& created) override;
    bool write(const AdifRecord& record) override;
    bool finish() override;

private:
    bool checked();

    QIODevice* m_device = nullptr;
    std::unique_ptr<QXmlStreamWriter> m_xml;
};
