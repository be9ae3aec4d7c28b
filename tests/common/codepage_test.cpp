#include "common/codepage.h"
#include "common/text.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace zelmor;

TEST(Codepage, Cp1251MatchesTheSystemConverterForEveryByte) {
    QStringDecoder system("windows-1251");
    if (!system.isValid()) GTEST_SKIP() << "no system cp1251 converter on this build";
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98) continue; // unassigned in cp1251
        const char c = char(b);
        const QString expected = system(QByteArray(1, c));
        EXPECT_EQ(QString(QChar(Cp1251ToUnicode(uchar(b)))), expected) << "byte " << b;
        EXPECT_EQ(uchar(ToCp1251(expected)[0]), b) << "byte " << b;
    }
}

TEST(Codepage, RoundTripsRussianTextAndMarksWhatCp1251Lacks) {
    const QString text = QStringLiteral("Не отправлять ёЁ №");
    EXPECT_EQ(FromCp1251(ToCp1251(text)), text);
    EXPECT_EQ(ToCp1251(QStringLiteral("Н")), QByteArray("\xCD"));
    EXPECT_EQ(ToCp1251(QStringLiteral("日")), QByteArray("?"));
}

TEST(Codepage, Cp866ToCp1251) {
    // "Привет" in cp866, then a box-drawing frame.
    const QByteArray oem("\x8F\xE0\xA8\xA2\xA5\xE2 \xC9\xCD\xBB\xBA\xF0", 12);
    EXPECT_EQ(FromCp1251(OemToChar(oem)), QStringLiteral("Привет +-+|Ё"));
    EXPECT_EQ(FromCp866(QByteArray("\xA0\xAF\xE0\xEF", 4)), QStringLiteral("апря"));
}

TEST(Text, TrimRemovesOnlyCharactersUpTo32) {
    EXPECT_EQ(Trim(u"\t 14  Mhz \r\n"), QStringLiteral("14  Mhz"));
    // cp1251 0xA0 (no-break space) is text there, not white space.
    EXPECT_EQ(Trim(QString(QChar(0xA0)) + QStringLiteral("x ")), QString(QChar(0xA0)) + QStringLiteral("x"));
    EXPECT_EQ(StripBlanks(u" UA3 A\tBC "), QStringLiteral("UA3A\tBC"));
}

TEST(Text, UpperAndLowerCaseCp1251) {
    EXPECT_EQ(UpperCaseCp1251(u"  ua3abc ёжик "), QStringLiteral("UA3ABC ЁЖИК"));
    EXPECT_EQ(UpperCaseCp1251(u"äß№"), QStringLiteral("äß№")); // not cp1251 letters of the rule
    EXPECT_EQ(LowerCaseCp1251(u"  UA3ABC@MAIL.RU ЁЖИК Ä№ "), QStringLiteral("ua3abc@mail.ru ёжик Ä№"));
}

TEST(Text, ParseDecimalTakesCommaAndPoint) {
    struct Case { const char16_t *text; std::optional<double> value; };
    const Case cases[] = {
        {u"53,93", 53.93}, {u" -97.5 ", -97.5}, {u"0", 0.0}, {u"", std::nullopt},
        {u"abc", std::nullopt}, {u"1,2,3", std::nullopt}, {u"nan", std::nullopt},
    };
    for (const auto &c : cases) {
        const auto v = ParseDecimal(c.text);
        ASSERT_EQ(v.has_value(), c.value.has_value()) << QString::fromUtf16(c.text).toStdString();
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.value);
        }
    }
}
