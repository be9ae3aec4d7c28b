#include "station/fcw.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace zelmor {

Tfcw *fcw = nullptr;

QString Tfcw::KeyLabel(int n) {
    if (n <= 11) return QStringLiteral("F") + QString::number(n + 1);
    if (n == 12) return QStringLiteral("Alt+F12");
    if (n == 17) return QStringLiteral("Ctrl+F6");
    return QStringLiteral("Alt+F") + QString::number(n - 11); // 13 -> Alt+F2
}

Tfcw::Tfcw(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("fcw"));
    setWindowTitle(QStringLiteral("Командные строки CW"));
    resize(560, 560);

    const char *names[CwTextCount] = {"cwEdit1", "cwEdit2", "cwEdit3", "cwEdit4", "cwEdit5", "cwEdit6",
                                      "cwf2", "cwf3", "cwf4", "cwf5", "cwf6", "cwf7",
                                      "comstrcw10", "comstrcw20", "comstrcw30", "comstrcw40", "comstrcw50",
                                      "comstrcw60", "comstrcw70", "comstrcw80", "comstrcw90", "comstrcw100"};
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("CW строки"), this), 0, 0, 1, 2);
    for (int n = 1; n <= CwTextCount; ++n) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(names[n - 1]));
        fields_[size_t(n - 1)] = e;
        const int row = n <= 12 ? n : n + 1;
        if (n == 13) grid->addWidget(new QLabel(QStringLiteral("Командные строки"), this), 13, 0, 1, 2);
        auto *label = new QLabel(KeyLabel(n), this);
        label->setMinimumWidth(60);
        grid->addWidget(label, row, 0);
        grid->addWidget(e, row, 1);
    }
    grid->setRowStretch(CwTextCount + 2, 1);
    std::tie(cwEdit1, cwEdit2, cwEdit3, cwEdit4, cwEdit5, cwEdit6) =
        std::tie(fields_[0], fields_[1], fields_[2], fields_[3], fields_[4], fields_[5]);
    std::tie(cwf2, cwf3, cwf4, cwf5, cwf6, cwf7) =
        std::tie(fields_[6], fields_[7], fields_[8], fields_[9], fields_[10], fields_[11]);
    std::tie(comstrcw10, comstrcw20, comstrcw30, comstrcw40, comstrcw50) =
        std::tie(fields_[12], fields_[13], fields_[14], fields_[15], fields_[16]);
    std::tie(comstrcw60, comstrcw70, comstrcw80, comstrcw90, comstrcw100) =
        std::tie(fields_[17], fields_[18], fields_[19], fields_[20], fields_[21]);
}

std::array<QString, CwTextCount> Tfcw::texts() const {
    std::array<QString, CwTextCount> t;
    for (size_t i = 0; i < t.size(); ++i) t[i] = fields_[i]->text();
    return t;
}

} // namespace zelmor
