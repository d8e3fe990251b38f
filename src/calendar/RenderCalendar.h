#pragma once

#include "app/Settings.h"

// Draws the month calendar of the `kalender` settings onto the registered working image: the
// current month (with the previous and the next one when asked for) with week numbers, weekend and
// holiday colours, moon phases, school-holiday bars, garbage-day markers and today's frame, then the
// legend of school-holiday states, the holiday list and the appointment list. The data file is read
// again for the year of today (Now()) at every call. Draws nothing while no image is registered.
void RenderCalendar(const Settings::Kalender& kalender);
