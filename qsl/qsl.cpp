#include "qsl/qsl.h"

#include "common/recordfile.h"
#include "common/text.h"
#include "logbook/logfile.h"
#include "logbook/qsoartwork.h"
#include "logbook/reference.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "logbook/stationprofile.h"
#include "logtools/statist.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/hints.h"
#include "platform/keyboardlayout.h"
#include "platform/windowshape.h"
#include "qsl/qsl_edit.h"
#include "station/nastroy.h"

#include <QAction>
#include <QActionGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPieSeries>
#include <QPieSlice>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace zelmor {

TQSL *QSL = nullptr;
QslWindowHooks QslHook;

namespace {

constexpr int StripEnd = 502;
constexpr double PieStep = 2; // degrees a tick of the rotation turns the pie

QLabel *Panel(QWidget *parent, const char *name, const QRect &place) {
    auto *p = new QLabel(parent);
    p->setObjectName(QLatin1String(name));
    p->setAlignment(Qt::AlignCenter);
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Sunken);
    p->setStyleSheet(QStringLiteral("background: white; font-weight: bold;"));
    p->setGeometry(place);
    return p;
}

QLabel *Caption(QWidget *parent, const QString &text, const QRect &place) {
    auto *l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("font-weight: bold; color: #1c3a60;"));
    l->setGeometry(place);
    return l;
}

} // namespace

TQSL::TQSL(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("QSL"));
    setWindowTitle(QStringLiteral("Распечатка QSL карточек"));
    resize(750 - ClientOrigin.x(), 552 - ClientOrigin.y());
    setStyleSheet(QStringLiteral("TQSL { background: #dfe8f2; }"));

    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(DesignRect(5, 25, 744, 76));
    Image3->setStyleSheet(QStringLiteral("background: #2a4d7a;"));
    new WindowDrag(Image3);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setGeometry(DesignRect(14, 28, 330, 50));
    MainMenu1->setStyleSheet(QStringLiteral("QMenuBar { background: #2a4d7a; color: white; }"
                                            " QMenuBar::item:selected { background: #3c6aa5; }"));
    formatMenu = MainMenu1->addMenu(QStringLiteral("Формат QSL"));
    auto *group = new QActionGroup(this);
    group->setExclusive(true);
    auto item = [&](const char *name, const char *caption, bool shown = true) {
        QAction *a = formatMenu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        a->setVisible(shown);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { chooseFormat(a); });
        return a;
    };
    QSLedit = item("QSLedit", "Печать из QSL редактора");
    tqsli = item("tqsli", "Печать на QSL блоком данных");
    tqsln = item("tqsln", "Печать наклеек  в 2 колонки на листе A4");
    N31 = item("N31", "Печать наклеек  в 3 колонки на листе А4");
    qsl5 = item("qsl5", "Печать на старых бланках ЦРК ");
    QQ1AX1 = item("QQ1AX1", "Формат для QQ1AX", false);
    QQ5EX1 = item("QQ5EX1", "Формат для QQ5EX", false);
    QQ6FX11 = item("QQ6FX11", "Формат QQ6FX №1", false);
    QQ6FX21 = item("QQ6FX21", "Формат QQ6FX № 2", false);
    QQ4DX1 = item("QQ4DX1", "Формат QQ4DX", false);
    QQ3CX1 = item("QQ3CX1", "Формат QQ3CX", false);
    QQ2BXY1 = item("QQ2BXY1", "Формат QQ2BXY", false);
    QQ7GX1 = item("QQ7GX1", "Формат QQ7GX", false);
    tqsl = item("tqsl", "Печать на QSL отдельных данных", false);
    obratstr = item("obratstr", "Печать на обратной стороне QSL", false);
    Lichnay = item("Lichnay", "Личный формат печати QSL", false);
    // The loader may leave several checked (as stored) or none; a choice
    // puts that right.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);

    auto action = [this](QMenu *menu, QAction *&a, const char *name, const QString &text, const QKeySequence &key,
                         void (TQSL::*handler)()) {
        a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a);
        }
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    tableMenu = MainMenu1->addMenu(QStringLiteral("Таблица"));
    action(tableMenu, N11, "N11", QStringLiteral("Заполнить таблицу"), QKeySequence(Qt::Key_F2), &TQSL::N11Click);
    action(tableMenu, QSL4, "QSL4", QStringLiteral("Cделать отметки ( * ) для печати на одну QSL нескольких QSO "),
           QKeySequence(Qt::Key_F3), &TQSL::QSL4Click);
    action(tableMenu, QSL6, "QSL6",
           QStringLiteral("Cделать отметки ( * ) для печати на одну QSL нескольких QSO с учетом менеджера"),
           QKeySequence(Qt::Key_F4), &TQSL::QSL6Click);
    action(tableMenu, QSL7, "QSL7", QStringLiteral("Очистить все отметки ( * ) для отправки QSL"), {}, &TQSL::QSL7Click);
    action(tableMenu, QSOEnter1, "QSOEnter1", QStringLiteral("Найти все QSO с указанным позывным (Enter)"), {},
           &TQSL::FindQsosByCall);
    serviceMenu = MainMenu1->addMenu(QStringLiteral("Сервис"));
    auto show = [](QWidget *w) {
        if (!w) return;
        w->show();
        w->raise();
        w->activateWindow();
    };
    auto showSettings = [show] { show(Nastroy); };
    auto showEditor = [show] { show(qsl_edit); };
    auto showStatistics = [show] { show(Statist); };
    N13 = serviceMenu->addAction(QStringLiteral("Дополнительна статистика"));
    N13->setObjectName(QStringLiteral("N13"));
    N13->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    N13->setShortcutContext(Qt::WindowShortcut);
    addAction(N13);
    connect(N13, &QAction::triggered, this, showStatistics);
    N3 = serviceMenu->addAction(QStringLiteral("Настройка"));
    N3->setObjectName(QStringLiteral("N3"));
    connect(N3, &QAction::triggered, this, showSettings);
    QSL2 = serviceMenu->addAction(QStringLiteral("QSL редактор"));
    QSL2->setObjectName(QStringLiteral("QSL2"));
    QSL2->setShortcut(QKeySequence(Qt::Key_F8));
    QSL2->setShortcutContext(Qt::WindowShortcut);
    addAction(QSL2);
    connect(QSL2, &QAction::triggered, this, showEditor);
    N4 = serviceMenu->addAction(QStringLiteral("Показать или спрятать подсказку"));
    N4->setObjectName(QStringLiteral("N4"));
    connect(N4, &QAction::triggered, this, [] { SetHintsShown(!HintsShown()); });

    // Picture buttons: the pressed look while held, the action on release.
    auto button = [this](QPushButton *&b, const char *name, const QString &caption, const QString &hint,
                         const QRect &place, const std::function<void()> &act) {
        b = NewPictureButton(this, name, caption, hint);
        b->setGeometry(place);
        connect(b, &QPushButton::clicked, this, act);
    };
    button(Image8, "Image8", QStringLiteral("Заполнить"), QStringLiteral("Заполнить таблицы"), DesignRect(14, 52, 104, 72),
           [this] { N11Click(); });
    button(Image4, "Image4", QStringLiteral("Печать"), QStringLiteral("Печать QSL "), DesignRect(108, 52, 188, 72),
           [this] { Image4Click(); });
    button(Image11, "Image11", QStringLiteral("Настройка"), QStringLiteral("Настройка"), DesignRect(340, 52, 430, 72),
           showSettings);
    button(Image2, "Image2", QStringLiteral("Редактор"), QStringLiteral("QSL редактор"), DesignRect(434, 52, 524, 72),
           showEditor);
    button(Image13, "Image13", QStringLiteral("Статистика"), QStringLiteral("Дополнительная статистика"),
           DesignRect(528, 52, 628, 72), showStatistics);
    button(Image15, "Image15", QStringLiteral("?"), QStringLiteral("Помощь"), DesignRect(632, 52, 660, 72),
           [] { platform::help().show(QStringLiteral("zelmor1.hlp"), 15); });
    auto *close = NewPictureButton(this, "ImageClose", QStringLiteral("×"), QStringLiteral("Закрыть"));
    close->setGeometry(DesignRect(708, 30, 736, 52));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    // The call search, left.
    Caption(this, QStringLiteral("Call"), DesignRect(12, 86, 46, 106));
    call = new QLineEdit(this);
    call->setObjectName(QStringLiteral("call"));
    call->setMaxLength(12);
    call->setGeometry(DesignRect(48, 84, 178, 106));
    call->installEventFilter(this);
    connect(call, &QLineEdit::textEdited, this, [this](const QString &t) {
        const QString up = t.toUpper();
        if (up == t) return;
        const int pos = call->cursorPosition();
        call->setText(up);
        call->setCursorPosition(pos);
    });
    button(Image6, "Image6", QStringLiteral("Получена"), QStringLiteral("Пометить полученные QSL"),
           DesignRect(184, 84, 290, 106), [this] { Image6Click(); });
    strnayti = new TStringGrid(6, SearchGridRows, this);
    strnayti->setObjectName(QStringLiteral("strnayti"));
    strnayti->setToolTip(QStringLiteral("Таблица поиска"));
    strnayti->model().setFixedRows(0);
    strnayti->setGeometry(DesignRect(10, 110, 411, 222));
    for (auto [col, width] : {std::pair{0, 44}, {1, 70}, {2, 84}, {3, 58}, {4, 98}, {5, 44}}) strnayti->setColWidth(col, width);
    strnayti->installEventFilter(this);

    // The pie and the counters, right.
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(0, 0, 0, 0));
    QFont titleFont = chart->titleFont();
    titleFont.setPointSize(7);
    chart->setTitleFont(titleFont);
    pie_ = new QPieSeries(chart);
    chart->addSeries(pie_);
    // The view takes the chart; a view made without one would leave its
    // own default chart behind.
    Chart1 = new QChartView(chart, this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setRenderHint(QPainter::Antialiasing);
    Chart1->setGeometry(DesignRect(424, 82, 622, 222));
    Caption(this, QStringLiteral("QSL"), DesignRect(628, 88, 660, 108));
    Panel1 = Panel(this, "Panel1", DesignRect(662, 86, 730, 108));
    Caption(this, QStringLiteral("A4"), DesignRect(628, 114, 660, 134));
    Panel2 = Panel(this, "Panel2", DesignRect(662, 112, 730, 134));
    button(Image1, "Image1", QStringLiteral("Настр."), QStringLiteral("Настройка"), DesignRect(628, 140, 738, 160),
           showSettings);
    button(Image12, "Image12", QStringLiteral("Редактор"), QStringLiteral("QSL редактор"), DesignRect(628, 164, 738, 184),
           showEditor);
    button(Image14, "Image14", QStringLiteral("Статистика"), QStringLiteral("Дополнительная статистика"),
           DesignRect(628, 188, 738, 208), showStatistics);
    Gauge1 = NewAwardGauge(this, DesignRect(628, 212, 738, 220));
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->hide();

    Image21 = new TickerStrip(this);
    Image21->setObjectName(QStringLiteral("Image21"));
    Image21->setGeometry(DesignRect(150, 230, 628, 248));
    Image21->paintStrip(628 - 150);

    // The three tables, below.
    strqsl = new TStringGrid(QslColumnCount, 2, this);
    strqsl->setObjectName(QStringLiteral("strqsl"));
    qslTable = new QslTableModel(strqsl);
    strqsl->setGridModel(qslTable);
    strqsl->setGeometry(DesignRect(10, 252, 380, 540));
    const int widths[QslColumnCount] = {60, 14, 72, 86, 44, 44, 60, 32, 110, 28, 70, 24, 0, 20, 70};
    for (int c = 0; c < QslColumnCount; ++c) strqsl->setColWidth(c, widths[c]);
    strqsl2 = new TStringGrid(3, 2, this);
    strqsl2->setObjectName(QStringLiteral("strqsl2"));
    strqsl2->setToolTip(QStringLiteral("Таблица по странам "));
    strqsl2->setGeometry(DesignRect(394, 252, 587, 540));
    strqsl2->setColWidth(0, 14);
    strqsl2->setColWidth(1, 118);
    strqsl2->setColWidth(2, 42);
    strqsl3 = new TStringGrid(4, 2, this);
    strqsl3->setObjectName(QStringLiteral("strqsl3"));
    strqsl3->setToolTip(QStringLiteral("Таблица по областям России"));
    strqsl3->setGeometry(DesignRect(601, 252, 739, 540));
    strqsl3->setColWidth(0, 14);
    strqsl3->setColWidth(1, 50);
    strqsl3->setColWidth(2, 40);
    strqsl3->setColWidth(3, 0);
    for (TStringGrid *g : {strqsl, strqsl2, strqsl3}) g->horizontalHeader()->setMinimumSectionSize(10);
    connect(strqsl, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) { strqslClick(i.row()); });
    connect(strqsl2, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) { strqsl2Click(i.row()); });
    connect(strqsl3, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) { strqsl3Click(i.row()); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    action(PopupMenu1, N12, "N12", QStringLiteral("Выделить или отменить выделение всего списка"), {}, &TQSL::N12Click);
    action(PopupMenu1, QSO51, "QSO51", QStringLiteral("Выделить  или отменить выделение стран с QSO  >= 3"), {},
           &TQSL::QSO51Click);
    action(PopupMenu1, QSO31, "QSO31", QStringLiteral("Выделить или отменить выделение стран с QSO = 3"), {},
           &TQSL::QSO31Click);
    strqsl2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(strqsl2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu1->popup(strqsl2->viewport()->mapToGlobal(p)); });

    auto timer = [this](QTimer *&t, const char *name, int ms, bool once, void (TQSL::*handler)()) {
        t = new QTimer(this);
        t->setObjectName(QLatin1String(name));
        t->setInterval(ms);
        t->setSingleShot(once);
        connect(t, &QTimer::timeout, this, handler);
    };
    timer(Timer2, "Timer2", 55, false, &TQSL::Timer2Timer);
    timer(Timer3, "Timer3", 200, true, &TQSL::Timer3Timer);
    timer(Timer4, "Timer4", 200, true, &TQSL::Timer4Timer);
    timer(Timer10, "Timer10", 55, false, &TQSL::Timer10Timer);

    writeHeaders();
}

void TQSL::chooseFormat(QAction *chosen) {
    SettingsBatch batch; // sixteen values, one save
    for (const SettingRow &r : SettingsCatalogue()) {
        if (r.codec != SettingCodec::MenuItem) continue;
        const QString target = QString::fromUtf8(r.target);
        if (!target.startsWith(QLatin1String("QSL/"))) continue;
        if (auto *a = findChild<QAction *>(target.mid(4))) {
            a->setChecked(a == chosen);
            WriteSetting(r.id, a == chosen);
        }
    }
}

// --- activation

void TQSL::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    activation_.shown();
    FormActivate();
}

void TQSL::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (activation_.runsOn(this, e)) FormActivate();
}

void TQSL::writeHeaders() {
    const QStringList qsoHeads = {QStringLiteral("№ QSO"), QStringLiteral("*"), QStringLiteral("Call"),
                                  QStringLiteral("Date"), QStringLiteral("UTC"), QStringLiteral("Mode"),
                                  QStringLiteral("Band"), QStringLiteral("RST")};
    for (int c = 0; c < qsoHeads.size(); ++c) qslTable->setCell(c, 0, qsoHeads[c]);
    StringGridModel &countries = strqsl2->model();
    countries.setCell(QslCountMark, 0, QslMark);
    countries.setCell(QslCountLabel, 0, QStringLiteral("Страна"));
    countries.setCell(QslCountValue, 0, QStringLiteral("Кол."));
    StringGridModel &regions = strqsl3->model();
    regions.setCell(QslCountMark, 0, QslMark);
    regions.setCell(QslCountLabel, 0, QStringLiteral("Обл."));
    regions.setCell(QslCountValue, 0, QStringLiteral("Кол."));
}

void TQSL::FormActivate() {
    QRegion shape;
    for (const QRect &r : {QRect(QPoint(5, 246), QPoint(385, 546)), QRect(QPoint(5, 80), QPoint(416, 241)),
                           QRect(QPoint(389, 246), QPoint(592, 546)), QRect(QPoint(596, 246), QPoint(744, 546)),
                           QRect(QPoint(140, 225), QPoint(637, 255)), QRect(QPoint(420, 80), QPoint(744, 241)),
                           QRect(QPoint(5, 25), QPoint(744, 76))})
        shape += RoundRectRegion(r.left(), r.top(), r.right(), r.bottom(), 20, 20);
    SetWindowMask(this, shape);
    writeHeaders();
    if (Nastroy) Nastroy->Edit11->setText(StationProfile.email);
    if (QslHook.FormActivate) QslHook.FormActivate();
    Timer4->start();
}

void TQSL::Timer4Timer() {
    if (QslHook.ComputeStickerRowOffsets) QslHook.ComputeStickerRowOffsets();
    if (QslHook.DrawQslFontPreview) QslHook.DrawQslFontPreview();
    CountQslStatuses();
}

// --- the fill

void TQSL::N11Click() {
    ClearQslTables(*qslTable, strqsl2->model(), strqsl3->model());
    writeHeaders();
    if (!StationProfile.call.isEmpty()) {
        Gauge1->setValue(0);
        Gauge1->show();
        Timer3->start();
    }
    call->setFocus();
    Panel1->clear();
    Panel2->clear();
}

void TQSL::Timer3Timer() {
    QslFilter f;
    if (Nastroy) {
        f.sent = Nastroy->qso1->isChecked();
        f.received = Nastroy->qso_2->isChecked();
        f.toSend = Nastroy->qsl3->isChecked();
        f.unconfirmedOnBand = Nastroy->qsobanda1->isChecked();
        f.band = Nastroy->bandbox1->currentText();
        f.unconfirmedCountries = Nastroy->No_qso->isChecked();
        f.exceptOwnCountry = Nastroy->n9->isChecked();
        f.ownCountry = StationProfile.country;
    }
    const std::vector<qint64> ordered = SelectQslRecords(LogColumns, f, DxccCountryList);
    const std::vector<qint64> failed =
        FillQslTable(LogFilePath(), LogColumns, ordered, *qslTable, strqsl2->model(), strqsl3->model(),
                     GaugeProgress(Gauge1));
    writeHeaders();
    Gauge1->hide();
    if (!failed.empty()) {
        QStringList numbers;
        for (size_t k = 0; k < failed.size() && k < 20; ++k) numbers << QString::number(failed[k] + 1);
        if (failed.size() > 20) numbers << QStringLiteral("…");
        platform::dialogs().messageBox(QStringLiteral("ERROR"), QStringLiteral("Номер QSO ") + numbers.join(u' ') + u' ',
                                       MsgIcon::Error, MbOk);
    }
}

// --- marks and cards

void TQSL::UpdateMarkedCounters() {
    const QslMarkedCounters c = zelmor::UpdateMarkedCounters(*qslTable);
    Panel1->setText(QString::number(c.marked));
    Panel2->setText(QString::number(c.sheets));
}

void TQSL::strqslClick(int row) {
    ToggleQsoRow(*qslTable, row);
    UpdateMarkedCounters();
}

void TQSL::strqsl2Click(int row) {
    if (row < 1) return;
    if (Statist) Statist->ShowCountryStatistics(strqsl2->cell(QslCountLabel, row));
    ToggleCountryRow(*qslTable, strqsl2->model(), row);
    UpdateMarkedCounters();
}

void TQSL::strqsl3Click(int row) {
    if (row < 1) return;
    ToggleRegionRow(*qslTable, strqsl3->model(), row);
    UpdateMarkedCounters();
}

void TQSL::toggleCountries(CountrySelection which) {
    if (!ToggleCountryRows(*qslTable, strqsl2->model(), which))
        platform::dialogs().messageBox(QStringLiteral("ERROR"), QStringLiteral("Пустая таблица!"), MsgIcon::Error, MbOk);
    UpdateMarkedCounters();
}

void TQSL::QSL4Click() {
    GroupQsosPerCard(*qslTable, Nastroy ? Nastroy->edit20->text() : QString());
    UpdateMarkedCounters();
}

void TQSL::QSL6Click() {
    GroupQsosPerCardByManager(*qslTable, Nastroy ? Nastroy->edit20->text() : QString());
    UpdateMarkedCounters();
}

void TQSL::QSL7Click() { ClearMarks(*qslTable); }

void TQSL::Image4Click() {
    if (QslHook.PrintMarkedCards) QslHook.PrintMarkedCards();
}

// --- the call search and the received marking

void TQSL::FindQsosByCall() {
    try {
        Search = zelmor::FindQsosByCall(call->text(), strnayti->model());
    } catch (const IoError &e) {
        Search.clear();
        ShowErrorBox(e.text());
        return;
    }
    if (Search.indexes.empty()) return;
    strnayti->setFocus();
    strnayti->setRow(0);
    if (Statist) Statist->ShowCountryStatistics(Search.country);
}

void TQSL::markReceived(int row) {
    try {
        const QslReceivedMarking m = MarkQslReceived(Search, strnayti->model(), row);
        if (!m.problem.isEmpty()) ShowErrorBox(m.problem);
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
    }
    CountQslStatuses();
    call->setFocus();
}

void TQSL::strnaytiEnter() {
    const int row = strnayti->currentIndex().isValid() ? strnayti->currentIndex().row() : 0;
    const QString band = strnayti->cell(3, row);
    ShowStripMessage(ConfirmationMessage(IsNewBandConfirmation(LogColumns, Search.country, band), band));
    if (call->text().isEmpty()) return;
    if (strnayti->cell(0, row).isEmpty()) {
        call->setFocus();
        return;
    }
    markReceived(row);
}

void TQSL::Image6Click() {
    const int row = strnayti->currentIndex().isValid() ? strnayti->currentIndex().row() : 0;
    if (call->text().isEmpty() || strnayti->cell(0, row).isEmpty()) return;
    markReceived(row);
}

// --- the pie and the strip

void TQSL::CountQslStatuses() {
    const QslStatusPie pie = zelmor::CountQslStatuses(LogColumns);
    Series1 = pie.slices;
    ChartTitle = pie.title;
    drawPie();
    if (Nastroy && Nastroy->n15->isChecked() && !Timer10->isActive()) Timer10->start();
}

void TQSL::drawPie() {
    pie_->clear();
    for (const Bar &b : Series1) {
        QPieSlice *s = pie_->append(b.label, b.value);
        s->setColor(b.colour);
        s->setBorderColor(Qt::black);
    }
    Chart1->chart()->setTitle(ChartTitle);
}

void TQSL::Timer10Timer() {
    if (!Nastroy || !Nastroy->n15->isChecked() || !isVisible()) {
        Timer10->stop();
        return;
    }
    pie_->setPieStartAngle(pie_->pieStartAngle() + PieStep);
    pie_->setPieEndAngle(pie_->pieEndAngle() + PieStep);
}

void TQSL::ShowStripMessage(const QString &text) {
    StripMessage = text;
    StripCounter = 0;
    Image21->clearStrip();
    if (!Timer2->isActive()) Timer2->start();
}

void TQSL::Timer2Timer() {
    if (StripMessage.isEmpty() || StripCounter >= StripEnd) {
        StripMessage.clear();
        StripCounter = 0;
        Image21->clearStrip();
        Timer2->stop();
        return;
    }
    Image21->drawTextAt(StripCounter, StripMessage);
    ++StripCounter;
}

bool TQSL::eventFilter(QObject *watched, QEvent *event) {
    const bool enter = event->type() == QEvent::KeyPress &&
                       (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return ||
                        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Enter);
    if (watched == call) {
        if (event->type() == QEvent::FocusIn) platform::keyboardLayout().activate(LayoutUs, call);
        if (event->type() == QEvent::MouseButtonPress) ShowStripMessage(QStringLiteral("Укажите Call"));
        if (enter) {
            FindQsosByCall();
            return true;
        }
    } else if (watched == strnayti) {
        if (event->type() == QEvent::FocusIn) ShowStripMessage(QStringLiteral("Найти QSO"));
        if (enter) {
            if (!static_cast<QKeyEvent *>(event)->isAutoRepeat()) strnaytiEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelmor
