#include "shell/RemoteControl.h"

#include "app/ProgramState.h"
#include "app/RunningProgram.h"
#include "compose/ErrInfo.h"
#include "pictures/PictureList.h"
#include "shell/Systray.h"

#include <QDBusConnection>
#include <QDBusMessage>

void RemoteControl::offer() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.registerObject(kRunningProgramPath, this, QDBusConnection::ExportScriptableSlots))
        bus.registerService(kRunningProgramName);
}

void RemoteControl::Next() {
    // As with the icon, one composition at a time: the last one's error message is still open.
    if (tray_.composing()) {
        sendErrorReply(QDBusError::Failed, "Velomira zeigt noch eine Fehlermeldung.");
        return;
    }
    setDelayedReply(true);
    const QDBusConnection bus = connection();
    const QDBusMessage request = message();
    bool answered = false;
    // The caller learns of a failure at once, not only when the user has closed the message.
    const std::function<void(const QString&)> show = ErrInfoHandler();
    SetErrInfoHandler([&](const QString& text) {
        answered = bus.send(request.createErrorReply(QDBusError::Failed, text));
        if (show) show(text);
    });
    tray_.TimerCallback();
    SetErrInfoHandler(show);
    if (!answered) bus.send(request.createReply());
}

QString RemoteControl::Status(QString& nextChange, int& pictureCount) {
    nextChange = tray_.nextChange();
    pictureCount = int(Pictures().size());
    return Program().settings.misc.bildname;
}

void RemoteControl::Configure() {
    tray_.UMKonfiguration_Click();
}
