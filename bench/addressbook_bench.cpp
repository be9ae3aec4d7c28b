// The address book on a file of 100,000 records: loading the window, one
// keystroke in the call search (search, select, scroll and one address
// read) for a text matching most rows and one matching none; and one
// keystroke in the QSO window's prefix search on the shipped country table.
#include "app/allwindows.h"
#include "bench/benchsupport.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "logbook/form1.h"
#include "logbook/reference.h"
#include "logbook/settingsstore.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "qsl/adbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

using namespace zelmor;

namespace {

// Nine calls of ten begin with "U"; the last record is a German one, so the
// two searches below end on different rows.
void WriteAddressBook(const QString &path, int count) {
    QByteArray all;
    all.reserve(qsizetype(count) * AddressBookRecord::Size);
    for (int i = 0; i < count; ++i) {
        AddressBookRecord r;
        const bool german = i % 10 == 9 || i == count - 1;
        r.call = german ? QStringLiteral("DL%1%2").arg(i % 10).arg(QString::number(i, 36).toUpper())
                        : QStringLiteral("UA%1%2").arg(i % 10).arg(QString::number(i, 36).toUpper());
        r.name = QStringLiteral("Иван %1").arg(i);
        r.address = QStringLiteral("123456, г. Москва,\r\nул. Ленина, д. %1, кв. %2").arg(i % 200).arg(i % 97);
        all += EncodeRecord(r);
    }
    WriteAllBytes(path, all);
}
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    FakeDialogs dialogs;
    platform::install(&dialogs);
    QTemporaryDir dir;
    bench::EnterShippedProgramFolder(dir.path());
    WriteAddressBook(dir.filePath(QStringLiteral("mail/adrbox.dat")), records);
    CreateSettingsRegistry(dir.filePath(QStringLiteral("registry.reg")));
    CreateAllWindows();
    std::printf("address book of %d records\n", records);

    bench::MeasureMeanWorst("loading the address book window", 10, [](int) { adbox->LoadList(); });
    adbox->show();
    // Each keystroke ends on another row than the one before, so each reads
    // an address.
    bench::MeasureMeanWorst("callbox keystroke, \"U\" / \"DL\" (most rows match)", 40,
            [](int r) { adbox->callbox->setText(r % 2 ? QStringLiteral("DL") : QStringLiteral("U")); });
    bench::MeasureMeanWorst("callbox keystroke, \"ZZ\" (no row matches)", 40, [](int r) {
        adbox->callbox->setText(r % 2 ? QStringLiteral("ZZ") : QStringLiteral("Z"));
    });
    bench::MeasureMeanWorst("imbox keystroke, \"Иван 9999\" / \"Иван 5\"", 40, [](int r) {
        adbox->imbox->setText(r % 2 ? QStringLiteral("Иван 9999") : QStringLiteral("Иван 5"));
    });

    LoadCountryTable(&form1->strw->model());
    std::printf("country list of %lld rows\n", static_cast<long long>(form1->strw->rowCount()));
    bench::MeasureMeanWorst("mpf keystroke, \"UA9\" / \"DL\"", 100,
            [](int r) { form1->mpf->setText(r % 2 ? QStringLiteral("DL") : QStringLiteral("UA9")); });
    bench::MeasureMeanWorst("mpf keystroke, \"Q\" / \"XQ\" (no prefix)", 100,
            [](int r) { form1->mpf->setText(r % 2 ? QStringLiteral("Q") : QStringLiteral("XQ")); });
    if (!dialogs.messages().empty())
        std::printf("messages: %s\n", dialogs.messages().front().text.toLocal8Bit().constData());
    DestroyAllWindows();
    ReleaseSettingsRegistry();
    return 0;
}
