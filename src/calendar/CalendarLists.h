#pragma once

#include "app/Settings.h"
#include "calendar/CalendarData.h"
#include "calendar/CalendarLayout.h"

#include <QDate>

// The lists below the month grids, each where `layout` puts it: the legend of school-holiday states,
// the holidays of the shown months and the appointments of their range with today's mark.
void DrawCalendarLists(const Settings::Kalender& kalender, const CalendarData& data,
                       const CalendarLayout& layout, const QDate& today);
