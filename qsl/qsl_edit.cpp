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
#include "qsl/toolbutton.h"
#include "station/settingsglobals.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>
#include <QTreeWidget>

namespace zelmor {

Tqsl_edit *qsl_edit = nullptr;

namespace {
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

// The window's places, in the window coordinates of its shape: the toolbar
// in the top band, the preview in the lower right panel, the rulers in the
// ruler band and column with unit 0 on the preview's edges. The panels are
// apart by a few pixels of desktop: nothing may straddle those gaps.
constexpr int PreviewLeft = 88, PreviewTop = 150;
QRect PreviewPlace() { return DesignRect(PreviewLeft, PreviewTop, PreviewLeft + LayoutPreviewWidth, PreviewTop + LayoutPreviewHeight); }
QRect TopRulerPlace() {
    const int left = PreviewLeft - TopRulerStart, top = 104;
    return DesignRect(left, top, left + TopRulerWidth, top + TopRulerHeight);
}
QRect LeftRulerPlace() {
    const int right = 75, top = PreviewTop - LeftRulerStart;
    return DesignRect(right - LeftRulerWidth, top, right, top + LeftRulerHeight);
}
QRect ToolbarPlace() { return DesignRect(16, 32, 672, 68); }
} // namespace

Tqsl_edit::Tqsl_edit(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
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
    Image11 = NamedToolButton(this, "Image11", QStringLiteral("Текст"), QStringLiteral("Редактор текстовой строки"));
    Image7 = NamedToolButton(this, "Image7", QStringLiteral("Рамка"), QStringLiteral("Редактор рамки"));
    Image12 = NamedToolButton(this, "Image12", QStringLiteral("Линия"), QStringLiteral("Редактор линий"));
    Image14 = NamedToolButton(this, "Image14", QStringLiteral("Новый"), QStringLiteral("Новый макет"));
    Image16 = NamedToolButton(this, "Image16", QStringLiteral("?"), QStringLiteral("Помощь"));
    Image18 = NamedToolButton(this, "Image18", QStringLiteral("Настройки"), QStringLiteral("Настройки"));
    ElementsButton = NamedToolButton(this, "ElementsButton", QStringLiteral("Элементы"), QStringLiteral("Элементы макета"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image4 = new QLabel(this);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
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

    auto *toolbar = new QWidget(this);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setGeometry(ToolbarPlace());
    auto *bar = new QHBoxLayout(toolbar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(4);
    for (QWidget *w : std::initializer_list<QWidget *>{Image5, qsl_box, Image11, Image12, Image7, ElementsButton, Image14, Image18,
                                                      Image16}) {
        w->setParent(toolbar);
        bar->addWidget(w);
    }
    bar->addStretch(1);
    Image1->setGeometry(TopRulerPlace());
    Image4->setGeometry(LeftRulerPlace());
    Image3->setGeometry(PreviewPlace());
    setFixedSize(680 - ClientOrigin.x(), 525 - ClientOrigin.y());
    SetWindowMask(this, EditorShape());
    new WindowDrag(Image5);

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
    Image1->setPixmap(QPixmap::fromImage(RenderTopRuler()));
    Image4->setPixmap(QPixmap::fromImage(RenderLeftRuler()));
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == u"QSL" && w->isVisible()) w->hide();
    if (CurrentLayoutPath().isEmpty()) OpenFirstLayout();
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
        item->setToolTip(4, item->text(4));
        notes = notes || !l.notes.isEmpty();
    }
    for (const QString &note : LayoutFileNotes(layout))
        (new QTreeWidgetItem(elem_list, {QString(), QString(), QString(), QString(), note}))->setToolTip(4, note);
    // The notes are the long column: the short ones take only their width.
    for (int column = 0; column < 4; ++column) elem_list->resizeColumnToContents(column);
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

void Tqsl_edit::NewLayoutClick() { OpenLayout(&CreateNewLayout); }

// Nothing chosen yet (the first start): the editor opens on a layout it can
// store into rather than on none, where OK would do nothing.
void Tqsl_edit::OpenFirstLayout() { OpenLayout(&FirstLayout); }

void Tqsl_edit::OpenLayout(QString (*pick)(const QString &qslDir)) {
    try {
        QDir().mkpath(LayoutFolder(ProgramDir));
        const QString name = pick(LayoutFolder(ProgramDir));
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

} // namespace zelmor
