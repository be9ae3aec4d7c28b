#include "station/ant.h"

namespace zelmor {

TAnt *Ant = nullptr;

TAnt::TAnt(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Ant"));
    setWindowTitle(QStringLiteral("Антенны"));
}

} // namespace zelmor
