#pragma once

#include "adif/AdifRecord.h"

#include <QDateTime>
#include <QString>

class QIODevice;

// Writes records to a device as they come: a header naming the format version and the program,
// one record per call, and the closing part. Fails with a description when the device refuses.
class AdifWriter {
public:
    static const char* version() { return "3.1.4"; }

    virtual ~AdifWriter() = default;
    // created: the moment written into the header, in UTC.
    virtual bool begin(QIODevice& device, const QDateTime& created) = 0;
    virtual bool write(const AdifRecord& record) = 0;
    virtual bool finish() = 0;
    QString lastError() const { return m_lastError; }

protected:
    static QString createdText(const QDateTime& created) {
        return created.toUTC().toString(QStringLiteral("yyyyMMdd HHmmss"));
    }
    bool fail(const QString& error) {
        m_lastError = error;
        return false;
    }

private:
    QString m_lastError;
};
