#include "logbook/statusticker.h"

namespace zelmor {

QString LastStatusText;
int TickerPosition = 0;

namespace {
constexpr int LastDrawPosition = 601;
}

QString EditModeStatusText(int editedQsoNumber) {
    return QStringLiteral("Включен режим редактирования QSO № ") + QString::number(editedQsoNumber);
}

TickerStep StepStatusTicker(QString &status, bool editMode, int editedQsoNumber) {
    TickerStep s;
    if (status != LastStatusText) {
        s.clearStrip = true;
        TickerPosition = 0;
    }
    LastStatusText = status;
    if (status.isEmpty()) return s;
    // Not the row under the cursor: the cursor may have moved since the recall.
    if (editMode) status = EditModeStatusText(editedQsoNumber);
    s.draw = true;
    s.x = TickerPosition;
    s.text = status;
    if (TickerPosition == LastDrawPosition) status.clear();
    ++TickerPosition;
    return s;
}

} // namespace zelmor
