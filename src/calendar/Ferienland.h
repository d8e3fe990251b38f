#pragma once

#include "calendar/CalendarSyntax.h"

#include <QString>
#include <QStringView>
#include <vector>

// One German state as the calendar knows it: its names and the colour of its school holidays.
class cFerienland {
public:
    QString langname;
    QString kurzname;
    int farbe = Rgb(255, 0, 0); // red, until a "ferienland" line of the data file sets another colour
    bool vorhanden = false;     // a "ferien" line for the state has been read
};

// The 15 states of the calendar (Berlin is not among them) in their fixed order, each red and without
// school holidays at first. Lookups by abbreviation ignore case.
class FerienlandList {
public:
    FerienlandList();

    cFerienland* find(QStringView kurzname);
    const cFerienland* find(QStringView kurzname) const;

    auto begin() const { return states_.begin(); }
    auto end() const { return states_.end(); }
    qsizetype size() const { return qsizetype(states_.size()); }

private:
    std::vector<cFerienland> states_;
};
