#include "adif/AdxWriter.h"

#include <QIODevice>

#include <string>

namespace {

bool isXmlCharacter(char32_t c) {
    return c == 0x9 || c == 0xa || c == 0xd || (c >= 0x20 && c <= 0xd7ff) ||
           (c >= 0xe000 && c <= 0xfffd) || (c >= 0x10000 && c <= 0x10ffff);
}

// XML readers turn a CR LF into LF; as a character reference the CR stays. Characters XML cannot
// hold are left out: the mapping keeps such a value whole in a form XML carries.
void writeText(QXmlStreamWriter& xml, const QByteArray& utf8) {
    QString text = QString::fromUtf8(utf8);
    if (!AdxWriter::carries(utf8)) {
        std::u32string kept;
        for (const char32_t c : text.toUcs4()) {
            if (isXmlCharacter(c))
                kept += c;
        }
        text = QString::fromUcs4(kept.data(), qsizetype(kept.size()));
    }
    const QStringList lines = text.split(QLatin1Char('\r'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(QStringLiteral("#13"));
        xml.writeCharacters(lines[i]);
    }
}

} // namespace

bool AdxWriter::carries(const QByteArray& utf8) {
    bool ascii = true;
    for (const char c : utf8) {
        if (uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
        ascii = ascii && uchar(c) < 0x80;
    }
    if (ascii)
        return true;
    // Bytes that are not UTF-8 would come back as replacement characters.
    const QString text = QString::fromUtf8(utf8);
    if (text.toUtf8() != utf8)
        return false;
    for (const char32_t c : text.toUcs4()) {
        if (!isXmlCharacter(c))
            return false;
    }
    return true;
}

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
        const QString name = QString::fromLatin1(field.name);
        if (name.startsWith(QLatin1String("APP_"))) {
            const qsizetype split = name.indexOf(QLatin1Char('_'), 4);
            m_xml->writeStartElement(QStringLiteral("APP"));
            m_xml->writeAttribute(QStringLiteral("PROGRAMID"), name.mid(4, split - 4));
            m_xml->writeAttribute(QStringLiteral("FIELDNAME"), name.mid(split + 1));
            m_xml->writeAttribute(QStringLiteral("TYPE"), QStringLiteral("M"));
        } else {
            m_xml->writeStartElement(name);
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
