#pragma once
// Printing QSL cards and stickers: one card per marked row of the QSO table,
// carrying the QSOs chained to it, in the format chosen in "Формат QSL".
// Positions are in 1/360 inch (common/printunits.h). The run is plain code:
// it takes the table, the settings as values and a printer, and reports the
// rows whose QSOs were drawn; the window asks about storing the new state.
#include "common/printunits.h"
#include "qsl/layoutfile.h"
#include "station/settingsglobals.h"

#include <QString>
#include <array>
#include <vector>

namespace zelmor {

class PrintCanvas;
class Printer;
class QslTableModel;
struct PrintFont;

// The items of "Формат QSL" that print something, and None for the rest
// (nothing checked, or an item without a format of its own).
enum class QslCardFormat {
    None,
    Layout,      // QSLedit: the current layout file
    DataBlock,   // tqsli
    TwoColumns,  // tqsln: stickers
    ThreeColumns,// N31: stickers
    ClubBlank,   // qsl5
    QQ1AX,
    QQ5EX,
    QQ6FX1,
    QQ6FX2,
    QQ4DX,
};

// The QSOs one card of the format can show.
int QslFormatCapacity(QslCardFormat format, int blockY, int layoutCapacity);

inline constexpr int StickerRowCount = 11;
inline constexpr int StickerPageBottom = 3900; // a sticker row or a data block row below this starts no more
using StickerRowOffsets = std::array<int, StickerRowCount>;
// y[i] = i × 370 + gap × (i + 1).
StickerRowOffsets ComputeStickerRowOffsets(int gap);
// The offsets of the current gap: recomputed when the QSL window is
// activated and when the gap changes.
extern StickerRowOffsets StickerRows;
inline constexpr std::array<int, 2> TwoColumnX = {80, 1490};
inline constexpr std::array<int, 3> ThreeColumnX = {70, 1000, 1950};

PrinterScale ComputePrinterScale(const PrintCanvas &canvas);

// Everything a run reads of the settings, as values.
struct QslPrintSettings {
    QslCardFormat format = QslCardFormat::None;
    QString formatCaption;      // the checked item's caption, for the messages
    QString perCard;            // edit20: QSOs per card at most; empty = 1
    int gap = 0;                // updown1
    qint32 blockX = 20, blockY = 20;   // QslPositionTable 14 and 15
    qint32 originX = 0, originY = 0;   // QslPositionTable 20 and 19, printer pixels
    std::array<CardPartFont, 3> fonts; // top, middle, bottom
    QString email;              // Edit11
    QString ownCall, nameLatin, waz; // StationProfile
    QString caption;            // the main window's, after "Print-"
    QString layoutPath;         // CurrentLayoutPath()
};

// A card-part font as printed: "times new roman" 10 when none was chosen.
PrintFont CardPartPrintFont(const CardPartFont &f, bool bold);

// Draws one card at the current position; the run's state between cards.
class QslCardPrinter {
public:
    QslCardPrinter(PrintCanvas &canvas, const QslPrintSettings &settings, const QslLayout *layout = nullptr);
    void PrintOneCard(const QslCardData &card);
    void PrintDataBlockCard(const QslCardData &card, int x, int y);
    void PrintTwoColumnSticker(const QslCardData &card, int x, int y);
    void PrintThreeColumnSticker(const QslCardData &card, int x, int y);
    void PrintClubBlank(const QslCardData &card);
    void PrintPersonalCard(const QslCardData &card);

    bool CardPrinted = false;
    int StickerColumn = 0, StickerRow = 0;

private:
    void nextCardPage();
    void sticker(const QslCardData &card, int columns);
    void blockOrSticker(const QslCardData &card, int x, int y, bool sticker);
    void at(int x, int y, const QString &text);          // 1/360 inch, no origin
    void atCard(int x, int y, const QString &text);      // 1/360 inch from the card origin
    void rule(int x1, int y1, int x2, int y2);
    void frame(int l, int t, int r, int b);
    void font(const QString &name, double size, bool bold, unsigned colour = 0);
    void partFont(int part, bool bold, double size = 0); // size 0: the part's own
    PrintCanvas &c_;
    const QslPrintSettings &s_;
    const QslLayout *layout_;
    PrinterScale scale_;
    StickerRowOffsets rows_;
};

struct QslPrintResult {
    std::vector<int> drawnRows; // table rows whose QSOs a card shows, in print order
    int cards = 0;
    bool begun = false;         // a document was begun
    bool ok = false;            // the document ended without error
};

// The whole run: groups the marked rows, checks what is to print (telling
// the operator why when nothing is), reads and checks the layout once,
// begins one document, prints a card per marked row with at most
// min(N, capacity) QSOs each, and ends the document. On any failure the
// document is dropped and the table's marks and links are as before.
QslPrintResult PrintMarkedCards(QslTableModel &table, const QslPrintSettings &settings, Printer &printer);

// After a run: asks whether to store the new QSL state (only when cards
// were drawn and the document ended well) and marks exactly the drawn rows
// sent on Yes. True when the log was written.
bool OfferSentMarking(QslTableModel &table, const QslPrintResult &result);

// --- the settings dialog's samples, 1 unit = 1 pixel

// Image1: the card fonts on a sample block.
void DrawQslFontPreview(PrintCanvas &canvas, const std::array<CardPartFont, 3> &fonts, const QString &nameLatin);
// Image2: the sticker pairs of a sheet; returns the top of each pair.
std::vector<int> DrawStickerSheetPreview(PrintCanvas &canvas, int gap);

} // namespace zelmor
