#pragma once

#include <QString>

// Keeps paths whole in dialogs that wrap their text: a line may break before or after a quoted
// path ("/media/op/MY STICK/Tempora.mdb"), never inside it, where the toolkit would otherwise
// break after each slash, hyphen or blank.
namespace WholePaths {

// text with no-break spaces for the blanks and a word joiner (U+2060) at each other line-break
// opportunity inside every double-quoted run that starts with a slash; the rest is unchanged.
QString apply(const QString& text);

} // namespace WholePaths
