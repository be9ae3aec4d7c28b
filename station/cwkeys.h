#pragma once
// The QSO window's CW work: the keyer on the launcher's element clocks and
// the QSO window's PTT timer, the macro keys, the automatic command lines,
// and the actions of the "CW / Звук" menu for the menus to connect.
#include "station/keyer.h"

#include <QString>
#include <array>
#include <functional>

namespace zelmor {

extern CwKeyer *Keyer;

// Made once all windows exist; fills the hooks of the QSO window, the
// launcher, the start-up and the shut-down. The settings loader gives it
// its times and keeps them in step with the dialog. The clocks are the
// launcher's Timer1 and Timer3 and the PTT timer the QSO window's Timer3
// unless others are given (tests).
void CreateCwKeyer(PeriodicTimer *normal = nullptr, PeriodicTimer *fast = nullptr, OneShotTimer *ptt = nullptr);
void DestroyCwKeyer();

// For the transceiver too: CW work on and off.
void StartCwWork();
void StopCwWork();
bool CwWorkOn();

// The menu's items; CreateCwKeyer puts them into CwMenu (logbook/cwhooks.h).
void SSBCW1Click(); // "Работа CW" (Shift+F8): on/off
void CW1Click();    // "Работа CW с клавиатуры" (Shift+I): stops a text, opens Memo3
void StopCW1Click(); // "Стоп CW" (Del)
void Cw2Click();    // "Очистить оперативное окно CW" (Shift+Del)
void Cw31Click();   // "Открыть / Закрыть оперативное окно CW" (Ctrl+Z)
void CW23Click();   // "Увеличение скорости CW" (PgDn): element time + 1 ms
void CW33Click();   // "Уменьшение скорости CW" (PgUp): element time - 1 ms

// The 22 cells of "Ячейки памяти  CW и Звука", in menu order.
struct CwMemoryCell {
    const char *item;    // the menu item's name
    const char *caption;
    const char *key;     // its shortcut
    int text;            // the FCW number of its text
};
const std::array<CwMemoryCell, 22> &CwMemoryCells();
// A cell's action, by the FCW number of its text: 1..6 (F2..F7) key the
// text with CW work on, else play the voice file; 7..11 and 13..22 key the
// expanded text; 12 (Alt+F12) keys the text as it stands, only with CW
// work on.
void CwMemoryCellClick(int text);

// Expands a text and keys it with PTT lead and tail; then, when it holds
// SAVE and `maySave`, saves the QSO. Nothing is saved when CW work is off.
void ExpandAndSendMacro(const QString &text, bool maySave = true);

} // namespace zelmor
