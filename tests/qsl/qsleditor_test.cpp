// The layout editor's windows and the envelope window through their
// handlers, on the bytes of the files they write.
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "logbook/settingscatalogue.h"
#include "logbook/stationprofile.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "qsl/datafolders.h"
#include "qsl/elementeditor.h"
#include "qsl/layouteditor.h"
#include "qsl/layoutfile.h"
#include "qsl/line_edit.h"
#include "qsl/posta.h"
#include "qsl/qsl_edit.h"
#include "qsl/rec_edit.h"
#include "qsl/str_edit.h"
#include "station/settingsglobals.h"
#include "tests/testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace zelmor;
using namespace zelmor::test;

namespace {

QByteArray FileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class EditorTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        EditorValues = LayoutEditorValues();
        QDir(dir_->path()).mkpath("qsl");
        file_ = path("qsl/1qsl.qsl");
        RecordIO::Touch(file_);
        ChooseLayout("1QSL");
        qsl_edit = new Tqsl_edit;
        str_edit = new Tstr_edit;
        line_edit = new Tline_edit;
        rec_edit = new Trec_edit;
    }
    void TearDown() override {
        for (QWidget *w : std::initializer_list<QWidget *>{rec_edit, line_edit, str_edit, qsl_edit}) delete w;
        qsl_edit = nullptr, str_edit = nullptr, line_edit = nullptr, rec_edit = nullptr;
        ProgramFolderTest::TearDown();
    }
    QString file_;
};

} // namespace

TEST_F(EditorTest, AShapeIsStoredWithTheButtonsCodesAndTheTypeAsSpelled) {
    rec_edit->rec_e_n->setEditText("frame");
    rec_edit->rec_e_s->setCurrentText(ShapeRoundRectangle);
    rec_edit->rec_bur[2]->click();
    rec_edit->rec_pen[0]->click();
    rec_edit->rec_e_xy->edit()->setText("36");
    rec_edit->SpeedButton1->click();
    const QByteArray b = FileBytes(file_);
    ASSERT_EQ(b.size(), 564);
    EXPECT_EQ(b[5], char(28));
    EXPECT_EQ(b[20], char(0x63));
    EXPECT_EQ(b[492], char(6));
    EXPECT_EQ(b[480], char(5));
    EXPECT_EQ(b.mid(460, 4), QByteArray("\x24\x00\x00\x00", 4));
    EXPECT_EQ(ReadInt32Field(b.constData(), 0), 3);
}

TEST_F(EditorTest, TheFirstTextTakesTheRunsStartingFontAndOkReplacesByName) {
    str_edit->str_e_n->setEditText("call");
    str_edit->str_e_x->edit()->setText("10");
    str_edit->SpeedButton2->click();
    QByteArray b = FileBytes(file_);
    ASSERT_EQ(b.size(), 564);
    EXPECT_EQ(b[500], char(15)); // "Times New Roman"
    EXPECT_EQ(b.mid(560, 4), QByteArray("\x0C\x00\x00\x00", 4));
    EXPECT_EQ(b.mid(496, 4), QByteArray("\xFF\xFF\xFF\x00", 4));
    EXPECT_EQ(b[4], char(1));

    str_edit->str_e_x->edit()->setText("20");
    str_edit->SpeedButton2->click(); // the same name: in place
    b = FileBytes(file_);
    EXPECT_EQ(b.size(), 564);
    EXPECT_EQ(ReadInt32Field(b.constData(), 464), 20);

    // Nothing is stored for an empty name or a coordinate that is no integer.
    str_edit->str_e_n->setEditText("");
    str_edit->SpeedButton2->click();
    str_edit->str_e_n->setEditText("second");
    str_edit->str_e_y->edit()->setText("12a");
    str_edit->SpeedButton2->click();
    EXPECT_EQ(FileBytes(file_), b);
    // Any 32-bit integer can be typed; the arrows keep to the range.
    str_edit->str_e_y->edit()->setText("-5000");
    str_edit->SpeedButton2->click();
    EXPECT_EQ(ReadInt32Field(FileBytes(file_).constData() + 564, 468), -5000);
    str_edit->str_e_y->stepBy(1);
    EXPECT_EQ(str_edit->str_e_y->edit()->text(), "0");
    str_edit->str_e_y->setValue(140);
    str_edit->str_e_y->stepBy(1);
    EXPECT_EQ(str_edit->str_e_y->edit()->text(), "140");
}

TEST_F(EditorTest, DelOnAnAbsentNameAppendsADeletedElementAndDropsTheName) {
    line_edit->line_e_n->setEditText("rule");
    line_edit->SpeedButton2->click();
    line_edit->refresh();
    ASSERT_EQ(line_edit->line_e_n->count(), 1);
    DeleteLayoutElement(file_, QslLayoutElement::Line, "rule"); // gone from the file already
    line_edit->line_e_n->setEditText("rule");
    line_edit->SpeedButton1->click();
    const QslLayout layout = ReadLayout(file_);
    ASSERT_EQ(layout.elements.size(), 2u);
    EXPECT_TRUE(IsDeletedLayoutElement(layout.elements[1]));
    EXPECT_EQ(line_edit->line_e_n->count(), 0);
}

TEST_F(EditorTest, AStyledLineIsOnePixelWideAndChosenNamesLoadTheirElement) {
    line_edit->line_e_w->setText("4");
    line_edit->line_e_s2->click();
    EXPECT_EQ(line_edit->line_e_w->text(), "1");
    EXPECT_FALSE(line_edit->line_e_w->isEnabled());
    line_edit->line_e_s5->click();
    EXPECT_TRUE(line_edit->line_e_w->isEnabled());

    QslLayoutElement a;
    a.kind = QslLayoutElement::Line;
    a.name = "b-line";
    a.x1 = 7;
    a.penStyle = 3;
    StoreLayoutElement(file_, a);
    a.name = "a-line";
    a.x1 = 3;
    StoreLayoutElement(file_, a);
    line_edit->refresh();
    ASSERT_EQ(line_edit->line_e_n->count(), 2);
    EXPECT_EQ(line_edit->line_e_n->itemText(0), "a-line"); // sorted
    line_edit->line_e_n->setEditText("b-line");
    line_edit->nameChosen();
    EXPECT_EQ(line_edit->line_e_x1->edit()->text(), "7");
    EXPECT_TRUE(line_edit->line_e_s3->isChecked());
    EXPECT_EQ(line_edit->windowTitle(), QStringLiteral("Редактор линий 1QSL"));
}

TEST_F(EditorTest, ChoosingALayoutStoresItAndANewLayoutBecomesCurrent) {
    RecordIO::Touch(path("qsl/2qsl.qsl"));
    QslLayoutElement off;
    off.name = "far";
    off.text = "x";
    off.x1 = 150;
    StoreLayoutElement(path("qsl/2qsl.qsl"), off);
    qsl_edit->LayoutChosen("2QSL");
    EXPECT_EQ(ReadSettingString(SettingId::QslLayout), "2QSL");
    ASSERT_EQ(qsl_edit->elem_list->topLevelItemCount(), 1);
    EXPECT_EQ(qsl_edit->elem_list->topLevelItem(0)->text(4), QStringLiteral("вне карточки"));
    EXPECT_TRUE(qsl_edit->elem_list->isVisible()); // shown by itself for a layout with notes
    EXPECT_FALSE(qsl_edit->Image3->pixmap().isNull());

    qsl_edit->NewLayoutClick();
    EXPECT_EQ(QFileInfo(path("qsl/3qsl.qsl")).size(), 0);
    EXPECT_EQ(qsl_edit->qsl_box->count(), 3);
    EXPECT_EQ(qsl_edit->qsl_box->currentText(), "3QSL");
    EXPECT_EQ(ReadSettingString(SettingId::QslLayout), "3QSL");

    // A layout file gone: the missing-file message, and OK creates nothing.
    QFile::remove(path("qsl/3qsl.qsl"));
    str_edit->str_e_n->setEditText("t");
    str_edit->SpeedButton2->click();
    EXPECT_FALSE(QFile::exists(path("qsl/3qsl.qsl")));
    ASSERT_FALSE(test::Dialogs().messages().empty());
    EXPECT_TRUE(test::Dialogs().messages().back().text.startsWith(QStringLiteral("Нет файла")));
}

TEST_F(EditorTest, OpenedWithNoLayoutChosenItWorksOnTheFirstLayoutOrANewOne) {
    // The first start: nothing chosen, no layout at all.
    QFile::remove(file_);
    QslLayoutPath.clear();
    qsl_edit->show();
    EXPECT_TRUE(test::Dialogs().messages().empty());
    EXPECT_EQ(QFileInfo(file_).size(), 0);
    EXPECT_EQ(qsl_edit->qsl_box->currentText(), "1QSL");
    EXPECT_EQ(ReadSettingString(SettingId::QslLayout), "1QSL");
    str_edit->str_e_n->setEditText("t");
    str_edit->SpeedButton2->click();
    EXPECT_EQ(QFileInfo(file_).size(), 564) << "OK stores into the layout opened";

    // Layouts there but none chosen: the first one, and nothing created.
    qsl_edit->hide();
    RecordIO::Touch(path("qsl/2qsl.qsl"));
    QslLayoutPath.clear();
    qsl_edit->show();
    EXPECT_TRUE(test::Dialogs().messages().empty());
    EXPECT_EQ(CurrentLayoutPath(), file_);
    EXPECT_EQ(qsl_edit->qsl_box->count(), 2);
    EXPECT_FALSE(QFile::exists(path("qsl/3qsl.qsl")));
    EXPECT_EQ(qsl_edit->elem_list->topLevelItemCount(), 1);
}

TEST_F(EditorTest, EveryControlLiesInsideTheWindowsShapeAndTheRulersMeetThePreview) {
    qsl_edit->show();
    const QRegion shape = qsl_edit->mask();
    ASSERT_FALSE(shape.isEmpty());
    for (QWidget *w : qsl_edit->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->isWindow() || w->window() != qsl_edit) continue;
        const QRect place(w->mapTo(qsl_edit, QPoint(0, 0)), w->size());
        EXPECT_TRUE((QRegion(place) - shape).isEmpty()) << w->objectName().toStdString() << " at " << place.x() << "," << place.y()
                                                        << " " << place.width() << "x" << place.height();
    }
    QWidget *toolbar = qsl_edit->findChild<QWidget *>("toolbar");
    ASSERT_TRUE(toolbar && toolbar->layout());
    EXPECT_LE(toolbar->layout()->minimumSize().width(), toolbar->width()) << "the toolbar's controls are squeezed";
    EXPECT_EQ(qsl_edit->Image1->x() + TopRulerStart, qsl_edit->Image3->x());
    EXPECT_EQ(qsl_edit->Image4->y() + LeftRulerStart, qsl_edit->Image3->y());
    EXPECT_EQ(qsl_edit->Image3->size(), QSize(LayoutPreviewWidth, LayoutPreviewHeight));
    EXPECT_EQ(qsl_edit->Image3->pixmap().size(), qsl_edit->Image3->size());
    EXPECT_EQ(qsl_edit->Image1->pixmap().size(), qsl_edit->Image1->size());
    EXPECT_EQ(qsl_edit->Image4->pixmap().size(), qsl_edit->Image4->size());
}

namespace {
// Nothing of the window runs past its edges.
void ExpectAllInside(QWidget *window) {
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->isWindow() || w->window() != window) continue;
        const QRect place(w->mapTo(window, QPoint(0, 0)), w->size());
        EXPECT_TRUE(window->rect().contains(place)) << window->objectName().toStdString() << "/" << w->objectName().toStdString()
                                                    << " at " << place.x() << "," << place.y() << " " << place.width() << "x"
                                                    << place.height() << " in " << window->width() << "x" << window->height();
    }
}
} // namespace

TEST_F(EditorTest, TheElementEditorsShowEveryControlWholeWithTheCommandsPanelOrWithout) {
    for (QWidget *w : std::initializer_list<QWidget *>{str_edit, line_edit, rec_edit}) {
        w->show();
        ExpectAllInside(w);
        // The arrows sit at their field, however wide the cell.
        for (CoordinateField *f : w->findChildren<CoordinateField *>()) {
            const int editEnd = f->edit()->geometry().right();
            for (QToolButton *arrow : f->findChildren<QToolButton *>())
                EXPECT_LE(arrow->x() - editEnd, 3) << f->edit()->objectName().toStdString();
        }
    }
    const int height = str_edit->height();
    str_edit->komand->click();
    EXPECT_TRUE(str_edit->koman->isVisible());
    EXPECT_GT(str_edit->height(), height);
    ExpectAllInside(str_edit);
    str_edit->komand->click();
    EXPECT_EQ(str_edit->height(), height) << "the window keeps the panel's room after hiding it";
}

// --- the envelope window

namespace {
class PostaTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QDir(dir_->path()).mkpath("mail");
        RecordIO::Touch(path("mail/mail.dat"));
        posta_ = std::make_unique<TPosta>();
    }
    void fill(const char *name, const char *postcode, const char *lines) {
        posta_->Edit1->setText(QString::fromUtf8(name));
        posta_->Edit2->setText(QString::fromUtf8(postcode));
        posta_->Memo1->setPlainText(QString::fromUtf8(lines));
    }
    std::unique_ptr<TPosta> posta_;
};
} // namespace

TEST_F(PostaTest, EntriesAreSavedOnceTypingNeverEmptiesTheFieldsAndDeleteBlanksItsItem) {
    posta_->ComboBox1->addItem(QStringLiteral("Адрес регистрации"));
    posta_->ComboBox1->setEditText(QStringLiteral("Дача"));
    fill("Иван", "140000", "Дачная 1");
    posta_->Sp3->click();
    posta_->Sp3->click();
    EXPECT_EQ(FileBytes(path("mail/mail.dat")).size(), 619);
    EXPECT_EQ(posta_->ComboBox1->findText(QStringLiteral("Дача")), 1);
    EXPECT_EQ(posta_->ComboBox1->count(), 2);

    posta_->ComboBox1->setEditText(QStringLiteral("Новый")); // typed letter by letter, then all of it
    EXPECT_EQ(posta_->Edit1->text(), QStringLiteral("Иван"));
    fill("", "", "");
    posta_->ComboBox1->setEditText(QStringLiteral("Дача"));
    EXPECT_EQ(posta_->Edit1->text(), QStringLiteral("Иван"));
    EXPECT_EQ(posta_->Memo1->toPlainText(), QStringLiteral("Дачная 1"));

    posta_->SpeedButton4->click();
    EXPECT_EQ(FileBytes(path("mail/mail.dat"))[0], char(0));
    EXPECT_EQ(posta_->ComboBox1->itemText(1), QString());

    // The own address is never kept as an entry.
    const QByteArray before = FileBytes(path("mail/mail.dat"));
    posta_->ComboBox1->setEditText(QStringLiteral("Адрес регистрации"));
    test::Dialogs().calls.clear();
    posta_->Sp3->click();
    posta_->SpeedButton4->click();
    EXPECT_EQ(test::Dialogs().messages().size(), 2u);
    EXPECT_EQ(FileBytes(path("mail/mail.dat")), before);
}

TEST_F(PostaTest, TheOwnAddressAndTheAddressBookFillTheFields) {
    StationProfile.address = QStringLiteral("123456,Москва,ул. Ленина 1,");
    StationProfile.nameCyrillic = QStringLiteral("Иван");
    StationProfile.call = QStringLiteral("QQ0ZZZ");
    posta_->ComboBox1->setEditText(QStringLiteral("Адрес регистрации"));
    EXPECT_EQ(posta_->Edit1->text(), QStringLiteral("Иван QQ0ZZZ"));
    EXPECT_EQ(posta_->Edit2->text(), QStringLiteral("123456"));
    EXPECT_EQ(posta_->Memo1->toPlainText(), QStringLiteral("Москва\nул. Ленина 1"));

    WriteAllRecords<AddressBookRecord>(path("mail/adrbox.dat"),
                                       {{"UA3ABC", "Petr", QStringLiteral("125009\r\nМосква\r\nТверская 7")}});
    posta_->adr_call->setText("UA3ABC");
    posta_->adr_callEnter();
    EXPECT_EQ(posta_->Edit3->text(), QStringLiteral("Petr UA3ABC"));
    EXPECT_EQ(posta_->Edit4->text(), QStringLiteral("125009"));
    EXPECT_EQ(posta_->Memo2->toPlainText(), QStringLiteral("Москва\nТверская 7"));
    posta_->adr_call->setText("UA9ZZZ");
    posta_->adr_callEnter();
    EXPECT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(posta_->Edit3->text(), QStringLiteral("Petr UA3ABC"));

    // A stored offset outside its bar loads as 0; a missing picture is told
    // once and the envelope still prints.
    WriteSetting(SettingId::EnvelopeX, qint32(500));
    WriteSetting(SettingId::EnvelopeY, qint32(7));
    WriteSetting(SettingId::EnvelopePicture, path("gone.bmp"));
    test::Dialogs().calls.clear();
    posta_->FormActivate();
    posta_->FormActivate();
    EXPECT_EQ(posta_->Sleft1->value(), 0);
    EXPECT_EQ(posta_->Stop1->value(), 7);
    EXPECT_EQ(test::Dialogs().messages().size(), 1u);
    posta_->Sp2->click();
    ASSERT_NE(test::Printer().last(), nullptr);
    EXPECT_TRUE(test::Printer().last()->ended);
    EXPECT_TRUE(test::Printer().last()->noMargins);
    EXPECT_EQ(ReadSettingString(SettingId::EnvelopePicture), path("gone.bmp"));
}

TEST_F(PostaTest, TheWindowShowsEveryControlWholeWithItsPanelsOpen) {
    posta_->show();
    ExpectAllInside(posta_.get());
    posta_->SpeedButton2->click();
    posta_->SpeedButton3->click();
    ASSERT_TRUE(posta_->Panel2->isVisible() && posta_->Panel3->isVisible());
    ExpectAllInside(posta_.get());
}
