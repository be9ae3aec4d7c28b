// The control register's one owner and the ppdev backend's reports.
#include "platform/parallelport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <thread>

using namespace zelmor;

namespace {
class PortTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::install(&port_);
        platform::controlRegister().reset();
        LptControlPort = 0x37A;
    }
    void TearDown() override {
        LptControlPort = 0;
        platform::install(static_cast<ParallelPort *>(nullptr));
        platform::controlRegister().reset();
    }
    FakeParallelPort port_;
};

bool Keys(quint8 v) { return !(v & ControlRegister::KeyUpBit); }
bool Transmits(quint8 v) { return v & ControlRegister::PttBit; }
} // namespace

TEST_F(PortTest, EachWriterChangesOnlyItsOwnBitsAndKeyDownNeverComesWithoutPtt) {
    ControlRegister &r = platform::controlRegister();
    struct Step {
        const char *what;
        std::function<bool()> op;
        quint8 byte;
    };
    const std::vector<Step> steps = {
        {"idle", [&] { return r.idle(); }, 0x0B},
        {"PTT on", [&] { return r.pttOn(); }, 0x0F},
        {"key down", [&] { return r.keyDown(); }, 0x07},
        {"key up", [&] { return r.keyUp(); }, 0x0F},
        {"PTT off", [&] { return r.pttOff(); }, 0x0B},
        {"key down raises PTT", [&] { return r.keyDown(); }, 0x07},
        {"antenna bits keep the key", [&] { return r.setRestBits(0x01); }, 0x05},
        {"PTT off keys up", [&] { return r.pttOff(); }, 0x09},
        {"key up alone stays off the air", [&] { return r.keyUp(); }, 0x09},
        {"rest bits back", [&] { return r.setRestBits(0x03); }, 0x0B},
    };
    std::vector<quint8> expected;
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        EXPECT_TRUE(s.op());
        EXPECT_EQ(r.value(), s.byte);
        expected.push_back(s.byte);
    }
    EXPECT_EQ(port_.controlValues(), expected);
    for (const auto &w : port_.writes) EXPECT_EQ(w.address, 0x37A);
}

TEST_F(PortTest, ConcurrentWritersKeepEachOthersBitsAndNoByteKeysWithoutPtt) {
    ControlRegister &r = platform::controlRegister();
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    quint8 lastRest = 0x03;
    std::thread keyer([&] {
        std::mt19937 random(seed);
        for (int i = 0; i < 2000; ++i) {
            switch (random() % 4) {
            case 0: r.keyDown(); break;
            case 1: r.keyUp(); break;
            case 2: r.pttOn(); break;
            default: r.pttOff(); break;
            }
        }
        r.pttOff();
    });
    std::thread antenna([&] {
        std::mt19937 random(seed + 1);
        for (int i = 0; i < 2000; ++i) r.setRestBits(lastRest = quint8(random() % 4));
    });
    keyer.join();
    antenna.join();
    for (quint8 v : port_.controlValues()) ASSERT_FALSE(Keys(v) && !Transmits(v)) << int(v);
    EXPECT_EQ(r.value() & ControlRegister::RestBits, lastRest);
    EXPECT_EQ(r.value() & (ControlRegister::KeyUpBit | ControlRegister::PttBit), ControlRegister::KeyUpBit);
}

TEST_F(PortTest, AnAntennaStrobeMovesBitsZeroAndOneOnlyAndEndsAtRest) {
    ControlRegister &r = platform::controlRegister();
    struct Case {
        const char *what;
        std::function<void()> before;
        quint16 data, control;
        quint8 code;
        std::vector<quint8> strobe;
    };
    const Case cases[] = {
        {"idle on LPT1", [] {}, 0x378, 0x37A, 0x03, {0x09, 0x08, 0x0B}},
        {"idle on LPT2", [] {}, 0x278, 0x27A, 0x0A, {0x09, 0x08, 0x0B}},
        {"PTT on, key up", [&] { r.pttOn(); }, 0x378, 0x37A, 0x11, {0x0D, 0x0C, 0x0F}},
        {"PTT on, key down", [&] { r.keyDown(); }, 0x378, 0x37A, 0x10, {0x05, 0x04, 0x07}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        r.reset();
        LptControlPort = c.control;
        c.before();
        port_.clear();
        ASSERT_TRUE(r.strobe(c.data, c.code));
        std::vector<FakeParallelPort::Write> expected = {{'D', c.data, c.code}};
        for (quint8 v : c.strobe) expected.push_back({'C', c.control, v});
        EXPECT_EQ(port_.timeline(), expected);
        EXPECT_EQ(r.value(), c.strobe.back());
    }
    // A data write that fails strobes nothing.
    port_.clear();
    port_.failWrites = true;
    EXPECT_FALSE(r.strobe(0x378, 0x01));
    port_.failWrites = false;
    EXPECT_TRUE(port_.writes.empty());
}

TEST_F(PortTest, NoAddressNoAccess) {
    LptControlPort = 0;
    EXPECT_TRUE(platform::controlRegister().keyDown());
    EXPECT_TRUE(port_.writes.empty());
    EXPECT_EQ(port_.readStatus(0), PaddlesReleasedStatus);
    port_.failWrites = true;
    LptControlPort = 0x37A;
    EXPECT_FALSE(platform::controlRegister().keyUp());
}

TEST(PpdevPort, RegistersMapToTheirDevicesAndAMissingOneIsReportedOnce) {
    QTemporaryDir dir;
    const QString prefix = dir.path() + QStringLiteral("/parport");
    PpdevParallelPort port(prefix);
    EXPECT_EQ(port.deviceOf(0x378), prefix + "0");
    EXPECT_EQ(port.deviceOf(0x37A), prefix + "0");
    EXPECT_EQ(port.deviceOf(0x279), prefix + "1");
    EXPECT_EQ(port.deviceOf(0x3BC), QString());

    // No device: the writes go nowhere, and one report names it and why.
    EXPECT_TRUE(port.writeControl(0x37A, 0x0B));
    EXPECT_EQ(port.TakeProblem(), QStringLiteral("Нет доступа к %1: No such file or directory").arg(prefix + "0"));
    EXPECT_TRUE(port.writeControl(0x37A, 0x0F));
    EXPECT_EQ(port.readStatus(0x379), PaddlesReleasedStatus);
    EXPECT_EQ(port.TakeProblem(), QString());
    // It stands for the port's registers, for those who show it later.
    EXPECT_EQ(port.problemOf(0x378), QStringLiteral("Нет доступа к %1: No such file or directory").arg(prefix + "0"));
    EXPECT_EQ(port.problemOf(0x278), QString()) << "not tried yet";

    // A file that is no parallel port refuses the claim.
    QFile fake(prefix + "1");
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.close();
    EXPECT_TRUE(port.writeData(0x278, 0x55));
    EXPECT_EQ(port.TakeProblem(), QStringLiteral("Нет доступа к %1: Inappropriate ioctl for device").arg(prefix + "1"));
}
