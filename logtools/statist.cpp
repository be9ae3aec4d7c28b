#include "logtools/statist.h"

#include "logbook/logfile.h"
#include "logbook/reference.h"
#include "logtools/awardview.h"
#include "platform/windowshape.h"

#include <QAction>
#include <QChartView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

namespace zelmor {

TStatist *Statist = nullptr;

namespace {

struct ChartPlace {
    QChartView *TStatist::*view;
    std::vector<Bar> TStatist::*worked;
    std::vector<Bar> TStatist::*confirmed;
    StatisticsMode mode;
    const char *name;
    const char *tab;
    int tabTop, tabBottom;
};
// In the order they stand, top to bottom, each beside its tab.
const ChartPlace Places[] = {
    {&TStatist::Chart1, &TStatist::Series1, &TStatist::yesSeries1, StatisticsMode::Psk, "Chart1", "PSK", 108, 142},
    {&TStatist::Chart4, &TStatist::Series4, &TStatist::yesSeries4, StatisticsMode::Cw, "Chart4", "CW", 195, 229},
    {&TStatist::Chart5, &TStatist::Series5, &TStatist::yesSeries5, StatisticsMode::Ssb, "Chart5", "SSB", 288, 321},
    {&TStatist::Chart3, &TStatist::Series3, &TStatist::yesSeries3, StatisticsMode::Rtty, "Chart3", "RTTY", 374, 410},
    {&TStatist::Chart2, &TStatist::Series2, &TStatist::yesSeries2, StatisticsMode::Sstv, "Chart2", "SSTV", 463, 497},
};
} // namespace

TStatist::TStatist(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Statist"));
    resize(402 - ClientOrigin.x(), 534 - ClientOrigin.y());
    setStyleSheet(QStringLiteral("TStatist { background: #dfe8f2; }"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(DesignRect(46, 44, 62, 534));
    Image1->setStyleSheet(QStringLiteral("background: #2a4d7a;"));
    new WindowDrag(Image1);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *params = MainMenu1->addMenu(QStringLiteral("Параметры"));
    N2 = params->addAction(QStringLiteral("Выход"));
    N2->setObjectName(QStringLiteral("N2"));
    N2->setShortcut(QKeySequence(Qt::Key_Escape));
    N2->setShortcutContext(Qt::WindowShortcut);
    addAction(N2);
    connect(N2, &QAction::triggered, this, &TStatist::N2Click);
    MainMenu1->setGeometry(DesignRect(66, 48, 160, 70));

    world2 = new QLineEdit(this);
    world2->setObjectName(QStringLiteral("world2"));
    world2->setMaxLength(30);
    world2->setGeometry(DesignRect(166, 50, 390, 72));
    world2->installEventFilter(this);
    connect(world2, &QLineEdit::textEdited, this, [this](const QString &t) {
        // The first letter upper case, as typed.
        if (t.isEmpty() || !t[0].isLower()) return;
        const int pos = world2->cursorPosition();
        world2->setText(t.left(1).toUpper() + t.mid(1));
        world2->setCursorPosition(pos);
    });
    connect(world2, &QLineEdit::textChanged, this, &TStatist::world2Change);

    for (const ChartPlace &p : Places) {
        QChartView *v = NewAwardChartView(this, p.name);
        const int mid = (p.tabTop + p.tabBottom) / 2;
        v->setGeometry(DesignRect(66, mid - 43, 398, mid + 43));
        this->*p.view = v;
        auto *tab = new QLabel(QLatin1String(p.tab), this);
        tab->setAlignment(Qt::AlignCenter);
        tab->setStyleSheet(QStringLiteral("background: #2a4d7a; color: white; font-weight: bold; font-size: 8pt;"));
        tab->setGeometry(DesignRect(14, p.tabTop, 46, p.tabBottom));
    }

    Memo1 = new QListWidget(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(DesignRect(166, 72, 390, 250));
    Memo1->installEventFilter(this);
    Memo1->hide();

    chartTimer_ = new QTimer(this);
    chartTimer_->setSingleShot(true);
    chartTimer_->setInterval(0);
    connect(chartTimer_, &QTimer::timeout, this, &TStatist::redrawCharts);
    countTimer_ = new QTimer(this);
    countTimer_->setSingleShot(true);
    countTimer_->setInterval(0);
    connect(countTimer_, &QTimer::timeout, this, &TStatist::countQueued);
}

void TStatist::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    countQueued();
    FormActivate();
}

void TStatist::QueueCountryStatistics(const QString &country) {
    queued_ = country;
    hasQueued_ = true;
    setWindowTitle(StoredCountry(country));
    if (isVisible() && !countTimer_->isActive()) countTimer_->start();
}

void TStatist::countQueued() {
    if (!hasQueued_ || !isVisible()) return;
    hasQueued_ = false;
    ShowCountryStatistics(queued_);
}

void TStatist::FormActivate() {
    Memo1->hide();
    QRegion shape = RoundRectRegion(46, 44, 402, 534, 20, 20);
    for (const ChartPlace &p : Places) shape += RoundRectRegion(14, p.tabTop, 70, p.tabBottom, 10, 10);
    SetWindowMask(this, shape);
    redrawCharts();
}

void TStatist::ShowCountryStatistics(const QString &country) {
    hasQueued_ = false;
    const QString stored = StoredCountry(country);
    setWindowTitle(stored);
    Counters = CountCountryStatistics(LogColumns, stored);
    for (const ChartPlace &p : Places) {
        AwardChart chart = StatisticsChart(Counters, p.mode);
        this->*p.worked = std::move(chart.worked);
        this->*p.confirmed = std::move(chart.confirmed);
    }
    // The charts are drawn once the typing pauses, and only while shown.
    if (isVisible() && !chartTimer_->isActive()) chartTimer_->start();
}

void TStatist::redrawCharts() {
    if (!isVisible()) return;
    for (const ChartPlace &p : Places) DrawAwardChart(this->*p.view, this->*p.worked, this->*p.confirmed, QString(), 6);
}

void TStatist::world2Change(const QString &text) {
    ShowCountryStatistics(text);
    Memo1->clear();
    if (!text.isEmpty())
        for (const QString &c : DxccCountryList)
            if (c.startsWith(text)) Memo1->addItem(c);
    Memo1->setVisible(Memo1->count() > 0);
    if (Memo1->count() > 0) {
        Memo1->setCurrentRow(0);
        Memo1->raise();
    }
}

void TStatist::takeFromList(const QString &entry) {
    world2->setText(entry);
    Memo1->hide();
    world2->setFocus();
    world2->end(false);
}

bool TStatist::eventFilter(QObject *o, QEvent *e) {
    if (o == world2 && e->type() == QEvent::MouseButtonRelease) {
        world2->end(false);
        return false;
    }
    if (e->type() != QEvent::KeyPress) return false;
    auto *ke = static_cast<QKeyEvent *>(e);
    const bool enter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
    if (o == world2) {
        if (enter) {
            if (Memo1->count() > 0) world2->setText(Memo1->item(0)->text());
            Memo1->hide();
            world2->end(false);
            return true;
        }
        if (ke->key() == Qt::Key_Down && !Memo1->isHidden()) {
            Memo1->setFocus();
            Memo1->setCurrentRow(0);
            return true;
        }
    } else if (o == Memo1 && enter) {
        if (QListWidgetItem *item = Memo1->currentItem()) takeFromList(item->text());
        return true;
    }
    return false;
}

} // namespace zelmor
