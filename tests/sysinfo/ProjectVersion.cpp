#include "ProjectVersion.h"

#include "TestSupport.h"

#include <QRegularExpression>

ProjectVersion ReadProjectVersion() {
    const QString cmake = QString::fromUtf8(ReadFile(VELOMIRA_SOURCE_DIR "/CMakeLists.txt"));
    static const QRegularExpression project(
        R"(project\(\s*Velomira\s+VERSION\s+(\S+)\s+DESCRIPTION\s+"([^"]*)\")");
    const QRegularExpressionMatch match = project.match(cmake);
    return {match.captured(1), match.captured(2)};
}
