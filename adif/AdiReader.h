#pragma once

#include "adif/AdifReader.h"
#include "adif/TextMemo.h"

#include <QByteArray>

// The ADI text form, as real programs write it: a header or none (a header may start with "<"
// when an <EOH> follows), tags in any case, a UTF-8 byte-order mark, any text between fields and
// after a value, values holding "<" or ">", tags without length (<EOR>, unknown ones, ignored),
// type indicators (<QSO_DATE:8:D>). Lengths count bytes; a value whose length counted UTF-8
// characters is recognised, and a value that is not UTF-8 is read as Latin-1.
class AdiReader : public AdifReader {
public:
    explicit AdiReader(QIODevice& device) : m_device(device) {}

    bool next(AdifRecord& record) override;

private:
    // Makes at least count bytes from m_at available, fewer only at the end of the file.
    qsizetype available(qsizetype count);
    bool readValue(qsizetype length, QByteArray& value);
    QByteArray nameOf(QByteArrayView tagName);
    qsizetype valueEnd(qsizetype length) const;

    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    bool m_atEnd = false;
    bool m_started = false;
    bool m_inRecords = false;
    qint64 m_records = 0;
    TextMemo<QByteArray> m_names;
};
