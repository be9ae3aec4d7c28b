#include "logtools/poisk.h"

#include "common/bands.h"
#include "common/qsorecord.h"
#include "common/text.h"
#include "logbook/form1.h"
#include "logbook/logfile.h"
#include "logbook/reference.h"
#include "logtools/logsearch.h"
#include "logtools/otchet.h"
#include "logtools/reportprint.h"
#include "logtools/searchgrid.h"
#include "logtools/searchsettings.h"
#include "platform/activation.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/paths.h"
#include "platform/windowshape.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegion>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTimer>
#include <climits>

namespace zelmor {

Tpoisk *poisk = nullptr;
std::function<void()> LoadSearchGridColumnWidthsHook;

const QStringList SearchGridHeadings = {
    QStringLiteral("№ QSO"), QStringLiteral("Call"), QStringLiteral("Name"), QStringLiteral("Qth"),
    QStringLiteral("Date"),  QStringLiteral("UTC"),  QStringLiteral("Band"), QStringLiteral("Mode"),
    QStringLiteral("RSTr"),  QStringLiteral("RSTs"), QStringLiteral("Очки"), QStringLiteral("Info"),
    QStringLiteral("WAZ"),   QStringLiteral("ITU"),  QStringLiteral("Country"), QStringLiteral("QSL"),
    QStringLiteral("QTH-Locator"), QStringLiteral("Via"), QStringLiteral("IOTA"), QStringLiteral("FREQ"),
    QStringLiteral("E"),     QStringLiteral("N"),    QString(),              QStringLiteral("nomr"),
};

namespace {
const QStringList QslWords = {QslSent, QslToSend, QslNotToSend, QslSentAndReceived, QslReceived};

QString MaskedText(const QLineEdit *e) { return e->displayText(); }

QLineEdit *DigitsEdit(QWidget *parent, const char *name, int digits) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,%1}").arg(digits)), e));
    e->setMaxLength(digits);
    return e;
}

QLineEdit *MaskEdit(QWidget *parent, const char *name, const QString &mask) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setInputMask(mask);
    return e;
}

// Upper-cases as the operator types, keeping the caret.
void UpperCaseAsTyped(QLineEdit *e, bool firstLetterOnly) {
    QObject::connect(e, &QLineEdit::textEdited, e, [e, firstLetterOnly](const QString &t) {
        const QString up = firstLetterOnly ? (t.isEmpty() ? t : t.left(1).toUpper() + t.mid(1)) : t.toUpper();
        if (up == t) return;
        const int pos = e->cursorPosition();
        e->setText(up);
        e->setCursorPosition(pos);
    });
}

QLineEdit *TextEdit(QWidget *parent, const char *name, int maxLength, int caseRule) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    if (maxLength > 0) e->setMaxLength(maxLength);
    if (caseRule) UpperCaseAsTyped(e, caseRule == 1);
    return e;
}

QComboBox *Combo(QWidget *parent, const char *name, const QStringList &items, bool editable) {
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(editable);
    c->addItems(items);
    c->setCurrentIndex(-1);
    if (editable) c->setEditText(QString());
    return c;
}

// Tool tips on or off for the whole program.
class HintSwitch : public QObject {
public:
    bool on = true;
    bool eventFilter(QObject *, QEvent *e) override { return !on && e->type() == QEvent::ToolTip; }
};
HintSwitch &Hints() {
    static HintSwitch *h = [] {
        auto *s = new HintSwitch;
        s->setParent(qApp);
        qApp->installEventFilter(s);
        return s;
    }();
    return *h;
}

// The check boxes of the table page: control, object name, stored value, grid column.
struct ColumnBox {
    QCheckBox *Tpoisk::*box;
    const char *name;
    SettingId value;
    int column;
};
const ColumnBox ColumnBoxes[] = {
    {&Tpoisk::pcall, "pcall", SettingId::SearchColCall, 1},    {&Tpoisk::pname, "pname", SettingId::SearchColName, 2},
    {&Tpoisk::pqth, "pqth", SettingId::SearchColQth, 3},       {&Tpoisk::pochk, "pochk", SettingId::SearchColPoints, 10},
    {&Tpoisk::pdate, "pdate", SettingId::SearchColDate, 4},    {&Tpoisk::putc, "putc", SettingId::SearchColUtc, 5},
    {&Tpoisk::prsts, "prsts", SettingId::SearchColRsts, 9},    {&Tpoisk::pqsl, "pqsl", SettingId::SearchColQsl, 15},
    {&Tpoisk::prstr, "prstr", SettingId::SearchColRstr, 8},    {&Tpoisk::pqthl, "pqthl", SettingId::SearchColQthl, 16},
    {&Tpoisk::pmode, "pmode", SettingId::SearchColMode, 7},    {&Tpoisk::pband, "pband", SettingId::SearchColBand, 6},
    {&Tpoisk::pwor, "pwor", SettingId::SearchColCountry, 14},  {&Tpoisk::pwaz, "pwaz", SettingId::SearchColWaz, 12},
    {&Tpoisk::pinfo, "pinfo", SettingId::SearchColInfo, 11},   {&Tpoisk::pitu, "pitu", SettingId::SearchColItu, 13},
};
} // namespace

Tpoisk::Tpoisk(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("poisk"));
    setWindowTitle(QStringLiteral("Поиск и сортировка"));
    resize(770, 580);
    WatchActivations();

    Image1 = new QLabel(QStringLiteral("        Поиск и сортировка"), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 770, 40);
    Image1->setStyleSheet(QStringLiteral("background: #2a4d7a; color: white; font-weight: bold;"));
    new WindowDrag(Image1);

    Str = new TStringGrid(int(SearchGridHeadings.size()), 2, this);
    Str->setObjectName(QStringLiteral("Str"));
    StrRows = new SearchGridModel(SearchGridHeadings, Str);
    Str->setGridModel(StrRows);
    Str->setGeometry(12, 44, 742, 418);
    Str->setSelectionBehavior(QAbstractItemView::SelectItems);
    Str->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Str, &QAbstractItemView::clicked, this, [this] { StrClick(); });

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(12, 466, 742, 12);
    Gauge1->setTextVisible(false);
    Gauge1->hide();

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(30, 482, 420, 18);
    Label2->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    Label2->hide();
    Shape1 = new QLabel(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(12, 484, 14, 14);
    Shape1->setStyleSheet(QStringLiteral("background: red; border-radius: 7px;"));
    Shape1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &Tpoisk::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setSingleShot(true);
    Timer2->setInterval(100);
    connect(Timer2, &QTimer::timeout, this, &Tpoisk::Timer2Timer);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(1000);
    connect(Timer3, &QTimer::timeout, this, &Tpoisk::Timer3Timer);

    buildPanel();
    buildTablePage();
    buildEditors();
    buildMenus();

    // The picture buttons, in two rows under the grid; help and close on
    // the title strip.
    int x = 30, y = 506;
    auto button = [&](const char *name, const QString &caption, const QString &hint, auto handler) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setFlat(true);
        b->setToolTip(hint);
        b->setStyleSheet(QStringLiteral("QPushButton { color: white; background: #3c6aa5; border: 1px solid #9cc;"
                                        " padding: 2px 6px; } QPushButton:pressed { background: #1c3a60; }"));
        b->adjustSize();
        b->move(x, y);
        x += b->width() + 4;
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    ImageFind = button("ImageFind", QStringLiteral("Найти"), QStringLiteral("Найти [F2]"), [this] { N11Click(); });
    Image3 = button("Image3", QStringLiteral("Открыть панель поиска"), QStringLiteral("Открыть панель поиска"),
                    [this] { Image3MouseDown(); });
    Image7 = button("Image7", QStringLiteral("Очистить поля поиска"), QStringLiteral("Очистить поля поиска"),
                    [this] { N10Click(); });
    Image8 = Image7; // one button stands for the pair of pictures
    Image7->hide();
    x = 30, y = 532;
    ImageSave = button("ImageSave", QStringLiteral("Сохранить в файле"), QStringLiteral("Сохранить в файле [F4]"),
                       [this] { N3Click(); });
    ImagePrint = button("ImagePrint", QStringLiteral("Печать"), QStringLiteral("Печать"), [this] { N18Click(); });
    ImageFont = button("ImageFont", QStringLiteral("Шрифт печати"), QStringLiteral("Шрифт печати"), [this] { N6Click(); });
    ImageHide = button("ImageHide", QStringLiteral("Скрыть колонку"), QStringLiteral("Скрыть колонку"),
                       [this] { N17Click(); });
    y = 10;
    auto *close = button("ImageClose", QStringLiteral("×"), QStringLiteral("Закрыть"), [this] { hide(); });
    Image17 = button("Image17", QStringLiteral("?"), QStringLiteral("Справка по данному окну"), [this] { Image17Click(); });
    close->move(770 - 40 - close->width(), 10);
    Image17->move(close->x() - Image17->width() - 4, 10);
}

void Tpoisk::buildPanel() {
    Panel5 = new QFrame(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFrameShape(QFrame::Panel);
    Panel5->setFrameShadow(QFrame::Raised);
    Panel5->setAutoFillBackground(true);
    Panel5->setGeometry(12, 44, 742, 300);
    Panel5->hide();

    mEdit1 = DigitsEdit(Panel5, "mEdit1", 5);
    MEdit2 = DigitsEdit(Panel5, "MEdit2", 5);
    mdata1 = MaskEdit(Panel5, "mdata1", QStringLiteral("00.00.0000; "));
    mdata2 = MaskEdit(Panel5, "mdata2", QStringLiteral("00.00.0000; "));
    // Until a log is opened the band criterion offers the HF bands, 2 m and 70 cm.
    QStringList designBands;
    for (const QString &band : LogBandNames)
        if (band != QLatin1String("136Khz") && band != QLatin1String("50  Mhz") && band != QLatin1String("1.2 Ghz"))
            designBands << band;
    cb2p = Combo(Panel5, "cb2p", designBands, true);
    cbm = Combo(Panel5, "cbm",
                {QStringLiteral("SSB"), QStringLiteral("CW"), QStringLiteral("PSK"), QStringLiteral("RTTY"),
                 QStringLiteral("SSTV"), QStringLiteral("AM"), QStringLiteral("FM")},
                true);
    qslp1 = Combo(Panel5, "qslp1", QslWords, true);
    Lworx1 = new QListWidget(Panel5);
    Lworx1->setObjectName(QStringLiteral("Lworx1"));
    wordp1 = TextEdit(Panel5, "wordp1", 27, 1);
    List1 = new QListWidget(Panel5);
    List1->setObjectName(QStringLiteral("List1"));
    List1->hide();
    itup1 = DigitsEdit(Panel5, "itup1", 2);
    wazp1 = DigitsEdit(Panel5, "wazp1", 2);
    Memo1 = new QPlainTextEdit(Panel5);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    poinfo = TextEdit(Panel5, "poinfo", 0, 0);
    poname = TextEdit(Panel5, "poname", 26, 1);
    poqth = TextEdit(Panel5, "poqth", 28, 1);

    auto *g = new QGridLayout(Panel5);
    int row = 0;
    auto add = [&](const QString &label, QWidget *w, int col) {
        g->addWidget(new QLabel(label, Panel5), row, col * 2);
        g->addWidget(w, row, col * 2 + 1);
    };
    add(QStringLiteral("QSO № с"), mEdit1, 0);
    add(QStringLiteral("по"), MEdit2, 1);
    add(QStringLiteral("Страна"), wordp1, 2);
    ++row;
    add(QStringLiteral("Дата с"), mdata1, 0);
    add(QStringLiteral("по"), mdata2, 1);
    g->addWidget(List1, row, 5, 3, 1);
    ++row;
    add(QStringLiteral("Диапазон"), cb2p, 0);
    add(QStringLiteral("Вид связи"), cbm, 1);
    ++row;
    add(QStringLiteral("QSL"), qslp1, 0);
    add(QStringLiteral("ITU"), itup1, 1);
    ++row;
    add(QStringLiteral("WAZ"), wazp1, 0);
    add(QStringLiteral("Имя"), poname, 1);
    add(QStringLiteral("Страны"), Lworx1, 2);
    ++row;
    add(QStringLiteral("QTH"), poqth, 0);
    add(QStringLiteral("Info"), poinfo, 1);
    ++row;
    g->addWidget(new QLabel(QStringLiteral("Позывные (шаблоны, * — любой знак)"), Panel5), row, 0, 1, 4);
    ++row;
    g->addWidget(Memo1, row, 0, 1, 6);

    connect(wordp1, &QLineEdit::textChanged, this, [this] { complete(wordp1, List1); });
    wordp1->installEventFilter(this);
    List1->installEventFilter(this);
}

void Tpoisk::buildTablePage() {
    nbox1 = new QTabWidget(this);
    nbox1->setObjectName(QStringLiteral("nbox1"));
    nbox1->setGeometry(12, 44, 742, 200);
    auto *page = new QWidget;
    auto *g = new QGridLayout(page);
    int k = 0;
    for (const ColumnBox &cb : ColumnBoxes) {
        auto *box = new QCheckBox(SearchGridHeadings[cb.column], page);
        box->setObjectName(QLatin1String(cb.name));
        this->*(cb.box) = box;
        g->addWidget(box, k / 4, k % 4);
        const SettingId value = cb.value;
        connect(box, &QCheckBox::clicked, this, [value](bool on) { WriteSearchColumnBox(value, on); });
        ++k;
    }
    nbox1->addTab(page, QStringLiteral("Настройка таблицы"));
    nbox1->hide();
}

void Tpoisk::buildEditors() {
    auto place = [this](QWidget *w, int top, int left, int width = 180, int height = 22) {
        w->setParent(this);
        w->setGeometry(left, top, width, height);
        w->hide();
    };
    search_call = TextEdit(this, "search_call", 16, 2);
    search_name = TextEdit(this, "search_name", 0, 0);
    search_qth = TextEdit(this, "search_qth", 0, 0);
    search_date = MaskEdit(this, "search_date", QStringLiteral("00.00.0000; "));
    search_time = MaskEdit(this, "search_time", QStringLiteral("00:00; "));
    Search_BAND = Combo(this, "Search_BAND", {}, false);
    search_mode = Combo(this, "search_mode",
                        {QStringLiteral("SSB"), QStringLiteral("CW"), QStringLiteral("PSK"), QStringLiteral("RTTY"),
                         QStringLiteral("SSTV"), QStringLiteral("AM"), QStringLiteral("FM")},
                        false);
    search_rst = TextEdit(this, "search_rst", 6, 0);
    search_ochki = DigitsEdit(this, "search_ochki", 5);
    search_info = new QPlainTextEdit(this);
    search_info->setObjectName(QStringLiteral("search_info"));
    search_zone = DigitsEdit(this, "search_zone", 2);
    search_contry = TextEdit(this, "search_contry", 27, 1);
    search_List = new QListWidget(this);
    search_List->setObjectName(QStringLiteral("search_List"));
    search_qsl = Combo(this, "search_qsl", QslWords, false);
    search_locator = TextEdit(this, "search_locator", 6, 2);
    search_iota = TextEdit(this, "search_iota", 5, 2);
    search_freq = TextEdit(this, "search_freq", 10, 0);
    for (QWidget *w : std::initializer_list<QWidget *>{search_call, search_name, search_qth, search_date, search_time,
                                                        Search_BAND, search_mode, search_rst, search_ochki, search_zone,
                                                        search_contry, search_qsl, search_locator, search_iota,
                                                        search_freq})
        place(w, 520, 560);
    place(search_info, 464, 520, 234, 80);
    place(search_List, 400, 560, 180, 118);
    connect(search_contry, &QLineEdit::textChanged, this, [this] { complete(search_contry, search_List); });
    search_contry->installEventFilter(this);
    search_List->installEventFilter(this);
}

void Tpoisk::buildMenus() {
    auto action = [this](QAction *&a, const char *name, const QString &text, QKeySequence key, auto handler) {
        a = new QAction(text, this);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    QMenu *file = PopupMenu2->addMenu(QStringLiteral("Файл"));
    file->addAction(action(N3, "N3", QStringLiteral("Сохранить "), Qt::Key_F4, [this] { N3Click(); }));
    PopupMenu2->addAction(action(N11, "N11", QStringLiteral("Найти"), Qt::Key_F2, [this] { N11Click(); }));
    PopupMenu2->addAction(action(N10, "N10", QStringLiteral("Очистить поля поиска"), Qt::Key_F5, [this] { N10Click(); }));
    PopupMenu2->addAction(action(N14, "N14", QStringLiteral("Стереть список стран"), Qt::Key_Delete, [this] { N14Click(); }));
    PopupMenu2->addAction(action(N9, "N9", QStringLiteral("Панель условия поиска"), {}, [this] { N9Click(); }));
    PopupMenu2->addAction(action(N8, "N8", QStringLiteral("Настройка"), {}, [this] { N8Click(); }));
    PopupMenu2->addSeparator();
    PopupMenu2->addAction(action(N12, "N12", QStringLiteral("Печать в формате заявки на диплом"), {}, [this] { N12Click(); }));
    PopupMenu2->addAction(action(N13, "N13", QStringLiteral("Печать листинга в формате 1"), Qt::Key_F3, [this] { N13Click(); }));
    // F4 is the save item's: it comes first in the menu and takes the key.
    PopupMenu2->addAction(action(N21, "N21", QStringLiteral("Печать листинга в формате 2"), {}, [this] { N21Click(); }));
    PopupMenu2->addAction(action(N31, "N31", QStringLiteral("Печать листинга в формате 3"), {}, [this] { N31Click(); }));
    for (QAction *a : {N12, N13, N21, N31}) a->setCheckable(true);
    PopupMenu2->addAction(action(N18, "N18", QStringLiteral("Печать"), {}, [this] { N18Click(); }));
    PopupMenu2->addAction(action(N6, "N6", QStringLiteral("Шрифт печати"), {}, [this] { N6Click(); }));
    PopupMenu2->addSeparator();
    PopupMenu2->addAction(action(N22, "N22", QStringLiteral("Показать или спрятать подсказку "), {}, [this] { N22Click(); }));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(action(N23, "N23", QStringLiteral("Сортировать"), {}, [this] { N23Click(); }));
    PopupMenu1->addAction(action(N16, "N16", QStringLiteral("Показать все колонки"), {}, [this] { N16Click(); }));
    PopupMenu1->addAction(action(N17, "N17", QStringLiteral("Скрыть колонку"), {}, [this] { N17Click(); }));
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(action(N24, "N24", QStringLiteral("Редактирование"), {}, [this] { N24Click(); }));
    N24->setCheckable(true);
    PopupMenu1->addAction(action(N26, "N26", QStringLiteral("Заполнить строку"), Qt::Key_F9, [this] { N26Click(); }));
    PopupMenu1->addAction(action(N27, "N27", QStringLiteral("Сохранить"), Qt::Key_F1, [this] { N27Click(); }));
    N26->setVisible(false);
    N27->setVisible(false);
    N26->setEnabled(false);
    N27->setEnabled(false);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) { PopupMenu2->popup(mapToGlobal(p)); });
    connect(Str, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu1->popup(Str->viewport()->mapToGlobal(p)); });
}

// --- activation and loading

void Tpoisk::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    activation_.shown();
    FormActivate();
}

void Tpoisk::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (activation_.runsOn(this, e)) FormActivate();
}

void Tpoisk::FormActivate() {
    // A rounded rectangle with 65 x 65 corner ellipses and the two side strips.
    QRegion shape = RoundRectRegion(7, 27, 770, 580, 65, 65);
    shape += RectRegion(2, 76, 23, 530);
    shape += RectRegion(758, 76, 770, 530);
    SetWindowMask(this, shape);
    if (!Timer2->isActive()) Timer2->start();
}

void Tpoisk::Timer2Timer() {
    Timer2->stop();
    ClearResultGrid();
    LoadLogIntoLists();
}

void Tpoisk::ClearResultGrid() { StrRows->clearListing(); }

void Tpoisk::setBusy(qint64 done, qint64 total) {
    Gauge1->setMaximum(int(std::min<qint64>(total, INT_MAX)));
    Gauge1->setValue(int(std::min<qint64>(done, INT_MAX)));
}

void Tpoisk::LoadLogIntoLists() {
    const QString path = LogFilePath();
    const qint64 count = std::max<qint64>(0, RecordIO::Count(path, QsoRecord::Size));
    std::vector<qint64> all(static_cast<size_t>(count));
    for (qint64 i = 0; i < count; ++i) all[size_t(i)] = i;
    StrRows->setListing(path, std::move(all));
    FoundCount = 0;
}

void Tpoisk::FillBandBoxes(const QStringList &bands) {
    for (QComboBox *box : {Search_BAND, cb2p}) {
        box->clear();
        box->addItems(bands);
    }
    // An empty band criterion is one not used.
    cb2p->setCurrentIndex(-1);
    cb2p->setEditText(QString());
}

// --- search

SearchCriteria Tpoisk::criteria() const {
    SearchCriteria c;
    c.numberFrom = mEdit1->text();
    c.numberTo = MEdit2->text();
    c.dateFrom = MaskedText(mdata1);
    c.dateTo = MaskedText(mdata2);
    c.band = cb2p->currentText();
    c.mode = cbm->currentText();
    for (int i = 0; i < Lworx1->count(); ++i) c.countries << Lworx1->item(i)->text();
    c.countryPart = wordp1->text();
    c.qsl = qslp1->currentText();
    c.itu = itup1->text();
    c.waz = wazp1->text();
    c.callPatterns = Memo1->toPlainText().split(u'\n');
    for (QString &l : c.callPatterns)
        if (l.endsWith(u'\r')) l.chop(1);
    c.info = poinfo->text();
    c.name = poname->text();
    c.qth = poqth->text();
    return c;
}

void Tpoisk::N11Click() {
    Gauge1->show();
    if (!Timer1->isActive()) Timer1->start();
}

void Tpoisk::Timer1Timer() {
    Timer1->stop();
    RunSearch();
    Gauge1->hide();
}

void Tpoisk::RunSearch() {
    ClearResultGrid();
    FoundCount = 0;
    nbox1->hide();
    const QString path = LogFilePath();
    SearchOutcome found;
    try {
        found = SearchLog(path, criteria(), [this](qint64 d, qint64 t) {
            setBusy(d, t);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    if (!found.error.isEmpty()) {
        platform::dialogs().messageBox(QStringLiteral("Поиск"), found.error, MsgIcon::Warning, MbOk);
        return;
    }
    FoundCount = int(found.indexes.size());
    StrRows->setListing(path, std::move(found.indexes));
    if (found.unreadableDates > 0)
        platform::dialogs().messageBox(
            QStringLiteral("Поиск"),
            QStringLiteral("Записей с нечитаемой датой: %1 (первая: QSO № %2). Они не подходят под условие даты.")
                .arg(found.unreadableDates)
                .arg(found.firstUnreadableNumber),
            MsgIcon::Warning, MbOk);
}

void Tpoisk::N10Click() {
    for (QLineEdit *e : {mEdit1, MEdit2, mdata1, mdata2, wordp1, itup1, wazp1, poinfo, poname, poqth}) e->clear();
    for (QComboBox *c : {cb2p, cbm, qslp1}) {
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
    Lworx1->clear();
    Memo1->clear();
    List1->hide();
}

void Tpoisk::N14Click() { Lworx1->clear(); }

void Tpoisk::N9Click() { Panel5->setVisible(!Panel5->isVisible()); }

void Tpoisk::Image3MouseDown() {
    N9Click();
    Image7->setVisible(Panel5->isVisible());
    if (Panel5->isVisible()) Panel5->raise();
}

void Tpoisk::N8Click() {
    nbox1->setVisible(!nbox1->isVisible());
    if (nbox1->isVisible()) {
        nbox1->raise();
        for (const ColumnBox &cb : ColumnBoxes) (this->*(cb.box))->setChecked(ReadSearchColumnBox(cb.value));
    }
    if (LoadSearchGridColumnWidthsHook) LoadSearchGridColumnWidthsHook();
}

// --- completion of country names

void Tpoisk::complete(QLineEdit *edit, QListWidget *list) {
    const QString typed = edit->text();
    list->clear();
    if (!typed.isEmpty())
        for (const QString &c : DxccCountryList)
            if (c.startsWith(typed)) list->addItem(c);
    list->setVisible(list->count() > 0);
    if (list->count() > 0) list->raise();
}

bool Tpoisk::eventFilter(QObject *o, QEvent *e) {
    if (e->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(e);
        const bool enter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
        if (o == wordp1 || o == search_contry) {
            QListWidget *list = o == wordp1 ? List1 : search_List;
            const int toList = o == wordp1 ? Qt::Key_Down : Qt::Key_Up;
            if (enter) {
                list->hide();
                return true;
            }
            if (ke->key() == toList && !list->isHidden()) {
                list->setFocus();
                list->setCurrentRow(0);
                return true;
            }
        } else if ((o == List1 || o == search_List) && enter) {
            QListWidget *list = static_cast<QListWidget *>(o);
            QLineEdit *edit = o == List1 ? wordp1 : search_contry;
            if (QListWidgetItem *item = list->currentItem()) {
                const QString chosen = item->text();
                edit->setText(chosen);
                if (o == List1) Lworx1->addItem(chosen);
            }
            list->hide();
            edit->setFocus();
            edit->end(false);
            return true;
        }
    } else if (e->type() == QEvent::MouseButtonRelease && (o == wordp1 || o == search_contry)) {
        static_cast<QLineEdit *>(o)->end(false);
    }
    return QWidget::eventFilter(o, e);
}

// --- sort and columns

int Tpoisk::currentColumn() const {
    const QModelIndex i = Str->currentIndex();
    return i.isValid() ? i.column() : 0;
}

void Tpoisk::N23Click() { SortGridByColumn(); }

void Tpoisk::SortGridByColumn() {
    const QString path = LogFilePath();
    Gauge1->show();
    try {
        std::vector<qint64> order = SortLogByColumn(path, currentColumn(), [this](qint64 d, qint64 t) { setBusy(d, t); });
        StrRows->setListing(path, std::move(order));
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
    }
    Gauge1->hide();
}

void Tpoisk::LoadColumnWidths() {
    for (int n = 0; n < Str->colCount(); ++n) {
        const int w = SearchColumnStoredWidth(n);
        Str->setColWidth(n, w != 0 ? w : 80);
    }
}

void Tpoisk::SaveColumnVisibility() {
    for (int n = 0; n < Str->colCount(); ++n) WriteSearchColumnShown(n, Str->colWidth(n) != 0);
}

void Tpoisk::N16Click() {
    LoadColumnWidths();
    SaveColumnVisibility();
}

void Tpoisk::N17Click() {
    Str->setColWidth(currentColumn(), 0);
    SaveColumnVisibility();
}

void Tpoisk::N22Click() { Hints().on = !Hints().on; }

void Tpoisk::Image17Click() { platform::help().show(QStringLiteral("zelmor1.hlp"), 18); }

// --- edit mode

bool Tpoisk::editMode() const { return N24->isChecked(); }

void Tpoisk::N24Click() {
    const bool on = N24->isChecked();
    for (QAction *a : {N27, N26}) {
        a->setVisible(on);
        a->setEnabled(on);
    }
    Label2->setVisible(on);
    Shape1->setVisible(on);
    if (on) {
        if (!Timer3->isActive()) Timer3->start();
    } else {
        Timer3->stop();
    }
    BeginCellEdit();
}

void Tpoisk::Timer3Timer() { Shape1->setVisible(!Shape1->isVisible()); }

QWidget *Tpoisk::cellEditor(int column) const {
    switch (column) {
    case 1: case 17: return search_call;
    case 2: return search_name;
    case 3: return search_qth;
    case 4: return search_date;
    case 5: return search_time;
    case 6: return Search_BAND;
    case 7: return search_mode;
    case 8: case 9: return search_rst;
    case 10: return search_ochki;
    case 11: return search_info;
    case 12: case 13: return search_zone;
    case 14: return search_contry;
    case 15: return search_qsl;
    case 16: return search_locator;
    case 18: return search_iota;
    case 19: return search_freq;
    default: return nullptr;
    }
}

void Tpoisk::StrClick() { BeginCellEdit(); }

void Tpoisk::BeginCellEdit() {
    for (int c = 1; c < 20; ++c)
        if (QWidget *w = cellEditor(c)) w->hide();
    search_List->hide();
    if (!editMode()) {
        Label2->hide();
        return;
    }
    const int col = currentColumn();
    if (QWidget *w = cellEditor(col)) {
        w->show();
        w->raise();
    }
    const int row = Str->row();
    if (row > 0) {
        const QString n = Str->cell(0, row), h = SearchGridHeadings.value(col);
        N27->setText(QStringLiteral("Сохранить QSO № ") + n + QStringLiteral(" колонка: ") + h);
        N26->setText(QStringLiteral("Заполнить ячейку: QSO № ") + n + QStringLiteral(" колонка: ") + h);
        Label2->setText(QStringLiteral("Редактируем QSO №") + n + QStringLiteral(" колон.:") + h);
        Label2->show();
    }
}

void Tpoisk::FillRow() {
    const int col = currentColumn(), row = Str->row();
    QWidget *w = cellEditor(col);
    if (!w || row <= 0) return;
    QString text;
    if (auto *e = qobject_cast<QLineEdit *>(w)) text = e->inputMask().isEmpty() ? e->text() : MaskedText(e);
    else if (auto *c = qobject_cast<QComboBox *>(w)) text = c->currentText();
    else if (auto *m = qobject_cast<QPlainTextEdit *>(w)) text = m->toPlainText();
    // The date and time editors always hold their blank mask: that is empty.
    if (text.isEmpty() || ((col == 4 || col == 5) && IsBlankMaskText(text))) return;
    Str->setCell(col, row, text);
}

void Tpoisk::SaveEditedCell() {
    if (platform::dialogs().messageBox(QStringLiteral("Сохранение"), QStringLiteral("Сохранить измененные данные?"),
                                       MsgIcon::Question, MbYes | MbNo) != MbYes)
        return;
    const int row = Str->row(), col = currentColumn();
    const qint64 index = StrRows->recordIndexOfRow(row);
    if (index < 0) return; // the heading or the blank row
    const QString path = LogFilePath();
    const qint64 count = RecordIO::Count(path, QsoRecord::Size);
    const QString number = Str->cell(0, row).isEmpty() ? QString::number(index + 1) : Str->cell(0, row);
    if (index >= count || !SameFilePath(StrRows->logPath(), path)) {
        ShowErrorBox(QStringLiteral("QSO № %1 нет в текущем журнале: ничего не записано").arg(number));
        return;
    }
    QsoRecord stored;
    CellEditResult result;
    try {
        result = EditLoggedField(path, index, col, Str->cell(col, row), &stored);
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    switch (result) {
    case CellEditResult::InvalidDate:
        ShowErrorBox(QStringLiteral("Неверная дата: \"%1\". Нужно дд.мм.гггг; ничего не записано").arg(Str->cell(col, row)));
        return;
    case CellEditResult::InvalidTime:
        ShowErrorBox(QStringLiteral("Неверное время: \"%1\". Нужно чч:мм; ничего не записано").arg(Str->cell(col, row)));
        return;
    case CellEditResult::NoRecord:
        ShowErrorBox(QStringLiteral("QSO № %1 нет в текущем журнале: ничего не записано").arg(number));
        return;
    case CellEditResult::Unchanged:
    case CellEditResult::Written:
        break;
    }
    StrRows->dropEdit(row, col);
    StrRows->recordChanged(row);
    if (result == CellEditResult::Written) {
        UpdateLogColumnsEntry(index, stored);
        if (RefreshLogGrid) RefreshLogGrid();
    }
}

// --- save the listing as a log

void Tpoisk::N3Click() {
    const int listed = StrRows->listedCount();
    if (listed == 0 || StrRows->cell(0, 1).isEmpty()) {
        platform::dialogs().messageBox(QStringLiteral("Сохранение"), QStringLiteral("Список пуст: сохранять нечего"),
                                       MsgIcon::Information, MbOk);
        return;
    }
    const QString chosen = platform::dialogs().saveFileName(
        QStringLiteral("Сохранить"), QStringLiteral("Аппаратный журнал(.dat)|*log.dat|Аппаратныйжурнал(.log)|*.log"),
        ProgramDir);
    if (!chosen.isEmpty()) {
        const QString target = SaveAsLogPath(chosen);
        if (SameFilePath(target, LogFilePath())) {
            ShowErrorBox(QStringLiteral("\"%1\" — текущий журнал: список в него не записывается")
                             .arg(QDir::toNativeSeparators(target)));
        } else if (!QFileInfo::exists(target) ||
                   platform::dialogs().messageBox(
                       QStringLiteral("Сохранение"),
                       QStringLiteral("Файл \"%1\" уже есть. Заменить его?").arg(QDir::toNativeSeparators(target)),
                       MsgIcon::Question, MbYes | MbNo) == MbYes) {
            try {
                WriteListingAsLog(target, StrRows->listingAsLog());
            } catch (const IoError &e) {
                ShowErrorBox(e.text());
            }
        }
    }
    if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
}

// --- printing

void Tpoisk::chooseFormat(QAction *chosen) {
    for (QAction *a : {N12, N13, N21, N31}) a->setChecked(a == chosen);
}
void Tpoisk::N12Click() { chooseFormat(N12); }
void Tpoisk::N13Click() { chooseFormat(N13); }
void Tpoisk::N21Click() { chooseFormat(N21); }
void Tpoisk::N31Click() { chooseFormat(N31); }

void Tpoisk::PrintSearchResult() {
    const GridCell cell = [this](int col, int row) { return StrRows->cell(col, row); };
    const ReportHead head = CurrentReportHead();
    if (N12->isChecked()) PrintApplicationForm(cell, head);
    if (N13->isChecked()) PrintQsoListing1(cell, head);
    if (N21->isChecked()) PrintQsoListing2(cell, head);
    if (N31->isChecked()) PrintQsoListing3(cell, head);
}

void Tpoisk::N6Click() {
    const ReportFontText stored = ReadReportFont();
    FontChoice font;
    font.name = stored.name;
    font.size = ParseInteger(stored.size).value_or(9);
    font.colour = unsigned(Trim(stored.colour).toLongLong());
    if (!platform::dialogs().chooseFont(font)) return;
    WriteReportFont(font.name, QString::number(font.size), QString::number(font.colour));
}

} // namespace zelmor
