#include "adif/AdiWriter.h"

#include <QIODevice>

namespace {
constexpr qsizetype kPieceBytes = 1 << 16;
}

bool AdiWriter::begin(QIODevice& device, const QDateTime& created) {
    m_device = &device;
    m_pending.truncate(0);
    m_pending.reserve(kPieceBytes + 4096);
    m_pending.append("Tempora station log\n");
    append(u"ADIF_VER", QString::fromLatin1(version()));
    append(u"PROGRAMID", QStringLiteral("Tempora"));
    append(u"PROGRAMVERSION", QStringLiteral(TEMPORA_VERSION));
    append(u"CREATED_TIMESTAMP", createdText(created));
    m_pending += "\n<EOH>\n";
    return flush();
}

// Names and most values are ASCII: they go in character by character, without a conversion.
void AdiWriter::appendAscii(QStringView text) {
    const qsizetype at = m_pending.size();
    m_pending.resize(at + text.size());
    char* out = m_pending.data() + at;
    for (const QChar c : text)
        *out++ = char(c.unicode());
}

void AdiWriter::append(QStringView name, const QString& value) {
    m_pending += '<';
    appendAscii(name);
    m_pending += ':';
    bool ascii = true;
    for (const QChar c : value)
        ascii = ascii && c.unicode() < 128;
    if (ascii) {
        m_pending += QByteArray::number(value.size());
        m_pending += '>';
        appendAscii(value);
    } else {
        const QByteArray bytes = value.toUtf8();
        m_pending += QByteArray::number(bytes.size());
        m_pending += '>';
        m_pending += bytes;
    }
    m_pending += ' ';
}

bool AdiWriter::write(const AdifRecord& record) {
    for (const AdifRecord::Field& field : record.fields())
        append(field.name, field.value);
    m_pending += "<EOR>\n";
    return m_pending.size() < kPieceBytes || flush();
}

bool AdiWriter::finish() {
    return flush();
}

bool AdiWriter::flush() {
    if (m_device->write(m_pending) != m_pending.size())
        return fail(m_device->errorString());
    m_pending.truncate(0);
    return true;
}
