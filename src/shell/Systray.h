#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <chrono>
#include <functional>

// The tray side of the main window: the icon with its tooltip, the tray menu VelomirapaperMenü and
// the change timer. One tick composes the next wallpaper; the timer is stopped while composing, so
// the interval runs from the end of one composition to the next tick.
class Systray : public QObject {
public:
    // `window` is the settings window; `beenden` ends the program. Without a tray host the icon
    // waits for one; after `trayWait` the settings window opens so that the program can be reached.
    Systray(QWidget& window, std::function<void()> beenden, std::chrono::milliseconds trayWait);

    // Shows the icon, or waits for a tray host to appear.
    void AddToSystray();
    // True while the icon is in a tray.
    bool inTray() const { return inTray_; }
    // Removes the icon and stops the timer, for the end of the program.
    void remove();

    void StartChangeTimer(int minutes);
    void StopChangeTimer();
    // One tick: stop, compose the next wallpaper, start again with `delay` minutes.
    void TimerCallback();
    // True while a composition (or its error message) is under way.
    bool composing() const { return composing_; }
    // The time of the next change as the tooltip shows it ("hh:mm:ss"); empty while the timer stands.
    const QString& nextChange() const { return nextChange_; }
    // The menu item "Konfiguration": the timer stops and the settings window shows.
    void UMKonfiguration_Click();

    QSystemTrayIcon& icon() { return tray_; }
    const QTimer& changeTimer() const { return timer_; }
    QMenu& menu() { return VelomirapaperMenü; }

private:
    void UMInfo_Click();
    void lookForTray();

    QWidget& window_;
    std::function<void()> beenden_;
    QSystemTrayIcon tray_;
    QMenu VelomirapaperMenü;
    QTimer timer_;
    QTimer trayPoll_;
    std::chrono::steady_clock::time_point trayDeadline_;
    std::chrono::milliseconds trayWait_;
    bool inTray_ = false;
    bool composing_ = false;
    QString nextChange_;
};
