#include "app/Program.h"
#include "app/ProgramServices.h"
#include "platform/DesignLook.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    DesignLook::useDesignFaces();
    // Qt's own texts (standard buttons, the input dialog) in the system's language, when the
    // system has Qt's translations.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qt"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    ProgramServices services;
    return Program::run(services.services());
}
