#pragma once

#include <QList>
#include <QPair>
#include <QString>

// A connection string: `key=value` pairs separated by `;`. Keys match without regard to case
// and blanks around keys and values are dropped; a value may be quoted with " or ' (the quote
// doubled inside stands for itself), which lets it hold `;`. A later pair overrides an earlier
// one with the same key.
class ConnectionString {
public:
    explicit ConnectionString(const QString& text);

    // The value of key; an empty text when the key is absent.
    QString value(const QString& key) const;

private:
    QList<QPair<QString, QString>> m_pairs;
};
