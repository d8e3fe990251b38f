#include "shell/KalenderEinstellungen.h"

#include "app/ProgramState.h"
#include "calendar/Ferienland.h"
#include "platform/Paths.h"
#include "shell/CommonDialogs.h"
#include "shell/KalenderDetailEinstellungen.h"
#include "shell/PositionGrid.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

Settings::Kalender& kalender() {
    return Program().settings.kalender;
}

// One item per state in the calendar's order: the name shown, the abbreviation as its key.
void fillStates(QListWidget* list, bool checkable) {
    for (const cFerienland& state : FerienlandList()) {
        auto* item = new QListWidgetItem(state.langname, list);
        item->setData(Qt::UserRole, state.kurzname);
        if (checkable) item->setCheckState(Qt::Unchecked);
    }
    // Every name whole, beside the vertical scroll bar.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width());
}

QListWidgetItem* stateItem(QListWidget* list, const QString& kurzname) {
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(Qt::UserRole).toString() == kurzname) return list->item(row);
    return nullptr;
}

QHBoxLayout* row(std::initializer_list<QWidget*> controls) {
    auto* layout = new QHBoxLayout;
    for (QWidget* control : controls)
        layout->addWidget(control);
    layout->addStretch();
    return layout;
}

} // namespace

KalenderEinstellungen::KalenderEinstellungen(QWidget* parent) : QDialog(parent) {
    setObjectName("KalenderEinstellungen");
    setWindowTitle("Kalender");
    createControls();
    connectControls();
    InitDialog();
}

void KalenderEinstellungen::createControls() {
    Settings::Kalender& k = kalender();
    auto* holidays = MakeFrame(this, "FrameFeiertagland", "Feiertagbundesland");
    KalenderFeiertagland = MakeControl<QListWidget>(holidays, "KalenderFeiertagland");
    fillStates(KalenderFeiertagland, false);
    KalenderFeiertagnamen =
        MakeControl<QCheckBox>(holidays, "KalenderFeiertagnamen", "Feiertagnamen anzeigen");
    auto* holidayLayout = new QVBoxLayout(holidays);
    holidayLayout->addWidget(KalenderFeiertagland);
    holidayLayout->addWidget(KalenderFeiertagnamen);
    auto* schoolHolidays = MakeFrame(this, "FrameFerienländer", "Ferienbundesländer");
    KalenderFerienländer = MakeControl<QListWidget>(schoolHolidays, "KalenderFerienländer");
    fillStates(KalenderFerienländer, true);
    (new QVBoxLayout(schoolHolidays))->addWidget(KalenderFerienländer);

    DatenDatei = MakeControl<QLineEdit>(this, "DatenDatei");
    DatenDatei->setReadOnly(true);
    DatenDateiButton = MakeControl<QPushButton>(this, "DatenDateiButton", "Datendatei auswählen");

    auto* content = MakeFrame(this, "FrameInhalt", "Inhalt");
    mitVormonat = MakeControl<QCheckBox>(content, "mitVormonat", "Vormonat anzeigen");
    mitFolgemonat = MakeControl<QCheckBox>(content, "mitFolgemonat", "Folgemonat anzeigen");
    mitMondphasen = MakeControl<QCheckBox>(content, "mitMondphasen", "Mondphasen anzeigen");
    mitMüll = MakeControl<QCheckBox>(content, "mitMüll", "Müllabfuhr anzeigen");
    mitFerien = MakeControl<QCheckBox>(content, "mitFerien", "Ferien anzeigen");
    mitFerienlegende = MakeControl<QCheckBox>(content, "mitFerienlegende", "Ferienlegende");
    mitTerminen = MakeControl<QCheckBox>(content, "mitTerminen", "Termine anzeigen");
    TerminOptionen = MakeControl<QWidget>(content, "TerminOptionen");
    auto* period = MakeFrame(TerminOptionen, "FrameTermineMonatTag", "");
    period->setFlat(true);
    KalenderTermineMonatTag =
        MakeOptions(period, "KalenderTermineMonatTag", {{1, "aktueller Tag"}, {0, "aktueller Monat"}});
    KalenderTermineMonatTagDiffVorher = MakeNumberField(TerminOptionen, "KalenderTermineMonatTagDiffVorher");
    KalenderTermineMonatTagDiffNachher =
        MakeNumberField(TerminOptionen, "KalenderTermineMonatTagDiffNachher");
    auto* termGrid = new QGridLayout(TerminOptionen);
    termGrid->setContentsMargins(20, 0, 0, 0);
    termGrid->addWidget(period, 0, 0, 2, 1);
    termGrid->addWidget(KalenderTermineMonatTagDiffVorher, 0, 1);
    termGrid->addWidget(new QLabel("Tag(e) vorher", TerminOptionen), 0, 2);
    termGrid->addWidget(KalenderTermineMonatTagDiffNachher, 1, 1);
    termGrid->addWidget(new QLabel("Tag(e) nachher", TerminOptionen), 1, 2);
    auto* contentLayout = new QVBoxLayout(content);
    for (QWidget* control :
         {mitVormonat, mitFolgemonat, mitMondphasen, mitMüll, mitFerien, mitFerienlegende, mitTerminen})
        contentLayout->addWidget(control);
    contentLayout->addWidget(TerminOptionen);
    mitFerienlegende->setContentsMargins(20, 0, 0, 0);

    auto* position = MakeFrame(this, "FrameKalenderPosition", "Kalenderposition");
    KalenderPosition = new PositionGrid(position, "KalenderPosition", k.position, [] {});
    KalenderOffsetX = MakeNumberField(position, "KalenderOffsetX");
    KalenderOffsetY = MakeNumberField(position, "KalenderOffsetY");
    KalenderSpaltenbreite = MakeNumberField(position, "KalenderSpaltenbreite");
    KalenderZeilenhöhe = MakeNumberField(position, "KalenderZeilenhöhe");
    auto* positionGrid = new QGridLayout(position);
    positionGrid->addWidget(KalenderPosition, 0, 0, 1, 4);
    positionGrid->addWidget(new QLabel("Offset", position), 1, 0);
    positionGrid->addWidget(KalenderOffsetX, 1, 1);
    positionGrid->addWidget(KalenderOffsetY, 1, 2);
    positionGrid->addWidget(new QLabel("Spaltenbreite", position), 2, 0);
    positionGrid->addWidget(KalenderSpaltenbreite, 2, 1);
    positionGrid->addWidget(new QLabel("Pixel", position), 2, 2);
    positionGrid->addWidget(new QLabel("Zeilenhöhe", position), 3, 0);
    positionGrid->addWidget(KalenderZeilenhöhe, 3, 1);
    positionGrid->addWidget(new QLabel("Pixel", position), 3, 2);

    Trennlinien =
        MakeColourFrame(this, "FrameKalenderTrennlinien", "Wochentrennlinien", "KalenderTrennlinienErzeugen",
                        "KalenderTrennlinienFarbe", "KalenderTrennlinienButton");
    Rahmen = MakeColourFrame(this, "FrameKalenderRahmen", "Kalenderrahmen", "KalenderRahmenErzeugen",
                             "KalenderRahmenFarbe", "KalenderRahmenFarbeButton");
    Hintergrund = MakeColourFrame(this, "FrameKalenderHintergrund", "Kalenderhintergrund", "KalenderHGFüllen",
                                  "KalenderHGFarbe", "KalenderHGFarbeButton");
    KalenderHGDeckkraft = MakePercentSlider(Hintergrund.frame, "KalenderHGDeckkraft");
    KalenderHGDeckkraftProzent = MakeControl<QLabel>(Hintergrund.frame, "KalenderHGDeckkraftProzent");
    AddPercentRow(Hintergrund.grid, 1, KalenderHGDeckkraft, KalenderHGDeckkraftProzent);

    KalenderDetailsFestlegen =
        MakeControl<QPushButton>(this, "KalenderDetailsFestlegen", "weitere Details festlegen");
    übernehmen = MakeControl<QPushButton>(this, "übernehmen", "übernehmen");

    auto* states = new QVBoxLayout;
    states->addWidget(holidays);
    states->addWidget(schoolHolidays);
    auto* middle = new QVBoxLayout;
    middle->addWidget(new QLabel("Datendatei", this));
    middle->addWidget(DatenDatei);
    middle->addLayout(row({DatenDateiButton}));
    middle->addWidget(content);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(position);
    right->addWidget(Trennlinien.frame);
    right->addWidget(Rahmen.frame);
    right->addWidget(Hintergrund.frame);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(states);
    columns->addLayout(middle, 1);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(KalenderDetailsFestlegen);
    buttons->addStretch();
    buttons->addWidget(übernehmen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

void KalenderEinstellungen::connectControls() {
    Settings::Kalender& k = kalender();
    connect(KalenderFeiertagland, &QListWidget::currentItemChanged, this, [&k](QListWidgetItem* item) {
        if (item) k.feiertagland = item->data(Qt::UserRole).toString();
    });
    connect(KalenderFerienländer, &QListWidget::itemChanged, this,
            [this] { KalenderFerienländer_ItemCheck(); });
    const std::tuple<QCheckBox*, int*, bool> flags[] = {{KalenderFeiertagnamen, &k.feiertagnamen, false},
                                                        {mitVormonat, &k.vormonat, false},
                                                        {mitFolgemonat, &k.folgemonat, false},
                                                        {mitMondphasen, &k.mondphasen, false},
                                                        {mitMüll, &k.müll, false},
                                                        {mitFerienlegende, &k.ferienlegende, false},
                                                        {mitFerien, &k.ferien, true},
                                                        {mitTerminen, &k.termine, true},
                                                        {Trennlinien.erzeugen, &k.trennlinien, true},
                                                        {Rahmen.erzeugen, &k.rahmen, true},
                                                        {Hintergrund.erzeugen, &k.hintergrund, true}};
    for (auto [box, flag, enabling] : flags)
        connect(box, &QCheckBox::clicked, this, [this, flag, enabling](bool on) {
            *flag = on ? 1 : 0;
            if (enabling) InitDialog();
        });
    connect(KalenderTermineMonatTag, &QButtonGroup::idClicked, this,
            [&k](int id) { k.terminemonattag = id; });
    const std::tuple<QLineEdit*, int, int, int*, const char*> numbers[] = {
        {KalenderOffsetX, -500, 500, &k.offsetx, "X-Offset des Kalenders nicht zulässig."},
        {KalenderOffsetY, -500, 500, &k.offsety, "Y-Offset des Kalenders nicht zulässig."},
        {KalenderSpaltenbreite, 10, 100, &k.spaltenbreite, "Spaltenbreite nicht zulässig."},
        {KalenderZeilenhöhe, 10, 100, &k.zeilenhöhe, "Zeilenhöhe nicht zulässig."},
        {KalenderTermineMonatTagDiffVorher, 0, 10, &k.terminemonattagdiffvorher,
         "Termindifferenz nicht zulässig."},
        {KalenderTermineMonatTagDiffNachher, 0, 10, &k.terminemonattagdiffnachher,
         "Termindifferenz nicht zulässig."}};
    for (auto [field, minimum, maximum, setting, subject] : numbers)
        connect(field, &QLineEdit::editingFinished, this,
                [=] { *setting = ValidateRangeField(field, minimum, maximum, *setting, subject); });
    connect(KalenderHGDeckkraft, &QSlider::valueChanged, this, [this, &k](int value) {
        UpdatePercentLabel(KalenderHGDeckkraft, KalenderHGDeckkraftProzent);
        k.hintergrunddeckkraft = value;
    });
    const std::tuple<const ColourFrame*, int*, const char*> colours[] = {
        {&Trennlinien, &k.trennlinienfarbe, "Farbe des Wochentrennlinien"},
        {&Rahmen, &k.rahmenfarbe, "Farbe des Kalenderrahmens"},
        {&Hintergrund, &k.hintergrundfarbe, "Hintergrundfarbe des Kalenders"}};
    for (auto [frame, setting, caption] : colours)
        connect(frame->button, &QPushButton::clicked, this,
                [=, this] { ChooseSwatchColour(this, caption, frame->swatch, *setting); });
    connect(DatenDateiButton, &QPushButton::clicked, this, [this] { DatenDateiButton_Click(); });
    connect(KalenderDetailsFestlegen, &QPushButton::clicked, this,
            [this] { KalenderDetailsFestlegen_Click(); });
    connect(übernehmen, &QPushButton::clicked, this, [] { ComposeCurrentAgain(); });
}

void KalenderEinstellungen::InitDialog() {
    const Settings::Kalender& k = kalender();
    {
        const QSignalBlocker quietHolidays(KalenderFeiertagland);
        const QSignalBlocker quietSchoolHolidays(KalenderFerienländer);
        if (QListWidgetItem* item = stateItem(KalenderFeiertagland, k.feiertagland)) {
            KalenderFeiertagland->setCurrentItem(item);
            KalenderFeiertagland->scrollToItem(item);
        }
        for (const QString& kurzname : k.ferienländer.split(';', Qt::SkipEmptyParts))
            if (QListWidgetItem* item = stateItem(KalenderFerienländer, kurzname)) {
                item->setCheckState(Qt::Checked);
                KalenderFerienländer->scrollToItem(item);
            }
    }
    const std::pair<QLineEdit*, int> numbers[] = {
        {KalenderOffsetX, k.offsetx},
        {KalenderOffsetY, k.offsety},
        {KalenderSpaltenbreite, k.spaltenbreite},
        {KalenderZeilenhöhe, k.zeilenhöhe},
        {KalenderTermineMonatTagDiffVorher, k.terminemonattagdiffvorher},
        {KalenderTermineMonatTagDiffNachher, k.terminemonattagdiffnachher}};
    for (auto [field, value] : numbers)
        field->setText(QString::number(value));
    KalenderPosition->showPosition(k.position);
    const std::pair<QCheckBox*, int> flags[] = {{Trennlinien.erzeugen, k.trennlinien},
                                                {Rahmen.erzeugen, k.rahmen},
                                                {Hintergrund.erzeugen, k.hintergrund},
                                                {mitVormonat, k.vormonat},
                                                {mitFolgemonat, k.folgemonat},
                                                {KalenderFeiertagnamen, k.feiertagnamen},
                                                {mitMondphasen, k.mondphasen},
                                                {mitMüll, k.müll},
                                                {mitFerien, k.ferien},
                                                {mitFerienlegende, k.ferienlegende},
                                                {mitTerminen, k.termine}};
    for (auto [box, flag] : flags)
        box->setChecked(flag == 1);
    ShowSwatch(Trennlinien.swatch, k.trennlinienfarbe);
    ShowSwatch(Rahmen.swatch, k.rahmenfarbe);
    ShowSwatch(Hintergrund.swatch, k.hintergrundfarbe);
    {
        const QSignalBlocker quiet(KalenderHGDeckkraft);
        KalenderHGDeckkraft->setValue(k.hintergrunddeckkraft);
    }
    UpdatePercentLabel(KalenderHGDeckkraft, KalenderHGDeckkraftProzent);
    EnableColourFrame(Trennlinien, k.trennlinien == 1);
    EnableColourFrame(Rahmen, k.rahmen == 1);
    EnableColourFrame(Hintergrund, k.hintergrund == 1);
    showDataFile();
    mitFerienlegende->setEnabled(mitFerien->isChecked());
    TerminOptionen->setEnabled(k.termine == 1);
    CheckOption(KalenderTermineMonatTag, k.terminemonattag);
}

void KalenderEinstellungen::showDataFile() {
    const QString& path = kalender().datendatei;
    DatenDatei->setText(path);
    QPalette palette = DatenDatei->palette();
    if (path.isEmpty())
        palette.setColor(QPalette::Base, QApplication::palette(DatenDatei).color(QPalette::Base));
    else
        palette.setColor(QPalette::Base, PathExists(path, 1) ? QColor(192, 255, 192) : QColor(255, 128, 128));
    DatenDatei->setPalette(palette);
}

void KalenderEinstellungen::KalenderFerienländer_ItemCheck() {
    QStringList ticked;
    for (int row = 0; row < KalenderFerienländer->count(); ++row)
        if (KalenderFerienländer->item(row)->checkState() == Qt::Checked)
            ticked << KalenderFerienländer->item(row)->data(Qt::UserRole).toString();
    kalender().ferienländer = ticked.join(';');
}

void KalenderEinstellungen::DatenDateiButton_Click() {
    const QString chosen =
        ShowFileDialog(this, false, "Konfigurationsdateien (*.cfg)", "", "", "Konfigurationsdatei wählen");
    if (chosen.isEmpty()) return;
    kalender().datendatei = chosen;
    InitDialog();
}

void KalenderEinstellungen::KalenderDetailsFestlegen_Click() {
    KalenderDetailEinstellungen details(this);
    details.exec();
}
