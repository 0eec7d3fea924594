#pragma once

#include <QString>

// The language of the copy's own texts: Italian under an Italian locale, English otherwise, so
// that they match the standard buttons of the dialogs they appear in.
namespace CopyLanguage {

QString text(const char* english, const char* italian);
// The description of a system error number (errno), in that language.
QString errorText(int code);

} // namespace CopyLanguage
