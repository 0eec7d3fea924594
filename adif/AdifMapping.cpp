#include "adif/AdifMapping.h"

#include "adif/AdifBand.h"
#include "adif/AdifFrequency.h"
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

// Read by hand: these run for every contact, and QDate::fromString builds a parser each time.
int number(const QString& text, qsizetype at, qsizetype digits) {
    int value = 0;
    for (qsizetype i = at; i < at + digits; ++i) {
        const char16_t c = text[i].unicode();
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

QDate isoDate(const QString& text) {
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return {};
    return QDate(number(text, 0, 4), number(text, 5, 2), number(text, 8, 2));
}

QDate adifDate(const QString& text) {
    return text.size() == 8 ? QDate(number(text, 0, 4), number(text, 4, 2), number(text, 6, 2))
                            : QDate();
}

QString adifText(const QDate& date) {
    char16_t text[8];
    for (int value = date.year(), i = 3; i >= 0; --i, value /= 10)
        text[i] = char16_t('0' + value % 10);
    text[4] = char16_t('0' + date.month() / 10);
    text[5] = char16_t('0' + date.month() % 10);
    text[6] = char16_t('0' + date.day() / 10);
    text[7] = char16_t('0' + date.day() % 10);
    return QString(reinterpret_cast<const QChar*>(text), 8);
}

int secondsOfDay(const QString& digits) {
    return digits.left(2).toInt() * 3600 + digits.mid(2, 2).toInt() * 60 + digits.mid(4, 2).toInt();
}

// The international form of a text field, for ADX only, beside its ASCII form.
struct TextField {
    int field;
    QString name;
    QString international;
};

} // namespace

AdifRecord AdifMapping::record(const LogContact& contact, Form form,
                               std::optional<int> localDifference, bool* transliterated) const {
    AdifRecord record;
    std::array<QString, LogContact::FieldCount> restored;
    auto put = [&record](const QString& name, const QString& value) {
        if (!value.isEmpty())
            record.add(name, value);
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
        put(QStringLiteral("QSO_DATE"), adifText(date));
    }
    put(QStringLiteral("TIME_ON"), start);
    if (!start.isEmpty())
        restored[LogContact::TimeInit] = AdifTime::clockText(start, m_separator);
    if (!end.isEmpty()) {
        if (date.isValid()) {
            const QDate off = end < start ? date.addDays(1) : date;
            put(QStringLiteral("QSO_DATE_OFF"), adifText(off));
        }
        put(QStringLiteral("TIME_OFF"), end);
        restored[LogContact::TimeEnd] = AdifTime::clockText(end, m_separator);
    }

    const QString call = AsciiText::of(contact[LogContact::Call].toUpper());
    put(QStringLiteral("CALL"), call);
    restored[LogContact::Call] = call;

    bool lostCharacters = false;
    static const TextField kTextFields[] = {
        {LogContact::Name, QStringLiteral("NAME"), QStringLiteral("NAME_INTL")},
        {LogContact::Qth, QStringLiteral("QTH"), QStringLiteral("QTH_INTL")},
        {LogContact::QslMan, QStringLiteral("QSL_VIA"), QString()},
        {LogContact::Note, QStringLiteral("NOTES"), QStringLiteral("NOTES_INTL")}};
    for (const TextField& text : kTextFields) {
        const QString& value = contact[text.field];
        const QString ascii = AsciiText::of(value);
        put(text.name, ascii);
        restored[text.field] = ascii;
        if (ascii == value)
            continue;
        if (form == Form::Adx && !text.international.isEmpty()) {
            put(text.international, value);
            restored[text.field] = value;
        } else {
            lostCharacters = true;
        }
    }
    if (transliterated)
        *transliterated = lostCharacters;

    const QString frequency = AdifFrequency::megahertz(contact[LogContact::Frequency]);
    QString band = bandOf(contact[LogContact::Band]);
    if (band.isEmpty() && !frequency.isEmpty())
        band = AdifBand::ofFrequency(frequency.toDouble());
    put(QStringLiteral("BAND"), band);
    restored[LogContact::Band] = band;
    put(QStringLiteral("FREQ"), frequency);
    restored[LogContact::Frequency] = frequency;

    const AdifMode::Pair mode = modeOf(contact[LogContact::Mode]);
    put(QStringLiteral("MODE"), mode.mode);
    put(QStringLiteral("SUBMODE"), mode.submode);
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

namespace {
constexpr qsizetype kCacheLimit = 4096;
}

QString AdifMapping::bandOf(const QString& text) const {
    const auto found = m_bands.constFind(text);
    if (found != m_bands.constEnd())
        return *found;
    const QString band = AdifBand::ofText(text);
    if (m_bands.size() < kCacheLimit)
        m_bands.insert(text, band);
    return band;
}

AdifMode::Pair AdifMapping::modeOf(const QString& text) const {
    const auto found = m_modes.constFind(text);
    if (found != m_modes.constEnd())
        return *found;
    const AdifMode::Pair mode = AdifMode::of(text);
    if (m_modes.size() < kCacheLimit)
        m_modes.insert(text, mode);
    return mode;
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
