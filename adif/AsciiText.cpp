#include "adif/AsciiText.h"

#include <QString>

namespace {

struct Spelling {
    char16_t letter;
    const char* ascii;
};

constexpr Spelling kSpellings[] = {
    {u'ß', "ss"}, {u'Æ', "AE"}, {u'æ', "ae"}, {u'Œ', "OE"}, {u'œ', "oe"}, {u'Ø', "O"},  {u'ø', "o"},
    {u'Ł', "L"},  {u'ł', "l"},  {u'Đ', "D"},  {u'đ', "d"},  {u'Þ', "TH"}, {u'þ', "th"}, {u'ı', "i"},
    {u'‘', "'"},  {u'’', "'"},  {u'“', "\""}, {u'”', "\""}, {u'–', "-"},  {u'—', "-"}};

QString transliterated(const QString& text) {
    QString ascii;
    ascii.reserve(text.size());
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.unicode() <= 127) {
            ascii += c;
            continue;
        }
        // A character beyond the basic plane is one "?", not one per half.
        if (c.category() == QChar::Mark_NonSpacing || c.isLowSurrogate())
            continue;
        const char* spelt = "?";
        for (const Spelling& spelling : kSpellings) {
            if (spelling.letter == c.unicode())
                spelt = spelling.ascii;
        }
        ascii += QLatin1String(spelt);
    }
    return ascii;
}

} // namespace

bool AsciiText::isAscii(QByteArrayView utf8) {
    for (const char c : utf8) {
        if (uchar(c) > 127)
            return false;
    }
    return true;
}

QByteArray AsciiText::of(const QByteArray& utf8) {
    return isAscii(utf8) ? utf8 : transliterated(QString::fromUtf8(utf8)).toLatin1();
}
