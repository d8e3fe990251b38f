#pragma once

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QPushButton;
class QWidget;

// The controls of the settings window, named as the user's documentation names them. The option
// buttons of SortierungArt and Anpassung are groups whose button ids are the stored values.
struct MainWindowControls {
    QMenuBar* menuBar;
    QListWidget* Bildpfadliste;
    QPushButton* Hinzufügen;
    QPushButton* Entfernen;
    QPushButton* NeuEinlesen;
    QCheckBox* UnterverzeichnisseEinbeziehen;
    QCheckBox* JPG;
    QCheckBox* BMP;
    QCheckBox* PCX;
    QCheckBox* PNG;
    QCheckBox* TIF;
    QCheckBox* GIF;
    QLabel* Bilderanzahl;
    QButtonGroup* SortierungArt;
    QButtonGroup* Anpassung;
    QCheckBox* aufBildbreite;
    QCheckBox* aufBildhöhe;
    QCheckBox* passendeFarbe;
    QLabel* Farbwahl;
    QPushButton* FarbwahlButton;
    QLineEdit* delay;
    QLineEdit* HGBVerzeichnis;
    QPushButton* HGBVerzeichnisButton;
    QCheckBox* mitTextstempel;
    QPushButton* TextstempelButton;
    QCheckBox* mitKalender;
    QPushButton* KalenderButton;
    QPushButton* übernehmen;
};

// Creates the controls with their captions and tool tips, laid out in `window`.
MainWindowControls CreateMainWindowControls(QWidget* window);
