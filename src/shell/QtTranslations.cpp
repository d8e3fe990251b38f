#include "shell/QtTranslations.h"

#include "calendar/CalendarDates.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void InstallQtTranslations() {
    // "qt" is the catalog that pulls in those of Qt's modules (qtbase and the others).
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(CalendarLocale(), "qt", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
