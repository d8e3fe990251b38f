#include "shell/FormRoutines.h"

#include "app/ProgramState.h"
#include "calendar/GappedSort.h"
#include "compose/ComposeWallpaper.h"
#include "shell/CommonDialogs.h"
#include "shell/FontAvailability.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// The type icons of the font lists: a "T" for outline fonts, a grid of dots for bitmap fonts.
QIcon fontTypeIcon(bool scalable) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    if (scalable) {
        painter.setPen(QPen(QColor(0, 64, 160), 2));
        painter.drawLine(3, 3, 13, 3);
        painter.drawLine(8, 3, 8, 14);
    } else {
        for (int y = 3; y < 14; y += 3)
            for (int x = 3; x < 14; x += 3)
                painter.fillRect(x, y, 2, 2, QColor(96, 96, 96));
    }
    return QIcon(picture);
}

const QIcon& typeIcon(bool scalable) {
    static const QIcon TrueType1 = fontTypeIcon(true);
    static const QIcon Raster = fontTypeIcon(false);
    return scalable ? TrueType1 : Raster;
}

struct ComboEntry {
    QString text;
    QIcon icon;
    QVariant key;
};

} // namespace

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption) {
    auto* box = MakeControl<QGroupBox>(parent, name);
    box->setTitle(caption);
    return box;
}

QButtonGroup* MakeOptions(QGroupBox* box, const QString& name,
                          std::initializer_list<std::pair<int, QString>> items) {
    auto* group = new QButtonGroup(box);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    for (const auto& [id, caption] : items) {
        auto* button = MakeControl<QRadioButton>(box, name, caption);
        group->addButton(button, id);
        layout->addWidget(button);
    }
    return group;
}

void CheckOption(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) return button->setChecked(true);
    if (QAbstractButton* checked = group->checkedButton()) {
        group->setExclusive(false);
        checked->setChecked(false);
        group->setExclusive(true);
    }
}

void SortComboItems(QComboBox* combo) {
    std::vector<ComboEntry> entries;
    entries.reserve(size_t(combo->count()));
    for (int i = 0; i < combo->count(); ++i)
        entries.push_back({combo->itemText(i), combo->itemIcon(i), combo->itemData(i)});
    GappedInsertionSort(entries, [](const ComboEntry& a, const ComboEntry& b) {
        return b.text.toLower() < a.text.toLower();
    });
    combo->clear();
    for (const ComboEntry& entry : entries)
        combo->addItem(entry.icon, entry.text, entry.key);
}

void AddFontFamily(QComboBox* combo, const QString& family) {
    if (combo->findData(family) >= 0) return;
    combo->addItem(typeIcon(QFontDatabase::isSmoothlyScalable(family)), family, family);
}

void FillFontList(QComboBox* combo) {
    combo->clear();
    for (const QString& family : QFontDatabase::families())
        AddFontFamily(combo, family);
    SortComboItems(combo);
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

void SelectFontFamily(QComboBox* combo, const QString& family) {
    int index = combo->findData(family, Qt::UserRole, Qt::MatchFixedString);
    if (const QString face = index < 0 ? InstalledFace(family) : QString(); !face.isEmpty()) {
        // Listed under the stored name, in its sorted place, so that choosing it keeps that name.
        const QString key = family.toLower();
        index = 0;
        while (index < combo->count() && combo->itemText(index).toLower() <= key)
            ++index;
        combo->insertItem(index, typeIcon(QFontDatabase::isSmoothlyScalable(face)), family, family);
        combo->setItemData(index, "Dargestellt mit " + face, Qt::ToolTipRole);
    }
    combo->setCurrentIndex(index);
    combo->setPlaceholderText(family + " (nicht installiert)");
}

void SetContainerEnabled(QWidget* container, bool enabled) {
    for (QWidget* control : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        control->setEnabled(enabled);
        SetContainerEnabled(control, enabled);
    }
}

int ValidateRangeField(QLineEdit* field, int minimum, int maximum, int previous, const QString& subject) {
    bool number = false;
    const int value = field->text().trimmed().toInt(&number);
    if (number && value >= minimum && value <= maximum) return value;
    field->setText(QString::number(previous));
    QMessageBox box(QMessageBox::Warning, "Velomira",
                    subject + "\nWerte zwischen " + QString::number(minimum) + " und " +
                        QString::number(maximum) + " sind erlaubt.\n\nEs wird der vorherige Wert verwendet.",
                    QMessageBox::Ok, field->window());
    box.exec();
    return previous;
}

QLineEdit* MakeNumberField(QWidget* parent, const QString& name) {
    auto* field = MakeControl<QLineEdit>(parent, name);
    field->setMaximumWidth(parent->fontMetrics().horizontalAdvance("00000") * 2);
    return field;
}

QSlider* MakePercentSlider(QWidget* parent, const QString& name) {
    auto* slider = MakeControl<QSlider>(parent, name);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(0, 100);
    return slider;
}

void UpdatePercentLabel(const QSlider* slider, QLabel* label) {
    label->setText(QString::number(slider->value()) + "%");
}

QLabel* MakeSwatch(QWidget* parent, const QString& name) {
    auto* swatch = MakeControl<QLabel>(parent, name);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    swatch->setFixedSize(parent->fontMetrics().height() * 2, parent->fontMetrics().height());
    return swatch;
}

void ShowSwatch(QLabel* swatch, int colour) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, ColorFromColorref(colour));
    swatch->setPalette(palette);
}

int SwatchColour(const QLabel* swatch) {
    return ColorrefFromColor(swatch->palette().color(QPalette::Window));
}

bool ChooseSwatchColour(QWidget* owner, const QString& caption, QLabel* swatch, int& setting) {
    const int shown = SwatchColour(swatch);
    const int chosen = ChooseColorDialog(owner, caption, shown);
    if (chosen == -1 || chosen == shown) return false;
    ShowSwatch(swatch, chosen);
    setting = chosen;
    return true;
}

ColourFrame MakeColourFrame(QWidget* parent, const QString& frameName, const QString& caption,
                            const QString& boxName, const QString& swatchName, const QString& buttonName) {
    ColourFrame c;
    c.frame = MakeFrame(parent, frameName, caption);
    c.erzeugen = MakeControl<QCheckBox>(c.frame, boxName, "erzeugen");
    c.swatch = MakeSwatch(c.frame, swatchName);
    c.button = MakeControl<QPushButton>(c.frame, buttonName, "...");
    c.button->setMaximumWidth(parent->fontMetrics().height() * 3);
    c.grid = new QGridLayout(c.frame);
    c.grid->addWidget(c.erzeugen, 0, 0);
    c.grid->addWidget(new QLabel("Farbe", c.frame), 0, 1, Qt::AlignRight);
    c.grid->addWidget(c.swatch, 0, 2);
    c.grid->addWidget(c.button, 0, 3);
    return c;
}

void EnableColourFrame(const ColourFrame& frame, bool on) {
    SetContainerEnabled(frame.frame, on);
    if (!on) frame.erzeugen->setEnabled(true);
}

void AddPercentRow(QGridLayout* grid, int row, QSlider* slider, QLabel* percent) {
    grid->addWidget(new QLabel("Deckkraft", slider->parentWidget()), row, 0);
    grid->addWidget(slider, row, 1, 1, 2);
    grid->addWidget(percent, row, 3);
}

void ComposeCurrentAgain() {
    Program().CurrentIndex -= 1;
    ComposeWallpaper();
}
