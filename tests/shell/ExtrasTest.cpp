// Compaction of the working copy and the ? menu.
#include "ShellFixture.h"

#include "database/SharedState.h"
#include "platform/VbRuntime.h"
#include "shell/Zahlen.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {
// Fill the working copy with rows and delete them again: the file keeps its size.
void aufblaehen(db::Connection& c, int zeilen)
{
    db::Connection::Transaction tx(c);
    c.execute("CREATE TABLE IF NOT EXISTS [BALLAST] ([X] TEXT)");
    const QString block(10000, 'x');
    for (int i = 0; i < zeilen; ++i)
        c.execute("INSERT INTO [BALLAST] ([X]) VALUES (?)", {vb::Variant(block)});
    tx.commit();
    c.execute("DELETE FROM [BALLAST]");
}
} // namespace

class ExtrasTest : public ShellTest {};

TEST_F(ExtrasTest, CompactionShrinksTheWorkingCopyAndReconnects)
{
    frmMAIN& w = start();
    aufblaehen(cnnX(), 500);
    const qint64 vorher = QFileInfo(arbeitskopie()).size();
    const QStringList datensaetze = ShellTest::kennungen(cnnX());
    ASSERT_GT(vorher, 4'000'000);

    EXPECT_TRUE(w.mnuKOMPRIMIEREN_Click());
    const qint64 nachher = QFileInfo(arbeitskopie()).size();
    EXPECT_LT(nachher, vorher / 4);
    EXPECT_FALSE(QFileInfo::exists(verdichtungsDatei()));
    ASSERT_TRUE(db::sharedState().cnnX && cnnX().isOpen());
    EXPECT_EQ(ShellTest::kennungen(cnnX()), datensaetze);
    cnnX().execute("UPDATE [E1] SET [KOM]=?", {vb::Variant("nach dem Verdichten")});

    ASSERT_EQ(boxen().count(), 1);
    const float s1 = megabytes(vorher), s2 = megabytes(nachher);
    const float p = rundeEineStelle((s1 - s2) * 100.0f / s1);
    EXPECT_EQ(boxen().last().text, "Datenbank wurde um " + vb::CStr(p) + " % auf " + vb::CStr(s2) + " MB komprimiert !");
    EXPECT_EQ(boxen().last().title, "&Komprimieren");
    EXPECT_EQ(boxen().last().icon, vb::MsgIcon::Information);
    EXPECT_TRUE(boxen().last().text.contains(','));
}

TEST_F(ExtrasTest, TinyWorkingCopyReportsWithoutDividingByZero)
{
    sprache("en_US");
    frmMAIN& w = start();
    // A working copy below 0.05 MB: its size rounds to 0.
    db::sharedState().cnnX->close();
    QFile::remove(arbeitskopie());
    db::Connection::create(arbeitskopie())->execute("CREATE TABLE [E1] ([ID] INTEGER, [KEN] TEXT)");
    db::sharedState().cnnX = db::Connection::open(arbeitskopie());
    ASSERT_LT(QFileInfo(arbeitskopie()).size(), 50'000);
    EXPECT_TRUE(w.mnuKOMPRIMIEREN_Click());
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text, "Database was compact about 0 % to 0 MB!");
    EXPECT_EQ(boxen().last().title, "Compact Database");
}

// The working copy is shared with the project's users: the compacted file
// takes over its access rights instead of those of a new file.
TEST_F(ExtrasTest, CompactionKeepsTheAccessRightsOfTheWorkingCopy)
{
    frmMAIN& w = start();
    const QByteArray pfad = QFile::encodeName(arbeitskopie());
    ASSERT_EQ(::chmod(pfad.constData(), 0660), 0);
    EXPECT_TRUE(w.mnuKOMPRIMIEREN_Click());
    struct stat st {};
    ASSERT_EQ(::stat(pfad.constData(), &st), 0);
    EXPECT_EQ(QString::number(st.st_mode & 0777, 8), QStringLiteral("660"));
    EXPECT_FALSE(QFileInfo::exists(verdichtungsDatei()));
}

TEST_F(ExtrasTest, FailedCompactionLeavesTheWorkingCopyAndTheConnection)
{
    frmMAIN& w = start();
    aufblaehen(cnnX(), 100);
    cnnX().execute("UPDATE [E1] SET [KOM]=?", {vb::Variant("vorher")});
    const qint64 vorher = QFileInfo(arbeitskopie()).size();
    // A folder in the place of the temporary file blocks the compaction.
    const QString temp = verdichtungsDatei();
    ASSERT_TRUE(QDir().mkpath(temp));
    for (const int antwort : {vb::vbOK, vb::vbCancel}) {
        boxen().clear();
        boxen().answerMessage(antwort);
        EXPECT_FALSE(w.mnuKOMPRIMIEREN_Click());
        ASSERT_GE(boxen().count(), 1);
        EXPECT_TRUE(boxen().records().front().text.startsWith("VB-Error: 58\n"));
        EXPECT_EQ(QFileInfo(arbeitskopie()).size(), vorher);
        ASSERT_TRUE(db::sharedState().cnnX && cnnX().isOpen());
        auto rs = cnnX().openRecordset("SELECT [KOM] FROM [E1]");
        EXPECT_EQ(rs->field(0).toQVariant().toString(), "vorher");
        EXPECT_FALSE(vb::waitPointerShown());
    }
}

TEST_F(ExtrasTest, SaveOffersCompactionAboveTenMegabytes)
{
    frmMAIN& w = start();
    // Past 10.0 MB (after rounding to one decimal) the save asks first.
    aufblaehen(cnnX(), 1100);
    cnnX().execute("INSERT INTO [BALLAST] ([X]) VALUES (?)", {vb::Variant("x")});
    const float mb = megabytes(QFileInfo(arbeitskopie()).size());
    ASSERT_GT(mb, 10.0f);
    boxen().answerMessage(vb::vbYes);
    EXPECT_TRUE(w.mnuSPEICHERN_Click());
    ASSERT_EQ(boxen().count(), 2);
    const auto frage = boxen().records().front();
    EXPECT_EQ(frage.text, "Datenbank hat " + vb::CStr(mb) + " MB erreicht! \r\nSoll die Datei komprimiert werden?");
    EXPECT_EQ(frage.buttons, vb::MsgButtons::YesNo);
    EXPECT_TRUE(frage.style & vb::vbMsgBoxHelpButton);
    EXPECT_LT(QFileInfo(pfade().projektDb).size(), 10'000'000);

    // The rounding: 10,040,000 bytes are 10.0 MB, 10,060,000 bytes 10.1 MB.
    EXPECT_EQ(megabytes(10'040'000), 10.0f);
    EXPECT_EQ(megabytes(10'060'000), rundeEineStelle(10.1f));
    EXPECT_EQ(megabytes(12'345'678), rundeEineStelle(12.3f));
    EXPECT_EQ(megabytes(9'876'543), rundeEineStelle(9.9f));
    EXPECT_EQ(vb::CStr(rundeEineStelle((12.3f - 9.9f) * 100.0f / 12.3f)), "19,5");
}

TEST_F(ExtrasTest, QuestionMarkMenuFollowsTheDocumentsPresent)
{
    frmMAIN& w = start();
    const QString ordner = pfade().programm;
    const QStringList dateien = {"KAVELOR.html", "KAVELOR.odt", "KAVELOR_H.odt"};
    QAction* items[] = {w.mnuHILFE, w.mnuREADME, w.mnuHINWEISE};
    for (int fehlt = -1; fehlt < 3; ++fehlt) {
        for (int i = 0; i < 3; ++i) {
            QFile::remove(ordner + "/" + dateien[i]);
            if (i != fehlt) {
                QFile f(ordner + "/" + dateien[i]);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            }
        }
        w.mnuFRAGEZEICHEN_Click();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(items[i]->isEnabled(), i != fehlt) << fehlt << " " << i;
        EXPECT_TRUE(w.mnuINFO->isEnabled());
    }
    // Each document goes to the desktop's application for it.
    w.mnuHILFE_Click();
    w.mnuREADME_Click();
    w.mnuHINWEISE_Click();
    auto& geoeffnet = dienste().desktop.opened;
    ASSERT_EQ(geoeffnet.size(), 2u);   // KAVELOR_H.odt is missing now
    EXPECT_EQ(QFileInfo(geoeffnet[0]).fileName(), "KAVELOR.html");
    EXPECT_EQ(QFileInfo(geoeffnet[1]).fileName(), "KAVELOR.odt");
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().title, "?/Hinweise");
    EXPECT_TRUE(boxen().last().text.startsWith("VB-Error: 53\n"));

    // The opener reports that it could not show the document: said so,
    // naming the document, and the program goes on.
    boxen().clear();
    dienste().desktop.result = false;
    w.mnuHILFE_Click();
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().title, "?/Hilfe");
    EXPECT_EQ(boxen().last().text, "Keine Anwendung zum Anzeigen von " + ordner + "/KAVELOR.html");
    EXPECT_FALSE(vb::waitPointerShown());
}
