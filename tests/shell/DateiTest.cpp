// The Datei commands, the selection dialog and the closing with hand-back.
#include "ShellFixture.h"

#include "database/Arbeitskopie.h"
#include "database/SharedState.h"
#include "shell/StatusPanelBar.h"
#include "shell/frmAUSWAHL.h"
#include "shell/frmMAIN.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QSessionManager>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const QStringList kTabellen = {"E1", "E2", "E3", "E4", "E5", "E6", "E7", "E8", "E9", "E10", "E11", "E12", "A1", "G0"};
} // namespace

class DateiTest : public ShellTest
{
protected:
    QString ken(int i) const { return suite::demoUebersicht().at(i).ken; }
};

TEST_F(DateiTest, SelectionMakesTheChosenRecordTheOnlyActiveOne)
{
    frmMAIN& w = start();
    const QString b2 = ken(1);
    cnnX().execute("UPDATE [E1] SET [AKT]=true");
    QString titel;
    auswahl([&](frmAUSWAHL& d) {
        titel = d.windowTitle();
        // Several active records: the last in identifier order is preselected.
        ASSERT_NE(d.lstKEN->currentItem(), nullptr);
        EXPECT_EQ(d.lstKEN->currentItem()->text(), d.lstKEN->item(d.lstKEN->count() - 1)->text());
        ASSERT_TRUE(d.waehle(b2));
        d.cmdOK->click();
    });
    w.mnuAUSWAHL_Click();
    EXPECT_EQ(titel, "Datei/Auswahl");
    EXPECT_EQ(w.Tag(), "OK");
    EXPECT_EQ(ShellTest::kennungen(cnnX(), "[AKT]=true"), QStringList{b2});
    EXPECT_EQ(w.stbMAIN->text(6), b2);

    // Esc answers "Abbrechen" and changes nothing.
    auswahl([&](frmAUSWAHL& d) {
        d.waehle(ken(0));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    w.mnuAUSWAHL_Click();
    EXPECT_EQ(w.Tag(), "Abbrechen");
    EXPECT_EQ(ShellTest::kennungen(cnnX(), "[AKT]=true"), QStringList{b2});
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(DateiTest, SelectionMatchesRecordsByKeyWithMissingOrRepeatedIdentifiers)
{
    frmMAIN& w = start();
    auto& c = cnnX();
    c.execute("DELETE FROM [E1]");
    // Two records without identifier, two with the same one, one with ID 0.
    const struct {
        int id;
        vb::Variant ken;
        const char* kom;
    } zeilen[] = {{1, vb::Variant::null(), "erste"}, {2, vb::Variant::null(), "zweite"},
                  {3, vb::Variant("B1"), "dritte"},  {4, vb::Variant("B1"), "vierte"},
                  {5, vb::Variant("B0"), ""},        {0, vb::Variant("A0"), ""}};
    for (const auto& z : zeilen)
        c.execute("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (?,?,?,?)",
                  {vb::Variant(z.id), z.ken, vb::Variant(z.kom), vb::Variant(z.id == 0)});
    for (const int gewaehlt : {1, 2, 3, 4}) {
        SCOPED_TRACE(gewaehlt);
        QString tip;
        auswahl([&](frmAUSWAHL& d) {
            // ID 0 is not listed.
            EXPECT_EQ(d.lstKEN->count(), 5);
            EXPECT_TRUE(d.lstKEN->toolTip().isEmpty());
            // Pick the item whose comment is the chosen record's.
            const char* kom[] = {"", "erste", "zweite", "dritte", "vierte"};
            for (int i = 0; i < d.lstKEN->count(); ++i) {
                d.lstKEN->setCurrentRow(i);
                if (d.lstKEN->toolTip() == kom[gewaehlt])
                    break;
            }
            tip = d.lstKEN->toolTip();
            // A record that appears while the dialog is open sorts before all
            // listed ones; the choice must still reach the record picked.
            if (gewaehlt == 4)
                c.execute("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (7,'000',0)");
            d.cmdOK->click();
        });
        w.mnuAUSWAHL_Click();
        auto rs = c.openRecordset("SELECT [ID] FROM [E1] WHERE [AKT]=true ORDER BY [ID]");
        QList<int> aktiv;
        while (!rs->eof()) {
            aktiv << int(rs->field(0).number());
            rs->moveNext();
        }
        // The record with ID 0 keeps its flag.
        EXPECT_EQ(aktiv, (QList<int>{0, gewaehlt}));
    }
}

TEST_F(DateiTest, SelectionDialogCaptionsFollowRequestAndLanguage)
{
    frmMAIN& w = start();
    (void)w;
    const struct {
        int sprache;
        const char* tag;
        const char* titel;
        const char* abbrechen;
    } faelle[] = {
        {3, "A", "Datei/Auswahl", "Abbrechen"}, {3, "O", "Datei/Öffnen", "Abbrechen"},
        {3, "L", "Datei/Löschen", "Abbrechen"}, {1, "A", "File/Select", "Cancel"},
        {1, "O", "File/Open", "Cancel"},        {1, "L", "File/Delete", "Cancel"},
    };
    for (const auto& f : faelle) {
        db::sharedState().SPRACHE = short(f.sprache);
        db::sharedState().Tag = f.tag;
        frmAUSWAHL d(m_main.get());
        d.Form_Load();
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8(f.titel));
        EXPECT_EQ(d.cmdABBRECHEN->text(), f.abbrechen);
        EXPECT_EQ(d.cmdOK->text(), "OK");
    }
}

TEST_F(DateiTest, DeleteRemovesTheRecordFromEveryTable)
{
    frmMAIN& w = start();
    auto& c = cnnX();
    const QString opfer = ken(1), bleibt = ken(0);
    const int id = idVon(opfer), andere = idVon(bleibt);
    // Give the record a row in every table that holds rows per record.
    for (const QString& t : kTabellen)
        if (ShellTest::zeilen(c, t, id) == 0)
            c.execute(QString("INSERT INTO [%1] ([ID]) VALUES (?)").arg(t), {vb::Variant(id)});
    const int vorherAndere = ShellTest::zeilen(c, "E2", andere);

    auswahl([&](frmAUSWAHL& d) {
        d.waehle(opfer);
        d.cmdOK->click();
    });
    boxen().answerMessage(vb::vbOK);
    w.mnuLOESCHEN_Click();
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text, QString::fromUtf8("Datensatz ") + opfer + QString::fromUtf8(" wird gelöscht!"));
    EXPECT_EQ(boxen().last().title, QString::fromUtf8("&Löschen"));
    EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKCancel);
    for (const QString& t : kTabellen)
        EXPECT_EQ(ShellTest::zeilen(c, t, id), 0) << t.toStdString();
    EXPECT_EQ(ShellTest::zeilen(c, "E2", andere), vorherAndere);
    EXPECT_EQ(ShellTest::zeilen(c, "E1", andere), 1);
    EXPECT_EQ(w.stbMAIN->text(6), "-");
    EXPECT_TRUE(db::sharedState().BOAENDERUNG);
}

TEST_F(DateiTest, DeleteAnsweredCancelKeepsTheRecordButMarksTheCopyChanged)
{
    frmMAIN& w = start();
    const int vorher = ShellTest::kennungen(cnnX()).size();
    auswahl([&](frmAUSWAHL& d) {
        d.waehle(ken(0));
        d.cmdOK->click();
    });
    boxen().answerMessage(vb::vbCancel);
    w.mnuLOESCHEN_Click();
    EXPECT_EQ(ShellTest::kennungen(cnnX()).size(), vorher);
    EXPECT_TRUE(db::sharedState().BOAENDERUNG);

    // Cancelled in the selection dialog: nothing asked, nothing changed.
    db::sharedState().BOAENDERUNG = false;
    boxen().clear();
    auswahl([&](frmAUSWAHL& d) { d.cmdABBRECHEN->click(); });
    w.mnuLOESCHEN_Click();
    EXPECT_EQ(boxen().count(), 0);
    EXPECT_FALSE(db::sharedState().BOAENDERUNG);
}

TEST_F(DateiTest, SaveWritesTheWorkingCopyBackAndClearsTheFlag)
{
    frmMAIN& w = start();
    cnnX().execute("DELETE FROM [E1] WHERE [KEN]=?", {vb::Variant(ken(0))});
    db::sharedState().BOAENDERUNG = true;
    EXPECT_TRUE(kennungenDatei(pfade().projektDb).contains(ken(0)));
    EXPECT_TRUE(w.mnuSPEICHERN_Click());
    EXPECT_FALSE(kennungenDatei(pfade().projektDb).contains(ken(0)));
    EXPECT_FALSE(db::sharedState().BOAENDERUNG);
    EXPECT_EQ(boxen().count(), 0);
    // Nothing but the project database is left in the project folder.
    EXPECT_EQ(QDir(pfade().projekt).entryList(QDir::Files | QDir::Hidden), QStringList{"KAVELOR.mdb"});
}

TEST_F(DateiTest, FailedSaveIsReportedAndKeepsTheFlag)
{
    frmMAIN& w = start();
    const QStringList vorher = kennungenDatei(pfade().projektDb);
    cnnX().execute("DELETE FROM [E1]");
    db::sharedState().BOAENDERUNG = true;
    if (!schreibschutz(pfade().projekt, true))
        GTEST_SKIP() << "no write protection available";
    for (const int antwort : {vb::vbOK, vb::vbCancel}) {
        boxen().clear();
        boxen().answerMessage(antwort);
        EXPECT_FALSE(w.mnuSPEICHERN_Click());
        ASSERT_EQ(boxen().count(), 1);
        EXPECT_TRUE(boxen().last().text.startsWith("VB-Error: "));
        EXPECT_EQ(boxen().last().title, "&Speichern");
        EXPECT_TRUE(db::sharedState().BOAENDERUNG);
    }
    schreibschutz(pfade().projekt, false);
    EXPECT_EQ(kennungenDatei(pfade().projektDb), vorher);
}

TEST_F(DateiTest, InterruptedSaveLeavesTheProjectDatabaseIntact)
{
    frmMAIN& w = start();
    (void)w;
    const QStringList vorher = kennungenDatei(pfade().projektDb);
    ASSERT_FALSE(vorher.isEmpty());
    // A large working copy, so the copy takes long enough to be cut off.
    auto& c = cnnX();
    c.execute("DELETE FROM [E1]");
    c.execute("CREATE TABLE [BALLAST] ([X] TEXT)");
    {
        db::Connection::Transaction tx(c);
        const QString block(100000, 'x');
        for (int i = 0; i < 300; ++i)
            c.execute("INSERT INTO [BALLAST] ([X]) VALUES (?)", {vb::Variant(block)});
        tx.commit();
    }
    const QString kopie = arbeitskopie();
    const QString ziel = pfade().projektDb;
    const QStringList ordnerVorher = QDir(pfade().projekt).entryList(QDir::Files | QDir::Hidden);

    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
        try {
            db::copyDatabase(kopie, ziel);
        } catch (...) {
        }
        ::_exit(0);
    }
    // Kill the writer as soon as it starts writing: a file appears in the
    // project folder, or the project database itself changes.
    const qint64 groesse = QFileInfo(ziel).size();
    bool unterbrochen = false;
    for (int i = 0; i < 20000 && !unterbrochen; ++i) {
        if (QDir(pfade().projekt).entryList(QDir::Files | QDir::Hidden) != ordnerVorher
            || QFileInfo(ziel).size() != groesse) {
            ::kill(kind, SIGKILL);
            unterbrochen = true;
        } else {
            ::usleep(100);
        }
    }
    int status = 0;
    ::waitpid(kind, &status, 0);
    if (!WIFSIGNALED(status))
        GTEST_SKIP() << "the copy finished before it could be interrupted";
    // The project database opens and still holds its records.
    EXPECT_EQ(kennungenDatei(ziel), vorher);
}

class SchliessenTest : public DateiTest
{
protected:
    void rahmenprogramm(bool da)
    {
        if (!da)
            QFile::remove(pfade().rahmenprogramm);
        ASSERT_EQ(QFileInfo::exists(pfade().wurzel + "/TORVENA"), da);
    }
    // The desktop's session management as the platform delivers it: the
    // requests to save the program's data, then, when the session ends, the
    // application's quit request. The quit request goes no further than the
    // program here (the test's own application must not quit).
    void sitzung(frmMAIN& w, bool ende)
    {
        struct Schlucken : QObject {
            bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Quit; }
        } schlucken;
        qApp->installEventFilter(&schlucken);
        w.sitzungFolgen(*qApp);
        auto* verwaltung = qApp->findChild<QSessionManager*>();
        ASSERT_NE(verwaltung, nullptr);
        emit qApp->commitDataRequest(*verwaltung);
        emit qApp->saveStateRequest(*verwaltung);
        if (ende) {
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &quit);
        }
        qApp->removeEventFilter(&w);
    }
    bool gestartetRahmen() const
    {
        return !m_dienste->processes.started.empty()
               && QFileInfo(m_dienste->processes.started.front().program).canonicalFilePath()
                      == QFileInfo(pfade().wurzel + "/TORVENA").canonicalFilePath();
    }
};

TEST_F(SchliessenTest, QuitSaveQuestionAndFrameProgram)
{
    const struct {
        const char* fall;
        int weg;            // 0 close box, 1 Schließen, 2 Beenden, 3 end of the desktop session,
                            // 4 session checkpoint (the session goes on)
        bool geaendert;
        int antwort;        // answer to the save question (0: none expected)
        bool rahmenDa;
        bool offen;         // program still open afterwards
        bool rahmen;        // frame program started
        bool gespeichert;   // project database holds the change
        bool kopieBleibt;   // the working copy outlives the program
    } faelle[] = {
        {"close box, unchanged", 0, false, 0, true, false, true, false, false},
        {"Schließen, unchanged", 1, false, 0, true, false, true, false, false},
        {"Beenden, unchanged", 2, false, 0, true, false, false, false, false},
        {"close box, Yes", 0, true, vb::vbYes, true, false, true, true, false},
        {"Beenden, No", 2, true, vb::vbNo, true, false, false, false, false},
        {"Schließen, Cancel", 1, true, vb::vbCancel, true, true, false, false, true},
        {"Schließen, no frame program", 1, false, 0, false, false, false, false, false},
        // Nobody can be asked: unsaved changes stay in the working copy.
        {"system shutdown, changed", 3, true, 0, true, false, false, false, true},
        {"system shutdown, unchanged", 3, false, 0, true, false, false, false, false},
        // The desktop only asks the program to save its state: it runs on.
        {"session checkpoint, changed", 4, true, 0, true, true, false, false, true},
        {"session checkpoint, unchanged", 4, false, 0, true, true, false, false, true},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        baue(standard(), QStringLiteral("s%1").arg(n++));
        rahmenprogramm(f.rahmenDa);
        frmMAIN& w = starte();
        ASSERT_TRUE(gestartet());
        const QString opfer = ken(0);
        if (f.geaendert) {
            cnnX().execute("DELETE FROM [E1] WHERE [KEN]=?", {vb::Variant(opfer)});
            db::sharedState().BOAENDERUNG = true;
        }
        if (f.antwort)
            boxen().answerMessage(f.antwort);
        bool beendet = false;
        QObject::connect(&w, &frmMAIN::programEnded, [&] { beendet = true; });
        switch (f.weg) {
        case 0: w.close(); break;
        case 1: w.mnuSCHLIESSEN_Click(); break;
        case 2: w.mnuBEENDEN_Click(); break;
        default: sitzung(w, f.weg == 3); break;
        }
        EXPECT_EQ(boxen().count(), f.antwort ? 1 : 0);
        if (f.antwort) {
            EXPECT_EQ(boxen().records().front().text,
                      QString::fromUtf8("Sollen die Änderungen in Projekt ") + db::sharedState().PROJEKT
                          + " gespeichert werden?");
            EXPECT_EQ(boxen().records().front().title, "&Beenden");
            EXPECT_EQ(boxen().records().front().buttons, vb::MsgButtons::YesNoCancel);
        }
        EXPECT_EQ(!beendet, f.offen);
        EXPECT_EQ(gestartetRahmen(), f.rahmen);
        EXPECT_EQ(kennungenDatei(pfade().projektDb).contains(opfer), !f.gespeichert);
        EXPECT_EQ(QFileInfo::exists(arbeitskopie()), f.kopieBleibt);
        EXPECT_EQ(db::leseHerkunft(arbeitskopie()).has_value(), f.kopieBleibt);
        EXPECT_EQ(prog(), f.offen ? "KAVELOR" : "TORVENA");
        if (f.offen) {
            EXPECT_FALSE(w.isHidden());
            EXPECT_TRUE(db::sharedState().cnnX && db::sharedState().cnnX->isOpen());
            // A later close with the close box restarts the frame program.
            if (f.geaendert)
                boxen().answerMessage(vb::vbNo);
            w.close();
            EXPECT_TRUE(beendet);
            EXPECT_TRUE(gestartetRahmen());
        } else {
            EXPECT_FALSE(db::sharedState().cnnX);
            EXPECT_FALSE(db::sharedState().cnnX_V);
        }
    }
}

TEST_F(SchliessenTest, CloseWhoseSaveFailsKeepsTheProgramAndTheWorkingCopy)
{
    frmMAIN& w = start();
    cnnX().execute("DELETE FROM [E1]");
    db::sharedState().BOAENDERUNG = true;
    if (!schreibschutz(pfade().projekt, true))
        GTEST_SKIP() << "no write protection available";
    boxen().answerMessage(vb::vbYes).answerMessage(vb::vbOK);
    bool beendet = false;
    QObject::connect(&w, &frmMAIN::programEnded, [&] { beendet = true; });
    w.mnuSCHLIESSEN_Click();
    schreibschutz(pfade().projekt, false);
    EXPECT_FALSE(beendet);
    EXPECT_TRUE(QFileInfo::exists(arbeitskopie()));
    EXPECT_TRUE(db::sharedState().BOAENDERUNG);
    EXPECT_TRUE(m_dienste->processes.started.empty());
    EXPECT_EQ(prog(), "KAVELOR");
    EXPECT_FALSE(kennungenDatei(pfade().projektDb).isEmpty());
}

TEST_F(DateiTest, StatusPanelsPressAndRelease)
{
    frmMAIN& w = start();
    w.show();
    for (int i = 10; i <= 15; ++i)
        w.stbMAIN->setPanelVisible(i, true);
    QCoreApplication::processEvents();
    // A press on a command panel insets it; the click raises it again.
    w.stbMAIN_MouseDown(w.stbMAIN->panelLeft(14) + 2);
    EXPECT_EQ(w.stbMAIN->bevel(14), StatusPanel::Bevel::Inset);
    EXPECT_EQ(w.stbMAIN->bevel(13), StatusPanel::Bevel::Raised);
    EXPECT_EQ(dienste().waits.requested.back(), 250);
    w.stbMAIN_PanelClick(14);
    EXPECT_EQ(w.stbMAIN->bevel(14), StatusPanel::Bevel::Raised);
    // Information panels run nothing and keep their flat look.
    w.stbMAIN->clickPanel(2);
    EXPECT_EQ(w.stbMAIN->bevel(2), StatusPanel::Bevel::Flat);
    EXPECT_EQ(boxen().count(), 0);
}
