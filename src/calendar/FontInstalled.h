#pragma once

#include <QStringView>

// True when a font family of this name is installed, compared without regard to case. Always false
// without a QGuiApplication, since there is then no font database to ask.
bool FontInstalled(QStringView name);
