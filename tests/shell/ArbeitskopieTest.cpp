// The working copy across runs: whose project a kept copy belongs to, copies
// that cannot be opened, what a save may install, the end of the desktop
// session and what killed runs leave behind.
#include "ShellFixture.h"

#include "database/Arbeitskopie.h"
#include "database/Schema.h"
#include "database/SharedState.h"
#include "shell/frmMAIN.h"
#include "../common/HeissesJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ueberschreiben(const QString& pfad, qint64 ab, const QByteArray& daten)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.seek(ab));
    f.write(daten);
}

// Page 2 of a database file overwritten with bytes that are no b-tree page.
void seiteZerstoeren(const QString& pfad) { ueberschreiben(pfad, 4096, QByteArray(4096, char(0x5a))); }

// A temporary file of this user as a run with process `pid` names it.
QString temporaer(const QString& ordner, qint64 pid)
{
    return ordner + "/.KAVELOR.mdb~" + vb::userName() + "~" + QSysInfo::machineHostName() + "~"
           + QString::number(pid) + "~1.tmp";
}

void anlegen(const QString& pfad, const QByteArray& daten = "x")
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(daten);
}

} // namespace

class ArbeitskopieTest : public ShellTest
{
public:
    QString benutzerOrdner() const { return pfade().wurzel + "/BENUTZER/TESTER"; }
    // Another user saves the project meanwhile, with a record of their own.
    void andereSpeicherung()
    {
        const QString seine = m_tmp->path() + "/seine.mdb";
        QFile::remove(seine);
        db::copyDatabase(pfade().projektDb, seine);
        db::Connection::open(seine)->execute("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (805,'VON_ANDEREM',0)");
        db::Zwischenkopie kopie(seine, pfade().projektDb);
        kopie.einsetzen();
    }
    // The files in the user's folder besides the working copy and its identity.
    QStringList beiseite() const
    {
        return QDir(benutzerOrdner()).entryList({"KAVELOR_*.mdb"}, QDir::Files, QDir::Name);
    }
};

TEST_F(ArbeitskopieTest, KeptCopyIsTakenUpOnlyForItsOwnProject)
{
    const struct {
        const char* fall;
        const char* projekt;   // identity of the kept copy ("" none)
        bool frage;            // the crash question is asked
        const char* name;      // start of the name the copy is put aside under
        const char* box;       // the box instead of the question
    } faelle[] = {
        {"own project", "TE2026.01", true, "", ""},
        {"other project", "TE2025.09", false, "KAVELOR_TE2025.09_",
         "Die Arbeitskopie von Projekt TE2025.09 gehört nicht zu Projekt TE2026.01 und wurde nicht geöffnet.\r\n"
         "Sie wurde aufbewahrt als "},
        {"no identity", "", false, "KAVELOR_unbekannt_",
         "Die Arbeitskopie von Projekt (unbekannt) gehört nicht zu Projekt TE2026.01 und wurde nicht geöffnet.\r\n"
         "Sie wurde aufbewahrt als "},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        baue(standard(), QStringLiteral("k%1").arg(n++));
        const QString projektB = pfade().projektDb;
        const QStringList vorherB = kennungenDatei(projektB);
        // Project A beside B, with a record only A has; the copy was made
        // from A (or from B for "own project") and holds one more record.
        const QString ordnerA = pfade().projekte + "/TE2025.09";
        QDir().mkpath(ordnerA);
        const QString projektA = ordnerA + "/KAVELOR.mdb";
        db::copyDatabase(projektB, projektA);
        db::Connection::open(projektA)->execute("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (801,'NUR_A',0)");
        const bool eigenes = QString(f.projekt) == "TE2026.01";
        zurueckgelasseneKopie(eigenes ? projektB : projektA, f.projekt);
        db::Connection::open(arbeitskopie())->execute(
            "INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (802,'UNTERBROCHEN',0)");

        boxen().answerMessage(vb::vbYes);
        frmMAIN& w = starte();
        ASSERT_TRUE(gestartet());
        ASSERT_EQ(boxen().count(), 1);
        const QStringList jetzt = kennungen(cnnX());
        if (f.frage) {
            EXPECT_TRUE(boxen().last().text.startsWith("Programm wurde während"));
            EXPECT_TRUE(jetzt.contains("UNTERBROCHEN"));
            EXPECT_TRUE(beiseite().isEmpty());
            continue;
        }
        // Not offered: put aside with its records, B's records in the program.
        EXPECT_TRUE(boxen().last().text.startsWith(QString::fromUtf8(f.box))) << boxen().last().text.toStdString();
        EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKOnly);
        EXPECT_EQ(jetzt, vorherB);
        EXPECT_FALSE(db::sharedState().BOAENDERUNG);
        const QStringList weg = beiseite();
        ASSERT_EQ(weg.size(), 1);
        EXPECT_TRUE(weg.front().startsWith(f.name)) << weg.front().toStdString();
        EXPECT_TRUE(boxen().last().text.contains(weg.front()));
        EXPECT_TRUE(kennungenDatei(benutzerOrdner() + "/" + weg.front()).contains("UNTERBROCHEN"));
        // Saving leaves B as it was.
        EXPECT_TRUE(w.mnuSPEICHERN_Click());
        EXPECT_EQ(kennungenDatei(projektB), vorherB);
        EXPECT_FALSE(kennungenDatei(projektB).contains("NUR_A"));
        EXPECT_EQ(boxen().count(), 1);
    }
}

// The program started a second time by the same user finds the working copy
// in use: it says so and ends, and the running program's copy and the
// hand-over stay as they are. Once that run has ended (or was killed), the
// next start finds its copy as after any interrupted run.
TEST_F(ArbeitskopieTest, ASecondRunOfTheUserLeavesTheRunningOnesCopyAlone)
{
    baue();
    const QStringList admin = adminZeilen();
    zurueckgelasseneKopie(pfade().projektDb, "TE2026.01");
    db::Connection::open(arbeitskopie())->execute("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (803,'LAUFEND',0)");
    const QByteArray vorher = inhalt(arbeitskopie());
    {
        const db::Sitzungssperre laufend(arbeitskopie());
        ASSERT_FALSE(laufend.belegt());
        starte();
        EXPECT_FALSE(gestartet());
        ASSERT_EQ(boxen().count(), 1);
        EXPECT_EQ(boxen().last().text, QString::fromUtf8("Programm KAVELOR läuft für diesen Benutzer bereits!"));
        EXPECT_EQ(inhalt(arbeitskopie()), vorher);
        EXPECT_EQ(adminZeilen(), admin);
    }
    boxen().answerMessage(vb::vbYes);
    starte();
    ASSERT_TRUE(gestartet());
    EXPECT_TRUE(boxen().last().text.startsWith(QString::fromUtf8("Programm wurde während")));
    EXPECT_TRUE(kennungen(cnnX()).contains("LAUFEND"));
    // While this run works, the copy is taken for it.
    EXPECT_TRUE(db::Sitzungssperre(arbeitskopie()).belegt());
}

TEST_F(ArbeitskopieTest, WorkingCopyThatCannotBeOpenedEndsTheStartWithoutHarm)
{
    const struct {
        const char* fall;
        std::function<void(ArbeitskopieTest&)> vorbereiten;
        bool frage;            // a kept copy: the crash question comes first (Yes)
        const char* text;      // start of the message
    } faelle[] = {
        {"damaged pages",
         [](ArbeitskopieTest& t) {
             t.zurueckgelasseneKopie(t.pfade().projektDb, "TE2026.01");
             seiteZerstoeren(t.arbeitskopie());
         },
         true, "VB-Error: 3049\n"},
        {"not a database",
         [](ArbeitskopieTest& t) {
             t.zurueckgelasseneKopie(t.pfade().projektDb, "TE2026.01");
             ueberschreiben(t.arbeitskopie(), 0, QByteArray(100, 'T'));
         },
         true, "VB-Error: 3049\nDie Datei ist keine Datenbank ("},
        {"cut short",
         [](ArbeitskopieTest& t) {
             t.zurueckgelasseneKopie(t.pfade().projektDb, "TE2026.01");
             QFile(t.arbeitskopie()).resize(QFileInfo(t.arbeitskopie()).size() / 2);
         },
         true, "VB-Error: 3049\n"},
        {"a folder in its place", [](ArbeitskopieTest& t) { QDir().mkpath(t.arbeitskopie()); }, false,
         "VB-Error: 75\n"},
        {"user folder cannot be made",
         [](ArbeitskopieTest& t) {
             QDir().mkpath(t.pfade().wurzel + "/BENUTZER");
             anlegen(t.benutzerOrdner());
         },
         false, "VB-Error: 76\n"},
        // A folder the user may not make is a missing permission, not a missing path.
        {"user folder may not be made",
         [](ArbeitskopieTest& t) {
             QDir().mkpath(t.pfade().wurzel + "/BENUTZER");
             ASSERT_TRUE(schreibschutz(t.pfade().wurzel + "/BENUTZER", true));
         },
         false, "VB-Error: 70\nZugriff verweigert: "},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        baue(standard(), QStringLiteral("u%1").arg(n++));
        f.vorbereiten(*this);
        const QStringList adminVorher = adminZeilen();
        const QByteArray projektVorher = inhalt(pfade().projektDb);
        if (f.frage)
            boxen().answerMessage(vb::vbYes);
        frmMAIN& w = starte();
        schreibschutz(pfade().wurzel + "/BENUTZER", false);
        EXPECT_FALSE(gestartet());
        ASSERT_EQ(boxen().count(), f.frage ? 2 : 1);
        EXPECT_TRUE(boxen().last().text.startsWith(f.text)) << boxen().last().text.toStdString();
        EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKOnly);
        EXPECT_TRUE(w.programmBeendet());
        EXPECT_EQ(adminZeilen(), adminVorher);
        EXPECT_EQ(inhalt(pfade().projektDb), projektVorher);
        EXPECT_FALSE(db::sharedState().cnnX);
        // A command reached without a working copy reports it and goes on.
        boxen().clear();
        w.mnuAUSWERTEN_Click();
        ASSERT_EQ(boxen().count(), 1);
        EXPECT_TRUE(boxen().last().text.startsWith("VB-Error: 91\n"));
    }
}

TEST_F(ArbeitskopieTest, SaveInstallsOnlyASoundCopyOverAWritableProjectNobodyElseSaved)
{
    const struct {
        const char* fall;
        const char* sprache;
        std::function<void(ArbeitskopieTest&)> vorbereiten;
        int antwort;           // answer to a question (0: none expected)
        bool gespeichert;
        const char* text;      // start of the one box ("" none)
    } faelle[] = {
        {"sound and unchanged", "de_DE", [](ArbeitskopieTest&) {}, 0, true, ""},
        {"damaged working copy", "de_DE", [](ArbeitskopieTest& t) { seiteZerstoeren(t.arbeitskopie()); }, 0, false,
         "Die Arbeitskopie ist beschädigt!\r\nProjekt TE2026.01 wurde nicht überschrieben.\r\n"},
        {"damaged working copy, English", "en_US",
         [](ArbeitskopieTest& t) { seiteZerstoeren(t.arbeitskopie()); }, 0, false,
         "The working copy is damaged!\r\nProject TE2026.01 was not overwritten.\r\n"},
        {"write-protected project", "de_DE",
         [](ArbeitskopieTest& t) { ::chmod(QFile::encodeName(t.pfade().projektDb).constData(), 0444); }, 0, false,
         "VB-Error: 70\nZugriff verweigert: "},
        {"saved by another, No", "de_DE", [](ArbeitskopieTest& t) { t.andereSpeicherung(); }, vb::vbNo, false,
         "Projekt TE2026.01 wurde seit dem Anlegen Ihrer Kopie von anderer Seite gespeichert!\r\n"
         "Soll es mit Ihrer Kopie überschrieben werden?"},
        {"saved by another, English No", "en_US", [](ArbeitskopieTest& t) { t.andereSpeicherung(); }, vb::vbNo,
         false,
         "Project TE2026.01 was saved by someone else since your copy was taken!\r\n"
         "Do you want to overwrite it with your copy?"},
        {"saved by another, Yes", "de_DE", [](ArbeitskopieTest& t) { t.andereSpeicherung(); }, vb::vbYes, true,
         "Projekt TE2026.01 wurde seit"},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        sprache(f.sprache);
        baue(standard(), QStringLiteral("s%1").arg(n++));
        frmMAIN& w = starte();
        ASSERT_TRUE(gestartet());
        cnnX().execute("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (803,'NEU',0)");
        db::sharedState().BOAENDERUNG = true;
        f.vorbereiten(*this);
        const QByteArray vorher = inhalt(pfade().projektDb);
        if (f.antwort)
            boxen().answerMessage(f.antwort);
        EXPECT_EQ(w.mnuSPEICHERN_Click(), f.gespeichert);
        ::chmod(QFile::encodeName(pfade().projektDb).constData(), 0644);
        if (*f.text) {
            ASSERT_EQ(boxen().count(), 1);
            EXPECT_TRUE(boxen().last().text.startsWith(QString::fromUtf8(f.text))) << boxen().last().text.toStdString();
            // The question, the box of the damaged copy, or the error box of the step.
            const vb::MsgButtons knoepfe = f.antwort ? vb::MsgButtons::YesNo
                                           : boxen().last().text.startsWith("VB-Error") ? vb::MsgButtons::OKCancel
                                                                                        : vb::MsgButtons::OKOnly;
            EXPECT_EQ(boxen().last().buttons, knoepfe);
        } else {
            EXPECT_EQ(boxen().count(), 0);
        }
        EXPECT_EQ(db::sharedState().BOAENDERUNG, !f.gespeichert);
        EXPECT_TRUE(QFileInfo::exists(arbeitskopie()));
        if (f.gespeichert) {
            EXPECT_TRUE(kennungenDatei(pfade().projektDb).contains("NEU"));
            // The copy now matches the project: the next save asks nothing.
            boxen().clear();
            EXPECT_TRUE(w.mnuSPEICHERN_Click());
            EXPECT_EQ(boxen().count(), 0);
        } else {
            EXPECT_EQ(inhalt(pfade().projektDb), vorher);
        }
        // Nothing but the project database in the project folder.
        EXPECT_EQ(QDir(pfade().projekt).entryList(QDir::Files | QDir::Hidden), QStringList{"KAVELOR.mdb"});
    }
}

TEST_F(ArbeitskopieTest, SessionEndKeepsUnsavedWorkForTheNextStart)
{
    for (const bool geaendert : {true, false}) {
        SCOPED_TRACE(geaendert ? "changed" : "unchanged");
        baue(standard(), geaendert ? "mit" : "ohne");
        starte();
        ASSERT_TRUE(gestartet());
        cnnX().execute("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (804,'UNGESPEICHERT',0)");
        db::sharedState().BOAENDERUNG = geaendert;
        m_main->unloadMain(frmMAIN::vbAppWindows);
        EXPECT_EQ(boxen().count(), 0);
        EXPECT_EQ(prog(), "TORVENA");
        EXPECT_EQ(QFileInfo::exists(arbeitskopie()), geaendert);

        // The next start offers the kept work.
        m_main.reset();
        db::sharedState().reset();
        boxen().answerMessage(vb::vbYes);
        starte();
        ASSERT_TRUE(gestartet());
        EXPECT_EQ(boxen().count(), geaendert ? 1 : 0);
        EXPECT_EQ(kennungen(cnnX()).contains("UNGESPEICHERT"), geaendert);
        EXPECT_TRUE(beiseite().isEmpty());
    }
}

TEST_F(ArbeitskopieTest, LeftoversOfEndedRunsGoAndDoNotBlock)
{
    baue();
    const pid_t tot = ::fork();
    if (tot == 0)
        ::_exit(0);
    ::waitpid(tot, nullptr, 0);
    QDir().mkpath(benutzerOrdner());
    const QStringList weg = {temporaer(pfade().projekt, tot), temporaer(pfade().projekt, tot) + "-journal",
                             temporaer(benutzerOrdner(), tot)};
    const QStringList bleibt = {temporaer(pfade().projekt, ::getppid()),
                                pfade().projekt + "/.KAVELOR.mdb~ANDERER~" + QSysInfo::machineHostName() + "~"
                                    + QString::number(tot) + "~1.tmp"};
    for (const QString& d : weg + bleibt)
        anlegen(d);
    frmMAIN& w = starte();
    ASSERT_TRUE(gestartet());
    for (const QString& d : weg)
        EXPECT_FALSE(QFileInfo::exists(d)) << d.toStdString();
    for (const QString& d : bleibt)
        EXPECT_TRUE(QFileInfo::exists(d)) << d.toStdString();

    // A compaction cut off left its temporary file: the next one goes on.
    anlegen(verdichtungsDatei(), "alt");
    anlegen(verdichtungsDatei() + "-journal", "alt");
    EXPECT_TRUE(w.mnuKOMPRIMIEREN_Click());
    EXPECT_FALSE(QFileInfo::exists(verdichtungsDatei()));
    EXPECT_FALSE(QFileInfo::exists(verdichtungsDatei() + "-journal"));
    EXPECT_TRUE(cnnX().isOpen());
}

TEST_F(ArbeitskopieTest, ProjectWithoutItsTablesIsRefused)
{
    const struct {
        const char* fall;
        std::function<void(const QString&)> machen;
    } faelle[] = {
        {"zero length", [](const QString& p) { QFile(p).resize(0); }},
        {"another database",
         [](const QString& p) {
             QFile::remove(p);
             db::schema::erstellen(p, db::schema::Datenbank::Archiv);
         }},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        baue(standard(), QStringLiteral("p%1").arg(n++));
        f.machen(pfade().projektDb);
        const QStringList adminVorher = adminZeilen();
        starte();
        EXPECT_FALSE(gestartet());
        ASSERT_EQ(boxen().count(), 1);
        EXPECT_TRUE(boxen().last().text.startsWith("Die Projektdatenbank " + pfade().projektDb
                                                   + QString::fromUtf8(" enthält die Tabellen des Projekts nicht!\r\nEs fehlen: E1, ")))
            << boxen().last().text.toStdString();
        EXPECT_EQ(adminZeilen(), adminVorher);
        EXPECT_FALSE(QFileInfo::exists(arbeitskopie()));
    }
}

// A run killed while it wrote left a hot journal beside a database the start
// uses. The start rolls the unfinished write back and goes on with every
// committed record; where the user may not write the folder, a box names the
// file and nothing is changed.
TEST_F(ArbeitskopieTest, InterruptedWriteIsRolledBackAtTheStart)
{
    const char* gesichert = "INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (806,'GESICHERT',0)";
    const char* unfertig = "UPDATE [E1] SET [KEN]='UNFERTIG'";
    const char* imDatei = "SELECT 1 FROM [E1] WHERE [KEN]='UNFERTIG'";
    const struct {
        const char* fall;
        bool arbeitskopie;     // the journal lies beside the kept working copy (else the project database)
        bool geschuetzt;       // its folder may not be written
    } faelle[] = {
        {"working copy", true, false},
        {"project database", false, false},
        {"working copy, folder write-protected", true, true},
        {"project database, folder write-protected", false, true},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        baue(standard(), QStringLiteral("j%1").arg(n++));
        if (f.arbeitskopie)
            zurueckgelasseneKopie(pfade().projektDb, "TE2026.01");
        const QString datei = f.arbeitskopie ? arbeitskopie() : pfade().projektDb;
        testhilfe::heissesJournal(datei, gesichert, unfertig, imDatei);
        const QByteArray vorher = inhalt(datei), journal = inhalt(datei + "-journal");
        const QStringList admin = adminZeilen();
        const QString ordner = QFileInfo(datei).path();
        if (f.geschuetzt && !schreibschutz(ordner, true)) {
            ADD_FAILURE() << "no write protection available";
            continue;
        }
        if (f.arbeitskopie)
            boxen().answerMessage(vb::vbYes);
        frmMAIN& w = starte();
        if (f.geschuetzt) {
            schreibschutz(ordner, false);
            EXPECT_FALSE(gestartet());
            // No crash question about a copy that cannot be read as it was committed.
            ASSERT_EQ(boxen().count(), 1);
            EXPECT_EQ(boxen().last().text, "VB-Error: 70\nDas Schreiben in die Datenbank " + datei
                                               + " wurde unterbrochen.\r\nNur ein Benutzer, der die Datei und ihren "
                                                 "Ordner " + ordner + " schreiben darf, kann es zurücknehmen.");
            EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKOnly);
            EXPECT_EQ(inhalt(datei), vorher);
            EXPECT_EQ(inhalt(datei + "-journal"), journal);
            EXPECT_EQ(adminZeilen(), admin);
            EXPECT_EQ(QFileInfo::exists(arbeitskopie()), f.arbeitskopie);
            continue;
        }
        ASSERT_TRUE(gestartet());
        // Only the crash question about the kept copy; Yes goes on with it.
        ASSERT_EQ(boxen().count(), f.arbeitskopie ? 1 : 0);
        const QStringList jetzt = kennungen(cnnX());
        EXPECT_TRUE(jetzt.contains("GESICHERT"));
        EXPECT_FALSE(jetzt.contains("UNFERTIG"));
        EXPECT_FALSE(QFileInfo::exists(datei + "-journal"));
        EXPECT_TRUE(beiseite().isEmpty());
        EXPECT_EQ(db::sharedState().BOAENDERUNG, f.arbeitskopie);
        // Speichern brings the recovered work into the project.
        EXPECT_TRUE(w.mnuSPEICHERN_Click());
        EXPECT_EQ(boxen().count(), f.arbeitskopie ? 1 : 0);
        EXPECT_TRUE(kennungenDatei(pfade().projektDb).contains("GESICHERT"));
        EXPECT_FALSE(kennungenDatei(pfade().projektDb).contains("UNFERTIG"));
    }
}

// A save is known as this copy's own whatever the project's path holds, and
// also when the run was killed right after the save's rename, before it
// could record the new stand: the next save asks nothing.
TEST_F(ArbeitskopieTest, OwnSaveIsNeverTakenForSomeoneElses)
{
    const struct {
        const char* fall;
        const char* projekt;
        bool getoetet;         // the first save is killed right after its rename
    } faelle[] = {
        {"line break in the project's name", "TE 2026\n(neu)", false},
        {"backslash, carriage return and umlaut", "TE\\2026\r\nÄnderung", false},
        {"killed right after the rename", "TE2026.01", true},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        suite::Optionen o = standard();
        o.projekt = QString::fromUtf8(f.projekt);
        baue(o, QStringLiteral("e%1").arg(n++));
        frmMAIN& w = starte();
        ASSERT_TRUE(gestartet());
        ASSERT_EQ(boxen().count(), 0);
        cnnX().execute("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (807,'ERSTE',0)");
        db::sharedState().BOAENDERUNG = true;
        if (f.getoetet) {
            // The save runs in a child process, killed the moment the new
            // project database is renamed into place. The kill can come too
            // late on a busy machine (the save has finished): then the next
            // save is tried, a few times.
            auto getoeteteSicherung = [&](int versuch) {
                cnnX().execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (%1,'V%1',0)")
                                   .arg(900 + versuch));
                db::sharedState().BOAENDERUNG = true;
                const int beobachter = ::inotify_init1(IN_CLOEXEC);
                EXPECT_GE(beobachter, 0);
                EXPECT_GE(::inotify_add_watch(beobachter, QFile::encodeName(pfade().projekt).constData(),
                                              IN_MOVED_TO),
                          0);
                const pid_t kind = ::fork();
                EXPECT_GE(kind, 0);
                if (kind == 0) {
                    w.mnuSPEICHERN_Click();
                    ::_exit(0);
                }
                const int ende = int(::syscall(SYS_pidfd_open, kind, 0));
                EXPECT_GE(ende, 0);
                bool umbenannt = false;
                while (!umbenannt) {
                    pollfd fds[2] = {{beobachter, POLLIN, 0}, {ende, POLLIN, 0}};
                    if (::poll(fds, 2, -1) <= 0)
                        break;
                    if (fds[0].revents & POLLIN) {
                        alignas(inotify_event) char puffer[4096];
                        const ssize_t gelesen = ::read(beobachter, puffer, sizeof puffer);
                        for (ssize_t i = 0; i < gelesen;) {
                            const auto* e = reinterpret_cast<const inotify_event*>(puffer + i);
                            umbenannt = umbenannt || (e->len && QByteArray(e->name) == "KAVELOR.mdb");
                            i += ssize_t(sizeof(inotify_event) + e->len);
                        }
                        if (umbenannt)
                            ::kill(kind, SIGKILL);
                    }
                    if (!umbenannt && (fds[1].revents & POLLIN))
                        break;
                }
                int status = 0;
                ::waitpid(kind, &status, 0);
                ::close(beobachter);
                ::close(ende);
                EXPECT_TRUE(umbenannt) << "the save in the child did not install the project database";
                EXPECT_TRUE(kennungenDatei(pfade().projektDb).contains(QStringLiteral("V%1").arg(900 + versuch)));
                // The kill landed between the rename and the save's end when the
                // child died by it and the copy's identity does not yet give the
                // installed database as the copy's stand (the step after the
                // rename never ran).
                const auto herkunft = db::leseHerkunft(arbeitskopie());
                EXPECT_TRUE(herkunft);
                const bool getroffen = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
                return umbenannt && getroffen && herkunft
                       && !(herkunft->stand == db::dateistand(pfade().projektDb));
            };
            bool unterbrochen = false;
            for (int versuch = 0; versuch < 8 && !unterbrochen && !HasFailure(); ++versuch)
                unterbrochen = getoeteteSicherung(versuch);
            ASSERT_FALSE(HasFailure());
            if (!unterbrochen)
                GTEST_SKIP() << "every save finished before it could be interrupted";
        } else {
            EXPECT_TRUE(w.mnuSPEICHERN_Click());
        }
        cnnX().execute("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (808,'ZWEITE',0)");
        EXPECT_TRUE(w.mnuSPEICHERN_Click());
        EXPECT_EQ(boxen().count(), 0) << (boxen().count() ? boxen().last().text.toStdString() : "");
        EXPECT_TRUE(kennungenDatei(pfade().projektDb).contains("ZWEITE"));

        // A run ended without the closing finds its copy as its own project's:
        // the crash question, not a copy put aside.
        m_main.reset();
        db::sharedState().reset();
        boxen().answerMessage(vb::vbYes);
        starte();
        ASSERT_TRUE(gestartet());
        ASSERT_EQ(boxen().count(), 1);
        EXPECT_TRUE(boxen().last().text.startsWith(QString::fromUtf8("Programm wurde während")));
        EXPECT_TRUE(beiseite().isEmpty());
        boxen().clear();
    }
}
