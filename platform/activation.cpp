#include "platform/activation.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace zelmor {

namespace {
class Watcher : public QObject {
public:
    QPointer<QWidget> current, previous;
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::ActivationChange && o->isWidgetType()) {
            auto *w = static_cast<QWidget *>(o);
            if (w->isWindow() && w->isActiveWindow() && w != current) {
                previous = current;
                current = w;
            } else if (w->isWindow() && w == current && !w->isActiveWindow() && !QApplication::activeWindow()) {
                // The focus went to another program: coming back from there
                // is not a move between our windows.
                current = nullptr;
            }
        }
        return false;
    }
};
Watcher *g_watcher = nullptr;
} // namespace

void WatchActivations() {
    if (g_watcher || !qApp) return;
    g_watcher = new Watcher;
    g_watcher->setParent(qApp);
    qApp->installEventFilter(g_watcher);
}

QWidget *PreviouslyActiveWindow(const QWidget *w) {
    if (!g_watcher || g_watcher->current != w) return nullptr;
    return g_watcher->previous;
}

bool ActivatedFromOwnWindow(const QWidget *w) {
    QWidget *before = PreviouslyActiveWindow(w);
    return before && before != w && !qobject_cast<QDialog *>(before);
}

bool ShowActivation::runsOn(const QWidget *window, const QEvent *e) {
    if (e->type() != QEvent::ActivationChange || !window->isActiveWindow()) return false;
    if (afterShow_) {
        afterShow_ = false;
        return false;
    }
    return ActivatedFromOwnWindow(window);
}

} // namespace zelmor
