#include "platform/hints.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QToolTip>

namespace zelmor {

namespace {
class HintFilter : public QObject {
public:
    using QObject::QObject;
    bool shown = true;

protected:
    bool eventFilter(QObject *, QEvent *e) override { return !shown && e->type() == QEvent::ToolTip; }
};

HintFilter *Filter() {
    static QPointer<HintFilter> filter;
    if (!filter && qApp) {
        filter = new HintFilter(qApp);
        qApp->installEventFilter(filter);
    }
    return filter;
}
} // namespace

bool HintsShown() {
    HintFilter *f = Filter();
    return !f || f->shown;
}

void SetHintsShown(bool shown) {
    if (HintFilter *f = Filter()) f->shown = shown;
    if (!shown) QToolTip::hideText();
}

} // namespace zelmor
