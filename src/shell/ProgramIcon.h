#pragma once

#include <QIcon>

// The program's icon, drawn rather than shipped so that the tray, the windows and the tests share
// one picture: a landscape with a sun on a blue tile.
QIcon ProgramIcon();
