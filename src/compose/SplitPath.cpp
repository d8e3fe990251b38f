#include "compose/SplitPath.h"

PathParts SplitPath(const QString& path) {
    PathParts parts;
    QString rest = path;
    if (const qsizetype slash = rest.lastIndexOf(u'/'); slash >= 0) {
        parts.directory = rest.left(slash);
        if (parts.directory.startsWith(u'/')) parts.directory.remove(0, 1);
        rest = rest.mid(slash + 1);
    }
    if (const qsizetype dot = rest.lastIndexOf(u'.'); dot >= 0) {
        parts.name = rest.left(dot);
        parts.extension = rest.mid(dot + 1);
    } else {
        parts.name = rest;
    }
    return parts;
}
