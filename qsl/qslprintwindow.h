#pragma once
// The card printing in the windows: the print button of the QSL window, the
// "Формат QSL" items that only some stations see, the card-part font items,
// and the samples of the settings dialog. The rules are in qslprint.
#include "qsl/qslprint.h"

#include <QImage>
#include <QSize>

namespace zelmor {

class Printer;
class TQSL;

// The checked item of "Формат QSL" as a format, with its caption.
QslCardFormat CheckedQslFormat(const TQSL &window, QString *caption = nullptr);
// The run's settings from the windows and globals as they are now.
QslPrintSettings CurrentQslPrintSettings();
// The print button: the run, the counters, the question and the marking,
// and the pie afterwards.
void PrintQslCardsOfWindow(Printer &printer);
// The personal items are shown only to their own station.
void ShowPersonalFormats(TQSL &window, const QString &ownCall);
// N6, N7, N8: the font dialog for the top, middle or bottom part; the choice
// is stored at once. False when cancelled.
bool ChooseCardPartFont(int part);
// The settings dialog's samples as pictures: the font sample in its own
// pixels; the whole sticker sheet, shrunk where it is larger than `room`.
QImage QslFontPreviewImage(const std::array<CardPartFont, 3> &fonts, const QString &nameLatin);
QImage StickerSheetPreviewImage(int gap, QSize room);
// The settings dialog's samples and labels.
void RedrawQslFontPreview();
void RedrawStickerSheetPreview();
void EnableBlockPositionMarker();
// Fills the QSL window's and the settings dialog's hooks and adds the font
// items to the QSL window's format menu.
void InstallQslPrinting();
void UninstallQslPrinting();

} // namespace zelmor
