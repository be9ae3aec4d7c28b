#include "logtools/import.h"

#include "logbook/form1.h"
#include "logtools/adif.h"
#include "logtools/importsave.h"
#include "logtools/rowlookup.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmor {

Timport *import = nullptr;
ImportHooks ImportHook;

const QStringList ImportGridCaptions = {
    QStringLiteral("№ QSO"), QStringLiteral("Call"), QStringLiteral("Name"), QStringLiteral("QTH"),
    QStringLiteral("Страна"), QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Band"),
    QStringLiteral("Mode"), QStringLiteral("№RUS"), QStringLiteral("RSTR"), QStringLiteral("RSTS"),
    QStringLiteral("ITU"), QStringLiteral("INFO"), QStringLiteral("WAZ"), QStringLiteral("Очки"),
    QStringLiteral("QSL"), QStringLiteral("QTHL"), QStringLiteral("IOTA"), QStringLiteral("VIA"),
    QStringLiteral("FREQ"),
};

namespace {
QLineEdit *Edit(QWidget *parent, const char *name, int width = 0, int maxLength = 0) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (width) e->setFixedWidth(width);
    if (maxLength) e->setMaxLength(maxLength);
    return e;
}
QPushButton *Button(QWidget *parent, const char *name, const QString &text) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
QFrame *Panel(QWidget *parent, const char *name) {
    auto *p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setFrameShape(QFrame::StyledPanel);
    p->hide();
    return p;
}
QComboBox *Combo(QWidget *parent, const char *name) {
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    return c;
}
const QString SaveFilter = QStringLiteral("Аппаратный журнал(.dat)|*log.dat|Аппаратныйжурнал(.log)|*.log");
} // namespace

QAction *Timport::formatItem(QMenu *menu, const char *name, const QString &caption, void (Timport::*click)()) {
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, click] { (this->*click)(); });
    return a;
}

Timport::Timport(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("import"));
    setWindowTitle(QStringLiteral("Импорт и экспорт файлов"));
    resize(1000, 640);

    MainMenu1 = new QMenuBar(this);
    FormatMenu = MainMenu1->addMenu(QStringLiteral("Формат"));
    EQF1 = formatItem(FormatMenu, "EQF1", QStringLiteral("Импорт из программы LOG-EQF формат файла - ACSII (Commas)"), &Timport::EQF1Click);
    LOGEQF1 = formatItem(FormatMenu, "LOGEQF1", QStringLiteral("Импорт из программы LOG-EQF формат файла (*.log)"), &Timport::LOGEQF1Click);
    QZ4W1 = formatItem(FormatMenu, "QZ4W1", QStringLiteral("Импорт из программы QZ4W в формат ZELMOR"), &Timport::QZ4W1Click);
    QZ5WW = formatItem(FormatMenu, "QZ5WW", QStringLiteral("Иморт из программы  QZ5WW в формат ZELMOR"), &Timport::QZ5WWClick);
    SWIS1 = formatItem(FormatMenu, "SWIS1", QStringLiteral("Импорт из программы SWISLOG в формат ZELMOR"), &Timport::SWIS1Click);
    LOGPLUS1 = formatItem(FormatMenu, "LOGPLUS1", QStringLiteral("Импорт из программы LOGPLUS в формат ZELMOR"), &Timport::LOGPLUS1Click);
    LOGPLUS2 = formatItem(FormatMenu, "LOGPLUS2", QStringLiteral("Импорт  инфо из программы LOGPLUS в файл  лога  "), &Timport::LOGPLUS2Click);
    AALOG1 = formatItem(FormatMenu, "AALOG1", QStringLiteral("Импорт файла программы AALOG в формат ZELMOR"), &Timport::AALOG1Click);
    ADIFG1 = formatItem(FormatMenu, "ADIFG1", QStringLiteral("Импорт из ADIF формата в ZELMOR"), &Timport::ADIFG1Click);
    Mixw2 = formatItem(FormatMenu, "Mixw2", QStringLiteral("Импорт из программы Mixw2 в формат ZELMOR"), &Timport::Mixw2Click);
    N7 = FormatMenu->addSeparator();
    N7->setObjectName(QStringLiteral("N7"));
    Zelmor1 = formatItem(FormatMenu, "Zelmor1", QStringLiteral("Экспорт файла программы  Zelmor в текстовый файл"), &Timport::Zelmor1Click);
    QZ4W2 = formatItem(FormatMenu, "QZ4W2", QStringLiteral("Экспорт контестового файла  в текстовый формат ( формат QZ4W)."), &Timport::QZ4W2Click);
    ADIF1 = formatItem(FormatMenu, "ADIF1", QStringLiteral("Экспорт файла программы Zelmor в формат ADIF"), &Timport::ADIF1Click);
    FileMenu = MainMenu1->addMenu(QStringLiteral("Файл"));
    N3 = FileMenu->addAction(QStringLiteral("Открыть"), this, &Timport::N3Click);
    N3->setObjectName(QStringLiteral("N3"));
    N4 = FileMenu->addAction(QStringLiteral("Сохранить"), this, &Timport::N4Click);
    N4->setObjectName(QStringLiteral("N4"));
    EditMenu = MainMenu1->addMenu(QStringLiteral("Редактирование"));
    N6 = EditMenu->addAction(QStringLiteral("Панель редактирования"), this, &Timport::N6Click);
    N6->setObjectName(QStringLiteral("N6"));

    Edit1 = Edit(this, "Edit1");
    Edit2 = Edit(this, "Edit2");
    SpeedButton2 = Button(this, "SpeedButton2", QStringLiteral("Конвертация"));
    connect(SpeedButton2, &QPushButton::clicked, this, &Timport::SpeedButton2Click);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &Timport::Timer1Timer);

    StreModel = new ImportGridModel(this);
    StreModel->setEditable(true);
    Stre = new TStringGrid(ImportRowStore::Columns, 2, this);
    Stre->setGridModel(StreModel);
    Stre->setObjectName(QStringLiteral("Stre"));
    Stre->setSelectionBehavior(QAbstractItemView::SelectItems);
    Stre->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 0; c < ImportGridCaptions.size(); ++c) StreModel->setCell(c, 0, ImportGridCaptions[c]);
    Stre->setColWidth(ImportColumn::Number, 60);
    Stre->setColWidth(ImportColumn::Call, 80);
    Stre->setColWidth(ImportColumn::Country, 150);
    Stre->setColWidth(ImportColumn::Date, 76);
    Stre->setColWidth(ImportColumn::Qsl, 100);
    Stre->setColWidth(ImportColumn::Info, 120);

    Panel1 = Panel(this, "Panel1");
    Gauge1 = new QProgressBar(Panel1);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setValue(0);
    Panel1Text = new QLabel(QStringLiteral("Конвертирование файла длится несколько минут"), Panel1);
    auto *p1 = new QVBoxLayout(Panel1);
    p1->addWidget(Panel1Text);
    p1->addWidget(Gauge1);

    Panel5 = Panel(this, "Panel5");
    Edit4 = Edit(Panel5, "Edit4", 70, 7);
    Edit11 = Edit(Panel5, "Edit11", 70, 7);
    auto *p5 = new QHBoxLayout(Panel5);
    p5->addWidget(new QLabel(QStringLiteral("Конвертировать в ADIF  начиная с QSO"), Panel5));
    p5->addWidget(new QLabel(QStringLiteral("с №"), Panel5));
    p5->addWidget(Edit4);
    p5->addWidget(new QLabel(QStringLiteral("по №"), Panel5));
    p5->addWidget(Edit11);
    p5->addStretch(1);

    Panel2 = Panel(this, "Panel2");
    SpeedButton1 = Button(Panel2, "SpeedButton1", QStringLiteral("QSL"));
    SpeedButton3 = Button(Panel2, "SpeedButton3", QStringLiteral("Mode"));
    SpeedButton4 = Button(Panel2, "SpeedButton4", QStringLiteral("Band"));
    iqsl = Combo(Panel2, "iqsl");
    iband = Combo(Panel2, "iband");
    imode = Combo(Panel2, "imode");
    Edit5 = Edit(Panel2, "Edit5", 60, 5);
    edit6 = Edit(Panel2, "edit6", 60, 5);
    edit7 = Edit(Panel2, "edit7", 60, 5);
    edit8 = Edit(Panel2, "edit8", 60, 5);
    edit9 = Edit(Panel2, "edit9", 60, 5);
    edit10 = Edit(Panel2, "edit10", 60, 5);
    Edit3 = Edit(Panel2, "Edit3", 200);
    connect(SpeedButton1, &QPushButton::clicked, this, &Timport::SpeedButton1Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &Timport::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &Timport::SpeedButton4Click);
    auto *p2 = new QGridLayout(Panel2);
    p2->addWidget(new QLabel(QStringLiteral("Редактировать выделенную ячейку или указанные ячейки"), Panel2), 0, 0, 1, 5);
    int r = 1;
    for (auto [button, box, from, to] : {std::tuple{SpeedButton1, iqsl, Edit5, edit6}, std::tuple{SpeedButton3, iband, edit7, edit8},
                                         std::tuple{SpeedButton4, imode, edit9, edit10}}) {
        p2->addWidget(button, r, 0);
        p2->addWidget(box, r, 1);
        p2->addWidget(new QLabel(QStringLiteral("Начиная с              по"), Panel2), r, 2);
        p2->addWidget(from, r, 3);
        p2->addWidget(to, r, 4);
        ++r;
    }
    p2->addWidget(new QLabel(QStringLiteral("Название контеста"), Panel2), r, 0);
    p2->addWidget(Edit3, r, 1, 1, 4);

    Panel3 = Panel(this, "Panel3");
    Dir1 = Edit(Panel3, "Dir1");
    Dir1->setReadOnly(true);
    Dir1->setText(ProgramDir);
    Dir1Button = Button(Panel3, "Dir1Button", QStringLiteral("Папка..."));
    Fil1 = new QListWidget(Panel3);
    Fil1->setObjectName(QStringLiteral("Fil1"));
    Fil1->setSelectionMode(QAbstractItemView::NoSelection);
    SpeedButton6 = Button(Panel3, "SpeedButton6", QStringLiteral("OK"));
    SpeedButton7 = Button(Panel3, "SpeedButton7", QStringLiteral("Отмена"));
    connect(Dir1Button, &QPushButton::clicked, this, &Timport::Dir1Click);
    connect(SpeedButton6, &QPushButton::clicked, this, &Timport::SpeedButton6Click);
    connect(SpeedButton7, &QPushButton::clicked, this, &Timport::SpeedButton7Click);
    auto *p3 = new QGridLayout(Panel3);
    p3->addWidget(new QLabel(QStringLiteral("Файлы с информацией"), Panel3), 0, 0, 1, 3);
    p3->addWidget(Dir1, 1, 0, 1, 2);
    p3->addWidget(Dir1Button, 1, 2);
    p3->addWidget(Fil1, 2, 0, 1, 3);
    p3->addWidget(SpeedButton6, 3, 1);
    p3->addWidget(SpeedButton7, 3, 2);

    auto *paths = new QGridLayout;
    paths->addWidget(new QLabel(QStringLiteral("Импорт"), this), 0, 0);
    paths->addWidget(Edit1, 0, 1);
    paths->addWidget(new QLabel(QStringLiteral("Экспорт"), this), 1, 0);
    paths->addWidget(Edit2, 1, 1);
    paths->addWidget(SpeedButton2, 0, 2, 2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    layout->addLayout(paths);
    layout->addWidget(Panel1);
    layout->addWidget(Panel5);
    layout->addWidget(Panel2);
    layout->addWidget(Panel3);
    layout->addWidget(Stre, 1);
}

QList<QAction *> Timport::formatItems() const {
    return {EQF1, LOGEQF1, QZ4W1, QZ5WW, SWIS1, LOGPLUS1, LOGPLUS2, AALOG1, ADIFG1, Mixw2, Zelmor1, QZ4W2, ADIF1};
}

void Timport::UncheckFormatItems() {
    for (QAction *a : formatItems()) a->setChecked(false);
}

// Each item unticks the others and ticks itself.
#define ZELMOR_FORMAT_ITEM(item)          \
    void Timport::item##Click() {         \
        UncheckFormatItems();             \
        item->setChecked(true);           \
    }
ZELMOR_FORMAT_ITEM(EQF1)
ZELMOR_FORMAT_ITEM(LOGEQF1)
ZELMOR_FORMAT_ITEM(QZ4W1)
ZELMOR_FORMAT_ITEM(QZ5WW)
ZELMOR_FORMAT_ITEM(SWIS1)
ZELMOR_FORMAT_ITEM(LOGPLUS1)
ZELMOR_FORMAT_ITEM(LOGPLUS2)
ZELMOR_FORMAT_ITEM(AALOG1)
ZELMOR_FORMAT_ITEM(ADIFG1)
ZELMOR_FORMAT_ITEM(Mixw2)
ZELMOR_FORMAT_ITEM(Zelmor1)
ZELMOR_FORMAT_ITEM(QZ4W2)
#undef ZELMOR_FORMAT_ITEM

void Timport::ADIF1Click() {
    UncheckFormatItems();
    ADIF1->setChecked(true);
    Panel5->show();
}

QString Timport::openFilter() const {
    if (EQF1->isChecked()) return QStringLiteral("Файл программы LOG-EQF(*.dat)|*.dat");
    if (LOGEQF1->isChecked()) return QStringLiteral("Файл программы LOG-EQF(*.log)|*.log");
    if (QZ4W1->isChecked()) return QStringLiteral("Файл программы QZ4W(log.dat)|log.dat");
    if (QZ5WW->isChecked()) return QStringLiteral("Файл программы QZ5WW|*.log");
    if (SWIS1->isChecked()) return QStringLiteral("Файл программы SWISLOG|*.dat");
    if (LOGPLUS1->isChecked()) return QStringLiteral("Файл программы LOGPLUS|*.dbf");
    if (LOGPLUS2->isChecked())
        return QStringLiteral("Файл программы Zelmor(*log.dat|*log.dat|Файл программы Zelmor(*.log)|*.log");
    if (AALOG1->isChecked()) return QStringLiteral("Файл программы AALOG(*.log)|*.log");
    if (ADIFG1->isChecked()) return QStringLiteral("Файл программы ADIF(*.adi)|*.adi");
    if (Mixw2->isChecked()) return QStringLiteral("Файл программы MIXW2(*.log)|*.log");
    if (Zelmor1->isChecked())
        return QStringLiteral("Файл программы Zelmor(*log.dat|*log.dat|Текстовый файл(*.txt)|*.txt");
    if (QZ4W2->isChecked()) return QStringLiteral("Контестовый файл|*.tst");
    // The program's own logs are named "*.log" as well.
    if (ADIF1->isChecked())
        return QStringLiteral("Файл программы Zelmor(*log.dat)|*log.dat|Файл программы Zelmor(*.log)|*.log");
    return QStringLiteral("Файл программы LOG-EQF(*.dat)|*.txt|Файл программы Zelmor(*log.dat|*log.dat|"
                          "Текстовый файл(*.txt)|*.txt|Контестовый файл|*test.dat");
}

void Timport::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    FormActivate();
}

void Timport::FormActivate() {
    // The pick lists of the QSO window; the names of the last two cross.
    const auto copy = [](QListWidget *from, QComboBox *to) {
        if (!from) return;
        to->clear();
        for (int i = 0; i < from->count(); ++i) to->addItem(from->item(i)->text());
    };
    if (form1) {
        copy(form1->List_qsl, iqsl);
        copy(form1->List_mode, iband);
        copy(form1->List_band, imode);
    }
    for (int c = 0; c < ImportGridCaptions.size(); ++c) StreModel->setCell(c, 0, ImportGridCaptions[c]);
}

void Timport::SpeedButton2Click() {
    Panel1->show();
    Timer1->start();
}

void Timport::Timer1Timer() {
    Timer1->stop();
    // Any other conversion replaces the rows of a loaded log.
    infoSource.clear();
    const auto run = [](const std::function<void()> &f) {
        if (f) f();
    };
    if (EQF1->isChecked()) run(ImportHook.ImportLogEqfCommas);
    else if (LOGEQF1->isChecked()) run(ImportHook.ImportLogEqfLog);
    else if (QZ4W1->isChecked()) run(ImportHook.ImportQz4wLog);
    else if (QZ5WW->isChecked()) run(ImportHook.ImportQz5wwLog);
    else if (SWIS1->isChecked()) run(ImportHook.ImportSwislog);
    else if (LOGPLUS1->isChecked()) run(ImportHook.ImportLogplusDbf);
    else if (LOGPLUS2->isChecked()) {
        run(ImportHook.LoadLogForInfoImport);
        Panel3->show();
    } else if (AALOG1->isChecked()) run(ImportHook.ImportAalog);
    else if (ADIFG1->isChecked()) ImportAdif();
    else if (Mixw2->isChecked()) run(ImportHook.ImportMixw2);
    else if (Zelmor1->isChecked()) run(ImportHook.ExportLogToText);
    else if (QZ4W2->isChecked()) run(ImportHook.ExportContestToText);
    else if (ADIF1->isChecked()) ExportAdif();
    if (!LOGPLUS2->isChecked()) Panel1->hide();
}

void Timport::N3Click() {
    const QString path = platform::dialogs().openFileName(QStringLiteral("Открыть"), openFilter(), ProgramDir);
    if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
    if (!path.isEmpty()) Edit1->setText(path);
}

void Timport::N4Click() {
    if (Edit1->text().isEmpty()) return;
    const QString chosen = platform::dialogs().saveFileName(QStringLiteral("Сохранить"), SaveFilter, ProgramDir);
    if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
    if (chosen.isEmpty()) return; // cancelled: nothing is written
    const QString target = GridSaveTarget(chosen);
    Edit2->setText(target);
    if (infoSource.holds(StreModel->rows()) && SameLogFile(target, infoSource.logPath)) {
        // The log the rows came from: its info fields are rewritten in place.
        const InfoSaveResult r = SaveInfoInPlace(StreModel->rows(), infoSource);
        if (!r.error.isEmpty()) ShowErrorBox(r.error);
        if (!r.left.isEmpty()) {
            QStringList shown = r.left.mid(0, 20);
            if (r.left.size() > 20) shown << QStringLiteral("...");
            platform::dialogs().messageBox(QStringLiteral("LOGPLUS"), shown.join(u'\n'), MsgIcon::Warning, MbOk);
        }
        if (r.rewritten > 0 && IsCurrentLog(target) && RefreshLogGrid) RefreshLogGrid();
        return;
    }
    const GridSaveResult r = AppendGridRowsToLog(StreModel->rows(), target);
    if (r.status != GridSaveResult::Saved) {
        ShowErrorBox(r.error);
        return;
    }
    if (r.written > 0 && IsCurrentLog(target) && RefreshLogGrid) RefreshLogGrid();
}

void Timport::N6Click() { Panel2->setHidden(!Panel2->isHidden()); }

void Timport::fillRows(QComboBox *box, QLineEdit *from, QLineEdit *to) {
    const QModelIndex current = Stre->currentIndex();
    if (!current.isValid()) return;
    const int col = current.column();
    const QString value = box->currentText();
    if (from->text().trimmed().isEmpty() || to->text().trimmed().isEmpty()) {
        if (current.row() >= 1) StreModel->setCell(col, current.row(), value);
        return;
    }
    // Only the data rows: never the captions, never past the last row.
    const qint64 rows = StreModel->rows().size();
    const qint64 first = qMax<qint64>(1, from->text().trimmed().toLongLong());
    const qint64 last = qMin<qint64>(rows, to->text().trimmed().toLongLong());
    for (qint64 r = first; r <= last; ++r) StreModel->setCell(col, int(r), value);
}

void Timport::Dir1Click() {
    const QString folder = platform::dialogs().folderName(QStringLiteral("Файлы с информацией"),
                                                          Dir1->text().isEmpty() ? ProgramDir : Dir1->text());
    if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
    if (folder.isEmpty()) return;
    Dir1->setText(folder);
    FillInfoFileList();
}

void Timport::FillInfoFileList() {
    Fil1->clear();
    if (!Dir1->text().isEmpty()) Fil1->addItems(ListInfoFiles(Dir1->text()));
}

void Timport::SpeedButton6Click() {
    QStringList files;
    for (int i = 0; i < Fil1->count(); ++i) files << Fil1->item(i)->text();
    const InfoMergeResult r = MergeInfoFiles(StreModel->rows(), Dir1->text(), files);
    StreModel->storeChanged();
    Stre->setRowCount(int(StreModel->rows().size()) + 1);
    if (!r.error.isEmpty()) ShowErrorBox(r.error);
    Panel1->hide();
    Panel3->hide();
}

void Timport::SpeedButton7Click() {
    Panel3->hide();
    Panel1->hide();
}

void Timport::SpeedButton1Click() { fillRows(iqsl, Edit5, edit6); }
void Timport::SpeedButton3Click() { fillRows(iband, edit7, edit8); }
void Timport::SpeedButton4Click() { fillRows(imode, edit9, edit10); }

void Timport::showProgress(qint64 value, qint64 maximum) {
    // The bar works in thousandths so that a file of gigabytes fits its int.
    Gauge1->setRange(0, 1000);
    Gauge1->setValue(maximum > 0 ? int(value * 1000 / maximum) : 0);
    if (isVisible()) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Timport::ImportAdif() {
    RowCountryTables tables;
    QString missing;
    if (!tables.load(DataPath(QStringLiteral("dx\\world.dat")), DataPath(QStringLiteral("russia22.dat")), &missing)) {
        ShowMissingFile(missing);
        return;
    }
    const QString source = Edit1->text().isEmpty() ? QString() : DataPath(Edit1->text());
    const AdifImportResult r = ImportAdifFile(source, tables, StreModel->rows(),
                                              [this](qint64 v, qint64 max) { showProgress(v, max); });
    StreModel->storeChanged();
    Gauge1->setValue(0);
    Panel1->hide(); // the closing message is not shown under a finished progress bar
    if (!r.error.isEmpty()) ShowErrorBox(r.error);
    if (r.missingDateOrTime > 0)
        platform::dialogs().messageBox(
            QStringLiteral("ADIF"),
            QStringLiteral("ADIF: у %1 QSO нет даты или времени. Заполните эти ячейки в таблице перед сохранением.")
                .arg(r.missingDateOrTime),
            MsgIcon::Information, MbOk);
}

void Timport::ExportAdif() {
    if (Edit1->text().isEmpty()) return;
    const AdifExportResult r = ExportAdifFile(DataPath(Edit1->text()), Edit4->text(), Edit11->text(),
                                              [this](qint64 v, qint64 max) { showProgress(v, max); });
    Panel1->hide(); // the closing message is not shown under a finished progress bar
    switch (r.status) {
    case AdifExportResult::Nothing: return;
    case AdifExportResult::BadLast: Edit11->clear(); return;
    case AdifExportResult::BadRange:
        Edit4->clear();
        Edit11->clear();
        return;
    case AdifExportResult::Failed: ShowErrorBox(r.error); break;
    case AdifExportResult::Done:
        Edit2->setText(r.outputPath);
        if (!r.unreadableDates.empty()) {
            QStringList numbers;
            for (size_t i = 0; i < r.unreadableDates.size() && i < 20; ++i)
                numbers << QString::number(r.unreadableDates[i]);
            if (r.unreadableDates.size() > 20) numbers << QStringLiteral("...");
            platform::dialogs().messageBox(
                QStringLiteral("ADIF"),
                QStringLiteral("ADIF: %1 QSO с нечитаемой датой не выгружены: № %2")
                    .arg(r.unreadableDates.size())
                    .arg(numbers.join(QStringLiteral(", "))),
                MsgIcon::Warning, MbOk);
        }
        break;
    }
    Gauge1->setValue(0);
    Panel5->hide();
}

} // namespace zelmor
