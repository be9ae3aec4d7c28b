#pragma once
// One drawing element of a QSL card layout ("<n>qsl.qsl" in the qsl folder):
// 564 bytes, no file header, element i at byte i * 564. The layout editor
// writes these, the card printer draws them.
#include "common/recordfile.h"

#include <QString>
#include <array>

namespace zelmor {

struct QslLayoutElement {
    static constexpr int Size = 564;
    enum Kind : qint32 { Text = 1, Line = 2, Shape = 3 };

    qint32 kind = Text;      // readers skip any other value
    quint8 visible = 1;      // 1 = drawn, any other value = not drawn
    QString shapeType;       // one of the shape names below
    QString text;            // literal text of a text element ("" for lines and shapes)
    QString name;            // element name; a text element's may be a field command
    qint32 corner = 0;       // corner ellipse of a rounded rectangle, 1/360 inch on paper
    qint32 x1 = 0, y1 = 0;   // layout units (1/30 inch)
    qint32 x2 = 0, y2 = 0;
    quint8 penStyle = 0;     // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none
    qint32 penColour = 0;    // 0x00BBGGRR
    qint32 penWidth = 1;     // device pixels
    quint8 brushStyle = 0;   // 0 solid, 1 none, 2 horizontal, 3 vertical, 4 and 5 diagonals, 6 cross, 7 diagonal cross
    qint32 brushColour = 0xFFFFFF; // shape fill; text background
    QString fontName;
    qint32 fontColour = 0;
    quint8 fontStyle = 0;    // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    qint32 fontSize = 10;    // points, as chosen in the font dialog

    static const std::array<FieldOf<QslLayoutElement>, 19> Fields;
};

inline const std::array<FieldOf<QslLayoutElement>, 19> QslLayoutElement::Fields = {{
    Int32Field(0, &QslLayoutElement::kind),
    ByteField(4, &QslLayoutElement::visible),
    {5, 100, &QslLayoutElement::shapeType},
    {106, 250, &QslLayoutElement::text},
    {357, 100, &QslLayoutElement::name},
    // 458, 2 bytes reserved
    Int32Field(460, &QslLayoutElement::corner),
    Int32Field(464, &QslLayoutElement::x1),
    Int32Field(468, &QslLayoutElement::y1),
    Int32Field(472, &QslLayoutElement::x2),
    Int32Field(476, &QslLayoutElement::y2),
    ByteField(480, &QslLayoutElement::penStyle),
    // 481, 3 bytes reserved
    Int32Field(484, &QslLayoutElement::penColour),
    Int32Field(488, &QslLayoutElement::penWidth),
    ByteField(492, &QslLayoutElement::brushStyle),
    // 493, 3 bytes reserved
    Int32Field(496, &QslLayoutElement::brushColour),
    {500, 50, &QslLayoutElement::fontName},
    // 551, 1 byte reserved
    Int32Field(552, &QslLayoutElement::fontColour),
    ByteField(556, &QslLayoutElement::fontStyle),
    // 557, 3 bytes reserved
    Int32Field(560, &QslLayoutElement::fontSize),
}};

namespace QslLayoutField {
inline constexpr int Kind = 0;
inline constexpr int Visible = 4;
inline constexpr TextField Name{357, 100};
} // namespace QslLayoutField

// The three shape types, as stored ("c" of the second is the Latin letter;
// "Элипс" with one "л").
inline const QString ShapeRectangle = QStringLiteral("Прямоугольник");
inline const QString ShapeRoundRectangle = QStringLiteral("Прямоугольник c закруглением");
inline const QString ShapeEllipse = QStringLiteral("Элипс");

} // namespace zelmor
