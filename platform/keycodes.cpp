#include "platform/keycodes.h"

#include "platform/keyboardlayout.h"

#include <QKeyEvent>

namespace zelmor {

namespace {
struct Pair {
    int vk;
    int qt;
};
const Pair kSpecial[] = {
    {8, Qt::Key_Backspace}, {9, Qt::Key_Tab},       {13, Qt::Key_Return},   {13, Qt::Key_Enter},
    {19, Qt::Key_Pause},    {20, Qt::Key_CapsLock}, {27, Qt::Key_Escape},   {32, Qt::Key_Space},
    {33, Qt::Key_PageUp},   {34, Qt::Key_PageDown}, {35, Qt::Key_End},      {36, Qt::Key_Home},
    {37, Qt::Key_Left},     {38, Qt::Key_Up},       {39, Qt::Key_Right},    {40, Qt::Key_Down},
    {45, Qt::Key_Insert},   {46, Qt::Key_Delete},   {16, Qt::Key_Shift},    {17, Qt::Key_Control},
    {18, Qt::Key_Alt},      {186, Qt::Key_Semicolon}, {187, Qt::Key_Equal}, {188, Qt::Key_Comma},
    {189, Qt::Key_Minus},   {190, Qt::Key_Period},  {191, Qt::Key_Slash},   {192, Qt::Key_QuoteLeft},
    {219, Qt::Key_BracketLeft}, {220, Qt::Key_Backslash}, {221, Qt::Key_BracketRight}, {222, Qt::Key_Apostrophe},
    {106, Qt::Key_Asterisk}, {107, Qt::Key_Plus},
};
} // namespace

int VirtualKeyFromQtKey(int k, bool keypad) {
    if (keypad && k >= Qt::Key_0 && k <= Qt::Key_9) return 96 + (k - Qt::Key_0);
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    for (const Pair &p : kSpecial)
        if (p.qt == k) return p.vk;
    // A letter of another layout: its key position.
    if (k > 0x7F && k < 0x10000) {
        const QChar latin = LatinAtSamePosition(QChar(char16_t(k)));
        if (!latin.isNull()) return VirtualKeyFromQtKey(latin.toUpper().unicode(), false);
    }
    return 0;
}

int QtKeyFromVirtualKey(int vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return vk;
    if (vk >= 96 && vk <= 105) return Qt::Key_0 + (vk - 96);
    if (vk >= 112 && vk <= 135) return Qt::Key_F1 + (vk - 112);
    for (const Pair &p : kSpecial)
        if (p.vk == vk) return p.qt;
    return 0;
}

int VirtualKeyOf(const QKeyEvent *e) {
    return VirtualKeyFromQtKey(e->key(), e->modifiers().testFlag(Qt::KeypadModifier));
}

int ShortcutCodeOf(const QKeyEvent *e) {
    int code = VirtualKeyOf(e);
    const auto m = e->modifiers();
    if (m & Qt::ShiftModifier) code |= ShortcutShift;
    if (m & Qt::ControlModifier) code |= ShortcutCtrl;
    if (m & Qt::AltModifier) code |= ShortcutAlt;
    return code;
}

QKeySequence KeySequenceFromShortcutCode(int code) {
    const int key = QtKeyFromVirtualKey(code & 0xFF);
    if (!key) return {};
    Qt::KeyboardModifiers m;
    if (code & ShortcutShift) m |= Qt::ShiftModifier;
    if (code & ShortcutCtrl) m |= Qt::ControlModifier;
    if (code & ShortcutAlt) m |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(m, Qt::Key(key)));
}

int ShortcutCodeFromKeySequence(const QKeySequence &seq) {
    if (seq.isEmpty()) return 0;
    const QKeyCombination c = seq[0];
    int code = VirtualKeyFromQtKey(c.key());
    if (!code) return 0;
    if (c.keyboardModifiers() & Qt::ShiftModifier) code |= ShortcutShift;
    if (c.keyboardModifiers() & Qt::ControlModifier) code |= ShortcutCtrl;
    if (c.keyboardModifiers() & Qt::AltModifier) code |= ShortcutAlt;
    return code;
}

QString ShortcutText(int code) { return KeySequenceFromShortcutCode(code).toString(QKeySequence::PortableText); }

} // namespace zelmor
