#pragma once

#include "adif/AdifRecord.h"

#include <QString>

#include <memory>

class QIODevice;

// Reads the records of one file in order, never holding more than a piece of it. A record
// field that cannot be taken in marks that record with a refusal; a file that cannot be read on
// fails the reader with a description.
class AdifReader {
public:
    virtual ~AdifReader() = default;
    // The reader for the device's content: ADX when it starts as XML, else ADI.
    static std::unique_ptr<AdifReader> open(QIODevice& device);

    // The next record; false at the end of the file or on failure (see failed()).
    virtual bool next(AdifRecord& record) = 0;
    bool failed() const { return !m_lastError.isEmpty(); }
    QString lastError() const { return m_lastError; }

protected:
    bool fail(const QString& error) {
        m_lastError = error;
        return false;
    }

private:
    QString m_lastError;
};
