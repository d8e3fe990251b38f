#pragma once

#include <QSystemTrayIcon>
#include <QWidget>

// The hidden main window VelomirapaperEinstellungen: the hub of the running program. It owns the
// tray icon and is shown as the settings window.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow();

    // Normal start into the tray.
    void starten(int delay);
    // Start with the settings window open.
    void starten_und_konfig();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void AddToSystray();
    void Beenden();

    QSystemTrayIcon tray_;
};
