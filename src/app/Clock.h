#pragma once

#include <QDateTime>
#include <functional>

// The program's one source of "now": the change timer's tooltip, the placeholders and the calendar
// read the current date and time only through it, so tests can move it to month ends, leap days,
// summer-time changes and year ends.
QDateTime Now();

// Replaces the clock (an empty function restores the system clock).
void SetClock(std::function<QDateTime()> clock);
