#include "adif/AdiWriter.h"

#include <QIODevice>

namespace {
constexpr qsizetype kPieceBytes = 1 << 16;
}

bool AdiWriter::begin(QIODevice& device, const QDateTime& created) {
    m_device = &device;
    m_pending = QByteArrayLiteral("Tempora station log\n");
    append(QLatin1String("ADIF_VER"), QString::fromLatin1(version()));
    append(QLatin1String("PROGRAMID"), QStringLiteral("Tempora"));
    append(QLatin1String("PROGRAMVERSION"), QStringLiteral(TEMPORA_VERSION));
    append(QLatin1String("CREATED_TIMESTAMP"), createdText(created));
    m_pending += "\n<EOH>\n";
    return flush();
}

void AdiWriter::append(QLatin1String name, const QString& value) {
    const QByteArray bytes = value.toUtf8();
    m_pending += '<';
    m_pending += QByteArrayView(name.data(), name.size());
    m_pending += ':';
    m_pending += QByteArray::number(bytes.size());
    m_pending += '>';
    m_pending += bytes;
    m_pending += ' ';
}

bool AdiWriter::write(const AdifRecord& record) {
    for (const AdifRecord::Field& field : record.fields())
        append(QLatin1String(field.name.toLatin1()), field.value);
    m_pending += "<EOR>\n";
    return m_pending.size() < kPieceBytes || flush();
}

bool AdiWriter::finish() {
    return flush();
}

bool AdiWriter::flush() {
    if (m_device->write(m_pending) != m_pending.size())
        return fail(m_device->errorString());
    m_pending.clear();
    return true;
}
