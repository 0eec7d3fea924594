#include "adif/AdiWriter.h"

#include <QIODevice>

#include <algorithm>
#include <iterator>

namespace {
constexpr qsizetype kPieceBytes = 1 << 18;
}

bool AdiWriter::begin(QIODevice& device, const QDateTime& created) {
    m_device = &device;
    m_pending.truncate(0);
    m_pending.reserve(kPieceBytes + 4096);
    m_pending.append("Tempora station log\n");
    append("ADIF_VER", version());
    append("PROGRAMID", "Tempora");
    append("PROGRAMVERSION", TEMPORA_VERSION);
    append("CREATED_TIMESTAMP", createdText(created).toLatin1());
    m_pending += "\n<EOH>\n";
    return flush();
}

// Written through a pointer into room made at once: this runs for every field of every contact.
void AdiWriter::append(QByteArrayView name, QByteArrayView value) {
    char length[24];
    char* digits = std::end(length);
    qsizetype left = value.size();
    do {
        *--digits = char('0' + left % 10);
        left /= 10;
    } while (left > 0);
    const qsizetype digitCount = std::end(length) - digits;
    const qsizetype at = m_pending.size();
    m_pending.resize(at + name.size() + digitCount + value.size() + 4);
    char* out = m_pending.data() + at;
    *out++ = '<';
    out = std::copy(name.begin(), name.end(), out);
    *out++ = ':';
    out = std::copy(digits, std::end(length), out);
    *out++ = '>';
    out = std::copy(value.begin(), value.end(), out);
    *out = ' ';
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
