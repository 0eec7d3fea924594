#pragma once

#include <QString>

#include <optional>

// The local-time difference from UTC as the difference box holds it, normally hh.mm.ss without a
// sign ("01.00.00"). check() sorts a text exactly as found: the four texts of a half-deleted
// difference ("", ".00.00", "00.00", ".00") are skipped, ".0" calls for the warning, anything else
// is converted. seconds() reads h, h.m or h.m.s (one or two digits each, "." or ":" used
// throughout) with hours 0-23 and minutes and seconds 0-59, ignoring surrounding white space such
// as the line break an editor leaves at the end of the file.
class DifferenceText {
public:
    enum class Check { Skip, Warn, Convert };

    static Check check(const QString& text);

    // The difference in seconds, or nothing when the text is not a time of day; lastError() then
    // names the text, the file it comes from and the form expected.
    std::optional<int> seconds(const QString& text);
    QString lastError() const { return m_lastError; }

private:
    QString m_lastError;
};
