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
#include <QScrollArea>
#include <QTextDocument>
#include <QTextEdit>

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

template <class Edit>
Edit *Memo(QWidget *parent, const char *name, const QColor &text, const QColor &ground) {
    auto *m = new Edit(parent);
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

    // The upper box scrolls the news and, below them, the wiring picture.
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(ClientRect(4, 54, 689, 303).adjusted(10, 10, -10, -10));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *content = new QWidget;
    content->setAutoFillBackground(true);
    QPalette grey = content->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    content->setPalette(grey);
    Memo1 = Memo<QTextEdit>(content, "Memo1", QColor(255, 255, 0), QColor(128, 128, 128));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Image2 = new PaintedPicture(QStringLiteral("Image2"), PaintLptWiring, content);
    ScrollBox1->setWidget(content);
    layOutUpperBox();
    Button1 = new QPushButton(QStringLiteral("Закрыть"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(ClientRect(208, 312, 483, 374).adjusted(90, 16, -90, -16));
    connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
    const QRect lower = ClientRect(4, 342, 689, 591).adjusted(10, 36, -10, -10);
    Memo2 = Memo<QPlainTextEdit>(this, "Memo2", QColor(0, 255, 0), QColor(0, 0, 0));
    Memo2->setGeometry(lower);
    SetWindowShape(this, NewsRegion());
    WatchActivations();
}

template <class Memo>
void TForm20::loadText(Memo *memo, const QString &name, bool &told) {
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

void TForm20::layOutUpperBox() {
    const int width = ScrollBox1->viewport()->width();
    QTextDocument *doc = Memo1->document();
    doc->setTextWidth(width);
    const int height = int(doc->size().height()) + 4;
    Memo1->setGeometry(0, 0, width, height);
    constexpr int WiringHeight = 150;
    Image2->setGeometry(0, height, width, WiringHeight);
    ScrollBox1->widget()->resize(width, height + WiringHeight);
}

void TForm20::FormActivate() {
    SetWindowShape(this, NewsRegion());
    loadText(Memo1, QStringLiteral("news.txt"), toldNews_);
    loadText(Memo2, QStringLiteral("no_news.txt"), toldNoNews_);
    layOutUpperBox();
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
