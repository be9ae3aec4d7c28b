#include "platform/keyboardlayout.h"

#include <QApplication>
#include <QKeyEvent>

namespace zelmor {

namespace {
// The main block of the keyboard, key by key, in both layouts.
const char16_t kLatinLower[] = u"qwertyuiop[]asdfghjkl;'zxcvbnm,./`";
const char16_t kLatinUpper[] = u"QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>?~";
const char16_t kRussianLower[] = u"йцукенгшщзхъфывапролджэячсмитьбю.ё";
const char16_t kRussianUpper[] = u"ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮ,Ё";
constexpr int kKeys = 34;
// X11 (evdev) key codes of the same keys.
const quint8 kScanCodes[kKeys] = {24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 38, 39, 40, 41, 42,
                                  43, 44, 45, 46, 47, 48, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 49};

int IndexIn(const char16_t *table, QChar c) {
    for (int i = 0; i < kKeys; ++i)
        if (table[i] == c.unicode()) return i;
    return -1;
}

// Characters of one layout that the other one never types.
bool OnlyLatin(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || QStringView(u"[]{};:'\"`~<>").contains(c);
}
bool OnlyRussian(QChar c) { return (c.unicode() >= 0x0410 && c.unicode() <= 0x044F) || c == u'ё' || c == u'Ё'; }
} // namespace

QChar LatinAtSamePosition(QChar c) {
    int i = IndexIn(kRussianLower, c);
    if (i >= 0) return QChar(kLatinLower[i]);
    i = IndexIn(kRussianUpper, c);
    return i >= 0 ? QChar(kLatinUpper[i]) : QChar();
}

QChar RussianAtSamePosition(QChar c) {
    int i = IndexIn(kLatinLower, c);
    if (i >= 0) return QChar(kRussianLower[i]);
    i = IndexIn(kLatinUpper, c);
    return i >= 0 ? QChar(kRussianUpper[i]) : QChar();
}

QString TranslateForLayout(const QString &typed, const QString &layoutId, quint32 scanCode) {
    if (typed.size() != 1 || (layoutId != LayoutUs && layoutId != LayoutRussian)) return typed;
    const QChar c = typed[0];
    const bool russian = layoutId == LayoutRussian;
    if (scanCode) {
        for (int i = 0; i < kKeys; ++i) {
            if (kScanCodes[i] != scanCode) continue;
            // The case (or shift state) of what the desktop typed decides.
            const bool upper = c.isUpper() || IndexIn(kLatinUpper, c) >= 0 || IndexIn(kRussianUpper, c) >= 0;
            const char16_t *table = russian ? (upper ? kRussianUpper : kRussianLower) : (upper ? kLatinUpper : kLatinLower);
            return QString(QChar(table[i]));
        }
        return typed;
    }
    if (russian && OnlyLatin(c)) {
        const QChar r = RussianAtSamePosition(c);
        return r.isNull() ? typed : QString(r);
    }
    if (!russian && OnlyRussian(c)) {
        const QChar l = LatinAtSamePosition(c);
        return l.isNull() ? typed : QString(l);
    }
    return typed;
}

void KeyboardLayout::activate(const QString &id, QObject *field) {
    active_ = id;
    field_ = field;
}

void KeyboardLayout::reset() {
    active_.clear();
    field_ = nullptr;
}

bool KeyboardLayout::eventFilter(QObject *watched, QEvent *event) {
    if (!field_ || watched != field_) return false;
    // A layout holds for one stay in its field; entering it again asks again.
    if (event->type() == QEvent::FocusOut) {
        reset();
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto *e = static_cast<QKeyEvent *>(event);
    if (e->text().size() != 1 || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
    const QString out = TranslateForLayout(e->text(), active_, e->nativeScanCode());
    if (out == e->text()) return false;
    // Deliver the same key with the layout's character instead.
    const int key = out[0].toUpper().unicode();
    QKeyEvent replaced(e->type(), key, e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                       e->nativeModifiers(), out, e->isAutoRepeat(), ushort(e->count()));
    QCoreApplication::sendEvent(watched, &replaced);
    return true;
}

namespace platform {
KeyboardLayout &keyboardLayout() {
    static KeyboardLayout layout;
    return layout;
}
void installKeyboardLayoutFilter() {
    static bool installed = false;
    if (installed || !qApp) return;
    qApp->installEventFilter(&keyboardLayout());
    installed = true;
}
} // namespace platform

} // namespace zelmor
