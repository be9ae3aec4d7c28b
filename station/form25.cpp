#include "station/form25.h"

namespace zelmor {

TForm25 *Form25 = nullptr;

TForm25::TForm25(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form25"));
    setWindowTitle(QStringLiteral("Карта мира"));
}

} // namespace zelmor
