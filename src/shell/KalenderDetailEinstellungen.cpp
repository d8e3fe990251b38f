#include "shell/KalenderDetailEinstellungen.h"

#include "app/ProgramState.h"
#include "shell/FormRoutines.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

KalenderDetailEinstellungen::KalenderDetailEinstellungen(QWidget* parent) : QDialog(parent) {
    setObjectName("KalenderDetailEinstellungen");
    setWindowTitle("Kalenderdetails");
    Settings::Kalender& k = Program().settings.kalender;
    const struct {
        const char* frame;
        const char* caption;
        const char* prefix;
        FontSettings settings;
        const char* colourCaption;
    } groups[] = {
        {"FrameMonat",
         "Monatsname",
         "KalenderMonat",
         {k.monatschriftart, k.monathoehe, k.monatfarbe, k.monatgewicht, k.monatkursiv, k.monatunterstrichen,
          k.monatdurchgestrichen},
         "Farbe des Monatsnamens"},
        {"FrameTage",
         "Tage",
         "KalenderTage",
         {k.tageschriftart, k.tagehoehe, k.tagefarbe, k.tagegewicht, k.tagekursiv, k.tageunterstrichen,
          k.tagedurchgestrichen},
         "Farbe der Tage"},
        {"FrameWochen",
         "Wochentage/Wochen",
         "KalenderWochen",
         {k.wochenschriftart, k.wochenhoehe, k.wochenfarbe, k.wochengewicht, k.wochenkursiv,
          k.wochenunterstrichen, k.wochendurchgestrichen},
         "Farbe der Wochennummern"},
        {"FrameTermine",
         "Termine",
         "KalenderTermine",
         {k.termineschriftart, k.terminehoehe, k.terminefarbe, k.terminegewicht, k.terminekursiv,
          k.termineunterstrichen, k.terminedurchgestrichen},
         "Farbe der Termine"},
    };
    auto* layout = new QGridLayout(this);
    QGroupBox* frames[4];
    for (size_t i = 0; i < 4; ++i) {
        frames[i] = MakeFrame(this, groups[i].frame, groups[i].caption);
        groups_[i] =
            new FontControls(frames[i], groups[i].prefix, groups[i].settings, groups[i].colourCaption, [] {});
        layout->addWidget(frames[i], int(i / 2), int(i % 2));
    }
    FrameTermine = frames[3];

    // Saturdays and Sundays have colours of their own in the group of the days.
    QGroupBox* days = frames[1];
    const struct {
        const char* label;
        const char* swatch;
        const char* button;
        const char* caption;
        int& setting;
        QLabel*& control;
    } weekend[] = {
        {"Farbe für Samstage", "KalenderSamstagFarbe", "KalenderSamstagFarbeButton", "Farbe der Samstage",
         k.samstagfarbe, KalenderSamstagFarbe},
        {"Farbe für Sonntage", "KalenderSonntagFarbe", "KalenderSonntagFarbeButton", "Farbe der Sonntage",
         k.sonntagfarbe, KalenderSonntagFarbe},
    };
    QGridLayout* grid = groups_[1]->grid();
    for (const auto& w : weekend) {
        QLabel* swatch = w.control = MakeSwatch(days, w.swatch);
        auto* button = MakeControl<QPushButton>(days, w.button, "...");
        button->setMaximumWidth(fontMetrics().height() * 3);
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(w.label, days), row, 0);
        grid->addWidget(swatch, row, 1);
        grid->addWidget(button, row, 2);
        int* setting = &w.setting;
        const QString caption = w.caption;
        connect(button, &QPushButton::clicked, this,
                [this, swatch, setting, caption] { ChooseSwatchColour(this, caption, swatch, *setting); });
    }
    InitDialog();
}

void KalenderDetailEinstellungen::InitDialog() {
    const Settings::Kalender& k = Program().settings.kalender;
    for (FontControls* group : groups_)
        group->InitDialog();
    ShowSwatch(KalenderSamstagFarbe, k.samstagfarbe);
    ShowSwatch(KalenderSonntagFarbe, k.sonntagfarbe);
    FrameTermine->setEnabled(k.termine == 1);
}
