#include "platform/TextFileReader.h"

#include <QFile>

bool TextFileReader::read(const QString& path, QString* content) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("Cannot open \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_lastError = QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    *content = QString::fromUtf8(bytes);
    m_lastError.clear();
    return true;
}
