#pragma once
// The settings loader: reads the stored settings once at start-up into the
// controls and globals of the windows. This is its first part: the values the
// QSO road needs (save hot key, UTC offset, band and mode, the Enter order,
// the current log), the window places and the log grid's columns.
namespace zelmor {

void LoadSettings();
// The first start's steps that belong to the settings dialog: the QSO
// window's look is stored as "Авангард", so the first start already shows
// it (the loader would otherwise read it back empty).
void WriteDefaultDialogSettings();

} // namespace zelmor
