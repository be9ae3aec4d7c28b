// The QSO window's log grid on a 1,000,000-record log: the refresh after a
// save, held paging, a slider move, the recall of a QSO with its analysis,
// and the rewrite of the edited record.
#include "app/allwindows.h"
#include "bench/benchsupport.h"
#include "logbook/form1.h"
#include "logbook/logfile.h"
#include "logbook/loggrid.h"
#include "logbook/qsostate.h"
#include "logbook/reference.h"
#include "logbook/settingsstore.h"
#include "logbook/stationprofile.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

using namespace zelmor;

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // "--write-log <path> <count>": only the log, for a look at the program.
    if (argc == 4 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--write-log")) {
        bench::WriteLog(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]).toLongLong());
        return 0;
    }
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    FakeDialogs dialogs;
    platform::install(&dialogs);
    QTemporaryDir dir;
    bench::EnterShippedProgramFolder(dir.path());
    LogFileName = QStringLiteral("test.log");
    bench::WriteLog(dir.filePath("test.log"), records);
    CreateSettingsRegistry(dir.filePath("registry.reg"));

    CreateAllWindows();
    LoadCountryTable(&form1->strw->model());
    LoadNamesFile();
    OpenLog();
    StationProfile.latitude = QStringLiteral("55,75");
    StationProfile.longitude = QStringLiteral("37,62");
    std::printf("log of %lld records\n", static_cast<long long>(records));

    bench::MeasureMeanWorst("RefreshLogGrid (last page)", 50, [](int) { RefreshLogGrid(); });
    // Held paging: the press, then 100 ticks of growing jumps back; a new
    // press from the newest page every time the jumps reach the start.
    bench::MeasureMeanWorst("100 held-paging steps", 5, [](int) {
        RefreshLogGrid();
        form1->Image8MouseDown();
        for (int tick = 0; tick < 100; ++tick) {
            if (!form1->RowRecord(9) || *form1->RowRecord(9) < qint64(PageStep) + 200) {
                form1->PagingMouseUp();
                RefreshLogGrid();
                form1->Image8MouseDown();
            }
            form1->Timer7Timer();
        }
        form1->PagingMouseUp();
    });
    bench::MeasureMeanWorst("slider move", 50, [](int r) {
        form1->SliderTop = SliderTopMin + (r * 7) % (SliderTopMax - SliderTopMin);
        form1->PageLogGrid(PageBySlider, 0);
    });
    RefreshLogGrid();
    bench::MeasureMeanWorst("recall with its analysis", 20, [](int r) {
        form1->str11->setRow(1 + r % 9);
        form1->N2Click();
    });
    bench::MeasureMeanWorst("rewrite of the edited record", 20, [](int r) {
        form1->name1->setText(QStringLiteral("Name%1").arg(r));
        form1->RewriteQsoRecord();
    });
    form1->N3Click();
    DestroyAllWindows();
    ReleaseSettingsRegistry();
    return 0;
}
