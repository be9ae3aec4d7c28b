#include "logbook/form20.h"

namespace zelmor {

TForm20 *Form20 = nullptr;

TForm20::TForm20(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form20"));
    setWindowTitle(QStringLiteral("Рекомендации автора"));
}

} // namespace zelmor
