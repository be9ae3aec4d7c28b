#include "platform/hotkeyedit.h"
#include "platform/keyboardlayout.h"
#include "platform/keycodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace zelmor;

TEST(ShortcutCodes, MapQtKeysBothWays) {
    QKeyEvent f1(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    EXPECT_EQ(ShortcutCodeOf(&f1), 112);
    QKeyEvent ctrlF1(QEvent::KeyRelease, Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(ShortcutCodeOf(&ctrlF1), 112 + ShortcutCtrl);
    EXPECT_EQ(VirtualKeyOf(&ctrlF1), 112);
    QKeyEvent cyr(QEvent::KeyPress, 0x0418 /* И */, Qt::NoModifier, "И");
    EXPECT_EQ(VirtualKeyOf(&cyr), 'B');
    const std::pair<int, int> keys[] = {{Qt::Key_Return, 13}, {Qt::Key_Escape, 27}, {Qt::Key_Up, 38},
                                        {Qt::Key_Down, 40},   {Qt::Key_Delete, 46}, {Qt::Key_A, 65},
                                        {Qt::Key_F12, 123},   {Qt::Key_5, 53}};
    for (auto [qt, vk] : keys) EXPECT_EQ(VirtualKeyFromQtKey(qt), vk);
    const int code = 'S' + ShortcutCtrl + ShortcutShift;
    EXPECT_EQ(ShortcutCodeFromKeySequence(KeySequenceFromShortcutCode(code)), code);
    EXPECT_EQ(ShortcutText(112), "F1");
}

// With no key the control says so in Russian, also once it was emptied again.
TEST(HotKey, HoldsOneCodeAndReadsNoKeyAsNet) {
    THotKey key;
    auto placeholder = [&] { return key.findChild<QLineEdit *>()->placeholderText(); };
    EXPECT_EQ(placeholder(), "Нет");
    key.setShortcutCode(0x4044);
    EXPECT_EQ(key.shortcutCode(), 0x4044);
    key.clear();
    EXPECT_EQ(key.shortcutCode(), 0);
    EXPECT_EQ(placeholder(), "Нет");
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(&key, &f2);
    EXPECT_EQ(key.shortcutCode(), 113);
    THotKey later;
    EXPECT_EQ(later.findChild<QLineEdit *>()->placeholderText(), "Нет");
}

TEST(KeyboardLayout, TranslatesByKeyPosition) {
    EXPECT_EQ(TranslateForLayout("B", LayoutRussian), "И");
    EXPECT_EQ(TranslateForLayout("d", LayoutRussian), "в");
    EXPECT_EQ(TranslateForLayout("[", LayoutRussian), "х");
    EXPECT_EQ(TranslateForLayout(".", LayoutRussian), "."); // typed on both layouts: left alone without a key code
    EXPECT_EQ(TranslateForLayout("ц", LayoutUs), "w");
    EXPECT_EQ(TranslateForLayout("Ё", LayoutUs), "~");
    EXPECT_EQ(TranslateForLayout("5", LayoutRussian), "5");
    // With the X11 key code the position is exact: the "/" key on a Russian desktop types "."
    EXPECT_EQ(TranslateForLayout(".", LayoutUs, 61), "/");
    EXPECT_EQ(TranslateForLayout("/", LayoutRussian, 61), ".");
}

TEST(KeyboardLayout, OnlyTheFieldThatAskedTypesInItsLayoutUntilItLosesTheFocus) {
    platform::installKeyboardLayoutFilter();
    QLineEdit asking, other;
    auto type = [](QLineEdit &edit, const QString &s) {
        edit.clear();
        for (QChar c : s) {
            QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
            QApplication::sendEvent(&edit, &press);
        }
        return edit.text();
    };
    platform::keyboardLayout().activate(LayoutRussian, &asking);
    EXPECT_EQ(type(asking, "Bdfy"), "Иван");
    EXPECT_EQ(type(other, "Bdfy"), "Bdfy");
    EXPECT_EQ(platform::keyboardLayout().active(), LayoutRussian);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&asking, &out);
    EXPECT_EQ(platform::keyboardLayout().active(), "");
    EXPECT_EQ(type(asking, "Bdfy"), "Bdfy");

    platform::keyboardLayout().activate(LayoutUs, &asking);
    EXPECT_EQ(type(asking, "гф"), "ua");
    EXPECT_EQ(type(other, "гф"), "гф");
    platform::keyboardLayout().reset();
}
