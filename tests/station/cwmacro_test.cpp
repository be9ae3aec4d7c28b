// Expansion of the CW macro texts.
#include "station/cwmacro.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

using namespace zelmor;

namespace {
MacroContext Qso() {
    MacroContext c;
    c.call = "UA3AA";
    c.rsts = "599";
    c.rst = "579";
    c.address = "123456, Москва, ";
    return c;
}
} // namespace

TEST(CwMacro, TokensSectionsAndStoredTexts) {
    struct Case {
        const char *text;
        const char *name;
        const char *expanded;
    } cases[] = {
        {"TU $FNAME $73", "", "TU 73"},
        {"TU $FNAME $73", "IVAN", "TU IVAN 73"},
        {"$FCALL$ $FQTH$ TU", "", "UA3AA  TU"},
        {"FCALL FCALL", "", "UA3AA UA3AA"},
        {"FRSTS FRSTR", "", "599 579"},
        {"QTH FADR", "", "QTH 123456, Москва, "},
        {"$TU 73", "", "TU 73"},          // an unpaired "$" goes
        {"$ 73 $TU", "", "TU"},           // a section naming nothing goes
        {"5NN SAVE", "", "5NN "},
        {"FCW1 K", "", "CQ DE UA3AA K"},
        {"FCW13 K", "", "TU 5NN K"},      // FCW1 does not match the start of FCW13
        // FCW2 matches only where no digit follows; the FCW13 its text
        // brings is replaced later, in FCW13's own turn.
        {"FCW22FCW2", "", "LASTTU 5NN"},
        {"FCW7 K", "", " K"},             // an empty stored text expands to nothing
        {"NOTOKEN", "", "NOTOKEN"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        MacroContext ctx = Qso();
        ctx.name = QString::fromUtf8(c.name);
        ctx.texts[0] = "CQ DE UA3AA";
        ctx.texts[1] = "FCW13";
        ctx.texts[12] = "TU 5NN";
        ctx.texts[21] = "LAST";
        EXPECT_EQ(ExpandMacroText(QString::fromUtf8(c.text), ctx).text, QString::fromUtf8(c.expanded));
    }
}

TEST(CwMacro, InsertedTextsAreNotExpandedAgainAndASelfReferenceEnds) {
    MacroContext c = Qso();
    c.texts[0] = "TNX FNAME";
    c.name = "";
    c.texts[7] = "FCW1 K"; // cwf2 (F8)
    EXPECT_EQ(ExpandMacroText(c.texts[7], c).text, "TNX FNAME K");

    c.texts[0] = "CQ FCW1";
    QString eight;
    for (int i = 0; i < 8; ++i) eight += "CQ ";
    EXPECT_EQ(ExpandMacroText(c.texts[0], c).text, eight + "FCW1");
}

TEST(CwMacro, SaveIsMarkedOnlyWhereItStands) {
    EXPECT_TRUE(ExpandMacroText("5NN SAVE", Qso()).save);
    EXPECT_FALSE(ExpandMacroText("5NN SAV E", Qso()).save);
    bool save = false;
    EXPECT_EQ(ExpandMacroToken("SAVE", Qso(), &save), QString());
    EXPECT_TRUE(save);
    EXPECT_EQ(ExpandMacroToken("FCW23", Qso()), "FCW23");
    EXPECT_EQ(MacroTokens().front(), "FCALL");
    EXPECT_EQ(MacroTokens().back(), "FCW22");
}
