#pragma once

#include "shell/MainWindowControls.h"
#include "shell/Systray.h"

#include <QWidget>
#include <chrono>

class QCheckBox;

// The main window VelomirapaperEinstellungen: hidden while the program waits in the tray, shown as
// the settings window. Every control writes into the program's settings record at once; the record
// is saved when the window is closed and when the program ends.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // How long a start waits for a tray host before it opens the settings window instead.
    static constexpr std::chrono::milliseconds kTrayWait{15000};

    explicit MainWindow(std::chrono::milliseconds trayWait = kTrayWait);

    // Sets the controls from the settings record (start-up); no handler runs.
    void fillFromSettings();
    // Normal start into the tray; `delay` 0 composes at once, else the first change comes after
    // `delay` minutes.
    void starten(int delay);
    // Start with the settings window shown; the change timer starts when it is closed.
    void starten_und_konfig();
    // Ends the program; the settings are saved on the way out.
    void Beenden();

    Systray& tray() { return tray_; }
    const MainWindowControls& controls() const { return c_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    void bindFlag(QCheckBox* box, int& flag, bool composeAgain);
    void RefreshPictureList();
    void refillFolderList();
    void showColour(int colour);
    // Composes the picture shown once more, after a change of how it is drawn.
    void ComposeCurrentAgain();
    template <class Dialog> void openModal();
    void endOfProgram();

    void Hinzufügen_Click();
    void Entfernen_Click();
    void delay_LostFocus();
    void FarbwahlButton_Click();
    void HGBVerzeichnisButton_Click();
    void SortierungArt_Click(int index);
    void Anpassung_Click(int index);
    void MInfo_Click();

    MainWindowControls c_;
    Systray tray_;
    bool quitting_ = false;
    bool delayEdited_ = false;
};
