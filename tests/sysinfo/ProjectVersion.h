#pragma once

#include <QString>

// The version and description that the top-level CMakeLists.txt gives the project, read from the
// source tree so that tests compare against the build's one source of the version.
struct ProjectVersion {
    QString version;
    QString description;
};
ProjectVersion ReadProjectVersion();
