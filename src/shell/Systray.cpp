#include "shell/Systray.h"

#include "app/Clock.h"
#include "app/ProgramState.h"
#include "compose/ComposeWallpaper.h"
#include "shell/Inform.h"
#include "shell/ProgramIcon.h"

#include <QWidget>

namespace {

constexpr std::chrono::milliseconds kTrayPoll{250};
constexpr std::chrono::milliseconds kLateTrayPoll{2000};

QAction* addItem(QMenu& menu, const char* name, const QString& caption) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

Systray::Systray(QWidget& window, std::function<void()> beenden, std::chrono::milliseconds trayWait)
    : window_(window), beenden_(std::move(beenden)), trayWait_(trayWait) {
    tray_.setIcon(ProgramIcon());
    VelomirapaperMenü.setObjectName("VelomirapaperMenü");
    VelomirapaperMenü.setTitle("Optionen");
    connect(addItem(VelomirapaperMenü, "UMKonfiguration", "Konfiguration"), &QAction::triggered, this,
            [this] { UMKonfiguration_Click(); });
    connect(addItem(VelomirapaperMenü, "UMInfo", "Info"), &QAction::triggered, this,
            [this] { UMInfo_Click(); });
    VelomirapaperMenü.addSeparator()->setObjectName("UMTrenner01");
    connect(addItem(VelomirapaperMenü, "UMNextImage", "nächstes Bild"), &QAction::triggered, this,
            [this] { TimerCallback(); });
    VelomirapaperMenü.addSeparator()->setObjectName("UMTrenner02");
    connect(addItem(VelomirapaperMenü, "UMBeenden", "Beenden"), &QAction::triggered, this,
            [this] { beenden_(); });
    tray_.setContextMenu(&VelomirapaperMenü);
    // A left click changes the picture; double and middle clicks do nothing of their own.
    connect(&tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger) TimerCallback();
    });

    // Whole minutes need no precision finer than a second.
    timer_.setTimerType(Qt::VeryCoarseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { TimerCallback(); });
    trayPoll_.setInterval(kTrayPoll);
    connect(&trayPoll_, &QTimer::timeout, this, [this] { lookForTray(); });
}

void Systray::AddToSystray() {
    trayDeadline_ = std::chrono::steady_clock::now() + trayWait_;
    lookForTray();
    if (!inTray_) trayPoll_.start();
}

// Desktop sessions often start the panel after their autostart programs, so the tray may come late.
// Until then, and for good when none comes, the settings window is the way to reach the program.
void Systray::lookForTray() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        trayPoll_.stop();
        tray_.show();
        inTray_ = true;
    } else if (std::chrono::steady_clock::now() >= trayDeadline_ && !window_.isVisible()) {
        trayDeadline_ = std::chrono::steady_clock::time_point::max();
        window_.show();
        trayPoll_.setInterval(kLateTrayPoll); // a tray may still come, but not soon
    }
}

void Systray::remove() {
    trayPoll_.stop();
    tray_.hide();
    inTray_ = false;
    timer_.stop();
}

void Systray::StartChangeTimer(int minutes) {
    timer_.start(std::chrono::minutes(minutes));
    nextChange_ = Now().addSecs(qint64(minutes) * 60).toString("hh:mm:ss");
    tray_.setToolTip("Velomira\n" + Program().settings.misc.bildname + "\nnächster Bildwechsel um " +
                     nextChange_);
}

void Systray::StopChangeTimer() {
    timer_.stop();
    nextChange_.clear();
    tray_.setToolTip("Velomira");
}

void Systray::TimerCallback() {
    // An error message of the composition runs its own event loop; a click meanwhile must not start
    // a second composition on top of the first.
    if (composing_) return;
    composing_ = true;
    StopChangeTimer();
    ComposeWallpaper();
    StartChangeTimer(Program().settings.misc.delay);
    composing_ = false;
}

void Systray::UMKonfiguration_Click() {
    StopChangeTimer();
    window_.show();
    window_.raise();
    window_.activateWindow();
}

void Systray::UMInfo_Click() {
    StopChangeTimer();
    Inform dialog(window_.isVisible() ? &window_ : nullptr);
    dialog.exec();
    StartChangeTimer(Program().settings.misc.delay);
}
