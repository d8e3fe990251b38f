#pragma once

#include <QColor>
#include <QString>

class QWidget;

// The system dialogs the settings windows open. Each is modal over `owner`, centred on it, and
// titled "Velomira - " + caption (the dialog's own title when the caption is empty).

// A folder chooser opening on `start` (accepting at once returns it); `prompt` says what to choose.
// Returns the chosen folder, or "" when cancelled.
QString BrowseForFolder(QWidget* owner, const QString& start, const QString& prompt, const QString& caption);

// A file open dialog (save dialog when `save`). `filter` is in the form "Beschreibung (*.ext)";
// `defaultSuffix` is appended to a typed name without one. Returns the chosen path, or "" when
// cancelled.
QString ShowFileDialog(QWidget* owner, bool save, const QString& filter, const QString& file,
                       const QString& defaultSuffix, const QString& title);

// A colour chooser opening on `colour` (a COLORREF, 0x00BBGGRR), with all 16 custom colours black
// every time. Returns the chosen COLORREF, or -1 when cancelled.
int ChooseColorDialog(QWidget* owner, const QString& caption, int colour);

// COLORREF (0x00BBGGRR) and QColor.
QColor ColorFromColorref(int colour);
int ColorrefFromColor(const QColor& colour);
