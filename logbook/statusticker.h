#pragma once
// The status ticker: the QSO window's status text moves right by one pixel
// per tick of a 50 ms timer and is cleared after 602 draws; a new text
// clears the strip and starts again at the left edge. The window draws what
// a tick asks for; the stepping is here, without a window.
#include <QString>

namespace zelmor {

extern QString LastStatusText; // the text the ticker drew last
extern int TickerPosition;     // x of the next draw, in pixels

struct TickerStep {
    bool clearStrip = false; // the whole strip painted black first
    bool draw = false;       // then `text` drawn at x
    int x = 0;
    QString text;
};

// The edit-mode text: the record the save will rewrite.
QString EditModeStatusText(int editedQsoNumber);

// One tick. `status` is the shared status text (the ticker empties it after
// its last draw and, during an edit, replaces it with the edit-mode text).
TickerStep StepStatusTicker(QString &status, bool editMode, int editedQsoNumber);

} // namespace zelmor
