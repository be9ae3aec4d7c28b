#include "platform/hotkeyedit.h"

#include "platform/keycodes.h"

#include <QLineEdit>

namespace zelmor {

THotKey::THotKey(QWidget *parent) : QKeySequenceEdit(parent) {
    // No key reads as the Windows control reads it, not in Qt's English.
    if (auto *edit = findChild<QLineEdit *>()) edit->setPlaceholderText(QStringLiteral("Нет"));
    // One key, not a chord of several.
    connect(this, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence &s) {
        if (s.count() > 1) setKeySequence(QKeySequence(s[0]));
    });
}

int THotKey::shortcutCode() const { return ShortcutCodeFromKeySequence(keySequence()); }

void THotKey::setShortcutCode(int code) { setKeySequence(KeySequenceFromShortcutCode(code)); }

} // namespace zelmor
