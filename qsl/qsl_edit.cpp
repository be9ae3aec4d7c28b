#include "qsl/qsl_edit.h"

#include "common/recordfile.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/paths.h"
#include "platform/windowshape.h"
#include "qsl/datafolders.h"
#include "qsl/layouteditor.h"
#include "qsl/layoutfile.h"
#include "qsl/line_edit.h"
#include "qsl/rec_edit.h"
#include "qsl/str_edit.h"
#include "station/settingsglobals.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>
#include <QTreeWidget>

namespace zelmor {

Tqsl_edit *qsl_edit = nullptr;

namespace {
QToolButton *ToolButton(QWidget *parent, const char *name, const QString &text, const QString &hint) {
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(hint);
    return b;
}

void ShowTool(QWidget *w) {
    if (!w) return;
    w->show();
    w->raise();
    w->activateWindow();
}

QRegion EditorShape() {
    return RoundRectRegion(8, 24, 680, 75, 20, 20) + RoundRectRegion(12, 80, 678, 143, 10, 10) +
           RoundRectRegion(12, 80, 79, 525, 10, 10) + RoundRectRegion(82, 146, 678, 525, 10, 10);
}
} // namespace

Tqsl_edit::Tqsl_edit(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("qsl_edit"));
    setWindowTitle(QStringLiteral("QSL редактор"));
    qsl_box = new QComboBox(this);
    qsl_box->setObjectName(QStringLiteral("qsl_box"));
    qsl_box->setEditable(true);
    qsl_box->setInsertPolicy(QComboBox::NoInsert);
    qsl_box->setToolTip(QStringLiteral("Имя QSL"));
    Image5 = new QLabel(QStringLiteral("QSL редактор"), this);
    Image5->setObjectName(QStringLiteral("Image5"));
    Image5->setCursor(Qt::SizeAllCursor);
    Image11 = ToolButton(this, "Image11", QStringLiteral("Текст"), QStringLiteral("Редактор текстовой строки"));
    Image7 = ToolButton(this, "Image7", QStringLiteral("Рамка"), QStringLiteral("Редактор рамки"));
    Image12 = ToolButton(this, "Image12", QStringLiteral("Линия"), QStringLiteral("Редактор линий"));
    Image14 = ToolButton(this, "Image14", QStringLiteral("Новый"), QStringLiteral("Новый макет"));
    Image16 = ToolButton(this, "Image16", QStringLiteral("?"), QStringLiteral("Помощь"));
    Image18 = ToolButton(this, "Image18", QStringLiteral("Настройки"), QStringLiteral("Настройки"));
    ElementsButton = ToolButton(this, "ElementsButton", QStringLiteral("Элементы"), QStringLiteral("Элементы макета"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(TopRulerWidth, TopRulerHeight);
    Image4 = new QLabel(this);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->setFixedSize(LeftRulerWidth, LeftRulerHeight);
    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setFixedSize(LayoutPreviewWidth, LayoutPreviewHeight);
    Image3->setContextMenuPolicy(Qt::CustomContextMenu);

    PopupMenu1 = new QMenu(this);
    N1 = PopupMenu1->addAction(QStringLiteral("Закрыть"));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = PopupMenu1->addAction(QStringLiteral("Элементы макета"));
    N2->setObjectName(QStringLiteral("N2"));

    elem_list = new QTreeWidget(this);
    elem_list->setWindowFlags(Qt::Tool);
    elem_list->setObjectName(QStringLiteral("elem_list"));
    elem_list->setWindowTitle(QStringLiteral("Элементы макета"));
    elem_list->setHeaderLabels({QStringLiteral("№"), QStringLiteral("Вид"), QStringLiteral("Имя"), QStringLiteral("Видимый"),
                                QStringLiteral("Замечания")});
    elem_list->setRootIsDecorated(false);
    elem_list->resize(560, 300);

    auto *bar = new QHBoxLayout;
    bar->addWidget(Image5);
    bar->addWidget(qsl_box);
    for (QToolButton *b : {Image11, Image12, Image7, ElementsButton, Image14, Image18, Image16}) bar->addWidget(b);
    bar->addStretch(1);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(14, 28, 10, 10);
    grid->addLayout(bar, 0, 0, 1, 2);
    grid->addWidget(Image1, 1, 1, Qt::AlignLeft);
    grid->addWidget(Image4, 2, 0, Qt::AlignTop);
    grid->addWidget(Image3, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    Image1->setContentsMargins(0, 0, 0, 0);
    setFixedSize(700, 540);

    connect(qsl_box, &QComboBox::textActivated, this, [this](const QString &name) { LayoutChosen(name); });
    connect(Image11, &QToolButton::clicked, this, [] { ShowTool(str_edit); });
    connect(Image7, &QToolButton::clicked, this, [] { ShowTool(rec_edit); });
    connect(Image12, &QToolButton::clicked, this, [] { ShowTool(line_edit); });
    connect(Image14, &QToolButton::clicked, this, [this] { NewLayoutClick(); });
    connect(Image16, &QToolButton::clicked, this, [] { platform::help().show(QStringLiteral("zelmor1.hlp"), 22); });
    connect(Image18, &QToolButton::clicked, this, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == u"Nastroy") ShowTool(w);
    });
    connect(ElementsButton, &QToolButton::clicked, this, [this] { ShowElementList(); });
    connect(N2, &QAction::triggered, this, [this] { ShowElementList(); });
    connect(N1, &QAction::triggered, this, [this] {
        hide();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == u"QSL") ShowTool(w);
    });
    connect(Image3, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(Image3->mapToGlobal(at)); });
    connect(elem_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { elementChosen(elem_list->indexOfTopLevelItem(item)); });
}

void Tqsl_edit::showEvent(QShowEvent *e) {
    SetWindowMask(this, EditorShape());
    Image1->setPixmap(QPixmap::fromImage(RenderTopRuler()));
    Image4->setPixmap(QPixmap::fromImage(RenderLeftRuler()));
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == u"QSL" && w->isVisible()) w->hide();
    RedrawLayout();
    QWidget::showEvent(e);
}

void Tqsl_edit::RedrawLayout() {
    const QString path = CurrentLayoutPath();
    QslLayout layout;
    if (!path.isEmpty()) {
        try {
            layout = ReadLayout(path);
        } catch (const IoError &err) {
            ShowErrorBox(err.text());
        }
    }
    Image3->setPixmap(QPixmap::fromImage(RenderLayoutPreview(layout)));
    elem_list->clear();
    bool notes = !LayoutFileNotes(layout).isEmpty();
    for (const LayoutElementLine &l : LayoutElementLines(layout)) {
        auto *item = new QTreeWidgetItem(elem_list, {QString::number(l.number), l.kind, l.name,
                                                     l.visible ? QStringLiteral("да") : QStringLiteral("нет"),
                                                     l.notes.join(QStringLiteral("; "))});
        Q_UNUSED(item);
        notes = notes || !l.notes.isEmpty();
    }
    for (const QString &note : LayoutFileNotes(layout)) new QTreeWidgetItem(elem_list, {QString(), QString(), QString(), QString(), note});
    layoutHasNotes_ = notes;
}

void Tqsl_edit::LayoutChosen(const QString &name) {
    if (name.isEmpty()) return;
    ChooseLayout(name);
    RedrawLayout();
    if (layoutHasNotes_) ShowElementList();
    for (ElementEditor *ed : std::initializer_list<ElementEditor *>{str_edit, line_edit, rec_edit})
        if (ed && ed->isVisible()) ed->refresh();
}

void Tqsl_edit::NewLayoutClick() {
    try {
        QDir().mkpath(LayoutFolder(ProgramDir));
        const QString name = CreateNewLayout(LayoutFolder(ProgramDir));
        qsl_box->clear();
        qsl_box->addItems(ListLayouts(LayoutFolder(ProgramDir)));
        qsl_box->setEditText(name);
        LayoutChosen(name);
    } catch (const IoError &err) {
        ShowErrorBox(err.text());
    }
}

void Tqsl_edit::ShowElementList() { ShowTool(elem_list); }

void Tqsl_edit::elementChosen(int index) {
    const QString path = CurrentLayoutPath();
    if (path.isEmpty() || index < 0) return;
    try {
        const QslLayout layout = ReadLayout(path);
        if (size_t(index) >= layout.elements.size()) return;
        const QslLayoutElement &e = layout.elements[size_t(index)];
        ElementEditor *ed = e.kind == QslLayoutElement::Text    ? static_cast<ElementEditor *>(str_edit)
                            : e.kind == QslLayoutElement::Line  ? static_cast<ElementEditor *>(line_edit)
                            : e.kind == QslLayoutElement::Shape ? static_cast<ElementEditor *>(rec_edit)
                                                                : nullptr;
        if (!ed) return;
        ShowTool(ed);
        ed->loadElement(e);
    } catch (const IoError &err) {
        ShowErrorBox(err.text());
    }
}

void Tqsl_edit::mousePressEvent(QMouseEvent *e) {
    if (e->button() == Qt::LeftButton && childAt(e->position().toPoint()) == Image5) {
        dragging_ = true;
        dragFrom_ = e->position().toPoint();
    }
    QWidget::mousePressEvent(e);
}

void Tqsl_edit::mouseMoveEvent(QMouseEvent *e) {
    if (dragging_ && (e->buttons() & Qt::LeftButton)) move(e->globalPosition().toPoint() - dragFrom_);
    else dragging_ = false;
    QWidget::mouseMoveEvent(e);
}

} // namespace zelmor
