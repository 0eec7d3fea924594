#pragma once

#include "adif/AdifMode.h"
#include "adif/AdifRecord.h"
#include "adif/LogContact.h"
#include "adif/TextMemo.h"

#include <QString>

#include <optional>

// The log's fields to the format's and back. Writing, each field goes out in its standard form;
// a value the standard field cannot give back exactly as stored also goes out as the program's
// own field APP_TEMPORA_..., so that reading the record again restores every field byte for
// byte. An empty APP_TEMPORA_ field stands for a field without value. A value XML cannot carry
// (most control characters) goes into an ADX file as APP_TEMPORA_..._PERCENT, percent-encoded.
// Reading, the standard fields of any logger are taken and the program's own fields, where
// present, win.
class AdifMapping {
public:
    enum class Form { Adi, Adx };

    // separator: the time separator the log's clock text uses.
    explicit AdifMapping(const QString& separator) : m_separator(separator.toUtf8()) {}

    // Fills record with the contact's fields; it may point into the contact. localDifference:
    // for a log holding the operator's local dates, local time minus UTC in seconds; each date
    // then goes out as the UTC date of the start time. transliterated is set when a text had to
    // lose characters that ADI cannot hold.
    void record(const LogContact& contact, Form form, std::optional<int> localDifference,
                AdifRecord& record, bool* transliterated) const;
    // False, with the reason, when the record has no call, date or start time, or a date or
    // time that cannot be read.
    bool contact(const AdifRecord& record, LogContact& contact, QString& reason) const;

private:
    QByteArray bandOf(const QByteArray& text) const;
    AdifMode::Pair modeOf(const QByteArray& text) const;

    QByteArray m_separator;
    // Logs repeat a few band and mode texts: each is mapped once.
    mutable TextMemo<QByteArray> m_bands;
    mutable TextMemo<AdifMode::Pair> m_modes;
};
