#include "desktopsetup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace rt {

void installFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial Black"), QStringLiteral("Lato"));
}

void setUpDesktop(QApplication &app)
{
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral("3.00"));
    QApplication::setDesktopFileName(QStringLiteral("velmora"));

    // The dialogs' own buttons speak Italian, like the rest of the program.
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    installFontSubstitutes();
}

} // namespace rt
