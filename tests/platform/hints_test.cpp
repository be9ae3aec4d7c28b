// The program-wide hint switch.
#include "platform/hints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QWidget>
#include <gtest/gtest.h>

using namespace zelmor;

namespace {
struct TipCounter : QWidget {
    int tips = 0;
    bool event(QEvent *e) override {
        if (e->type() == QEvent::ToolTip) ++tips;
        return QWidget::event(e);
    }
};
} // namespace

TEST(Hints, OffSwallowsEveryToolTipAndOnLetsThemThrough) {
    TipCounter w;
    w.setToolTip("tip");
    auto hover = [&w] {
        QHelpEvent e(QEvent::ToolTip, QPoint(1, 1), w.mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(&w, &e);
    };
    SetHintsShown(false);
    EXPECT_FALSE(HintsShown());
    hover();
    EXPECT_EQ(w.tips, 0);
    SetHintsShown(true);
    EXPECT_TRUE(HintsShown());
    hover();
    EXPECT_EQ(w.tips, 1);
}
