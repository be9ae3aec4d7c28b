#include "logtools/dxcc9b.h"

#include "logbook/logfile.h"
#include "logbook/stationprofile.h"
#include "logtools/awardview.h"
#include "logtools/gridlisting.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/windowshape.h"

#include <QAction>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

namespace zelmor {

TDXcc9b *DXcc9b = nullptr;

namespace {
constexpr int FirstEntityRow = 1, LastClearedRow = 399;
} // namespace

QString DxccModeLabel(const QString &mode) {
    return QStringLiteral("MODE-") + (mode == QLatin1String("1") ? QStringLiteral("ALL") : mode);
}

TDXcc9b::TDXcc9b(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("DXcc9b"));
    setWindowTitle(QStringLiteral("DXCC 9 - band"));
    resize(772 - ClientOrigin.x(), 573 - ClientOrigin.y());
    setStyleSheet(QStringLiteral("TDXcc9b { background: #dfe8f2; }"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 34, height());
    Image1->setStyleSheet(QStringLiteral("background: #2a4d7a;"));
    new WindowDrag(Image1);

    zag = new QTextEdit(this);
    zag->setObjectName(QStringLiteral("zag"));
    zag->setReadOnly(true);
    zag->setFrameShape(QFrame::NoFrame);
    zag->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    zag->setGeometry(44, 10, 420, 46);
    zag->setStyleSheet(QStringLiteral("background: transparent;"));

    Label1 = new QLabel(DxccModeLabel(QStringLiteral("1")), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(480, 18, 140, 20);
    Label1->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));

    str2 = new TStringGrid(21, 400, this);
    str2->setObjectName(QStringLiteral("str2"));
    str2->horizontalHeader()->setMinimumSectionSize(12); // the narrow "Y" columns
    str2->setGeometry(44, 60, 712, 300);
    // Wide enough for the bold headings, and all 21 columns within the grid.
    str2->setColWidth(0, 160);
    str2->setColWidth(1, 52);
    str2->setColWidth(2, 38);
    for (int col = 3; col <= 20; ++col) str2->setColWidth(col, col % 2 ? 30 : 18);

    Chart1 = NewAwardChartView(this, "Chart1");
    Chart1->setGeometry(44, 366, 540, 166);

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setTextVisible(false);
    Gauge1->setGeometry(44, 536, 712, 8);

    PopupMenu1 = new QMenu(this);
    QMenu *modes = PopupMenu1->addMenu(QStringLiteral("MODE"));
    auto item = [&](QMenu *m, QAction *&a, const char *name, const QString &text, void (TDXcc9b::*handler)()) {
        a = m->addAction(text);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    item(modes, SSB1, "SSB1", QStringLiteral("SSB"), &TDXcc9b::SSB1Click);
    item(modes, CW1, "CW1", QStringLiteral("CW"), &TDXcc9b::CW1Click);
    item(modes, PSK1, "PSK1", QStringLiteral("PSK"), &TDXcc9b::PSK1Click);
    item(modes, RTTY1, "RTTY1", QStringLiteral("RTTY"), &TDXcc9b::RTTY1Click);
    item(modes, ALL1, "ALL1", QStringLiteral("ALL"), &TDXcc9b::ALL1Click);
    item(PopupMenu1, N1, "N1", QStringLiteral("Печать листинга"), &TDXcc9b::N1Click);
    item(PopupMenu1, N2, "N2", QStringLiteral("Закрыть"), &TDXcc9b::N2Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) { PopupMenu1->popup(mapToGlobal(p)); });
    str2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(str2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu1->popup(str2->viewport()->mapToGlobal(p)); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &TDXcc9b::Timer1Timer);

    int n = 0;
    auto button = [&](QPushButton *&b, const char *name, const QString &caption, const QString &hint) {
        b = NewPictureButton(this, name, caption, hint);
        b->setGeometry(600 + (n % 2) * 78, 372 + (n / 2) * 32, 74, 26);
        const int code = ++n;
        // The pressed picture shows while the button is held; the action
        // follows the release, once the raised picture is back.
        connect(b, &QPushButton::released, this, [this, code] {
            pendingButton_ = code;
            Timer1->start();
        });
    };
    button(Image2, "Image2", QStringLiteral("SSB"), QStringLiteral("Только SSB"));
    button(Image3, "Image3", QStringLiteral("CW"), QStringLiteral("Только CW"));
    button(Image4, "Image4", QStringLiteral("PSK"), QStringLiteral("Только PSK"));
    button(Image5, "Image5", QStringLiteral("RTTY"), QStringLiteral("Только RTTY"));
    button(Image6, "Image6", QStringLiteral("ALL"), QStringLiteral("Все виды"));
    button(Image7, "Image7", QStringLiteral("Печать"), QStringLiteral("Печать листинга"));
    auto *close = NewPictureButton(this, "ImageClose", QStringLiteral("×"), QStringLiteral("Закрыть"));
    close->setGeometry(width() - 40, 10, 26, 24);
    connect(close, &QPushButton::clicked, this, &TDXcc9b::N2Click);

    setHeading(Label1->text());
}

void TDXcc9b::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    FormActivate();
}

void TDXcc9b::FormActivate() {
    SetWindowMask(this, RoundRectRegion(4, 23, 772, 573, 28, 28));
    redrawChart();
}

void TDXcc9b::setHeading(const QString &modeLabel) {
    const QString call = StationProfile.call.toHtmlEscaped();
    zag->setHtml(QStringLiteral("<b>%1DXCC 9 - band</b><br><span style=\"color:#a00000\">%2</span>")
                     .arg(call.isEmpty() ? QString() : call + QStringLiteral(" - "), modeLabel.toHtmlEscaped()));
}

QStringList TDXcc9b::headingLines() const { return zag->toPlainText().split(u'\n'); }

void TDXcc9b::activdxcc() {
    StringGridModel &g = str2->model();
    g.setCell(0, 0, QStringLiteral("Территории и страны"));
    g.setCell(1, 0, QStringLiteral("Преф."));
    g.setCell(2, 0, QStringLiteral("WAZ"));
    for (int k = 0; k < AwardBandCount; ++k) {
        g.setCell(3 + 2 * k, 0, AwardBandKeys[size_t(k)]);
        g.setCell(4 + 2 * k, 0, QStringLiteral("Y"));
    }
}

bool TDXcc9b::FillDxccTable() {
    std::optional<std::vector<DxccEntity>> read;
    try {
        read = ReadDxccEntities(DataPath(QStringLiteral("dx\\world.dat")));
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return false;
    }
    if (!read) {
        ShowMissingFile(QStringLiteral(" World.dat"));
        return false;
    }
    entities_ = std::move(*read);
    StringGridModel &g = str2->model();
    for (int r = FirstEntityRow; r <= std::max(LastClearedRow, g.rowCountValue() - 1); ++r)
        for (int col = 0; col <= 20; ++col) g.setCell(col, r, QString());
    for (size_t i = 0; i < entities_.size(); ++i) {
        const int r = FirstEntityRow + int(i);
        g.setCell(0, r, entities_[i].country);
        g.setCell(1, r, entities_[i].commonPrefix);
        g.setCell(2, r, entities_[i].waz);
    }
    g.setRowCount(int(entities_.size()) + 1);
    return true;
}

void TDXcc9b::CountDxccByMode(const QString &mode) {
    zelmor::CountDxccByMode(entities_, LogColumns, mode, GaugeProgress(Gauge1));
    writeCounts();
}

void TDXcc9b::writeCounts() {
    StringGridModel &g = str2->model();
    for (size_t i = 0; i < entities_.size(); ++i) {
        const int r = FirstEntityRow + int(i);
        for (int k = 0; k < AwardBandCount; ++k) {
            const AwardCell &c = entities_[i].bands[size_t(k)];
            g.setCell(3 + 2 * k, r, c.count ? QString::number(c.count) : QString());
            g.setCell(4 + 2 * k, r, c.confirmed ? QStringLiteral("Y") : QString());
        }
    }
}

void TDXcc9b::ShowDxccTotals() {
    const AwardChart chart = zelmor::ShowDxccTotals(entities_);
    Series2 = chart.worked;
    Series3 = chart.confirmed;
    redrawChart();
}

void TDXcc9b::redrawChart() {
    if (isVisible()) DrawAwardChart(Chart1, Series2, Series3, axisTitle_, 8);
}

void TDXcc9b::RefreshDxccTables() {
    if (!FillDxccTable()) return;
    CountDxccByMode(QStringLiteral("1"));
    axisTitle_ = QStringLiteral("ALL");
    Label1->setText(DxccModeLabel(QStringLiteral("1")));
    setHeading(Label1->text());
    ShowDxccTotals();
}

void TDXcc9b::ChooseMode(const QString &mode) {
    if (!FillDxccTable()) return;
    CountDxccByMode(mode);
    Label1->setText(DxccModeLabel(mode));
    axisTitle_ = mode == QLatin1String("1") ? QStringLiteral("ALL") : mode;
    setHeading(Label1->text());
    ShowDxccTotals();
}

void TDXcc9b::Timer1Timer() {
    const int code = pendingButton_;
    pendingButton_ = 0;
    switch (code) {
    case 1: SSB1Click(); break;
    case 2: CW1Click(); break;
    case 3: PSK1Click(); break;
    case 4: RTTY1Click(); break;
    case 5: ALL1Click(); break;
    case 6: N1Click(); break;
    default: break;
    }
}

void TDXcc9b::N1Click() {
    ListingGrid grid;
    for (int col = 0; col < str2->colCount(); ++col) grid.widths.push_back(str2->colWidth(col));
    grid.rowCount = str2->rowCount();
    grid.fixedRows = str2->model().fixedRows();
    const StringGridModel *m = &str2->model();
    grid.cell = [m](int col, int row) { return m->cell(col, row); };
    PrintGridListing(QStringLiteral("dxcc"), 100, 100, true, headingLines(), grid, 60);
}

} // namespace zelmor
