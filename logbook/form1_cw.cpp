// The QSO window's CW controls: the operating window Memo3, the CW panel
// with its echo and typing lines, and the PTT timer. What they do is the
// keyer's; the window only hands it the typed characters and the timer.
#include "logbook/form1.h"

#include "logbook/cwhooks.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmor {

std::function<void(QChar)> CwCharacterTyped;
std::function<void()> CwPttTimerExpired;
CwMenuHooks CwMenu;

namespace {
// The keys of Memo3 and of the draft Memo2: every typed character is keyed
// at once (with CW work on); Esc goes back to the call field.
class TypingFilter : public QObject {
public:
    TypingFilter(QObject *parent, QLineEdit *callField) : QObject(parent), call_(callField) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto *e = static_cast<QKeyEvent *>(event);
        if (e->key() == Qt::Key_Escape) {
            call_->setFocus();
            return true;
        }
        const QString text = e->text();
        if (CwCharacterTyped)
            for (const QChar c : text)
                if (c.isPrint()) CwCharacterTyped(c);
        return false;
    }

private:
    QLineEdit *call_;
};
} // namespace

void Tform1::buildCwControls(QVBoxLayout *layout) {
    Memo3 = new QPlainTextEdit(this);
    Memo3->setObjectName(QStringLiteral("Memo3"));
    Memo3->setMaximumHeight(90);
    auto *typing = new TypingFilter(this, call);
    Memo3->installEventFilter(typing);
    Memo2->installEventFilter(typing);
    Memo3->hide();

    Panel7 = new QFrame(this);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    Panel7->setFrameShape(QFrame::StyledPanel);
    Edit1 = new QLineEdit(Panel7);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::NoFocus);
    Edit2 = new QLineEdit(Panel7);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    auto *row = new QHBoxLayout(Panel7);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(new QLabel(QStringLiteral("CW:"), Panel7));
    row->addWidget(Edit1, 2);
    row->addWidget(Edit2, 1);
    Panel7->hide();
    connect(Edit2, &QLineEdit::textChanged, this, [](const QString &t) {
        if (!t.isEmpty() && CwCharacterTyped) CwCharacterTyped(t.back());
    });

    // A lead must never be short: a coarse timer may fire early.
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setSingleShot(true);
    Timer3->setTimerType(Qt::PreciseTimer);
    Timer3->setInterval(100);
    connect(Timer3, &QTimer::timeout, this, [] {
        if (CwPttTimerExpired) CwPttTimerExpired();
    });

    layout->addWidget(Panel7);
    layout->addWidget(Memo3);
}

} // namespace zelmor
