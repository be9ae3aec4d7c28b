// QSL cards and stickers on a recording canvas at 360 dpi, where a device
// pixel is one printing unit, so positions read straight from the record.
#include "qsl/qslprint.h"
#include "qsl/qslmarking.h"
#include "tests/qsl/qslfixture.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

using namespace zelmor;
using namespace zelmor::test;

namespace {

using Op = RecordingCanvas::Op;

QsoRecord Card(const char *call, const char *date = "24.12.2001") {
    QsoRecord r = Qso(call, QslToSend);
    r.date = QString::fromUtf8(date);
    return r;
}

class QslPrintTest : public QslLogTest {
protected:
    void SetUp() override {
        QslLogTest::SetUp();
        settings.ownCall = "QQ0ZZZ";
        settings.email = "a@b.c";
        settings.nameLatin = "Ivan";
        settings.waz = "16";
        settings.caption = "ZELMOR 5.02";
        settings.blockX = 20;
        settings.blockY = 30;
        settings.perCard = "1";
    }
    // The records as rows 1.., each marked; a log on disk when `onDisk`.
    void list(const std::vector<QsoRecord> &records, bool onDisk = false) {
        if (onDisk) {
            writeLog(records);
            FillTable(table, records, LogFilePath());
        } else {
            FillTable(table, records);
        }
        for (int r = 1; r <= table.listedRows(); ++r) table.setCell(QslColMark, r, QslMark);
    }
    // n one-QSO cards, each of its own call.
    void cards(int n) {
        std::vector<QsoRecord> records;
        for (int i = 0; i < n; ++i) records.push_back(Card(qPrintable(QStringLiteral("UA%1AA").arg(i))));
        list(records);
    }
    void chain(const std::vector<int> &r) {
        for (size_t i = 0; i < r.size(); ++i)
            table.setCell(QslColLink, r[i], i + 1 < r.size() ? QString::number(r[i + 1]) : QStringLiteral("0"));
    }
    QslPrintResult run(QslCardFormat format) {
        settings.format = format;
        return PrintMarkedCards(table, settings, test::Printer());
    }
    const RecordingCanvas &rec() const { return *test::Printer().last(); }
    std::vector<const Op *> all(const QString &text) const {
        std::vector<const Op *> out;
        for (const Op &op : rec().ops)
            if (op.kind == Op::Text && op.text == text) out.push_back(&op);
        return out;
    }
    std::vector<const Op *> ofKind(Op::Kind k) const {
        std::vector<const Op *> out;
        for (const Op &op : rec().ops)
            if (op.kind == k) out.push_back(&op);
        return out;
    }
    // Per text: the position it was drawn at.
    void expectAt(const QString &text, int x, int y) const {
        const Op *op = rec().findText(text);
        ASSERT_NE(op, nullptr) << text.toStdString();
        EXPECT_EQ(std::make_pair(op->x1, op->y1), std::make_pair(x, y)) << text.toStdString();
    }
    std::vector<QString> messages() const {
        std::vector<QString> out;
        for (const auto &m : test::Dialogs().messages()) out.push_back(m.caption + ": " + m.text);
        return out;
    }
    QslTableModel table;
    QslPrintSettings settings;
};

} // namespace

TEST(QslStickerRows, OffsetsGrowByTheGapAndThePageStopsAt3900) {
    EXPECT_EQ(ComputeStickerRowOffsets(0)[10], 3700);
    const StickerRowOffsets g20 = ComputeStickerRowOffsets(20);
    EXPECT_EQ(g20[0], 20);
    EXPECT_EQ(g20[9], 3530);
    EXPECT_EQ(g20[10], 3920);
}

TEST_F(QslPrintTest, StickersFillLeftToRightThenDownAndStartAPageOnlyWhenOneIsFull) {
    struct Case {
        QslCardFormat format;
        int gap;
        int perPage;
        std::vector<int> xs;
        std::vector<int> ys; // of the rows of a page
    };
    const Case cases[] = {
        {QslCardFormat::TwoColumns, 0, 22, {80, 1490}, {0, 370, 740, 1110, 1480, 1850, 2220, 2590, 2960, 3330, 3700}},
        {QslCardFormat::ThreeColumns, 0, 33, {70, 1000, 1950}, {0, 370, 740, 1110, 1480, 1850, 2220, 2590, 2960, 3330, 3700}},
        {QslCardFormat::TwoColumns, 20, 20, {80, 1490}, {20, 410, 800, 1190, 1580, 1970, 2360, 2750, 3140, 3530}},
        {QslCardFormat::TwoColumns, 420, 10, {80, 1490}, {420, 1210, 2000, 2790, 3580}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "gap " << c.gap << " columns " << c.xs.size());
        test::Printer().clear();
        cards(c.perPage + 1);
        settings.gap = c.gap;
        const QslPrintResult done = run(c.format);
        ASSERT_TRUE(done.ok);
        EXPECT_EQ(done.cards, c.perPage + 1);
        const QString anchor = c.format == QslCardFormat::TwoColumns ? "Confirming QSO with: " : "To radio: ";
        const auto stickers = all(anchor);
        ASSERT_EQ(int(stickers.size()), c.perPage + 1);
        for (int i = 0; i < c.perPage; ++i) {
            const Op &s = *stickers[size_t(i)];
            EXPECT_EQ(s.page, 0) << i;
            EXPECT_EQ(s.x1, c.xs[size_t(i) % c.xs.size()]) << i;
            EXPECT_EQ(s.y1, c.ys[size_t(i) / c.xs.size()]) << i;
        }
        const Op &next = *stickers.back();
        EXPECT_EQ(std::make_tuple(next.page, next.x1, next.y1), std::make_tuple(1, c.xs[0], c.ys[0]));
        EXPECT_EQ(ofKind(Op::NewPage).size(), 1u); // none before the first sticker
        EXPECT_TRUE(rec().ended);
    }
}

TEST_F(QslPrintTest, TheDataBlockStandsAtTheMarkerWithItsRowsFrameAndFooter) {
    std::vector<QsoRecord> records = {Card("UA3ABC", "01.05.2003"), Card("UA3ABC", "02.05.2003")};
    records[0].name = "Petr";
    records[1].name = "Petr";
    records[1].qslState = QslReceived; // flagged "П": the card thanks
    list(records);
    settings.perCard = "2";
    settings.fonts[0] = {0x0000FF, 14, "Arial"};
    ASSERT_TRUE(run(QslCardFormat::DataBlock).ok);

    expectAt("Confirming QSO with: ", 100, 180);
    EXPECT_EQ(rec().findText("Confirming QSO with: ")->font, (PrintFont{"times new roman", 10, true}));
    expectAt("op:", 1070, 180);
    expectAt("Petr", 1140, 180);
    expectAt("de: QQ0ZZZ  a@b.c", 100, 235);
    expectAt("UA3ABC", 600, 160);
    EXPECT_EQ(rec().findText("UA3ABC")->font, (PrintFont{"Arial", 14, true, false, false, 0x0000FF}));
    const std::pair<const char *, int> headers[] = {{"Date", 200}, {"UTC", 460}, {"Mode", 710}, {"Band", 960}, {"RST", 1210}};
    for (const auto &[h, x] : headers) expectAt(h, x, 293);
    const auto dates = all("01.may.2003");
    ASSERT_EQ(dates.size(), 1u);
    EXPECT_EQ(std::make_pair(dates[0]->x1, dates[0]->y1), std::make_pair(150, 343));
    expectAt("02.may.2003", 150, 393);
    expectAt("Print-ZELMOR 5.02", 1000, 463);
    EXPECT_EQ(rec().findText("Print-ZELMOR 5.02")->font.size, 4);
    expectAt("TNX QSL       73! Ivan", 100, 443);

    std::vector<std::tuple<int, int, int, int>> lines;
    for (const Op *l : ofKind(Op::Line)) lines.emplace_back(l->x1, l->y1, l->x2, l->y2);
    const std::vector<std::tuple<int, int, int, int>> expected = {
        {100, 342, 1400, 342}, {100, 392, 1400, 392}, {400, 292, 400, 442},
        {650, 292, 650, 442},  {900, 292, 900, 442},  {1150, 292, 1150, 442}};
    EXPECT_EQ(lines, expected);
    const auto frames = ofKind(Op::Rectangle);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(std::make_tuple(frames[0]->x1, frames[0]->y1, frames[0]->x2, frames[0]->y2), std::make_tuple(100, 292, 1400, 442));
    EXPECT_EQ(frames[0]->brush.style, BrushStyle::Clear);

    // With a via the label and the manager take the operator's places.
    test::Printer().clear();
    records[0].qslVia = "UA1ABC";
    records[1].qslState = QslToSend;
    list(records);
    ASSERT_TRUE(run(QslCardFormat::DataBlock).ok);
    expectAt("Via:", 1070, 180);
    expectAt("UA1ABC", 1170, 180);
    EXPECT_EQ(rec().findText("op:"), nullptr);
    EXPECT_EQ(rec().findText("Petr"), nullptr);
    expectAt("PSE QSL       73! Ivan", 100, 443);
}

TEST_F(QslPrintTest, StickersAlwaysRuleThreeRowsAndFillOnlyTheCardsQsos) {
    std::vector<QsoRecord> records = {Card("UA3ABC")};
    records[0].name = "Petr";
    records[0].qslVia = "UA1ABC";
    list(records);
    ASSERT_TRUE(run(QslCardFormat::ThreeColumns).ok);
    expectAt("To radio: ", 70, 0);
    expectAt("op:", 70, 55);
    expectAt("Via:", 520, 55);
    expectAt("UA3ABC", 320, -10);
    expectAt("Petr", 145, 55);
    expectAt("UA1ABC", 620, 55);
    expectAt("PSE QSL    73! Ivan", 70, 313);
    expectAt("Print-ZELMOR 5.02", 70, 373);
    std::vector<int> rules;
    for (const Op *l : ofKind(Op::Line))
        if (l->y1 == l->y2) {
            rules.push_back(l->y1);
            EXPECT_EQ(std::make_pair(l->x1, l->x2), std::make_pair(70, 870));
        }
    EXPECT_EQ(rules, (std::vector<int>{162, 212, 262}));
    const Op *frame = ofKind(Op::Rectangle).at(0);
    EXPECT_EQ(std::make_tuple(frame->x1, frame->y1, frame->x2, frame->y2), std::make_tuple(70, 112, 870, 312));

    test::Printer().clear();
    ASSERT_TRUE((list(records), run(QslCardFormat::TwoColumns)).ok);
    int horizontal = 0;
    for (const Op *l : ofKind(Op::Line)) horizontal += l->y1 == l->y2;
    EXPECT_EQ(horizontal, 3);
    EXPECT_EQ(all("24.dec.2001").size(), 1u); // one filled row of the three
    const Op *frame2 = ofKind(Op::Rectangle).at(0);
    EXPECT_EQ(std::make_tuple(frame2->x1, frame2->y1, frame2->x2, frame2->y2), std::make_tuple(80, 112, 1380, 312));
    expectAt("Print-ZELMOR 5.02", 980, 333);
    expectAt("UA1ABC", 1130, 0); // the sticker's via stands 20 units left of the block's
}

TEST_F(QslPrintTest, TheClubBlankAddsTheCardOriginAfterScaling) {
    std::vector<QsoRecord> records = {Card("UA3ABC"), Card("UA3ABD")};
    records[1].mode = "CW";
    list(records);
    settings.originX = 120;
    settings.originY = 240;
    ASSERT_TRUE(run(QslCardFormat::ClubBlank).ok);
    expectAt("UA3ABC", 1020, 241);
    const auto stars = all("*");
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_EQ(std::make_tuple(stars[0]->page, stars[0]->x1, stars[0]->y1), std::make_tuple(0, 1200, 740)); // SSB
    EXPECT_EQ(std::make_tuple(stars[1]->page, stars[1]->x1, stars[1]->y1), std::make_tuple(1, 1220, 690)); // CW
    expectAt("YAESU    FT-840", 550, 900);
    expectAt("Ivan", 1070, 1040);
    expectAt("16", 490, 1150);

    test::Printer().clear();
    test::Printer().dpiX = test::Printer().dpiY = 600;
    list(records);
    ASSERT_TRUE(run(QslCardFormat::ClubBlank).ok);
    expectAt("UA3ABC", 1620, 242);
}

TEST_F(QslPrintTest, ALayoutIsReadOnceAndEachCardDrawsItsVisibleElementsOnAPageOfItsOwn) {
    QDir(dir_->path()).mkpath("qsl");
    settings.layoutPath = path("qsl/1qsl.qsl");
    RecordIO::Touch(settings.layoutPath);
    QslLayoutElement call;
    call.name = "call";
    call.x1 = 10;
    call.y1 = 5;
    QslLayoutElement hidden = call;
    hidden.name = "hidden";
    hidden.text = "never";
    hidden.visible = 0;
    QslLayoutElement greeting = call;
    greeting.name = "greeting";
    greeting.text = "73!";
    for (const auto &e : {call, hidden, greeting}) StoreLayoutElement(settings.layoutPath, e);
    cards(3);
    const QslPrintResult done = run(QslCardFormat::Layout);
    ASSERT_TRUE(done.ok);
    EXPECT_EQ(ofKind(Op::NewPage).size(), 2u);
    const auto texts = rec().texts();
    ASSERT_EQ(texts.size(), 6u);
    for (int card = 0; card < 3; ++card) {
        EXPECT_EQ(texts[size_t(2 * card)].text, QStringLiteral("UA%1AA").arg(card));
        EXPECT_EQ(texts[size_t(2 * card)].page, card);
        EXPECT_EQ(texts[size_t(2 * card + 1)].text, "73!");
    }
}

TEST_F(QslPrintTest, ACardHoldsNoMoreQsosThanItsFormatShowsAndTheRestPrintLater) {
    std::vector<QsoRecord> five(5, Card("UA3ABC"));
    for (int i = 0; i < 5; ++i) five[size_t(i)].date = QStringLiteral("0%1.05.2003").arg(i + 1);
    struct Case {
        QslCardFormat format;
        const char *perCard;
        int qsos;
        std::vector<int> perCardDrawn; // dates drawn per card
    };
    const Case cases[] = {
        {QslCardFormat::DataBlock, "3", 5, {3, 2}},
        {QslCardFormat::TwoColumns, "5", 5, {3, 2}},
        {QslCardFormat::ClubBlank, "3", 3, {1, 1, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.perCard);
        test::Printer().clear();
        list(std::vector<QsoRecord>(five.begin(), five.begin() + c.qsos));
        std::vector<int> rows;
        for (int r = 1; r <= c.qsos; ++r) rows.push_back(r);
        chain(rows); // one chain longer than any card (grouped with a larger N before)
        settings.perCard = c.perCard;
        const QslPrintResult done = run(c.format);
        ASSERT_TRUE(done.ok);
        EXPECT_EQ(done.drawnRows, rows); // every QSO on some card, each once
        EXPECT_EQ(done.cards, int(c.perCardDrawn.size()));
        // The dates of each card, counted by the card's anchor.
        std::vector<int> counts;
        int card = -1;
        for (const Op &op : rec().ops) {
            if (op.kind != Op::Text) continue;
            if (op.text == "UA3ABC") {
                ++card;
                counts.push_back(0);
            } else if (op.text.contains(".may.2003")) {
                ++counts[size_t(card)];
            }
        }
        EXPECT_EQ(counts, c.perCardDrawn);
    }
}

TEST_F(QslPrintTest, AnEditedLinkThatPointsBackOrPastTheTableEndsTheChain) {
    // A link cell edited by hand must not put a QSO on a card twice (and
    // so mark it twice) nor read past the rows.
    for (const char *link : {"1", "99"}) {
        SCOPED_TRACE(link);
        test::Printer().clear();
        list({Card("UA3ABC", "01.05.2003"), Card("UA3ABC", "02.05.2003"), Card("UA3ABD", "03.05.2003")});
        table.setCell(QslColLink, 1, "2");
        table.setCell(QslColLink, 2, link);
        settings.perCard = "3";
        const QslPrintResult done = run(QslCardFormat::DataBlock);
        ASSERT_TRUE(done.ok);
        EXPECT_EQ(done.drawnRows, (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(done.cards, 2);
        EXPECT_EQ(all("01.may.2003").size(), 1u);
    }
}

TEST_F(QslPrintTest, NothingToPrintBeginsNoDocumentAsksNothingAndWritesNothing) {
    writeLog({Card("UA3ABC"), Card("UA3ABD")});
    const QByteArray before = logBytes();
    const auto tryRun = [&](QslCardFormat format, const QString &caption, bool marked) {
        test::Printer().clear();
        test::Dialogs().clear();
        FillTable(table, {record(0), record(1)}, LogFilePath());
        if (marked) table.setCell(QslColMark, 1, QslMark);
        settings.formatCaption = caption;
        const QslPrintResult done = run(format);
        EXPECT_FALSE(OfferSentMarking(table, done));
        EXPECT_TRUE(test::Printer().jobs.empty());
        EXPECT_EQ(messages().size(), 1u); // why, and no question
        EXPECT_EQ(logBytes(), before);
        EXPECT_EQ(table.cell(QslColMark, 1), marked ? "*" : "");
    };
    tryRun(QslCardFormat::None, "Формат QQ3CX", true); // an item that prints nothing
    EXPECT_TRUE(messages()[0].contains("Формат QQ3CX")) << messages()[0].toStdString();
    tryRun(QslCardFormat::None, "", true);             // the first start: nothing checked
    tryRun(QslCardFormat::TwoColumns, "", false);      // nothing marked
}

TEST_F(QslPrintTest, AFailedRunAsksNothingAndLeavesMarksLinksAndLogAsTheyWere) {
    writeLog({Card("UA3ABC"), Card("UA3ABC"), Card("UA3ABD")});
    const QByteArray before = logBytes();
    FillTable(table, {record(0), record(1), record(2)}, LogFilePath());
    table.setCell(QslColMark, 1, QslMark);
    table.setCell(QslColMark, 3, QslMark);
    settings.perCard = "2"; // the run chains rows 1 and 2 before it prints
    const auto marksAndLinks = [&] {
        QStringList s;
        for (int r = 1; r <= 3; ++r) s << table.cell(QslColMark, r) + "|" + table.cell(QslColLink, r);
        return s;
    };
    const QStringList marks = marksAndLinks();

    test::Printer().failEndWith = "Диск заполнен";
    QslPrintResult done = run(QslCardFormat::TwoColumns);
    EXPECT_TRUE(done.begun);
    EXPECT_FALSE(done.ok);
    EXPECT_FALSE(OfferSentMarking(table, done));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "ERROR: Диск заполнен");
    EXPECT_EQ(marksAndLinks(), marks);
    EXPECT_EQ(logBytes(), before);

    test::Printer().clear();
    test::Printer().refuse = true; // no printer reachable
    done = run(QslCardFormat::TwoColumns);
    EXPECT_FALSE(done.begun);
    EXPECT_EQ(marksAndLinks(), marks);

    // Bad layouts: a missing file, one cut short, one with no visible element.
    QDir(dir_->path()).mkpath("qsl");
    settings.layoutPath = path("qsl/1qsl.qsl");
    const auto layoutRun = [&](const QByteArray &bytes, const char *expected) {
        test::Printer().clear();
        test::Dialogs().clear();
        QFile::remove(settings.layoutPath);
        if (!bytes.isNull()) {
            QFile f(settings.layoutPath);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        run(QslCardFormat::Layout);
        EXPECT_TRUE(test::Printer().jobs.empty());
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_TRUE(messages()[0].startsWith("ERROR: ")) << messages()[0].toStdString();
        EXPECT_TRUE(messages()[0].contains(QString::fromUtf8(expected))) << messages()[0].toStdString();
        EXPECT_EQ(marksAndLinks(), marks);
    };
    QslLayoutElement visible;
    visible.name = "call";
    QslLayoutElement hidden = visible;
    hidden.visible = 0;
    layoutRun(QByteArray(), "Нет файла");
    layoutRun(EncodeRecord(visible) + QByteArray(100, 'x'), "");
    layoutRun(EncodeRecord(hidden), "нет видимых");
}

TEST_F(QslPrintTest, ADoubtfulLayoutAsksFirstAndNoPrintsNothing) {
    QDir(dir_->path()).mkpath("qsl");
    settings.layoutPath = path("qsl/1qsl.qsl");
    RecordIO::Touch(settings.layoutPath);
    QslLayoutElement nearMiss;
    nearMiss.name = "Call"; // a field command in the wrong case, with no text
    StoreLayoutElement(settings.layoutPath, nearMiss);
    cards(2);
    test::Dialogs().answers = {MbNo};
    QslPrintResult done = run(QslCardFormat::Layout);
    EXPECT_TRUE(test::Printer().jobs.empty());
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].buttons, MbYes | MbNo);
    EXPECT_TRUE(test::Dialogs().messages()[0].text.contains("Call"));
    EXPECT_EQ(table.cell(QslColMark, 1), "*");

    test::Dialogs().answers = {MbYes};
    done = run(QslCardFormat::Layout);
    EXPECT_TRUE(done.ok);
    EXPECT_EQ(done.cards, 2);
}

TEST_F(QslPrintTest, YesMarksExactlyTheDrawnQsosSentAndNoLeavesTheLogAlone) {
    std::vector<QsoRecord> records = {Card("UA3ABC"), Card("UA3ABD"), Card("UA3ABE"), Card("UA3ABF")};
    list(records, true);
    table.setCell(QslColMark, 2, QString()); // not marked: not printed
    // Record 3 deleted since the fill: not printed, not written.
    QsoRecord deleted = record(2);
    deleted.deleteMark = DeleteMarkText;
    WriteRecord(path("test.log"), 2, deleted);
    OpenLog();
    const QByteArray before = logBytes();

    test::Dialogs().answers = {MbNo};
    QslPrintResult done = run(QslCardFormat::DataBlock);
    EXPECT_EQ(done.drawnRows, (std::vector<int>{1, 4}));
    EXPECT_EQ(all("UA3ABE").size(), 0u);
    EXPECT_FALSE(OfferSentMarking(table, done));
    EXPECT_EQ(logBytes(), before);
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].caption, "Сохранение отметки");
    EXPECT_EQ(test::Dialogs().messages()[0].text, "Отметка необходима для статистики и исключения повторной отправки QSL");

    test::Dialogs().answers = {MbYes};
    EXPECT_TRUE(OfferSentMarking(table, done));
    const QByteArray after = logBytes();
    for (int i = 0; i < 4; ++i) {
        const QByteArray was = before.mid(i * QsoRecord::Size, QsoRecord::Size), now = after.mid(i * QsoRecord::Size, QsoRecord::Size);
        const bool drawn = i == 0 || i == 3;
        EXPECT_EQ(now.left(349) + now.mid(365), was.left(349) + was.mid(365)) << i;
        EXPECT_EQ(now.mid(349, 16) != was.mid(349, 16), drawn) << i;
        if (drawn) {
            EXPECT_EQ(record(i).qslState, QslSent) << i;
        }
    }
}

TEST(QslSamples, TheFontSampleAndTheStickerSheetAreDrawnInPixels) {
    RecordingCanvas c;
    std::array<CardPartFont, 3> fonts;
    fonts[1] = {0x00FF00, 12, "Arial"};
    DrawQslFontPreview(c, fonts, "Ivan");
    const auto rects = [&] {
        std::vector<std::tuple<int, int, int, int>> out;
        for (const Op &op : c.ops)
            if (op.kind == Op::Rectangle) out.emplace_back(op.x1, op.y1, op.x2, op.y2);
        return out;
    };
    EXPECT_EQ(rects(), (std::vector<std::tuple<int, int, int, int>>{{0, 0, 400, 100}, {2, 2, 320, 62}}));
    const std::tuple<const char *, int, int> texts[] = {{"Date", 25, 3}, {"RST", 280, 3}, {"20.10.98", 15, 18},
                                                        {"57", 280, 18}, {"PSE TNX QSL    73! Ivan", 4, 64}};
    for (const auto &[t, x, y] : texts) {
        const Op *op = c.findText(t);
        ASSERT_NE(op, nullptr) << t;
        EXPECT_EQ(std::make_pair(op->x1, op->y1), std::make_pair(x, y)) << t;
    }
    EXPECT_EQ(c.findText("20.10.98")->font, (PrintFont{"Arial", 12, false, false, false, 0x00FF00}));
    EXPECT_EQ(c.findText("PSE TNX QSL    73! Ivan")->font.name, "times new roman"); // the first-start values
    EXPECT_EQ(c.font().name, "ms sans serif");

    for (const auto &[gap, pairs, first] : {std::tuple{0, 18, 3}, std::tuple{420, 10, 23}}) {
        RecordingCanvas s;
        const std::vector<int> tops = DrawStickerSheetPreview(s, gap);
        EXPECT_EQ(int(tops.size()), pairs) << gap;
        EXPECT_EQ(tops.at(0), first) << gap;
        EXPECT_EQ(tops.at(1) - tops.at(0), 23 + gap / 21) << gap;
    }
}

TEST_F(QslPrintTest, TwentyThreeStickersMakeATwoPagePdf) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    cards(23);
    settings.format = QslCardFormat::TwoColumns;
    SystemPrinter printer;
    printer.forcePdfFolder(path("pdf"));
    const QslPrintResult done = PrintMarkedCards(table, settings, printer);
    ASSERT_TRUE(done.ok);
    const QString pdf = path("pdf/QSL-1.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    QProcess p;
    p.start(pdftotext, {pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_EQ(text.count("Confirming QSO with:"), 23);
    EXPECT_EQ(text.count(u'\f'), 2); // a form feed ends each page
}
