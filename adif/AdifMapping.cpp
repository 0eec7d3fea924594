#include "adif/AdifMapping.h"

#include "adif/AdifBand.h"
#include "adif/AdifFrequency.h"
#include "adif/AdifTime.h"
#include "adif/AdxWriter.h"
#include "adif/AsciiText.h"

#include <QDate>

#include <array>

namespace {

using FieldNames = std::array<QByteArray, LogContact::FieldCount>;

// The program's own field for each of the log's fields, plain and percent-encoded.
const FieldNames& ownFields(bool percent) {
    static const auto names = [](const char* suffix) {
        constexpr std::array<const char*, LogContact::FieldCount> kFields = {
            "QSO_DATE", "TIME_INIT", "TIME_END",  "CALL", "NAME", "QTH",
            "QSL_MAN",  "BAND",      "FREQUENCY", "MODE", "NOTE"};
        FieldNames names;
        for (size_t field = 0; field < kFields.size(); ++field)
            names[field] = QByteArray("APP_TEMPORA_") + kFields[field] + suffix;
        return names;
    };
    static const FieldNames plain = names("");
    static const FieldNames encoded = names("_PERCENT");
    return percent ? encoded : plain;
}

// Read by hand: these run for every contact, and QDate::fromString builds a parser each time.
int number(QByteArrayView text, qsizetype at, qsizetype digits) {
    int value = 0;
    for (qsizetype i = at; i < at + digits; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

QDate isoDate(QByteArrayView text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return {};
    return QDate(number(text, 0, 4), number(text, 5, 2), number(text, 8, 2));
}

QDate adifDate(QByteArrayView text) {
    return text.size() == 8 ? QDate(number(text, 0, 4), number(text, 4, 2), number(text, 6, 2))
                            : QDate();
}

// yyyyMMdd, or yyyy-MM-dd with dashes.
QByteArray dateText(const QDate& date, bool dashes) {
    char text[10];
    char* at = text;
    auto put = [&at](int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            at[i] = char('0' + value % 10);
        at += digits;
    };
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    put(year, 4);
    if (dashes)
        *at++ = '-';
    put(month, 2);
    if (dashes)
        *at++ = '-';
    put(day, 2);
    return QByteArray(text, at - text);
}

int secondsOfDay(QByteArrayView digits) {
    return number(digits, 0, 2) * 3600 + number(digits, 2, 2) * 60 + number(digits, 4, 2);
}

QByteArray upperAscii(const QByteArray& utf8) {
    return AsciiText::isAscii(utf8) ? utf8.toUpper()
                                    : AsciiText::of(QString::fromUtf8(utf8).toUpper().toUtf8());
}

// The international form of a text field, for ADX only, beside its ASCII form.
struct TextField {
    int field;
    const char* name;
    const char* international;
};

} // namespace

void AdifMapping::record(const LogContact& contact, Form form, std::optional<int> localDifference,
                         AdifRecord& record, bool* transliterated) const {
    record.clear();
    std::array<QByteArray, LogContact::FieldCount> restored;
    auto put = [&record](const QByteArray& name, QByteArray value) {
        if (!value.isEmpty())
            record.add(name, std::move(value));
    };

    const QByteArray start = AdifTime::digits(contact[LogContact::TimeInit]);
    const QByteArray end = AdifTime::digits(contact[LogContact::TimeEnd]);
    QDate date = isoDate(contact[LogContact::Date]);
    if (date.isValid()) {
        restored[LogContact::Date] = contact[LogContact::Date];
        if (localDifference && !start.isEmpty()) {
            // The date was the local one at the start: step back over each midnight between.
            const int local = secondsOfDay(start) + *localDifference;
            date = date.addDays(-(local >= 0 ? local / 86400 : (local - 86399) / 86400));
        }
        put(QByteArrayLiteral("QSO_DATE"), dateText(date, false));
    }
    put(QByteArrayLiteral("TIME_ON"), start);
    if (!start.isEmpty())
        restored[LogContact::TimeInit] = AdifTime::clockText(start, m_separator);
    if (!end.isEmpty()) {
        if (date.isValid()) {
            const QDate off = end < start ? date.addDays(1) : date;
            put(QByteArrayLiteral("QSO_DATE_OFF"), dateText(off, false));
        }
        put(QByteArrayLiteral("TIME_OFF"), end);
        restored[LogContact::TimeEnd] = AdifTime::clockText(end, m_separator);
    }

    const QByteArray call = upperAscii(contact[LogContact::Call]);
    put(QByteArrayLiteral("CALL"), call);
    restored[LogContact::Call] = call;

    bool lostCharacters = false;
    static constexpr TextField kTextFields[] = {{LogContact::Name, "NAME", "NAME_INTL"},
                                                {LogContact::Qth, "QTH", "QTH_INTL"},
                                                {LogContact::QslMan, "QSL_VIA", nullptr},
                                                {LogContact::Note, "NOTES", "NOTES_INTL"}};
    for (const TextField& text : kTextFields) {
        const QByteArray& value = contact[text.field];
        const QByteArray ascii = AsciiText::of(value);
        put(QByteArray::fromRawData(text.name, qsizetype(qstrlen(text.name))), ascii);
        restored[text.field] = ascii;
        if (ascii == value)
            continue;
        if (form == Form::Adx && text.international) {
            put(QByteArray(text.international), value);
            restored[text.field] = value;
        } else {
            lostCharacters = true;
        }
    }
    if (transliterated)
        *transliterated = lostCharacters;

    const QByteArray frequency = AdifFrequency::megahertz(contact[LogContact::Frequency]);
    QByteArray band = bandOf(contact[LogContact::Band]);
    if (band.isEmpty() && !frequency.isEmpty())
        band = AdifBand::ofFrequency(frequency.toDouble());
    put(QByteArrayLiteral("BAND"), band);
    restored[LogContact::Band] = band;
    put(QByteArrayLiteral("FREQ"), frequency);
    restored[LogContact::Frequency] = frequency;

    const AdifMode::Pair mode = modeOf(contact[LogContact::Mode]);
    put(QByteArrayLiteral("MODE"), mode.mode);
    put(QByteArrayLiteral("SUBMODE"), mode.submode);
    restored[LogContact::Mode] = mode.submode.isEmpty() ? mode.mode : mode.submode;

    for (int field = 0; field < LogContact::FieldCount; ++field) {
        // A date moved to UTC on purpose is not brought back.
        if (field == LogContact::Date && localDifference && date.isValid())
            continue;
        const QByteArray& value = contact[field];
        if (form == Form::Adx && !AdxWriter::carries(value))
            record.add(ownFields(true)[size_t(field)], value.toPercentEncoding());
        else if (restored[size_t(field)] != value)
            record.add(ownFields(false)[size_t(field)], value);
    }
}

QByteArray AdifMapping::bandOf(const QByteArray& text) const {
    return m_bands.of(
        text, [](const QByteArray& band) { return AdifBand::ofText(QString::fromUtf8(band)); });
}

AdifMode::Pair AdifMapping::modeOf(const QByteArray& text) const {
    return m_modes.of(text,
                      [](const QByteArray& mode) { return AdifMode::of(QString::fromUtf8(mode)); });
}

bool AdifMapping::contact(const AdifRecord& record, LogContact& contact, QString& reason) const {
    auto either = [&record](const char* international, const char* ascii) {
        const QByteArray value = record.value(international);
        return value.isEmpty() ? record.value(ascii) : value;
    };
    contact[LogContact::Call] = record.value("CALL");
    contact[LogContact::Name] = either("NAME_INTL", "NAME");
    contact[LogContact::Qth] = either("QTH_INTL", "QTH");
    contact[LogContact::QslMan] = record.value("QSL_VIA");
    contact[LogContact::Band] = record.value("BAND");
    contact[LogContact::Frequency] = record.value("FREQ");
    contact[LogContact::Mode] = either("SUBMODE", "MODE");
    const QByteArray notes = either("NOTES_INTL", "NOTES");
    const QByteArray comment = either("COMMENT_INTL", "COMMENT");
    contact[LogContact::Note] =
        notes.isEmpty() || comment.isEmpty() ? notes + comment : notes + "; " + comment;

    const FieldNames& own = ownFields(false);
    const FieldNames& encoded = ownFields(true);
    auto restores = [&](int field) {
        return record.has(own[size_t(field)]) || record.has(encoded[size_t(field)]);
    };
    struct Timed {
        int field;
        const char* name;
    };
    // Only a value that no own field replaces has to be readable.
    reason.clear();
    const QByteArray date = record.value("QSO_DATE");
    if (!date.isEmpty()) {
        const QDate value = adifDate(date);
        contact[LogContact::Date] = value.isValid() ? dateText(value, true) : QByteArray();
        if (!value.isValid() && !restores(LogContact::Date))
            reason = QStringLiteral("QSO_DATE \"%1\" is not a date (yyyyMMdd)")
                         .arg(QString::fromUtf8(date));
    } else {
        contact[LogContact::Date].clear();
    }
    for (const Timed timed :
         {Timed{LogContact::TimeInit, "TIME_ON"}, Timed{LogContact::TimeEnd, "TIME_OFF"}}) {
        const QByteArray digits = record.value(timed.name);
        contact[timed.field] = AdifTime::clockText(digits, m_separator);
        if (!digits.isEmpty() && contact[timed.field].isEmpty() && reason.isEmpty() &&
            !restores(timed.field))
            reason = QStringLiteral("%1 \"%2\" is not a time (HHmm or HHmmss)")
                         .arg(QLatin1String(timed.name), QString::fromUtf8(digits));
    }

    for (int field = 0; field < LogContact::FieldCount; ++field) {
        if (record.has(encoded[size_t(field)]))
            contact[field] = QByteArray::fromPercentEncoding(record.value(encoded[size_t(field)]));
        else if (record.has(own[size_t(field)]))
            contact[field] = record.value(own[size_t(field)]);
    }
    if (reason.isEmpty()) {
        if (contact[LogContact::Call].isEmpty())
            reason = QStringLiteral("no CALL");
        else if (contact[LogContact::Date].isEmpty())
            reason = QStringLiteral("no QSO_DATE");
        else if (contact[LogContact::TimeInit].isEmpty())
            reason = QStringLiteral("no TIME_ON");
    }
    return reason.isEmpty();
}
