#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The settings of one kind of text: family, height in pixels, colour, weight and style flags.
struct FontSettings {
    QString& schriftart;
    int& hoehe;
    int& farbe;
    int& gewicht;
    int& kursiv;
    int& unterstrichen;
    int& durchgestrichen;
};

// The controls that edit one FontSettings, named after `prefix` (prefix + "Schrift", "Höhe",
// "Farbe", "FarbeButton", "Weight", "Italic", "Underline", "Strikeout"), laid out in a grid inside
// `parent`, which owns them. Every edit goes into the settings at once and then runs `changed`.
class FontControls : public QObject {
public:
    FontControls(QWidget* parent, const QString& prefix, FontSettings settings, const QString& colourCaption,
                 std::function<void()> changed);

    // Shows the settings in the controls; no handler runs.
    void InitDialog();

    QGridLayout* grid() const { return grid_; }
    QPushButton* colourButton() const { return FarbeButton; }

private:
    void Schrift_Click(int index);
    void Höhe_LostFocus();
    void FarbeButton_Click();

    QWidget* form_;
    FontSettings s_;
    QString colourCaption_;
    std::function<void()> changed_;
    QGridLayout* grid_;
    QComboBox* Schrift;
    QLineEdit* Höhe;
    QLabel* Farbe;
    QPushButton* FarbeButton;
    QButtonGroup* Weight;
    QCheckBox* Italic;
    QCheckBox* Underline;
    QCheckBox* Strikeout;
};
