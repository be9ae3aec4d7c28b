// The serial port driver on a real pseudo-terminal linked as COM2, and on the
// in-memory device where a pseudo-terminal cannot show the case.
#include "station/commportdriver.h"
#include "platform/hive.h"
#include "tests/station/fakerig.h"
#include "tests/testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <ctime>
#include <iostream>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

using namespace zelmor;

namespace {

// COM2 is the pseudo-terminal's slave, through the dosdevices link.
class PtyDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        QDir().mkpath(DosDevicesDir());
        link = DosDevicesDir() + "/com2";
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(pty.slavePath(), link));
        driver.SetComPortNumber(pnCOM2);
        driver.SetComPortBaudRate(br4800);
        driver.OnReceiveData = [this](TCommPortDriver *, const char *data, int size) {
            deliveries.push_back(QByteArray(data, size));
            threads.push_back(QThread::currentThread());
        };
    }
    void TearDown() override {
        driver.CloseComPort();
        QFile::remove(link);
    }
    termios slaveLine() const {
        termios t{};
        tcgetattr(pty.slave(), &t);
        return t;
    }
    test::PseudoTerminal pty;
    QString link;
    TCommPortDriver driver;
    std::vector<QByteArray> deliveries;
    std::vector<QThread *> threads;
};

TEST_F(PtyDriverTest, OpensTheLinkedDeviceRaw4800_8N1AndOnlyOnce) {
    EXPECT_EQ(ComDevicePath(2), QFileInfo(pty.slavePath()).canonicalFilePath());
    ASSERT_TRUE(driver.OpenComPort()) << driver.LastOpenError().toStdString();
    EXPECT_TRUE(driver.IsComPortOpen());
    EXPECT_EQ(driver.PortDisplayName(), "COM2 (" + QFileInfo(pty.slavePath()).canonicalFilePath() + ")");
    termios t = slaveLine();
    EXPECT_EQ(cfgetospeed(&t), speed_t(B4800));
    EXPECT_EQ(cfgetispeed(&t), speed_t(B4800));
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(t.c_oflag & OPOST);
    // Opening again is a no-op; a second driver on the device is refused.
    EXPECT_TRUE(driver.OpenComPort());
    TCommPortDriver second;
    second.SetComPortNumber(pnCOM2);
    EXPECT_FALSE(second.OpenComPort());
    EXPECT_FALSE(second.IsComPortOpen());
    EXPECT_FALSE(second.LastOpenError().isEmpty());

    // The speed applies at once; the port number waits for the next open.
    driver.SetComPortBaudRate(br9600);
    t = slaveLine();
    EXPECT_EQ(cfgetospeed(&t), speed_t(B9600));
    driver.SetComPortNumber(pnCOM3);
    EXPECT_EQ(driver.ComPort(), pnCOM2);
    driver.CloseComPort();
    driver.SetComPortNumber(pnCOM3);
    EXPECT_EQ(driver.ComPort(), pnCOM3);
    EXPECT_EQ(driver.DevicePath(), ComDevicePath(3));
}

TEST_F(PtyDriverTest, BytesFromTheRigArriveInOneDeliveryOnTheGuiThread) {
    ASSERT_TRUE(driver.OpenComPort());
    QTest::qWait(150);
    EXPECT_TRUE(deliveries.empty()); // no bytes, no event
    const char bytes[] = {'\x15', '\xB8', '\x8C'};
    ASSERT_EQ(::write(pty.master(), bytes, 3), 3);
    QTRY_VERIFY_WITH_TIMEOUT(!deliveries.empty(), 5000);
    QTest::qWait(200);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0], QByteArray(bytes, 3));
    EXPECT_EQ(threads[0], QCoreApplication::instance()->thread());

    // And the other way: what the driver sends reaches the rig.
    EXPECT_EQ(driver.SendComBuffer("FA;", 3), 3);
    EXPECT_TRUE(driver.SendComByte('\x10'));
    QByteArray got;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            char buf[16];
            const ssize_t n = ::read(pty.master(), buf, sizeof buf);
            if (n > 0) got.append(buf, n);
            return got.size() >= 4;
        }(),
        5000);
    EXPECT_EQ(got, QByteArray("FA;\x10"));
}

TEST_F(PtyDriverTest, AFullQueueGivesUpAfterTheTimeOutWithoutSpinning) {
    ASSERT_TRUE(driver.OpenComPort());
    // Nobody reads the master: fill the system's buffer, then ours.
    const QByteArray chunk(2048, 'x');
    // Full once nothing more moves for a while.
    QElapsedTimer filling;
    filling.start();
    while (driver.SendComData(chunk.constData(), int(chunk.size()), 300) > 0 && filling.elapsed() < 60000) {}
    ASSERT_EQ(driver.ComOutputFreeSpace(), 0);

    const std::clock_t cpu0 = std::clock();
    QElapsedTimer wall;
    wall.start();
    EXPECT_EQ(driver.SendComData("z", 1, 500), 0);
    const qint64 ms = wall.elapsed();
    const double cpuMs = double(std::clock() - cpu0) * 1000.0 / CLOCKS_PER_SEC;
    std::cout << "full queue: gave up after " << ms << " ms, " << cpuMs << " ms of CPU\n";
    EXPECT_GE(ms, 500);
    EXPECT_LE(ms, 7000); // 500-700 on an idle machine
    EXPECT_LT(cpuMs, 50.0);
    driver.OutputTimeout = 50;
    EXPECT_FALSE(driver.SendComByte('z'));
    EXPECT_TRUE(driver.IsComPortOpen()); // a full queue is no error
}

TEST_F(PtyDriverTest, ARigThatGoesAwayClosesTheDriverAndTellsTheOwnerOnce) {
    ASSERT_TRUE(driver.OpenComPort());
    std::vector<QString> errors;
    driver.OnPortError = [&](const QString &e) { errors.push_back(e); };
    // The far end hangs up: as an unplugged adapter does.
    pty.closeMaster();
    pty.closeSlave();
    QTRY_VERIFY_WITH_TIMEOUT(!errors.empty(), 5000);
    QTest::qWait(200);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(errors[0].isEmpty());
    EXPECT_FALSE(driver.IsComPortOpen());
    EXPECT_EQ(driver.SendComBuffer("x", 1), 0);
}

class FakeDeviceDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::installSerialDeviceMaker([this] {
            auto d = std::make_unique<FakeSerialDevice>();
            device = d.get();
            d->refuseOpen = refuse;
            return d;
        });
    }
    void TearDown() override {
        driver.CloseComPort();
        platform::installSerialDeviceMaker(nullptr);
    }
    FakeSerialDevice *device = nullptr;
    bool refuse = false;
    TCommPortDriver driver;
};

TEST_F(FakeDeviceDriverTest, DefaultsAndSetterRules) {
    EXPECT_EQ(driver.ComPort(), pnCOM2);
    EXPECT_EQ(driver.ComPortSpeed(), br9600);
    EXPECT_EQ(driver.ComPortDataBits(), db8BITS);
    EXPECT_EQ(driver.ComPortStopBits(), sb1BITS);
    EXPECT_EQ(driver.ComPortParity(), ptNONE);
    EXPECT_EQ(driver.ComPortHwHandshaking(), hhNONERTSON);
    EXPECT_EQ(driver.ComPortSwHandshaking(), shNONE);
    EXPECT_EQ(driver.ComPortInBufSize(), 2048);
    EXPECT_EQ(driver.ComPortOutBufSize(), 2048);
    EXPECT_EQ(driver.PacketSize(), -1);
    EXPECT_EQ(driver.PacketTimeout(), -1);
    EXPECT_EQ(driver.PacketMode, pmDiscard);
    EXPECT_EQ(driver.ComPortPollingDelay(), 50);
    EXPECT_TRUE(driver.EnableDTROnOpen);
    EXPECT_EQ(driver.OutputTimeout, 500);
    EXPECT_EQ(driver.InputTimeout, 200u);
    EXPECT_FALSE(driver.CheckLineStatus);

    driver.SetPacketTimeout(10);
    EXPECT_EQ(driver.PacketTimeout(), 200);
    driver.SetPacketTimeout(0);
    EXPECT_EQ(driver.PacketTimeout(), -1);
    driver.SetPacketTimeout(60);
    EXPECT_EQ(driver.PacketTimeout(), 60);
    driver.SetComPortPollingDelay(100);
    EXPECT_EQ(driver.PacketTimeout(), 250); // the rule again, with the new delay
    driver.SetPacketSize(3000);
    EXPECT_EQ(driver.ComPortInBufSize(), 6000);
    driver.SetPacketSize(0);
    EXPECT_EQ(driver.PacketSize(), -1);
}

TEST_F(FakeDeviceDriverTest, AClosedDriverGivesNeutralValues) {
    refuse = true;
    EXPECT_FALSE(driver.OpenComPort());
    EXPECT_EQ(driver.LastOpenError(), "Permission denied");
    EXPECT_EQ(driver.PortDisplayName(), "COM2 (" + ComDevicePath(2) + ")");
    EXPECT_FALSE(driver.IsComPortOpen());
    EXPECT_EQ(driver.ComOutputFreeSpace(), -1);
    EXPECT_EQ(driver.GetComLineStatus(), 0u);
    EXPECT_EQ(driver.SendComData("abc", 3, 100), 0);
    EXPECT_FALSE(driver.SendComByte('a'));
    driver.PollComPortInput(); // nothing happens
}

TEST_F(FakeDeviceDriverTest, LineSettingsHandshakesAndLines) {
    ASSERT_TRUE(driver.OpenComPort());
    EXPECT_EQ(device->line.baud, 9600);
    EXPECT_EQ(device->line.dataBits, 8);
    EXPECT_TRUE(device->line.dtr);
    EXPECT_TRUE(device->line.rts);
    EXPECT_FALSE(device->line.rtsCtsFlow);
    const int applied = device->lineApplied, cleared = device->cleared;
    driver.SetComPortHwHandshaking(hhRTSCTS);
    driver.SetComPortSwHandshaking(shXONXOFF);
    driver.SetComPortStopBits(sb2BITS);
    driver.SetComPortParity(ptEVEN);
    driver.SetComPortDataBits(db7BITS);
    EXPECT_EQ(device->lineApplied, applied + 5);
    EXPECT_EQ(device->cleared, cleared + 5); // each re-apply purges both queues
    EXPECT_TRUE(device->line.rtsCtsFlow);
    EXPECT_TRUE(device->line.xonXoff);
    EXPECT_EQ(device->line.stopBits, 2);
    EXPECT_EQ(device->line.parity, 2);
    EXPECT_EQ(device->line.dataBits, 7);
    driver.SetComPortOutBufSize(10); // ignored while open
    EXPECT_EQ(driver.ComPortOutBufSize(), 2048);

    device->lines = LineCts | LineDcd;
    EXPECT_EQ(driver.GetComLineStatus(), unsigned(LineCts | LineDcd));
    // With CheckLineStatus a send stops while no line is up.
    driver.CheckLineStatus = true;
    device->lines = 0;
    EXPECT_EQ(driver.SendComData("abc", 3, 100), 0);
    device->lines = LineDsr;
    EXPECT_EQ(driver.SendComData("abc", 3, 100), 3);
    EXPECT_EQ(device->written, "abc");
}

TEST_F(FakeDeviceDriverTest, APortErrorStopsASendAtOnceAndClosesTheDriver) {
    ASSERT_TRUE(driver.OpenComPort());
    int reports = 0;
    QString text;
    driver.OnPortError = [&](const QString &e) { ++reports, text = e; };
    device->writeFails = true;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(driver.SendComData("abc", 3, 5000), 0);
    EXPECT_EQ(device->waits, 0); // it never waited for the time-out
    EXPECT_LT(t.elapsed(), 5000);
    EXPECT_FALSE(driver.IsComPortOpen());
    EXPECT_EQ(driver.SendComData("abc", 3, 5000), 0);
    QTRY_COMPARE_WITH_TIMEOUT(reports, 1, 5000);
    EXPECT_EQ(text, "Input/output error");
    QTest::qWait(50);
    EXPECT_EQ(reports, 1);
}

TEST_F(FakeDeviceDriverTest, PollingReadsAtMostTheBufferPerTick) {
    driver.SetComPortInBufSize(4);
    ASSERT_TRUE(driver.OpenComPort());
    std::vector<QByteArray> got;
    driver.OnReceiveData = [&](TCommPortDriver *, const char *d, int n) { got.push_back(QByteArray(d, n)); };
    driver.pollTimer()->stop();
    driver.PollComPortInput();
    EXPECT_TRUE(got.empty());
    device->input = "FA00014";
    driver.PollComPortInput();
    driver.PollComPortInput();
    driver.PollComPortInput();
    EXPECT_EQ(got, (std::vector<QByteArray>{"FA00", "014"}));

    // Packet mode (not used by the program): whole packets, and a flushed
    // remainder passed on with pmPass.
    got.clear();
    std::vector<QByteArray> packets;
    driver.OnReceivePacket = [&](TCommPortDriver *, const char *d, int n) { packets.push_back(QByteArray(d, n)); };
    driver.CloseComPort();
    driver.SetPacketSize(3);
    driver.SetPacketTimeout(60);
    driver.PacketMode = pmPass;
    ASSERT_TRUE(driver.OpenComPort());
    driver.pollTimer()->stop();
    device->input = "abcdefgh";
    driver.PollComPortInput();
    EXPECT_EQ(packets, (std::vector<QByteArray>{"abc", "def"}));
    driver.PollComPortInput(); // "gh" starts its clock
    EXPECT_EQ(packets.size(), 2u);
    QTest::qWait(150);
    driver.PollComPortInput();
    EXPECT_EQ(packets, (std::vector<QByteArray>{"abc", "def", "gh"}));
    EXPECT_TRUE(got.empty());
}

TEST(ComDevicePath, WithoutALinkTheSerialDeviceOfTheNumber) {
    QFile::remove(DosDevicesDir() + "/com7");
    EXPECT_EQ(ComDevicePath(7), "/dev/ttyS6");
    EXPECT_EQ(ComDevicePath(1), QFileInfo(DosDevicesDir() + "/com1").isSymLink() ? ComDevicePath(1) : "/dev/ttyS0");
    EXPECT_EQ(QFileInfo(DosDevicesDir()).absolutePath(), QFileInfo(SettingsHive::DefaultPath()).absolutePath());
}

} // namespace
