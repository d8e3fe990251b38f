#include "shell/MainWindowControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <class Control>
Control* make(QWidget* parent, const char* name, const QString& caption = {}, const QString& tip = {}) {
    auto* control = new Control(parent);
    control->setObjectName(name);
    if constexpr (requires { control->setText(caption); })
        if (!caption.isEmpty()) control->setText(caption);
    if (!tip.isEmpty()) control->setToolTip(tip);
    return control;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption) {
    auto* box = make<QGroupBox>(parent, name);
    box->setTitle(caption);
    return box;
}

// Option buttons sharing the control name; their group id is the value they stand for.
QButtonGroup* options(QGroupBox* box, const char* name,
                      const std::initializer_list<std::pair<int, QString>> items) {
    auto* group = new QButtonGroup(box);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    for (const auto& [id, caption] : items) {
        auto* button = make<QRadioButton>(box, name, caption);
        group->addButton(button, id);
        layout->addWidget(button);
    }
    layout->addStretch();
    return group;
}

QCheckBox* formatBox(QWidget* parent, const char* name) {
    return make<QCheckBox>(parent, name, name, QString(name) + "-Bilder finden");
}

} // namespace

MainWindowControls CreateMainWindowControls(QWidget* w) {
    MainWindowControls c{};
    c.menuBar = new QMenuBar(w);

    // Picture folders and what is looked for in them.
    auto* folders = frame(w, "FrameVerzeichnisse", "Bilder");
    c.Bildpfadliste = make<QListWidget>(folders, "Bildpfadliste");
    c.Bildpfadliste->setSelectionMode(QAbstractItemView::ExtendedSelection);
    c.Bildpfadliste->setMinimumWidth(w->fontMetrics().averageCharWidth() * 36);
    auto* Label1 = make<QLabel>(folders, "Label1", "gewählte Bilderverzeichnisse");
    Label1->setBuddy(c.Bildpfadliste);
    c.Hinzufügen =
        make<QPushButton>(folders, "Hinzufügen", "Hinzufügen", "Verzeichnis in Verzeichnisliste übernehmen");
    c.Entfernen =
        make<QPushButton>(folders, "Entfernen", "Entfernen", "Verzeichnis aus Verzeichnisliste entfernen");
    c.NeuEinlesen = make<QPushButton>(folders, "NeuEinlesen", "neu einlesen", "Verzeichnisse neu einlesen");
    c.UnterverzeichnisseEinbeziehen =
        make<QCheckBox>(folders, "UnterverzeichnisseEinbeziehen", "inkl. Unterverzeichnisse");
    c.Bilderanzahl = make<QLabel>(folders, "Bilderanzahl", "Anzahl Bilder: 0");
    auto* folderButtons = new QVBoxLayout;
    for (QWidget* button : {c.Hinzufügen, c.Entfernen, c.NeuEinlesen})
        folderButtons->addWidget(button);
    folderButtons->addStretch();
    auto* types = frame(folders, "FrameBildtypen", "Bildtypen");
    auto* typeGrid = new QGridLayout(types);
    c.JPG = formatBox(types, "JPG");
    c.BMP = formatBox(types, "BMP");
    c.PCX = formatBox(types, "PCX");
    c.PNG = formatBox(types, "PNG");
    c.TIF = formatBox(types, "TIF");
    c.GIF = formatBox(types, "GIF");
    QCheckBox* const order[] = {c.JPG, c.BMP, c.PCX, c.PNG, c.TIF, c.GIF};
    for (int i = 0; i < 6; ++i)
        typeGrid->addWidget(order[i], i / 3, i % 3);
    auto* folderGrid = new QGridLayout(folders);
    folderGrid->addWidget(Label1, 0, 0, 1, 2);
    folderGrid->addWidget(c.Bildpfadliste, 1, 0);
    folderGrid->addLayout(folderButtons, 1, 1);
    folderGrid->addWidget(c.UnterverzeichnisseEinbeziehen, 2, 0, 1, 2);
    folderGrid->addWidget(types, 3, 0, 1, 2);
    folderGrid->addWidget(c.Bilderanzahl, 4, 0, 1, 2);
    folderGrid->setRowStretch(1, 1);

    auto* sorting = frame(w, "FrameSortierung", "Sortierung");
    c.SortierungArt = options(sorting, "SortierungArt",
                              {{0, "ohne"}, {1, "nach Name"}, {2, "nach Datum"}, {5, "zufällig"}});

    // Fitting the picture to the screen and the background around it.
    auto* fitting = frame(w, "FrameAnpassung", "Bild an Bildschirm anpassen");
    c.Anpassung = options(fitting, "Anpassung",
                          {{0, "eventuell verkleinern"},
                           {1, "vergrößern"},
                           {2, "füllen"},
                           {3, "strecken"},
                           {4, "seamless carven (experimentell)"}});
    const QString allowGrow = "vergrößern auf Bildschirmgröße erlauben";
    c.aufBildbreite = make<QCheckBox>(fitting, "aufBildbreite", "Breite", allowGrow);
    c.aufBildhöhe = make<QCheckBox>(fitting, "aufBildhöhe", "Höhe", allowGrow);
    c.passendeFarbe = make<QCheckBox>(fitting, "passendeFarbe", "passende Hintergrundfarbe",
                                      "zum Bild passende Hintergrundfarbe ermitteln");
    c.Farbwahl = make<QLabel>(fitting, "Farbwahl");
    c.Farbwahl->setFrameShape(QFrame::Box);
    c.Farbwahl->setAutoFillBackground(true);
    c.Farbwahl->setMinimumSize(w->fontMetrics().height() * 2, w->fontMetrics().height());
    c.FarbwahlButton = make<QPushButton>(fitting, "FarbwahlButton", "...", "Hintergrundfarbe festlegen");
    c.FarbwahlButton->setMaximumWidth(w->fontMetrics().height() * 3);
    auto* grow = new QHBoxLayout;
    grow->addWidget(c.aufBildbreite);
    grow->addWidget(c.aufBildhöhe);
    grow->addStretch();
    auto* colour = new QHBoxLayout;
    colour->addWidget(c.passendeFarbe);
    colour->addStretch();
    colour->addWidget(c.Farbwahl);
    colour->addWidget(c.FarbwahlButton);
    auto* fitLayout = static_cast<QVBoxLayout*>(fitting->layout());
    fitLayout->insertLayout(fitLayout->count() - 1, grow);
    fitLayout->insertLayout(fitLayout->count() - 1, colour);

    // Change interval, storage folder, stamp and calendar.
    auto* more = frame(w, "FrameAusgabe", "Bildwechsel und Ausgabe");
    c.delay = make<QLineEdit>(more, "delay", {}, "Dauer der Anzeige (1-1440 Minuten)");
    c.delay->setMaxLength(9);
    c.delay->setMaximumWidth(w->fontMetrics().horizontalAdvance("00000") * 2);
    auto* LabelWechsel = make<QLabel>(more, "Label7", "Bildwechsel nach");
    LabelWechsel->setBuddy(c.delay);
    auto* Label2 = make<QLabel>(more, "Label2", "Minuten");
    c.HGBVerzeichnis = make<QLineEdit>(more, "HGBVerzeichnis");
    c.HGBVerzeichnis->setReadOnly(true);
    auto* LabelAblage = make<QLabel>(more, "Label7", "Ablageverzeichnis für aktuelles Hintergrundbild");
    c.HGBVerzeichnisButton = make<QPushButton>(more, "HGBVerzeichnisButton", "Verzeichnis ...");
    c.mitTextstempel = make<QCheckBox>(more, "mitTextstempel");
    c.TextstempelButton =
        make<QPushButton>(more, "TextstempelButton", "Textstempel", "Textstempel festlegen");
    c.mitKalender = make<QCheckBox>(more, "mitKalender");
    c.KalenderButton = make<QPushButton>(more, "KalenderButton", "Kalender", "Kalenderoptionen festlegen");
    c.übernehmen = make<QPushButton>(more, "übernehmen", "übernehmen");
    auto* moreGrid = new QGridLayout(more);
    auto* interval = new QHBoxLayout;
    interval->addWidget(LabelWechsel);
    interval->addWidget(c.delay);
    interval->addWidget(Label2);
    interval->addStretch();
    moreGrid->addLayout(interval, 0, 0, 1, 4);
    moreGrid->addWidget(LabelAblage, 1, 0, 1, 4);
    moreGrid->addWidget(c.HGBVerzeichnis, 2, 0, 1, 3);
    moreGrid->addWidget(c.HGBVerzeichnisButton, 2, 3);
    moreGrid->addWidget(c.mitTextstempel, 3, 0);
    moreGrid->addWidget(c.TextstempelButton, 3, 1);
    moreGrid->addWidget(c.mitKalender, 4, 0);
    moreGrid->addWidget(c.KalenderButton, 4, 1);
    moreGrid->addWidget(c.übernehmen, 4, 3);
    moreGrid->setColumnStretch(2, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(sorting);
    right->addWidget(fitting);
    auto* top = new QHBoxLayout;
    top->addWidget(folders, 1);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(w);
    layout->setMenuBar(c.menuBar);
    layout->addLayout(top, 1);
    layout->addWidget(more);
    return c;
}
