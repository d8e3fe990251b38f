#pragma once

#include <QString>

// Photo-like test pictures and the peer program, both through ImageMagick (/usr/bin/convert).

// Makes `path` (PNG) a width x height landscape: sky gradient, textured ground, a house with windows,
// a tree, a sun and a row of fence posts. Returns false when convert fails.
bool MakeLandscape(const QString& path, int width, int height);

// Makes `path` (PNG) a width x height sky, a smooth vertical gradient, with two textured circles of a
// diameter of 35 % of the height, side by side at mid-height. Returns false when convert fails.
bool MakeCircles(const QString& path, int width, int height);

// Runs /usr/bin/convert with `args`; returns the wall-clock seconds, or a negative value on failure.
double RunConvert(const QStringList& args);
