// The QSO window's address panel and its look-ups: the postal files and the
// dBASE callbook on Ctrl+A, the callbook CD on Ctrl+D; the callbook index
// at start-up and after the settings choose another callbook.
#include "logbook/form1.h"

#include "common/text.h"
#include "logbook/callbook.h"
#include "logbook/qsostate.h"
#include "platform/callbookcd.h"
#include "station/nastroy.h"

#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

namespace zelmor {

namespace {
// The panel's lines show their beginning, however long the text.
void ShowLine(QLineEdit *e, const QString &text) {
    e->setText(text);
    e->setCursorPosition(0);
}
} // namespace

void Tform1::buildCallbookPanel() {
    auto *lines = new QVBoxLayout(Panel4);
    lines->setContentsMargins(2, 2, 2, 2);
    lines->setSpacing(1);
    QLineEdit **edits[3] = {&Edit17, &Edit18, &Edit19};
    const char *names[3] = {"Edit17", "Edit18", "Edit19"};
    for (int i = 0; i < 3; ++i) {
        auto *e = new QLineEdit(Panel4);
        e->setObjectName(QString::fromLatin1(names[i]));
        // Wide enough for a name or an address line at a glance.
        e->setMinimumWidth(220);
        *edits[i] = e;
        lines->addWidget(e);
    }
}

void Tform1::N62Click() {
    const QString key = call->text();
    bool found = false;
    for (const PostalAddressRecord &a : LookupPostalAddress(key)) {
        Panel4->show();
        ShowLine(Edit17, a.part1);
        ShowLine(Edit18, a.part2);
        ShowLine(Edit19, a.part3);
        found = true;
    }
    if (showCallbookRecords(key)) found = true;
    if (!found) Panel4->hide();
}

bool Tform1::showCallbookRecords(const QString &key) {
    const QString path = Nastroy ? Nastroy->Edit3->text() : QString();
    if (Trim(path).isEmpty()) return false;
    const CallbookBuild b = RefreshCallbookIndex(path);
    if (b.outcome == CallbookBuild::Outcome::Missing) {
        StatusText = CallbookMissingText;
        return false;
    }
    ReportCallbookBuild(b, false);
    if (b.outcome != CallbookBuild::Outcome::Built) return false;
    bool found = false;
    for (qint64 offset : FindCallInAddressIndex(key)) {
        const std::optional<CallbookAddress> a = ReadAddressDbRecord(offset);
        if (!a) {
            StatusText = CallbookMissingText;
            break;
        }
        found = true;
        Panel4->show();
        ShowLine(Edit17, a->edit17);
        ShowLine(Edit18, a->edit18);
        ShowLine(Edit19, a->edit19);
        // Editing a logged QSO changes only what the operator touches.
        if (EditMode) continue;
        // Set first: the fields' change handlers must not offer the
        // callbook's name for the name list.
        if (!a->name.isEmpty() || !a->qth.isEmpty()) RepeatFound = 1;
        if (!a->name.isEmpty()) name1->setText(a->name);
        if (!a->qth.isEmpty()) qth->setText(a->qth);
        info->setText(AppendCallbookInfo(info->text(), a->info));
    }
    return found;
}

void Tform1::CDcallbook1Click() {
    const CdLookup r = LookupCdCallbook(call->text(), Nastroy ? Nastroy->Edit21->text() : QString(),
                                        platform::callbookCd());
    switch (r.outcome) {
    case CdLookup::Outcome::NoPath: StatusText = CdNoPathText; return;
    case CdLookup::Outcome::Unavailable: StatusText = CdUnavailableText; return;
    case CdLookup::Outcome::Failed:
        StatusText = CdFailedText + r.failure;
        Panel4->hide();
        return;
    case CdLookup::Outcome::Done: break;
    }
    Edit17->clear();
    Edit18->clear();
    Panel4->hide();
    if (r.result.field3Ended) {
        Panel4->show();
        ShowLine(Edit19, r.result.field3);
        if (!EditMode && !r.result.firstName.isEmpty()) name1->setText(r.result.firstName);
    }
    if (!r.result.field14.isEmpty()) ShowLine(Edit17, r.result.field14);
}

void IndexCallbookAtStartup(const QString &path) { ReportCallbookBuild(BuildCallbookIndex(path), false); }

namespace {

void IndexChosenCallbook(const QString &path) { ReportCallbookBuild(BuildCallbookIndex(path), true); }

// Holds back the index while the path is being typed, until the field
// loses the focus.
class CallbookPathWatcher : public QObject {
public:
    explicit CallbookPathWatcher(QLineEdit *edit) : QObject(edit), edit_(edit) { edit->installEventFilter(this); }
    bool pending = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == edit_ && event->type() == QEvent::FocusOut && pending) {
            pending = false;
            if (edit_->text() != IndexedCallbookPath()) IndexChosenCallbook(edit_->text());
        }
        return false;
    }

private:
    QPointer<QLineEdit> edit_;
};

// The one settings field's watcher; it goes with the field.
QPointer<CallbookPathWatcher> Watcher;

CallbookPathWatcher *WatcherOf(QLineEdit *edit) {
    if (!Watcher || Watcher->parent() != edit) Watcher = new CallbookPathWatcher(edit);
    return Watcher;
}

} // namespace

void WatchCallbookPath(QLineEdit *edit) {
    if (edit) WatcherOf(edit);
}

void CallbookPathChanged(QLineEdit *edit) {
    if (!edit) return;
    CallbookPathWatcher *w = WatcherOf(edit);
    // A path put in by the file dialog is indexed at once.
    if (edit->hasFocus()) w->pending = true;
    else IndexChosenCallbook(edit->text());
}

} // namespace zelmor
