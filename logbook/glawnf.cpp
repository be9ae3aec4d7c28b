#include "logbook/glawnf.h"

#include "logbook/form1.h"
#include "logbook/form20.h"
#include "logbook/logfile.h"
#include "logbook/psk.h"
#include "logbook/qsostate.h"
#include "logbook/shutdown.h"
#include "logbook/startup.h"
#include "logtools/award.h"
#include "logtools/dxcc9b.h"
#include "logtools/import.h"
#include "logtools/iota.h"
#include "logtools/otchet.h"
#include "logtools/poisk.h"
#include "logtools/russall.h"
#include "logtools/statist.h"
#include "logtools/waz9b.h"
#include "platform/help.h"
#include "platform/paths.h"
#include "qsl/adbox.h"
#include "qsl/posta.h"
#include "qsl/qsl.h"
#include "qsl/qsl_edit.h"
#include "station/ant.h"
#include "station/fcw.h"
#include "station/form25.h"
#include "station/nastroy.h"
#include "station/rxtx.h"
#include "station/time_r.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <climits>

namespace zelmor {

Tglawnf *glawnf = nullptr;
LauncherHooks LauncherHook;

namespace {
constexpr int FormWidth = 118;
constexpr int FormHeight = 487;
constexpr int PanelWidth = 90;
constexpr int StripTop = 10;
// Labels start right of the progress bar.
constexpr int LabelLeft = 12;

void ShowWindow(QWidget *w) {
    if (!w) return;
    w->show();
    w->raise();
    w->activateWindow();
}

void Hide(QWidget *w) {
    if (w) w->hide();
}

// A hook when its issue has filled it, else the window it belongs to.
template <class W>
std::function<void()> HookOr(std::function<void()> LauncherHooks::*hook, W *const *window) {
    return [hook, window] {
        if (LauncherHook.*hook) (LauncherHook.*hook)();
        else ShowWindow(*window);
    };
}
std::function<void()> Hook(std::function<void()> LauncherHooks::*hook) {
    return [hook] {
        if (LauncherHook.*hook) (LauncherHook.*hook)();
    };
}
template <class W>
std::function<void()> Show(W *const *window) {
    return [window] { ShowWindow(*window); };
}
} // namespace

QColor Tglawnf::IdleColour() { return QColor(0, 0, 255); }
QColor Tglawnf::HoverColour() { return QColor(255, 0, 0); }
QColor Tglawnf::PressedColour() { return QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase); }

Tglawnf::Tglawnf(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("glawnf"));
    setWindowTitle(QStringLiteral("ZELMOR 5.02"));
    // The strip is narrowed to 79 and 90 pixels; nothing may hold it wider.
    setMinimumSize(1, 1);
    setGeometry(0, StripTop, FormWidth, FormHeight);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setBold(true);
    setFont(font);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(0, 0, PanelWidth, FormHeight);
    Panel2->setAutoFillBackground(true);
    QPalette tip = Panel2->palette();
    tip.setColor(QPalette::Window, PressedColour());
    Panel2->setPalette(tip);
    Panel2->setMouseTracking(true);
    Panel2->installEventFilter(this);
    Panel2->setContextMenuPolicy(Qt::CustomContextMenu);

    Gauge1 = new QProgressBar(Panel2);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setOrientation(Qt::Vertical);
    Gauge1->setTextVisible(false);
    Gauge1->setGeometry(0, 0, 10, FormHeight);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar { background: magenta; border: none; }"
                                         "QProgressBar::chunk { background: %1; }")
                              .arg(PressedColour().name()));

    auto *column = new QVBoxLayout(Panel2);
    column->setContentsMargins(LabelLeft, 4, 1, 4);
    column->setSpacing(6);

    // Labels in the order they stand on the strip.
    Label1 = addLabel(1, "QSO", true, Show(&form1));
    Label2 = addLabel(2, "QSL", true, Show(&QSL));
    Label3 = addLabel(3, "Search", true, Show(&poisk));
    Label8 = addLabel(8, "DXCC", true, Show(&DXcc9b));
    Label26 = addLabel(26, "WAZ", true, Show(&waz9b));
    Label9 = addLabel(9, "IOTA", true, Show(&IOTA));
    Label4 = addLabel(4, "Russ all", true, HookOr(&LauncherHooks::ShowRussianRegions, &russall));
    Label22 = addLabel(22, "Contry statis", true, Show(&Statist));
    Label10 = addLabel(10, "Radio", false, [this] { ToggleTransceiverLink(); });
    Label20 = addLabel(20, "Mem CW", true, Show(&fcw));
    Label16 = addLabel(16, "Sound", false, [] {});
    Label14 = addLabel(14, "World map", true, Show(&Form25));
    Label11 = addLabel(11, "Mail", true, Show(&Posta));
    Label21 = addLabel(21, "Adres box", true, Show(&adbox));
    Label15 = addLabel(15, "QSL edit", true, Show(&qsl_edit));
    Label23 = addLabel(23, "Programs", true, Show(&psk));
    Label5 = addLabel(5, "Create File", false, Hook(&LauncherHooks::CreateNewLog));
    Label6 = addLabel(6, "Open File", false, Hook(&LauncherHooks::OpenOtherLog));
    Label24 = addLabel(24, "Add File", false, Hook(&LauncherHooks::MergeLog));
    Label25 = addLabel(25, "Add Wintest", false, Hook(&LauncherHooks::ConvertContestLog));
    Label7 = addLabel(7, "Import File", true, Show(&import));
    Label12 = addLabel(12, "Options", true, Show(&Nastroy));
    Label18 = addLabel(18, "News", true, Show(&Form20));
    Label19 = addLabel(19, "Help", false, [] { platform::help().show(QStringLiteral("zelmor1.hlp"), 11); });
    Label17 = addLabel(17, "Close", false, [this] { close(); });
    Label16->hide();
    column->addStretch(1);
    fitLabelFont();
    Gauge1->raise();

    // The labels offer no way to these three windows.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(QStringLiteral("Антенны"), this, [] { ShowWindow(Ant); });
    PopupMenu1->addAction(QStringLiteral("Напоминания"), this, [] { ShowWindow(time_r); });
    PopupMenu1->addAction(QStringLiteral("Дипломы"), this, [this] {
        HideAllForms();
        ShowWindow(award);
    });
    connect(Panel2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu1->popup(Panel2->mapToGlobal(p)); });

    auto timer = [this](const char *name, int interval, bool singleShot = false) {
        auto *t = new QTimer(this);
        t->setObjectName(QString::fromUtf8(name));
        t->setInterval(interval);
        t->setSingleShot(singleShot);
        return t;
    };
    // The keyer timers get their element times from the CW speed settings.
    Timer1 = new THiResTimer;
    Timer1->OnTimer = [](THiResTimer *) {
        if (LauncherHook.Timer1Timer) LauncherHook.Timer1Timer();
    };
    Timer3 = new THiResTimer;
    Timer3->setInterval(33);
    Timer3->OnTimer = [](THiResTimer *) {
        if (LauncherHook.Timer3Timer) LauncherHook.Timer3Timer();
    };
    Timer2 = timer("Timer2", 1000);
    Timer4 = timer("Timer4", 2000);
    Timer5 = timer("Timer5", 2000);
    Timer6 = timer("Timer6", 100, true);
    connect(Timer2, &QTimer::timeout, this, Hook(&LauncherHooks::UpdateUtcDateTime));
    connect(Timer4, &QTimer::timeout, this, &Tglawnf::Timer4Timer);
    connect(Timer5, &QTimer::timeout, this, Hook(&LauncherHooks::CheckReminders));
    connect(Timer6, &QTimer::timeout, this, &Tglawnf::Timer6Timer);
    // On from the start, as designed: the start-up runs even if the window
    // system never activates the strip.
    Timer5->start();
    Timer6->start();

    LogLoadProgress = [this](qint64 value, qint64 maximum) { ShowProgress(Gauge1, value, maximum); };
}

void ShowProgress(QProgressBar *bar, qint64 value, qint64 maximum) {
    if (maximum <= 0) { // nothing to count: an empty bar, not a busy indicator
        bar->setRange(0, 1);
        bar->setValue(0);
        return;
    }
    // The bar counts in int; a huge count is scaled down to fit.
    int shift = 0;
    while ((maximum >> shift) > INT_MAX) ++shift;
    bar->setRange(0, int(maximum >> shift));
    bar->setValue(int(qBound<qint64>(0, value, maximum) >> shift));
}

Tglawnf::~Tglawnf() {
    LogLoadProgress = nullptr;
    // Each waits for a tick that is running.
    delete Timer1;
    delete Timer3;
}

QLabel *Tglawnf::addLabel(int number, const char *caption, bool hidesOthers, std::function<void()> run) {
    auto *label = new QLabel(QString::fromUtf8(caption), Panel2);
    label->setObjectName(QStringLiteral("Label") + QString::number(number));
    label->setAccessibleName(label->text());
    QFont f = font();
    f.setUnderline(true);
    label->setFont(f);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    setLabelColour(label, IdleColour());
    static_cast<QVBoxLayout *>(Panel2->layout())->addWidget(label);
    actions_.push_back({label, hidesOthers, std::move(run)});
    labelOrder_.push_back(label);
    return label;
}

// The design font is narrow; where another one stands in for it, the longest
// caption must still fit the strip.
void Tglawnf::fitLabelFont() {
    const int room = PanelWidth - LabelLeft - 1;
    QFont f = Label1->font();
    auto widest = [&] {
        const QFontMetrics m(f);
        int w = 0;
        for (QLabel *l : labelOrder_) w = qMax(w, m.horizontalAdvance(l->text()));
        return w;
    };
    while (widest() > room && f.pointSizeF() > 5.5) f.setPointSizeF(f.pointSizeF() - 0.5);
    for (QLabel *l : labelOrder_) l->setFont(f);
}

void Tglawnf::setLabelColour(QLabel *label, const QColor &colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

void Tglawnf::resetLabelColours() {
    for (QLabel *l : labelOrder_) setLabelColour(l, IdleColour());
}

void Tglawnf::placeStrip(int left, int width) { setGeometry(left, y(), width, height()); }

const Tglawnf::LabelAction *Tglawnf::actionOf(QObject *label) const {
    for (const auto &a : actions_)
        if (a.label == label) return &a;
    return nullptr;
}

bool Tglawnf::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Panel2) {
        if (event->type() == QEvent::MouseMove) Panel2MouseMove();
        return false;
    }
    const LabelAction *action = actionOf(watched);
    if (!action) return false;
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        // The labels cover most of the strip, the one column left on screen
        // too: a move over a label is a move over the strip, and brings it back.
        Panel2MouseMove();
        setLabelColour(action->label, HoverColour());
        return true;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            setLabelColour(action->label, PressedColour());
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton) return false;
        setLabelColour(action->label, HoverColour());
        if (action->label->rect().contains(me->position().toPoint())) LabelRelease(action->label);
        return true;
    }
    default:
        return false;
    }
}

void Tglawnf::LabelRelease(QLabel *label) {
    const LabelAction *action = actionOf(label);
    if (!action || label->isHidden()) return;
    if (action->hidesOthers) HideAllForms();
    // The action may close the launcher: keep a copy of it.
    const auto run = action->run;
    run();
}

void Tglawnf::HideAllForms() {
    for (QWidget *w : std::initializer_list<QWidget *>{form1, QSL, poisk, award, otchet, IOTA, russall, waz9b, DXcc9b,
                                                       import, Form20})
        Hide(w);
    Timer4->stop();
    placeStrip(HiddenLeft, LauncherStripWidth);
    if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
}

void Tglawnf::FormActivate() {
    LauncherStripWidth = PanelWidth;
    setGeometry(0, StripTop, PanelWidth, height());
    if (!Timer6->isActive()) Timer6->start();
}

void Tglawnf::FormDeactivate() {
    Timer4->stop();
    placeStrip(InactiveLeft, 79);
}

void Tglawnf::Panel2MouseMove() {
    resetLabelColours();
    if (!Timer4->isActive()) Timer4->start();
    LauncherMouseSeen = true;
    // Back in front too: without a window manager nothing keeps it on top.
    show();
    raise();
    placeStrip(0, PanelWidth);
}

void Tglawnf::Timer4Timer() {
    if (!Nastroy || !Nastroy->glaw1->isChecked()) return;
    if (LauncherMouseSeen) {
        placeStrip(0, LauncherStripWidth);
    } else {
        Timer4->stop();
        placeStrip(HiddenLeft, LauncherStripWidth);
    }
    LauncherMouseSeen = false;
}

void Tglawnf::Timer6Timer() {
    Timer6->stop();
    if (time_r) {
        time_r->strtimer->setCell(0, 0, QStringLiteral("Date"));
        time_r->strtimer->setCell(1, 0, QStringLiteral("Time"));
        time_r->strtimer->setCell(2, 0, QStringLiteral("Info"));
    }
    // Later activations only restart the auto-hide; a start-up that failed
    // part way is not tried again either.
    if (StartupAttempted || StartupDone == 1) {
        if (!Timer4->isActive()) Timer4->start();
        return;
    }
    RunStartupSequence();
}

void Tglawnf::ToggleTransceiverLink() {
    if (!form1) return;
    if (form1->Label5->text() != LinkOffText) SwitchTransceiverLinkOff();
    else SwitchTransceiverLinkOn();
}

void Tglawnf::changeEvent(QEvent *event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) FormActivate();
        else FormDeactivate();
    }
    QWidget::changeEvent(event);
}

void Tglawnf::closeEvent(QCloseEvent *event) {
    if (!shutDown_) {
        shutDown_ = true;
        ShutDown();
        emit ShutDownDone();
    }
    event->accept();
}

bool SwitchTransceiverLinkOn() {
    if (!form1 || !rxtx) return false;
    if (!rxtx->OpenComPort()) {
        form1->Label5->setText(LinkOffText);
        form1->N48->setEnabled(false);
        // The CAT window names the port and the system's reason.
        StatusText = rxtx->LinkFailureText().isEmpty() ? LinkFailedText : rxtx->LinkFailureText();
        return false;
    }
    form1->Label5->setText(LinkOnText);
    form1->N48->setEnabled(true);
    if (!rxtx->Timer3->isActive()) rxtx->Timer3->start();
    return true;
}

void SwitchTransceiverLinkOff() {
    if (!form1 || !rxtx) return;
    form1->Label5->setText(LinkOffText);
    form1->N48->setEnabled(false);
    rxtx->Timer3->stop();
    rxtx->CloseComPort();
}

} // namespace zelmor
