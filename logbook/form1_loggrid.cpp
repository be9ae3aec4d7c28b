// The log grid of the QSO window: paging, recall of a logged QSO into the
// entry fields, its rewrite in place, delete and restore, call and band
// corrections, and the column layout. The record work is in loggrid.cpp;
// here the controls are read and written.
#include "logbook/form1.h"

#include "common/recordfile.h"
#include "common/text.h"
#include "logbook/logfile.h"
#include "logbook/loggrid.h"
#include "logbook/qsostate.h"
#include "platform/dialogs.h"
#include "platform/keycodes.h"
#include "station/nastroy.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmor {

namespace {
constexpr int KeyEnter = 13, KeyEscape = 27, KeyUp = 38, KeyDown = 40;
const QString kEditCaption = QStringLiteral("Редактирование файла");

bool AskYesNo(const QString &text) {
    return platform::dialogs().messageBox(kEditCaption, text, MsgIcon::Question, MbYes | MbNo) == MbYes;
}

// Sets a field's text without any handler deriving another field from it.
void SetQuietly(QLineEdit *e, const QString &text) {
    const QSignalBlocker quiet(e);
    e->setText(text);
}

QAction *Item(QMenu *menu, const char *name, const QString &caption, const QKeySequence &key = {}) {
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
}
} // namespace

// ---- menus ----

void Tform1::buildEditMenu() {
    QMenu *edit = PopupMenu2->addMenu(QStringLiteral("Редактирование"));
    n36 = edit->menuAction();
    n36->setObjectName(QStringLiteral("n36"));
    n2 = Item(edit, "n2", QStringLiteral("Редактирование"), QKeySequence(Qt::CTRL | Qt::Key_R));
    n34 = Item(edit, "n34", QStringLiteral("Сохранить изменение в файле"), QKeySequence(Qt::CTRL | Qt::Key_S));
    n3 = Item(edit, "n3", QStringLiteral("Отменить режим редактирования"), QKeySequence(Qt::CTRL | Qt::Key_N));
    BAND1 = Item(edit, "BAND1", QStringLiteral("Исправить выделенные строки в колонке BAND на указанное значение"),
                 QKeySequence(Qt::CTRL | Qt::Key_M));
    edit->addSeparator();
    n1 = Item(edit, "n1", QStringLiteral("Удалить строку"), QKeySequence(Qt::CTRL | Qt::Key_G));
    n22 = Item(edit, "n22", QStringLiteral("Востановить строку"), QKeySequence(Qt::CTRL | Qt::Key_O));
    edit->addSeparator();
    // Its key is the settings' "DELET CALL" (none until loaded).
    CALL2 = Item(edit, "CALL2", QStringLiteral("Удалить запись в строке CALL"));
    connect(CALL2, &QAction::triggered, this, &Tform1::CALL2Click);
    n34->setEnabled(false);
    n3->setEnabled(false);
    n22->setEnabled(false);
    connect(edit, &QMenu::aboutToShow, this, &Tform1::N36Click);
    connect(n2, &QAction::triggered, this, &Tform1::N2Click);
    connect(n34, &QAction::triggered, this, &Tform1::N34Click);
    connect(n3, &QAction::triggered, this, &Tform1::N3Click);
    connect(BAND1, &QAction::triggered, this, &Tform1::SetBandOfSelectedRows);
    connect(n1, &QAction::triggered, this, &Tform1::N1Click);
    connect(n22, &QAction::triggered, this, &Tform1::N22Click);
}

void Tform1::buildColumnMenu(QMenu *settings) {
    QMenu *columns = settings->addMenu(QStringLiteral("Настройка таблицы LOGa"));
    LOGa1 = columns->menuAction();
    LOGa1->setObjectName(QStringLiteral("LOGa1"));
    N27 = Item(columns, "N27", QStringLiteral("Скрыть колонку"));
    N28 = Item(columns, "N28", QStringLiteral("Показать все колонки"));
    connect(N27, &QAction::triggered, this, &Tform1::N27Click);
    connect(N28, &QAction::triggered, this, &Tform1::N28Click);
}

// ---- grid and paging ----

QWidget *Tform1::buildPagingColumn() {
    auto *column = new QWidget(this);
    column->setObjectName(QStringLiteral("pagingColumn"));
    column->setFixedWidth(22);
    auto *v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(1);
    // Each picture lies over its pressed twin; pressing hides the upper one.
    auto pair = [&](PictureButton::Kind kind, PictureButton *&upper, const char *upperName, PictureButton *&lower,
                    const char *lowerName) {
        auto *place = new QWidget(column);
        place->setFixedSize(22, 22);
        lower = new PictureButton(kind, true, place);
        lower->setObjectName(QString::fromLatin1(lowerName));
        lower->setGeometry(0, 0, 22, 22);
        upper = new PictureButton(kind, false, place);
        upper->setObjectName(QString::fromLatin1(upperName));
        upper->setGeometry(0, 0, 22, 22);
        v->addWidget(place);
    };
    pair(PictureButton::ArrowUp, Image3, "Image3", Image53, "Image53");
    sliderTrack_ = new QWidget(column);
    sliderTrack_->setObjectName(QStringLiteral("sliderTrack"));
    sliderTrack_->setFixedSize(22, SliderTopMax - SliderTopMin + 1 + 16);
    Image54 = new PictureButton(PictureButton::Slider, false, sliderTrack_);
    Image54->setObjectName(QStringLiteral("Image54"));
    Image54->setGeometry(0, 0, 22, 16);
    v->addWidget(sliderTrack_);
    pair(PictureButton::ArrowDown, Image8, "Image8", Image52, "Image52");
    v->addStretch(1);
    SliderTop = SliderTopMin;

    connect(Image3, &PictureButton::mouseDown, this, [this] { Image3MouseDown(); });
    connect(Image8, &PictureButton::mouseDown, this, [this] { Image8MouseDown(); });
    // The release reaches the pressed twin once the upper picture is hidden.
    for (PictureButton *p : {Image3, Image53, Image8, Image52})
        connect(p, &PictureButton::mouseUp, this, [this] { PagingMouseUp(); });
    connect(Image54, &PictureButton::mouseDown, this, [this](QMouseEvent *e) { Image54MouseDown(int(e->position().y())); });
    connect(Image54, &PictureButton::mouseMove, this,
            [this](QMouseEvent *e) { Image54MouseMove(int(Image54->mapTo(sliderTrack_, e->position().toPoint()).y())); });
    connect(Image54, &PictureButton::mouseUp, this, [this] { Image54MouseUp(); });

    Timer6 = new QTimer(this);
    Timer6->setObjectName(QStringLiteral("Timer6"));
    Timer6->setInterval(1000);
    connect(Timer6, &QTimer::timeout, this, &Tform1::Timer6Timer);
    Timer7 = new QTimer(this);
    Timer7->setObjectName(QStringLiteral("Timer7"));
    Timer7->setInterval(50);
    connect(Timer7, &QTimer::timeout, this, &Tform1::Timer7Timer);

    fbar = new QScrollBar(Qt::Vertical, this);
    fbar->setObjectName(QStringLiteral("fbar"));
    fbar->setRange(0, 10);
    fbar->setFixedHeight(10 * 18);
    connect(fbar, &QAbstractSlider::actionTriggered, this, &Tform1::fbarScroll);
    fbar->installEventFilter(this);
    return column;
}

std::optional<qint64> Tform1::RowRecord(int row) const {
    if (row < 1 || row > LogGridRecordRows || rowRecord_[row] < 0) return std::nullopt;
    return rowRecord_[row];
}

int Tform1::currentGridRow() const { return str11->row(); }

int Tform1::currentGridColumn() const {
    const QModelIndex i = str11->currentIndex();
    return i.isValid() ? i.column() : 0;
}

void Tform1::ClearLogGrid() {
    str11->model().clearRows(1);
    for (int r = 1; r <= LogGridRecordRows; ++r) rowRecord_[r] = -1;
}

void Tform1::showGridRow(int row, qint64 index, const QsoRecord &r) {
    const auto cells = LogGridCells(r);
    for (int c = 0; c < LogGridColumns; ++c) str11->setCell(c, row, cells[c]);
    rowRecord_[row] = index;
}

void Tform1::refreshRowsOf(qint64 index, const QsoRecord &stored) {
    for (int r = 1; r <= LogGridRecordRows; ++r)
        if (rowRecord_[r] == index) showGridRow(r, index, stored);
}

void Tform1::AddLogGridRow(int row) {
    if (row < 1 || row > LogGridRecordRows) return;
    // All 20 cells are emptied first: a row past the end of the log is
    // empty, never the remains of another record.
    for (int c = 0; c < LogGridColumns; ++c) str11->setCell(c, row, QString());
    rowRecord_[row] = -1;
    const QString path = LogFilePath();
    if (LogRecordIndex < 0 || LogRecordIndex >= RecordIO::Count(path, QsoRecord::Size)) return;
    try {
        LogRecord = ReadRecord<QsoRecord>(path, LogRecordIndex);
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    showGridRow(row, LogRecordIndex, LogRecord);
}

void Tform1::FillLogGridFrom(qint64 index) {
    const QString path = LogFilePath();
    const qint64 n = qMax<qint64>(0, RecordIO::Count(path, QsoRecord::Size));
    std::vector<qint64> wanted;
    for (int k = 0; k < LogGridRecordRows; ++k)
        if (index + k >= 0 && index + k < n) wanted.push_back(index + k);
    std::vector<QByteArray> records;
    try {
        records = RecordIO::ReadMany(path, QsoRecord::Size, wanted);
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    size_t next = 0;
    for (int row = LogGridRecordRows; row >= 1; --row, ++index) {
        for (int c = 0; c < LogGridColumns; ++c) str11->setCell(c, row, QString());
        rowRecord_[row] = -1;
        if (next < wanted.size() && wanted[next] == index) {
            LogRecord = DecodeRecord<QsoRecord>(records[next++].constData());
            showGridRow(row, index, LogRecord);
        }
    }
    LogRecordIndex = index;
}

void Tform1::PageLogGrid(int mode, int step) {
    PageStep += 10;
    const QString path = LogFilePath();
    const qint64 n = qMax<qint64>(0, RecordIO::Count(path, QsoRecord::Size));
    const auto start = LogGridPageStart(mode, step, RowRecord(LogGridRecordRows), LogRecordIndex, n, PageStep, SliderTop);
    if (!start) return;
    std::vector<qint64> wanted;
    for (qint64 i = *start; i < n && i < *start + LogGridRecordRows; ++i) wanted.push_back(i);
    std::vector<QByteArray> records;
    try {
        records = RecordIO::ReadMany(path, QsoRecord::Size, wanted);
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    ClearLogGrid();
    int row = LogGridRecordRows;
    for (size_t k = 0; k < records.size(); ++k, --row) {
        LogRecord = DecodeRecord<QsoRecord>(records[k].constData());
        showGridRow(row, wanted[k], LogRecord);
    }
    LogRecordIndex = *start + qint64(records.size());
}

void Tform1::Image3MouseDown() {
    PageStep = 10;
    Image3->hide();
    if (!Timer6->isActive()) Timer6->start();
    PageLogGrid(PageByStep, 1);
}

void Tform1::Image8MouseDown() {
    PageStep = 10;
    Image8->hide();
    if (!Timer6->isActive()) Timer6->start();
    PageLogGrid(PageByStep, -1);
}

void Tform1::PagingMouseUp() {
    Image3->show();
    Image8->show();
    Timer6->stop();
    Timer7->stop();
}

void Tform1::Timer6Timer() {
    // Timer6 goes on firing while the picture is held: a running Timer7 keeps
    // its rhythm.
    if (!Timer7->isActive()) Timer7->start();
}

void Tform1::Timer7Timer() {
    if (Image3->isHidden()) PageLogGrid(PageByStep, 100);
    else if (Image8->isHidden()) PageLogGrid(PageByStep, -100);
}

void Tform1::Image54MouseDown(int yInPicture) {
    SliderDragging = true;
    SliderGrabOffset = yInPicture;
}

void Tform1::Image54MouseMove(int trackY) {
    if (!SliderDragging) return;
    const int t = trackY - SliderGrabOffset + SliderTopMin;
    if (t > SliderTopMin - 1 && t < SliderWeightBase) {
        SliderTop = t;
        Image54->move(0, SliderTop - SliderTopMin);
    }
    PageLogGrid(PageBySlider, 0);
}

void Tform1::Image54MouseUp() { SliderDragging = false; }

void Tform1::fbarScroll(int action) {
    const int max = fbar->maximum();
    const int old = fbar->value();
    const int pos = fbar->sliderPosition();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        if (old == max) return;
        FillLogGridFrom(max - pos - 1);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        if (old == 0) return;
        FillLogGridFrom(max - pos + 1);
        break;
    default:
        if (pos != old) FillLogGridFrom(max - pos);
        break;
    }
}

void Tform1::fbarExit() { LogRecordIndex = CountLogRecords(LogFileName); }

void Tform1::ShowRowInfo(int row) {
    // While a call is typed or a QSO edited, the info field is the operator's.
    if (!call->text().isEmpty() || EditMode != 0) return;
    info->setText(str11->cell(12, row));
}

void Tform1::str11SelectCell(int row) { ShowRowInfo(row); }

bool Tform1::str11KeyDown(int key) {
    if (key == KeyUp && currentGridRow() == 1) {
        PageLogGrid(PageByStep, 1);
        return true;
    }
    if (key == KeyDown && currentGridRow() == str11->rowCount() - str11->model().fixedRows()) {
        PageLogGrid(PageByStep, -1);
        return true;
    }
    return false;
}

void Tform1::str11KeyUp(int key) {
    if (key == KeyDown || key == KeyUp) {
        if (EditMode == 1 && !str11->cell(1, currentGridRow()).isEmpty()) {
            LoadLogRowForEdit();
            n1->setEnabled(true);
            n2->setEnabled(true);
            Memo1->hide();
        }
    } else if (key == KeyEscape) {
        call->setFocus();
    } else if (key == KeyEnter) {
        const int column = currentGridColumn();
        call->setFocus();
        if (column == 1) CorrectLoggedCall();
        else if (column == 6) SetBandOfSelectedRows();
        call->clear();
    }
}

// ---- editing ----

void Tform1::SaveFieldSwitches() {
    if (switchesSaved_) return; // an edit already running keeps the operator's states
    const QCheckBox *boxes[10] = {Nastroy->tcb2, Nastroy->tdata1, Nastroy->tqsl,  Nastroy->trsts, Nastroy->tcb3,
                                  Nastroy->toch, Nastroy->tqth,   Nastroy->tname, Nastroy->trst,  Nastroy->tim1};
    for (int i = 0; i < 10; ++i) switches_[i] = boxes[i]->isChecked();
    switchesSaved_ = true;
}

void Tform1::RestoreFieldSwitches() {
    if (!switchesSaved_) return;
    QCheckBox *boxes[10] = {Nastroy->tcb2, Nastroy->tdata1, Nastroy->tqsl,  Nastroy->trsts, Nastroy->tcb3,
                            Nastroy->toch, Nastroy->tqth,   Nastroy->tname, Nastroy->trst,  Nastroy->tim1};
    // They go back to what is stored: nothing to write.
    for (int i = 0; i < 10; ++i) {
        const QSignalBlocker quiet(boxes[i]);
        boxes[i]->setChecked(switches_[i]);
    }
    switchesSaved_ = false;
}

void Tform1::restorePreRecallTexts() {
    if (!preRecall_) return;
    const PreRecallTexts &t = *preRecall_;
    SetQuietly(cb1, t.band);
    SetQuietly(cb2, t.mode);
    SetQuietly(rst, t.rstReceived);
    SetQuietly(rsts, t.rstSent);
    SetQuietly(ochk, t.points);
    SetQuietly(data2, t.date);
    SetQuietly(tim, t.time);
    SetQuietly(cqsl, t.qslField);
    DxQslState = t.qslState;
    SetQuietly(Pvia, t.via);
    SetQuietly(pIOTA, t.iota);
    SetQuietly(pFreq, t.frequency);
    preRecall_.reset();
}

void Tform1::LoadLogRowForEdit() {
    const auto index = RowRecord(currentGridRow());
    if (!index) return;
    // The recall starts from the record as stored, not from the grid's texts.
    QsoRecord r;
    try {
        r = ReadRecord<QsoRecord>(LogFilePath(), *index);
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    if (EditMode == 0)
        preRecall_ = PreRecallTexts{cb1->text(), cb2->text(), rst->text(),  rsts->text(),  ochk->text(),
                                    data2->text(), tim->text(), cqsl->text(), DxQslState, Pvia->text(),
                                    pIOTA->text(), pFreq->text()};
    EditMode = 1;
    EditedQsoNumber = int(*index + 1);
    editedIndex_ = *index;
    recalled_ = r;
    LogRecord = r;

    call->clear();
    call->setText(r.call);
    for (QCheckBox *b : {Nastroy->tim1, Nastroy->tdata1}) {
        // Switched for the edit only; the stored states come back at its end.
        const QSignalBlocker quiet(b);
        b->setChecked(true);
    }
    SetQuietly(name1, r.name);
    SetQuietly(qth, r.qth);
    SetQuietly(data2, r.date);
    SetQuietly(tim, r.time);
    SetQuietly(cb1, r.band);
    SetQuietly(cb2, r.mode);
    SetQuietly(rsts, r.rstSent);
    SetQuietly(rst, r.rstReceived);
    SetQuietly(ochk, r.points);
    SetQuietly(qthl, r.locator);
    SetQuietly(info, r.info);
    SetQuietly(cqsl, r.qslState);
    SetQuietly(Pvia, r.qslVia);
    SetQuietly(pIOTA, r.iota);
    SetQuietly(pFreq, r.frequency);

    // The recall's own analysis runs now, then the stored values are put
    // back: they follow the analysis only when the operator changes the call.
    FlushPendingAnalysis();
    DxCountry = r.country;
    DxWaz = r.waz;
    DxItu = r.itu;
    DxLatitude = r.latitude;
    DxLongitude = r.longitude;
    DxRegionCode = r.regionNumber;
    DxQslState = r.qslState;
    recallEntry_ = EntryFromFields();
}

void Tform1::RewriteQsoRecord() {
    if (call->text().isEmpty() || !editedIndex_) return;
    const qint64 index = *editedIndex_;
    // A call changed within the last 300 ms gets its analysis first.
    FlushPendingAnalysis();
    const QsoEntry now = EntryFromFields();
    const QsoRecord before = BuildQsoRecord(recallEntry_, index);
    QsoRecord after = BuildQsoRecord(now, index);
    if (before.call != after.call && now.locator == recallEntry_.locator)
        after.locator = CutToCapacity(DxLocator, QsoRecord::Fields[FieldLocator].capacity);
    // Only what the operator changed is written; the number and the delete
    // mark stay as stored.
    QsoFieldMask mask = ChangedFields(before, after);
    mask.reset(FieldNumber);
    mask.reset(FieldDeleteMark);
    const qint64 savedIndex = LogRecordIndex;
    QsoRecord stored;
    try {
        stored = RewriteLogRecordFields(LogFilePath(), index, after, mask);
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    LogRecord = stored;
    LogRecordIndex = savedIndex;
    if (mask.any()) SetLogColumnsEntry(index, stored);
    refreshRowsOf(index, stored);
}

void Tform1::ClearEntryFields() {
    EditMode = 0;
    for (QLineEdit *f : {call, name1, qth, info, qthl}) f->clear();
    StatusText.clear();
}

void Tform1::N36Click() {
    const bool hasCall = !str11->cell(1, currentGridRow()).isEmpty();
    n22->setEnabled(!hasCall);
    n1->setEnabled(hasCall);
    n2->setEnabled(hasCall);
}

void Tform1::N2Click() {
    const int row = currentGridRow();
    if (str11->cell(1, row).isEmpty()) return;
    SaveFieldSwitches();
    LoadLogRowForEdit();
    if (!editedIndex_) return;
    StatusText = QStringLiteral("Включен режим редактирования QSO № ") + str11->cell(0, row);
    n3->setEnabled(true);
    n34->setEnabled(true);
    Memo1->hide();
}

void Tform1::N34Click() {
    if (AskYesNo(QStringLiteral("Подтверждаете ввод?"))) {
        if (EditMode == 1) RewriteQsoRecord();
        EditMode = 0;
        for (QLineEdit *f : {call, name1, info, qthl, qth}) f->clear();
        StatusText.clear();
    } else {
        ClearEntryFields();
    }
    n34->setEnabled(false);
    n3->setEnabled(false);
    RestoreFieldSwitches();
    restorePreRecallTexts();
    editedIndex_.reset();
}

void Tform1::N3Click() {
    EndRecordEdit();
    call->setFocus();
}

void Tform1::EndRecordEdit() {
    if (EditMode == 0 && !editedIndex_ && !switchesSaved_ && !preRecall_) return;
    ClearEntryFields();
    n3->setEnabled(false);
    n34->setEnabled(false);
    RestoreFieldSwitches();
    restorePreRecallTexts();
    editedIndex_.reset();
}

bool Tform1::storeInPlace(qint64 index, const std::function<QsoRecord()> &write) {
    QsoRecord stored;
    try {
        stored = write();
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return false;
    }
    LogRecord = stored;
    SetLogColumnsEntry(index, stored);
    refreshRowsOf(index, stored);
    return true;
}

void Tform1::N1Click() {
    const auto index = RowRecord(currentGridRow());
    if (!index) return;
    storeInPlace(*index, [&] { return MarkLogRecordDeleted(LogFilePath(), *index, true); });
}

void Tform1::N22Click() {
    n22->setEnabled(false);
    const auto index = RowRecord(currentGridRow());
    if (!index) return;
    storeInPlace(*index, [&] { return MarkLogRecordDeleted(LogFilePath(), *index, false); });
}

void Tform1::CorrectLoggedCall() {
    if (!AskYesNo(QStringLiteral("Подтверждаете исправление Call?")) || call->text().isEmpty()) return;
    const auto index = RowRecord(currentGridRow());
    if (!index) return;
    FlushPendingAnalysis();
    storeInPlace(*index, [&] {
        return CorrectLogRecordCall(LogFilePath(), *index, call->text(), DxWaz, DxItu, DxCountry, qthl->text(),
                                    DxRegionCode);
    });
}

void Tform1::SetBandOfSelectedRows() {
    if (!AskYesNo(QStringLiteral("Подтверждаете исправление BANDa?"))) return;
    // The grid selects one cell at a time: the current row is the selection.
    const int first = currentGridRow();
    const int last = first;
    const QString band = cb1->text();
    for (int row = first; row <= last; ++row) {
        const auto index = RowRecord(row);
        if (!index) break;
        if (!storeInPlace(*index, [&] { return SetLogRecordBand(LogFilePath(), *index, band); })) return;
    }
}

void Tform1::N27Click() {
    str11->setColWidth(currentGridColumn(), 0);
    SaveLogGridColumnFlags(*str11);
}

void Tform1::N28Click() {
    LoadLogGridColumnWidths(*str11);
    SaveLogGridColumnFlags(*str11);
}

void Tform1::FormClose() {
    SaveLogGridColumnFlags(*str11);
    call->clear();
}

} // namespace zelmor
