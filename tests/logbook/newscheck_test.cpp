// The news window and the start-up's check of the data files, on a copy of
// the shipped program folder.
#include "app/allwindows.h"
#include "common/codepage.h"
#include "logbook/datacheck.h"
#include "logbook/form20.h"
#include "logbook/glawnf.h"
#include "logbook/proverk.h"
#include "logbook/startup.h"
#include "logbook/windowart.h"
#include "platform/paths.h"
#include "platform/windowshape.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

using namespace zelmor;

namespace {

class NewsAndCheckTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ASSERT_TRUE(CopyMissingFiles(test::SourceDir() + "/data", dir_->path()).isEmpty());
        CreateAllWindows();
        glawnf->Timer6->stop();
    }
    void TearDown() override {
        DestroyAllWindows();
        ProgramFolderTest::TearDown();
    }
    void putText(const QString &name, const QString &text) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(ToCp1251(text));
    }
    static void activate(QWidget *w) {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    template <class Memo>
    static QString firstLine(const Memo *m) { return m->document()->firstBlock().text(); }
};

TEST_F(NewsAndCheckTest, TheNewsShowTheShippedTextsAndTheirEditsAtTheNextShowing) {
    Form20->show();
    EXPECT_EQ(firstLine(Form20->Memo1), "ZELMOR — аппаратный журнал радиолюбителя.");
    EXPECT_EQ(firstLine(Form20->Memo2), "Если что-то работает не так:");
    EXPECT_FALSE(Form20->Memo1->toPlainText().contains(u'\r'));
    EXPECT_TRUE(Form20->Memo1->isReadOnly());
    putText("news.txt", "Новая версия\r\nвторая строка");
    Form20->hide();
    Form20->show();
    EXPECT_EQ(Form20->Memo1->toPlainText(), "Новая версия\nвторая строка");
    EXPECT_TRUE(test::Dialogs().messages().empty());
}

TEST_F(NewsAndCheckTest, AMissingNewsFileIsToldOncePerShowing) {
    QFile::remove(path("no_news.txt"));
    Form20->show();
    activate(Form20);
    // Another of our windows, and back: three activations.
    QWidget other;
    other.show();
    for (int i = 0; i < 3; ++i) {
        activate(&other);
        activate(Form20);
    }
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].text, "Нет файла \" no_news.txt\"");
    EXPECT_TRUE(Form20->Memo2->toPlainText().isEmpty());
    EXPECT_FALSE(Form20->Memo1->toPlainText().isEmpty());
    // Coming back from another of our windows reads the files again.
    putText("no_news.txt", "Всё в порядке");
    activate(&other);
    activate(Form20);
    EXPECT_EQ(Form20->Memo2->toPlainText(), "Всё в порядке");
    // The next showing tells again of a file that went missing.
    QFile::remove(path("no_news.txt"));
    Form20->hide();
    Form20->show();
    EXPECT_EQ(test::Dialogs().messages().size(), 2u);
}

TEST_F(NewsAndCheckTest, WindowsAreCutToTheirOutlines) {
    Form20->show();
    const QRegion news = WindowRegion(Form20->mask());
    EXPECT_TRUE(news.contains(QPoint(300, 330)));
    EXPECT_FALSE(news.contains(QPoint(100, 320)));
}

TEST_F(NewsAndCheckTest, TheWiringNamesTheKeyersPins) {
    std::vector<std::pair<QString, QString>> pins;
    for (const LptPinUse &p : KeyerLptPins()) pins.emplace_back(p.pins, p.use);
    ASSERT_EQ(pins.size(), 5u);
    EXPECT_EQ(pins[0].first, "17");
    EXPECT_EQ(pins[1].first, "16");
    EXPECT_EQ(pins[2].first, "12");
    EXPECT_EQ(pins[3].first, "13");
    EXPECT_EQ(pins[4].first, "18–25");
}

TEST_F(NewsAndCheckTest, EveryRequiredFileIsFoundWhateverItsCase) {
    StartupHook.CheckDataFiles();
    EXPECT_TRUE(Proverk->isHidden());
    // Case of the name and of its folder as another system left them.
    ASSERT_TRUE(QDir(dir_->path()).rename("dx", "DX"));
    ASSERT_TRUE(QFile::rename(path("DX/world.dat"), path("DX/World.DAT")));
    EXPECT_TRUE(MissingDataFiles().isEmpty());
}

TEST_F(NewsAndCheckTest, MissingFilesAreListedInOrderAndTheButtonEndsTheProgram) {
    QFile::remove(path("name/name.bas"));
    QFile::remove(path("vet.dat"));
    StartupHook.CheckDataFiles();
    EXPECT_FALSE(Proverk->isHidden());
    EXPECT_EQ(Proverk->Memo1->toPlainText(), "vet.dat\n" + ProgramDir + "/name/name.bas");
    EXPECT_TRUE(Proverk->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QSignalSpy done(glawnf, &Tglawnf::ShutDownDone);
    Proverk->Button1->click();
    EXPECT_EQ(done.count(), 1);
}

} // namespace
