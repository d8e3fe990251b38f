#pragma once

#include "app/SettingsStore.h"

#include <QString>
#include <QStringList>
#include <span>
#include <variant>

// All user settings. Field names are the stored value names; the initialisers are the defaults of
// a first start (the two folder defaults depend on the machine and are set by Settings::defaults()).
struct Settings {
    struct Misc {
        QString bmpverzeichnis;
        int delay = 60;
        int recursive = 0;
        int reihenfolge = 5;
        int passende_farbe = 1;
        int letztes_bild = 0;
        int hgfarbe = 0;
        int magnify = 0;
        int width = 1;
        int height = 1;
        int jpg = 1;
        int bmp = 0;
        int png = 0;
        int tif = 0;
        int pcx = 0;
        int gif = 0;
        QString bildname = "?????";
    };
    struct Textstempel {
        int ausgeben = 0;
        QString text = "Velomira";
        int farbe = 16777215;
        int farbelesbar = 0;
        QString schriftart = "Arial";
        int hoehe = 15;
        int deckkraft = 100;
        int richtung = 0;
        int ausrichtung = 0;
        int position = 1;
        int offsetx = 10;
        int offsety = 10;
        int gewicht = 400;
        int kursiv = 0;
        int unterstrichen = 0;
        int durchgestrichen = 0;
        int rahmen = 0;
        int rahmenfarbe = 65280;
        int hintergrund = 0;
        int hintergrundfarbe = 255;
        int hintergrunddeckkraft = 50;
    };
    struct Kalender {
        int ausgeben = 0;
        int position = 5;
        int offsetx = 0;
        int offsety = 0;
        int spaltenbreite = 30;
        int zeilenhöhe = 25;
        int trennlinien = 1;
        int trennlinienfarbe = 13158600;
        int rahmen = 0;
        int rahmenfarbe = 255;
        int hintergrund = 0;
        int hintergrundfarbe = 16777215;
        int hintergrunddeckkraft = 50;
        QString datendatei;
        int feiertagnamen = 1;
        QString feiertagland = "NW";
        QString ferienländer = "NW";
        int vormonat = 0;
        int folgemonat = 0;
        int müll = 0;
        int ferien = 0;
        int ferienlegende = 0;
        int termine = 0;
        int mondphasen = 1;
        int monatfarbe = 0;
        QString monatschriftart = "Arial";
        int monathoehe = 22;
        int monatgewicht = 700;
        int monatkursiv = 0;
        int monatunterstrichen = 0;
        int monatdurchgestrichen = 0;
        int tagefarbe = 0;
        QString tageschriftart = "Arial";
        int tagehoehe = 20;
        int tagegewicht = 400;
        int tagekursiv = 0;
        int tageunterstrichen = 0;
        int tagedurchgestrichen = 0;
        int wochenfarbe = 0;
        QString wochenschriftart = "Arial";
        int wochenhoehe = 14;
        int wochengewicht = 400;
        int wochenkursiv = 0;
        int wochenunterstrichen = 0;
        int wochendurchgestrichen = 0;
        int terminemonattag = 0;
        int terminemonattagdiffvorher = 2;
        int terminemonattagdiffnachher = 2;
        int terminefarbe = 0;
        QString termineschriftart = "Arial";
        int terminehoehe = 14;
        int terminegewicht = 700;
        int terminekursiv = 0;
        int termineunterstrichen = 0;
        int terminedurchgestrichen = 0;
        int samstagfarbe = 16744448;
        int sonntagfarbe = 255;
    };

    Misc misc;
    Textstempel textstempel;
    Kalender kalender;
    // Picture folders in list order, each ending in "/".
    QStringList PictureFolders;

    // A first start's record: the table defaults plus the documents folder as storage folder and
    // Velomira.cfg in the program's data folder as calendar data file.
    static Settings defaults();
};

// One stored value: where it lives in the file and which field of the record holds it.
struct SettingDef {
    using Field = std::variant<int*, QString*>;
    const char* section;
    const char* name;
    Field (*field)(Settings&);
    bool savedOnClose; // false for values that other code writes (bildname)
};

// Every stored value except the folder list, section by section in table order.
std::span<const SettingDef> SettingTable();

// The outcome of reading the settings at start-up.
struct LoadedSettings {
    Settings settings;
    int StartDelay = 0; // 0 on a first start (no delay stored, or "0"), else 1
};

// Reads every setting with its default, in start-up order: the storage folder (falls back to the
// documents folder when it is no directory), the delay twice, the other values, the folder list
// (missing folders dropped, the working directory when none is left).
LoadedSettings LoadSettings(const SettingsStore& store);

// Writes the record back as one replacement of the file: the storage folder, the folder list
// (exactly the current folders, named "1" to "n"; no section when the list is empty), then the
// values of misc (including letztes_bild), textstempel and kalender in table order.
bool SaveSettings(const SettingsStore& store, const Settings& settings);
