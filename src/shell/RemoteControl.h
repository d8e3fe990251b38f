#pragma once

#include <QDBusContext>
#include <QObject>

class Systray;

// The running program on the session bus, so that velomira --next and --status act through it
// and the settings keep one owner: the tray's own actions, for other processes.
class RemoteControl : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "de.korbinheim.Velomira")
public:
    explicit RemoteControl(Systray& tray) : tray_(tray) {}

    // Takes the program's name on the session bus. Without a bus, or with the name taken by the
    // copy that started first, this copy simply stays unreachable.
    void offer();

public slots:
    // The tray menu's "nächstes Bild"; a failed composition answers with the text ErrInfo shows.
    Q_SCRIPTABLE void Next();
    // The picture shown, returned; the time of the next change ("hh:mm:ss", empty while the timer
    // stands) and the number of pictures.
    Q_SCRIPTABLE QString Status(QString& nextChange, int& pictureCount);
    // The tray menu's "Konfiguration".
    Q_SCRIPTABLE void Configure();

private:
    Systray& tray_;
};
