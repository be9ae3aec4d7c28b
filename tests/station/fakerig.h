#pragma once
// A transceiver on the master side of a pseudo-terminal, answering the real
// byte protocol: Yaesu five-byte blocks (status and flag reads answered with
// the model's reply, set commands applied to its state) or Kenwood text
// commands. It records every byte it gets. It runs on the GUI thread's event
// loop, so tests wait with QTest::qWait / QTRY_*.
#include "station/catcommands.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace zelmor::test {

// openpty: the master stays here, the slave path is what the program opens.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    bool ok() const { return master_ >= 0; }
    int master() const { return master_; }
    int slave() const { return slave_; } // kept open, for tcgetattr
    QString slavePath() const { return path_; }
    void closeMaster();
    void closeSlave();

private:
    int master_ = -1, slave_ = -1;
    QString path_;
};

class FakeRig : public QObject {
    Q_OBJECT
public:
    FakeRig(RadioModel model, PseudoTerminal &pty);
    ~FakeRig() override;

    RadioModel model;
    qint64 frequencyHz = 7000000;  // main (VFO B display)
    qint64 otherHz = 7000000;      // second VFO
    QString mode = QStringLiteral("FM");
    bool silent = false;           // records, never answers
    bool split = false, ptt = false, lock = false, vfoB = false;
    QByteArray received;           // every byte, in order
    std::vector<QByteArray> commands; // whole blocks / texts, in order

    // The status reply this model gives for P4 of a 0x10 block.
    QByteArray yaesuStatus(int p4) const;

private:
    void readable();
    void yaesu(const QByteArray &block);
    void kenwood(const QByteArray &text);
    void answer(const QByteArray &bytes);
    int modeCode() const;
    PseudoTerminal &pty_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QByteArray pending_;
};

} // namespace zelmor::test
