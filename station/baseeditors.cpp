#include "station/baseeditors.h"

#include "common/recordfile.h"
#include "common/text.h"
#include "logbook/form1.h"
#include "logbook/qsostate.h"
#include "logbook/startup.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/stringgrid.h"
#include "station/nastroy.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace zelmor {

namespace {

// Typed text upper-cased as it comes, within a pattern.
class UpperCaseValidator : public QRegularExpressionValidator {
public:
    using QRegularExpressionValidator::QRegularExpressionValidator;
    State validate(QString &input, int &pos) const override {
        input = input.toUpper();
        return QRegularExpressionValidator::validate(input, pos);
    }
};

template <class T>
T *Named(T *w, const char *name) {
    w->setObjectName(QString::fromUtf8(name));
    return w;
}

QGridLayout *Grid(QWidget *page) { return static_cast<QGridLayout *>(page->layout()); }

// A line of controls under what the section already holds.
QHBoxLayout *ControlRow(QWidget *page) {
    auto *w = new QWidget(page);
    auto *row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    Grid(page)->addWidget(w, Grid(page)->rowCount(), 0);
    return row;
}

QPushButton *AddButton(QHBoxLayout *row, const char *name, const char *caption) {
    auto *b = Named(new QPushButton(QString::fromUtf8(caption), row->parentWidget()), name);
    row->addWidget(b);
    return b;
}

QLabel *AddLabel(QHBoxLayout *row, const char *name, const char *caption) {
    auto *l = new QLabel(QString::fromUtf8(caption), row->parentWidget());
    if (name) l->setObjectName(QString::fromUtf8(name));
    row->addWidget(l);
    return l;
}

// A find field: at most `maxLength` characters of `pattern`, upper-cased
// when `upper`.
QLineEdit *AddFind(QHBoxLayout *row, const char *name, const char *label, int maxLength, const char *pattern, bool upper) {
    AddLabel(row, nullptr, label);
    auto *e = Named(new QLineEdit(row->parentWidget()), name);
    e->setMaxLength(maxLength);
    const QRegularExpression re(QString::fromLatin1(pattern));
    e->setValidator(upper ? new UpperCaseValidator(re, e) : new QRegularExpressionValidator(re, e));
    e->setMaximumWidth(qMax(48, 9 * maxLength + 12));
    row->addWidget(e);
    return e;
}

void SetUp(TStringGrid *g, std::initializer_list<int> widths, bool editable) {
    g->setColCount(int(widths.size()));
    int c = 0;
    for (int w : widths) g->setColWidth(c++, w);
    g->model().setEditable(editable);
}

TStringGrid *AddGrid(QWidget *page, const char *name, std::initializer_list<int> widths, int minimumHeight) {
    auto *g = Named(new TStringGrid(int(widths.size()), 2, page), name);
    g->setMinimumHeight(minimumHeight);
    SetUp(g, widths, true);
    Grid(page)->addWidget(g, Grid(page)->rowCount(), 0);
    return g;
}

void Headers(TStringGrid *g, const QStringList &headers) {
    for (qsizetype c = 0; c < headers.size(); ++c) g->setCell(int(c), 0, headers[c]);
}

// The controls and finds of each member list, by Club.
struct ClubControls {
    const char *section;
    TStringGrid *TBaseEditors::*grid;
    QLineEdit *TBaseEditors::*number;
    QLineEdit *TBaseEditors::*call;
    const char *gridName, *numberName, *callName, *readName, *writeName;
    int numberMax;
    const char *numberPattern;
    int callMax;
    // The number find runs at this many characters (or at fewer too when
    // `numberAtMost`); the call find past `callLongerThan` characters, at
    // every change when -1.
    int numberLength;
    bool numberAtMost, numberTrimmed, numberFirst;
    int callLongerThan, callFirstRow;
    bool callTrimmed;
};

const ClubControls &ControlsOf(Club c) {
    using B = TBaseEditors;
    static const std::array<ClubControls, 7> table = {{
        {"DIG", &B::Strdig, &B::ndig, &B::calldig, "Strdig", "ndig", "calldig", "digRead", "digWrite", 4, "[0-9 ]*", 15, 4,
         false, true, true, -1, 0, true},
        {"Ветеран", &B::strvet, &B::veted, &B::vcall, "strvet", "veted", "vcall", "vetRead", "vetWrite", 3, "[0-9 ]*", 12, 3,
         false, false, false, 3, 1, false},
        {"AGB", &B::Stragb, &B::nagb, &B::agbcall, "Stragb", "nagb", "agbcall", "agbRead", "agbWrite", 5, ".*", 19, 3, false,
         false, false, 3, 1, false},
        {"KDR", &B::Strkdr, &B::nkdr, &B::kdrcall, "Strkdr", "nkdr", "kdrcall", "kdrRead", "kdrWrite", 6, ".*", 15, 3, false,
         false, false, 3, 1, false},
        {"HFC", &B::Strhfc, &B::nhfc, &B::hfccall, "Strhfc", "nhfc", "hfccall", "hfcRead", "hfcWrite", 5, ".*", 15, 5, false,
         false, false, 3, 1, false},
        {"RCC", &B::StrRCC, &B::RCCn, &B::RCCcall, "StrRCC", "RCCn", "RCCcall", "rccRead", "rccWrite", 6, ".*", 15, 3, false,
         false, false, 2, 1, false},
        {"СРВС", &B::Strsrvs, &B::srvsn, &B::srvscall, "Strsrvs", "srvsn", "srvscall", "srvsRead", "srvsWrite", 6, ".*", 15, 3,
         true, false, false, 2, 1, false},
    }};
    return table[size_t(c)];
}

// A find's match at the top of the grid, and the verdict on the status line.
void ShowFound(TStringGrid *grid, int row, const QString &found, const QString &missing) {
    if (row > 0) grid->setTopRow(row);
    StatusText = row > 0 ? found : missing;
}

const QStringList IslandHeaders = {QStringLiteral("№ острова"), QStringLiteral("Префикс"), QStringLiteral("Название острова")};

} // namespace

TBaseEditors::TBaseEditors(TNastroy *dialog) : QObject(dialog), dialog_(dialog), russia_(RegionLayout()) {
    setObjectName(QStringLiteral("bases"));
    buildIota(dialog->section(QStringLiteral("IOTA")));
    buildDxcc(dialog->section(QStringLiteral("DXCC")));
    buildRussia(dialog->section(QStringLiteral("Россия")));
    for (const ClubInfo &info : Clubs()) buildClub(info.club, dialog->section(QString::fromUtf8(ControlsOf(info.club).section)));
    buildNames(NameBase::Qths, dialog->section(QStringLiteral("QTH")));
    buildNames(NameBase::Names, dialog->section(QStringLiteral("Name")));
}

TBaseEditors::~TBaseEditors() = default;

void TBaseEditors::buildIota(QWidget *page) {
    striota = dialog_->striota;
    Striota1 = dialog_->Striota1;
    SetUp(striota, {90, 60, 310}, false);
    SetUp(Striota1, {90, 60, 310}, true);
    Headers(striota, IslandHeaders);
    Headers(Striota1, IslandHeaders);
    QHBoxLayout *row = ControlRow(page);
    iotaRead = AddButton(row, "iotaRead", "Чтение");
    iotaWrite = AddButton(row, "iotaWrite", "Запись");
    iotaDelete = AddButton(row, "iotaDelete", "Удалить остров");
    eiota = AddFind(row, "eiota", "Поиск", 5, "[A-Z]{0,2}[0-9]{0,3}", true);
    Panel19 = AddLabel(row, "Panel19", "Кол-во островов");
    Gauge2 = Named(new QProgressBar(page), "Gauge2");
    Gauge2->setTextVisible(false);
    Gauge2->hide();
    Grid(page)->addWidget(Gauge2, Grid(page)->rowCount(), 0);
    eiota->installEventFilter(this);
    connect(iotaRead, &QPushButton::clicked, this, &TBaseEditors::iotaReadClick);
    connect(iotaWrite, &QPushButton::clicked, this, &TBaseEditors::iotaWriteClick);
    connect(iotaDelete, &QPushButton::clicked, this, &TBaseEditors::iotaDeleteClick);
}

void TBaseEditors::buildDxcc(QWidget *page) {
    strdxcc = dialog_->strdxcc;
    SetUp(strdxcc, {60, 150, 36, 36, 56, 56, 50, 70, 64, 40, 40, 110, 0}, true);
    Headers(strdxcc, CountryLayout().headers);
    QHBoxLayout *row = ControlRow(page);
    dxccRead = AddButton(row, "dxccRead", "Чтение");
    dxccWrite = AddButton(row, "dxccWrite", "Запись");
    dxccSort = AddButton(row, "dxccSort", "Сортировать");
    QHBoxLayout *finds = ControlRow(page);
    dxccpf = AddFind(finds, "dxccpf", "Префикс", 10, ".*", true);
    dxccwor = AddFind(finds, "dxccwor", "Страна", 17, ".*", true);
    finds->addStretch();
    connect(dxccRead, &QPushButton::clicked, this, &TBaseEditors::dxccReadClick);
    connect(dxccWrite, &QPushButton::clicked, this, &TBaseEditors::dxccWriteClick);
    connect(dxccSort, &QPushButton::clicked, this, &TBaseEditors::dxccSortClick);
    connect(dxccpf, &QLineEdit::textChanged, this, &TBaseEditors::dxccpfChange);
    connect(dxccwor, &QLineEdit::textChanged, this, &TBaseEditors::dxccworChange);
}

void TBaseEditors::buildRussia(QWidget *page) {
    Str_rus = AddGrid(page, "Str_rus", {50, 150, 36, 36, 50, 50, 44, 40, 40}, 300);
    Headers(Str_rus, RegionLayout().headers);
    QHBoxLayout *row = ControlRow(page);
    rusRead = AddButton(row, "rusRead", "Чтение");
    rusWrite = AddButton(row, "rusWrite", "Запись");
    row->addStretch();
    connect(rusRead, &QPushButton::clicked, this, &TBaseEditors::rusReadClick);
    connect(rusWrite, &QPushButton::clicked, this, &TBaseEditors::rusWriteClick);
}

void TBaseEditors::buildClub(Club c, QWidget *page) {
    const ClubControls &k = ControlsOf(c);
    ClubSection &s = club(c);
    s.editor = std::make_unique<RecordGridEditor>(ClubLayout(c));
    if (c == Club::Dig) s.grid = dialog_->Strdig;
    else if (c == Club::Veteran) s.grid = dialog_->strvet;
    else s.grid = AddGrid(page, k.gridName, {60, 120, 120}, 300);
    if (c == Club::Veteran) SetUp(s.grid, {50, 120, 120, 50}, true);
    else SetUp(s.grid, {60, 120, 120}, true);
    this->*k.grid = s.grid;
    Headers(s.grid, c == Club::Veteran ? QStringList{"№", "Call", "Имя", "Очки"} : ClubLayout(c).headers);
    QHBoxLayout *row = ControlRow(page);
    s.readButton = AddButton(row, k.readName, "Чтение");
    s.writeButton = AddButton(row, k.writeName, "Запись");
    s.numberFind = AddFind(row, k.numberName, "№", k.numberMax, k.numberPattern, false);
    s.callFind = AddFind(row, k.callName, "Call", k.callMax, ".*", true);
    this->*k.number = s.numberFind;
    this->*k.call = s.callFind;
    if (c == Club::Dig) {
        Panel23 = AddLabel(row, "Panel23", "");
        s.count = Panel23;
    } else if (c == Club::Veteran) {
        Panel24 = dialog_->Panel24;
        s.count = Panel24;
    }
    row->addStretch();
    connect(s.readButton, &QPushButton::clicked, this, [this, c] { clubReadClick(c); });
    connect(s.writeButton, &QPushButton::clicked, this, [this, c] { clubWriteClick(c); });
    connect(s.numberFind, &QLineEdit::textChanged, this, [this, c] { clubNumberChange(c); });
    connect(s.callFind, &QLineEdit::textChanged, this, [this, c] { clubCallChange(c); });
}

void TBaseEditors::buildNames(NameBase base, QWidget *page) {
    const bool names = base == NameBase::Names;
    QListWidget *list = Named(new QListWidget(page), names ? "mname" : "memo2");
    list->setMinimumHeight(200);
    Grid(page)->addWidget(list, Grid(page)->rowCount(), 0);
    QHBoxLayout *row = ControlRow(page);
    QPushButton *read = AddButton(row, names ? "nameRead" : "qthRead", "Чтение");
    QPushButton *remove = AddButton(row, names ? "nameDelete" : "qthDelete", "Удалить");
    QLabel *count = AddLabel(row, names ? "Panel18" : "Panel22", names ? "Количество " : "Количество QTH");
    row->addStretch();
    (names ? mname : memo2) = list;
    (names ? Panel18 : Panel22) = count;
    (names ? nameRead : qthRead) = read;
    (names ? nameDelete : qthDelete) = remove;
    connect(read, &QPushButton::clicked, this, [this, base] { nameReadClick(base); });
    connect(remove, &QPushButton::clicked, this, [this, base] { nameDeleteClick(base); });
}

void TBaseEditors::showBadCell(TStringGrid *grid, const WriteResult &r) {
    if (!r.bad) return;
    const QModelIndex at = grid->model().index(r.bad->row, r.bad->col);
    grid->setCurrentIndex(at);
    grid->scrollTo(at);
}

// ---------------------------------------------------------------------------
// IOTA

void TBaseEditors::iotaReadClick() {
    const int islands = iota_.read(striota->model());
    if (islands >= 0) Panel19->setText(QString::number(islands + 1));
}

void TBaseEditors::iotaWriteClick() {
    Gauge2->setValue(0);
    Gauge2->show();
    const WriteResult r = iota_.merge(Striota1->model(), [this](int done, int total) {
        Gauge2->setMaximum(total);
        Gauge2->setValue(done);
    });
    Gauge2->hide();
    showBadCell(Striota1, r);
    if (!r.written) return;
    // The list shown is the file's again, with the merged islands.
    iotaReadClick();
    if (StartupHook.FillIotaTable) StartupHook.FillIotaTable();
}

void TBaseEditors::iotaDeleteClick() {
    const int row = striota->row();
    const QString reference = Trim(striota->cell(0, row));
    if (row < 1 || reference.isEmpty()) return;
    const QString question = QStringLiteral("Вы действительно хотите удалить выделенный остров ") + reference;
    const int answer =
        platform::dialogs().messageBox(QStringLiteral("Удаление острова"), question, MsgIcon::Question, MbYes | MbNo);
    if (answer != MbYes) return;
    const int removed = iota_.remove(reference);
    if (removed < 0) return;
    if (removed == 0) {
        StatusText = QStringLiteral("Острова ") + reference + QStringLiteral(" в базе нет");
        return;
    }
    for (int c = 0; c < 3; ++c) striota->setCell(c, row, QString());
    if (StartupHook.FillIotaTable) StartupHook.FillIotaTable();
}

void TBaseEditors::eiotaKeyUp() {
    const QString text = eiota->text();
    if (text.size() != 5) return;
    ShowFound(striota, FindRow(striota->model(), text, {0, 1, true, false}),
              QStringLiteral("Остров ") + text + QStringLiteral(" в базе есть"),
              QStringLiteral("Острова ") + text + QStringLiteral(" в базе нет"));
}

bool TBaseEditors::eventFilter(QObject *watched, QEvent *event) {
    if (watched == eiota && event->type() == QEvent::KeyRelease) eiotaKeyUp();
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// DXCC

void TBaseEditors::dxccReadClick() {
    strdxcc->setColWidth(CountryTableEditor::IndexColumn, 0);
    dxcc_.read(strdxcc->model());
}

void TBaseEditors::dxccWriteClick() {
    const WriteResult r = dxcc_.write(strdxcc->model());
    showBadCell(strdxcc, r);
    if (!r.written) return;
    // The prefix list, the QSO window's country grid and the DXCC award
    // follow the file at once.
    LoadCountryTable(form1 ? &form1->strw->model() : nullptr);
    if (StartupHook.activdxcc) StartupHook.activdxcc();
    if (StartupHook.RefreshDxccTables) StartupHook.RefreshDxccTables();
}

void TBaseEditors::dxccSortClick() {
    const QModelIndex current = strdxcc->currentIndex();
    CountryTableEditor::sort(strdxcc->model(), current.isValid() ? current.column() : 0);
}

void TBaseEditors::dxccpfChange() {
    const QString text = dxccpf->text();
    if (text.isEmpty()) return;
    ShowFound(strdxcc, FindRow(strdxcc->model(), text, {0, 1, false, false}),
              QStringLiteral("Префикс ") + text + QStringLiteral(" в базе есть"),
              QStringLiteral("Префикса ") + text + QStringLiteral(" в базе нет"));
}

void TBaseEditors::dxccworChange() { strdxcc->setTopRow(FindCountryRow(strdxcc->model(), dxccwor->text())); }

// ---------------------------------------------------------------------------
// Россия

void TBaseEditors::rusReadClick() { russia_.read(Str_rus->model()); }

void TBaseEditors::rusWriteClick() { showBadCell(Str_rus, russia_.write(Str_rus->model())); }

// ---------------------------------------------------------------------------
// The member lists

void TBaseEditors::clubReadClick(Club c) {
    ClubSection &s = club(c);
    int records;
    if (c == Club::Veteran) {
        // The veterans' own routine fills the grid; a missing file is
        // reported there.
        const bool present = RecordIO::Exists(DataPath(s.editor->layout().file));
        records = ShowVeteranList(s.grid->model());
        s.editor->takeRead(s.grid->model(), present ? records : -1);
    } else {
        records = s.editor->read(s.grid->model());
    }
    if (s.count && records >= 0) s.count->setText(QString::number(records));
}

void TBaseEditors::clubWriteClick(Club c) {
    ClubSection &s = club(c);
    const WriteResult r = s.editor->write(s.grid->model());
    showBadCell(s.grid, r);
    if (!r.written) return;
    LoadMemberList(c);
    if (s.count) s.count->setText(QString::number(ClubCallLists.of(c).size()));
}

void TBaseEditors::clubNumberChange(Club c) {
    const ClubControls &k = ControlsOf(c);
    ClubSection &s = club(c);
    const QString text = s.numberFind->text();
    const qsizetype n = text.size();
    if (n == 0 || !(n == k.numberLength || (k.numberAtMost && n < k.numberLength))) return;
    const int row = FindRow(s.grid->model(), text, {0, 1, k.numberTrimmed, k.numberFirst});
    if (row >= 0) s.grid->setTopRow(row);
}

void TBaseEditors::clubCallChange(Club c) {
    const ClubControls &k = ControlsOf(c);
    ClubSection &s = club(c);
    const QString text = s.callFind->text();
    if (Trim(text).isEmpty() || text.size() <= k.callLongerThan) return;
    const int row = FindRow(s.grid->model(), text, {1, k.callFirstRow, k.callTrimmed, false});
    if (row >= 0) s.grid->setTopRow(row);
}

// ---------------------------------------------------------------------------
// Names and QTHs

void TBaseEditors::nameReadClick(NameBase base) {
    QListWidget *list = base == NameBase::Names ? mname : memo2;
    list->clear();
    const auto texts = ReadNameBase(base);
    if (!texts) return;
    // Sorted already, with the program's one comparator.
    list->addItems(*texts);
    (base == NameBase::Names ? Panel18 : Panel22)->setText(QString::number(texts->size()));
}

void TBaseEditors::nameDeleteClick(NameBase base) {
    QListWidget *list = base == NameBase::Names ? mname : memo2;
    QListWidgetItem *item = list->currentItem();
    if (!item || !item->isSelected()) {
        StatusText = base == NameBase::Names ? QStringLiteral("Обходимо выделить имя для удаления")
                                             : QStringLiteral("Необходимо выделить QTH для удаления");
        return;
    }
    const int blanked = DeleteFromNameBase(base, item->text());
    if (blanked < 0) return;
    item->setText(QString());
    if (blanked == 0) return;
    if (base == NameBase::Names) LoadNameBase();
    else LoadQthBase();
}

} // namespace zelmor
