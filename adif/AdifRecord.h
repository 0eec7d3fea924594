#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// One record of an ADIF file: its fields by name in capitals ("CALL", "APP_TEMPORA_NAME"), in
// the order they came, their values as UTF-8. number is the record's place in its file (1 for
// the first), and a reader that could not take a field in sets refusal to the reason.
class AdifRecord {
public:
    struct Field {
        QByteArray name;
        QByteArray value;
    };

    AdifRecord() { m_fields.reserve(24); }
    void clear();
    void add(QByteArray name, QByteArray value) {
        m_fields.append({std::move(name), std::move(value)});
    }
    // The first field of that name; a null array when there is none.
    QByteArray value(QByteArrayView name) const;
    bool has(QByteArrayView name) const;
    bool isEmpty() const { return m_fields.isEmpty(); }
    const QList<Field>& fields() const { return m_fields; }

    qint64 number = 0;
    QString refusal;

private:
    QList<Field> m_fields;
};
