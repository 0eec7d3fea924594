#pragma once

#include <QString>

// Reads a whole text file (UTF-8) in one go: opened, read and closed within the call.
class TextFileReader {
public:
    // False when the file cannot be opened or read; lastError() then says why.
    bool read(const QString& path, QString* content);
    QString lastError() const { return m_lastError; }

private:
    QString m_lastError;
};
