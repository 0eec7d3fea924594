#include "platform/CopyLanguage.h"

#include <QLocale>

#include <cerrno>
#include <cstring>

QString CopyLanguage::text(const char* english, const char* italian) {
    return QString::fromUtf8(QLocale().language() == QLocale::Italian ? italian : english);
}

QString CopyLanguage::errorText(int code) {
    // The C library speaks Italian only where that locale is installed; the errors a copy meets
    // are named here whatever the system has.
    if (QLocale().language() == QLocale::Italian) {
        switch (code) {
        case ENOENT:
            return QStringLiteral("file o cartella inesistente");
        case EIO:
            return QStringLiteral("errore di lettura o scrittura");
        case EACCES:
        case EPERM:
            return QStringLiteral("permesso negato");
        case EBUSY:
            return QStringLiteral("dispositivo o risorsa occupata");
        case EINVAL:
            return QStringLiteral("argomento non valido");
        case ENOSPC:
            return QStringLiteral("spazio esaurito sul supporto");
        case EROFS:
            return QStringLiteral("file system in sola lettura");
        case ENOMEDIUM:
            return QStringLiteral("nessun supporto presente");
        case ENOMEM:
            return QStringLiteral("memoria insufficiente");
        case EFBIG:
            return QStringLiteral("file troppo grande");
        default:
            break;
        }
    }
    return QString::fromLocal8Bit(std::strerror(code));
}
