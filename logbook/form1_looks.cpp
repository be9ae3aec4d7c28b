// The QSO window's three looks, its compact variant and what it does each
// time it is activated.
#include "logbook/form1.h"

#include "logbook/glawnf.h"
#include "logbook/loggrid.h"
#include "logbook/qsostate.h"
#include "logbook/statusticker.h"
#include "platform/activation.h"
#include "platform/hints.h"
#include "platform/windowshape.h"
#include "station/nastroy.h"

#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelmor {

std::function<void()> CreateAudioMixer;

namespace {

QRegion AvangardRegion() {
    QRegion r = EllipticRegion(36, 31, 314, 94);
    r += EllipticRegion(15, 44, 766, 127);
    r += EllipticRegion(562, 38, 766, 124);
    r += RoundRectRegion(214, 74, 749, 352, 50, 50);
    r += RoundRectRegion(34, 101, 415, 352, 35, 35);
    r += RoundRectRegion(12, 310, 747, 542, 40, 40);
    r += RoundRectRegion(12, 260, 300, 450, 130, 130);
    r += RoundRectRegion(688, 460, 747, 551, 40, 40);
    return r;
}

QRegion ClassicRegion() { return RectRegion(6, 25, 735, 554); }
QRegion CompactRegion() { return RectRegion(4, 23, 604, 423); }

QFrame *Frame(QWidget *parent, const char *name) {
    auto *f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    return f;
}

// A frame drawn over the window: an outline only, the clicks pass through.
QFrame *Outline(QWidget *parent, const char *name) {
    QFrame *f = Frame(parent, name);
    f->setFrameShape(QFrame::Box);
    f->setAttribute(Qt::WA_TransparentForMouseEvents);
    f->hide();
    return f;
}

void SetPointSize(QWidget *w, int size) {
    QFont f = w->font();
    f.setPointSize(size);
    w->setFont(f);
}

// Captions readable on the dark artwork.
void lightCaptions(QWidget *w) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, QColor(210, 230, 255));
    w->setPalette(p);
}

void WriteHeaders(TStringGrid *g, std::initializer_list<const char *> heads) {
    if (!g) return;
    int c = 0;
    for (const char *h : heads) g->setCell(c++, 0, QString::fromUtf8(h));
}

} // namespace

void Tform1::buildLookControls() {
    WatchActivations();
    Panel35 = Frame(this, "Panel35");
    Panel13 = Frame(this, "Panel13");
    Panel9 = Frame(this, "Panel9");
    Panel40 = Frame(this, "Panel40");
    // Two small decorative panels of the transceiver strip.
    Panel1 = Frame(this, "Panel1");
    Panel2 = Frame(this, "Panel2");
    for (QFrame *p : {Panel1, Panel2}) {
        p->setFixedSize(14, 14);
        p->setFrameShape(QFrame::Panel);
        p->setFrameShadow(QFrame::Sunken);
        p->setStyleSheet(QStringLiteral("background: qradialgradient(cx:0.4, cy:0.4, radius:0.6, fx:0.4, fy:0.4, "
                                        "stop:0 #9fe8ff, stop:1 #0b3a66);"));
    }
    Shape1 = Outline(this, "Shape1");
    Shape2 = Outline(this, "Shape2");
    Shape3 = Outline(this, "Shape3");
    N_zvuk = new QToolButton(this);
    N_zvuk->setObjectName(QStringLiteral("N_zvuk"));
    N_zvuk->setText(QStringLiteral("Звук"));
    N_zvuk->setCheckable(true);
    N_nastr = new QToolButton(this);
    N_nastr->setObjectName(QStringLiteral("N_nastr"));
    N_nastr->setText(QStringLiteral("Настр."));
    Image40 = new PictureButton(PictureButton::Ornament, false, this);
    Image40->setObjectName(QStringLiteral("Image40"));
    Image40->setFixedSize(18, 18);
    Image34 = new PictureButton(PictureButton::Ornament, false, this);
    Image34->setObjectName(QStringLiteral("Image34"));
    Image34->setFixedHeight(6);
    Timera = new QTimer(this);
    Timera->setObjectName(QStringLiteral("Timera"));
    Timera->setInterval(200);
}

void Tform1::applyContentMargins() {
    auto *root = qobject_cast<QVBoxLayout *>(layout());
    if (!root) return;
    // The shaped looks keep every control inside the outline.
    switch (look_) {
    case QsoLook::Avangard: root->setContentsMargins(50, 32, 35, 84); break;
    case QsoLook::Classic: root->setContentsMargins(6, 6, 42, 72); break;
    default: root->setContentsMargins(6, 6, 6, 6); break;
    }
    fitShapedLook();
}

void Tform1::fitShapedLook() {
    // The outline is cut for the design size, and a frameless window is not
    // resized by the operator: it takes that size again whenever a control
    // grew it (a taller window puts the log grid's last rows below the
    // outline).
    // A hidden window keeps the size it was given (the loader places it
    // before it is shown); it is laid out and fitted when shown.
    if (look_ != QsoLook::Avangard && look_ != QsoLook::Classic) return;
    if (!isVisible()) return;
    layout()->activate();
    if (size() != QsoWindowDesignSize) resize(QsoWindowDesignSize);
}

void Tform1::setLookFrames(bool windowsLook) {
    for (QFrame *p : {Panel13, Panel9, Panel40}) {
        p->setFrameShape(windowsLook ? QFrame::Panel : QFrame::NoFrame);
        p->setFrameShadow(QFrame::Raised);
        p->setAutoFillBackground(windowsLook);
        p->show();
    }
    Shape2->setVisible(windowsLook);
    Shape3->setVisible(windowsLook);
    if (windowsLook) {
        Shape2->setGeometry(4, 20, width() - 8, Panel35->height() + 4);
        Shape3->setGeometry(0, 0, width(), 65);
        Shape2->raise();
        Shape3->raise();
    }
}

void Tform1::ApplyAvangardLayout() {
    look_ = QsoLook::Avangard;
    Image2->paintStrip(600);
    Shape1->hide();
    SetWindowShape(this, AvangardRegion());
    lightCaptions(this);
    applyContentMargins();
    update();
}

void Tform1::ApplyClassicLayout() {
    look_ = QsoLook::Classic;
    Image2->paintStrip(600);
    SetWindowShape(this, ClassicRegion());
    lightCaptions(this);
    applyContentMargins();
    const QRect inside = ClientRegion(ClassicRegion()).boundingRect();
    Shape1->setGeometry(inside.adjusted(1, 1, -1, -1));
    Shape1->show();
    Shape1->raise();
    SetPointSize(vfob, 28);
    SetPointSize(vfoa, 18);
    update();
}

void Tform1::ApplyWindowsLayout() {
    look_ = QsoLook::Windows;
    ClearWindowShape(this);
    const QColor face = palette().color(QPalette::Button);
    for (QWidget *w : std::initializer_list<QWidget *>{this, Panel35}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, face);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    }
    Panel35->setFrameShape(QFrame::Box);
    Panel35->setLineWidth(1);
    for (QWidget *w : std::initializer_list<QWidget *>{Image40, Image34, Panel1, Panel2, N_zvuk, N_nastr, Chart2, fbar})
        w->hide();
    Shape1->hide();
    setLookFrames(true);
    SetPointSize(vfoa, 10);
    SetPointSize(vfob, 10);
    Image2->paintStrip(1240);
    const QColor tip = palette().color(QPalette::ToolTipBase);
    for (QLineEdit *e : {call, name1, qth, Pvia, cqsl, info, cb1, pIOTA, pFreq, cb2, rst, rsts, ochk, qthl}) {
        QPalette p = e->palette();
        p.setColor(QPalette::Base, tip);
        p.setColor(QPalette::Text, Qt::black);
        e->setPalette(p);
        e->setFrame(true);
    }
    {
        QPalette p = memlist->palette();
        p.setColor(QPalette::Base, tip);
        p.setColor(QPalette::Text, Qt::black);
        memlist->setPalette(p);
    }
    applyContentMargins();
    update();
}

void Tform1::ApplyLook(const QString &text) {
    if (text == LookAvangard) ApplyAvangardLayout();
    else if (text == LookClassic) ApplyClassicLayout();
    else if (text == LookWindows) ApplyWindowsLayout();
}

void Tform1::FormActivate() {
    // 1. Stored column layout; hints off; the ticker starts at the left.
    LoadLogGridColumnLayout(*str11);
    SetHintsShown(false);
    TickerPosition = 0;
    // 2. The keyer's timers take the element times of the settings.
    if (glawnf && Nastroy) {
        // A running keyer clock takes a new interval at its next start.
        if (glawnf->Timer1->Interval() != quint32(Nastroy->updo->value())) glawnf->Timer1->setInterval(Nastroy->updo->value());
        if (glawnf->Timer3->Interval() != quint32(Nastroy->updo1->value())) glawnf->Timer3->setInterval(Nastroy->updo1->value());
    }
    // 3. The mixer is made once, with the first activation that has a card.
    if (Nastroy && Nastroy->n21->isChecked()) {
        if (!mixerCreated_) {
            mixerCreated_ = true;
            if (CreateAudioMixer) CreateAudioMixer();
        }
        if (!Timera->isActive()) Timera->start();
    } else {
        Timera->stop();
    }
    // 4. The prefix list of logged calls is served by the log's own index.
    // 5. The grid anew.
    fbar->setValue(0);
    ClearLogGrid();
    for (int c = 0; c < LogGridColumns; ++c) str11->setCell(c, 0, LogGridHeaders[c]);
    PageLogGrid(PageLast, 0);
    // 6. The launcher's clock.
    if (glawnf && !glawnf->Timer2->isActive()) glawnf->Timer2->start();
    // 7. A QSO being edited keeps its QSL state.
    if (EditMode == 0) {
        DxQslState = QslToSend;
        cqsl->setText(QslToSend);
    }
    // The first Shift+F6 shows the second candidate.
    CandidateIndex = 1;
    // 8.
    call->setCursorPosition(0);
    call->setFocus();
    // 9. The compact variant.
    if (Nastroy && Nastroy->Notb->isChecked()) {
        SetWindowMask(this, CompactRegion());
        Image2->paintStrip(600);
    }
    // 10. Header rows of the other grids.
    WriteHeaders(strp, {"№QSO", "Date", "UTC", "Band", "Mode", "QSL", "RSTr", "RSTs"});
    if (Nastroy) {
        WriteHeaders(Nastroy->strdxcc,
                     {"Префикс", "Страна", "WAZ", "ITU", "Широта", "Долгота", "Время", "Континент", "Общ.преф.", "DXCC",
                      "WAE", ""});
        WriteHeaders(Nastroy->striota, {"№ острова", "Префикс", "Название острова"});
        WriteHeaders(Nastroy->Striota1, {"№ острова", "Префикс", "Название острова"});
        WriteHeaders(Nastroy->Strdig, {"№ DIG", "Call", "Name"});
        WriteHeaders(Nastroy->strvet, {"№", "Call", "Имя", "Очки"});
    }
}

void Tform1::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    fitShapedLook();
    if (e->spontaneous()) return;
    activatedByShow_ = true;
    FormActivate();
}

bool Tform1::event(QEvent *e) {
    if (e->type() == QEvent::LayoutRequest) {
        // Controls take their styled sizes after the first show.
        const bool done = QWidget::event(e);
        fitShapedLook();
        return done;
    }
    if (e->type() == QEvent::ActivationChange) {
        if (!isActiveWindow()) {
            activatedByShow_ = false;
        } else if (activatedByShow_) {
            // The show ran the activation already.
            activatedByShow_ = false;
        } else if (ActivatedFromOwnWindow(this)) {
            // Not after a box of the dialogs seam, nor back from another program.
            FormActivate();
        }
    }
    return QWidget::event(e);
}

void Tform1::closeEvent(QCloseEvent *e) {
    FormClose();
    QWidget::closeEvent(e);
}

void Tform1::paintEvent(QPaintEvent *) {
    QPainter p(this);
    PaintQsoBackground(p, rect(), look_);
}

} // namespace zelmor
