#include "qsl/adbox.h"

#include "common/recordfile.h"
#include "logbook/addressbook.h"
#include "logbook/fieldcase.h"
#include "logbook/windowart.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/picturebutton.h"
#include "platform/sound.h"
#include "platform/stringgrid.h"
#include "platform/windowshape.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QSignalBlocker>

namespace zelmor {

Tadbox *adbox = nullptr;

namespace {

QRegion AdboxRegion() { return RoundRectRegion(4, 23, 290, 315, 28, 28); }

constexpr int CallColumn = 0, NameColumn = 1;

void PaintBackground(QPainter &p, const QRect &r) {
    PaintTitledBackground(p, r, {QColor(36, 64, 40), QColor(10, 28, 14), QColor(230, 240, 200),
                                 QStringLiteral("Адресная книга"), QRect(14, 5, 258, 16), 9});
}

// A picture of a button: raised, or pressed in; a disk to save, a cross to close.
PicturePair::Painter ButtonPicture(bool save) {
    return [save](QPainter &p, const QRect &r, bool pressed) {
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(r).adjusted(1, 1, -1, -1);
        p.setPen(QPen(pressed ? QColor(40, 60, 40) : QColor(200, 230, 190), 1.5));
        p.setBrush(pressed ? QColor(50, 90, 55) : QColor(80, 140, 85));
        p.drawRoundedRect(box, 5, 5);
        const QRectF glyph = box.adjusted(7, 7, -7, -7).translated(pressed ? 1 : 0, pressed ? 1 : 0);
        p.setPen(QPen(QColor(255, 255, 220), 2));
        p.setBrush(Qt::NoBrush);
        if (save) {
            p.drawRect(glyph);
            p.drawRect(QRectF(glyph.left() + glyph.width() / 4, glyph.top(), glyph.width() / 2, glyph.height() / 3));
        } else {
            p.drawLine(glyph.topLeft(), glyph.bottomRight());
            p.drawLine(glyph.topRight(), glyph.bottomLeft());
        }
    };
}

} // namespace

Tadbox::Tadbox(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("adbox"));
    setWindowTitle(QStringLiteral("Адресная книга"));
    resize(304, 331);
    Image1 = new PaintedPicture(QStringLiteral("Image1"), PaintBackground, this);
    Image1->setGeometry(rect());
    new WindowDrag(Image1);

    callbox = new QLineEdit(this);
    callbox->setObjectName(QStringLiteral("callbox"));
    SetFieldCase(callbox, FieldCase::Upper, 12);
    callbox->setGeometry(9, 26, 85, 20);
    callbox->setToolTip(QStringLiteral("Поиск по позывному"));
    imbox = new QLineEdit(this);
    imbox->setObjectName(QStringLiteral("imbox"));
    SetFieldCase(imbox, FieldCase::FirstUpperRest, 27);
    imbox->setGeometry(95, 26, 139, 20);
    imbox->setToolTip(QStringLiteral("Поиск по имени"));

    strbox = new TStringGrid(2, AddressBookSpareRows, this);
    strbox->setObjectName(QStringLiteral("strbox"));
    strbox->model().setFixedRows(0);
    strbox->model().setEditable(true);
    strbox->setColWidth(CallColumn, 85);
    strbox->setColWidth(NameColumn, 139);
    strbox->verticalHeader()->setDefaultSectionSize(16);
    strbox->verticalHeader()->setMinimumSectionSize(16);
    strbox->setSelectionBehavior(QAbstractItemView::SelectItems);
    strbox->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    strbox->setGeometry(8, 50, 270, 130);

    Memo4 = new QPlainTextEdit(this);
    Memo4->setObjectName(QStringLiteral("Memo4"));
    Memo4->setGeometry(8, 184, 270, 70);
    Panel25 = new QLabel(QStringLiteral("0"), this);
    Panel25->setObjectName(QStringLiteral("Panel25"));
    Panel25->setGeometry(8, 262, 90, 18);
    Panel25->setAutoFillBackground(true);
    Panel25->setAlignment(Qt::AlignCenter);

    using M = PicturePair::Mode;
    using W = PicturePair::When;
    Image3 = new PicturePair(QStringLiteral("Image3"), QStringLiteral("Image2"), ButtonPicture(true), QSize(28, 28),
                             M::Momentary, W::Release, this);
    Image3->setToolTip(QStringLiteral("Записать"));
    Image3->move(206, 258);
    Image3->action = [this] { SaveRow(); };
    Image5 = new PicturePair(QStringLiteral("Image5"), QStringLiteral("Image4"), ButtonPicture(false), QSize(28, 28),
                             M::Momentary, W::Release, this);
    Image5->setToolTip(QStringLiteral("Закрыть"));
    Image5->move(242, 258);
    Image5->action = [this] { hide(); };

    connect(callbox, &QLineEdit::textChanged, this, [this](const QString &t) { FindAddressBookEntry(t, CallColumn); });
    connect(imbox, &QLineEdit::textChanged, this, [this](const QString &t) { FindAddressBookEntry(t, NameColumn); });
    connect(Memo4, &QPlainTextEdit::textChanged, this, &Tadbox::Memo4Change);
    // The address is read again only when another row becomes current: a
    // call mended in the same row keeps what was typed into the address.
    connect(strbox->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &now) {
        if ((now.isValid() ? now.row() : -1) != shownRow_) ShowAddressBookEntry();
    });
    SetWindowShape(this, AdboxRegion());
    WatchActivations();
}

void Tadbox::showAddress(const QString &stored) {
    {
        const QSignalBlocker quiet(Memo4);
        Memo4->setPlainText(AddressForDisplay(stored));
    }
    Panel25->setText(QString::number(StoredAddressLength(Memo4->toPlainText())));
}

void Tadbox::LoadList() {
    const QString path = AddressBookPath();
    const AddressBookLoad l = LoadAddressBook(path, strbox->model());
    fileUsable_ = l.opened;
    records_ = l.records;
    copyBeforeSave_ = l.opened && l.strayBytes > 0;
    shownRow_ = -1;
    showAddress(QString());
    if (!l.opened) {
        ShowMissingFile(QStringLiteral(" adrbox.dat"));
    } else if (l.strayBytes > 0) {
        ShowErrorBox(QStringLiteral("Файл %1 повреждён: %2 байт в конце не составляют целой записи (%3 байт). "
                                    "Показаны целые записи: %4. Перед первым сохранением файл будет "
                                    "скопирован рядом.")
                         .arg(path)
                         .arg(l.strayBytes)
                         .arg(AddressBookRecord::Size)
                         .arg(l.records));
    }
}

void Tadbox::ShowAddressBookEntry() {
    const QModelIndex current = strbox->currentIndex();
    const int row = current.isValid() ? current.row() : -1;
    shownRow_ = row;
    QString stored;
    try {
        stored = AddressOfRow(AddressBookPath(), row);
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
    }
    showAddress(stored);
}

void Tadbox::FindAddressBookEntry(const QString &text, int column) {
    const int row = FindAddressBookRow(strbox->model(), text, column);
    if (row < 0) return;
    const QModelIndex at = strbox->model().index(row, column);
    strbox->setCurrentIndex(at);
    strbox->scrollTo(at, QAbstractItemView::PositionAtTop);
}

void Tadbox::Memo4Change() {
    const int length = StoredAddressLength(Memo4->toPlainText());
    if (length > AddressCapacity - 1) {
        platform::sound().beep();
        Panel25->setText(QStringLiteral("max=250"));
    } else {
        Panel25->setText(QString::number(length));
    }
}

// A cell still being typed (the pictures take no focus, so its editor keeps
// it) goes into the list before the row is written.
void Tadbox::commitCellEdit() {
    QWidget *editor = QApplication::focusWidget();
    if (editor && editor != strbox && strbox->isAncestorOf(editor))
        QMetaObject::invokeMethod(strbox, "commitData", Qt::DirectConnection, Q_ARG(QWidget *, editor));
}

void Tadbox::SaveRow() {
    commitCellEdit();
    const QModelIndex current = strbox->currentIndex();
    if (!current.isValid()) return;
    const int row = current.row();
    const QString path = AddressBookPath();
    if (!fileUsable_ || !RecordIO::Exists(path)) {
        ShowMissingFile(QStringLiteral(" adrbox.dat"));
        return;
    }
    AddressBookRecord r;
    r.call = strbox->cell(CallColumn, row);
    r.name = strbox->cell(NameColumn, row);
    const QString shown = Memo4->toPlainText();
    const QString problem = AddressBookCellProblem(row, r.call, r.name, shown);
    if (!problem.isEmpty()) {
        ShowErrorBox(problem);
        return;
    }
    r.address = AddressForStorage(shown);
    try {
        if (copyBeforeSave_) {
            CopyDamagedAddressBook(path, platform::clock().now());
            copyBeforeSave_ = false;
        }
        records_ = WriteAddressBookRow(path, row, r);
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    if (strbox->rowCount() < records_ + AddressBookSpareRows) {
        // New rows reset the list's view: the row saved stays current and in view.
        const int top = strbox->topRow();
        strbox->setRowCount(int(records_) + AddressBookSpareRows);
        strbox->setTopRow(top);
        strbox->setCurrentIndex(strbox->model().index(row, current.column()));
    }
    showAddress(r.address);
}

void Tadbox::FormActivate() { SetWindowShape(this, AdboxRegion()); }

void Tadbox::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    if (e->spontaneous()) return;
    activation_.shown();
    FormActivate();
    // On showing only: coming back from the QSO window keeps what was typed.
    LoadList();
}

void Tadbox::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (activation_.runsOn(this, e)) FormActivate();
}

} // namespace zelmor
