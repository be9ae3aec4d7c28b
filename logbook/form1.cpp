#include "logbook/form1.h"

#include "common/bands.h"
#include "common/text.h"
#include "logbook/cwhooks.h"
#include "logbook/logfile.h"
#include "logbook/loggrid.h"
#include "logbook/qsostate.h"
#include "logbook/settingsstore.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QToolButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QScatterSeries>
#include <QScrollBar>
#include <QPlainTextEdit>
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
    resize(QsoWindowDesignSize);

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
    // As long as the record's field: an IOTA reference ("EU-005") from the
    // log or the memory is never cut.
    pIOTA->setMaxLength(QsoRecord::Fields[FieldIota].capacity);
    Pvia->setMaxLength(12);

    QStringList bands;
    for (const QString &b : LogBandNames) bands << b;
    List_band = PickList(this, "List_band", bands);
    List_mode = PickList(this, "List_mode", ModeList);
    List_qsl = PickList(this, "List_qsl", {QslToSend, QslSent, QslReceived, QslSentAndReceived, QslNotToSend});
    pname = PickList(this, "pname");
    pqth = PickList(this, "pqth");
    memlist = PickList(this, "memlist");
    Listvia = PickList(this, "Listvia");
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
    buildCallbookPanel();

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
    {
        // Bold 8-point aqua on black, every row in view, no scroll bars.
        QFont f = str11->font();
        f.setPointSize(8);
        f.setBold(true);
        str11->setFont(f);
        QPalette p = str11->palette();
        p.setColor(QPalette::Base, Qt::black);
        p.setColor(QPalette::Text, QColor(0, 255, 255));
        p.setColor(QPalette::Window, Qt::black);
        str11->setPalette(p);
        str11->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        str11->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        str11->setFixedHeight(10 * 18 + 2);
        str11->setShowGrid(true);
    }
    rowRecord_.fill(-1);

    Label5 = new QLabel(QStringLiteral("Выкл."), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    vfob = new QLabel(this);
    vfob->setObjectName(QStringLiteral("vfob"));
    vfoa = new QLabel(this);
    vfoa->setObjectName(QStringLiteral("vfoa"));
    lsb = new QLabel(this);
    lsb->setObjectName(QStringLiteral("lsb"));
    Image2 = new TickerStrip(this);
    Image2->setObjectName(QStringLiteral("Image2"));

    Chart1 = new QChartView(new QChart, this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setMinimumHeight(60);
    Chart1->chart()->legend()->hide();
    Chart2 = new QChartView(new QChart, this);
    Chart2->setObjectName(QStringLiteral("Chart2"));
    Chart2->setMinimumWidth(60);
    Chart2->setMaximumWidth(120);
    Chart2->chart()->legend()->hide();
    // A chart view takes its chart's minimum as its own at each resize, and a
    // title with axes asks for more room than the window has: the charts draw
    // into what they are given, never growing the window.
    for (QChartView *v : {Chart1, Chart2}) v->chart()->setMinimumSize(QSizeF(1, 1));
    Series5 = new QScatterSeries;
    Series5->setObjectName(QStringLiteral("Series5"));
    Series5->setColor(Qt::red);
    Series6 = new QScatterSeries;
    Series6->setObjectName(QStringLiteral("Series6"));
    Series6->setColor(Qt::cyan);
    for (QScatterSeries *sr : {Series5, Series6}) {
        sr->setMarkerSize(9);
        Chart2->chart()->addSeries(sr);
    }
    Chart2->chart()->createDefaultAxes();
    for (QAbstractAxis *a : Chart2->chart()->axes(Qt::Horizontal))
        if (auto *v = qobject_cast<QValueAxis *>(a)) v->setLabelFormat(QStringLiteral("%.0f"));
    for (QAbstractAxis *a : Chart2->chart()->axes(Qt::Vertical)) a->setVisible(false);
    Chart2->chart()->setMargins(QMargins(4, 0, 4, 0));
    ch12 = new QScrollBar(Qt::Horizontal, this);
    ch12->setObjectName(QStringLiteral("ch12"));
    ch12->setEnabled(false);
    ch12->setMaximum(0);
    ch12->setMaximumWidth(120);

    buildMenus();
    str11->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(str11, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu2->popup(str11->viewport()->mapToGlobal(p)); });

    Timer4 = new QTimer(this);
    Timer4->setObjectName(QStringLiteral("Timer4"));
    Timer4->setInterval(300);
    Timer4->setSingleShot(true);
    connect(Timer4, &QTimer::timeout, this, &Tform1::Timer4Timer);
    Timer5 = new QTimer(this);
    Timer5->setObjectName(QStringLiteral("Timer5"));
    Timer5->setInterval(50);
    auto mixerBox = [this](const char *name, const char *caption) {
        auto *b = new QCheckBox(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setChecked(true);
        return b;
    };
    tlin = mixerBox("tlin", "Лин.вход");
    tob1 = mixerBox("tob1", "Вых.лин.");
    tob2 = mixerBox("tob2", "");
    tob2->setToolTip(QStringLiteral("Вкл/выкл"));
    tmc = mixerBox("tmc", "Микр.вх.");
    chartTimer_ = new QTimer(this);
    chartTimer_->setSingleShot(true);
    chartTimer_->setInterval(0);
    connect(chartTimer_, &QTimer::timeout, this, &Tform1::renderChart);
    buildLookControls();
    buildPictures();
    buildCountryPanel();

    // The layout: the ticker; the transceiver strip; the entry fields (left)
    // beside the lists and charts; the log grid with its paging column below.
    auto *top = new QGridLayout(Panel9);
    top->setContentsMargins(2, 2, 2, 2);
    const std::pair<const char *, QLineEdit *> rows[2][8] = {
        {{"Call", call}, {"Name", name1}, {"QTH", qth}, {"Date", data2}, {"UTC", tim}, {"RSTr", rst}, {"RSTs", rsts},
         {nullptr, nullptr}},
        {{"Band", cb1}, {"Mode", cb2}, {"QSL", cqsl}, {"Via", Pvia}, {"IOTA", pIOTA}, {"Freq", pFreq},
         {"Locator", qthl}, {"Очки", ochk}},
    };
    // The pick lists' pictures stand beside their fields.
    auto withPicture = [&](QLineEdit *field) -> QWidget * {
        PicturePair *picture = field == cb1 ? Image23 : field == cb2 ? Image51 : field == cqsl ? Image22
                                                                  : field == Pvia ? Image13 : nullptr;
        if (!picture) return field;
        auto *box = new QWidget(Panel9);
        auto *h = new QHBoxLayout(box);
        h->setContentsMargins(0, 0, 0, 0);
        h->setSpacing(1);
        h->addWidget(field);
        h->addWidget(picture);
        return box;
    };
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 8; ++c)
            if (rows[r][c].first)
                top->addWidget(Labelled(Panel9, QString::fromUtf8(rows[r][c].first), withPicture(rows[r][c].second)), r, c);
    top->addWidget(Labelled(Panel9, QStringLiteral("Info"), info), 2, 0, 1, 8);

    auto *lists = new QVBoxLayout;
    lists->addWidget(pname);
    lists->addWidget(pqth);
    lists->addWidget(memlist);
    lists->addWidget(Memo1, 1);
    lists->addWidget(Panel4);
    auto *charts = new QHBoxLayout;
    charts->addWidget(Chart1, 1);
    auto *rigChart = new QVBoxLayout;
    rigChart->addWidget(Chart2, 1);
    rigChart->addWidget(ch12);
    charts->addLayout(rigChart);
    auto *right = new QVBoxLayout;
    right->addWidget(strp, 3); // the earlier QSOs come first
    right->addWidget(Panel5, 1);
    right->addWidget(Memo2, 1);
    // The lists that come and go while a QSO is entered share the space
    // there is: showing one never makes the window taller (a shaped look's
    // outline would cut off the log grid below).
    for (QWidget *w : std::initializer_list<QWidget *>{pname, pqth, memlist, Memo1, strp, Panel5, strw, Memo2}) {
        QSizePolicy p = w->sizePolicy();
        p.setVerticalPolicy(QSizePolicy::Ignored);
        w->setSizePolicy(p);
    }
    auto *middle = new QHBoxLayout(Panel40);
    middle->setContentsMargins(2, 2, 2, 2);
    middle->addLayout(lists, 1);
    middle->addLayout(charts, 3);
    middle->addLayout(right, 2);

    auto *upper = new QVBoxLayout(Panel13);
    upper->setContentsMargins(0, 0, 0, 0);
    upper->setSpacing(2);
    upper->addWidget(Panel9);
    upper->addWidget(Panel40, 1);

    auto *link = new QHBoxLayout(Panel35);
    link->setContentsMargins(4, 1, 4, 1);
    link->addWidget(Image40);
    link->addWidget(vfoa);
    link->addWidget(vfob);
    link->addWidget(lsb);
    link->addWidget(new QLabel(QStringLiteral("CAT:"), Panel35));
    link->addWidget(Label5);
    link->addStretch(1);
    link->addWidget(Panel1);
    link->addWidget(N_zvuk);
    link->addWidget(N_nastr);
    link->addWidget(Panel2);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(1);
    bottom->addWidget(str11, 1);
    bottom->addWidget(buildPagingColumn());
    bottom->addWidget(fbar);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->addWidget(Image2);
    layout->addWidget(Panel35);
    layout->addWidget(pictureStrip_);
    layout->addWidget(Panel13, 1);
    // Above the log grid: the shaped outline narrows at the bottom and
    // would cut the CW line off there.
    buildCwControls(layout);
    layout->addLayout(bottom);
    layout->addWidget(Image34);
    applyContentMargins();

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
    connect(cb1, &QLineEdit::textChanged, this, &Tform1::cb1Change);
    connect(cb2, &QLineEdit::textChanged, this, &Tform1::cb2Change);
    // Only what the operator types sets the mode, never a report the
    // program writes (defaults, recall, memory).
    for (QLineEdit *e : {rst, rsts}) connect(e, &QLineEdit::textEdited, this, &Tform1::reportEdited);
    connect(qth, &QLineEdit::textChanged, this, &Tform1::qthChange);
    for (QLineEdit *e : {call, name1, qth, info, data2, tim, rst, rsts, ochk, cb1, cb2, cqsl, Pvia, pIOTA, pFreq, qthl})
        e->installEventFilter(this);
    for (QListWidget *l : {List_band, List_mode, pname, pqth, memlist}) l->installEventFilter(this);
    cb2->installEventFilter(this);
    str11->installEventFilter(this);
    connect(str11->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &now, const QModelIndex &) {
                if (!now.isValid()) return;
                // The header row is fixed: the cursor never rests on it.
                if (now.row() < str11->model().fixedRows()) {
                    str11->setCurrentIndex(str11->model().index(str11->model().fixedRows(), now.column()));
                    return;
                }
                str11SelectCell(now.row());
            });

    // One filter sees every key of the window first: the menu's shortcuts
    // win over the fields' own keys.
    installEventFilter(this);
    for (QWidget *w : findChildren<QWidget *>()) w->installEventFilter(this);

    SetQsoWindowCaption = [this](const QString &caption) { setWindowTitle(caption); };
}

Tform1::~Tform1() {
    SetQsoWindowCaption = nullptr;
    CwMenu.CheckCwWork = nullptr;
}

void Tform1::chartChanged() {
    if (!chartTimer_->isActive()) chartTimer_->start();
}

void Tform1::bandChartChanged() {
    Series5->clear();
    Series6->clear();
    for (const QPointF &p : chart2.series5) Series5->append(p);
    for (const QPointF &p : chart2.series6) Series6->append(p);
    const auto x = Chart2->chart()->axes(Qt::Horizontal);
    if (!x.isEmpty() && chart2.axisMax > chart2.axisMin) x.front()->setRange(chart2.axisMin, chart2.axisMax);
    const auto y = Chart2->chart()->axes(Qt::Vertical);
    if (!y.isEmpty()) y.front()->setRange(-1, 2);
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
