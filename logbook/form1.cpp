#include "logbook/form1.h"

#include "logbook/logfile.h"
#include "logbook/settingsstore.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmor {

Tform1 *form1 = nullptr;

Tform1::Tform1(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("form1"));
    setWindowTitle(QStringLiteral("QSO ") + LogFileName);

    call = new QLineEdit(this);
    call->setObjectName(QStringLiteral("call"));
    tim = new QLineEdit(this);
    tim->setObjectName(QStringLiteral("tim"));
    Label5 = new QLabel(QStringLiteral("Выкл."), this);
    Label5->setObjectName(QStringLiteral("Label5"));

    PopupMenu2 = new QMenu(this);
    N48 = PopupMenu2->addMenu(QStringLiteral("Управление трансивером"))->menuAction();
    N48->setObjectName(QStringLiteral("N48"));
    N48->setEnabled(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu2->popup(mapToGlobal(p)); });

    str11 = new TStringGrid(LogGridColumnCount, 10, this);
    str11->setObjectName(QStringLiteral("str11"));
    for (int c = 0; c < LogGridColumnCount; ++c) str11->setColWidth(c, LogGridDesignWidths[c]);

    Timer5 = new QTimer(this);
    Timer5->setObjectName(QStringLiteral("Timer5"));
    Timer5->setInterval(50);

    auto *entry = new QGridLayout;
    entry->addWidget(new QLabel(QStringLiteral("Call"), this), 0, 0);
    entry->addWidget(call, 1, 0);
    entry->addWidget(new QLabel(QStringLiteral("Time"), this), 0, 1);
    entry->addWidget(tim, 1, 1);
    entry->addWidget(Label5, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(str11, 1);

    SetQsoWindowCaption = [this](const QString &caption) { setWindowTitle(caption); };
}

Tform1::~Tform1() { SetQsoWindowCaption = nullptr; }

} // namespace zelmor
