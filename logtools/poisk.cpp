#include "logtools/poisk.h"

#include "common/bands.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zelmor {

Tpoisk *poisk = nullptr;

const QStringList SearchGridHeadings = {
    QStringLiteral("№ QSO"), QStringLiteral("Call"), QStringLiteral("Name"), QStringLiteral("Qth"),
    QStringLiteral("Date"),  QStringLiteral("UTC"),  QStringLiteral("Band"), QStringLiteral("Mode"),
    QStringLiteral("RSTr"),  QStringLiteral("RSTs"), QStringLiteral("Очки"), QStringLiteral("Info"),
    QStringLiteral("WAZ"),   QStringLiteral("ITU"),  QStringLiteral("Country"), QStringLiteral("QSL"),
    QStringLiteral("QTH-Locator"), QStringLiteral("Via"), QStringLiteral("IOTA"), QStringLiteral("FREQ"),
    QStringLiteral("E"),     QStringLiteral("N"),    QString(),              QStringLiteral("nomr"),
};

Tpoisk::Tpoisk(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("poisk"));
    setWindowTitle(QStringLiteral("Поиск и сортировка"));

    Str = new TStringGrid(int(SearchGridHeadings.size()), 2, this);
    Str->setObjectName(QStringLiteral("Str"));
    for (int c = 0; c < SearchGridHeadings.size(); ++c) Str->setCell(c, 0, SearchGridHeadings[c]);

    Search_BAND = new QComboBox(this);
    Search_BAND->setObjectName(QStringLiteral("Search_BAND"));
    // Until a log is opened the band criterion offers the HF bands, 2 m and 70 cm.
    cb2p = new QComboBox(this);
    cb2p->setObjectName(QStringLiteral("cb2p"));
    for (const QString &band : LogBandNames)
        if (band != QLatin1String("136Khz") && band != QLatin1String("50  Mhz") && band != QLatin1String("1.2 Ghz"))
            cb2p->addItem(band);

    auto *criteria = new QHBoxLayout;
    criteria->addWidget(cb2p);
    criteria->addWidget(Search_BAND);
    criteria->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(criteria);
    layout->addWidget(Str, 1);
}

} // namespace zelmor
