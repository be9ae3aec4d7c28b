#include "logtools/otchet.h"

#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/stationprofile.h"
#include "logtools/award.h"
#include "logtools/reportprint.h"
#include "logtools/searchsettings.h"
#include "platform/dialogs.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmor {

Totchet *otchet = nullptr;

Totchet::Totchet(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("otchet"));
    setWindowTitle(QStringLiteral("Печать отчета "));
    MainMenu1 = new QMenuBar(this);
    N1 = MainMenu1->addMenu(QStringLiteral("Шрифт"));
    auto item = [this](QAction *&a, const char *name, const QString &text, void (Totchet::*handler)()) {
        a = N1->addAction(text);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, handler);
    };
    item(N5, "N5", QStringLiteral("Шрифт отчетных листов "), &Totchet::N5Click);
    item(N4, "N4", QStringLiteral("Шрифт название контеста на отчетных листах"), &Totchet::N4Click);
    item(N2, "N2", QStringLiteral("Шрифт название контеста на титульном листе"), &Totchet::N2Click);
    item(N3, "N3", QStringLiteral("Шрифт титульного листа контеста"), &Totchet::N3Click);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    resize(360, 80);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10000);
    connect(Timer1, &QTimer::timeout, this, &Totchet::Timer1Timer);
    Timer1->start();
}

void Totchet::Timer1Timer() { Timer1->stop(); }

void Totchet::chooseFontName(int n) {
    FontChoice font;
    font.name = ReadReportFontName(n);
    if (!platform::dialogs().chooseFont(font)) return;
    WriteReportFontName(n, font.name);
}

ReportHead CurrentReportHead() {
    ReportHead h;
    h.ownCall = StationProfile.call;
    h.nameLatin = StationProfile.nameLatin;
    h.nameCyrillic = StationProfile.nameCyrillic;
    h.address = StationProfile.address;
    h.logPath = LogFileName;
    h.launcherCaption = glawnf ? glawnf->windowTitle() : QStringLiteral("ZELMOR 5.02");
    if (CurrentAwardName) h.awardName = CurrentAwardName();
    if (award) h.certifier = award->Edit3->text();
    h.applicationFont = ReadReportFontName(5);
    return h;
}

bool Totchet::awardred() {
    if (!award) return false;
    const TStringGrid *grid = award->Str3;
    return zelmor::awardred([grid](int col, int row) { return grid->cell(col, row); }, CurrentReportHead(),
                            grid->colCount() - 1);
}

} // namespace zelmor
