#include "platform/hotkeyedit.h"

#include "platform/keycodes.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTranslator>

namespace zelmor {

namespace {
// No key reads as the Windows control reads it, not in Qt's English. Qt
// puts its words back each time the control empties, through tr().
class NoKeyWords : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override {
        if (qstrcmp(context, "QKeySequenceEdit") == 0 && qstrcmp(source, "Press shortcut") == 0) return NoKeyText;
        return {};
    }
};
} // namespace

THotKey::THotKey(QWidget *parent) : QKeySequenceEdit(parent) {
    static const bool installed = QCoreApplication::installTranslator(new NoKeyWords(QCoreApplication::instance()));
    Q_UNUSED(installed);
    if (auto *edit = findChild<QLineEdit *>()) edit->setPlaceholderText(NoKeyText);
    // One key, not a chord of several.
    connect(this, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence &s) {
        if (s.count() > 1) setKeySequence(QKeySequence(s[0]));
    });
}

int THotKey::shortcutCode() const { return ShortcutCodeFromKeySequence(keySequence()); }

void THotKey::setShortcutCode(int code) { setKeySequence(KeySequenceFromShortcutCode(code)); }

} // namespace zelmor
