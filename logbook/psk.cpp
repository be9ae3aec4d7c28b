#include "logbook/psk.h"

#include "logbook/fieldcase.h"
#include "logbook/form1.h"
#include "logbook/logfile.h"
#include "logbook/loggrid.h"
#include "logbook/qsostate.h"
#include "logbook/windowart.h"
#include "platform/dialogs.h"
#include "platform/hotkeyedit.h"
#include "platform/keyboardlayout.h"
#include "platform/keycodes.h"
#include "platform/windowshape.h"
#include "station/nastroy.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

namespace zelmor {

Tpsk *psk = nullptr;

namespace {

// The visible strip, in window coordinates.
QRegion BarRegion() { return RoundRectRegion(8, 26, 780, 76, 27, 27); }

constexpr int FieldTop = 26, FieldHeight = 20;

struct FieldPlace {
    const char *name;
    int x;
    const char *caption;
};
// Left to right.
constexpr FieldPlace Places[9] = {
    {"Edit1", 14, "Позывной"}, {"Edit2", 114, "Имя"},      {"Edit3", 194, "QTH"},
    {"Edit5", 298, "IOTA"},    {"Edit6", 369, "Локатор"},  {"Edit4", 447, "QSL via"},
    {"Edit7", 558, "Инфо"},    {"Edit8", 675, "RSTs"},    {"Edit9", 727, "RSTr"},
};
constexpr int BarRight = 772;

void PaintBar(QPainter &p, const QRect &r) {
    const QRect strip = ClientRegion(BarRegion()).boundingRect();
    PaintGradient(p, r, QColor(24, 52, 96), QColor(6, 16, 40));
    QPainterPath edge;
    edge.addRoundedRect(QRectF(strip).adjusted(1.5, 1.5, -1.5, -1.5), 12, 12);
    p.setPen(QPen(QColor(140, 190, 255), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(edge);
    QFont f = p.font();
    f.setPointSize(7);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(210, 230, 255));
    for (int i = 0; i < 9; ++i) {
        const int right = i + 1 < 9 ? Places[i + 1].x : BarRight;
        p.drawText(QRect(Places[i].x, 9, right - Places[i].x, 14), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(Places[i].caption));
    }
}

bool TakesLatin(const QLineEdit *e) {
    return e == psk->Edit1 || e == psk->Edit4 || e == psk->Edit5 || e == psk->Edit6;
}

} // namespace

QString EntryBarEditModeText(int qsoNumber) {
    return QStringLiteral("В окне QSO редактируется QSO № %1. Завершите редактирование.").arg(qsoNumber);
}

Tpsk::Tpsk(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("psk"));
    setWindowTitle(QStringLiteral("Окно ввода данных"));
    const QRect strip = ClientRegion(BarRegion()).boundingRect();
    resize(strip.right() + 8, strip.bottom() + 6);
    Image1 = new PaintedPicture(QStringLiteral("Image1"), PaintBar, this);
    Image1->setGeometry(rect());
    new WindowDrag(Image1);

    QLineEdit **edits[9] = {&Edit1, &Edit2, &Edit3, &Edit5, &Edit6, &Edit4, &Edit7, &Edit8, &Edit9};
    for (int i = 0; i < 9; ++i) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(Places[i].name));
        const int right = i + 1 < 9 ? Places[i + 1].x : BarRight;
        e->setGeometry(Places[i].x, FieldTop, right - Places[i].x - 6, FieldHeight);
        e->setFrame(false);
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, QColor(255, 255, 225));
        pal.setColor(QPalette::Text, Qt::black);
        e->setPalette(pal);
        *edits[i] = e;
    }
    // Calls, the manager, the island and the locator as the QSO window keeps them.
    SetFieldCase(Edit1, FieldCase::Upper, 12);
    SetFieldCase(Edit4, FieldCase::Upper, 12);
    SetFieldCase(Edit5, FieldCase::Upper, 5);
    SetFieldCase(Edit6, FieldCase::Upper, 6);

    fields_ = {{
        {Edit1, &Tform1::call, nullptr},
        {Edit2, &Tform1::name1, nullptr},
        {Edit3, &Tform1::qth, nullptr},
        {Edit4, &Tform1::Pvia, nullptr},
        {Edit5, &Tform1::pIOTA, nullptr},
        {Edit6, &Tform1::qthl, nullptr},
        {Edit7, &Tform1::info, nullptr},
        // An emptied report is no report: the placeholder, so the record
        // gets the mode's default pair and never an empty report.
        {Edit8, &Tform1::rsts, &RstSentPlaceholder},
        {Edit9, &Tform1::rst, &RstReceivedPlaceholder},
    }};
    for (const Field &f : fields_) {
        QLineEdit *e = f.edit;
        connect(e, &QLineEdit::textChanged, this, [this, e] { EditChange(e); });
        e->installEventFilter(this);
    }
    // Frameless from the start: a change of the flag later would hide and
    // show the bar again.
    SetWindowShape(this, BarRegion());
}

const Tpsk::Field *Tpsk::fieldOf(const QObject *o) const {
    for (const Field &f : fields_)
        if (f.edit == o) return &f;
    return nullptr;
}

void Tpsk::EditChange(QLineEdit *edit) {
    // A logged QSO recalled into the QSO window is never overwritten from here.
    if (!form1 || EditMode) return;
    const Field *f = fieldOf(edit);
    if (!f) return;
    if (edit == Edit1) EntryBarTyping = 0;
    else if (edit == Edit2 || edit == Edit3) EntryBarTyping = 1;
    const QString text = edit->text();
    (form1->*(f->target))->setText(text.isEmpty() && f->placeholder ? *f->placeholder : text);
}

void Tpsk::SaveFromBar() {
    if (!form1) return;
    if (EditMode) {
        platform::dialogs().messageBox(windowTitle(), EntryBarEditModeText(EditedQsoNumber), MsgIcon::Warning, MbOk);
        return;
    }
    // The analysis of a call changed after the name empties the name, QTH,
    // info, manager and island in the QSO window: it runs now, and the bar's
    // fields go over what it left.
    form1->FlushPendingAnalysis();
    const int typing = EntryBarTyping;
    EntryBarTyping = 1;
    for (const Field &f : fields_)
        if (f.edit != Edit1 && !f.edit->text().isEmpty()) (form1->*(f.target))->setText(f.edit->text());
    if (form1->SaveQso()) {
        for (const Field &f : fields_) f.edit->clear();
        EntryBarTyping = 0;
    } else {
        // Nothing was stored: the fields stay for the operator to mend.
        EntryBarTyping = typing;
    }
    Edit1->setFocus();
}

void Tpsk::FormActivate() { SetWindowShape(this, BarRegion()); }

void Tpsk::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    FormActivate();
}

void Tpsk::hideEvent(QHideEvent *e) {
    QWidget::hideEvent(e);
    // The QSO window's suggestion lists speak again.
    EntryBarTyping = 0;
}

bool Tpsk::eventFilter(QObject *watched, QEvent *event) {
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit || !fieldOf(edit)) return false;
    switch (event->type()) {
    case QEvent::KeyRelease: {
        auto *e = static_cast<QKeyEvent *>(event);
        if (e->isAutoRepeat() || !Nastroy) return false;
        // The whole shortcut, shift states included, as the QSO window takes it.
        const int hotKey = Nastroy->wKey1->shortcutCode();
        if (hotKey != 0 && ShortcutCodeOf(e) == hotKey) SaveFromBar();
        return false;
    }
    case QEvent::FocusIn:
        if (TakesLatin(edit)) platform::keyboardLayout().activate(LayoutUs, edit);
        return false;
    case QEvent::MouseButtonRelease:
        if (TakesLatin(edit)) edit->setCursorPosition(int(edit->text().size()));
        return false;
    default:
        return false;
    }
}

} // namespace zelmor
