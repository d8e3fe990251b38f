#include "shell/FontControls.h"

#include "shell/FormRoutines.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FontControls::FontControls(QWidget* parent, const QString& prefix, FontSettings settings,
                           const QString& colourCaption, std::function<void()> changed)
    : QObject(parent), form_(parent), s_(settings), colourCaption_(colourCaption),
      changed_(std::move(changed)), grid_(new QGridLayout(parent)) {
    Schrift = MakeControl<QComboBox>(parent, prefix + "Schrift");
    FillFontList(Schrift);
    Höhe = MakeNumberField(parent, prefix + "Höhe");
    Farbe = MakeSwatch(parent, prefix + "Farbe");
    FarbeButton = MakeControl<QPushButton>(parent, prefix + "FarbeButton", "...");
    FarbeButton->setMaximumWidth(parent->fontMetrics().height() * 3);
    auto* weights = MakeFrame(parent, "FrameGewicht", "Schriftgewicht");
    Weight = MakeOptions(weights, prefix + "Weight", {{300, "Dünn"}, {400, "Normal"}, {700, "Fett"}});
    auto* attributes = MakeFrame(parent, "FrameAttribute", "Schriftattribute");
    auto* attributeLayout = new QVBoxLayout(attributes);
    Italic = MakeControl<QCheckBox>(attributes, prefix + "Italic", "Kursiv");
    Underline = MakeControl<QCheckBox>(attributes, prefix + "Underline", "Unterstrichen");
    Strikeout = MakeControl<QCheckBox>(attributes, prefix + "Strikeout", "Durchgestrichen");
    for (QWidget* box : {Italic, Underline, Strikeout})
        attributeLayout->addWidget(box);

    grid_->addWidget(new QLabel("Schriftart", parent), 0, 0);
    grid_->addWidget(Schrift, 0, 1, 1, 3);
    grid_->addWidget(new QLabel("Schrifthöhe", parent), 1, 0);
    grid_->addWidget(Höhe, 1, 1);
    grid_->addWidget(new QLabel("Pixel", parent), 1, 2);
    grid_->addWidget(new QLabel("Schriftfarbe", parent), 2, 0);
    grid_->addWidget(Farbe, 2, 1);
    grid_->addWidget(FarbeButton, 2, 2);
    grid_->addWidget(weights, 3, 0, 1, 2);
    grid_->addWidget(attributes, 3, 2, 1, 2);
    grid_->setColumnStretch(3, 1);

    connect(Schrift, &QComboBox::activated, this, [this](int index) { Schrift_Click(index); });
    connect(Höhe, &QLineEdit::editingFinished, this, [this] { Höhe_LostFocus(); });
    connect(FarbeButton, &QPushButton::clicked, this, [this] { FarbeButton_Click(); });
    connect(Weight, &QButtonGroup::idClicked, this, [this](int id) {
        s_.gewicht = id;
        changed_();
    });
    const std::pair<QCheckBox*, int*> flags[] = {
        {Italic, &s_.kursiv}, {Underline, &s_.unterstrichen}, {Strikeout, &s_.durchgestrichen}};
    for (auto [box, flag] : flags)
        connect(box, &QCheckBox::clicked, this, [this, flag](bool on) {
            *flag = on ? 1 : 0;
            changed_();
        });
}

void FontControls::InitDialog() {
    SelectFontFamily(Schrift, s_.schriftart);
    Höhe->setText(QString::number(s_.hoehe));
    ShowSwatch(Farbe, s_.farbe);
    CheckOption(Weight, s_.gewicht);
    Italic->setChecked(s_.kursiv == 1);
    Underline->setChecked(s_.unterstrichen == 1);
    Strikeout->setChecked(s_.durchgestrichen == 1);
}

void FontControls::Schrift_Click(int index) {
    s_.schriftart = Schrift->itemText(index);
    changed_();
}

void FontControls::Höhe_LostFocus() {
    const int before = s_.hoehe;
    s_.hoehe = ValidateRangeField(Höhe, 1, 100, s_.hoehe, "Texthöhe nicht zulässig.");
    if (s_.hoehe != before) changed_();
}

void FontControls::FarbeButton_Click() {
    if (ChooseSwatchColour(form_, colourCaption_, Farbe, s_.farbe)) changed_();
}
