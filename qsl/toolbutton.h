#pragma once
// The plain buttons of the layout editor's and the envelope's windows, named
// as the settings table and the tests find them.
#include <QString>
#include <QToolButton>

namespace zelmor {

inline QToolButton *NamedToolButton(QWidget *parent, const char *name, const QString &text, const QString &hint = QString()) {
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(hint);
    return b;
}

} // namespace zelmor
