// The CAT bytes: commands as the rigs (and Hamlib) expect them, replies
// decoded into frequency texts, band and mode.
#include "station/catcommands.h"
#include "station/catdecode.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

using namespace zelmor;

namespace {

QByteArray Hex(const char *hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }
std::string Show(const QByteArray &b) { return b.toHex(' ').toStdString() + " \"" + b.toStdString() + "\""; }

const RadioModel Yaesus[] = {RadioModel::ft840, RadioModel::ft890, RadioModel::ft990, RadioModel::ft990_2,
                             RadioModel::ft920, RadioModel::ft1000mp};

TEST(CatCommands, EveryMenuRowIsAWholeBlockOnEveryYaesuAndTheKenwoodText) {
    struct Row {
        const char *name;
        std::function<QByteArray(RadioModel)> build;
        const char *yaesu;
        const char *kenwood;
    };
    const Row rows[] = {
        {"set 1402500", [](RadioModel m) { return *SetFrequencyCommand(m, "1402500"); }, "00 25 40 01 0A", "FA00014025000;"},
        {"set 14025", [](RadioModel m) { return *SetFrequencyCommand(m, "14025"); }, "00 25 40 01 0A", "FA00014025000;"},
        {"set 14235", [](RadioModel m) { return *SetFrequencyCommand(m, " 14235 "); }, "00 35 42 01 0A", "FA00014235000;"},
        {"set 0704510", [](RadioModel m) { return *SetFrequencyCommand(m, "0704510"); }, "10 45 70 00 0A", "FA00007045100;"},
        {"set, 8th digit ignored", [](RadioModel m) { return *SetFrequencyCommand(m, "14025009"); }, "00 25 40 01 0A",
         "FA00014025000;"},
        {"VFO-a", [](RadioModel m) { return VfoCommand(m, false); }, "00 00 00 00 05", "FR0;"},
        {"VFO-b", [](RadioModel m) { return VfoCommand(m, true); }, "00 00 00 01 05", "FR1;"},
        {"LSB", [](RadioModel m) { return ModeCommand(m, CatMode::Lsb); }, "00 00 00 00 0C", "MD1;"},
        {"USB", [](RadioModel m) { return ModeCommand(m, CatMode::Usb); }, "00 00 00 01 0C", "MD2;"},
        {"CW", [](RadioModel m) { return ModeCommand(m, CatMode::Cw); }, "00 00 00 02 0C", "MD3;"},
        {"SPLIT on", [](RadioModel m) { return SplitCommand(m, true); }, "00 00 00 01 01", "FR0;FT1;"},
        {"SPLIT off", [](RadioModel m) { return SplitCommand(m, false); }, "00 00 00 00 01", "FR0;"},
        {"PTT on", [](RadioModel m) { return PttCommand(m, true); }, "00 00 00 01 0F", "TX;"},
        {"PTT off", [](RadioModel m) { return PttCommand(m, false); }, "00 00 00 00 0F", "RX;"},
        {"Lock on", [](RadioModel m) { return LockCommand(m, true); }, "00 00 00 01 04", "LK1;"},
        {"Lock off", [](RadioModel m) { return LockCommand(m, false); }, "00 00 00 00 04", "LK0;"},
        {"A=B", EqualizeVfosCommand, "00 00 00 00 85", ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        for (RadioModel m : Yaesus) EXPECT_EQ(Show(r.build(m)), Show(Hex(r.yaesu)));
        EXPECT_EQ(Show(r.build(RadioModel::kenwood1)), Show(QByteArray(r.kenwood)));
    }
}

TEST(CatCommands, StatusRequestsAndKenwoodRotation) {
    for (RadioModel m : {RadioModel::ft840, RadioModel::ft890, RadioModel::ft990_2})
        EXPECT_EQ(Show(StatusRequest(m)), Show(Hex("00 00 00 02 10")));
    for (RadioModel m : {RadioModel::ft990, RadioModel::ft920, RadioModel::ft1000mp})
        EXPECT_EQ(Show(StatusRequest(m)), Show(Hex("00 00 00 03 10")));
    EXPECT_EQ(KenwoodPoll(0), "FA;");
    EXPECT_EQ(KenwoodPoll(1), "FB;");
    EXPECT_EQ(KenwoodPoll(2), "MD;");
}

TEST(CatCommands, ATypedFrequencyMustBeDecimalDigits) {
    // A-F would pass as hexadecimal and reach the rig as a frequency no band has.
    for (const char *bad : {"", "   ", "14A25", "1402B00", "14.025", "UA3ABC", "-14025", "1402500x"}) {
        SCOPED_TRACE(bad);
        const bool digitsFirst = QString(bad).startsWith("1402500");
        EXPECT_EQ(SetFrequencyCommand(RadioModel::ft890, bad).has_value(), digitsFirst);
        EXPECT_EQ(SetFrequencyCommand(RadioModel::kenwood1, bad).has_value(), digitsFirst);
    }
}

TEST(CatFrequencyText, DotsAndZeros) {
    EXPECT_EQ(TenHzFrequencyText(1423500), "14.235.00");
    EXPECT_EQ(TenHzFrequencyText(704500), "7.045.00");
    EXPECT_EQ(TenHzFrequencyText(47500), "0.475.00");
    EXPECT_EQ(TenHzFrequencyText(0), "0.000.00");
    EXPECT_EQ(OneHzFrequencyText(14235320), "14.235.32");
    EXPECT_EQ(OneHzFrequencyText(475000), "0.475.00");
    EXPECT_EQ(OneHzFrequencyText(144300000), "144.300.00");
}

struct Decoded {
    const char *vfob;
    const char *vfoa; // "-": none
    int chartB;       // -1: none
    int chartA;
    const char *mode;
};

void Expect(const CatStatus &s, const Decoded &d) {
    ASSERT_TRUE(s.answered);
    ASSERT_TRUE(s.vfob.has_value() || !*d.vfob);
    if (*d.vfob) {
        EXPECT_EQ(*s.vfob, d.vfob);
    }
    if (QByteArray(d.vfoa) == "-") {
        EXPECT_FALSE(s.vfoa.has_value());
    } else {
        EXPECT_EQ(s.vfoa.value_or("?"), d.vfoa);
    }
    EXPECT_EQ(s.chartB.value_or(-1), d.chartB);
    EXPECT_EQ(s.chartA.value_or(-1), d.chartA);
    EXPECT_EQ(s.mode, d.mode);
}

// A reply of `size` bytes with `bytes` from `at`, and the mode byte.
QByteArray Reply(int size, int at, const char *bytes, int modeAt, quint8 mode, int at2 = -1, const char *bytes2 = "") {
    QByteArray r(size, '\0');
    const QByteArray b = Hex(bytes);
    r.replace(at, b.size(), b);
    if (at2 >= 0) r.replace(at2, Hex(bytes2).size(), Hex(bytes2));
    r[modeAt] = char(mode);
    return r;
}

TEST(CatDecode, YaesuRepliesByModel) {
    const QByteArray ft890 = Hex("00 00 15 B8 8C 00 00 01 00 00 00 15 66 84 00 00 01 00 00");
    Expect(DecodeFt890Status(ft890), {"14.235.00", "14.025.00", 14235, 14025, "USB"});
    // One byte short: nothing at all.
    EXPECT_FALSE(DecodeFt890Status(ft890.left(18)).answered);
    EXPECT_FALSE(DecodeFt890Status(ft890.left(18)).vfob.has_value());

    Expect(DecodeFt920Status(Reply(21, 1, "00 D9 36 B8", 7, 0x04)), {"14.235.32", "0.000.00", 14235, 0, "LSB"});
    EXPECT_FALSE(DecodeFt920Status(QByteArray(20, '\0')).answered);
    Expect(DecodeFt1000mpStatus(Reply(31, 1, "01 5B 88 C0", 7, 0x05)), {"14.235.00", "0.000.00", -1, -1, "RTTY"});
    EXPECT_FALSE(DecodeFt1000mpStatus(QByteArray(30, '\0')).answered);
    Expect(DecodeFt990Status(Reply(31, 1, "0A BF F4", 7, 0x02, 17, "15 B8 8C")), {"7.045.00", "14.235.00", 7045, 14235, "CW"});
    EXPECT_FALSE(DecodeFt990Status(QByteArray(30, '\0')).answered);
    Expect(DecodeFt990Mode2Status(Reply(53, 21, "0A BF F4", 27, 0x26, 37, "0A BF F4")), {"7.045.00", "7.045.00", 7045, 7045, "PKT"});
    EXPECT_FALSE(DecodeFt990Mode2Status(QByteArray(52, '\0')).answered);
    // The mode byte's high bits are masked off; codes past the table give no mode.
    EXPECT_EQ(DecodeFt890Status(Reply(19, 2, "15 B8 8C", 7, 0xE2)).mode, "CW");
    EXPECT_EQ(DecodeFt890Status(Reply(19, 2, "15 B8 8C", 7, 0x05)).mode, "");
    EXPECT_EQ(DecodeFt920Status(Reply(21, 1, "00 D9 36 B8", 7, 0x08)).mode, "SSB");
}

TEST(CatDecode, ModeTables) {
    const char *ft890[] = {"LSB", "USB", "CW", "AM", "FM", "", ""};
    const char *ft990[] = {"LSB", "USB", "CW", "AM", "FM", "RTTY", "PKT"};
    const char *ft920[] = {"SSB", "CW", "AM", "FM", "LSB", "USB", "FM"};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(YaesuModeName(RadioModel::ft840, c), ft890[c]);
        EXPECT_EQ(YaesuModeName(RadioModel::ft890, c), ft890[c]);
        EXPECT_EQ(YaesuModeName(RadioModel::ft990, c), ft990[c]);
        EXPECT_EQ(YaesuModeName(RadioModel::ft990_2, c), ft990[c]);
        EXPECT_EQ(YaesuModeName(RadioModel::ft1000mp, c), ft990[c]);
        EXPECT_EQ(YaesuModeName(RadioModel::ft920, c), ft920[c]);
    }
    EXPECT_EQ(YaesuModeName(RadioModel::ft990, 7), "");
}

TEST(CatDecode, KenwoodReplies) {
    Expect(DecodeKenwoodReply("FA00007045000;"), {"07.045.00", "-", 7045, -1, ""});
    Expect(DecodeKenwoodReply("FA00014250000;FB00007000000;"), {"14.250.00", "-", 14250, -1, ""});
    // From 100 MHz up every digit counts.
    Expect(DecodeKenwoodReply("FA00144300000;"), {"144.300.00", "-", 144300, -1, ""});
    Expect(DecodeKenwoodReply("FA01296000000;"), {"1296.000.00", "-", 1296000, -1, ""});
    const CatStatus fb = DecodeKenwoodReply("FB00014250000;");
    EXPECT_FALSE(fb.vfob.has_value());
    EXPECT_EQ(fb.vfoa.value_or(""), "14.250.00");
    EXPECT_FALSE(fb.chartA.has_value());
    for (const char *mode : {"MD1;", "MD2;", "MD3;", "MD4;", "MD5;", "MD7;"}) {
        SCOPED_TRACE(mode);
        EXPECT_TRUE(DecodeKenwoodReply(mode).answered);
    }
    EXPECT_EQ(DecodeKenwoodReply("MD1;").mode, "LSB");
    EXPECT_EQ(DecodeKenwoodReply("MD2;").mode, "USB");
    EXPECT_EQ(DecodeKenwoodReply("MD7;").mode, "CW");
    EXPECT_EQ(DecodeKenwoodReply("MD5;").mode, "AM");
    EXPECT_EQ(DecodeKenwoodReply("MD6;").mode, "");
    // Garbled, short or foreign answers decode to nothing.
    for (const char *bad : {"", "FA;", "FA0001402X000;", "FA00014025000", "FA0001402500;", "FA000140250000;", "?;",
                            "MD;", "MD12;", "ID019;", "\x15\xB8;"}) {
        SCOPED_TRACE(bad);
        const CatStatus s = DecodeKenwoodReply(bad);
        EXPECT_FALSE(s.answered);
        EXPECT_FALSE(s.vfob || s.vfoa);
        EXPECT_TRUE(s.mode.isEmpty());
    }
}

TEST(CatDecode, BandByTheWholeMegahertzNumber) {
    struct Case {
        const char *text;
        int chart;
        const char *name;
    };
    const Case cases[] = {
        {"1.830.00", 0, "1.8 Mhz"},   {"3.650.00", 1, "3.6 Mhz"},   {"7.045.00", 2, "7.0 Mhz"},
        {"07.045.00", 2, "7.0 Mhz"},  {"10.120.00", 3, "10  Mhz"},  {"14.235.00", 4, "14  Mhz"},
        {"18.100.00", 5, "18  Mhz"},  {"21.300.00", 6, "21  Mhz"},  {"24.950.00", 7, "24  Mhz"},
        {"28.500.00", 8, "28  Mhz"},  {"29.600.00", 8, "28  Mhz"},  {"50.125.00", -1, "50  Mhz"},
        {"144.300.00", -1, "144Mhz"}, {"432.100.00", -1, "430Mhz"}, {"1296.000.00", -1, "1.2 Ghz"},
        // Not an amateur band: no band at all, none left from before.
        {"11.700.00", -1, ""},        {"0.475.00", -1, ""},         {"5.000.00", -1, ""},
        {"17.000.00", -1, ""},        {"", -1, ""},                 {"abc", -1, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const DetectedBand b = DetectBandFromFrequency(c.text);
        EXPECT_EQ(b.chartBand, c.chart);
        EXPECT_EQ(b.name, c.name);
    }
}

} // namespace
