// The QSO window's context menu with its shortcuts, the picture buttons, the
// status ticker, the call memory, the pick lists, the chart switches, the
// window drag, the record and play buttons and the small field handlers.
#include "logbook/form1.h"

#include "common/bands.h"
#include "common/text.h"
#include "logbook/callmemory.h"
#include "logbook/cwhooks.h"
#include "logbook/loggrid.h"
#include "logbook/psk.h"
#include "logbook/qsoartwork.h"
#include "logbook/qsostate.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "logbook/statusticker.h"
#include "platform/hints.h"
#include "platform/keycodes.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "station/nastroy.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace zelmor {

QsoWindowHooks QsoHook;
int MediaBusyWithAlert = 0;

QString CurrentWavePath() { return DataPath(QStringLiteral("Текущий.wav")); }

namespace {
constexpr int KeyEnter = 13, KeyEscape = 27, KeyUp = 38, KeyDown = 40, KeyDelete = 46;
constexpr int Shift = ShortcutShift, Ctrl = ShortcutCtrl, Alt = ShortcutAlt;
constexpr int VkF1 = 112, VkPgUp = 33, VkPgDn = 34, VkHome = 36, VkIns = 45, VkDel = 46;
constexpr int VkF(int n) { return VkF1 + n - 1; }
constexpr int Vk(char letter) { return letter; }

bool Checked(const QCheckBox *b) { return b && b->isChecked(); }

void CaretToEnd(QLineEdit *e) { e->setCursorPosition(int(e->text().size())); }

void Call(const std::function<void()> &hook) {
    if (hook) hook();
}

// A text field takes the letters typed into it: Shift with a letter is
// typing there, never a shortcut.
bool IsTextField(const QObject *o) {
    return qobject_cast<const QLineEdit *>(o) || qobject_cast<const QPlainTextEdit *>(o) ||
           qobject_cast<const QTextEdit *>(o);
}

bool TypesText(const QKeyEvent *e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const QString t = e->text();
    return !t.isEmpty() && t.front().isPrint();
}

bool HasShortcut(const QAction *a, int code) {
    return !a->shortcut().isEmpty() && ShortcutCodeFromKeySequence(a->shortcut()) == code;
}

// Whether any item of the menu, enabled or not, has the code.
bool MenuHasShortcut(const QMenu *menu, int code) {
    for (const QAction *a : menu->actions())
        if (a->menu() ? MenuHasShortcut(a->menu(), code) : HasShortcut(a, code)) return true;
    return false;
}

// The first enabled item of the menu, in menu order, whose shortcut is the
// code; the items of a disabled submenu do not count. A submenu holding the
// code first runs its opening handler, as a click on it would: its items'
// states follow the grid row the key is pressed on, not the row the menu
// was last opened on.
QAction *FindShortcut(QMenu *menu, int code) {
    for (QAction *a : menu->actions()) {
        if (a->isSeparator() || !a->isEnabled()) continue;
        if (QMenu *sub = a->menu()) {
            if (!MenuHasShortcut(sub, code)) continue;
            emit sub->aboutToShow();
            if (QAction *hit = FindShortcut(sub, code)) return hit;
            continue;
        }
        if (HasShortcut(a, code)) return a;
    }
    return nullptr;
}

void SetShortcutsToWidgetContext(const QMenu *menu) {
    for (QAction *a : menu->actions()) {
        // The window dispatches its keys itself (DispatchShortcut): Qt's own
        // shortcut map would let the fields' Home, Del, Ctrl+A … win, and
        // would silence both items of a key two items share.
        a->setShortcutContext(Qt::WidgetShortcut);
        if (a->menu()) SetShortcutsToWidgetContext(a->menu());
    }
}

PicturePair::Painter Glyph(PictureGlyph g) {
    return [g](QPainter &p, const QRect &r, bool pressed) { PaintPictureGlyph(p, r, pressed, g); };
}
} // namespace

// ---- the menu ----

QAction *Tform1::menuItem(QMenu *menu, const char *name, const QString &caption, int shortcutCode) {
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (shortcutCode) a->setShortcut(KeySequenceFromShortcutCode(shortcutCode));
    return a;
}

void Tform1::buildMenus() {
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    buildEditMenu();

    QMenu *trx = PopupMenu2->addMenu(QStringLiteral("Управление трансивером"));
    N48 = trx->menuAction();
    N48->setObjectName(QStringLiteral("N48"));
    N48->setEnabled(false);
    struct TrxItem {
        const char *name, *caption;
        int code;
        std::function<void()> QsoWindowHooks::*hook;
    };
    const TrxItem trxItems[15] = {
        {"n50", "Установка частоты", Alt | Vk('F'), &QsoWindowHooks::n50},
        {"Lock1", "Lock", Alt | Vk('L'), &QsoWindowHooks::Lock1},
        {"ab1", "VFO-a", Alt | Vk('A'), &QsoWindowHooks::ab1},
        {"ab2", "VFO-b", Alt | Vk('B'), &QsoWindowHooks::ab2},
        {"usb1", "SPLIT", Alt | Vk('S'), &QsoWindowHooks::usb1},
        {"LSB1", "LSB", Alt | Vk('M'), &QsoWindowHooks::LSB1},
        {"cw20", "USB", Alt | Vk('N'), &QsoWindowHooks::cw20},
        {"CW21", "CW", Alt | Vk('C'), &QsoWindowHooks::CW21},
        {"AB3", "A=B", Alt | Vk('W'), &QsoWindowHooks::AB3},
        {"pTT1", "PTT прием/передача", Alt | Vk('T'), &QsoWindowHooks::pTT1},
        {"f100hz1", "Увеличение F на 100 hz", Alt | VkPgUp, &QsoWindowHooks::f100hz1},
        {"F100hz2", "Уменьшение F на 100 hz", Alt | VkPgDn, &QsoWindowHooks::F100hz2},
        {"n13", "Листать каналы памяти", Alt | Vk('H'), &QsoWindowHooks::n13},
        {"n54", "Запись частоты трансивера в память", Alt | Vk('G'), &QsoWindowHooks::n54},
        {"n56", "Вывести частоту из памяти", 0, &QsoWindowHooks::n56},
    };
    for (int i = 0; i < 15; ++i) {
        const TrxItem &t = trxItems[i];
        TransceiverItems[size_t(i)] = menuItem(trx, t.name, QString::fromUtf8(t.caption), t.code);
        connect(TransceiverItems[size_t(i)], &QAction::triggered, this, [hook = t.hook] { Call(QsoHook.*hook); });
    }
    N6 = menuItem(trx, "N6", QStringLiteral("Включить разовый опрос трансивера"), Alt | Vk('Q'));
    connect(N6, &QAction::triggered, this, [] { Call(QsoHook.N6); });

    QMenu *settingsMenu = PopupMenu2->addMenu(QStringLiteral("Настройка"));
    N59 = settingsMenu->menuAction();
    N59->setObjectName(QStringLiteral("N59"));
    buildColumnMenu(settingsMenu);
    n61 = menuItem(settingsMenu, "n61", QStringLiteral("Настройка путей к звуковым файлам"));
    n61->setVisible(false);
    connect(n61, &QAction::triggered, this, &Tform1::N61Click);
    N23 = menuItem(settingsMenu, "N23", QStringLiteral("Настройка полей ввода"));
    N23->setVisible(false);
    PopupMenu2->addSeparator();

    n58 = menuItem(PopupMenu2, "n58", QStringLiteral("Дополнительная статистика"), Ctrl | Vk('B'));
    connect(n58, &QAction::triggered, this, [] { Call(QsoHook.ShowStatistics); });
    QSL1 = menuItem(PopupMenu2, "QSL1", QStringLiteral("Определение QSL менеджера"), Ctrl | Vk('Q'));
    connect(QSL1, &QAction::triggered, this, &Tform1::LookupQslManager);
    n62 = menuItem(PopupMenu2, "n62", QStringLiteral("Поиск адреса"), Ctrl | Vk('A'));
    connect(n62, &QAction::triggered, this, [] { Call(QsoHook.n62); });
    CDcallbook1 = menuItem(PopupMenu2, "CDcallbook1", QStringLiteral("Поиск адреса на CD (callbook)"), Ctrl | Vk('D'));
    connect(CDcallbook1, &QAction::triggered, this, [] { Call(QsoHook.CDcallbook1); });
    n33 = menuItem(PopupMenu2, "n33", QStringLiteral("Поиск страны"), Shift | VkF(6));
    connect(n33, &QAction::triggered, this, [] { Call(QsoHook.n33); });
    n4 = menuItem(PopupMenu2, "n4", QStringLiteral("Если после \"/ '' префикс"), Shift | VkF(9));
    connect(n4, &QAction::triggered, this, [] { Call(QsoHook.n4); });
    PopupMenu2->addSeparator();

    QMenu *memory = PopupMenu2->addMenu(QStringLiteral("Память"));
    N86 = memory->menuAction();
    N86->setObjectName(QStringLiteral("N86"));
    n66 = menuItem(memory, "n66", QStringLiteral("Память позывных"), VkIns);
    connect(n66, &QAction::triggered, this, &Tform1::N66Click);
    n68 = menuItem(memory, "n68", QStringLiteral("Память предыдущей записи строк Call,name,qth"), Alt | Vk('X'));
    connect(n68, &QAction::triggered, this, &Tform1::N68Click);
    n67 = menuItem(memory, "n67", QStringLiteral("Память позывных и частот"));
    connect(n67, &QAction::triggered, this, [] { Call(QsoHook.n67); });
    n64 = menuItem(memory, "n64", QStringLiteral("Стереть память позывных и частот"));
    connect(n64, &QAction::triggered, this, [] { Call(QsoHook.n64); });
    INFO3 = menuItem(PopupMenu2, "INFO3", QStringLiteral("Зайти и выдти из окна INFO"), VkHome);
    connect(INFO3, &QAction::triggered, this, &Tform1::INFO3Click);
    n5 = menuItem(PopupMenu2, "n5", QStringLiteral("Адресная книга"));
    connect(n5, &QAction::triggered, this, [] { Call(QsoHook.ShowAddressBook); });
    N7 = menuItem(PopupMenu2, "N7", QStringLiteral("Открыть\\Закрыть черновик"), Ctrl | Vk('T'));
    connect(N7, &QAction::triggered, this, &Tform1::N7Click);
    n20 = menuItem(PopupMenu2, "n20", QStringLiteral("Показать и спрятать подсказку"));
    connect(n20, &QAction::triggered, this, &Tform1::N20Click);
    PopupMenu2->addSeparator();

    QMenu *cw = PopupMenu2->addMenu(QStringLiteral("CW / Звук"));
    CW2_1 = cw->menuAction();
    CW2_1->setObjectName(QStringLiteral("CW2_1"));
    ssbcw1 = menuItem(cw, "ssbcw1", QStringLiteral("Работа CW"), Shift | VkF(8));
    ssbcw1->setCheckable(true); // the keyer ticks it while CW work is on
    connect(ssbcw1, &QAction::triggered, this, [this] {
        // The tick is the keyer's to set (CheckCwWork): a click alone does
        // not change it.
        ssbcw1->setChecked(!ssbcw1->isChecked());
        Call(CwMenu.ssbcw1);
    });
    CwMenu.CheckCwWork = [this](bool on) { ssbcw1->setChecked(on); };
    CW1 = menuItem(cw, "CW1", QStringLiteral("Работа CW с клавиатуры"), Shift | Vk('I'));
    connect(CW1, &QAction::triggered, this, [] { Call(CwMenu.CW1); });
    stopcw1 = menuItem(cw, "stopcw1", QStringLiteral("Стоп CW"), VkDel);
    connect(stopcw1, &QAction::triggered, this, [] { Call(CwMenu.stopcw1); });
    cw22 = menuItem(cw, "cw22", QStringLiteral("CW панель"), Shift | VkF(7));
    cw22->setCheckable(true);
    connect(cw22, &QAction::triggered, this, [this] {
        if (QsoHook.ShowCwPanel) QsoHook.ShowCwPanel(cw22->isChecked());
    });
    QMenu *cells = cw->addMenu(QStringLiteral("Ячейки памяти  CW и Звука"));
    N9 = cells->menuAction();
    N9->setObjectName(QStringLiteral("N9"));
    {
        const char *names[22] = {"cqrus11", "cqrus21", "cqrus31", "cqlat11", "cqlat21", "cqlat31", "cwf31", "cwf21",
                                 "cwf42",   "cwf41",   "cwf61",   "N11",     "N25",     "N31",     "N41",   "N52",
                                 "N63",     "N71",     "N81",     "N91",     "N101",    "cwf71"};
        const int codes[22] = {VkF(2),       VkF(3),       VkF(4),       VkF(5),      VkF(6),       VkF(7),
                               VkF(8),       VkF(9),       VkF(10),      VkF(11),     VkF(12),      Alt | VkF(2),
                               Alt | VkF(3), Alt | VkF(4), Alt | VkF(5), Ctrl | VkF(6), Alt | VkF(7), Alt | VkF(8),
                               Alt | VkF(9), Alt | VkF(10), Alt | VkF(11), Alt | VkF(12)};
        for (int i = 0; i < 22; ++i) {
            const int cell = i + 1;
            const QString caption = cell <= 6 ? QStringLiteral("Звук%1 / Командная строка CW %1").arg(cell)
                                              : QStringLiteral("Командная строка CW %1").arg(cell);
            CwCells[size_t(i)] = menuItem(cells, names[i], caption, codes[i]);
            connect(CwCells[size_t(i)], &QAction::triggered, this, [cell] {
                if (QsoHook.CwMemoryCell) QsoHook.CwMemoryCell(cell);
            });
        }
    }
    cw23 = menuItem(cw, "cw23", QStringLiteral("Увеличение скорости CW"), VkPgDn);
    connect(cw23, &QAction::triggered, this, [] { Call(CwMenu.cw23); });
    cw33 = menuItem(cw, "cw33", QStringLiteral("Уменьшение скорости CW"), VkPgUp);
    connect(cw33, &QAction::triggered, this, [] { Call(CwMenu.cw33); });
    Cw2 = menuItem(cw, "Cw2", QStringLiteral("Очистить оперативное окно CW"), Shift | VkDel);
    connect(Cw2, &QAction::triggered, this, [] { Call(CwMenu.Cw2); });
    Cw31 = menuItem(cw, "Cw31", QStringLiteral("Открыть / Закрыть оперативное окно CW"), Ctrl | Vk('Z'));
    connect(Cw31, &QAction::triggered, this, [] { Call(CwMenu.Cw31); });
    N15 = menuItem(cw, "N15", QStringLiteral("Запись звука в текущий файл (REC)"), Ctrl | Vk('E'));
    connect(N15, &QAction::triggered, this, &Tform1::RecordWave);
    PLAY1 = menuItem(cw, "PLAY1", QStringLiteral("Воспроизвести текущий файл (PLAY)"), Ctrl | Vk('P'));
    connect(PLAY1, &QAction::triggered, this, &Tform1::PlayWave);
    STOP1 = menuItem(cw, "STOP1", QStringLiteral("Остановить запись/воспроизведение текущего файла (STOP)"),
                     Ctrl | Vk('Y'));
    connect(STOP1, &QAction::triggered, this, &Tform1::StopWave);
    PopupMenu2->addSeparator();

    N89 = menuItem(PopupMenu2, "N89", QStringLiteral("Открыть меню"), Ctrl | VkF(10));
    connect(N89, &QAction::triggered, this, &Tform1::N89Click);
    Worldmap1 = menuItem(PopupMenu2, "Worldmap1", QStringLiteral("Карта мира"), Ctrl | Vk('L'));
    connect(Worldmap1, &QAction::triggered, this, [] { Call(QsoHook.ShowWorldMap); });
    N19 = menuItem(PopupMenu2, "N19", QStringLiteral("Закрыть"));
    connect(N19, &QAction::triggered, this, &Tform1::N19Click);
    PopupMenu2->addSeparator();
    buildChartMenu();
    N14 = menuItem(PopupMenu2, "N14", QStringLiteral("Открыть окно обмена с другими программами"));
    connect(N14, &QAction::triggered, this, &Tform1::N14Click);

    SetShortcutsToWidgetContext(PopupMenu2);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu2->popup(mapToGlobal(p)); });
}

void Tform1::buildChartMenu() {
    QMenu *charts = PopupMenu2->addMenu(QStringLiteral("Диаграмма"));
    N10 = charts->menuAction();
    N10->setObjectName(QStringLiteral("N10"));
    auto item = [&](QAction *&a, const char *name, const char *caption, bool checked, int n) {
        a = charts->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        a->setChecked(checked);
        connect(a, &QAction::triggered, this, [this, n] { ChartSwitchClicked(n); });
    };
    item(D_QSO1, "D_QSO1", "Спрятать , показать  количество проведенных QSO", true, 0);
    item(D_QSO2, "D_QSO2", "Спрятать , показать  количество подтвержденных QSO", false, 1);
    item(D_QSL3, "D_QSL3", "Спрятать , показать  количество отправленных QSL", false, 2);
    item(D_DXCC1, "D_DXCC1", "Спрятать , показать  количество подтвержденных QSO по списку DXCC", true, 3);
    item(D_DXCC2, "D_DXCC2", "Спрятать , показать  количество проведенных QSO по списку DXCC", false, 4);
}

bool Tform1::DispatchShortcut(QObject *target, const QKeyEvent *e) {
    const int code = ShortcutCodeOf(e);
    if ((code & 0xFF) == 0) return false;
    if (IsTextField(target) && TypesText(e)) return false;
    QAction *hit = FindShortcut(PopupMenu2, code);
    if (!hit) return false;
    hit->trigger();
    return true;
}

void Tform1::LoadMenuSettings() {
    CALL2->setShortcut(KeySequenceFromShortcutCode(LoadSetting(SettingId::ClearCallKey).number));
    const SettingId rows[5] = {SettingId::Chart1, SettingId::Chart3, SettingId::Chart4, SettingId::Chart5,
                               SettingId::Chart6};
    for (int n = 0; n < 5; ++n) {
        chartAction(n)->setChecked(LoadSetting(rows[n]).on());
        const QSignalBlocker quiet(chartPicture(n));
        chartPicture(n)->setDown(chartAction(n)->isChecked());
    }
}

// ---- items that act here ----

void Tform1::CALL2Click() { call->clear(); }

void Tform1::N61Click() { TogglePanel30(); }
void Tform1::TogglePanel30() {
    if (Panel30->isHidden()) {
        // It lies over the lists and charts, wherever the look put them.
        Panel30->adjustSize();
        Panel30->move(Panel40->mapTo(this, QPoint(0, 0)));
        Panel30->raise();
    }
    Panel30->setVisible(Panel30->isHidden());
}

// The sound panel: the mixer's four sliders with their boxes, and the
// oscilloscope with its button. A slider is a groove picture with its knob
// on it; the knob lets the mouse through to the picture, which the sound
// panel's handlers watch.
void Tform1::buildSoundPanel() {
    Panel30 = new QFrame(this);
    Panel30->setObjectName(QStringLiteral("Panel30"));
    // Not in the window's layout: it lies over what is under it.
    Panel30->setStyleSheet(QStringLiteral("QFrame#Panel30 { background: #0d2445; border: 2px outset #4a6fa8; }"));
    Panel30->hide();
    auto *grid = new QGridLayout(Panel30);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    QPixmap groove(SoundSliderWidth, SoundSliderHeight);
    groove.fill(QColor(0x10, 0x20, 0x40));
    {
        QPainter p(&groove);
        p.setPen(QColor(0x70, 0x90, 0xC0));
        p.drawLine(4, SoundSliderHeight / 2, SoundSliderWidth - 5, SoundSliderHeight / 2);
        for (int x = 4; x < SoundSliderWidth - 4; x += 20) p.drawLine(x, SoundSliderHeight / 2 - 3, x, SoundSliderHeight / 2 + 3);
    }
    QLabel **images[4] = {&panel14, &panel10, &panel12, &panel91};
    QFrame **knobs[4] = {&Panel15, &Panel11, &Panel16, &Panel20};
    const char *imageNames[4] = {"panel14", "panel10", "panel12", "panel91"};
    const char *knobNames[4] = {"Panel15", "Panel11", "Panel16", "Panel20"};
    QCheckBox *boxes[4] = {tlin, tob1, tob2, tmc};
    for (int i = 0; i < 4; ++i) {
        auto *image = *images[i] = new QLabel(Panel30);
        image->setObjectName(QString::fromLatin1(imageNames[i]));
        image->setFixedSize(SoundSliderWidth, SoundSliderHeight);
        image->setPixmap(groove);
        auto *knob = *knobs[i] = new QFrame(image);
        knob->setObjectName(QString::fromLatin1(knobNames[i]));
        knob->setFrameShape(QFrame::Panel);
        knob->setFrameShadow(QFrame::Raised);
        knob->setLineWidth(2);
        knob->setAutoFillBackground(true);
        knob->setGeometry(0, 2, SoundKnobWidth, SoundSliderHeight - 4);
        knob->setAttribute(Qt::WA_TransparentForMouseEvents);
        boxes[i]->setParent(Panel30);
        boxes[i]->show();
        grid->addWidget(boxes[i], i, 0);
        grid->addWidget(image, i, 1);
    }
    Image49 = new QLabel(Panel30);
    Image49->setObjectName(QStringLiteral("Image49"));
    Image49->setFixedSize(140, 140);
    QPixmap blank(140, 140);
    blank.fill(Qt::black);
    Image49->setPixmap(blank);
    grid->addWidget(Image49, 0, 2, 5, 1);
    SpeedButton1->setParent(Panel30);
    grid->addWidget(SpeedButton1, 4, 0, 1, 2, Qt::AlignLeft);
    grid->setRowStretch(4, 1);
}

void Tform1::INFO3Click() {
    QLineEdit *to = info->hasFocus() ? call : info;
    to->setFocus();
    CaretToEnd(to);
}

void Tform1::N66Click() {
    if (call->text().isEmpty()) return;
    QStringList calls;
    for (int i = 0; i < memlist->count(); ++i) calls << memlist->item(i)->data(Qt::UserRole).toStringList().value(0);
    if (FindMemoryLine(calls, call->text()) < 0) {
        const CallMemoryLine line{call->text(), name1->text(), qth->text(), info->text(), pIOTA->text(), Pvia->text()};
        auto *item = new QListWidgetItem(line.text());
        item->setData(Qt::UserRole, line.parts());
        memlist->addItem(item);
    }
    call->clear();
}

void Tform1::RecallMemoryLine() {
    call->setFocus();
    QListWidgetItem *item = memlist->currentItem();
    if (!item) return;
    const CallMemoryLine line = CallMemoryLine::fromParts(item->data(Qt::UserRole).toStringList());
    RecalledFromMemory = 1;
    call->setText(line.call);
    name1->setText(line.name);
    qth->setText(line.qth);
    info->setText(line.info);
    pIOTA->setText(line.iota);
    Pvia->setText(line.via);
    CaretToEnd(call);
}

void Tform1::N68Click() {
    EntryBarTyping = 1;
    // As a memory recall: the analysis of the call put back keeps the name
    // and QTH put back with it.
    RecalledFromMemory = 1;
    call->setText(LastCall);
    name1->setText(LastName);
    qth->setText(LastQth);
    EntryBarTyping = 0;
}

void Tform1::N7Click() { Memo2->setVisible(Memo2->isHidden()); }

void Tform1::N20Click() { SetHintsShown(!HintsShown()); }

void Tform1::N89Click() { PopupMenu2->popup(QPoint(20, 20)); }

void Tform1::N19Click() { hide(); }

void Tform1::N14Click() {
    if (psk->isVisible()) {
        N14->setText(QStringLiteral("Открыть окно обмена с другими программами"));
        psk->close();
    } else {
        N14->setText(QStringLiteral("Закрыть окно обмена с другими программами"));
        psk->show();
        close();
    }
}

// ---- chart switches ----

QAction *Tform1::chartAction(int n) const {
    QAction *const a[5] = {D_QSO1, D_QSO2, D_QSL3, D_DXCC1, D_DXCC2};
    return a[n];
}

PicturePair *Tform1::chartPicture(int n) const {
    PicturePair *const p[5] = {Image29, Image30, Image31, Image17, Image18};
    return p[n];
}

void Tform1::ChartSwitchClicked(int n) {
    // The menu item has flipped its check; its picture follows.
    chartPicture(n)->setDown(chartAction(n)->isChecked());
    SaveChartFlags();
}

void Tform1::ChartPictureClicked(int n) {
    chartAction(n)->setChecked(chartPicture(n)->isDown());
    SaveChartFlags();
}

void Tform1::SaveChartFlags() {
    {
        SettingsBatch batch;
        WriteSetting(SettingId::Chart1, D_QSO1->isChecked());
        WriteSetting(SettingId::Chart3, D_QSO2->isChecked());
        WriteSetting(SettingId::Chart4, D_QSL3->isChecked());
        WriteSetting(SettingId::Chart5, D_DXCC1->isChecked());
        WriteSetting(SettingId::Chart6, D_DXCC2->isChecked());
    }
    // Only the chart is drawn again, from the counters the call's check
    // left: the check itself would empty a name and QTH typed for a new
    // station, put a repeat's logged ones over what was typed, and sound its
    // alert again.
    if (call->text().isEmpty()) {
        ShowDxccBandChart();
    } else {
        chart.clearSeries();
        FillCountryChartSeries();
        chartChanged();
    }
}

// ---- recording, CW work, the other buttons ----

void Tform1::RecordWave() {
    if (QsoHook.RecordCurrentWave) QsoHook.RecordCurrentWave(CurrentWavePath());
}
void Tform1::PlayWave() {
    if (QsoHook.PlayCurrentWave) QsoHook.PlayCurrentWave(CurrentWavePath());
}
void Tform1::StopWave() {
    if (QsoHook.StopCurrentWave) QsoHook.StopCurrentWave(CurrentWavePath());
}

void Tform1::Image28Click() {
    const QString command = Nastroy->Edit7->text();
    if (Trim(command).isEmpty()) return;
    StartCommandLine(command);
    MediaBusyWithAlert = 1;
}

void Tform1::setCwWork(bool on) { Call(on ? QsoHook.StartCwWork : QsoHook.StopCwWork); }

void Tform1::N_zvukClick(bool down) {
    if (down) {
        N_zvuk->setText(QStringLiteral("CW"));
        setCwWork(true);
    } else {
        setCwWork(false);
        N_zvuk->setText(QStringLiteral("Звук"));
    }
}

void Tform1::SpeedButton1Click() {
    if (!Timer5->isActive()) Timer5->start();
    Call(QsoHook.StartOscilloscope);
}

// ---- the ticker ----

void Tform1::Timer1Timer() {
    const TickerStep s = StepStatusTicker(StatusText, EditMode == 1, EditedQsoNumber);
    if (s.clearStrip) Image2->clearStrip();
    if (s.draw) Image2->drawTextAt(s.x, s.text);
}

// ---- pick lists ----

QLineEdit *Tform1::fieldOfPickList(const QListWidget *list) const {
    if (list == List_band) return cb1;
    if (list == List_mode) return cb2;
    if (list == List_qsl) return cqsl;
    if (list == Listvia) return Pvia;
    return nullptr;
}

void Tform1::TogglePickList(QListWidget *list) {
    if (!list->isHidden() || list->count() == 0) {
        list->hide();
        return;
    }
    // The list opens over the window below its field, the layout untouched.
    QLineEdit *field = fieldOfPickList(list);
    const QPoint below = field->mapTo(this, QPoint(0, field->height()));
    const int rows = std::min(list->count(), 14);
    const int height = rows * std::max(list->sizeHintForRow(0), 14) + 2 * list->frameWidth();
    list->setGeometry(below.x(), below.y(), std::max(field->width() + 24, 120), height);
    list->show();
    list->raise();
    const auto same = list->findItems(fieldOfPickList(list)->text(), Qt::MatchExactly);
    list->setCurrentRow(same.isEmpty() ? 0 : list->row(same.front()));
    list->setFocus();
}

void Tform1::TakePickListItem(QListWidget *list) {
    QLineEdit *field = fieldOfPickList(list);
    if (QListWidgetItem *item = list->currentItem()) field->setText(item->text());
    list->hide();
    field->setFocus();
    if (list == List_mode) Cb2Click();
}

// ---- fields ----

void Tform1::cb1Change(const QString &text) {
    QStringList bands;
    for (int i = 0; i < List_band->count(); ++i) bands << List_band->item(i)->text();
    const QString done = CompleteBand(text, bands);
    if (done != text) {
        cb1->setText(done);
        return;
    }
    // A recalled QSO's band is not the station's current band.
    if (EditMode == 0) WriteSetting(SettingId::Band, text);
}

void Tform1::cb2Change(const QString &text) {
    const QString done = CompleteMode(text);
    if (done != text) {
        cb2->setText(done);
        return;
    }
    // A recalled QSO's mode is neither the station's current mode nor a
    // reason to change its stored reports or the CW work.
    if (EditMode != 0) return;
    WriteSetting(SettingId::Mode, text);
    // A mode that follows a report being typed leaves that report alone.
    if (!modeFromReport_) SetDefaultRstForMode();
    if (Checked(Nastroy->cw_ssb)) setCwWork(text == QLatin1String("CW"));
    if (modeFromReport_) {
        if (Checked(Nastroy->avtmode)) {
            if (text == QLatin1String("CW")) DefaultRstPair.received = DefaultRstPair.sent = QStringLiteral("599");
            else if (text == QLatin1String("SSB")) DefaultRstPair.received = DefaultRstPair.sent = QStringLiteral("59");
        }
    } else {
        ApplyAutomaticMode();
    }
}

void Tform1::reportEdited(const QString &text) {
    if (EditMode != 0 || !Checked(Nastroy->avtmode)) return;
    const auto mode = ModeOfReport(text);
    if (!mode || *mode == cb2->text()) return;
    modeFromReport_ = true;
    cb2->setText(*mode);
    modeFromReport_ = false;
}

// ---- pictures and buttons ----

void Tform1::buildPictures() {
    using M = PicturePair::Mode;
    using W = PicturePair::When;
    const QSize big(26, 26), arrow(16, 22);
    auto pair = [&](PicturePair *&p, const char *upper, const char *lower, PictureGlyph g, QSize size, M mode, W when,
                    const QString &hint) {
        p = new PicturePair(QString::fromLatin1(upper), QString::fromLatin1(lower), Glyph(g), size, mode, when, this);
        p->setToolTip(hint);
        p->upper()->setToolTip(hint);
        p->lower()->setToolTip(hint);
        return p;
    };
    pair(Image6, "Image6", "Image4", PictureGlyph::CwKey, big, M::Latch, W::Press, QStringLiteral("Работа CW"));
    Image6->action = [this] { setCwWork(true); };
    Image6->releaseLatch = [this] { setCwWork(false); };
    pair(Image7, "Image7", "Image5", PictureGlyph::Settings, big, M::Momentary, W::Release,
         QStringLiteral("Пути к звуковым файлам"));
    Image7->action = [this] { TogglePanel30(); };
    const PictureGlyph charts[5] = {PictureGlyph::ChartWorked, PictureGlyph::ChartConfirmed, PictureGlyph::ChartSent,
                                    PictureGlyph::ChartDxccConfirmed, PictureGlyph::ChartDxccWorked};
    const char *chartNames[5][2] = {
        {"Image29", "Image14"}, {"Image30", "Image15"}, {"Image31", "Image16"}, {"Image17", "Image32"}, {"Image18", "Image33"}};
    PicturePair **chartPairs[5] = {&Image29, &Image30, &Image31, &Image17, &Image18};
    for (int n = 0; n < 5; ++n) {
        pair(*chartPairs[n], chartNames[n][0], chartNames[n][1], charts[n], big, M::Toggle, W::Press,
             chartAction(n)->text());
        (*chartPairs[n])->action = [this, n] { ChartPictureClicked(n); };
        const QSignalBlocker quiet(*chartPairs[n]);
        (*chartPairs[n])->setDown(chartAction(n)->isChecked());
    }
    pair(Image36, "Image36", "Image35", PictureGlyph::Ornament, big, M::Momentary, W::Never, QString());
    pair(Image24, "Image24", "Image9", PictureGlyph::Record, big, M::Momentary, W::Release, QStringLiteral("REC"));
    Image24->action = [this] { RecordWave(); };
    pair(Image25, "Image25", "Image10", PictureGlyph::Play, big, M::Momentary, W::Press, QStringLiteral("PLAY"));
    Image25->action = [this] { PlayWave(); };
    pair(Image27, "Image27", "Image11", PictureGlyph::Stop, big, M::Momentary, W::Press, QStringLiteral("STOP"));
    Image27->action = [this] { StopWave(); };
    pair(Image28, "Image28", "Image12", PictureGlyph::Program, big, M::Momentary, W::Press,
         QStringLiteral("Внешняя программа"));
    Image28->action = [this] { Image28Click(); };
    pair(Image19, "Image19", "Image20", PictureGlyph::Country, big, M::Momentary, W::Release,
         QStringLiteral("Страна из списка"));
    Image19->action = [] { Call(QsoHook.Image19); };

    struct Pick {
        PicturePair **first, **second;
        const char *names[4];
        QListWidget *list;
    };
    const Pick picks[4] = {
        {&Image22, &Image39, {"Image22", "Image1", "Image39", "Image41"}, List_qsl},
        {&Image23, &Image43, {"Image23", "Image26", "Image43", "Image42"}, List_band},
        {&Image51, &Image45, {"Image51", "Image50", "Image45", "Image44"}, List_mode},
        {&Image13, &Image38, {"Image13", "Image21", "Image38", "Image37"}, Listvia},
    };
    for (const Pick &p : picks) {
        QListWidget *list = p.list;
        pair(*p.first, p.names[0], p.names[1], PictureGlyph::PickDown, arrow, M::Momentary, W::Press, QString());
        pair(*p.second, p.names[2], p.names[3], PictureGlyph::PickDown, arrow, M::Momentary, W::Press, QString());
        (*p.first)->action = [this, list] { TogglePickList(list); };
        (*p.second)->action = [this, list] { TogglePickList(list); };
        // The second place of each belongs to the artwork of another layout.
        (*p.second)->hide();
    }

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Осц."));
    connect(SpeedButton1, &QToolButton::clicked, this, &Tform1::SpeedButton1Click);
    connect(Timer5, &QTimer::timeout, this, [] { Call(QsoHook.DrawOscillogram); });
    connect(N_zvuk, &QToolButton::toggled, this, &Tform1::N_zvukClick);
    connect(N_nastr, &QToolButton::clicked, this, &Tform1::TogglePanel30);
    // A press on a pick list takes the item pressed.
    for (QListWidget *l : {List_band, List_mode, List_qsl, Listvia})
        connect(l, &QListWidget::itemPressed, this, [this, l] { TakePickListItem(l); });

    buildSoundPanel();
    Memo2 = new QPlainTextEdit(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setPlaceholderText(QStringLiteral("Черновик"));
    Memo2->hide();

    pictureStrip_ = new QWidget(this);
    pictureStrip_->setObjectName(QStringLiteral("pictureStrip"));
    auto *h = new QHBoxLayout(pictureStrip_);
    h->setContentsMargins(2, 0, 2, 0);
    h->setSpacing(3);
    for (QWidget *w : std::initializer_list<QWidget *>{Image6, Image7}) h->addWidget(w);
    h->addSpacing(8);
    for (PicturePair *p : {Image29, Image30, Image31, Image17, Image18}) h->addWidget(p);
    h->addSpacing(8);
    for (QWidget *w : std::initializer_list<QWidget *>{Image24, Image25, Image27}) h->addWidget(w);
    h->addSpacing(8);
    for (QWidget *w : std::initializer_list<QWidget *>{Image28, Image36}) h->addWidget(w);
    h->addStretch(1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &Tform1::Timer1Timer);
    Timer1->start();

    for (PictureButton *p : {Image40, Image34}) {
        connect(p, &PictureButton::mouseDown, this, [this](QMouseEvent *e) {
            dragging_ = true;
            dragPress_ = mapFromGlobal(e->globalPosition().toPoint());
        });
        connect(p, &PictureButton::mouseMove, this, [this](QMouseEvent *e) {
            if (dragging_) move(DraggedWindowPosition(this, e->globalPosition().toPoint(), dragPress_));
        });
        connect(p, &PictureButton::mouseUp, this, [this] { dragging_ = false; });
    }
}

QPoint DraggedWindowPosition(const QWidget *window, QPoint cursor, QPoint pressInClient) {
    // The drag's rule puts the frame at cursor − press − ClientOrigin: the
    // client area, where the press was, starts ClientOrigin inside the frame,
    // so the press point stays under the cursor. Our shaped window is that
    // client area; a framed one is moved by its real frame's offset.
    const QPoint client = cursor - pressInClient;
    const QPoint frameOffset = window->geometry().topLeft() - window->frameGeometry().topLeft();
    return client - frameOffset;
}

// ---- events ----

bool Tform1::menuEventFilter(QObject *watched, QEvent *event) {
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget))) return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *e = static_cast<QKeyEvent *>(event);
        if (DispatchShortcut(watched, e)) return true;
        if (watched == memlist && VirtualKeyOf(e) == KeyUp && memlist->currentRow() <= 0) {
            call->setFocus();
            return true;
        }
        return false;
    }
    case QEvent::KeyRelease: {
        auto *e = static_cast<QKeyEvent *>(event);
        if (e->isAutoRepeat()) return false;
        const int key = VirtualKeyOf(e);
        if (watched == memlist) {
            if (key == KeyEscape) call->setFocus();
            else if (key == KeyDelete) delete memlist->currentItem();
            else if (key == KeyEnter) RecallMemoryLine();
            return true;
        }
        if (watched == List_qsl || watched == Listvia) {
            auto *list = static_cast<QListWidget *>(watched);
            if (key == KeyEnter) {
                TakePickListItem(list);
            } else if (key == KeyEscape) {
                list->hide();
                fieldOfPickList(list)->setFocus();
            }
            return true;
        }
        if (watched == Edit1 && key == KeyEscape) {
            Edit1->clear();
            return true;
        }
        return false;
    }
    case QEvent::FocusIn:
        if (watched == rsts || watched == cb1 || watched == pIOTA || watched == pFreq) {
            auto *e = static_cast<QLineEdit *>(watched);
            // After the click that focused it has placed its caret.
            QTimer::singleShot(0, e, [e] { e->selectAll(); });
        }
        return false;
    case QEvent::FocusOut:
        if (watched == call) {
            if (!call->text().isEmpty()) LastCall = call->text();
            Memo1->hide();
        } else if (watched == name1) {
            LastName = name1->text();
        } else if (watched == qth) {
            LastQth = qth->text();
        } else if ((watched == rst || watched == rsts) && static_cast<QLineEdit *>(watched)->text().isEmpty()) {
            if (EditMode == 0) SetDefaultRstForMode();
        } else if (watched == List_band || watched == List_mode || watched == List_qsl || watched == Listvia) {
            widget->hide();
        }
        return false;
    case QEvent::MouseButtonRelease: {
        if (watched == Panel35) {
            dragging_ = false;
            return true;
        }
        auto *e = qobject_cast<QLineEdit *>(watched);
        if (!e) return false;
        if (e == rst || e == rsts || e == ochk || e == tim || e == data2 || e == mpf || e == mdxcc)
            e->setCursorPosition(0);
        else if (e == call || e == name1 || e == qth || e == Pvia) CaretToEnd(e);
        else if (e == cb1 || e == pIOTA || e == pFreq) e->selectAll();
        return false;
    }
    case QEvent::MouseButtonPress:
        if (watched == Panel35) {
            auto *e = static_cast<QMouseEvent *>(event);
            if (e->button() != Qt::LeftButton) return false;
            dragging_ = true;
            dragPress_ = mapFromGlobal(e->globalPosition().toPoint());
            return true;
        }
        return false;
    case QEvent::MouseMove:
        if (watched == Panel35 && dragging_) {
            move(DraggedWindowPosition(this, static_cast<QMouseEvent *>(event)->globalPosition().toPoint(), dragPress_));
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace zelmor
