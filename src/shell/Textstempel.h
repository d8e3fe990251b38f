#pragma once

#include "shell/FontControls.h"
#include "shell/FormRoutines.h"
#include "shell/StampPreview.h"

#include <QDialog>

class PositionGrid;
class QCheckBox;
class QGroupBox;
class QSlider;

// The text stamp settings dialog: every edit goes into the stamp settings at once and shows on the
// preview; "übernehmen" composes the wallpaper again. There is no cancel. Open it modally.
class Textstempel : public QDialog {
public:
    explicit Textstempel(QWidget* parent = nullptr);

    // Shows the settings in every control, then the preview.
    void InitDialog();
    void RefreshStampPreview();

private:
    void createControls();
    void connectControls();
    void StempelTextOffset_LostFocus(QLineEdit* field, int& setting, const QString& subject);
    void StempelTextFarbeLesbar_Click(bool on);
    void StempelTextRahmenErzeugen_Click(bool on);
    void StempelTextHGFüllen_Click(bool on);
    void StempelTextRahmenFarbeButton_Click();
    void TextStempelHGFarbeButton_Click();

    StampPreview preview_;
    QLineEdit* StempelText;
    QGroupBox* FrameSchrift;
    FontControls* font_;
    QCheckBox* StempelTextFarbeLesbar;
    QSlider* StempelTextDeckkraft;
    QLabel* StempelTextDeckkraftProzent;
    QButtonGroup* StempelTextDirection;
    QButtonGroup* StempelTextAlignment;
    PositionGrid* StempelTextPosition;
    QLineEdit* StempelTextOffsetX;
    QLineEdit* StempelTextOffsetY;
    ColourFrame Rahmen;      // FrameTextRahmen
    ColourFrame Hintergrund; // FrameTexthintergrund
    QSlider* StempelTextHGDeckkraft;
    QLabel* StempelTextHGDeckkraftProzent;
    QLabel* TextBeispielImage;
    QPushButton* übernehmen;
};
