#include "station/nastroy.h"

#include "logbook/enterorder.h"
#include "logbook/logfile.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "logbook/stationprofile.h"
#include "platform/dialogs.h"
#include "platform/hotkeyedit.h"
#include "platform/paths.h"
#include "station/baseeditors.h"
#include "station/gmtf.h"
#include "station/settingsbinder.h"
#include "station/settingsglobals.h"
#include "station/settingsrules.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

namespace zelmor {

TNastroy *Nastroy = nullptr;
SettingsDialogHooks SettingsDialogHook;

const std::array<SettingsPage, SettingsPageCount> SettingsPageTable = {{
    {"Настройка полей ввода", 0},
    {"Настройка путей к звуковым файлам", 245},
    {"Настройка обхода полей ввода", 150},
    {"Команда записи данных в файл", 420},
    {"Автоматическая отметка QSL статуса", 506},
    {"Установки окна QSO", 626},
    {"Скорость CW", 949},
    {"Командные строки CW", 1102},
    {"Условия заполнения таблиц", 1515},
    {"Россия", 4978},
    {"HFC", 9263},
    {"Ориентация наклеек", 1663},
    {"Ориентация личного формата", 2015},
    {"Ориентация блока данных", 2422},
    {"Образец наклейки", 2704},
    {"Установки", 2952},
    {"IOTA", 3107},
    {"DXCC", 3610},
    {"DIG", 4074},
    {"Ветеран", 4538},
    {"QTH", 5466},
    {"RCC", 9714},
    {"Name", 5874},
    {"Пути к колбукам", 6853},
    {"Путь к текущему лог файлу", 7083},
    {"Управление трансивером", 7250},
    {"Звуковое сопровождение", 7570},
    {"Общие установки", 7802},
    {"Удаление пустых строк", 8029},
    {"AGB", 8093},
    {"KDR", 8533},
    {"Работа с базами клубов", 8973},
    {"СРВС", 10163},
    {"Внешний вид окна QSO", 10613},
    {"Своя станция", 10760},
}};

namespace {

constexpr int kContentWidth = 530;
constexpr int kContentHeight = 11400;

// The up arrow shortens the element time: the position runs from 100 down
// to 30 as the speed rises.
class TReversedUpDown : public QSpinBox {
public:
    using QSpinBox::QSpinBox;
    void stepBy(int steps) override { QSpinBox::stepBy(-steps); }

protected:
    StepEnabled stepEnabled() const override {
        StepEnabled e = StepNone;
        if (value() > minimum()) e |= StepUpEnabled;
        if (value() < maximum()) e |= StepDownEnabled;
        return e;
    }
};

// The next position below `position` in the page table, for a section's
// height limit.
int NextPosition(int position) {
    int next = kContentHeight;
    for (const SettingsPage &p : SettingsPageTable)
        if (p.caption && p.position > position && p.position < next) next = p.position;
    return next;
}

QGridLayout *Grid(QWidget *section) { return static_cast<QGridLayout *>(section->layout()); }

template <class T>
T *Named(T *w, const char *name) {
    w->setObjectName(QString::fromUtf8(name));
    return w;
}

const char kCwTokens[] =
    "FCALL - позывной корреспондента\n"
    "FNAME - имя корреспондента\n"
    "FQTH - QTH корреспондента\n"
    "FADR - адрес своей станции\n"
    "FRSTR - принятый рапорт\n"
    "FRSTS - переданный рапорт\n"
    "FCW1...FCW22 - строки CW (F2 - F12, Alt+F2 ...)\n"
    "SAVE - записать QSO в файл\n"
    "Примеры:\n"
    "FCALL DE FCW1 K\n"
    "FCALL TNX FOR CALL UR RST FRSTS FRSTS NAME FCW2 QTH FCW3 HW? FCALL DE FCW1 K\n"
    "FCALL TNX FNAME FOR QSO 73 SAVE\n"
    "TNX FOR QSO FNAME 73 GL\n"
    "QRZ? DE FCW1 K";

} // namespace

TNastroy::TNastroy(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Nastroy"));
    setWindowTitle(QStringLiteral("Настройка программы ZELMOR "));
    resize(798, 566);

    menuBar = new QMenuBar(this);
    N1 = Named(menuBar->addAction(QStringLiteral("Скрыть меню настроек")), "N1");
    N2 = Named(menuBar->addAction(QStringLiteral("Показать меню настроек")), "N2");

    nast_menu = new QTreeWidget(this);
    nast_menu->setObjectName(QStringLiteral("nast_menu"));
    nast_menu->setHeaderHidden(true);
    nast_menu->setFixedWidth(241);
    QPalette tip = nast_menu->palette();
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    nast_menu->setPalette(tip);
    fillMenu();
    connect(nast_menu, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { nast_menuClick(item); });
    connect(nast_menu, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { nast_menuClick(item); });
    connect(N1, &QAction::triggered, nast_menu, &QWidget::hide);
    connect(N2, &QAction::triggered, nast_menu, &QWidget::show);

    nast_data = new QScrollArea(this);
    nast_data->setObjectName(QStringLiteral("nast_data"));
    nast_data->setWidgetResizable(false);
    content_ = new QWidget(nast_data);
    content_->setFixedSize(kContentWidth, kContentHeight);
    nast_data->setWidget(content_);
    nast_data->verticalScrollBar()->setSingleStep(20);

    auto *layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(nast_menu);
    layout->addWidget(nast_data, 1);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setMenuBar(menuBar);
    outer->addLayout(layout);

    // Design states are the first-start defaults; the loader sets every one
    // of them from the store before anything reads them.
    buildQsoPages();
    buildQslPages();
    buildBasePages();
    buildOtherPages();
    buildStationPage();
}

QWidget *TNastroy::place(const char *caption, int position, int height) {
    auto *g = new QGroupBox(QString::fromUtf8(caption), content_);
    g->setObjectName(QStringLiteral("page_%1").arg(position));
    const int limit = NextPosition(position) - position - 4;
    g->setGeometry(4, position, kContentWidth - 8, std::min(height, limit));
    auto *grid = new QGridLayout(g);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    groups_.push_back(g);
    return g;
}

QWidget *TNastroy::section(const QString &caption) {
    for (QGroupBox *g : groups_)
        if (g->title() == caption) return g;
    return nullptr;
}

QCheckBox *TNastroy::addCheckBox(QWidget *section, const char *name, const QString &caption, bool checked) {
    auto *box = Named(new QCheckBox(caption, section), name);
    box->setChecked(checked);
    QGridLayout *g = Grid(section);
    g->addWidget(box, g->rowCount(), 0, 1, -1);
    return box;
}

QLineEdit *TNastroy::addLineEdit(QWidget *section, const char *name, const QString &caption, const QString &text) {
    QGridLayout *g = Grid(section);
    const int row = g->rowCount();
    if (!caption.isEmpty()) g->addWidget(new QLabel(caption, section), row, 0);
    auto *e = Named(new QLineEdit(text, section), name);
    g->addWidget(e, row, caption.isEmpty() ? 0 : 1, 1, caption.isEmpty() ? -1 : 1);
    return e;
}

void TNastroy::buildQsoPages() {
    // Настройка полей ввода: fourteen boxes in five columns.
    QWidget *fields = place("Настройка полей ввода", 0, 150);
    Grid(fields)->addWidget(new QLabel(QStringLiteral("Разрешить проход курсором полей ввода "), fields), 0, 0, 1, 5);
    struct Box {
        QCheckBox *&box;
        const char *name, *caption;
        bool on;
    };
    const Box boxes[] = {
        {tim1, "tim1", "Time", false},  {tcb2, "tcb2", "Band", false},   {tcb3, "tcb3", "Mode", false},
        {tdata1, "tdata1", "Date", false}, {tqsl, "tqsl", "QSL", false},  {trsts, "trsts", "RSTs", false},
        {toch, "toch", "Очки", false},  {tqth, "tqth", "QTH", true},     {tname, "tname", "Name", true},
        {trst, "trst", "RSTr", false},  {Tvia, "Tvia", "Via", false},    {tiota, "tiota", "Iota", false},
        {tfreq, "tfreq", "Freq", false}, {Cqthl, "Cqthl", "QTHL", false},
    };
    int i = 0;
    for (const Box &b : boxes) {
        b.box = Named(new QCheckBox(QString::fromUtf8(b.caption), fields), b.name);
        b.box->setChecked(b.on);
        Grid(fields)->addWidget(b.box, 1 + i / 5, i % 5);
        ++i;
    }

    QWidget *order = place("Настройка обхода полей ввода", 150, 95);
    Grid(order)->addWidget(new QLabel(QStringLiteral("Последовательность обхода курсором полей ввода"), order), 0, 0);
    eentr = Named(new QLineEdit(DefaultEnterOrder, order), "eentr");
    Grid(order)->addWidget(eentr, 1, 0);

    // Настройка путей к звуковым файлам: the six voice keys, read only; the
    // buttons pick their files.
    QWidget *voice = place("Настройка путей к звуковым файлам", 245, 175);
    QLineEdit **edits[6] = {&Edit22, &Edit29, &Edit30, &Edit31, &Edit32, &Edit33};
    const char *editNames[6] = {"Edit22", "Edit29", "Edit30", "Edit31", "Edit32", "Edit33"};
    for (int n = 0; n < 6; ++n) {
        auto *b = new QPushButton(QStringLiteral("F%1").arg(n + 2), voice);
        b->setObjectName(QStringLiteral("voiceButton%1").arg(n + 2));
        b->setMaximumWidth(40);
        voiceButtons[size_t(n)] = b;
        *edits[n] = Named(new QLineEdit(voice), editNames[n]);
        (*edits[n])->setReadOnly(true);
        Grid(voice)->addWidget(b, n % 3, (n / 3) * 2);
        Grid(voice)->addWidget(*edits[n], n % 3, (n / 3) * 2 + 1);
        connect(b, &QPushButton::clicked, this, [this, n] { pickVoiceFile(n); });
    }

    QWidget *save = place("Команда записи данных в файл", 420, 86);
    Grid(save)->addWidget(new QLabel(QStringLiteral("Клавиша записи в файл"), save), 0, 0);
    wKey1 = Named(new THotKey(save), "wKey1");
    wKey1->setShortcutCode(112);
    Grid(save)->addWidget(wKey1, 0, 1);
    enterc = Named(new QCheckBox(QStringLiteral("Запись в файл клавишей ENTER"), save), "enterc");
    Grid(save)->addWidget(enterc, 1, 0, 1, 2);

    QWidget *qsl = place("Автоматическая отметка QSL статуса", 506, 120);
    // The threshold on a line of its own, under its box: the sentence is too
    // long for one line beside it.
    qslf1 = Named(new QCheckBox(QStringLiteral("Отправить QSL, если страна подтверждена на диапазоне менее чем"), qsl), "qslf1");
    eqslf1 = Named(new QLineEdit(qsl), "eqslf1");
    eqslf1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]{0,3}")), eqslf1));
    eqslf1->setMaximumWidth(40);
    auto *times = new QHBoxLayout;
    times->setContentsMargins(22, 0, 0, 0);
    times->addWidget(eqslf1);
    times->addWidget(new QLabel(QStringLiteral("раз"), qsl));
    times->addStretch(1);
    Grid(qsl)->addWidget(qslf1, 0, 0);
    Grid(qsl)->addLayout(times, 1, 0);
    qslf3 = addCheckBox(qsl, "qslf3", QStringLiteral("Отправить QSL только на другие континенты"));
    qslf2 = addCheckBox(qsl, "qslf2", QStringLiteral("Отправить QSL всем, кроме своей страны"));

    // Установки окна QSO: the boxes in two columns, the date group and the
    // call-clearing key beside them.
    QWidget *win = place("Установки окна QSO", 626, 323);
    // Ten boxes, the date group and the key: tight rows to fit above the CW page.
    Grid(win)->setVerticalSpacing(0);
    Grid(win)->setContentsMargins(6, 0, 6, 2);
    struct Flag {
        QCheckBox *&box;
        const char *name, *caption;
        bool on;
    };
    const Flag flags[] = {
        {n24, "n24", "Показывать таблицу повторных QSO", true},
        {ru_en, "ru_en", "Переключать раскладку клавиатуры в полях ввода", true},
        {n26, "n26", "Показывать позывные из журнала по первым символам", true},
        {avtmode, "avtmode", "Автоматически устанавливать MODE и RST", false},
        {data23, "data23", "Оставлять предыдущую дату", false},
        {cw_ssb, "cw_ssb", "Переключать работу CW по виду работы трансивера", false},
        {n22, "n22", "При запуске включать управление трансивером", false},
        {qso2, "qso2", "При запуске открыть окно QSO", true},
        {mngpoisk, "mngpoisk", "Искать QSL менеджера", false},
        {Name_qth, "Name_qth", "Предлагать NAME и QTH из списков", false},
    };
    int row = 0;
    for (const Flag &f : flags) {
        f.box = Named(new QCheckBox(QString::fromUtf8(f.caption), win), f.name);
        f.box->setChecked(f.on);
        Grid(win)->addWidget(f.box, row++, 0, 1, 3);
    }
    utcButton = Named(new QPushButton(QStringLiteral("Установка UTC"), win), "utcButton");
    Grid(win)->addWidget(utcButton, row, 0);
    connect(utcButton, &QPushButton::clicked, this, [this] {
        // Modal to this window, without an event loop of its own: the
        // timers and the keyer go on while it is up.
        if (!gmtf) return;
        if (!gmtf->isVisible()) {
            gmtf->setWindowModality(Qt::WindowModal);
            gmtf->winId();
            if (QWindow *w = gmtf->windowHandle()) w->setTransientParent(window()->windowHandle());
        }
        gmtf->show();
        gmtf->raise();
    });
    auto *date = Named(new QGroupBox(QStringLiteral("Настройка строки - DATE"), win), "dateGroup");
    auto *dl = new QHBoxLayout(date);
    dl->setContentsMargins(4, 0, 4, 0);
    Edit4 = Named(new QLineEdit(date), "Edit4");
    Edit8 = Named(new QLineEdit(date), "Edit8");
    dl->addWidget(new QLabel(QStringLiteral("Месяц"), date));
    dl->addWidget(Edit4);
    dl->addWidget(new QLabel(QStringLiteral("Год"), date));
    dl->addWidget(Edit8);
    Grid(win)->addWidget(date, row++, 1, 1, 2);
    Grid(win)->addWidget(new QLabel(QStringLiteral("Удаление записей в строке CALL"), win), row++, 0, 1, 3);
    delcall = Named(new THotKey(win), "delcall");
    delcall->setShortcutCode(0);
    // "No key" is a setting of its own here: the operator can go back to it.
    delcall->setClearButtonEnabled(true);
    delcall->setMinimumWidth(120);
    Grid(win)->addWidget(delcall, row, 0);
    Grid(win)->addWidget(new QLabel(QStringLiteral("Дополнительно действует клавиша ESC"), win), row, 1, 1, 2);

    // Скорость CW.
    QWidget *speed = place("Скорость CW", 949, 153);
    auto upDown = [&](QSpinBox *s, const char *name, int low, int high, int step, int value) {
        Named(s, name);
        s->setRange(low, high);
        s->setSingleStep(step);
        s->setValue(value);
        s->setMaximumWidth(70);
        return s;
    };
    updo = upDown(new TReversedUpDown(speed), "updo", 30, 100, 1, 50);
    updo1 = upDown(new TReversedUpDown(speed), "updo1", 30, 100, 1, 37);
    UpDo10 = upDown(new QSpinBox(speed), "UpDo10", 1, 3000, 20, 100);
    edit6 = Named(new QLabel(CwSpeedText(50), speed), "edit6");
    Panel26 = Named(new QLabel(CwSpeedText(37), speed), "Panel26");
    Panel4 = Named(new QLabel(QStringLiteral("100"), speed), "Panel4");
    for (QLabel *l : {edit6, Panel26, Panel4}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(44);
    }
    const char *speedCaptions[3] = {"Скорость передачи по умолчанию или замедленый режим  ( после знака \"-\")",
                                    "Ускоренная передача CW сигнала (после знака \"+\")", "Задержка PTT, мс"};
    QSpinBox *spins[3] = {updo, updo1, UpDo10};
    QLabel *panels[3] = {edit6, Panel26, Panel4};
    for (int n = 0; n < 3; ++n) {
        auto *caption = new QLabel(QString::fromUtf8(speedCaptions[n]), speed);
        caption->setWordWrap(true);
        Grid(speed)->addWidget(caption, n, 0);
        Grid(speed)->addWidget(panels[n], n, 1);
        Grid(speed)->addWidget(spins[n], n, 2);
    }

    QWidget *lines = place("Командные строки CW", 1102, 413);
    const char *lineCaptions[4] = {"Командная строка 1 - ENTER в поле CALL", "Командная строка 2 - ENTER в поле NAME",
                                   "Командная строка 3 - ENTER в поле QTH", "Командная строка 4 - клавиша записи"};
    QCheckBox **cw[4] = {&cwcom10, &cwcom11, &cwcom12, &cwcom13};
    for (int n = 0; n < 4; ++n)
        *cw[n] = addCheckBox(lines, QStringLiteral("cwcom1%1").arg(n).toLatin1().constData(), QString::fromUtf8(lineCaptions[n]));
    auto *tokens = Named(new QLabel(QString::fromUtf8(kCwTokens), lines), "cwTokens");
    tokens->setWordWrap(true);
    Grid(lines)->addWidget(tokens, Grid(lines)->rowCount(), 0, 1, -1);

    QWidget *clubs = place("Работа с базами клубов", 8973, 290);
    cagb = addCheckBox(clubs, "cagb", QStringLiteral("AGB"));
    cvet = addCheckBox(clubs, "cvet", QStringLiteral("Ветеран"), true);
    cdig = addCheckBox(clubs, "cdig", QStringLiteral("DIG"), true);
    ckdr = addCheckBox(clubs, "ckdr", QStringLiteral("KDR"));
    chfc = addCheckBox(clubs, "chfc", QStringLiteral("HFC"));
    crcc = addCheckBox(clubs, "crcc", QStringLiteral("RCC"));
    Csrvs = addCheckBox(clubs, "Csrvs", QStringLiteral("СРВС"));

    QWidget *look = place("Внешний вид окна QSO", 10613, 140);
    vid_qso = Named(new QComboBox(look), "vid_qso");
    vid_qso->setEditable(true);
    vid_qso->addItems({QStringLiteral("Авангард"), QStringLiteral("Классический")});
    vid_qso->setCurrentIndex(-1);
    Grid(look)->addWidget(vid_qso, 0, 0);
    Grid(look)->addWidget(new QLabel(QStringLiteral("Параметры вступят в силу после перезапуска программы"), look), 1, 0);
}

void TNastroy::buildQslPages() {
    QWidget *tables = place("Условия заполнения таблиц", 1515, 148);
    qsobanda1 = Named(new QCheckBox(QStringLiteral("Повторно отправить QSL на диапазоне"), tables), "qsobanda1");
    bandbox1 = Named(new QComboBox(tables), "bandbox1");
    bandbox1->addItems({QStringLiteral("1.8 Mhz"), QStringLiteral("3.6 Mhz"), QStringLiteral("7.0 Mhz"), QStringLiteral("10  Mhz"),
                        QStringLiteral("14  Mhz"), QStringLiteral("18  Mhz"), QStringLiteral("21  Mhz"), QStringLiteral("24  Mhz"),
                        QStringLiteral("28  Mhz")});
    bandbox1->setCurrentIndex(-1);
    connect(bandbox1, &QComboBox::currentTextChanged, this, [] {
        if (SettingsDialogHook.BandBoxChanged) SettingsDialogHook.BandBoxChanged();
    });
    Grid(tables)->addWidget(qsobanda1, 0, 0);
    Grid(tables)->addWidget(bandbox1, 0, 1);
    No_qso = Named(new QCheckBox(QStringLiteral("Повторно отправить QSL, если нет ответа"), tables), "No_qso");
    n9 = Named(new QCheckBox(QStringLiteral("Кроме своей страны"), tables), "n9");
    qso1 = Named(new QCheckBox(QStringLiteral("Отправленные QSL"), tables), "qso1");
    qsl3 = Named(new QCheckBox(QStringLiteral("QSL к отправке"), tables), "qsl3");
    qsl3->setChecked(true);
    qso_2 = Named(new QCheckBox(QStringLiteral("Полученные QSL"), tables), "qso_2");
    Grid(tables)->addWidget(No_qso, 1, 0);
    Grid(tables)->addWidget(n9, 1, 1);
    Grid(tables)->addWidget(qso1, 2, 0);
    Grid(tables)->addWidget(qsl3, 2, 1);
    Grid(tables)->addWidget(qso_2, 3, 0);

    QWidget *stickers = place("Ориентация наклеек", 1663, 352);
    updown1 = Named(new QSlider(Qt::Horizontal, stickers), "updown1");
    updown1->setRange(0, 420);
    Edit5 = Named(new QLineEdit(QStringLiteral("0"), stickers), "Edit5");
    Edit5->setReadOnly(true);
    Edit5->setMaximumWidth(60);
    Image2 = Named(new QLabel(stickers), "Image2");
    Image2->setFixedSize(300, 260);
    Image2->setFrameShape(QFrame::Box);
    Grid(stickers)->addWidget(updown1, 0, 0);
    Grid(stickers)->addWidget(Edit5, 0, 1);
    Grid(stickers)->addWidget(Image2, 1, 0, 1, 2);

    QWidget *personal = place("Ориентация личного формата", 2015, 407);
    sx = Named(new QScrollBar(Qt::Horizontal, personal), "sx");
    sx->setRange(0, 150);
    sy = Named(new QScrollBar(Qt::Vertical, personal), "sy");
    sy->setRange(0, 450);
    Image4 = Named(new QLabel(personal), "Image4");
    Image4->setFixedSize(314, 350);
    Image4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Grid(personal)->addWidget(sx, 0, 0);
    Grid(personal)->addWidget(Image4, 1, 0);
    Grid(personal)->addWidget(sy, 1, 1);
    drawOrigin(0, 0);

    QWidget *block = place("Ориентация блока данных", 2422, 282);
    Panel5 = Named(new QFrame(block), "Panel5");
    Panel5->setFixedSize(310, 190);
    Panel5->setFrameShape(QFrame::Box);
    Panel5->setMouseTracking(true);
    Panel5->installEventFilter(this);
    sh1 = Named(new QLabel(QStringLiteral("Блок"), Panel5), "sh1");
    sh1->setFrameShape(QFrame::Box);
    sh1->setAutoFillBackground(true);
    sh1->setFixedSize(60, 40);
    sh1->setAlignment(Qt::AlignCenter);
    sh1->move(10, 12);
    sh1->setMouseTracking(true);
    sh1->installEventFilter(this);
    Panel6 = Named(new QLabel(QStringLiteral("Y-"), block), "Panel6");
    Panel7 = Named(new QLabel(QStringLiteral("X-"), block), "Panel7");
    Grid(block)->addWidget(Panel5, 0, 0, 2, 1);
    Grid(block)->addWidget(Panel6, 0, 1);
    Grid(block)->addWidget(Panel7, 1, 1);

    QWidget *sample = place("Образец наклейки", 2704, 248);
    Edit11 = addLineEdit(sample, "Edit11", QStringLiteral("Поле для дополнительной информации( E-mail:)"));
    auto *card = Named(new QFrame(sample), "sampleSticker");
    card->setFrameShape(QFrame::Box);
    auto *cl = new QGridLayout(card);
    Label15 = Named(new QLabel(QStringLiteral("To Radio"), card), "Label15");
    Label17 = Named(new QLabel(QStringLiteral("Date  UTC  MHz  2xQSO  RST"), card), "Label17");
    Label19 = Named(new QLabel(QStringLiteral("PSE QSL TNX"), card), "Label19");
    Label20 = Named(new QLabel(card), "Label20");
    Image1 = Named(new QLabel(card), "Image1");
    // The font sample is 400 pixels wide: beside the labels it would run
    // past the frame, so it takes a row of its own between them.
    Image1->setFixedSize(400, 100);
    cl->setContentsMargins(6, 4, 6, 4);
    cl->setVerticalSpacing(2);
    cl->addWidget(Label15, 0, 0);
    cl->addWidget(Label17, 0, 1);
    cl->addWidget(Image1, 1, 0, 1, 2);
    cl->addWidget(Label19, 2, 0);
    cl->addWidget(Label20, 2, 1);
    Grid(sample)->addWidget(card, Grid(sample)->rowCount(), 0, 1, -1);
    connect(Edit11, &QLineEdit::textChanged, Label20, &QLabel::setText);

    QWidget *qslSet = place("Установки", 2952, 155);
    n15 = addCheckBox(qslSet, "n15", QStringLiteral("Вращение диаграмы"));
    edit20 = addLineEdit(qslSet, "edit20", QStringLiteral("Максимальное количество строк (QSO) на одной QSL"), QStringLiteral("1"));
    edit20->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("|[1-9][0-9]?")), edit20));
    edit20->setMaximumWidth(40);
    Grid(qslSet)->addWidget(new QLabel(QStringLiteral("( Рекомендуемое значение - 1 и более )"), qslSet), Grid(qslSet)->rowCount(), 0, 1, -1);
}

void TNastroy::buildBasePages() {
    // The editors of the reference files take these places.
    const std::pair<const char *, int> bases[] = {{"IOTA", 3107}, {"DXCC", 3610}, {"DIG", 4074}, {"Россия", 4978},
                                                  {"QTH", 5466},  {"Name", 5874},  {"AGB", 8093}, {"KDR", 8533},
                                                  {"HFC", 9263},  {"RCC", 9714},   {"СРВС", 10163}};
    for (const auto &[caption, position] : bases) place(caption, position, 440);
    auto grid = [&](const char *caption, const char *name, int cols) {
        QWidget *page = section(QString::fromUtf8(caption));
        auto *g = Named(new TStringGrid(cols, 2, page), name);
        g->setMinimumHeight(120);
        Grid(page)->addWidget(g, Grid(page)->rowCount(), 0);
        return g;
    };
    striota = grid("IOTA", "striota", 3);
    Striota1 = grid("IOTA", "Striota1", 3);
    strdxcc = grid("DXCC", "strdxcc", 13);
    Strdig = grid("DIG", "Strdig", 3);

    QWidget *veterans = place("Ветеран", 4538, 436);
    strvet = Named(new TStringGrid(4, 11, veterans), "strvet");
    const char *vetHeads[4] = {"№", "Call", "Имя", "Очки"};
    for (int c = 0; c < 4; ++c) strvet->setCell(c, 0, QString::fromUtf8(vetHeads[c]));
    strvet->setMinimumHeight(160);
    Grid(veterans)->addWidget(strvet, 0, 0);
    Panel24 = Named(new QLabel(veterans), "Panel24");
    Grid(veterans)->addWidget(Panel24, 1, 0);
    baseEditors = new TBaseEditors(this);
}

void TNastroy::buildOtherPages() {
    QWidget *paths = place("Пути к колбукам", 6853, 230);
    auto *cd = Named(new QGroupBox(QStringLiteral("Путь к диску с CALLBOOK  CD  (USA)"), paths), "cdGroup");
    auto *cdl = new QHBoxLayout(cd);
    Edit21 = Named(new QLineEdit(cd), "Edit21");
    folderButton = Named(new QPushButton(QStringLiteral("..."), cd), "folderButton");
    folderButton->setMaximumWidth(40);
    cdl->addWidget(Edit21);
    cdl->addWidget(folderButton);
    connect(folderButton, &QPushButton::clicked, this, &TNastroy::folderButtonClick);
    auto *dbf = Named(new QGroupBox(QStringLiteral("Путь к файлу CALLBOOK (*.dbf)"), paths), "dbfGroup");
    auto *dbl = new QHBoxLayout(dbf);
    Edit3 = Named(new QLineEdit(dbf), "Edit3");
    callbookButton = Named(new QPushButton(QStringLiteral("..."), dbf), "callbookButton");
    callbookButton->setMaximumWidth(40);
    dbl->addWidget(Edit3);
    dbl->addWidget(callbookButton);
    connect(callbookButton, &QPushButton::clicked, this, [] { PickCallbookDbfFile(); });
    Grid(paths)->addWidget(cd, 0, 0);
    Grid(paths)->addWidget(dbf, 1, 0);

    QWidget *log = place("Путь к текущему лог файлу", 7083, 167);
    Grid(log)->addWidget(new QLabel(QStringLiteral("Путь текущего LOG-файла"), log), 0, 0);
    Panel3 = Named(new QLabel(log), "Panel3");
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Sunken);
    Panel3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Grid(log)->addWidget(Panel3, 1, 0);

    // Управление трансивером: two radio groups of their own.
    QWidget *cat = place("Управление трансивером", 7250, 320);
    auto *ports = Named(new QGroupBox(QStringLiteral("Порт"), cat), "portGroup");
    auto *pl = new QVBoxLayout(ports);
    auto option = [](QWidget *parent, QLayout *l, const char *name, const char *caption, bool checked) {
        auto *b = Named(new QRadioButton(QString::fromUtf8(caption), parent), name);
        b->setChecked(checked);
        l->addWidget(b);
        return b;
    };
    om1 = option(ports, pl, "om1", "COM1", false);
    om2 = option(ports, pl, "om2", "COM2", true);
    om3 = option(ports, pl, "om3", "COM3", false);
    om4 = option(ports, pl, "om4", "COM4", false);
    auto *models = Named(new QGroupBox(QStringLiteral("Трансивер"), cat), "modelGroup");
    auto *ml = new QGridLayout(models);
    ml->setVerticalSpacing(0);
    QWidget *ml0 = models;
    auto model = [&](const char *name, const char *caption, int at, bool checked) {
        auto *b = Named(new QRadioButton(QString::fromUtf8(caption), ml0), name);
        b->setChecked(checked);
        ml->addWidget(b, at % 4, at / 4);
        return b;
    };
    ft840 = model("ft840", "FT-840", 0, true);
    ft890 = model("ft890", "FT-890", 1, false);
    ft990 = model("ft990", "FT-990", 2, false);
    ft990_2 = model("ft990_2", "FT-990 (2)", 3, false);
    ft920 = model("ft920", "FT-920", 4, false);
    ft1000mp = model("ft1000mp", "FT-1000MP", 5, false);
    kenwood1 = model("kenwood1", "KENWOOD", 6, false);
    Grid(cat)->addWidget(ports, 0, 0);
    Grid(cat)->addWidget(models, 0, 1);
    auto *speedCaption = new QLabel(QStringLiteral("Скорость обмена с трансивером (для KENWOOD)"), cat);
    speedCaption->setWordWrap(true);
    Grid(cat)->addWidget(speedCaption, 1, 0);
    skorost = Named(new QComboBox(cat), "skorost");
    skorost->setEditable(true);
    skorost->addItems({QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200")});
    skorost->setCurrentText(QStringLiteral("4800"));
    Grid(cat)->addWidget(skorost, 1, 1);
    rxtx_call = Named(new QCheckBox(QStringLiteral("Опрашивать трансивер при вводе позывного"), cat), "rxtx_call");
    rxtx_1 = Named(new QCheckBox(QStringLiteral("Опрашивать трансивер только по команде"), cat), "rxtx_1");
    Grid(cat)->addWidget(rxtx_call, 2, 0, 1, 2);
    Grid(cat)->addWidget(rxtx_1, 3, 0, 1, 2);

    QWidget *sound = place("Звуковое сопровождение", 7570, 232);
    auto soundRow = [&](QCheckBox *&box, const char *boxName, const char *caption, QLineEdit *&edit, const char *editName) {
        box = addCheckBox(sound, boxName, QString::fromUtf8(caption));
        const int row = Grid(sound)->rowCount();
        edit = Named(new QLineEdit(sound), editName);
        auto *pick = new QPushButton(QStringLiteral("..."), sound);
        pick->setObjectName(QString::fromUtf8(editName) + QStringLiteral("Pick"));
        pick->setMaximumWidth(40);
        Grid(sound)->addWidget(edit, row, 0);
        Grid(sound)->addWidget(pick, row, 1);
        QLineEdit *e = edit;
        connect(pick, &QPushButton::clicked, this, [this, e] { pickFile(e, QStringLiteral("Звуковой файл|*wav")); });
    };
    soundRow(povmidi, "povmidi", "Звук при повторном QSO", Edit15, "Edit15");
    soundRow(Newworld, "Newworld", "Звук при новой стране", Edit16, "Edit16");
    exeGroup = Named(new QGroupBox(QStringLiteral("Назначить программу под кнопку ( *.EXE)"), sound), "exeGroup");
    auto *el = new QHBoxLayout(exeGroup);
    Edit7 = Named(new QLineEdit(exeGroup), "Edit7");
    auto *exePick = Named(new QPushButton(QStringLiteral("..."), exeGroup), "Edit7Pick");
    el->addWidget(Edit7);
    el->addWidget(exePick);
    // The filter offers all files too: a Linux program has no ".exe".
    connect(exePick, &QPushButton::clicked, this, [this] { pickFile(Edit7, QStringLiteral("файл EXE|*exe|Все файлы|*")); });
    Grid(sound)->addWidget(exeGroup, Grid(sound)->rowCount(), 0, 1, -1);
    exeGroup->hide();

    QWidget *general = place("Общие установки", 7802, 227);
    glaw1 = addCheckBox(general, "glaw1", QStringLiteral("Всплывающее главное окно"), true);
    n50 = addCheckBox(general, "n50", QStringLiteral("Звуковой сигнал напоминания"));
    n21 = addCheckBox(general, "n21", QStringLiteral("Наличие звуковой карты"));
    Notb = addCheckBox(general, "Notb", QStringLiteral("Внешний вид для Нотбука (400х600)"));
    Notb->setEnabled(false);
    auto *lpt = Named(new QGroupBox(QStringLiteral("Порт сигнала  CW и управление антенной"), general), "lptGroup");
    auto *ll = new QHBoxLayout(lpt);
    RadioButton1 = Named(new QRadioButton(QStringLiteral("LPT1"), lpt), "RadioButton1");
    RadioButton3 = Named(new QRadioButton(QStringLiteral("LPT2"), lpt), "RadioButton3");
    RadioButton1->setChecked(true);
    ll->addWidget(RadioButton1);
    ll->addWidget(RadioButton3);
    Grid(general)->addWidget(lpt, Grid(general)->rowCount(), 0, 1, -1);

    QWidget *purge = place("Удаление пустых строк", 8029, 64);
    del_f = addCheckBox(purge, "del_f", QStringLiteral("Показывать окно удаления пустых строк при каждом запуске"));
}

void TNastroy::buildStationPage() {
    QWidget *station = place("Своя станция", 10760, 350);
    const char *captions[11] = {"Позывной", "Имя", "Имя латиницей", "Адрес (индекс, ... через запятую)", "E-mail",
                                "Широта", "Долгота", "Зона ITU", "Зона WAZ", "Страна", "Континент"};
    QString StationProfileData::*fields[11] = {
        &StationProfileData::call,     &StationProfileData::nameCyrillic, &StationProfileData::nameLatin,
        &StationProfileData::address,  &StationProfileData::email,        &StationProfileData::latitude,
        &StationProfileData::longitude, &StationProfileData::itu,         &StationProfileData::waz,
        &StationProfileData::country,  &StationProfileData::continent};
    for (int n = 0; n < 11; ++n) {
        QLineEdit *e = addLineEdit(station, QStringLiteral("station%1").arg(n).toLatin1().constData(), QString::fromUtf8(captions[n]));
        stationEdits[size_t(n)] = e;
        const auto row = SettingId(int(SettingId::StationCall) + n);
        connect(e, &QLineEdit::textEdited, this, [row, field = fields[n]](const QString &text) {
            if (WriteSetting(row, text)) StationProfile.*field = text;
        });
    }
}

void TNastroy::fillMenu() {
    struct Node {
        const char *caption;
        std::vector<Node> children;
    };
    const std::vector<Node> tree = {
        {"Окно QSO",
         {{"Настройка полей ввода", {}},
          {"Настройка обхода полей ввода", {}},
          {"Настройка путей к звуковым файлам", {}},
          {"Автоматическая отметка QSL статуса", {}},
          {"Команда записи данных в файл", {}},
          {"Установки окна QSO", {}},
          {"Режим CW", {{"Скорость CW", {}}, {"Командные строки CW", {}}}},
          {"Работа с базами клубов", {}},
          {"Внешний вид окна QSO", {}}}},
        {"Окно QSL",
         {{"Условия заполнения таблиц", {}},
          {"Ориентация наклеек", {}},
          {"Ориентация личного формата", {}},
          {"Ориентация блока данных", {}},
          {"Образец наклейки", {}},
          {"Установки", {}}}},
        {"Базы",
         {{"IOTA", {}}, {"DXCC", {}}, {"DIG", {}}, {"Ветеран", {}}, {"Россия", {}}, {"QTH", {}},
          {"Name", {}}, {"AGB", {}}, {"KDR", {}}, {"HFC", {}}, {"RCC", {}}, {"СРВС", {}}}},
        {"Пути к файлам", {{"Пути к колбукам", {}}, {"Путь к текущему лог файлу", {}}}},
        {"Управление трансивером", {}},
        {"Звук", {{"Звуковое сопровождение", {}}}},
        {"Общие установки", {}},
        {"Удаление пустых строк", {}},
        {"Своя станция", {}},
    };
    auto add = [](auto &self, QTreeWidgetItem *item, const Node &n) -> void {
        item->setText(0, QString::fromUtf8(n.caption));
        // The tree is narrow: a long caption shows whole on hovering.
        item->setToolTip(0, item->text(0));
        for (const Node &c : n.children) self(self, new QTreeWidgetItem(item), c);
    };
    for (const Node &n : tree) add(add, new QTreeWidgetItem(nast_menu), n);
}

void TNastroy::nast_menuClick(QTreeWidgetItem *item) {
    if (!item) return;
    const QString text = item->text(0);
    for (const SettingsPage &p : SettingsPageTable)
        if (p.caption && text == QString::fromUtf8(p.caption)) nast_data->verticalScrollBar()->setValue(p.position);
}

QLineEdit *TNastroy::voiceKeyFile(int n) const {
    QLineEdit *const edits[6] = {Edit22, Edit29, Edit30, Edit31, Edit32, Edit33};
    return n >= 0 && n < 6 ? edits[n] : nullptr;
}

void TNastroy::pickVoiceFile(int n) {
    const QString chosen =
        platform::dialogs().openFileName(QString(), QStringLiteral("Назначить звуковые файлы для клавиш F2-F7|*.wav"), ProgramDir);
    if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
    if (chosen.isEmpty()) return;
    if (!WriteSetting(SettingId::VoiceFile, chosen, n + 2)) return;
    LoadMacroKeyStrings();
}

void TNastroy::pickFile(QLineEdit *edit, const QString &filter) {
    const QString chosen = platform::dialogs().openFileName(QString(), filter, ProgramDir);
    // Other windows open their files by bare name: the program folder stays
    // the current one.
    if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
    if (!chosen.isEmpty()) edit->setText(chosen);
}

void TNastroy::folderButtonClick() {
    const QString chosen = platform::dialogs().folderName(QStringLiteral("Путь к диску с CALLBOOK  CD  (USA)"), Edit21->text());
    if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
    if (!chosen.isEmpty()) Edit21->setText(FolderWithSeparator(chosen));
}

void PickCallbookDbfFile() {
    const QString chosen = platform::dialogs().openFileName(QString(), QStringLiteral("Colbook(.dbf)|*.dbf"), ProgramDir);
    if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
    if (!chosen.isEmpty() && Nastroy) Nastroy->Edit3->setText(chosen);
}

void TNastroy::drawOrigin(int x, int y) {
    QPixmap pm(314, 410);
    pm.fill(palette().color(QPalette::Button));
    QPainter p(&pm);
    p.fillRect(QRect(x, y, 180, 110), Qt::white);
    p.end();
    Image4->setPixmap(pm);
}

void TNastroy::sxChange() {
    drawOrigin(sx->value(), sy->value());
    QslPositionTable[20] = OriginEntry(sx->value());
    QslPositionTable[19] = OriginEntry(sy->value());
    // Stored in 1/12 preview pixel. Both bars start from the stored origin
    // at each showing, so the axis not moved keeps its value.
    const LoadedSetting v = LoadSetting(SettingId::QslOriginY), h = LoadSetting(SettingId::QslOriginX);
    if (!v.present || v.number != QslPositionTable[19]) WriteSetting(SettingId::QslOriginY, QslPositionTable[19]);
    if (!h.present || h.number != QslPositionTable[20]) WriteSetting(SettingId::QslOriginX, QslPositionTable[20]);
}

void TNastroy::FormActivate() {
    // The origin as stored; the bars start from it, so moving one keeps the
    // other axis.
    const LoadedSetting v = LoadSetting(SettingId::QslOriginY);
    const LoadedSetting h = LoadSetting(SettingId::QslOriginX);
    if (v.present) QslPositionTable[19] = v.number;
    if (h.present) QslPositionTable[20] = h.number;
    {
        const QSignalBlocker bx(sx), by(sy);
        sx->setValue(OriginBar(QslPositionTable[20]));
        sy->setValue(OriginBar(QslPositionTable[19]));
    }
    drawOrigin(int(QslPositionTable[20] / 12), int(QslPositionTable[19] / 12));
    const QString names2 = DataPath(QStringLiteral("names2.dat"));
    if (!QFile::exists(names2)) {
        QFile f(names2);
        if (!f.open(QIODevice::WriteOnly)) std::fprintf(stderr, "zelmor: cannot create %s\n", qPrintable(names2));
    }
    if (SettingsDialogHook.StickerPreview) SettingsDialogHook.StickerPreview();
    if (SettingsDialogHook.CardFontPreview) SettingsDialogHook.CardFontPreview();
    // The log may have changed since the start.
    Panel3->setText(LogFileName);
    const QString *values[11] = {&StationProfile.call,     &StationProfile.nameCyrillic, &StationProfile.nameLatin,
                                 &StationProfile.address,  &StationProfile.email,        &StationProfile.latitude,
                                 &StationProfile.longitude, &StationProfile.itu,         &StationProfile.waz,
                                 &StationProfile.country,  &StationProfile.continent};
    for (int n = 0; n < 11; ++n)
        if (!stationEdits[size_t(n)]->hasFocus()) stationEdits[size_t(n)]->setText(*values[n]);
}

void TNastroy::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    FormActivate();
}

void TNastroy::sh1MouseMove() {
    if (SettingsDialogHook.BlockMarkerStep) SettingsDialogHook.BlockMarkerStep();
    // The panel takes the mouse from here on.
    sh1->setEnabled(false);
    sh1->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    BlockDragTarget = 8;
}

void TNastroy::Panel5MouseDown() { BlockButtonDown = 1; }

void TNastroy::Panel5MouseMove(QPoint at) {
    QPoint p = ClampToBlockPanel(at);
    if (!BlockDragTarget || BlockButtonDown != 1) return;
    Panel6->setText(QStringLiteral("Y-%1").arg(p.y()));
    Panel7->setText(QStringLiteral("X-%1").arg(p.x()));
    if (BlockDragTarget != 8) return;
    p = ClampBlockMarker(p);
    sh1->move(p.x() - 10, p.y() - 8);
    QslPositionTable[14] = p.x();
    QslPositionTable[15] = p.y();
}

void TNastroy::Panel5MouseUp() {
    const bool dragged = BlockDragTarget == 8 && BlockButtonDown == 1;
    BlockDragTarget = 0;
    BlockButtonDown = 0;
    sh1->setEnabled(true);
    sh1->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    if (dragged) {
        // One save for the drag, and only when it moved the marker.
        const qint32 x = LoadSetting(SettingId::QslData, 14).number, y = LoadSetting(SettingId::QslData, 15).number;
        if (x != QslPositionTable[14] || y != QslPositionTable[15]) {
            SettingsBatch batch;
            for (int n = 0; n < QslPositionCount; ++n) WriteSetting(SettingId::QslData, QslPositionTable[size_t(n)], n);
        }
    }
    if (SettingsDialogHook.BlockMarkerStep) SettingsDialogHook.BlockMarkerStep();
}

bool TNastroy::eventFilter(QObject *watched, QEvent *event) {
    if (watched == sh1 && (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)) {
        sh1MouseMove();
    } else if (watched == Panel5) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: Panel5MouseDown(); break;
        case QEvent::MouseMove: Panel5MouseMove(static_cast<QMouseEvent *>(event)->position().toPoint()); break;
        case QEvent::MouseButtonRelease: Panel5MouseUp(); break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QCheckBox *TNastroy::clubBox(Club c) const {
    switch (c) {
    case Club::Dig: return cdig;
    case Club::Veteran: return cvet;
    case Club::Agb: return cagb;
    case Club::Kdr: return ckdr;
    case Club::Hfc: return chfc;
    case Club::Rcc: return crcc;
    case Club::Srvs: return Csrvs;
    }
    return nullptr;
}

QCheckBox *TNastroy::entryBox(const QString &key) const {
    const std::pair<const char *, QCheckBox *> boxes[] = {
        {"NAME", tname}, {"QTH", tqth},  {"QTHL", Cqthl}, {"DATE", tdata1}, {"TIME", tim1},
        {"RSTR", trst},  {"RSTS", trsts}, {"BAND", tcb2}, {"MODE", tcb3},   {"QSL", tqsl},
        {"VIA", Tvia},   {"IOTA", tiota}, {"FREQ", tfreq}, {"POINTS", toch},
    };
    for (const auto &[k, b] : boxes)
        if (key == QLatin1String(k)) return b;
    return nullptr;
}

} // namespace zelmor
