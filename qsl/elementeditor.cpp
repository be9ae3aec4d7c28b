#include "qsl/elementeditor.h"

#include "common/recordfile.h"
#include "platform/dialogs.h"
#include "qsl/layouteditor.h"
#include "qsl/layoutfile.h"
#include "qsl/qsl_edit.h"
#include "station/settingsglobals.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QFileInfo>
#include <limits>

namespace zelmor {

CoordinateField::CoordinateField(const QString &objectName, int min, int max, QWidget *parent)
    : QWidget(parent), edit_(new QLineEdit(this)), min_(min), max_(max) {
    edit_->setObjectName(objectName);
    edit_->setText(QStringLiteral("0"));
    edit_->installEventFilter(this);
    auto *up = new QToolButton(this), *down = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {up, down}) b->setFixedSize(16, 11);
    connect(up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepBy(-1); });
    auto *arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(edit_);
    row->addLayout(arrows);
    // A wider cell leaves its room after the arrows, not between them and the edit.
    row->addStretch(1);
    edit_->setFixedWidth(56);
}

std::optional<qint32> CoordinateField::value() const {
    bool ok = false;
    const qlonglong v = edit_->text().trimmed().toLongLong(&ok);
    if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max()) return std::nullopt;
    return qint32(v);
}

void CoordinateField::setValue(qint32 v) { edit_->setText(QString::number(v)); }

void CoordinateField::stepBy(int steps) {
    const qint64 v = qint64(value().value_or(0)) + steps;
    setValue(qint32(qBound<qint64>(qint64(min_), v, qint64(max_))));
}

bool CoordinateField::eventFilter(QObject *o, QEvent *e) {
    if (o == edit_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

bool ChooseColour(qint32 &colour, const QString &title) {
    unsigned c = unsigned(colour) & 0xFFFFFF;
    if (!platform::dialogs().chooseColour(c, title)) return false;
    colour = qint32(c);
    return true;
}

ElementEditor::ElementEditor(qint32 kind, const QString &objectName, const QString &captionStem, QWidget *parent)
    : QWidget(parent, Qt::Tool), kind_(kind), captionStem_(captionStem) {
    setObjectName(objectName);
    setWindowTitle(captionStem);
    names_ = new QComboBox(this);
    names_->setEditable(true);
    names_->setInsertPolicy(QComboBox::NoInsert);
    names_->lineEdit()->setMaxLength(100);
    connect(names_, &QComboBox::textActivated, this, [this] { nameChosen(); });
}

void ElementEditor::showEvent(QShowEvent *e) {
    refresh();
    QWidget::showEvent(e);
}

void ElementEditor::refresh() {
    const QString path = CurrentLayoutPath();
    setWindowTitle(captionStem_ + QFileInfo(QslLayoutPath).completeBaseName().toUpper());
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    try {
        const QString text = names_->currentText();
        names_->clear();
        names_->addItems(SortedElementNames(ReadLayout(path), kind_));
        names_->setEditText(text);
    } catch (const IoError &) {
        // Told when the operator acts on the layout.
    }
}

bool ElementEditor::take(CoordinateField *f, qint32 &to) {
    const std::optional<qint32> v = f->value();
    if (!v) {
        f->edit()->setFocus();
        f->edit()->selectAll();
        return false;
    }
    to = *v;
    return true;
}

bool ElementEditor::okClick() {
    if (names_->currentText().isEmpty()) {
        names_->setFocus();
        return false;
    }
    const QString path = CurrentLayoutPath();
    if (path.isEmpty()) return false;
    std::optional<QslLayoutElement> e = fieldsElement();
    if (!e) return false;
    e->kind = kind_;
    e->name = names_->currentText();
    try {
        StoreLayoutElement(path, *e);
    } catch (const IoError &err) {
        ShowErrorBox(err.text());
        return false;
    }
    refresh();
    // Qt does not activate the editor again on the way back: redraw now.
    if (qsl_edit) qsl_edit->RedrawLayout();
    return true;
}

bool ElementEditor::delClick() {
    const QString name = names_->currentText();
    if (name.isEmpty()) {
        names_->setFocus();
        return false;
    }
    const QString path = CurrentLayoutPath();
    if (path.isEmpty()) return false;
    try {
        DeleteLayoutElement(path, kind_, name);
    } catch (const IoError &err) {
        ShowErrorBox(err.text());
        return false;
    }
    const int at = names_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at >= 0) names_->removeItem(at);
    names_->setEditText(QString());
    if (qsl_edit) qsl_edit->RedrawLayout();
    return true;
}

void ElementEditor::nameChosen() {
    const QString path = CurrentLayoutPath();
    const QString name = names_->currentText();
    if (path.isEmpty() || name.isEmpty()) return;
    try {
        for (const QslLayoutElement &e : ReadLayout(path).elements)
            if (e.kind == kind_ && e.name == name) {
                loadElement(e);
                return;
            }
    } catch (const IoError &err) {
        ShowErrorBox(err.text());
    }
}

} // namespace zelmor
