#pragma once

#include <QString>

// A picture's path in the parts the placeholders use. Paths have no drive on Linux, so `drive` is
// always empty, and the directory loses its one leading "/" ("/home/a/b.jpg" -> "home/a").
struct PathParts {
    QString drive;
    QString directory;
    QString name;      // file name without its last extension
    QString extension; // behind the last ".", without it
};

PathParts SplitPath(const QString& path);
