#include "platform/dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QStringList>

namespace zelmor {

namespace {
Dialogs *g_dialogs = nullptr;

QMessageBox::Icon ToQt(MsgIcon i) {
    switch (i) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

int FirstButton(int buttons) {
    for (int b : {MbOk, MbYes, MbNo, MbCancel})
        if (buttons & b) return b;
    return MbOk;
}
} // namespace

int QtDialogs::messageBox(const QString &caption, const QString &text, MsgIcon icon, int buttons) {
    QMessageBox box(ToQt(icon), caption, text);
    QMessageBox::StandardButtons qb;
    if (buttons & MbOk) qb |= QMessageBox::Ok;
    if (buttons & MbCancel) qb |= QMessageBox::Cancel;
    if (buttons & MbYes) qb |= QMessageBox::Yes;
    if (buttons & MbNo) qb |= QMessageBox::No;
    if (!qb) qb = QMessageBox::Ok;
    box.setStandardButtons(qb);
    switch (box.exec()) {
    case QMessageBox::Cancel: return MbCancel;
    case QMessageBox::Yes: return MbYes;
    case QMessageBox::No: return MbNo;
    default: return MbOk;
    }
}

QString QtDialogs::openFileName(const QString &title, const QString &filter, const QString &dir) {
    return QFileDialog::getOpenFileName(nullptr, title, dir, QtFilterFromParts(filter));
}

QString QtDialogs::folderName(const QString &title, const QString &dir) {
    return QFileDialog::getExistingDirectory(nullptr, title, dir);
}

QString QtDialogs::saveFileName(const QString &title, const QString &filter, const QString &dir) {
    return QFileDialog::getSaveFileName(nullptr, title, dir, QtFilterFromParts(filter));
}

bool QtDialogs::chooseFont(FontChoice &font) {
    QFont initial(font.name);
    initial.setPointSize(font.size > 0 ? font.size : 9);
    initial.setBold(font.bold);
    initial.setItalic(font.italic);
    initial.setUnderline(font.underline);
    initial.setStrikeOut(font.strikeOut);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, nullptr, QStringLiteral("Шрифт"));
    if (!ok) return false;
    const unsigned c = font.colour;
    const QColor colour = QColorDialog::getColor(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)),
                                                 nullptr, QStringLiteral("Цвет шрифта"));
    font.name = chosen.family();
    font.size = chosen.pointSize();
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    font.underline = chosen.underline();
    font.strikeOut = chosen.strikeOut();
    if (colour.isValid()) font.colour = unsigned(colour.red()) | unsigned(colour.green()) << 8 | unsigned(colour.blue()) << 16;
    return true;
}

bool QtDialogs::chooseColour(unsigned &c, const QString &title) {
    const QColor colour = QColorDialog::getColor(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)),
                                                 nullptr, title);
    if (!colour.isValid()) return false;
    c = unsigned(colour.red()) | unsigned(colour.green()) << 8 | unsigned(colour.blue()) << 16;
    return true;
}

bool FakeDialogs::chooseColour(unsigned &colour, const QString &title) {
    calls.push_back({QStringLiteral("colour"), title, QString::number(colour), MsgIcon::None, 0});
    if (colourAnswers.empty()) return false;
    const std::optional<unsigned> a = colourAnswers.front();
    colourAnswers.pop_front();
    if (!a) return false;
    colour = *a;
    return true;
}

bool FakeDialogs::chooseFont(FontChoice &font) {
    calls.push_back({QStringLiteral("font"), font.name, QString::number(font.size), MsgIcon::None, 0});
    if (fontAnswers.empty()) return false;
    const std::optional<FontChoice> a = fontAnswers.front();
    fontAnswers.pop_front();
    if (!a) return false;
    font = *a;
    return true;
}

int FakeDialogs::messageBox(const QString &caption, const QString &text, MsgIcon icon, int buttons) {
    calls.push_back({QStringLiteral("message"), caption, text, icon, buttons});
    if (answers.empty()) return FirstButton(buttons);
    const int a = answers.front();
    answers.pop_front();
    return a;
}

QString FakeDialogs::openFileName(const QString &title, const QString &filter, const QString &) {
    calls.push_back({QStringLiteral("open"), title, filter, MsgIcon::None, 0});
    if (fileAnswers.empty()) return QString();
    QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

QString FakeDialogs::folderName(const QString &title, const QString &dir) {
    calls.push_back({QStringLiteral("folder"), title, dir, MsgIcon::None, 0});
    if (fileAnswers.empty()) return QString();
    QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

QString FakeDialogs::saveFileName(const QString &title, const QString &filter, const QString &) {
    calls.push_back({QStringLiteral("save"), title, filter, MsgIcon::None, 0});
    if (fileAnswers.empty()) return QString();
    QString a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

std::vector<FakeDialogs::Call> FakeDialogs::messages() const {
    std::vector<Call> out;
    for (const auto &c : calls)
        if (c.kind == QLatin1String("message")) out.push_back(c);
    return out;
}

QString QtFilterFromParts(const QString &filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    // Masks match regardless of case, as on the system the logs come from:
    // "*log.dat" finds "TESTLOG.DAT" too.
    const auto anyCase = [](const QString &mask) {
        QString m;
        for (QChar c : mask) {
            if (c.toLower() != c.toUpper()) m += u'[' + QString(c.toLower()) + QString(c.toUpper()) + u']';
            else m += c;
        }
        return m;
    };
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList masks;
        for (const QString &mask : parts[i + 1].split(u';', Qt::SkipEmptyParts)) masks << anyCase(mask.trimmed());
        out << parts[i] + QStringLiteral(" (") + masks.join(u' ') + u')';
    }
    return out.join(QStringLiteral(";;"));
}

namespace platform {
Dialogs &dialogs() {
    static QtDialogs desktop;
    return g_dialogs ? *g_dialogs : desktop;
}
void install(Dialogs *d) { g_dialogs = d; }
} // namespace platform

void ShowErrorBox(const QString &text) {
    platform::dialogs().messageBox(QStringLiteral("ERROR"), text, MsgIcon::Error, MbOk);
}

QString MissingFileText(const QString &displayName) {
    return QStringLiteral("Нет файла \"") + displayName + u'"';
}

void ShowMissingFile(const QString &displayName) { ShowErrorBox(MissingFileText(displayName)); }

} // namespace zelmor
