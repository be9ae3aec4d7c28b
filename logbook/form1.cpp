#include "logbook/form1.h"

#include "common/bands.h"
#include "common/text.h"
#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "logbook/settingsstore.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QStringListModel>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>

#include <cmath>

namespace zelmor {

Tform1 *form1 = nullptr;

namespace {
QLineEdit *Field(QWidget *parent, const char *name, int width = 0) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (width) e->setMaximumWidth(width);
    return e;
}

QListWidget *PickList(QWidget *parent, const char *name, const QStringList &items = {}) {
    auto *l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->addItems(items);
    l->hide();
    return l;
}

// A caption above a field.
QWidget *Labelled(QWidget *parent, const QString &caption, QWidget *field) {
    auto *box = new QWidget(parent);
    auto *v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(1);
    v->addWidget(new QLabel(caption, box));
    v->addWidget(field);
    return box;
}
} // namespace

Tform1::Tform1(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("form1"));
    setWindowTitle(QStringLiteral("QSO ") + LogFileName);
    resize(770, 600);

    call = Field(this, "call", 150);
    QFont big = call->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    call->setFont(big);
    name1 = Field(this, "name1");
    qth = Field(this, "qth");
    info = Field(this, "info");
    data2 = Field(this, "data2", 90);
    tim = Field(this, "tim", 60);
    rst = Field(this, "rst", 50);
    rsts = Field(this, "rsts", 50);
    ochk = Field(this, "ochk", 60);
    cb1 = Field(this, "cb1", 80);
    cb2 = Field(this, "cb2", 60);
    cqsl = Field(this, "cqsl", 110);
    Pvia = Field(this, "Pvia", 100);
    pIOTA = Field(this, "pIOTA", 60);
    pFreq = Field(this, "pFreq", 90);
    qthl = Field(this, "qthl", 70);
    rst->setText(RstReceivedPlaceholder);
    rsts->setText(RstSentPlaceholder);
    ochk->setText(PointsPlaceholder);
    cb1->setText(LogBandNames[5]);
    cb2->setText(ModeList[0]);
    pIOTA->setMaxLength(5);
    Pvia->setMaxLength(12);

    QStringList bands;
    for (const QString &b : LogBandNames) bands << b;
    List_band = PickList(this, "List_band", bands);
    List_mode = PickList(this, "List_mode", ModeList);
    List_qsl = PickList(this, "List_qsl", {QslNotToSend, QslToSend, QslSent, QslReceived, QslSentAndReceived});
    pname = PickList(this, "pname");
    pqth = PickList(this, "pqth");
    memlist = PickList(this, "memlist");
    Listvia = new QListWidget(this);
    Listvia->setObjectName(QStringLiteral("Listvia"));
    Listvia->setMaximumHeight(60);
    memo1Model = new QStringListModel(this);
    Memo1 = new QListView(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setModel(memo1Model);
    Memo1->setUniformItemSizes(true);
    Memo1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Memo1->hide();
    Panel4 = new QFrame(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->hide();

    strp = new TStringGrid(8, 10, this);
    strp->setObjectName(QStringLiteral("strp"));
    const char *strpHeads[8] = {"№QSO", "Date", "UTC", "Band", "Mode", "QSL", "RSTr", "RSTs"};
    for (int c = 0; c < 8; ++c) strp->setCell(c, 0, QString::fromUtf8(strpHeads[c]));
    strp->hide();
    strw = new TStringGrid(2, 1, this);
    strw->setObjectName(QStringLiteral("strw"));
    strw->setColWidth(0, 60);
    strw->setColWidth(1, 160);
    strw->model().setFixedRows(0);
    str11 = new TStringGrid(LogGridColumnCount, 10, this);
    str11->setObjectName(QStringLiteral("str11"));
    for (int c = 0; c < LogGridColumnCount; ++c) str11->setColWidth(c, LogGridDesignWidths[c]);

    Label5 = new QLabel(QStringLiteral("Выкл."), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    vfob = new QLabel(this);
    vfob->setObjectName(QStringLiteral("vfob"));
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setFixedHeight(18);
    Image2->setStyleSheet(QStringLiteral("background: black; color: yellow; font-weight: bold; padding-left: 4px;"));

    Chart1 = new QChartView(new QChart, this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setMinimumHeight(200);
    Chart1->chart()->legend()->hide();

    PopupMenu2 = new QMenu(this);
    N48 = PopupMenu2->addMenu(QStringLiteral("Управление трансивером"))->menuAction();
    N48->setObjectName(QStringLiteral("N48"));
    N48->setEnabled(false);
    buildChartMenu();
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu2->popup(mapToGlobal(p)); });

    Timer4 = new QTimer(this);
    Timer4->setObjectName(QStringLiteral("Timer4"));
    Timer4->setInterval(300);
    Timer4->setSingleShot(true);
    connect(Timer4, &QTimer::timeout, this, &Tform1::Timer4Timer);
    Timer5 = new QTimer(this);
    Timer5->setObjectName(QStringLiteral("Timer5"));
    Timer5->setInterval(50);
    chartTimer_ = new QTimer(this);
    chartTimer_->setSingleShot(true);
    chartTimer_->setInterval(0);
    connect(chartTimer_, &QTimer::timeout, this, &Tform1::renderChart);
    statusTimer_ = new QTimer(this);
    statusTimer_->setInterval(200);
    connect(statusTimer_, &QTimer::timeout, this, [this] {
        if (Image2->text() != StatusText) Image2->setText(StatusText);
    });
    statusTimer_->start();

    // The layout: entry fields on top, chart and lists in the middle, the
    // log grid below.
    auto *top = new QGridLayout;
    const std::pair<const char *, QLineEdit *> rows[2][8] = {
        {{"Call", call}, {"Name", name1}, {"QTH", qth}, {"Date", data2}, {"UTC", tim}, {"RSTr", rst}, {"RSTs", rsts},
         {nullptr, nullptr}},
        {{"Band", cb1}, {"Mode", cb2}, {"QSL", cqsl}, {"Via", Pvia}, {"IOTA", pIOTA}, {"Freq", pFreq},
         {"Locator", qthl}, {"Очки", ochk}},
    };
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 8; ++c)
            if (rows[r][c].first) top->addWidget(Labelled(this, QString::fromUtf8(rows[r][c].first), rows[r][c].second), r, c);
    top->addWidget(Labelled(this, QStringLiteral("Info"), info), 2, 0, 1, 5);
    auto *link = new QHBoxLayout;
    link->addWidget(new QLabel(QStringLiteral("CAT:"), this));
    link->addWidget(Label5);
    link->addWidget(vfob);
    link->addStretch(1);
    top->addLayout(link, 2, 5, 1, 3);

    auto *lists = new QVBoxLayout;
    lists->addWidget(pname);
    lists->addWidget(pqth);
    lists->addWidget(List_band);
    lists->addWidget(List_mode);
    lists->addWidget(memlist);
    lists->addWidget(Memo1, 1);
    lists->addWidget(Listvia);
    lists->addWidget(Panel4);
    auto *middle = new QHBoxLayout;
    middle->addLayout(lists, 1);
    middle->addWidget(Chart1, 3);
    auto *right = new QVBoxLayout;
    right->addWidget(strp, 1);
    right->addWidget(strw, 1);
    middle->addLayout(right, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Image2);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(str11, 1);

    // Calls, managers and island references are typed upper case: the log
    // stores them so and the prefix table compares case-sensitively.
    for (QLineEdit *e : {call, Pvia, pIOTA})
        connect(e, &QLineEdit::textEdited, this, [e](const QString &t) {
            const QString up = t.toUpper();
            if (up != t) {
                const int pos = e->cursorPosition();
                e->setText(up);
                e->setCursorPosition(pos);
            }
        });
    // The QSL state the field shows, typed or picked, is the one saved.
    connect(cqsl, &QLineEdit::textChanged, this, [](const QString &t) { DxQslState = t; });
    connect(call, &QLineEdit::textChanged, this, &Tform1::callChange);
    connect(name1, &QLineEdit::textChanged, this, &Tform1::name1Change);
    connect(qth, &QLineEdit::textChanged, this, &Tform1::qthChange);
    for (QLineEdit *e : {call, name1, qth, info, data2, tim, rst, rsts, ochk, cb1, cb2, cqsl, Pvia, pIOTA, pFreq, qthl})
        e->installEventFilter(this);
    for (QListWidget *l : {List_band, List_mode, pname, pqth, memlist}) l->installEventFilter(this);
    cb2->installEventFilter(this);

    SetQsoWindowCaption = [this](const QString &caption) { setWindowTitle(caption); };
}

Tform1::~Tform1() { SetQsoWindowCaption = nullptr; }

void Tform1::buildChartMenu() {
    QMenu *charts = PopupMenu2->addMenu(QStringLiteral("Диаграмма"));
    auto item = [&](QAction *&a, const char *name, const char *caption, bool checked) {
        a = charts->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        a->setChecked(checked);
        connect(a, &QAction::triggered, this, [this] {
            if (call->text().isEmpty()) ShowDxccBandChart();
            else ShowCountryBandChart();
        });
    };
    item(D_QSO1, "D_QSO1", "Спрятать , показать  количество проведенных QSO", true);
    item(D_QSO2, "D_QSO2", "Спрятать , показать  количество подтвержденных QSO", false);
    item(D_QSL3, "D_QSL3", "Спрятать , показать  количество отправленных QSL", false);
    item(D_DXCC1, "D_DXCC1", "Спрятать , показать  количество подтвержденных QSO по списку DXCC", true);
    item(D_DXCC2, "D_DXCC2", "Спрятать , показать  количество проведенных QSO по списку DXCC", false);
}

void Tform1::chartChanged() {
    if (!chartTimer_->isActive()) chartTimer_->start();
}

void Tform1::renderChart() {
    QChart *c = Chart1->chart();
    c->removeAllSeries();
    for (QAbstractAxis *a : c->axes()) {
        c->removeAxis(a);
        delete a;
    }
    // The title keeps its runs of blanks, as the texts are written with them.
    QStringList lines;
    for (const QString &l : chart.title) lines << l.toHtmlEscaped().replace(u' ', QStringLiteral("&nbsp;"));
    c->setTitle(lines.join(QStringLiteral("<br>")));
    // One category per label, in the order the bars came.
    // ("All" and "All " name one category.)
    QStringList categories;
    for (const auto &s : chart.series)
        for (const Bar &b : s)
            if (!categories.contains(Trim(b.label))) categories << Trim(b.label);
    if (categories.isEmpty()) return;
    auto *series = new QBarSeries;
    double top = 1;
    for (int n = 2; n <= 4; ++n) {
        if (chart.Series(n).empty()) continue;
        auto *set = new QBarSet(QString::number(n));
        set->setColor(chart.Series(n).front().colour);
        for (const QString &label : categories) {
            double v = 0;
            for (const Bar &b : chart.Series(n))
                if (Trim(b.label) == label) v = b.value;
            *set << v;
            top = std::max(top, v);
        }
        series->append(set);
    }
    c->addSeries(series);
    auto *x = new QBarCategoryAxis;
    x->append(categories);
    c->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto *y = new QValueAxis;
    const double step = std::max(1.0, std::ceil(top / 5));
    y->setRange(0, std::ceil(top / step) * step);
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(step);
    y->setLabelFormat(QStringLiteral("%d"));
    c->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}

} // namespace zelmor
