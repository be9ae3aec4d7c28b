#pragma once
// Envelopes: the drawing of an envelope (the sender's and the recipient's
// address, the unfolded outline, the letter lines below it), the sender
// entries kept in "mail\mail.dat", and the recipient taken from the address
// book. Plain values and files; the window TPosta only gathers its fields.
#include "common/refrecords.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace zelmor {

class PrintCanvas;

enum class EnvelopeForm { Russian, Ukrainian, General };

struct EnvelopeContent {
    EnvelopeForm form = EnvelopeForm::General;
    QString senderName, senderPostcode;
    QStringList senderLines;      // the first three print
    QString recipientName, recipientPostcode;
    QStringList recipientLines;   // the first three print
    QStringList letterLines;      // the first eight print, below the envelope
    QString fontName;             // the envelope font, as stored
    unsigned colour = 0;          // 0x00BBGGRR
    QImage picture;               // none when null
};

// Positions are in 1/360 inch from the page's corner, scaled to the canvas.
// Every text is cut at whole characters where the envelope's geometry ends
// it (and at the page's printable width).
void DrawEnvelope(const EnvelopeContent &c, PrintCanvas &canvas, int x0, int y0);
// The whole unfolded envelope: the face, the four flaps, then the envelope.
void PrintEnvelopeTemplate(const EnvelopeContent &c, PrintCanvas &canvas);
// A ready envelope shifted by the offset bars' positions (10 units a step).
void PrintEnvelopeWithOffsets(const EnvelopeContent &c, PrintCanvas &canvas, int left, int top);
// One print job through the printer seam, on a page without margins (the
// unfolded envelope is 2900 x 3450 units). False when the job did not start
// or its output could not be written (the operator has been told).
bool PrintEnvelope(const EnvelopeContent &c, bool unfolded, int left, int top);

// The text of `s` that fits in `width` pixels of the canvas's current font,
// cut at a whole character.
QString FitText(const PrintCanvas &canvas, const QString &s, int width);

// The own station as sender: the address's parts each closed by a comma,
// the first the postcode, the others address lines; text after the last
// comma is dropped. The name is the Cyrillic name, a blank and the call.
struct SenderFields {
    QString name, postcode;
    QStringList lines;
};
SenderFields FillEnvelopeSender(const QString &address, const QString &nameCyrillic, const QString &call);
inline const QString OwnAddressEntry = QStringLiteral("Адрес регистрации");

// "mail\mail.dat". Every function throws IoError on a file that cannot be
// read or written; the missing-file message when it does not exist.
QString SenderAddressPath(const QString &programDir);
// The entry names that are not empty, in file order.
QStringList SenderEntryNames(const QString &path);
// The first record whose entry name equals `entry`.
std::optional<SenderFields> FindSenderEntry(const QString &path, const QString &entry);
// Overwrites the first record named `entry` (an empty entry finds the first
// deleted slot) or appends one, creating the file; true when appended.
// Throws IoError with the operator's message when a text has a character
// cp1251 lacks: nothing is written then.
bool SaveSenderEntry(const QString &path, const QString &entry, const SenderFields &fields);
// The first record named `entry` keeps its slot with an empty entry name
// and the given fields; false when none is named so (nothing written).
bool DeleteSenderEntry(const QString &path, const QString &entry, const SenderFields &fields);

// The recipient from the address book ("mail\adrbox.dat"): the first record
// with this call. The name is the record's name, a blank and the call; the
// first address line is the postcode when it is 5 or 6 digits.
struct RecipientFields {
    QString name, postcode;
    QStringList lines;
};
std::optional<RecipientFields> RecipientFromAddressBook(const QString &path, const QString &call);

// Address box text <-> lines: CR LF, a lone CR or a lone LF end a line.
QStringList AddressLines(const QString &text);

} // namespace zelmor
