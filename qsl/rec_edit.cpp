#include "qsl/rec_edit.h"

#include "qsl/layouteditor.h"
#include "qsl/toolbutton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelmor {

Trec_edit *rec_edit = nullptr;

namespace {
constexpr int BrushOfButton[8] = {1, 5, 6, 7, 4, 2, 0, 3};
constexpr int PenOfButton[6] = {5, 1, 2, 3, 4, 0};

void Check(QButtonGroup *group, int id) {
    group->setExclusive(false);
    for (QAbstractButton *b : group->buttons()) b->setChecked(group->id(b) == id);
    group->setExclusive(true);
}
} // namespace

Trec_edit::Trec_edit(QWidget *parent)
    : ElementEditor(QslLayoutElement::Shape, QStringLiteral("rec_edit"), QStringLiteral("Редактор фигур "), parent) {
    rec_e_n = nameList();
    rec_e_n->setObjectName(QStringLiteral("rec_e_n"));
    rec_e_s = new QComboBox(this);
    rec_e_s->setObjectName(QStringLiteral("rec_e_s"));
    rec_e_s->setEditable(true); // a loaded unknown type shows as it is stored
    rec_e_s->addItems({ShapeRoundRectangle, ShapeRectangle, ShapeEllipse});
    rec_e_s->lineEdit()->setMaxLength(100);
    rec_e_x1 = new CoordinateField(QStringLiteral("rec_e_x1"), 0, 100, this);
    rec_e_y1 = new CoordinateField(QStringLiteral("rec_e_y1"), 0, 100, this);
    rec_e_x2 = new CoordinateField(QStringLiteral("rec_e_x2"), 0, 100, this);
    rec_e_y2 = new CoordinateField(QStringLiteral("rec_e_y2"), 0, 100, this);
    rec_e_xy = new CoordinateField(QStringLiteral("rec_e_xy"), 0, 100, this);
    rec_e_ch = new QCheckBox(QStringLiteral("Видимая рамка"), this);
    rec_e_ch->setObjectName(QStringLiteral("rec_e_ch"));
    rec_e_ch->setChecked(true);
    brushes_ = new QButtonGroup(this);
    pens_ = new QButtonGroup(this);
    const QString brushNames[8] = {"прозрачная", "//", "++", "xx", "\\\\", "≡", "сплошная", "||"};
    const QString penNames[6] = {"нет", "штрих", "точки", "штрих-точка", "штрих-2 точки", "сплошной"};
    auto *brushGrid = new QGridLayout, *penGrid = new QGridLayout;
    for (int i = 0; i < 8; ++i) {
        rec_bur[i] = new QRadioButton(brushNames[i], this);
        rec_bur[i]->setObjectName(QStringLiteral("rec_bur%1").arg(i + 1));
        brushes_->addButton(rec_bur[i], BrushOfButton[i]);
        brushGrid->addWidget(rec_bur[i], i / 2, i % 2);
    }
    for (int i = 0; i < 6; ++i) {
        rec_pen[i] = new QRadioButton(penNames[i], this);
        rec_pen[i]->setObjectName(QStringLiteral("rec_pen%1").arg(i + 1));
        pens_->addButton(rec_pen[i], PenOfButton[i]);
        penGrid->addWidget(rec_pen[i], i, 0);
    }
    rec_bur[6]->setChecked(true);
    rec_pen[5]->setChecked(true);
    rec_e_w = new QLineEdit(QStringLiteral("1"), this);
    rec_e_w->setObjectName(QStringLiteral("rec_e_w"));
    rec_e_w->setValidator(new QIntValidator(0, 99, rec_e_w));
    penGrid->addWidget(rec_e_w, 5, 1);
    SpeedButton1 = NamedToolButton(this, "SpeedButton1", QStringLiteral("ОК"));
    SpeedButton4 = NamedToolButton(this, "SpeedButton4", QStringLiteral("Del"));
    SpeedButton2 = NamedToolButton(this, "SpeedButton2", QStringLiteral("С"));
    SpeedButton3 = NamedToolButton(this, "SpeedButton3", QStringLiteral("С"));

    auto *g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("Имя рамки"), this), 0, 0);
    g->addWidget(rec_e_n, 0, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Тип рамки"), this), 1, 0);
    g->addWidget(rec_e_s, 1, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Координаты начало ( мм )"), this), 2, 0);
    g->addWidget(rec_e_x1, 2, 1);
    g->addWidget(rec_e_y1, 2, 2);
    g->addWidget(new QLabel(QStringLiteral("Координаты конца ( мм )"), this), 3, 0);
    g->addWidget(rec_e_x2, 3, 1);
    g->addWidget(rec_e_y2, 3, 2);
    g->addWidget(new QLabel(QStringLiteral("Улол закругления"), this), 4, 0);
    g->addWidget(rec_e_xy, 4, 1);
    g->addWidget(rec_e_ch, 4, 2, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Тип заливки"), this), 5, 0);
    g->addLayout(brushGrid, 6, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Тип контура       толщина"), this), 5, 2);
    g->addLayout(penGrid, 6, 2, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Цвет линии"), this), 7, 0);
    g->addWidget(SpeedButton2, 7, 1);
    g->addWidget(new QLabel(QStringLiteral("Цвет заливки"), this), 7, 2);
    g->addWidget(SpeedButton3, 7, 3);
    auto *okRow = new QHBoxLayout;
    okRow->addWidget(SpeedButton1);
    okRow->addWidget(SpeedButton4);
    okRow->addStretch(1);
    auto *v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addLayout(okRow);

    connect(SpeedButton1, &QToolButton::clicked, this, [this] { okClick(); });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { delClick(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [] { ChooseColour(EditorValues.shapePenColour, QStringLiteral("Цвет линии")); });
    connect(SpeedButton3, &QToolButton::clicked, this, [] { ChooseColour(EditorValues.shapeFill, QStringLiteral("Цвет заливки")); });
}

std::optional<QslLayoutElement> Trec_edit::fieldsElement() {
    QslLayoutElement e;
    if (!take(rec_e_x1, e.x1) || !take(rec_e_y1, e.y1) || !take(rec_e_x2, e.x2) || !take(rec_e_y2, e.y2) ||
        !take(rec_e_xy, e.corner))
        return std::nullopt;
    e.visible = rec_e_ch->isChecked() ? 1 : 0;
    e.shapeType = rec_e_s->currentText();
    e.brushStyle = brushes_->checkedId() >= 0 ? quint8(brushes_->checkedId()) : loadedBrush_;
    e.penStyle = pens_->checkedId() >= 0 ? quint8(pens_->checkedId()) : loadedPen_;
    e.penWidth = rec_e_w->text().toInt();
    e.penColour = EditorValues.shapePenColour;
    e.brushColour = EditorValues.shapeFill;
    return e;
}

void Trec_edit::loadElement(const QslLayoutElement &e) {
    rec_e_n->setEditText(e.name);
    rec_e_s->setEditText(e.shapeType);
    rec_e_x1->setValue(e.x1);
    rec_e_y1->setValue(e.y1);
    rec_e_x2->setValue(e.x2);
    rec_e_y2->setValue(e.y2);
    rec_e_xy->setValue(e.corner);
    rec_e_ch->setChecked(e.visible == 1);
    loadedBrush_ = e.brushStyle;
    loadedPen_ = e.penStyle;
    Check(brushes_, e.brushStyle);
    Check(pens_, e.penStyle);
    rec_e_w->setText(QString::number(e.penWidth));
    EditorValues.shapePenColour = e.penColour;
    EditorValues.shapeFill = e.brushColour;
}

} // namespace zelmor
