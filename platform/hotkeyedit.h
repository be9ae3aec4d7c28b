#pragma once
// A hot-key control: shows and takes one key with its shift states, and
// holds it as a Windows shortcut code (F1 = 112).
#include <QKeySequenceEdit>

namespace zelmor {

// What the control shows while it holds no key.
inline const QString NoKeyText = QStringLiteral("Нет");

class THotKey : public QKeySequenceEdit {
    Q_OBJECT
public:
    explicit THotKey(QWidget *parent = nullptr);
    int shortcutCode() const;
    void setShortcutCode(int code);
};

} // namespace zelmor
