#include "logtools/award.h"

#include "common/text.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/settingsstore.h"
#include "logtools/newaw.h"
#include "logtools/otchet.h"
#include "platform/dialogs.h"
#include "platform/keyboardlayout.h"

#include <QAction>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QValueAxis>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace zelmor {

Taward *award = nullptr;
std::function<QString()> CurrentAwardName;

const QStringList AwardResultHeadings = {QStringLiteral("№"),    QStringLiteral("Call"), QStringLiteral("Date"),
                                         QStringLiteral("UTC"),  QStringLiteral("Band"), QStringLiteral("RST"),
                                         QStringLiteral("Очки"), QStringLiteral("Remarc")};

namespace {
const QStringList ConditionHeadings = {QString(), QStringLiteral("PF"), QStringLiteral("#"), QStringLiteral("S")};
constexpr int ConditionRows = 99;
constexpr int PointsColumn = 6;
const QString Caption = QStringLiteral("Дипломы");

// Upper case as typed, and only the characters a condition may hold.
class ConditionValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override {
        input = input.toUpper();
        for (QChar c : input) {
            const char16_t u = c.unicode();
            if (!((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '/' || u == '*')) return Invalid;
        }
        return Acceptable;
    }
};

QLineEdit *DigitsEdit(QWidget *parent, const char *name) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(5);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), e));
    return e;
}
} // namespace

// --- result model ----------------------------------------------------------

AwardResultModel::AwardResultModel(const QStringList &headings, QObject *parent)
    : StringGridModel(int(headings.size()), 2, parent) {
    for (int c = 0; c < headings.size(); ++c) StringGridModel::setCell(c, 0, headings[c]);
}

void AwardResultModel::setResult(std::vector<AwardQso> rows, bool pointsCounted, qint64 pointsTotal) {
    clearRows(1);
    beginResetModel();
    rows_ = std::move(rows);
    totals_ = true;
    pointsCounted_ = pointsCounted;
    pointsTotal_ = pointsTotal;
    endResetModel();
    setRowCount(int(rows_.size()) + 2);
}

std::vector<AwardQso> AwardResultModel::takeResult() {
    clearRows(1);
    beginResetModel();
    std::vector<AwardQso> rows = std::move(rows_);
    rows_.clear();
    totals_ = false;
    endResetModel();
    setRowCount(2);
    return rows;
}

QString AwardResultModel::cell(int col, int row) const {
    if (row <= 0) return StringGridModel::cell(col, row);
    const int listed = int(rows_.size());
    if (row <= listed) {
        const AwardQso &q = rows_[size_t(row - 1)];
        switch (col) {
        case 0: return QString::number(row);
        case 1: return q.call;
        case 2: return q.date();
        case 3: return q.time();
        case 4: return q.band;
        case 5: return q.rst();
        case 6: return q.points();
        default: return QString();
        }
    }
    if (row == listed + 1 && totals_) {
        if (col == 0) return QStringLiteral("Итого:");
        if (col == PointsColumn && pointsCounted_) return QString::number(pointsTotal_);
        return QString();
    }
    return StringGridModel::cell(col, row); // cells written by hand below the result
}

// --- window ----------------------------------------------------------------

Taward::Taward(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("award"));
    setWindowTitle(Caption);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    N3 = MainMenu1->addMenu(QStringLiteral("Параметры"));
    N3->setObjectName(QStringLiteral("N3"));
    auto item = [this](QMenu *menu, QAction *&a, const char *name, const QString &text, void (Taward::*handler)()) {
        a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, handler);
    };
    item(N3, N1, "N1", QStringLiteral("Новый диплом"), &Taward::N1Click);
    item(N3, N2, "N2", QStringLiteral("Удалить диплом из списка"), &Taward::N2Click);
    item(N3, N4, "N4", QStringLiteral("Сохранить условие диплома"), &Taward::N4Click);
    N4->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    item(N3, N5, "N5", QStringLiteral("Отчет"), &Taward::N5Click);
    item(N3, N6, "N6", QStringLiteral("Очистить диаграмму"), &Taward::N6Click);
    item(N3, N7, "N7", QStringLiteral("Выполнение диплома"), &Taward::N7Click);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    item(PopupMenu1, N9, "N9", QStringLiteral("Очистить диаграмму"), &Taward::N9Click);
    item(PopupMenu1, N8, "N8", QStringLiteral("Выполнение диплома"), &Taward::N8Click);

    awardBox = new QComboBox(this);
    awardBox->setObjectName(QStringLiteral("awardBox"));
    awardBox->setMinimumWidth(200);
    connect(awardBox, &QComboBox::activated, this, &Taward::awardBoxClick);

    GroupBox1 = new QGroupBox(QStringLiteral("Условие диплома"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    str1 = new TStringGrid(int(ConditionHeadings.size()), ConditionRows + 1, GroupBox1);
    str1->setObjectName(QStringLiteral("str1"));
    str1->setColWidth(0, 28);
    for (int c = 1; c < 4; ++c) str1->setColWidth(c, 40);
    for (int r = 1; r <= ConditionRows; ++r) str1->setCell(0, r, QString::number(r));
    str1->setMinimumSize(180, 180);
    str1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(str1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { str1SelectCell(current.column(), current.row()); });
    pf = new QLineEdit(GroupBox1);
    pf->setObjectName(QStringLiteral("pf"));
    pf->setMaxLength(2);
    pf->setValidator(new ConditionValidator(pf));
    pf->setMaximumWidth(60);
    pf->installEventFilter(this);
    connect(pf, &QLineEdit::textChanged, this, &Taward::pfChange);

    edit2 = DigitsEdit(GroupBox1, "edit2");
    Edit1 = DigitsEdit(GroupBox1, "Edit1");
    podsBox = new QCheckBox(QStringLiteral("Подсчет очков"), GroupBox1);
    podsBox->setObjectName(QStringLiteral("podsBox"));
    povbox = new QCheckBox(QStringLiteral("Повт. на разных диап."), GroupBox1);
    povbox->setObjectName(QStringLiteral("povbox"));
    awdate = new QLineEdit(GroupBox1);
    awdate->setObjectName(QStringLiteral("awdate"));
    awdate->setInputMask(QStringLiteral("99.99.9999; "));
    awdate->setText(QStringLiteral("01.01.1999"));
    info1 = new QPlainTextEdit(GroupBox1);
    info1->setObjectName(QStringLiteral("info1"));
    info1->setMaximumHeight(60);
    Edit3 = new QLineEdit(GroupBox1);
    Edit3->setObjectName(QStringLiteral("Edit3"));

    auto *cond = new QGridLayout(GroupBox1);
    cond->addWidget(str1, 0, 0, 6, 1);
    auto *pfRow = new QHBoxLayout;
    pfRow->addWidget(new QLabel(QStringLiteral("Знаки:"), GroupBox1));
    pfRow->addWidget(pf);
    pfRow->addStretch();
    cond->addLayout(pfRow, 6, 0);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Колич. QSO"), edit2);
    form->addRow(QStringLiteral("Колич. очков"), Edit1);
    form->addRow(podsBox);
    form->addRow(povbox);
    form->addRow(QStringLiteral("Дата начала"), awdate);
    cond->addLayout(form, 0, 1, 4, 1);
    cond->addWidget(new QLabel(QStringLiteral("Адресс отправки"), GroupBox1), 4, 1);
    cond->addWidget(info1, 5, 1);
    cond->addWidget(new QLabel(QStringLiteral("Ф.И.О. ,Call - Заверяющего"), GroupBox1), 7, 0, 1, 2);
    cond->addWidget(Edit3, 8, 0, 1, 2);

    results = new AwardResultModel(AwardResultHeadings, this);
    Str3 = new TStringGrid(int(AwardResultHeadings.size()), 2, this);
    Str3->setObjectName(QStringLiteral("Str3"));
    Str3->setGridModel(results);
    Str3->setColWidth(0, 50);
    Str3->setColWidth(1, 90);
    Str3->setColWidth(2, 80);
    // Narrow columns, but never narrower than their bold heading.
    QFont bold = Str3->font();
    bold.setBold(true);
    const QFontMetrics heading(bold);
    for (int c = 3; c < 8; ++c) Str3->setColWidth(c, std::max(56, heading.horizontalAdvance(AwardResultHeadings[c]) + 12));

    tchart = new QChartView(new QChart, this);
    tchart->setObjectName(QStringLiteral("tchart"));
    tchart->chart()->setTitle(QStringLiteral("Диаграммы выполнение дипломов"));
    tchart->chart()->legend()->hide();
    tchart->setMinimumSize(300, 220);
    for (QWidget *w : std::initializer_list<QWidget *>{tchart, GroupBox1}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint &p) { PopupMenu1->popup(w->mapToGlobal(p)); });
    }

    sbar1 = new QStatusBar(this);
    sbar1->setObjectName(QStringLiteral("sbar1"));
    sbar1->setSizeGripEnabled(false);

    auto *layout = new QGridLayout(this);
    layout->setMenuBar(MainMenu1);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Диплом:"), this));
    top->addWidget(awardBox);
    top->addStretch();
    layout->addLayout(top, 0, 0, 1, 2);
    layout->addWidget(GroupBox1, 1, 0);
    layout->addWidget(tchart, 1, 1);
    layout->addWidget(Str3, 2, 0, 1, 2);
    layout->addWidget(sbar1, 3, 0, 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(1, 1);
    resize(820, 640);
    DrawChart();
}

void Taward::FormActivate() {
    setWindowTitle(LogFileName + QStringLiteral("  ") + Caption);
    for (int c = 1; c < ConditionHeadings.size(); ++c) str1->setCell(c, 0, ConditionHeadings[c]);
    for (int c = 0; c < AwardResultHeadings.size(); ++c) results->setCell(c, 0, AwardResultHeadings[c]);
}

void Taward::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    // Cheap and idempotent: Qt also activates the window after every box.
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

bool Taward::eventFilter(QObject *watched, QEvent *event) {
    // Calls are Latin whatever the desktop types.
    if (watched == pf && event->type() == QEvent::FocusIn) platform::keyboardLayout().activate(LayoutUs, pf);
    return QWidget::eventFilter(watched, event);
}

void Taward::str1SelectCell(int col, int row) {
    if (col < 1 || col > 3 || row < 1) return;
    editCol_ = col;
    editRow_ = row;
    pf->setMaxLength(col == 1 ? 2 : 1);
    pf->setFocus();
    // Emptied for the new text without emptying the cell: a click never
    // loses an entry.
    const QSignalBlocker quiet(pf);
    pf->clear();
}

void Taward::pfChange(const QString &text) { str1->setCell(editCol_, editRow_, text); }

AwardDefinition Taward::Conditions() const {
    AwardDefinition d;
    d.name = awardBox->currentText();
    QStringList *lists[3] = {&d.prefixes, &d.thirds, &d.fourths};
    for (int c = 1; c <= 3; ++c) {
        int last = 0;
        for (int r = 1; r <= ConditionRows; ++r)
            if (!Trim(str1->cell(c, r)).isEmpty()) last = r;
        for (int r = 1; r <= last; ++r) *lists[c - 1] << Trim(str1->cell(c, r));
    }
    d.qsos = Trim(edit2->text());
    d.points = Trim(Edit1->text());
    d.countPoints = podsBox->isChecked();
    d.repeats = povbox->isChecked();
    d.startDate = awdate->text();
    d.info = info1->toPlainText();
    d.certifier = Edit3->text();
    return d;
}

void Taward::ShowConditions(const AwardDefinition &d) {
    povbox->setChecked(d.repeats);
    podsBox->setChecked(d.countPoints);
    Edit1->setText(d.points);
    edit2->setText(d.qsos);
    awdate->setText(d.startDate);
    info1->setPlainText(d.info);
    Edit3->setText(d.certifier);
    const QStringList *lists[3] = {&d.prefixes, &d.thirds, &d.fourths};
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= ConditionRows; ++r)
            str1->setCell(c, r, r <= lists[c - 1]->size() ? (*lists[c - 1])[r - 1] : QString());
}

void Taward::ClearAwardConditions() {
    Edit1->clear();
    edit2->clear();
    Edit3->clear();
    info1->clear();
    povbox->setChecked(false);
    podsBox->setChecked(false);
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= ConditionRows; ++r) str1->setCell(c, r, QString());
}

void Taward::LoadAwardDefinition(const QString &name) {
    ClearAwardConditions();
    if (name.isEmpty()) return;
    // The first slot only: the one saving writes, so two slots never mix.
    const int slot = FindAwardSlot(name);
    if (slot >= 0) ShowConditions(LoadAwardSlot(slot));
}

void Taward::awardBoxClick() {
    LoadAwardDefinition(awardBox->currentText());
    ComputeAwardFulfilment();
}

void Taward::ComputeAwardFulfilment() {
    const QString name = awardBox->currentText();
    if (name.isEmpty()) return;
    sbar1->clearMessage();
    // The last listing's memory is filled again: fresh pages for a hundred
    // thousand rows cost more than reading them.
    std::vector<AwardQso> reuse = results->takeResult();
    AwardDefinition def = Conditions();
    def.name = name;
    QProgressBar *gauge = glawnf ? glawnf->Gauge1 : nullptr;
    auto progress = [gauge](qint64 done, qint64 total) {
        if (!gauge || total <= 0) return;
        gauge->setMaximum(1000);
        gauge->setValue(int(done * 1000 / total));
        gauge->repaint();
    };
    AwardEvaluation e;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        e = EvaluateAward(LogFilePath(), def, progress, std::move(reuse));
        QApplication::restoreOverrideCursor();
    } catch (const IoError &error) {
        QApplication::restoreOverrideCursor();
        if (gauge) gauge->setValue(0);
        ShowErrorBox(error.text());
        return;
    }
    if (gauge) gauge->setValue(0);
    sbar1->showMessage(e.message());
    if (!e.problem.isEmpty()) return;
    results->setResult(std::move(e.rows), e.pointsCounted, e.pointsTotal);
    if (!e.percent) return;
    Series1.push_back(Bar{name, double(*e.percent), QColor(255, 0, 0)});
    DrawChart();
}

bool Taward::AddNewAward(const QString &name) {
    if (FindAwardSlot(name) >= 0) {
        platform::dialogs().messageBox(Caption, QStringLiteral("Диплом \"%1\" уже есть в списке. Выберите другое название.").arg(name),
                                       MsgIcon::Warning, MbOk);
        return false;
    }
    const int slot = FreeSlot();
    if (slot < 0) {
        platform::dialogs().messageBox(Caption, QStringLiteral("Нет места для нового диплома: все ячейки списка заняты."),
                                       MsgIcon::Warning, MbOk);
        return false;
    }
    AwardDefinition def = Conditions();
    def.name = name;
    if (!SaveAwardDefinition(slot, def)) {
        if (SettingsRegistry && !SettingsRegistry->lastError().isEmpty()) ShowErrorBox(SettingsRegistry->lastError());
        return false;
    }
    awardBox->addItem(name);
    awardBox->setCurrentIndex(awardBox->count() - 1);
    return true;
}

void Taward::N1Click() {
    newaw->Edit1->clear();
    // Window-modal to this window, without an event loop of its own.
    winId();
    newaw->winId();
    if (QWindow *w = newaw->windowHandle()) w->setTransientParent(windowHandle());
    newaw->setWindowModality(Qt::WindowModal);
    newaw->move(frameGeometry().center() - newaw->rect().center());
    newaw->show();
    newaw->raise();
    newaw->activateWindow();
    newaw->Edit1->setFocus();
}

void Taward::N2Click() {
    ClearAwardConditions();
    DeleteAwardSlots(awardBox->currentText());
}

void Taward::N4Click() {
    const QString name = awardBox->currentText();
    if (name.isEmpty()) return;
    const int slot = FindAwardSlot(name);
    if (slot < 0) return;
    AwardDefinition def = Conditions();
    def.name = name;
    if (!SaveAwardDefinition(slot, def) && SettingsRegistry && !SettingsRegistry->lastError().isEmpty())
        ShowErrorBox(SettingsRegistry->lastError());
}

void Taward::N5Click() {
    if (otchet) otchet->awardred();
}

void Taward::LoadAwardSelector() {
    const QSignalBlocker quiet(awardBox);
    awardBox->clear();
    awardBox->addItems(AwardSlotNames());
    awardBox->setCurrentIndex(-1);
}

void Taward::ClearChart() {
    Series1.clear();
    DrawChart();
}

void Taward::DrawChart() {
    QChart *c = tchart->chart();
    c->removeAllSeries();
    for (QAbstractAxis *a : c->axes()) {
        c->removeAxis(a);
        delete a;
    }
    if (Series1.empty()) return;
    // One category per bar: the same award computed twice shows twice.
    QStringList categories;
    auto *set = new QBarSet(QStringLiteral("Series1"));
    set->setColor(Series1.front().colour);
    double top = 100;
    for (const Bar &b : Series1) {
        QString label = b.label;
        for (int n = 2; categories.contains(label); ++n) label = QStringLiteral("%1 (%2)").arg(b.label).arg(n);
        categories << label;
        *set << b.value;
        top = std::max(top, b.value);
    }
    auto *series = new QBarSeries;
    series->setObjectName(QStringLiteral("Series1"));
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value %"));
    c->addSeries(series);
    auto *x = new QBarCategoryAxis;
    x->append(categories);
    c->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto *y = new QValueAxis;
    y->setRange(0, std::ceil(top / 10) * 10);
    y->setLabelFormat(QStringLiteral("%d"));
    c->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}

} // namespace zelmor
