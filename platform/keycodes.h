#pragma once
// Hot keys are stored as Windows shortcut codes: the virtual-key code plus
// 0x2000 for Shift, 0x4000 for Ctrl and 0x8000 for Alt (F1 = 112). This is
// the one mapping between Qt key events and those codes.
#include <QKeySequence>

class QKeyEvent;

namespace zelmor {

inline constexpr int ShortcutShift = 0x2000;
inline constexpr int ShortcutCtrl = 0x4000;
inline constexpr int ShortcutAlt = 0x8000;

// Virtual-key code of a Qt key (Qt::Key), 0 when it has none.
int VirtualKeyFromQtKey(int qtKey, bool keypad = false);
// Qt key of a virtual-key code, 0 when unknown.
int QtKeyFromVirtualKey(int vk);
// The virtual-key code of the event's key alone; letters typed in another
// layout count by their key position.
int VirtualKeyOf(const QKeyEvent *e);
// Virtual-key code plus the shift-state bits of the event.
int ShortcutCodeOf(const QKeyEvent *e);
QKeySequence KeySequenceFromShortcutCode(int code);
int ShortcutCodeFromKeySequence(const QKeySequence &seq);
// The text a hot-key control shows, e.g. "F1", "Ctrl+F1".
QString ShortcutText(int code);

} // namespace zelmor
