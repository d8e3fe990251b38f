#pragma once

#include <QString>
#include <initializer_list>
#include <utility>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QPushButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;
class QWidget;

// Routines the settings dialogs share.

// Creates a control named `name` (the control name the settings documentation uses) with a caption.
template <class Control>
Control* MakeControl(QWidget* parent, const QString& name, const QString& caption = {}) {
    auto* control = new Control(parent);
    control->setObjectName(name);
    if constexpr (requires { control->setText(caption); })
        if (!caption.isEmpty()) control->setText(caption);
    return control;
}

// A frame with a caption.
QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption);

// Option buttons stacked in `box`, all named `name`; each one's id in the group is the value it
// stands for.
QButtonGroup* MakeOptions(QGroupBox* box, const QString& name,
                          std::initializer_list<std::pair<int, QString>> items);

// Switches on the option button `id` of the group; with no such button none is on.
void CheckOption(QButtonGroup* group, int id);

// Sorts the entries of a combo box ascending by their text in lower case, with the gapped sort the
// font lists have always been ordered by (so equal names keep that order too).
void SortComboItems(QComboBox* combo);

// Adds one installed font family with the icon of its type ("TrueType1" scalable, "Raster" bitmap);
// a family already listed is not added again.
void AddFontFamily(QComboBox* combo, const QString& family);

// Fills a font list with every installed family, sorted, with the first entry chosen.
void FillFontList(QComboBox* combo);

// Chooses the entry of a font list whose family is `family` (ignoring case). A family drawn with a
// metric-compatible face (Arial with Liberation Sans) gets an entry of its own name, whose tool tip
// names that face. When it is not installed no entry is chosen and the list says so, rather than
// show a font that is not used.
void SelectFontFamily(QComboBox* combo, const QString& family);

// Enables or disables every control inside `container`, and the contents of containers within it.
// The container itself stays enabled, so that one of its controls can be enabled again afterwards.
void SetContainerEnabled(QWidget* container, bool enabled);

// Checks a whole number typed into `field` against minimum..maximum. A text that is no whole number
// or lies outside gets `previous` back and a message: `subject` ("Texthöhe nicht zulässig."), the
// allowed range and that the previous value is used. Returns the value to store.
int ValidateRangeField(QLineEdit* field, int minimum, int maximum, int previous, const QString& subject);

// A short text box for a whole number.
QLineEdit* MakeNumberField(QWidget* parent, const QString& name);

// A horizontal slider from 0 to 100 percent.
QSlider* MakePercentSlider(QWidget* parent, const QString& name);

// Shows a slider's value in its label, as "50%".
void UpdatePercentLabel(const QSlider* slider, QLabel* label);

// A colour swatch: a framed label showing a COLORREF as its background.
QLabel* MakeSwatch(QWidget* parent, const QString& name);
void ShowSwatch(QLabel* swatch, int colour);
int SwatchColour(const QLabel* swatch);

// The colour dialog for a swatch, opening on the colour it shows. Returns true when another colour
// was chosen, which is then shown and stored in `setting`; cancelling or choosing the same colour
// changes nothing.
bool ChooseSwatchColour(QWidget* owner, const QString& caption, QLabel* swatch, int& setting);

// A frame of something drawn only when its check box "erzeugen" is ticked, with the label "Farbe",
// a colour swatch and a "..." button in its first row; `grid` takes further rows.
struct ColourFrame {
    QGroupBox* frame;
    QCheckBox* erzeugen;
    QLabel* swatch;
    QPushButton* button;
    QGridLayout* grid;
};
ColourFrame MakeColourFrame(QWidget* parent, const QString& frameName, const QString& caption,
                            const QString& boxName, const QString& swatchName, const QString& buttonName);

// Enables the frame's controls when `on`; otherwise disables all but its check box.
void EnableColourFrame(const ColourFrame& frame, bool on);

// Adds the row "Deckkraft", slider, percent label to a grid.
void AddPercentRow(QGridLayout* grid, int row, QSlider* slider, QLabel* percent);

// Composes the picture shown once more, so that changed settings appear on the wallpaper.
void ComposeCurrentAgain();
