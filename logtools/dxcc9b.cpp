#include "logtools/dxcc9b.h"

#include <QVBoxLayout>

namespace zelmor {

TDXcc9b *DXcc9b = nullptr;

TDXcc9b::TDXcc9b(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("DXcc9b"));
    setWindowTitle(QStringLiteral("DXCC 9 - band"));
    str2 = new TStringGrid(21, 400, this);
    str2->setObjectName(QStringLiteral("str2"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(str2);
}

} // namespace zelmor
