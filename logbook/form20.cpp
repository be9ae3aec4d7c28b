#include "logbook/form20.h"

#include "common/codepage.h"
#include "common/text.h"
#include "logbook/windowart.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/windowshape.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zelmor {

TForm20 *Form20 = nullptr;

namespace {

// The outline, in window coordinates: the upper box, the title tab, the
// middle tab and the lower box.
QRegion NewsRegion() {
    QRegion r = RoundRectRegion(4, 54, 689, 303, 20, 20);
    r += RoundRectRegion(208, 24, 483, 72, 20, 20);
    r += RoundRectRegion(208, 312, 483, 374, 20, 20);
    r += RoundRectRegion(4, 342, 689, 591, 20, 20);
    return r;
}

QRect ClientRect(int left, int top, int right, int bottom) {
    return ClientRegion(RectRegion(left, top, right, bottom)).boundingRect();
}

void PaintNews(QPainter &p, const QRect &r) {
    PaintTitledBackground(p, r, {QColor(30, 30, 70), QColor(10, 10, 30), QColor(255, 255, 0),
                                 QStringLiteral("Рекомендации автора"), ClientRect(208, 24, 483, 54), 11});
}

QPlainTextEdit *Memo(QWidget *parent, const char *name, const QColor &text, const QColor &ground) {
    auto *m = new QPlainTextEdit(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setReadOnly(true);
    m->setFrameShape(QFrame::NoFrame);
    QPalette p = m->palette();
    p.setColor(QPalette::Base, ground);
    p.setColor(QPalette::Text, text);
    m->setPalette(p);
    QFont f = m->font();
    f.setBold(true);
    m->setFont(f);
    return m;
}

} // namespace

std::optional<QString> ReadNewsText(const QString &name) {
    QFile f(DataPath(name));
    if (!QFileInfo(f.fileName()).isFile() || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return WithLineBreaks(FromCp1251(f.readAll()), u"\n");
}

TForm20::TForm20(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form20"));
    setWindowTitle(QStringLiteral("Рекомендации автора"));
    resize(757, 605);
    Image1 = new PaintedPicture(QStringLiteral("Image1"), PaintNews, this);
    Image1->setGeometry(rect());
    new WindowDrag(Image1);

    // The upper box: the news beside the wiring picture.
    const QRect upper = ClientRect(4, 54, 689, 303).adjusted(10, 10, -10, -10);
    Memo1 = Memo(this, "Memo1", QColor(255, 255, 0), QColor(128, 128, 128));
    Memo1->setGeometry(upper.left(), upper.top(), upper.width() - 250, upper.height());
    Image2 = new PaintedPicture(QStringLiteral("Image2"), PaintLptWiring, this);
    Image2->setGeometry(upper.right() - 240, upper.top(), 241, upper.height());
    Button1 = new QPushButton(QStringLiteral("Закрыть"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(ClientRect(208, 312, 483, 374).adjusted(90, 16, -90, -16));
    connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
    const QRect lower = ClientRect(4, 342, 689, 591).adjusted(10, 36, -10, -10);
    Memo2 = Memo(this, "Memo2", QColor(0, 255, 0), QColor(0, 0, 0));
    Memo2->setGeometry(lower);
    SetWindowShape(this, NewsRegion());
    WatchActivations();
}

void TForm20::loadText(QPlainTextEdit *memo, const QString &name, bool &told) {
    const auto text = ReadNewsText(name);
    if (text) {
        memo->setPlainText(*text);
        return;
    }
    memo->clear();
    // Once per showing: the box's closing activates the window again.
    if (told) return;
    told = true;
    ShowMissingFile(u' ' + name);
}

void TForm20::FormActivate() {
    SetWindowShape(this, NewsRegion());
    loadText(Memo1, QStringLiteral("news.txt"), toldNews_);
    loadText(Memo2, QStringLiteral("no_news.txt"), toldNoNews_);
}

void TForm20::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    if (e->spontaneous()) return;
    toldNews_ = toldNoNews_ = false;
    activation_.shown();
    FormActivate();
}

void TForm20::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (activation_.runsOn(this, e)) FormActivate();
}

void TForm20::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_Escape) hide();
    else QWidget::keyPressEvent(e);
}

} // namespace zelmor
