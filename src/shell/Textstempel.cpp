#include "shell/Textstempel.h"

#include "app/ProgramState.h"
#include "shell/FormRoutines.h"
#include "shell/PositionGrid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// Big enough for a calendar of the default sizes beside a stamp.
constexpr QSize kPreviewSize(400, 300);

Settings::Textstempel& stamp() {
    return Program().settings.textstempel;
}

} // namespace

Textstempel::Textstempel(QWidget* parent) : QDialog(parent), preview_(kPreviewSize) {
    setObjectName("Textstempel");
    setWindowTitle("Textstempel");
    createControls();
    connectControls();
    InitDialog();
}

void Textstempel::createControls() {
    Settings::Textstempel& t = stamp();
    StempelText = MakeControl<QLineEdit>(this, "StempelText");
    StempelText->setToolTip("Platzhalter werden in der Vorschau so gezeigt, wie sie geschrieben sind");

    FrameSchrift = MakeFrame(this, "FrameSchrift", "Schrift");
    font_ = new FontControls(
        FrameSchrift, "StempelText",
        FontSettings{t.schriftart, t.hoehe, t.farbe, t.gewicht, t.kursiv, t.unterstrichen, t.durchgestrichen},
        "Farbe des Textstempels", [this] { RefreshStampPreview(); });
    StempelTextFarbeLesbar =
        MakeControl<QCheckBox>(FrameSchrift, "StempelTextFarbeLesbar", "lesbare Farbe automatisch wählen");
    StempelTextDeckkraft = MakePercentSlider(FrameSchrift, "StempelTextDeckkraft");
    StempelTextDeckkraftProzent = MakeControl<QLabel>(FrameSchrift, "StempelTextDeckkraftProzent");
    font_->grid()->addWidget(StempelTextFarbeLesbar, 4, 0, 1, 4);
    AddPercentRow(font_->grid(), 5, StempelTextDeckkraft, StempelTextDeckkraftProzent);

    auto* alignment = MakeFrame(this, "FrameAusrichtung", "Ausrichtung");
    StempelTextAlignment = MakeOptions(
        alignment, "StempelTextAlignment",
        {{0, "Automatisch entsprechend Textposition"}, {1, "Links"}, {2, "Zentriert"}, {3, "Rechts"}});
    auto* direction = MakeFrame(this, "FrameRichtung", "Textrichtung");
    StempelTextDirection =
        MakeOptions(direction, "StempelTextDirection", {{0, ""}, {1, ""}, {2, ""}, {3, ""}});
    const char* const turns[] = {"waagerecht", "nach oben lesend", "auf dem Kopf", "nach unten lesend"};
    for (int richtung = 0; richtung < 4; ++richtung) {
        QAbstractButton* button = StempelTextDirection->button(richtung);
        button->setIcon(QPixmap::fromImage(DirectionPicture(richtung)));
        button->setIconSize(QSize(32, 32));
        button->setToolTip(turns[richtung]);
    }

    auto* position = MakeFrame(this, "FramePosition", "Textposition");
    StempelTextPosition =
        new PositionGrid(position, "StempelTextPosition", t.position, [this] { RefreshStampPreview(); });
    StempelTextOffsetX = MakeNumberField(position, "StempelTextOffsetX");
    StempelTextOffsetY = MakeNumberField(position, "StempelTextOffsetY");
    auto* positionGrid = new QGridLayout(position);
    positionGrid->addWidget(StempelTextPosition, 0, 0, 1, 3);
    positionGrid->addWidget(new QLabel("Offset X", position), 1, 0);
    positionGrid->addWidget(StempelTextOffsetX, 1, 1);
    positionGrid->addWidget(new QLabel("Y", position), 1, 2);
    positionGrid->addWidget(StempelTextOffsetY, 1, 3);

    Rahmen = MakeColourFrame(this, "FrameTextRahmen", "Rahmen", "StempelTextRahmenErzeugen",
                             "StempelTextRahmenFarbe", "StempelTextRahmenFarbeButton");
    Hintergrund = MakeColourFrame(this, "FrameTexthintergrund", "Hintergrund", "StempelTextHGFüllen",
                                  "StempelTextHGFarbe", "TextStempelHGFarbeButton");
    StempelTextHGDeckkraft = MakePercentSlider(Hintergrund.frame, "StempelTextHGDeckkraft");
    StempelTextHGDeckkraftProzent = MakeControl<QLabel>(Hintergrund.frame, "StempelTextHGDeckkraftProzent");
    AddPercentRow(Hintergrund.grid, 1, StempelTextHGDeckkraft, StempelTextHGDeckkraftProzent);

    TextBeispielImage = MakeControl<QLabel>(this, "TextBeispielImage");
    TextBeispielImage->setFixedSize(kPreviewSize);
    übernehmen = MakeControl<QPushButton>(this, "übernehmen", "übernehmen");

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Text", this));
    left->addWidget(StempelText);
    left->addWidget(FrameSchrift);
    left->addWidget(alignment);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(direction);
    middle->addWidget(position);
    middle->addWidget(Rahmen.frame);
    middle->addWidget(Hintergrund.frame);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel("Vorschau", this));
    right->addWidget(TextBeispielImage);
    right->addStretch();
    right->addWidget(übernehmen, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(middle);
    layout->addLayout(right);
}

void Textstempel::connectControls() {
    Settings::Textstempel& t = stamp();
    connect(StempelText, &QLineEdit::textEdited, this, [this, &t](const QString& text) {
        t.text = text;
        RefreshStampPreview();
    });
    connect(StempelTextOffsetX, &QLineEdit::editingFinished, this, [this, &t] {
        StempelTextOffset_LostFocus(StempelTextOffsetX, t.offsetx,
                                    "X-Offset der Textposition nicht zulässig.");
    });
    connect(StempelTextOffsetY, &QLineEdit::editingFinished, this, [this, &t] {
        StempelTextOffset_LostFocus(StempelTextOffsetY, t.offsety,
                                    "Y-Offset der Textposition nicht zulässig.");
    });
    const std::pair<QButtonGroup*, int*> options[] = {{StempelTextDirection, &t.richtung},
                                                      {StempelTextAlignment, &t.ausrichtung}};
    for (auto [group, setting] : options)
        connect(group, &QButtonGroup::idClicked, this, [this, setting](int id) {
            *setting = id;
            RefreshStampPreview();
        });
    const std::tuple<QSlider*, QLabel*, int*> sliders[] = {
        {StempelTextDeckkraft, StempelTextDeckkraftProzent, &t.deckkraft},
        {StempelTextHGDeckkraft, StempelTextHGDeckkraftProzent, &t.hintergrunddeckkraft}};
    for (auto [slider, label, setting] : sliders)
        connect(slider, &QSlider::valueChanged, this, [this, slider, label, setting](int value) {
            UpdatePercentLabel(slider, label);
            *setting = value;
            RefreshStampPreview();
        });
    connect(StempelTextFarbeLesbar, &QCheckBox::clicked, this,
            [this](bool on) { StempelTextFarbeLesbar_Click(on); });
    connect(Rahmen.erzeugen, &QCheckBox::clicked, this,
            [this](bool on) { StempelTextRahmenErzeugen_Click(on); });
    connect(Hintergrund.erzeugen, &QCheckBox::clicked, this,
            [this](bool on) { StempelTextHGFüllen_Click(on); });
    connect(Rahmen.button, &QPushButton::clicked, this, [this] { StempelTextRahmenFarbeButton_Click(); });
    connect(Hintergrund.button, &QPushButton::clicked, this, [this] { TextStempelHGFarbeButton_Click(); });
    connect(übernehmen, &QPushButton::clicked, this, [] { ComposeCurrentAgain(); });
}

void Textstempel::InitDialog() {
    const Settings::Textstempel& t = stamp();
    StempelText->setText(t.text);
    font_->InitDialog();
    StempelTextFarbeLesbar->setChecked(t.farbelesbar == 1);
    font_->colourButton()->setEnabled(t.farbelesbar != 1);
    CheckOption(StempelTextDirection, t.richtung);
    CheckOption(StempelTextAlignment, t.ausrichtung);
    StempelTextOffsetX->setText(QString::number(t.offsetx));
    StempelTextOffsetY->setText(QString::number(t.offsety));
    StempelTextPosition->showPosition(t.position);
    Rahmen.erzeugen->setChecked(t.rahmen == 1);
    ShowSwatch(Rahmen.swatch, t.rahmenfarbe);
    Hintergrund.erzeugen->setChecked(t.hintergrund == 1);
    ShowSwatch(Hintergrund.swatch, t.hintergrundfarbe);
    for (QSlider* slider : {StempelTextDeckkraft, StempelTextHGDeckkraft}) {
        const QSignalBlocker quiet(slider);
        slider->setValue(slider == StempelTextDeckkraft ? t.deckkraft : t.hintergrunddeckkraft);
    }
    UpdatePercentLabel(StempelTextDeckkraft, StempelTextDeckkraftProzent);
    UpdatePercentLabel(StempelTextHGDeckkraft, StempelTextHGDeckkraftProzent);
    EnableColourFrame(Rahmen, t.rahmen == 1);
    EnableColourFrame(Hintergrund, t.hintergrund == 1);
    RefreshStampPreview();
}

void Textstempel::RefreshStampPreview() {
    TextBeispielImage->setPixmap(QPixmap::fromImage(preview_.render(Program().settings)));
}

void Textstempel::StempelTextOffset_LostFocus(QLineEdit* field, int& setting, const QString& subject) {
    const int before = setting;
    setting = ValidateRangeField(field, -500, 500, setting, subject);
    if (setting != before) RefreshStampPreview();
}

void Textstempel::StempelTextFarbeLesbar_Click(bool on) {
    font_->colourButton()->setEnabled(!on);
    stamp().farbelesbar = on ? 1 : 0;
    RefreshStampPreview();
}

void Textstempel::StempelTextRahmenErzeugen_Click(bool on) {
    stamp().rahmen = on ? 1 : 0;
    InitDialog();
}

void Textstempel::StempelTextHGFüllen_Click(bool on) {
    stamp().hintergrund = on ? 1 : 0;
    InitDialog();
}

void Textstempel::StempelTextRahmenFarbeButton_Click() {
    if (ChooseSwatchColour(this, "Rahmenfarbe des Textstempels", Rahmen.swatch, stamp().rahmenfarbe))
        RefreshStampPreview();
}

void Textstempel::TextStempelHGFarbeButton_Click() {
    if (ChooseSwatchColour(this, "Hintergrundfarbe des Textstempels", Hintergrund.swatch,
                           stamp().hintergrundfarbe))
        RefreshStampPreview();
}
