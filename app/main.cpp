#include "app/allwindows.h"
#include "logbook/glawnf.h"
#include "platform/keyboardlayout.h"
#include "platform/parallelport.h"
#include "platform/qtsound.h"
#include "platform/sound.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZELMOR 5.02"));
    // The program ends when the launcher closes, whatever else is open.
    app.setQuitOnLastWindowClosed(false);

    zelmor::QtSound sound;
    zelmor::platform::setDefaultSound(&sound);
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
    zelmor::platform::setDefaultSound(nullptr);
    zelmor::platform::setDefaultParallelPort(nullptr);
    return rc;
}
