// QSO entry: the Enter walk over the fields, the keys of each field, the
// suggestion lists, the UTC clock and the save.
#include "logbook/form1.h"

#include "common/recordfile.h"
#include "common/refrecords.h"
#include "common/text.h"
#include "logbook/logfile.h"
#include "logbook/enterorder.h"
#include "logbook/qsostate.h"
#include "logbook/reference.h"
#include "logbook/utcclock.h"
#include "logtools/dxcc9b.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/hotkeyedit.h"
#include "platform/keyboardlayout.h"
#include "platform/keycodes.h"
#include "platform/paths.h"
#include "station/gmtf.h"
#include "station/nastroy.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <vector>

namespace zelmor {

std::function<void(int line)> SendCwCommandLine;
std::function<void()> RefreshLogGrid;

namespace {
constexpr int KeyEnter = 13, KeyEscape = 27, KeyUp = 38, KeyDown = 40, KeyDelete = 46;

bool Checked(const QCheckBox *b) { return b && b->isChecked(); }

void CaretToEnd(QLineEdit *e) { e->setCursorPosition(int(e->text().size())); }

// The CW command lines go out only in CW work; the keyer issues fill the hook.
void CwCommandLine(int line) {
    if (SendCwCommandLine) SendCwCommandLine(line);
}
} // namespace

QLineEdit *Tform1::fieldOfKey(const QString &key) const {
    const std::pair<const char *, QLineEdit *> fields[] = {
        {"CALL", call}, {"NAME", name1}, {"QTH", qth},   {"QTHL", qthl}, {"DATE", data2},
        {"TIME", tim},  {"RSTR", rst},   {"RSTS", rsts}, {"BAND", cb1},  {"MODE", cb2},
        {"QSL", cqsl},  {"VIA", Pvia},   {"IOTA", pIOTA}, {"FREQ", pFreq}, {"POINTS", ochk},
    };
    for (const auto &[k, f] : fields)
        if (key == QLatin1String(k)) return f;
    return nullptr;
}

void Tform1::FocusNextEntryField(const QString &key) {
    const auto next = NextEntryKey(Nastroy->eentr->text(), key,
                                   [](const QString &k) { return Checked(Nastroy->entryBox(k)); });
    if (!next) return;
    QLineEdit *field = fieldOfKey(*next);
    if (*next == QLatin1String("CALL")) {
        if (Checked(Nastroy->enterc)) SaveQso();
        call->setFocus();
        CaretToEnd(call);
        return;
    }
    if (*next == QLatin1String("DATE") && !Checked(Nastroy->data23))
        data2->setText(QStringLiteral("  .") + Nastroy->Edit4->text() + u'.' + Nastroy->Edit8->text());
    field->setFocus();
    if (*next == QLatin1String("NAME") || *next == QLatin1String("QTH") || *next == QLatin1String("QTHL"))
        CaretToEnd(field);
}

void Tform1::FlushPendingAnalysis() {
    if (!Timer4->isActive()) return;
    Timer4->stop();
    // What the operator typed after the last analysis belongs to this QSO:
    // the late analysis only fills fields that are still empty.
    struct Typed {
        QLineEdit *field;
        QString text;
    };
    std::vector<Typed> typed;
    for (QLineEdit *e : {name1, qth, info, Pvia, pIOTA, pFreq})
        if (!e->text().isEmpty()) typed.push_back({e, e->text()});
    // The locator and the QSL state are filled by the analysis itself: they
    // are the operator's when they differ from what it put there.
    if (!qthl->text().isEmpty() && qthl->text() != DxLocator) typed.push_back({qthl, qthl->text()});
    if (cqsl->text() != analysedQslState_) typed.push_back({cqsl, cqsl->text()});
    const int nameKnown = NameKnown, qthKnown = QthKnown;
    AnalyseCall();
    for (const Typed &t : typed) {
        if (t.field == name1) NameKnown = nameKnown;
        if (t.field == qth) QthKnown = qthKnown;
        if (t.field->text() == t.text) continue;
        if (t.field == cqsl) { // the state saved follows the field
            cqsl->setText(t.text);
            continue;
        }
        // Put back as it was, without the suggestion lists reacting to it.
        const QSignalBlocker quiet(t.field);
        t.field->setText(t.text);
    }
}

QsoEntry Tform1::EntryFromFields() const {
    QsoEntry e;
    e.call = call->text();
    e.name = name1->text();
    e.qth = qth->text();
    e.date = data2->text();
    e.time = tim->text();
    e.band = cb1->text();
    e.mode = cb2->text();
    e.rstSent = rsts->text();
    e.rstReceived = rst->text();
    e.points = ochk->text();
    e.info = info->text();
    e.waz = DxWaz;
    e.itu = DxItu;
    e.country = DxCountry;
    e.longitude = DxLongitude;
    e.latitude = DxLatitude;
    e.qslState = DxQslState;
    e.locator = qthl->text();
    e.via = Pvia->text().toUpper();
    e.frequency = pFreq->text();
    e.iota = pIOTA->text().toUpper();
    e.regionCode = DxRegionCode;
    return e;
}

bool Tform1::SaveQso() {
    // Saving an edit of a logged QSO is the log grid's rewrite, never an append.
    if (EditMode) return false;
    // A call typed within the last 300 ms is analysed before it is stored, so
    // the record gets its own country and zones.
    FlushPendingAnalysis();
    if (call->text().isEmpty()) {
        call->setFocus();
        return false;
    }
    CwCommandLine(4);
    try {
        WriteQsoRecord(EntryFromFields());
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return false;
    }
    // The record is written: nothing below may stop the save, or the
    // operator would be led to save it twice.
    try {
        StringGridModel &g = DXcc9b->str2->model();
        const QString band = Left(cb1->text(), 3);
        for (int r = 1; r < g.rowCountValue(); ++r) {
            if (g.cell(0, r) != DxCountry || DxCountry.isEmpty()) continue;
            for (int col = 3; col < g.colCount(); col += 2) {
                if (g.cell(col, 0) != band) continue;
                g.setCell(col, r, QString::number(ParseInteger(g.cell(col, r)).value_or(0) + 1));
                break;
            }
            break;
        }
        if (!QthKnown && !qth->text().isEmpty()) AppendQthBase();
        if (!NameKnown && !name1->text().isEmpty()) AppendNameBase();
        if (RefreshLogGrid) RefreshLogGrid();
    } catch (const std::exception &e) {
        ShowErrorBox(QString::fromUtf8(e.what()));
    }
    for (QLineEdit *f : {call, name1, qth, info, qthl}) f->clear();
    rst->setText(RstReceivedPlaceholder);
    rsts->setText(RstSentPlaceholder);
    ochk->setText(PointsPlaceholder);
    for (QString *s : {&DxCountry, &DxWaz, &DxItu, &DxContinent, &DxRegionName}) s->clear();
    // The QSL field keeps showing the state just stored: not a choice for the next QSO.
    analysedQslState_ = cqsl->text();
    if (isVisible()) call->setFocus();
    return true;
}

void Tform1::appendBase(QLineEdit *field, const QString &file, const QString &displayName, QStringList &list,
                        int &known) {
    const QString text = field->text();
    // A text the base already has, as the base would store it, is not stored again.
    const QString trimmed = Trim(CutToCapacity(text, 20));
    for (const QString &entry : list)
        if (Trim(entry) == trimmed) {
            known = 1;
            return;
        }
    const QString path = DataPath(file);
    if (!QFileInfo(path).isFile()) {
        ShowMissingFile(displayName);
        return;
    }
    NameListRecord r;
    r.text = text;
    try {
        AppendRecord(path, r);
    } catch (const IoError &) {
        ShowMissingFile(displayName);
        return;
    }
    list.append(CutToCapacity(text, 20));
    known = 1;
}

void Tform1::AppendNameBase() {
    appendBase(name1, QStringLiteral("name\\name.bas"), QStringLiteral(" Name.bas"), FirstNameList, NameKnown);
}

void Tform1::AppendQthBase() {
    appendBase(qth, QStringLiteral("name\\qth.bas"), QStringLiteral(" Qth.bas"), QthNameList, QthKnown);
}

void Tform1::UpdateUtcDateTime() {
    const QString offset = gmtf->utc->text();
    // An offset that is not a number behaves like none: a status, never an
    // error each second.
    const auto utc = offset.isEmpty() ? std::nullopt : ComputeUtcDateTime(offset, platform::clock().now());
    if (!utc) {
        StatusText = QStringLiteral("Установите правильно UTC");
        return;
    }
    if (!Checked(Nastroy->tim1)) tim->setText(utc->time);
    if (!Checked(Nastroy->tdata1)) data2->setText(utc->date);
}

void Tform1::ValidateUtcOffset() {
    const QString v = ValidatedUtcOffset(gmtf->utc->text());
    if (v != gmtf->utc->text()) gmtf->utc->setText(v);
    UpdateUtcDateTime();
}

void Tform1::suggestionChange(QLineEdit *field, QListWidget *list, const QStringList &source, int &known) {
    if (EntryBarTyping || RecalledFromMemory || EditMode) return;
    if (RepeatFound == 1) {
        known = 1;
        return;
    }
    known = 0;
    list->hide();
    list->clear();
    if (!Checked(Nastroy->Name_qth) || field->text().isEmpty()) return;
    const QString typed = Trim(field->text());
    for (const QString &entry : source)
        if (!entry.isEmpty() && entry.left(typed.size()) == typed) list->addItem(entry);
    if (list->count() == 0) return;
    list->show();
    list->setCurrentRow(0);
    known = 1;
}

void Tform1::name1Change() { suggestionChange(name1, pname, FirstNameList, NameKnown); }
void Tform1::qthChange() { suggestionChange(qth, pqth, QthNameList, QthKnown); }

void Tform1::Cb2Click() {
    if (cb2->text() == QLatin1String("CW")) DefaultRstPair.received = QStringLiteral("599");
    else if (cb2->text() == QLatin1String("SSB")) DefaultRstPair.received = QStringLiteral("59");
}

void Tform1::ApplyAutomaticMode() {
    if (!Checked(Nastroy->avtmode)) return;
    QString r;
    if (cb2->text() == QLatin1String("CW")) r = QStringLiteral("599");
    else if (cb2->text() == QLatin1String("SSB")) r = QStringLiteral("59");
    if (r.isEmpty()) return;
    DefaultRstPair.received = DefaultRstPair.sent = r;
    rst->setText(r);
    rsts->setText(r);
}

void Tform1::resetFieldColours() {
    for (QLineEdit *f : {name1, qth, rst, info, ochk, cb1, cb2, rsts, cqsl}) {
        QPalette p = f->palette();
        p.setColor(QPalette::Text, Qt::black);
        f->setPalette(p);
    }
}

void Tform1::fieldEntered(QLineEdit *field) {
    // Calls are Latin whatever the desktop types.
    if (field == call || field == Pvia || field == pIOTA) platform::keyboardLayout().activate(LayoutUs, field);
    if (field == call) {
        if (call->text().isEmpty()) {
            name1->clear();
            qth->clear();
            rsts->setText(RstSentPlaceholder);
            rst->setText(RstReceivedPlaceholder);
            ochk->setText(PointsPlaceholder);
        }
    } else if (field == name1 || field == qth) {
        if (Checked(Nastroy->ru_en))
            platform::keyboardLayout().activate(RegionalCall == 1 ? LayoutRussian : LayoutUs, field);
    } else if (field == rst) {
        QTimer::singleShot(0, rst, [this] { rst->selectAll(); });
    } else if (field == ochk) {
        if (ochk->text() == PointsPlaceholder) ochk->clear();
    } else if (field == data2) {
        data2->setCursorPosition(0);
    }
}

void Tform1::fieldKeyUp(QLineEdit *field, QKeyEvent *e) {
    // The hot key is the whole shortcut, shift states included: a key
    // configured with Ctrl works, and plain F1 does not fire on Ctrl+F1.
    const int hotKey = Nastroy->wKey1->shortcutCode();
    if (hotKey != 0 && ShortcutCodeOf(e) == hotKey) {
        SaveQso();
        return;
    }
    const int key = VirtualKeyOf(e);
    if (key == KeyUp || key == KeyDown) resetFieldColours();

    auto suggestionKeys = [&](QListWidget *list, const QString &walkKey, int cwLine, QLineEdit *up, QLineEdit *down) {
        if (key == KeyEnter) {
            if (!list->isHidden()) {
                if (QListWidgetItem *item = list->currentItem()) field->setText(item->text());
                list->hide();
                FocusNextEntryField(walkKey);
            } else {
                FocusNextEntryField(walkKey);
                CwCommandLine(cwLine);
            }
        } else if (key == KeyUp) {
            if (!list->isHidden()) list->setCurrentRow(std::max(0, list->currentRow() - 1));
            else up->setFocus();
        } else if (key == KeyDown) {
            if (!list->isHidden()) list->setCurrentRow(std::min(list->count() - 1, list->currentRow() + 1));
            else down->setFocus();
        }
    };

    if (field == call) {
        if (key == KeyEnter) {
            RecalledFromMemory = 0;
            if (Checked(Nastroy->mngpoisk)) LookupQslManager();
            FocusNextEntryField(QStringLiteral("CALL"));
            CwCommandLine(1);
            RecalledFromMemory = 0;
        } else if (key == KeyUp) {
            memlist->show();
            if (memlist->count() > 0) memlist->setCurrentRow(0);
            memlist->setFocus();
        } else if (key == KeyDown) {
            str11->setFocus();
            // Down moves the grid's row, never past its last row.
            if (str11->row() < 10 && str11->row() + 1 < str11->rowCount()) str11->setRow(str11->row() + 1);
        } else if (key == KeyEscape) {
            call->clear();
        }
    } else if (field == name1) {
        suggestionKeys(pname, QStringLiteral("NAME"), 2, call, qth);
    } else if (field == qth) {
        suggestionKeys(pqth, QStringLiteral("QTH"), 3, name1, rsts);
    } else if (field == rst) {
        if (key == KeyEnter) {
            if (rst->text().isEmpty()) SetDefaultRstForMode();
            FocusNextEntryField(QStringLiteral("RSTR"));
        } else if (key == KeyUp) rsts->setFocus();
        else if (key == KeyDown) ochk->setFocus();
        else if (key == KeyDelete) rst->clear();
    } else if (field == ochk) {
        if (key == KeyEnter) FocusNextEntryField(QStringLiteral("POINTS"));
        else if (key == KeyUp) rst->setFocus();
        else if (key == KeyDown) tim->setFocus();
        else if (key == KeyDelete) ochk->clear();
    } else if (field == tim) {
        if (key == KeyEnter) FocusNextEntryField(QStringLiteral("TIME"));
        else if (key == KeyUp) ochk->setFocus();
        else if (key == KeyDown) data2->setFocus();
    } else if (field == data2) {
        if (key == KeyEnter) FocusNextEntryField(QStringLiteral("DATE"));
        else if (key == KeyUp) tim->setFocus();
        else if (key == KeyDown) call->setFocus();
    } else if (field == info) {
        if (key == KeyEscape) call->setFocus();
    } else if (field == cb1 || field == cb2) {
        QListWidget *list = field == cb1 ? List_band : List_mode;
        if (key == KeyEnter) FocusNextEntryField(field == cb1 ? QStringLiteral("BAND") : QStringLiteral("MODE"));
        else if (key == KeyEscape) call->setFocus();
        else if (key == KeyDown) TogglePickList(list);
    } else if (field == rsts) {
        if (key == KeyEnter) {
            if (rsts->text().isEmpty()) SetDefaultRstForMode();
            FocusNextEntryField(QStringLiteral("RSTS"));
        } else if (key == KeyUp) qth->setFocus();
        else if (key == KeyDown) rst->setFocus();
    } else if (field == Pvia) {
        if (key == KeyEnter) FocusNextEntryField(QStringLiteral("VIA"));
        else if (key == KeyUp) qth->setFocus();
        else if (key == KeyDown) TogglePickList(Listvia);
        else if (key == KeyDelete) Pvia->clear();
    } else if (field == cqsl) {
        if (key == KeyEnter) FocusNextEntryField(QStringLiteral("QSL"));
        else if (key == KeyDown) TogglePickList(List_qsl);
    } else if (key == KeyEnter) {
        // The other fields of the Enter order walk on from their own key, so
        // the cursor is never stranded in one of them.
        const std::pair<QLineEdit *, const char *> others[] = {{pIOTA, "IOTA"}, {pFreq, "FREQ"}, {qthl, "QTHL"}};
        for (const auto &[f, k] : others)
            if (f == field) FocusNextEntryField(QString::fromLatin1(k));
    }
}

void Tform1::bandListKey(QListWidget *list, QLineEdit *field, QKeyEvent *e) {
    const int key = VirtualKeyOf(e);
    if (key == KeyEnter) {
        TakePickListItem(list);
    } else if (key == KeyEscape) {
        list->hide();
        field->setFocus();
    }
}

bool Tform1::eventFilter(QObject *watched, QEvent *event) {
    if (menuEventFilter(watched, event)) return true;
    if (watched == str11 && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto *e = static_cast<QKeyEvent *>(event);
        if (event->type() == QEvent::KeyPress) return str11KeyDown(VirtualKeyOf(e));
        if (!e->isAutoRepeat()) str11KeyUp(VirtualKeyOf(e));
        return false;
    }
    if (watched == fbar && event->type() == QEvent::FocusOut) {
        fbarExit();
        return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        auto *e = static_cast<QKeyEvent *>(event);
        if (e->isAutoRepeat()) return false;
        if (watched == mpf || watched == mdxcc) {
            // The country list's searches are not entry fields.
        } else if (watched == strw) {
            strwKeyUp(VirtualKeyOf(e));
        } else if (auto *field = qobject_cast<QLineEdit *>(watched)) {
            fieldKeyUp(field, e);
        } else if (watched == List_band) {
            bandListKey(List_band, cb1, e);
        } else if (watched == List_mode) {
            bandListKey(List_mode, cb2, e);
        } else if ((watched == pname || watched == pqth) && VirtualKeyOf(e) == KeyEnter) {
            auto *list = static_cast<QListWidget *>(watched);
            QLineEdit *field = list == pname ? name1 : qth;
            if (list->currentItem()) field->setText(list->currentItem()->text());
            list->hide();
            field->setFocus();
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        if (auto *field = qobject_cast<QLineEdit *>(watched)) fieldEntered(field);
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == cb2) Cb2Click();
    return false;
}

} // namespace zelmor
