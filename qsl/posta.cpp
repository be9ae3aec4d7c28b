#include "qsl/posta.h"

#include "common/recordfile.h"
#include "logbook/settingscatalogue.h"
#include "logbook/stationprofile.h"
#include "platform/dialogs.h"
#include "platform/hints.h"
#include "platform/keyboardlayout.h"
#include "platform/paths.h"
#include "qsl/envelope.h"
#include "qsl/toolbutton.h"
#include "station/settingsglobals.h"

#include <QComboBox>
#include <QDir>
#include <QShowEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelmor {

TPosta *Posta = nullptr;

namespace {

template <class W>
W *Named(W *w, const char *name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

QString SendersPath() { return SenderAddressPath(ProgramDir); }

// A stored offset outside its bar's range loads as the row's default.
int StoredOffset(SettingId id, const QScrollBar *bar) {
    const LoadedSetting s = LoadSetting(id);
    return s.number >= bar->minimum() && s.number <= bar->maximum() ? s.number : 0;
}

} // namespace

TPosta::TPosta(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Posta"));
    setWindowTitle(QStringLiteral("Печать коверта"));
    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setEditText(QStringLiteral("Адрес дополнительный"));
    Edit1 = Named(new QLineEdit(this), "Edit1");
    Memo1 = Named(new QPlainTextEdit(this), "Memo1");
    Edit2 = Named(new QLineEdit(this), "Edit2");
    Edit3 = Named(new QLineEdit(this), "Edit3");
    Memo2 = Named(new QPlainTextEdit(this), "Memo2");
    Edit4 = Named(new QLineEdit(this), "Edit4");
    Edit1->setMaxLength(250);
    Edit2->setMaxLength(10);
    adr_call = Named(new QLineEdit(this), "adr_call");
    adr_call->setMaxLength(14);
    adr_call->setPlaceholderText(QStringLiteral("позывной"));
    adr_call->setToolTip(QStringLiteral("Адрес из адресной книги: позывной и Enter"));
    formsaze = Named(new QComboBox(this), "formsaze");
    formsaze->addItems({QStringLiteral("Конверт для России"), QStringLiteral("Конверт для Украины"), QStringLiteral("Общий формат")});
    formsaze->setCurrentIndex(2);
    Tip1 = Named(new QComboBox(this), "Tip1");
    Tip1->addItems({QStringLiteral("Развертка конверта"), QStringLiteral("Печать на готовый конверт")});
    Sp2 = NamedToolButton(this, "Sp2", QStringLiteral("Печать"), QStringLiteral("Печать"));
    Sp1 = NamedToolButton(this, "Sp1", QStringLiteral("F"), QStringLiteral("Установить шрифт"));
    Sp4 = NamedToolButton(this, "Sp4", QStringLiteral("Картинка"), QStringLiteral("Открыть картинку"));
    Sp3 = NamedToolButton(this, "Sp3", QStringLiteral("Запись"), QStringLiteral("Запись в память дополнительного адреса"));
    SpeedButton4 = NamedToolButton(this, "SpeedButton4", QStringLiteral("Del"), QStringLiteral("Удаление  дополнительного адреса"));
    SpeedButton1 = NamedToolButton(this, "SpeedButton1", QStringLiteral("?"), QString());
    SpeedButton2 = NamedToolButton(this, "SpeedButton2", QStringLiteral("Сдвиг"), QStringLiteral("Ориентация печати на конверт"));
    SpeedButton3 = NamedToolButton(this, "SpeedButton3", QStringLiteral("Письмо"), QStringLiteral("Окно для письма из 8 строк"));

    Panel2 = Named(new QWidget(this), "Panel2");
    Sleft1 = Named(new QScrollBar(Qt::Horizontal, Panel2), "Sleft1");
    Sleft1->setRange(-25, 100);
    Sleft1->setValue(4);
    Stop1 = Named(new QScrollBar(Qt::Vertical, Panel2), "Stop1");
    Stop1->setRange(-50, 60);
    Stop1->setValue(4);
    auto *offsetArea = new QWidget(Panel2);
    offsetArea->setFixedSize(160, 130);
    Sh1 = Named(new QFrame(offsetArea), "Sh1");
    Sh1->setFrameShape(QFrame::Box);
    Sh1->resize(40, 24);
    auto *pl = new QGridLayout(Panel2);
    pl->addWidget(offsetArea, 0, 0);
    pl->addWidget(Stop1, 0, 1);
    pl->addWidget(Sleft1, 1, 0);
    Panel2->hide();
    Panel3 = Named(new QWidget(this), "Panel3");
    Memo3 = Named(new QPlainTextEdit(Panel3), "Memo3");
    (new QVBoxLayout(Panel3))->addWidget(Memo3);
    Panel3->hide();
    Image1 = Named(new QLabel(this), "Image1");
    Image1->setFixedSize(168, 120);
    Image1->setFrameShape(QFrame::Box);
    Image1->setScaledContents(true);

    auto *g = new QGridLayout;
    int row = 0;
    g->addWidget(new QLabel(QStringLiteral("Отправитель"), this), row, 0);
    g->addWidget(ComboBox1, row, 1);
    g->addWidget(Sp3, row, 2);
    g->addWidget(SpeedButton4, row++, 3);
    g->addWidget(Edit1, row++, 1, 1, 3);
    g->addWidget(Memo1, row++, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Индекс"), this), row, 0);
    g->addWidget(Edit2, row++, 1);
    g->addWidget(new QLabel(QStringLiteral("Получатель"), this), row, 0);
    g->addWidget(Edit3, row, 1);
    g->addWidget(adr_call, row++, 2, 1, 2);
    g->addWidget(Memo2, row++, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Индекс"), this), row, 0);
    g->addWidget(Edit4, row++, 1);
    auto *tools = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{formsaze, Tip1, Sp2, Sp1, Sp4, SpeedButton2, SpeedButton3, SpeedButton1})
        tools->addWidget(w);
    auto *right = new QVBoxLayout;
    right->addWidget(Image1);
    right->addWidget(Panel2);
    right->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addLayout(g, 1);
    top->addLayout(right);
    auto *v = new QVBoxLayout(this);
    v->addLayout(tools);
    v->addLayout(top);
    v->addWidget(Panel3);

    connect(ComboBox1, &QComboBox::editTextChanged, this, [this] { ComboBox1Change(false); });
    connect(ComboBox1, &QComboBox::textActivated, this, [this] { ComboBox1Change(true); });
    connect(Sp1, &QToolButton::clicked, this, [this] { Sp1Click(); });
    connect(Sp2, &QToolButton::clicked, this, [this] { Sp2Click(); });
    connect(Sp3, &QToolButton::clicked, this, [this] { Sp3Click(); });
    connect(Sp4, &QToolButton::clicked, this, [this] { Sp4Click(); });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [] { SetHintsShown(!HintsShown()); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { Panel2->setVisible(!Panel2->isVisible()); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { Panel3->setVisible(!Panel3->isVisible()); });
    connect(Sleft1, &QScrollBar::valueChanged, this, [this](int v) {
        placeSh1();
        if (isVisible()) WriteSetting(SettingId::EnvelopeX, qint32(v));
    });
    connect(Stop1, &QScrollBar::valueChanged, this, [this](int v) {
        placeSh1();
        if (isVisible()) WriteSetting(SettingId::EnvelopeY, qint32(v));
    });
    connect(adr_call, &QLineEdit::textEdited, this, [this](const QString &t) {
        const QString up = t.toUpper();
        if (up != t) {
            const int at = adr_call->cursorPosition();
            adr_call->setText(up);
            adr_call->setCursorPosition(at);
        }
    });
    connect(adr_call, &QLineEdit::returnPressed, this, [this] { adr_callEnter(); });
    adr_call->installEventFilter(this);
    placeSh1();
}

bool TPosta::eventFilter(QObject *o, QEvent *e) {
    // A call is typed in Latin letters whatever the desktop's layout.
    if (o == adr_call && e->type() == QEvent::FocusIn) platform::keyboardLayout().activate(LayoutUs, adr_call);
    return QWidget::eventFilter(o, e);
}

void TPosta::placeSh1() { Sh1->move(Sleft1->value() + 29, Stop1->value() + 54); }

void TPosta::showEvent(QShowEvent *e) {
    // Qt activates the window again after every dialog: the steps run when
    // it is shown, so a dialog never resets the list or reloads the picture.
    if (!e->spontaneous()) FormActivate();
    QWidget::showEvent(e);
}

void TPosta::FormActivate() {
    loadPicture(true);
    ComboBox1->setEditText(ReadSettingString(SettingId::EnvelopeStart));
    if (ComboBox1->currentText() == OwnAddressEntry) fillOwnAddress();
    const QSignalBlocker bx(Sleft1), by(Stop1);
    Stop1->setValue(StoredOffset(SettingId::EnvelopeY, Stop1));
    Sleft1->setValue(StoredOffset(SettingId::EnvelopeX, Sleft1));
    placeSh1();
}

void TPosta::loadPicture(bool tell) {
    const QString path = ReadSettingString(SettingId::EnvelopePicture);
    picture_ = QImage();
    picturePath_ = path;
    Image1->clear();
    if (path.isEmpty()) return;
    const QString resolved = ResolvePath(path, ProgramDir);
    if (!picture_.load(resolved)) {
        picture_ = QImage();
        // Told once a run; the envelope prints without it and "BMP1" stays.
        if (tell && !toldMissing_.contains(resolved)) {
            toldMissing_.insert(resolved);
            ShowMissingFile(u' ' + QDir::toNativeSeparators(path));
        }
        return;
    }
    Image1->setPixmap(QPixmap::fromImage(picture_));
}

void TPosta::fillOwnAddress() {
    const SenderFields f = FillEnvelopeSender(StationProfile.address, StationProfile.nameCyrillic, StationProfile.call);
    Edit1->setText(f.name);
    Edit2->setText(f.postcode);
    Memo1->setPlainText(f.lines.join(u'\n'));
}

void TPosta::ComboBox1Change(bool chosen) {
    const QString text = ComboBox1->currentText();
    if (text == OwnAddressEntry) {
        fillOwnAddress();
        return;
    }
    if (text.isEmpty()) return;
    try {
        // Only a whole entry name fills the fields; typing never empties them.
        if (const auto f = FindSenderEntry(SendersPath(), text)) {
            Edit1->setText(f->name);
            Edit2->setText(f->postcode);
            Memo1->setPlainText(f->lines.join(u'\n'));
        }
    } catch (const IoError &err) {
        if (chosen) ShowErrorBox(err.text());
    }
}

namespace {
SenderFields SenderOf(const TPosta &p) {
    return {p.Edit1->text(), p.Edit2->text(), AddressLines(p.Memo1->toPlainText())};
}
void OwnAddressNotKept() {
    platform::dialogs().messageBox(QStringLiteral("Конверт"),
                                   QStringLiteral("\"Адрес регистрации\" берется из настроек станции и не записывается в память"),
                                   MsgIcon::Information, MbOk);
}
} // namespace

void TPosta::Sp3Click() {
    const QString text = ComboBox1->currentText();
    if (text == OwnAddressEntry) {
        OwnAddressNotKept();
        return;
    }
    try {
        if (SaveSenderEntry(SendersPath(), text, SenderOf(*this)) &&
            ComboBox1->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
            const QSignalBlocker block(ComboBox1);
            ComboBox1->addItem(text);
            ComboBox1->setEditText(text);
        }
    } catch (const IoError &err) {
        ShowErrorBox(err.text());
    }
}

void TPosta::SpeedButton4Click() {
    const QString text = ComboBox1->currentText();
    if (text == OwnAddressEntry) {
        OwnAddressNotKept();
        return;
    }
    try {
        if (!DeleteSenderEntry(SendersPath(), text, SenderOf(*this))) return;
    } catch (const IoError &err) {
        ShowErrorBox(err.text());
        return;
    }
    const int at = ComboBox1->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    const QSignalBlocker block(ComboBox1);
    if (at >= 0) ComboBox1->setItemText(at, QString());
    ComboBox1->setEditText(QString());
}

void TPosta::adr_callEnter() {
    const QString call = adr_call->text().trimmed();
    if (call.isEmpty()) return;
    try {
        const auto r = RecipientFromAddressBook(ResolvePath(QStringLiteral("mail/adrbox.dat"), ProgramDir), call);
        if (!r) {
            platform::dialogs().messageBox(QStringLiteral("Конверт"),
                                           QStringLiteral("Позывного %1 нет в адресной книге").arg(call),
                                           MsgIcon::Information, MbOk);
            return;
        }
        Edit3->setText(r->name);
        Edit4->setText(r->postcode);
        Memo2->setPlainText(r->lines.join(u'\n'));
    } catch (const IoError &err) {
        ShowErrorBox(err.text());
    }
}

void TPosta::Sp1Click() {
    FontChoice f;
    f.name = EnvelopeFontName;
    f.size = 11;
    f.colour = unsigned(EnvelopeFontColour) & 0xFFFFFF;
    if (!platform::dialogs().chooseFont(f)) return;
    EnvelopeFontName = f.name;
    EnvelopeFontColour = qint32(f.colour);
    WriteSetting(SettingId::EnvelopeFont, f.name);
    WriteSetting(SettingId::EnvelopeColour, qint32(f.colour));
}

void TPosta::Sp4Click() {
    const QString path = platform::dialogs().openFileName(
        QStringLiteral("Открыть картинку"), QStringLiteral("Картинки|*.bmp;*.png;*.jpg;*.jpeg|Все файлы|*.*"), ProgramDir);
    QDir::setCurrent(ProgramDir);
    if (path.isEmpty()) return;
    QImage image;
    if (!image.load(path)) {
        ShowErrorBox(QStringLiteral("Не удалось прочитать картинку \"%1\"").arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!WriteSetting(SettingId::EnvelopePicture, path)) return;
    picture_ = image;
    picturePath_ = path;
    Image1->setPixmap(QPixmap::fromImage(picture_));
}

EnvelopeContent TPosta::content() const {
    EnvelopeContent c;
    c.form = formsaze->currentIndex() == 0   ? EnvelopeForm::Russian
             : formsaze->currentIndex() == 1 ? EnvelopeForm::Ukrainian
                                             : EnvelopeForm::General;
    c.senderName = Edit1->text();
    c.senderPostcode = Edit2->text();
    c.senderLines = AddressLines(Memo1->toPlainText());
    c.recipientName = Edit3->text();
    c.recipientPostcode = Edit4->text();
    c.recipientLines = AddressLines(Memo2->toPlainText());
    c.letterLines = AddressLines(Memo3->toPlainText());
    c.fontName = EnvelopeFontName;
    c.colour = unsigned(EnvelopeFontColour) & 0xFFFFFF;
    c.picture = picture_;
    return c;
}

void TPosta::Sp2Click() {
    PrintEnvelope(content(), Tip1->currentText() == u"Развертка конверта", Sleft1->value(), Stop1->value());
}

} // namespace zelmor
