#include "logtools/statist.h"

namespace zelmor {

TStatist *Statist = nullptr;

TStatist::TStatist(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Statist"));
}

} // namespace zelmor
