#pragma once

#include "shell/FormRoutines.h"

#include <QDialog>

class PositionGrid;
class QListWidget;
class QSlider;

// The calendar settings dialog ("Kalender"): layout, data file, states and content. Every edit goes
// into the calendar settings at once; "übernehmen" composes the wallpaper again, "weitere Details
// festlegen" opens the dialog of the calendar's fonts. There is no cancel. Open it modally.
class KalenderEinstellungen : public QDialog {
public:
    explicit KalenderEinstellungen(QWidget* parent = nullptr);

    // Shows the settings in the controls, with the enabling that follows from them.
    void InitDialog();

private:
    void createControls();
    void connectControls();
    void KalenderFerienländer_ItemCheck();
    void DatenDateiButton_Click();
    void KalenderDetailsFestlegen_Click();
    void showDataFile();

    QListWidget* KalenderFeiertagland;
    QListWidget* KalenderFerienländer;
    QCheckBox* KalenderFeiertagnamen;
    QLineEdit* DatenDatei;
    QPushButton* DatenDateiButton;
    QCheckBox* mitVormonat;
    QCheckBox* mitFolgemonat;
    QCheckBox* mitMondphasen;
    QCheckBox* mitMüll;
    QCheckBox* mitFerien;
    QCheckBox* mitFerienlegende;
    QCheckBox* mitTerminen;
    QWidget* TerminOptionen;
    QButtonGroup* KalenderTermineMonatTag;
    QLineEdit* KalenderTermineMonatTagDiffVorher;
    QLineEdit* KalenderTermineMonatTagDiffNachher;
    PositionGrid* KalenderPosition;
    QLineEdit* KalenderOffsetX;
    QLineEdit* KalenderOffsetY;
    QLineEdit* KalenderSpaltenbreite;
    QLineEdit* KalenderZeilenhöhe;
    ColourFrame Trennlinien; // FrameKalenderTrennlinien
    ColourFrame Rahmen;      // FrameKalenderRahmen
    ColourFrame Hintergrund; // FrameKalenderHintergrund
    QSlider* KalenderHGDeckkraft;
    QLabel* KalenderHGDeckkraftProzent;
    QPushButton* KalenderDetailsFestlegen;
    QPushButton* übernehmen;
};
