#include "adif/AdxReader.h"

bool AdxReader::next(AdifRecord& record) {
    record.clear();
    while (!m_xml.atEnd()) {
        if (m_xml.readNext() != QXmlStreamReader::StartElement ||
            m_xml.name().compare(QLatin1String("RECORD"), Qt::CaseInsensitive) != 0)
            continue;
        while (m_xml.readNextStartElement()) {
            QString name = m_xml.name().toString().toUpper();
            const QXmlStreamAttributes attributes = m_xml.attributes();
            const QString field = attributes.value(QLatin1String("FIELDNAME")).toString().toUpper();
            if (name == QLatin1String("APP"))
                name = QStringLiteral("APP_%1_%2")
                           .arg(attributes.value(QLatin1String("PROGRAMID")).toString().toUpper(),
                                field);
            else if (name == QLatin1String("USERDEF"))
                name = QStringLiteral("USERDEF_") + field;
            record.add(name.toUtf8(),
                       m_xml.readElementText(QXmlStreamReader::IncludeChildElements).toUtf8());
        }
        if (m_xml.hasError())
            break;
        record.number = ++m_records;
        return true;
    }
    if (m_xml.hasError())
        return fail(QStringLiteral("XML error at line %1: %2")
                        .arg(m_xml.lineNumber())
                        .arg(m_xml.errorString()));
    return false;
}
