#pragma once
// What the QSO window's "CW / Звук" menu runs: the keyer fills these, the
// menu's items call them (empty ones do nothing), and the menu fills
// CheckCwWork so that "Работа CW" shows whether CW work is on.
#include <functional>

namespace zelmor {

struct CwMenuHooks {
    std::function<void()> ssbcw1;  // "Работа CW" (Shift+F8): on/off
    std::function<void()> CW1;     // "Работа CW с клавиатуры" (Shift+I)
    std::function<void()> stopcw1; // "Стоп CW" (Del)
    std::function<void()> cw23;    // "Увеличение скорости CW" (PgDn)
    std::function<void()> cw33;    // "Уменьшение скорости CW" (PgUp)
    std::function<void()> Cw2;     // "Очистить оперативное окно CW" (Shift+Del)
    std::function<void()> Cw31;    // "Открыть / Закрыть оперативное окно CW" (Ctrl+Z)
    // A cell of "Ячейки памяти  CW и Звука", by the number of its text
    // (FCW1 .. FCW22); station/cwkeys.h lists the cells with their keys.
    std::function<void(int text)> MemoryCell;
    std::function<bool()> CwWorkOn;
    // Filled by the menu: the check mark of ssbcw1.
    std::function<void(bool on)> CheckCwWork;
};
extern CwMenuHooks CwMenu;

} // namespace zelmor
