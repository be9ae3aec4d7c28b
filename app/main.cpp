#include "app/allwindows.h"
#include "platform/alsamixer.h"
#include "logbook/glawnf.h"
#include "platform/dialogs.h"
#include "platform/hive.h"
#include "platform/instancelock.h"
#include "platform/keyboardlayout.h"
#include "platform/parallelport.h"
#include "platform/paths.h"
#include "platform/qtsound.h"
#include "platform/sound.h"

#include <QApplication>
#include <QDir>

namespace {

// The program folder is found the same way whoever starts the program (a
// desktop entry, a shell in another folder): missing shipped files are
// copied in, never over the user's own, and the folder is made current,
// where the start-up takes it from.
void EnterProgramFolder() {
    const QString folder = zelmor::DefaultProgramDir();
    const QStringList failures = zelmor::CopyMissingFiles(zelmor::ShippedDataDir(), folder);
    if (!failures.isEmpty()) zelmor::ShowErrorBox(failures.join(u'\n'));
    if (!QDir::setCurrent(folder))
        zelmor::ShowErrorBox(QStringLiteral("Нет папки программы %1").arg(QDir::toNativeSeparators(folder)));
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZELMOR 5.02"));
    // The program ends when the launcher closes, whatever else is open.
    app.setQuitOnLastWindowClosed(false);

    // Before anything is read or written: a second copy on the same settings
    // leaves everything to the first.
    const auto instanceLock = zelmor::AcquireInstanceLock(zelmor::SettingsHive::DefaultPath());
    if (!instanceLock) return 1;
    EnterProgramFolder();

    zelmor::QtSound sound;
    zelmor::platform::setDefaultSound(&sound);
    // The input before the player: a recording still running at the end
    // finishes on it.
    zelmor::QtSoundInput input;
    zelmor::platform::setDefaultSoundInput(&input);
    zelmor::QtMediaPlayer player;
    zelmor::platform::setDefaultMediaPlayer(&player);
    zelmor::platform::setMixerFactory([] { return std::make_unique<zelmor::AlsaMixer>(); });
    zelmor::PpdevParallelPort port;
    zelmor::platform::setDefaultParallelPort(&port);

    zelmor::platform::installKeyboardLayoutFilter();
    zelmor::CreateAllWindows();
    QObject::connect(zelmor::glawnf, &zelmor::Tglawnf::ShutDownDone, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    zelmor::glawnf->show();
    zelmor::glawnf->activateWindow();
    const int rc = app.exec();

    zelmor::DestroyAllWindows();
    zelmor::platform::setMixerFactory(nullptr);
    zelmor::platform::setDefaultMediaPlayer(nullptr);
    zelmor::platform::setDefaultSoundInput(nullptr);
    zelmor::platform::setDefaultSound(nullptr);
    zelmor::platform::setDefaultParallelPort(nullptr);
    return rc;
}
