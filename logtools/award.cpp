#include "logtools/award.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zelmor {

Taward *award = nullptr;
std::function<QString()> CurrentAwardName;

const QStringList AwardResultHeadings = {QStringLiteral("№"),    QStringLiteral("Call"), QStringLiteral("Date"),
                                         QStringLiteral("UTC"),  QStringLiteral("Band"), QStringLiteral("RST"),
                                         QStringLiteral("Очки"), QStringLiteral("Remarc")};

Taward::Taward(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("award"));
    setWindowTitle(QStringLiteral("Дипломы"));
    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Str3 = new TStringGrid(int(AwardResultHeadings.size()), 2, this);
    Str3->setObjectName(QStringLiteral("Str3"));
    for (int c = 0; c < AwardResultHeadings.size(); ++c) Str3->setCell(c, 0, AwardResultHeadings[c]);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Ф.И.О. ,Call - Заверяющего"), this));
    layout->addWidget(Edit3);
    layout->addWidget(Str3, 1);
}

} // namespace zelmor
