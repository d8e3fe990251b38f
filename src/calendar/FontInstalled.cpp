#include "calendar/FontInstalled.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>

bool FontInstalled(QStringView name) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
    const QStringList families = QFontDatabase::families();
    return std::any_of(families.begin(), families.end(), [name](const QString& family) {
        return QStringView(family).compare(name, Qt::CaseInsensitive) == 0;
    });
}
