#include "logbook/enterorder.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace zelmor;

TEST(EnterOrder, WalksToTheNextFieldThatTakesPart) {
    QSet<QString> on = {"NAME", "QTH"};
    auto takes = [&](const QString &k) { return on.contains(k); };
    EXPECT_EQ(NextEntryKey(DefaultEnterOrder, "CALL", takes), "NAME");
    on.remove("NAME");
    EXPECT_EQ(NextEntryKey(DefaultEnterOrder, "CALL", takes), "QTH");
    on.clear();
    EXPECT_EQ(NextEntryKey(DefaultEnterOrder, "CALL", takes), "CALL"); // the final CALL stops the walk
    EXPECT_EQ(NextEntryKey(DefaultEnterOrder, "QTHL", takes), "CALL");
    on = {"DATE"};
    EXPECT_EQ(NextEntryKey(DefaultEnterOrder, "VIA", takes), "DATE");
}

TEST(EnterOrder, EndsWithoutAFieldOnUnknownOrMissingKeys) {
    auto all = [](const QString &) { return true; };
    EXPECT_FALSE(NextEntryKey("CALL,NAME,", "NAME", all));        // runs out
    EXPECT_FALSE(NextEntryKey("CALL,WHAT,NAME,", "CALL", all));   // unknown key
    EXPECT_FALSE(NextEntryKey("CALL,NAME,CALL,", "QTH", all));    // key not in the order
    EXPECT_FALSE(NextEntryKey("CALL,NAME", "CALL", all) == std::optional<QString>("NAME"));
}
