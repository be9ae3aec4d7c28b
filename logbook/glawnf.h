#pragma once
// The launcher: the program's main window, a narrow always-on-top strip at
// the left screen edge. Its labels open the other windows; it slides out of
// the way when not in use, leaving one pixel column on screen; it runs the
// start-up once and the shut-down when it closes; and it owns the timers of
// the clock, the reminders and the CW keyer.
#include "platform/hirestimer.h"

#include <QColor>
#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QMenu;
class QProgressBar;
class QTimer;

namespace zelmor {

// What the launcher's timers and labels call into other windows. Filled by
// those windows' issues; an empty one does nothing (a label whose window
// exists already shows that window instead).
struct LauncherHooks {
    std::function<void()> UpdateUtcDateTime;   // Timer2, every second: the QSO window's UTC clock
    std::function<void()> CheckReminders;      // Timer5, every 2 s
    // CW keyer steps at the normal and the fast speed, on the timers' own
    // threads: they touch only what the keyer guards.
    std::function<void()> Timer1Timer;
    std::function<void()> Timer3Timer;
    std::function<void()> CreateNewLog;        // "Create File"
    std::function<void()> OpenOtherLog;        // "Open File"
    std::function<void()> MergeLog;            // "Add File"
    std::function<void()> ConvertContestLog;   // "Add Wintest"
    std::function<void()> ShowRussianRegions;  // "Russ all"; else shows the regions window
};
extern LauncherHooks LauncherHook;

class Tglawnf : public QWidget {
    Q_OBJECT
public:
    explicit Tglawnf(QWidget *parent = nullptr);
    ~Tglawnf() override;

    QWidget *Panel2;      // the label panel
    QProgressBar *Gauge1; // progress of the log loading, map drawing, award counting
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10,
        *Label11, *Label12, *Label14, *Label15, *Label16, *Label17, *Label18, *Label19, *Label20,
        *Label21, *Label22, *Label23, *Label24, *Label25, *Label26;
    QMenu *PopupMenu1;    // the strip's context menu: antennas, reminders, user awards

    THiResTimer *Timer1; // CW keyer, normal speed (owned)
    QTimer *Timer2; // clock, 1000 ms, from the start-up on
    THiResTimer *Timer3; // CW keyer, fast speed (owned)
    QTimer *Timer4; // auto-hide, 2000 ms
    QTimer *Timer5; // reminders, 2000 ms
    QTimer *Timer6; // start-up, 100 ms after an activation, once

    // The width the strip returns to.
    int LauncherStripWidth = 90;
    // Set while the mouse moves over the strip, cleared by each auto-hide tick.
    bool LauncherMouseSeen = false;

    // Left of the strip while slid out, and while another window of the
    // program has the focus: one pixel column stays on screen either way.
    static constexpr int HiddenLeft = -89;
    static constexpr int InactiveLeft = -78;

    void FormActivate();
    void FormDeactivate();
    void Panel2MouseMove();
    void Timer4Timer();
    void Timer6Timer();
    // Hides the windows a label action replaces and slides the strip out.
    void HideAllForms();
    // The "Radio" label: link off when the QSO window's link label reads
    // anything but "Выкл.", else on.
    void ToggleTransceiverLink();

    // The action of a label, as on a mouse release over it.
    void LabelRelease(QLabel *label);
    const std::vector<QLabel *> &labels() const { return labelOrder_; }

    // Colours of the label texts.
    static QColor IdleColour();    // blue
    static QColor HoverColour();   // red
    static QColor PressedColour(); // the tooltip background

signals:
    // The shut-down has run; the program may end.
    void ShutDownDone();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct LabelAction {
        QLabel *label;
        bool hidesOthers;
        std::function<void()> run;
    };
    QLabel *addLabel(int number, const char *caption, bool hidesOthers, std::function<void()> run);
    void setLabelColour(QLabel *label, const QColor &colour);
    void resetLabelColours();
    void fitLabelFont();
    void placeStrip(int left, int width);
    const LabelAction *actionOf(QObject *label) const;

    std::vector<LabelAction> actions_;
    std::vector<QLabel *> labelOrder_;
    bool shutDown_ = false;
};

extern Tglawnf *glawnf;

// A progress bar at `value` of `maximum` records, however many there are.
void ShowProgress(QProgressBar *bar, qint64 value, qint64 maximum);

// The QSO window's link label texts.
inline const QString LinkOffText = QStringLiteral("Выкл.");
inline const QString LinkOnText = QStringLiteral("Вкл.");
inline const QString LinkFailedText = QStringLiteral("Не удалось открыть порт трансивера");

// Opens the CAT port; only when that succeeds the link counts as on (label
// "Вкл.", the transceiver menu enabled, polling started). Otherwise the link
// stays off and the status line says why. Returns whether it is on.
bool SwitchTransceiverLinkOn();
void SwitchTransceiverLinkOff();

} // namespace zelmor
