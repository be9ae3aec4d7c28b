#include "qsl/qslprintwindow.h"

#include "logbook/glawnf.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "logbook/stationprofile.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "qsl/qsl.h"
#include "station/nastroy.h"
#include "station/settingsglobals.h"

#include <QAction>
#include <QPainter>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QSlider>

#include <algorithm>

namespace zelmor {

namespace {
QColor ColourOf(qint32 bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QImage Draw(int width, int height, const std::function<void(PrintCanvas &)> &paint) {
    ImageCanvas canvas(96, width, height);
    paint(canvas);
    canvas.end();
    return canvas.pages().empty() ? QImage() : canvas.pages().front();
}

// An image canvas that draws its units at a fixed fraction of a pixel, so a
// sample laid out in its own pixels fits a smaller picture with crisp lines.
class ShrinkingImageCanvas : public ImageCanvas {
public:
    ShrinkingImageCanvas(int width, int height, double factor) : ImageCanvas(96, width, height) {
        if (painter()) painter()->scale(factor, factor);
    }
};

// The sheet sample's own size: its last pair begins above y 400 and is
// 23 pixels high after a gap of at most 420 ÷ 21.
constexpr int StickerSheetWidth = 241;
constexpr int StickerSheetHeight = 399 + 420 / 21 + 23;

const char *const FontItemNames[3] = {"N6", "N7", "N8"};
} // namespace

QslCardFormat CheckedQslFormat(const TQSL &w, QString *caption) {
    const std::pair<QAction *, QslCardFormat> items[] = {
        {w.QSLedit, QslCardFormat::Layout},    {w.tqsli, QslCardFormat::DataBlock}, {w.tqsln, QslCardFormat::TwoColumns},
        {w.N31, QslCardFormat::ThreeColumns},  {w.qsl5, QslCardFormat::ClubBlank},  {w.QQ1AX1, QslCardFormat::QQ1AX},
        {w.QQ5EX1, QslCardFormat::QQ5EX},      {w.QQ6FX11, QslCardFormat::QQ6FX1},  {w.QQ6FX21, QslCardFormat::QQ6FX2},
        {w.QQ4DX1, QslCardFormat::QQ4DX},      {w.QQ3CX1, QslCardFormat::None},     {w.QQ2BXY1, QslCardFormat::None},
        {w.QQ7GX1, QslCardFormat::None},       {w.tqsl, QslCardFormat::None},       {w.obratstr, QslCardFormat::None},
        {w.Lichnay, QslCardFormat::None},
    };
    for (const auto &[action, format] : items)
        if (action && action->isChecked()) {
            if (caption) *caption = action->text();
            return format;
        }
    if (caption) caption->clear();
    return QslCardFormat::None;
}

QslPrintSettings CurrentQslPrintSettings() {
    QslPrintSettings s;
    if (QSL) s.format = CheckedQslFormat(*QSL, &s.formatCaption);
    if (Nastroy) {
        s.perCard = Nastroy->edit20->text();
        s.gap = Nastroy->updown1->value();
        s.email = Nastroy->Edit11->text();
    }
    s.blockX = QslPositionTable[14];
    s.blockY = QslPositionTable[15];
    s.originX = QslPositionTable[20];
    s.originY = QslPositionTable[19];
    s.fonts = CardFonts;
    s.ownCall = StationProfile.call;
    s.nameLatin = StationProfile.nameLatin;
    s.waz = StationProfile.waz;
    s.caption = glawnf ? glawnf->windowTitle() : QStringLiteral("ZELMOR 5.02");
    s.layoutPath = CurrentLayoutPath();
    return s;
}

void PrintQslCardsOfWindow(Printer &printer) {
    if (!QSL) return;
    const QslPrintResult run = PrintMarkedCards(*QSL->qslTable, CurrentQslPrintSettings(), printer);
    QSL->UpdateMarkedCounters();
    if (OfferSentMarking(*QSL->qslTable, run)) {
        QSL->UpdateMarkedCounters();
        QSL->CountQslStatuses();
    }
}

void ShowPersonalFormats(TQSL &w, const QString &ownCall) {
    const QString call = ownCall.trimmed().toUpper();
    const std::pair<QAction *, const char *> items[] = {
        {w.QQ2BXY1, "QQ2BXY"}, {w.QQ3CX1, "QQ3CX"}, {w.QQ1AX1, "QQ1AX"},  {w.QQ5EX1, "QQ5EX"},
        {w.QQ6FX11, "QQ6FX"},  {w.QQ6FX21, "QQ6FX"}, {w.QQ4DX1, "QQ4DX"},
    };
    for (const auto &[action, owner] : items)
        if (action) action->setVisible(call == QLatin1String(owner));
}

bool ChooseCardPartFont(int part) {
    CardPartFont &f = CardFonts[size_t(part)];
    const PrintFont now = CardPartPrintFont(f, false);
    FontChoice choice{now.name, int(now.size), false, unsigned(f.colour)};
    if (!platform::dialogs().chooseFont(choice)) return false;
    f.name = choice.name;
    f.size = choice.size;
    f.colour = qint32(choice.colour);
    static constexpr SettingId ids[3][3] = {
        {SettingId::CardTopFont, SettingId::CardTopSize, SettingId::CardTopColour},
        {SettingId::CardMiddleFont, SettingId::CardMiddleSize, SettingId::CardMiddleColour},
        {SettingId::CardBottomFont, SettingId::CardBottomSize, SettingId::CardBottomColour},
    };
    {
        SettingsBatch batch;
        WriteSetting(ids[part][0], f.name);
        WriteSetting(ids[part][1], f.size);
        WriteSetting(ids[part][2], f.colour);
    }
    RedrawQslFontPreview();
    return true;
}

void RedrawQslFontPreview() {
    if (!Nastroy) return;
    Nastroy->Image1->setPixmap(QPixmap::fromImage(QslFontPreviewImage(CardFonts, StationProfile.nameLatin)));
    const PrintFont top = CardPartPrintFont(CardFonts[0], true);
    const auto style = [&](QLabel *label, double size) {
        QFont f(top.name);
        f.setPointSizeF(size);
        f.setBold(true);
        label->setFont(f);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, ColourOf(qint32(top.colour)));
        label->setPalette(p);
    };
    style(Nastroy->Label15, top.size);
    style(Nastroy->Label17, 10);
    Nastroy->Label19->setText(StationProfile.call);
    Nastroy->Label20->setText(Nastroy->Edit11->text());
}

QImage QslFontPreviewImage(const std::array<CardPartFont, 3> &fonts, const QString &nameLatin) {
    return Draw(400, 100, [&](PrintCanvas &c) { DrawQslFontPreview(c, fonts, nameLatin); });
}

QImage StickerSheetPreviewImage(int gap, QSize room) {
    // The whole sheet is shown, shrunk to the picture, at one scale for
    // every gap so that moving the slider shows only the gap changing.
    const double factor = std::min({1.0, double(room.width()) / StickerSheetWidth, double(room.height()) / StickerSheetHeight});
    ShrinkingImageCanvas canvas(int(StickerSheetWidth * factor), int(StickerSheetHeight * factor), factor);
    DrawStickerSheetPreview(canvas, gap);
    canvas.end();
    return canvas.pages().front();
}

void RedrawStickerSheetPreview() {
    if (!Nastroy) return;
    const int gap = Nastroy->updown1->value();
    StickerRows = ComputeStickerRowOffsets(gap);
    Nastroy->Image2->setAlignment(Qt::AlignCenter);
    Nastroy->Image2->setPixmap(QPixmap::fromImage(StickerSheetPreviewImage(gap, Nastroy->Image2->contentsRect().size())));
}

void EnableBlockPositionMarker() {
    if (Nastroy) Nastroy->sh1->setEnabled(true);
}

void InstallQslPrinting() {
    QslHook.PrintMarkedCards = [] { PrintQslCardsOfWindow(platform::printer()); };
    QslHook.ComputeStickerRowOffsets = [] {
        StickerRows = ComputeStickerRowOffsets(Nastroy ? Nastroy->updown1->value() : 0);
    };
    QslHook.DrawQslFontPreview = RedrawQslFontPreview;
    QslHook.FormActivate = [] {
        if (QSL) ShowPersonalFormats(*QSL, StationProfile.call);
    };
    SettingsDialogHook.StickerPreview = RedrawStickerSheetPreview;
    SettingsDialogHook.CardFontPreview = RedrawQslFontPreview;
    SettingsDialogHook.BlockMarkerStep = EnableBlockPositionMarker;
    if (QSL && !QSL->findChild<QAction *>(QLatin1String(FontItemNames[0]))) {
        const QString captions[3] = {QStringLiteral("Шриф для верхней части QSL (Call,op,via)"),
                                     QStringLiteral("Шрифт для средней части QSL (date,utc,rst,mode)"),
                                     QStringLiteral("Шриф для нижней части QSL(pse tnx qsl )")};
        QSL->formatMenu->addSeparator();
        for (int part = 0; part < 3; ++part) {
            QAction *a = QSL->formatMenu->addAction(captions[part]);
            a->setObjectName(QLatin1String(FontItemNames[part]));
            QObject::connect(a, &QAction::triggered, QSL, [part] { ChooseCardPartFont(part); });
        }
    }
}

void UninstallQslPrinting() {
    QslHook = {};
    SettingsDialogHook.StickerPreview = nullptr;
    SettingsDialogHook.CardFontPreview = nullptr;
    SettingsDialogHook.BlockMarkerStep = nullptr;
}

} // namespace zelmor
