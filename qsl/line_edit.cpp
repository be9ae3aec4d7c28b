#include "qsl/line_edit.h"

#include "platform/printer.h"
#include "qsl/layouteditor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelmor {

Tline_edit *line_edit = nullptr;

namespace {
QImage StyleSamples() {
    ImageCanvas c(96, 120, 100);
    const PenStyle styles[] = {PenStyle::Dash, PenStyle::Dot, PenStyle::DashDot, PenStyle::DashDotDot, PenStyle::Solid};
    for (int i = 0; i < 5; ++i) {
        c.setPen({1, styles[i], 0});
        c.line(4, 10 + 20 * i, 116, 10 + 20 * i);
    }
    c.end();
    return c.pages().front();
}
} // namespace

Tline_edit::Tline_edit(QWidget *parent)
    : ElementEditor(QslLayoutElement::Line, QStringLiteral("line_edit"), QStringLiteral("Редактор линий "), parent) {
    line_e_n = nameList();
    line_e_n->setObjectName(QStringLiteral("line_e_n"));
    line_e_x1 = new CoordinateField(QStringLiteral("line_e_x1"), 0, 100, this);
    line_e_y1 = new CoordinateField(QStringLiteral("line_e_y1"), 0, 100, this);
    line_e_x2 = new CoordinateField(QStringLiteral("line_e_x2"), 0, 100, this);
    line_e_y2 = new CoordinateField(QStringLiteral("line_e_y2"), 0, 100, this);
    line_e_ch = new QCheckBox(QStringLiteral("Видимая линия"), this);
    line_e_ch->setObjectName(QStringLiteral("line_e_ch"));
    line_e_ch->setChecked(true);
    styles_ = new QButtonGroup(this);
    QRadioButton **buttons[] = {&line_e_s1, &line_e_s2, &line_e_s3, &line_e_s4, &line_e_s5};
    const int pen[] = {1, 2, 3, 4, 0};
    for (int i = 0; i < 5; ++i) {
        *buttons[i] = new QRadioButton(this);
        (*buttons[i])->setObjectName(QStringLiteral("line_e_s%1").arg(i + 1));
        styles_->addButton(*buttons[i], pen[i]);
    }
    line_e_s5->setChecked(true);
    line_e_w = new QLineEdit(QStringLiteral("1"), this);
    line_e_w->setObjectName(QStringLiteral("line_e_w"));
    line_e_w->setValidator(new QIntValidator(0, 99, line_e_w));
    line_k = new QToolButton(this);
    line_k->setObjectName(QStringLiteral("line_k"));
    line_k->setText(QStringLiteral("С"));
    SpeedButton2 = new QToolButton(this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("OK"));
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("Del"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(StyleSamples()));

    auto *g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("Имя линии"), this), 0, 0);
    g->addWidget(line_e_n, 0, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Координаты начала ( мм )"), this), 1, 0);
    g->addWidget(line_e_x1, 1, 1);
    g->addWidget(line_e_y1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Координаты конца ( мм )"), this), 2, 0);
    g->addWidget(line_e_x2, 2, 1);
    g->addWidget(line_e_y2, 2, 2);
    g->addWidget(line_e_ch, 2, 3);
    g->addWidget(new QLabel(QStringLiteral("Тип линии            толщина"), this), 3, 0, 1, 2);
    auto *radios = new QVBoxLayout;
    for (auto **b : buttons) radios->addWidget(*b);
    auto *styleRow = new QHBoxLayout;
    styleRow->addLayout(radios);
    styleRow->addWidget(Image1);
    styleRow->addWidget(line_e_w);
    g->addLayout(styleRow, 4, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Цвет линии"), this), 5, 0);
    g->addWidget(line_k, 5, 1);
    auto *okRow = new QHBoxLayout;
    okRow->addWidget(SpeedButton2);
    okRow->addWidget(SpeedButton1);
    okRow->addStretch(1);
    auto *v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addLayout(okRow);

    connect(styles_, &QButtonGroup::idClicked, this, [this](int id) { styleChosen(id); });
    connect(line_k, &QToolButton::clicked, this, [] { ChooseColour(EditorValues.linePenColour, QStringLiteral("Цвет линии")); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { okClick(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { delClick(); });
}

void Tline_edit::styleChosen(int penStyle) {
    // Styled lines are drawn one pixel wide: only the solid line has a width.
    line_e_w->setText(QStringLiteral("1"));
    line_e_w->setEnabled(penStyle == 0);
}

std::optional<QslLayoutElement> Tline_edit::fieldsElement() {
    QslLayoutElement e;
    if (!take(line_e_x1, e.x1) || !take(line_e_y1, e.y1) || !take(line_e_x2, e.x2) || !take(line_e_y2, e.y2))
        return std::nullopt;
    e.visible = line_e_ch->isChecked() ? 1 : 0;
    e.penStyle = styles_->checkedId() >= 0 ? quint8(styles_->checkedId()) : loadedStyle_;
    e.penWidth = line_e_w->text().toInt();
    e.penColour = EditorValues.linePenColour;
    return e;
}

void Tline_edit::loadElement(const QslLayoutElement &e) {
    line_e_n->setEditText(e.name);
    line_e_x1->setValue(e.x1);
    line_e_y1->setValue(e.y1);
    line_e_x2->setValue(e.x2);
    line_e_y2->setValue(e.y2);
    line_e_ch->setChecked(e.visible == 1);
    loadedStyle_ = e.penStyle;
    styles_->setExclusive(false);
    for (QAbstractButton *b : styles_->buttons()) b->setChecked(styles_->id(b) == e.penStyle);
    styles_->setExclusive(true);
    line_e_w->setText(QString::number(e.penWidth));
    line_e_w->setEnabled(e.penStyle == 0);
    EditorValues.linePenColour = e.penColour;
}

} // namespace zelmor
