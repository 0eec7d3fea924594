#include "adif/AdifMapping.h"

#include "adif/AdifBand.h"
#include "adif/AdifFrequency.h"
#include "adif/AdifMode.h"
#include "adif/AdifTime.h"
#include "adif/AsciiText.h"

#include <QDate>

#include <array>

namespace {

// The program's own field for each of the log's fields.
constexpr std::array<const char*, LogContact::FieldCount> kOwnFields = {
    "APP_TEMPORA_QSO_DATE",  "APP_TEMPORA_TIME_INIT", "APP_TEMPORA_TIME_END", "APP_TEMPORA_CALL",
    "APP_TEMPORA_NAME",      "APP_TEMPORA_QTH",       "APP_TEMPORA_QSL_MAN",  "APP_TEMPORA_BAND",
    "APP_TEMPORA_FREQUENCY", "APP_TEMPORA_MODE",      "APP_TEMPORA_NOTE"};

QDate isoDate(const QString& text) {
    return text.size() == 10 ? QDate::fromString(text, Qt::ISODate) : QDate();
}

QDate adifDate(const QString& text) {
    return text.size() == 8 ? QDate::fromString(text, QStringLiteral("yyyyMMdd")) : QDate();
}

int secondsOfDay(const QString& digits) {
    return digits.left(2).toInt() * 3600 + digits.mid(2, 2).toInt() * 60 + digits.mid(4, 2).toInt();
}

// The international form of a text field, for ADX only, beside its ASCII form.
struct TextField {
    int field;
    const char* name;
    const char* international;
};
constexpr TextField kTextFields[] = {{LogContact::Name, "NAME", "NAME_INTL"},
                                     {LogContact::Qth, "QTH", "QTH_INTL"},
                                     {LogContact::QslMan, "QSL_VIA", nullptr},
                                     {LogContact::Note, "NOTES", "NOTES_INTL"}};

} // namespace

AdifRecord AdifMapping::record(const LogContact& contact, Form form,
                               std::optional<int> localDifference, bool* transliterated) const {
    AdifRecord record;
    std::array<QString, LogContact::FieldCount> restored;
    auto put = [&record](const char* name, const QString& value) {
        if (!value.isEmpty())
            record.add(QLatin1String(name), value);
    };

    const QString start = AdifTime::digits(contact[LogContact::TimeInit]);
    const QString end = AdifTime::digits(contact[LogContact::TimeEnd]);
    QDate date = isoDate(contact[LogContact::Date]);
    if (date.isValid()) {
        restored[LogContact::Date] = contact[LogContact::Date];
        if (localDifference && !start.isEmpty()) {
            // The date was the local one at the start: step back over each midnight between.
            const int local = secondsOfDay(start) + *localDifference;
            date = date.addDays(-(local >= 0 ? local / 86400 : (local - 86399) / 86400));
        }
        put("QSO_DATE", date.toString(QStringLiteral("yyyyMMdd")));
    }
    put("TIME_ON", start);
    if (!start.isEmpty())
        restored[LogContact::TimeInit] = AdifTime::clockText(start, m_separator);
    if (!end.isEmpty()) {
        if (date.isValid()) {
            const QDate off = end < start ? date.addDays(1) : date;
            put("QSO_DATE_OFF", off.toString(QStringLiteral("yyyyMMdd")));
        }
        put("TIME_OFF", end);
        restored[LogContact::TimeEnd] = AdifTime::clockText(end, m_separator);
    }

    const QString call = AsciiText::of(contact[LogContact::Call].toUpper());
    put("CALL", call);
    restored[LogContact::Call] = call;

    bool lostCharacters = false;
    for (const TextField& text : kTextFields) {
        const QString& value = contact[text.field];
        const QString ascii = AsciiText::of(value);
        put(text.name, ascii);
        restored[text.field] = ascii;
        if (ascii == value)
            continue;
        if (form == Form::Adx && text.international) {
            put(text.international, value);
            restored[text.field] = value;
        } else {
            lostCharacters = true;
        }
    }
    if (transliterated)
        *transliterated = lostCharacters;

    const QString frequency = AdifFrequency::megahertz(contact[LogContact::Frequency]);
    QString band = AdifBand::ofText(contact[LogContact::Band]);
    if (band.isEmpty() && !frequency.isEmpty())
        band = AdifBand::ofFrequency(frequency.toDouble());
    put("BAND", band);
    restored[LogContact::Band] = band;
    put("FREQ", frequency);
    restored[LogContact::Frequency] = frequency;

    const AdifMode::Pair mode = AdifMode::of(contact[LogContact::Mode]);
    put("MODE", mode.mode);
    put("SUBMODE", mode.submode);
    restored[LogContact::Mode] = mode.submode.isEmpty() ? mode.mode : mode.submode;

    for (int field = 0; field < LogContact::FieldCount; ++field) {
        // A date moved to UTC on purpose is not brought back.
        if (field == LogContact::Date && localDifference && date.isValid())
            continue;
        if (restored[size_t(field)] != contact[field])
            record.add(QLatin1String(kOwnFields[size_t(field)]), contact[field]);
    }
    return record;
}

bool AdifMapping::contact(const AdifRecord& record, LogContact& contact, QString& reason) const {
    auto either = [&record](const char* international, const char* ascii) {
        const QString value = record.value(QLatin1String(international));
        return value.isEmpty() ? record.value(QLatin1String(ascii)) : value;
    };
    contact[LogContact::Call] = record.value(QLatin1String("CALL"));
    contact[LogContact::Name] = either("NAME_INTL", "NAME");
    contact[LogContact::Qth] = either("QTH_INTL", "QTH");
    contact[LogContact::QslMan] = record.value(QLatin1String("QSL_VIA"));
    contact[LogContact::Band] = record.value(QLatin1String("BAND"));
    contact[LogContact::Frequency] = record.value(QLatin1String("FREQ"));
    contact[LogContact::Mode] = either("SUBMODE", "MODE");
    const QString notes = either("NOTES_INTL", "NOTES");
    const QString comment = either("COMMENT_INTL", "COMMENT");
    contact[LogContact::Note] = notes.isEmpty() || comment.isEmpty()
                                    ? notes + comment
                                    : notes + QStringLiteral("; ") + comment;

    struct Timed {
        int field;
        const char* name;
    };
    // Only a value that no own field replaces has to be readable.
    reason.clear();
    const QString date = record.value(QLatin1String("QSO_DATE"));
    if (!date.isEmpty()) {
        const QDate value = adifDate(date);
        contact[LogContact::Date] = value.toString(Qt::ISODate);
        if (!value.isValid() && !record.has(QLatin1String(kOwnFields[LogContact::Date])))
            reason = QStringLiteral("QSO_DATE \"%1\" is not a date (yyyyMMdd)").arg(date);
    } else {
        contact[LogContact::Date].clear();
    }
    for (const Timed timed :
         {Timed{LogContact::TimeInit, "TIME_ON"}, Timed{LogContact::TimeEnd, "TIME_OFF"}}) {
        const QString digits = record.value(QLatin1String(timed.name));
        contact[timed.field] = AdifTime::clockText(digits, m_separator);
        if (!digits.isEmpty() && contact[timed.field].isEmpty() && reason.isEmpty() &&
            !record.has(QLatin1String(kOwnFields[size_t(timed.field)])))
            reason = QStringLiteral("%1 \"%2\" is not a time (HHmm or HHmmss)")
                         .arg(QLatin1String(timed.name), digits);
    }

    for (int field = 0; field < LogContact::FieldCount; ++field) {
        const QLatin1String own(kOwnFields[size_t(field)]);
        if (record.has(own))
            contact[field] = record.value(own);
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
