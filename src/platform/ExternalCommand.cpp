#include "platform/ExternalCommand.h"

#include <QProcess>

CommandResult RunCommand(const ExternalCommand& command, int timeoutMs) {
    QProcess process;
    process.start(command.program, command.args);
    CommandResult result;
    if (!process.waitForStarted(timeoutMs)) {
        result.error = command.program + ": nicht gefunden oder nicht startbar";
        return result;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.error = command.program + ": keine Antwort";
        return result;
    }
    result.output = QString::fromUtf8(process.readAllStandardOutput());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString detail = QString::fromUtf8(process.readAllStandardError()).trimmed();
        result.error = command.program + QString(" endete mit Status %1").arg(process.exitCode());
        if (!detail.isEmpty()) result.error += ": " + detail;
        return result;
    }
    result.ok = true;
    return result;
}
