#include "adif/AdxWriter.h"

#include <QIODevice>

namespace {

// XML readers turn a CR LF into LF; as a character reference the CR stays.
void writeText(QXmlStreamWriter& xml, const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\r'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(QStringLiteral("#13"));
        xml.writeCharacters(lines[i]);
    }
}

} // namespace

bool AdxWriter::begin(QIODevice& device, const QDateTime& created) {
    m_device = &device;
    m_xml = std::make_unique<QXmlStreamWriter>(&device);
    m_xml->setAutoFormatting(true);
    m_xml->writeStartDocument();
    m_xml->writeStartElement(QStringLiteral("ADX"));
    m_xml->writeStartElement(QStringLiteral("HEADER"));
    m_xml->writeTextElement(QStringLiteral("ADIF_VER"), QString::fromLatin1(version()));
    m_xml->writeTextElement(QStringLiteral("PROGRAMID"), QStringLiteral("Tempora"));
    m_xml->writeTextElement(QStringLiteral("PROGRAMVERSION"), QStringLiteral(TEMPORA_VERSION));
    m_xml->writeTextElement(QStringLiteral("CREATED_TIMESTAMP"), createdText(created));
    m_xml->writeEndElement();
    m_xml->writeStartElement(QStringLiteral("RECORDS"));
    return checked();
}

bool AdxWriter::write(const AdifRecord& record) {
    m_xml->writeStartElement(QStringLiteral("RECORD"));
    for (const AdifRecord::Field& field : record.fields()) {
        if (field.name.startsWith(QLatin1String("APP_"))) {
            const qsizetype split = field.name.indexOf(QLatin1Char('_'), 4);
            m_xml->writeStartElement(QStringLiteral("APP"));
            m_xml->writeAttribute(QStringLiteral("PROGRAMID"), field.name.mid(4, split - 4));
            m_xml->writeAttribute(QStringLiteral("FIELDNAME"), field.name.mid(split + 1));
            m_xml->writeAttribute(QStringLiteral("TYPE"), QStringLiteral("M"));
        } else {
            m_xml->writeStartElement(field.name);
        }
        writeText(*m_xml, field.value);
        m_xml->writeEndElement();
    }
    m_xml->writeEndElement();
    return checked();
}

bool AdxWriter::finish() {
    m_xml->writeEndDocument();
    return checked();
}

bool AdxWriter::checked() {
    return !m_xml->hasError() || fail(m_device->errorString());
}
