#pragma once

#include "adif/AdifWriter.h"

#include <QByteArray>

// The ADI text form: a header line of free text first (so that the file does not start with
// "<"), fields as <NAME:length>value with the length in bytes of the UTF-8 value, <EOR> after
// each record, one record a line. Output is gathered and written in large pieces.
class AdiWriter : public AdifWriter {
public:
    bool begin(QIODevice& device, const QDateTime& created) override;
    bool write(const AdifRecord& record) override;
    bool finish() override;

private:
    void append(QByteArrayView name, QByteArrayView value);
    bool flush();

    QIODevice* m_device = nullptr;
    QByteArray m_pending;
};
