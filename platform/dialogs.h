#pragma once
// Every message box and file dialog of the program goes through here, so
// tests answer them from a script and never block.
#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace zelmor {

enum class MsgIcon { None, Information, Warning, Error, Question };
enum MsgButton : int { MbOk = 1, MbCancel = 2, MbYes = 4, MbNo = 8 };

// What a font dialog chooses: face, size in points, bold, colour 0x00BBGGRR.
struct FontChoice {
    QString name;
    int size = 9;
    bool bold = false;
    unsigned colour = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontChoice &) const = default;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Returns the button pressed (one of MsgButton).
    virtual int messageBox(const QString &caption, const QString &text, MsgIcon icon, int buttons) = 0;
    // Filters in the program's own syntax: "desc|pattern|desc|pattern".
    // An empty result means cancelled.
    virtual QString openFileName(const QString &title, const QString &filter, const QString &dir) = 0;
    virtual QString saveFileName(const QString &title, const QString &filter, const QString &dir) = 0;
    // A font dialog that also picks the colour. `font` holds the initial
    // choice and, on OK, the chosen one; false when cancelled.
    virtual bool chooseFont(FontChoice &font) { return false; }
    // A folder; empty when cancelled.
    virtual QString folderName(const QString &title, const QString &dir) { return QString(); }
    // A colour dialog: `colour` (0x00BBGGRR) holds the initial colour and,
    // on OK, the chosen one; false when cancelled.
    virtual bool chooseColour(unsigned &colour, const QString &title) { return false; }
};

// The desktop's dialogs.
class QtDialogs : public Dialogs {
public:
    int messageBox(const QString &caption, const QString &text, MsgIcon icon, int buttons) override;
    QString openFileName(const QString &title, const QString &filter, const QString &dir) override;
    QString saveFileName(const QString &title, const QString &filter, const QString &dir) override;
    // Qt's font dialog has no colour: a colour dialog follows it.
    bool chooseFont(FontChoice &font) override;
    QString folderName(const QString &title, const QString &dir) override;
    bool chooseColour(unsigned &colour, const QString &title) override;
};

// Records every call and answers from a script: the next queued answer, or
// the first button offered (file dialogs: cancelled) when the queue is empty.
class FakeDialogs : public Dialogs {
public:
    struct Call {
        QString kind; // "message", "open", "save", "font", "colour"
        QString caption;
        QString text; // message text, or the filter of a file dialog
        MsgIcon icon = MsgIcon::None;
        int buttons = 0;
    };
    std::vector<Call> calls;
    std::deque<int> answers;
    std::deque<QString> fileAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers; // nullopt or empty queue: cancelled
    std::deque<std::optional<unsigned>> colourAnswers; // the same for the colour dialog

    int messageBox(const QString &caption, const QString &text, MsgIcon icon, int buttons) override;
    QString openFileName(const QString &title, const QString &filter, const QString &dir) override;
    QString saveFileName(const QString &title, const QString &filter, const QString &dir) override;
    bool chooseFont(FontChoice &font) override;
    // Answered from fileAnswers, like the file dialogs.
    QString folderName(const QString &title, const QString &dir) override;
    bool chooseColour(unsigned &colour, const QString &title) override;
    std::vector<Call> messages() const;
    void clear() { calls.clear(); }
};

// "desc|pattern|desc|pattern" -> "desc (pattern);;desc (pattern)", each
// letter of a pattern matching either case ("*.log" -> "*.[lL][oO][gG]").
QString QtFilterFromParts(const QString &filter);

namespace platform {
Dialogs &dialogs();
void install(Dialogs *d); // not owned; nullptr restores the desktop's dialogs
} // namespace platform

// A message box with the caption "ERROR" and the error icon.
void ShowErrorBox(const QString &text);
// The missing-file message: "Нет файла", a blank, then the display name in
// double-quote marks, caption "ERROR".
void ShowMissingFile(const QString &displayName);
QString MissingFileText(const QString &displayName);

} // namespace zelmor
