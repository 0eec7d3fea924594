#include "log/LogDateText.h"

#include "platform/RegionalFormats.h"

#include <QDate>

QString LogDateText::text(const QVariant& stored) const {
    if (stored.isNull())
        return QString();
    const QString value = stored.toString();
    const QDate date = QDate::fromString(value, Qt::ISODate);
    return date.isValid() && value.size() == 10 ? m_formats.dateText(date) : value;
}

bool LogDateText::stored(const QString& text, QVariant& value) const {
    if (text.trimmed().isEmpty()) {
        value = QVariant();
        return true;
    }
    const QDate date = m_formats.parseDateText(text);
    if (!date.isValid()) {
        m_lastError =
            QStringLiteral("\"%1\" is not a date: type it as %2, for example %3.")
                .arg(text, m_formats.shortDateFormat(), m_formats.dateText(QDate(2024, 12, 31)));
        return false;
    }
    value = date.toString(Qt::ISODate);
    return true;
}
