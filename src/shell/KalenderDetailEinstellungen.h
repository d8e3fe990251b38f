#pragma once

#include "shell/FontControls.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;

// The calendar details dialog ("Kalenderdetails"): font, height, colour, weight and style of the
// month name, the days, the weekday names and week numbers, and the appointments, plus the colours
// of Saturdays and Sundays. Every edit goes into the calendar settings at once. Open it modally.
class KalenderDetailEinstellungen : public QDialog {
public:
    explicit KalenderDetailEinstellungen(QWidget* parent = nullptr);

    void InitDialog();

private:
    std::array<FontControls*, 4> groups_;
    QGroupBox* FrameTermine;
    QLabel* KalenderSamstagFarbe;
    QLabel* KalenderSonntagFarbe;
};
