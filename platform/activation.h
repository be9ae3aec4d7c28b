#pragma once
// Where a window's activation came from. Qt activates a window again after
// every modal box closes; windows whose activation reloads state run it only
// when the operator comes from another of our windows (never from a box of
// the dialogs seam, a file or font dialog, or another program).
class QEvent;
class QWidget;

namespace zelmor {

// Starts watching activations (idempotent; needs a QApplication).
void WatchActivations();
// The top-level window that was active before `w` became active, or nullptr.
QWidget *PreviouslyActiveWindow(const QWidget *w);
// True when `w` is active and the window active before it was another of
// our top-level windows that is not a dialog box.
bool ActivatedFromOwnWindow(const QWidget *w);

// Activation as most windows take it: on show, and when the focus comes
// from another of our windows, but not from the activation that follows a
// show, which would undo what the caller has just filled.
class ShowActivation {
public:
    void shown() { afterShow_ = true; }
    // For a window's change event: whether its activation work runs now.
    bool runsOn(const QWidget *window, const QEvent *e);

private:
    bool afterShow_ = false;
};

} // namespace zelmor
