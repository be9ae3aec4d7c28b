#pragma once
// Keyboard layouts per field. A Windows program switches the thread's layout
// ("00000409" US, "00000419" Russian); a Linux program cannot switch the
// desktop's. Instead, while a field that asked for a layout has the focus,
// each key typed into it produces that layout's character for the key's
// position (ЙЦУКЕН <-> QWERTY), whatever layout the desktop has.
#include <QChar>
#include <QObject>
#include <QPointer>
#include <QString>

namespace zelmor {

inline const QString LayoutUs = QStringLiteral("00000409");
inline const QString LayoutRussian = QStringLiteral("00000419");

// The Latin (US) character on the key of a Cyrillic one, or QChar().
QChar LatinAtSamePosition(QChar c);
// The Russian character on the key of a Latin one, or QChar().
QChar RussianAtSamePosition(QChar c);
// The character a key typed as `typed` produces in the layout. `scanCode` is
// the X11 key code when known (0 otherwise): by it the position is exact;
// without it only characters that belong to one layout are moved.
QString TranslateForLayout(const QString &typed, const QString &layoutId, quint32 scanCode = 0);

class KeyboardLayout : public QObject {
    Q_OBJECT
public:
    // LoadKeyboardLayout with activation, for the field that asks: from now
    // until the focus leaves `field`, keys typed into it follow `id`. Every
    // other widget keeps typing what the desktop's layout gives.
    void activate(const QString &id, QObject *field);
    // The layout asked for by the field that has it now, or empty.
    QString active() const { return field_ ? active_ : QString(); }
    void reset();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString active_;
    QPointer<QObject> field_;
};

namespace platform {
KeyboardLayout &keyboardLayout();
// Installs the layout filter on the application (the program and tests).
void installKeyboardLayoutFilter();
} // namespace platform

} // namespace zelmor
