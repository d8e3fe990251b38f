#pragma once

#include <QString>

// The face fontconfig draws `family` with, when that counts as the family being installed: the
// family itself, or a face that a metric-compatible alias rule puts in its place (Arial → Liberation
// Sans). Empty when only an unrelated default would stand in for it.
QString InstalledFace(const QString& family);
