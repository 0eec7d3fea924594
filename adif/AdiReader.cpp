#include "adif/AdiReader.h"

#include "adif/AdxReader.h"

#include <QIODevice>

namespace {

constexpr qsizetype kPieceBytes = 1 << 20;
constexpr qsizetype kLongestTag = 256;
constexpr qsizetype kLongestValue = 1 << 20;

// Bytes of the UTF-8 sequence starting with lead, 0 when lead cannot start one.
int sequenceLength(uchar lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xc2 && lead <= 0xdf)
        return 2;
    if (lead >= 0xe0 && lead <= 0xef)
        return 3;
    if (lead >= 0xf0 && lead <= 0xf4)
        return 4;
    return 0;
}

bool isContinuation(uchar byte) {
    return (byte & 0xc0) == 0x80;
}

// The end of count UTF-8 characters from begin, or -1 when the bytes are not UTF-8.
qsizetype charactersEnd(const QByteArray& bytes, qsizetype begin, qsizetype count) {
    qsizetype at = begin;
    for (qsizetype i = 0; i < count; ++i) {
        if (at >= bytes.size())
            return -1;
        const int length = sequenceLength(uchar(bytes[at]));
        if (length == 0 || at + length > bytes.size())
            return -1;
        for (int k = 1; k < length; ++k) {
            if (!isContinuation(uchar(bytes[at + k])))
                return -1;
        }
        at += length;
    }
    return at;
}

bool isUtf8(const QByteArray& bytes) {
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype end = charactersEnd(bytes, at, 1);
        if (end < 0)
            return false;
        at = end;
    }
    return true;
}

bool isAscii(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

bool endsValue(const QByteArray& bytes, qsizetype at) {
    return at >= bytes.size() || bytes[at] == '<' || bytes[at] == ' ' || bytes[at] == '\r' ||
           bytes[at] == '\n' || bytes[at] == '\t';
}

} // namespace

std::unique_ptr<AdifReader> AdifReader::open(QIODevice& device) {
    QByteArray start = device.peek(512);
    if (start.startsWith("\xef\xbb\xbf"))
        start.remove(0, 3);
    const QByteArray first = start.trimmed().left(4).toUpper();
    if (first.startsWith("<?") || first == "<ADX")
        return std::make_unique<AdxReader>(device);
    return std::make_unique<AdiReader>(device);
}

qsizetype AdiReader::available(qsizetype count) {
    if (m_buffer.size() - m_at < count && !m_atEnd) {
        m_buffer.remove(0, m_at);
        m_at = 0;
        while (m_buffer.size() < count && !m_atEnd) {
            const QByteArray piece = m_device.read(qMax(count - m_buffer.size(), kPieceBytes));
            if (piece.isEmpty())
                m_atEnd = true;
            m_buffer += piece;
        }
    }
    return qMin(count, m_buffer.size() - m_at);
}

// Where a value of `length` ends: after that many bytes, as the format counts, unless that cuts
// a character in two or only counting characters ends it where the next field begins.
qsizetype AdiReader::valueEnd(qsizetype length) const {
    const qsizetype bytesEnd = qMin(m_at + length, m_buffer.size());
    if (isAscii(QByteArrayView(m_buffer).sliced(m_at, bytesEnd - m_at)))
        return bytesEnd;
    const qsizetype charsEnd = charactersEnd(m_buffer, m_at, length);
    if (charsEnd < 0 || charsEnd == bytesEnd)
        return bytesEnd;
    const bool cutsCharacter =
        bytesEnd < m_buffer.size() && isContinuation(uchar(m_buffer[bytesEnd]));
    return cutsCharacter || (endsValue(m_buffer, charsEnd) && !endsValue(m_buffer, bytesEnd))
               ? charsEnd
               : bytesEnd;
}

bool AdiReader::readValue(qsizetype length, QByteArray& value) {
    // A character is at most four bytes, and one more byte tells where the value ended.
    available(length * 4 + 1);
    const qsizetype end = valueEnd(length);
    value = m_buffer.mid(m_at, end - m_at);
    m_at = end;
    if (value.size() < length)
        return false;
    if (!isAscii(value) && !isUtf8(value))
        value = QString::fromLatin1(value).toUtf8();
    return true;
}

// The field name in capitals, the same array for each name seen before.
QByteArray AdiReader::nameOf(QByteArrayView tagName) {
    char upper[kLongestTag];
    for (qsizetype i = 0; i < tagName.size(); ++i) {
        const char c = tagName[i];
        upper[i] = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    }
    return m_names.of(QByteArray::fromRawData(upper, tagName.size()), [](const QByteArray& name) {
        return QByteArray(name.constData(), name.size());
    });
}

bool AdiReader::next(AdifRecord& record) {
    record.clear();
    if (!m_started) {
        m_started = true;
        if (available(3) == 3 && m_buffer.startsWith("\xef\xbb\xbf"))
            m_at += 3;
    }
    for (;;) {
        qsizetype open = m_buffer.indexOf('<', m_at);
        while (open < 0 && !m_atEnd) {
            m_at = m_buffer.size();
            available(kPieceBytes);
            open = m_buffer.indexOf('<', m_at);
        }
        if (open < 0) {
            m_at = m_buffer.size();
            // A last record whose <EOR> is missing still counts.
            if (record.isEmpty() || !m_inRecords)
                return false;
            record.number = ++m_records;
            return true;
        }
        m_at = open;
        const qsizetype tagBytes = available(kLongestTag);
        const QByteArrayView tagArea = QByteArrayView(m_buffer).sliced(m_at, tagBytes);
        const qsizetype close = tagArea.indexOf('>');
        if (close < 0) {
            ++m_at;
            continue;
        }
        // NAME[:LENGTH[:TYPE]], read in place.
        const QByteArrayView tag = tagArea.sliced(1, close - 1);
        m_at += close + 1;
        const qsizetype colon = tag.indexOf(':');
        const QByteArrayView name = (colon < 0 ? tag : tag.first(colon)).trimmed();
        if (qstrnicmp(name.data(), name.size(), "EOH", 3) == 0) {
            if (!m_inRecords)
                record.clear();
            m_inRecords = true;
            continue;
        }
        if (qstrnicmp(name.data(), name.size(), "EOR", 3) == 0) {
            m_inRecords = true;
            if (record.isEmpty())
                continue;
            record.number = ++m_records;
            return true;
        }
        if (colon < 0 || name.isEmpty())
            continue;
        const QByteArrayView rest = tag.sliced(colon + 1);
        const qsizetype typeColon = rest.indexOf(':');
        bool ok = false;
        const qsizetype length =
            (typeColon < 0 ? rest : rest.first(typeColon)).trimmed().toLongLong(&ok);
        if (!ok || length < 0)
            continue;
        const QByteArray fieldName = nameOf(name);
        if (length > kLongestValue) {
            record.refusal = QStringLiteral("the field %1 is longer than %2 bytes")
                                 .arg(QString::fromLatin1(fieldName))
                                 .arg(kLongestValue);
            // Skip the value piece by piece.
            for (qsizetype left = length; left > 0 && available(1) > 0;) {
                const qsizetype step = qMin(left, available(kPieceBytes));
                m_at += step;
                left -= step;
            }
            continue;
        }
        QByteArray value;
        if (!readValue(length, value)) {
            record.refusal = QStringLiteral("the file ends inside the field %1")
                                 .arg(QString::fromLatin1(fieldName));
        }
        record.add(fieldName, std::move(value));
    }
}
