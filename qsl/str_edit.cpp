#include "qsl/str_edit.h"

#include "platform/dialogs.h"
#include "qsl/layouteditor.h"
#include "qsl/toolbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelmor {

Tstr_edit *str_edit = nullptr;

namespace {
QString Colour(qint32 c) { return QStringLiteral("#%1%2%3").arg(c & 0xFF, 2, 16, QChar(u'0')).arg((c >> 8) & 0xFF, 2, 16, QChar(u'0')).arg((c >> 16) & 0xFF, 2, 16, QChar(u'0')); }
} // namespace

Tstr_edit::Tstr_edit(QWidget *parent)
    : ElementEditor(QslLayoutElement::Text, QStringLiteral("str_edit"), QStringLiteral("Редактор строк "), parent) {
    str_e_n = nameList();
    str_e_n->setObjectName(QStringLiteral("str_e_n"));
    str_e_n->setEditText(QStringLiteral("строка 1"));
    str_e_t = new QLineEdit(this);
    str_e_t->setObjectName(QStringLiteral("str_e_t"));
    str_e_t->setMaxLength(250);
    str_e_x = new CoordinateField(QStringLiteral("str_e_x"), 0, 200, this);
    str_e_y = new CoordinateField(QStringLiteral("str_e_y"), 0, 140, this);
    str_e_ch = new QCheckBox(QStringLiteral("Видимая строка"), this);
    str_e_ch->setObjectName(QStringLiteral("str_e_ch"));
    str_e_ch->setChecked(true);
    str_k = NamedToolButton(this, "str_k", QStringLiteral("F"), QStringLiteral("Шрифт"));
    str_k_o = new QLabel(QStringLiteral("Text obrazec"), this);
    str_k_o->setObjectName(QStringLiteral("str_k_o"));
    SpeedButton1 = NamedToolButton(this, "SpeedButton1", QStringLiteral("C"), QStringLiteral("Цвет фона"));
    SpeedButton2 = NamedToolButton(this, "SpeedButton2", QStringLiteral("OK"));
    SpeedButton3 = NamedToolButton(this, "SpeedButton3", QStringLiteral("Del"));
    komand = new QPushButton(QStringLiteral("Команды"), this);
    komand->setObjectName(QStringLiteral("komand"));
    koman = new QWidget(this);
    koman->setObjectName(QStringLiteral("koman"));
    auto *commands = new QListWidget(koman);
    commands->addItems({"call", "op", "via", "qsl_status", "r_call", "r_name_r", "r_name_e", "date1", "utc1", "mode1",
                        "band1", "rst1"});
    auto *kl = new QVBoxLayout(koman);
    kl->addWidget(new QLabel(QStringLiteral("Команды для редактора текстовой строки"), koman));
    kl->addWidget(commands);
    koman->hide();

    auto *g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("Имя текстовой строки (данных)"), this), 0, 0);
    g->addWidget(str_e_n, 0, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Текст"), this), 1, 0);
    g->addWidget(str_e_t, 1, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Координаты ( мм )"), this), 2, 0);
    g->addWidget(str_e_x, 2, 1);
    g->addWidget(str_e_y, 2, 2);
    g->addWidget(str_e_ch, 2, 3);
    g->addWidget(str_k, 3, 0);
    g->addWidget(str_k_o, 3, 1);
    g->addWidget(new QLabel(QStringLiteral("Цвет фона"), this), 3, 2);
    g->addWidget(SpeedButton1, 3, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton2);
    buttons->addWidget(SpeedButton3);
    buttons->addStretch(1);
    buttons->addWidget(komand);
    auto *v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addLayout(buttons);
    v->addWidget(koman);
    resize(420, 169);

    connect(str_k, &QToolButton::clicked, this, [this] { str_kClick(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { okClick(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { delClick(); });
    connect(komand, &QPushButton::clicked, this, [this] { komandClick(); });
    showSample();
}

void Tstr_edit::showSample() {
    str_k_o->setText(EditorValues.fontName);
    str_k_o->setStyleSheet(QStringLiteral("color: %1; background: %2").arg(Colour(EditorValues.fontColour), Colour(EditorValues.textBackground)));
}

void Tstr_edit::str_kClick() {
    FontChoice f;
    f.name = EditorValues.fontName;
    f.size = EditorValues.fontSize;
    f.colour = unsigned(EditorValues.fontColour) & 0xFFFFFF;
    f.bold = EditorValues.fontStyle & 1;
    f.italic = EditorValues.fontStyle & 2;
    f.underline = EditorValues.fontStyle & 4;
    f.strikeOut = EditorValues.fontStyle & 8;
    if (!platform::dialogs().chooseFont(f)) return;
    EditorValues.fontName = f.name;
    EditorValues.fontSize = f.size;
    EditorValues.fontColour = qint32(f.colour);
    EditorValues.fontStyle = quint8((f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0) | (f.strikeOut ? 8 : 0));
    showSample();
}

void Tstr_edit::SpeedButton1Click() {
    if (ChooseColour(EditorValues.textBackground, QStringLiteral("Цвет фона"))) showSample();
}

void Tstr_edit::komandClick() {
    koman->setVisible(!koman->isVisible());
    // The layout learns of the panel only when it runs: before that the
    // window's minimum still counts the panel, and the smaller height would
    // not take.
    layout()->activate();
    resize(width(), koman->isVisible() ? 379 : 169);
}

std::optional<QslLayoutElement> Tstr_edit::fieldsElement() {
    QslLayoutElement e;
    if (!take(str_e_x, e.x1) || !take(str_e_y, e.y1)) return std::nullopt;
    e.visible = str_e_ch->isChecked() ? 1 : 0;
    e.text = str_e_t->text();
    e.brushColour = EditorValues.textBackground;
    e.fontName = EditorValues.fontName;
    e.fontColour = EditorValues.fontColour;
    e.fontStyle = EditorValues.fontStyle;
    e.fontSize = EditorValues.fontSize;
    return e;
}

void Tstr_edit::loadElement(const QslLayoutElement &e) {
    str_e_n->setEditText(e.name);
    str_e_t->setText(e.text);
    str_e_x->setValue(e.x1);
    str_e_y->setValue(e.y1);
    str_e_ch->setChecked(e.visible == 1);
    EditorValues.fontName = e.fontName;
    EditorValues.fontColour = e.fontColour;
    EditorValues.fontStyle = e.fontStyle;
    EditorValues.fontSize = e.fontSize;
    EditorValues.textBackground = e.brushColour;
    showSample();
}

} // namespace zelmor
