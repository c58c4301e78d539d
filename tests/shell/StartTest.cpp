// Start-up of the main window on suites made by the suite builder.
#include "ShellFixture.h"

#include "database/SharedState.h"
#include "kavelor_version.h"
#include "shell/StatusPanelBar.h"
#include "shell/frmINFO.h"
#include "shell/frmMAIN.h"
#include "shell/mdiAUTOSTART.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <cstdlib>

using vb::DialogRecord;

TEST_F(ShellTest, CompleteStartUpHandsOverAndShowsTheProject)
{
    baue();
    frmMAIN& w = starte();
    ASSERT_TRUE(gestartet());
    auto& st = db::sharedState();

    EXPECT_TRUE(QFileInfo::exists(arbeitskopie()));
    ASSERT_TRUE(st.cnnX && st.cnnX->isOpen());
    EXPECT_EQ(QFileInfo(st.cnnX->path()).canonicalFilePath(), QFileInfo(arbeitskopie()).canonicalFilePath());
    EXPECT_EQ(prog(), "KAVELOR");
    EXPECT_TRUE(st.cnnX_V && st.cnnX_V->isOpen());
    EXPECT_EQ(st.PROJEKT, pfade().projekt.section('/', -1));
    EXPECT_EQ(QDir(st.PROJEKTSPFAD).canonicalPath(), QDir(pfade().projekte).canonicalPath());
    EXPECT_EQ(st.BEARBEITER, standard().bearbeiter);
    EXPECT_EQ(st.SPRACHE, 3);
    EXPECT_EQ(st.DEZIMALPUNKT, ",");
    EXPECT_FALSE(st.BOAENDERUNG);
    EXPECT_EQ(boxen().count(), 0);

    // Status line: project folder, project, program, active record.
    EXPECT_EQ(w.stbMAIN->text(1), frmMAIN::kuerzeProjektspfad(st.PROJEKTSPFAD, '/') + "/");
    EXPECT_EQ(w.stbMAIN->toolTip(1), st.PROJEKTSPFAD);
    EXPECT_EQ(w.stbMAIN->text(2), st.PROJEKT);
    EXPECT_EQ(w.stbMAIN->toolTip(2), st.BEARBEITER);
    EXPECT_EQ(w.stbMAIN->text(4), "KAVELOR");
    EXPECT_EQ(w.stbMAIN->toolTip(4), KAVELOR_PRODUCT);
    auto aktiv = ShellTest::kennungen(*st.cnnX, "[AKT]=true");
    ASSERT_EQ(aktiv.size(), 1);
    EXPECT_EQ(w.stbMAIN->text(6), aktiv.first());
    for (int i = 1; i <= 7; ++i)
        EXPECT_TRUE(w.stbMAIN->isPanelVisible(i)) << i;
    for (int i = 8; i <= 15; ++i)
        EXPECT_FALSE(w.stbMAIN->isPanelVisible(i)) << i;

    // Main window and start screen shown, the progress bar hidden.
    EXPECT_FALSE(w.isHidden());
    EXPECT_EQ(w.windowTitle(), "TORVENA");
    ASSERT_NE(w.autostart(), nullptr);
    EXPECT_FALSE(w.autostartFenster()->isHidden());
    EXPECT_TRUE(w.autostart()->pgbBERECHNEN->isHidden());
    // The progress hooks reach the bar.
    st.setFortschrittSichtbar(true);
    st.setFortschritt(40);
    EXPECT_FALSE(w.autostart()->pgbBERECHNEN->isHidden());
    EXPECT_EQ(w.autostart()->pgbBERECHNEN->value(), 40);

    // Menu tree: hidden items hidden, the Extras menu shows only the compaction.
    EXPECT_EQ(w.mnuDATEI->title(), "&Datei");
    EXPECT_FALSE(w.mnuEINGABEGRAFIK->isVisible());
    EXPECT_FALSE(w.mnuMBERECHNEN->isVisible());
    EXPECT_FALSE(w.mnuFBERECHNEN->isVisible());
    EXPECT_TRUE(w.mnuBERECHNEN->isVisible());
    int sichtbar = 0;
    for (QAction* a : w.mnuEXTRAS->actions())
        sichtbar += a->isVisible() ? 1 : 0;
    EXPECT_EQ(sichtbar, 2);   // separator and Komprimieren

    // The main window opens over most of the screen, centred on it.
    ASSERT_NE(w.screen(), nullptr);
    const QRect frei = w.screen()->availableGeometry();
    EXPECT_TRUE(frei.contains(w.geometry())) << w.geometry().x() << "," << w.geometry().y();
    EXPECT_GE(w.width(), frei.width() * 8 / 10);
    EXPECT_GE(w.height(), frei.height() * 8 / 10);
    EXPECT_LE(std::abs(w.geometry().center().x() - frei.center().x()), 2);
    EXPECT_LE(std::abs(w.geometry().center().y() - frei.center().y()), 2);
}

TEST_F(ShellTest, FatalMessagesEndTheProgramAndLeaveTheHandOverAlone)
{
    const struct {
        const char* fall;
        std::function<void(ShellTest&)> vorbereiten;
        QString text;
    } faelle[] = {
        {"no hand-over row",
         [](ShellTest& t) { vb::setUserNameOverride("NIEMAND"); (void)t; },
         QString::fromUtf8("Programm KAVELOR kann nur über das Rahmenprogramm ausgeführt werden!")},
        {"project folder missing",
         [](ShellTest& t) { QDir(t.pfade().projekt).removeRecursively(); },
         "Projektsverzeichnis " + standard().projekt + " existiert nicht!"},
        {"template missing",
         [](ShellTest& t) { QFile::remove(t.pfade().vorlage); },
         QString::fromUtf8("Die leere Datenbank KAVELOR.mdb existiert nicht!\r\nTORVENA muß neu installiert werden!")},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        baue(standard(), QStringLiteral("suite%1").arg(n++));
        f.vorbereiten(*this);
        const QStringList vorher = adminZeilen();
        starte();
        EXPECT_FALSE(gestartet());
        EXPECT_TRUE(m_main->programmBeendet());
        EXPECT_TRUE(m_main->isHidden());
        ASSERT_EQ(boxen().count(), 1);
        EXPECT_EQ(boxen().last().text, f.text);
        EXPECT_EQ(boxen().last().title, "KAVELOR");
        EXPECT_EQ(boxen().last().icon, vb::Warning);
        EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKOnly);
        EXPECT_EQ(adminZeilen(), vorher);
        EXPECT_FALSE(QFileInfo::exists(arbeitskopie()));
    }
}

TEST_F(ShellTest, EnglishMessagesAndCaptionsFollowTheLocale)
{
    const struct {
        const char* locale;
        int sprache;
        const char* datei;
        const char* panel15;
        const char* tip8;
        const char* dezimal;
    } faelle[] = {
        {"en_US", 1, "&File", "Close", "Save input-data", "."},
        {"fr_FR", 3, "&Datei", "Schließen", "Eingabedaten speichern", ","},
        {"de_DE", 3, "&Datei", "Schließen", "Eingabedaten speichern", ","},
    };
    int n = 0;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.locale);
        sprache(f.locale);
        baue(standard(), QStringLiteral("suite%1").arg(n++));
        frmMAIN& w = starte();
        ASSERT_TRUE(gestartet());
        EXPECT_EQ(db::sharedState().SPRACHE, f.sprache);
        EXPECT_EQ(db::sharedState().DEZIMALPUNKT, f.dezimal);
        EXPECT_EQ(w.mnuDATEI->title(), QString::fromUtf8(f.datei));
        EXPECT_EQ(w.stbMAIN->text(15), QString::fromUtf8(f.panel15));
        EXPECT_EQ(w.stbMAIN->toolTip(8), QString::fromUtf8(f.tip8));
        EXPECT_EQ(w.stbMAIN->text(8), "OK");
        // Items without an English caption keep the German one.
        EXPECT_EQ(w.mnuEXPIMP->text(), "&Export-Import");
        EXPECT_EQ(w.mnuINFO->text(), "&Info");
        if (f.sprache == 1) {
            EXPECT_EQ(w.mnuNEUBERECHNEN->text(), "Calculate &First");
            EXPECT_EQ(w.mnuKOMPRIMIEREN->text(), "Compact Database");
            EXPECT_EQ(w.autostart()->lblVERSION->text(), "Version August 2002");
            EXPECT_TRUE(w.autostart()->lblKOPF[3]->text().startsWith("Phone: "));
        } else {
            EXPECT_EQ(w.mnuNEUBERECHNEN->text(), "&Neuberechnen");
            EXPECT_TRUE(w.autostart()->lblKOPF[3]->text().startsWith("Telefon: "));
        }
    }
    // The no-hand-over message in English.
    sprache("en_US");
    baue(standard(), "suite-en");
    vb::setUserNameOverride("NIEMAND");
    starte();
    EXPECT_FALSE(gestartet());
    EXPECT_EQ(boxen().last().text, "Program KAVELOR can used only via the frame program!");
}

TEST_F(ShellTest, CrashQuestionKeepsOrReplacesTheWorkingCopy)
{
    for (const int antwort : {vb::vbYes, vb::vbNo}) {
        SCOPED_TRACE(antwort == vb::vbYes ? "Yes" : "No");
        baue(standard(), antwort == vb::vbYes ? "ja" : "nein");
        // A working copy left by an interrupted run, with a record entered then.
        zurueckgelasseneKopie(pfade().projektDb, standard().projekt);
        {
            auto c = db::Connection::open(arbeitskopie());
            c->execute("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (?,?,?)",
                       {vb::Variant(900), vb::Variant("UNTERBROCHEN"), vb::Variant(false)});
        }
        boxen().answerMessage(antwort);
        starte();
        ASSERT_TRUE(gestartet());
        ASSERT_GE(boxen().count(), 1);
        const DialogRecord frage = boxen().records().front();
        EXPECT_EQ(frage.text, QString::fromUtf8("Programm wurde während der Ausführung unterbrochen!\r\n"
                                                "Soll die bis zum Abbruch vorhandenen Daten gepeichert werden?"));
        EXPECT_EQ(frage.buttons, vb::MsgButtons::YesNo);
        EXPECT_EQ(frage.icon, vb::MsgIcon::Question);
        const QStringList alle = ShellTest::kennungen(*db::sharedState().cnnX);
        EXPECT_EQ(alle.contains("UNTERBROCHEN"), antwort == vb::vbYes);
        // The kept data count as unsaved, so closing asks before dropping them.
        EXPECT_EQ(db::sharedState().BOAENDERUNG, antwort == vb::vbYes);
    }
}

TEST_F(ShellTest, WorkingCopyThatCannotBeMadeEndsTheStartCleanly)
{
    baue();
    const QStringList vorher = adminZeilen();
    QFile::remove(pfade().projektDb);   // nothing to copy
    starte();
    EXPECT_FALSE(gestartet());
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_TRUE(boxen().last().text.startsWith("VB-Error: 53\n")) << boxen().last().text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(arbeitskopie()));
    EXPECT_FALSE(QFileInfo::exists(pfade().projektDb));
    EXPECT_EQ(adminZeilen(), vorher);
    EXPECT_FALSE(db::sharedState().cnnX);
}

TEST_F(ShellTest, CancelInAStartUpErrorEndsAndLeavesTheHandOverAlone)
{
    baue();
    const QStringList vorher = adminZeilen();
    // A record table without its comment column: the status line cannot be filled.
    db::Connection::open(pfade().projektDb)->execute("ALTER TABLE [E1] DROP COLUMN [KOM]");
    boxen().answerMessage(vb::vbCancel);
    starte();
    EXPECT_FALSE(gestartet());
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_TRUE(boxen().last().text.startsWith("VB-Error: ")) << boxen().last().text.toStdString();
    EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKCancel);
    EXPECT_TRUE(m_main->programmBeendet());
    EXPECT_TRUE(m_main->isHidden());
    EXPECT_EQ(adminZeilen(), vorher);
    EXPECT_FALSE(db::sharedState().cnnX);
}

TEST_F(ShellTest, UserNameIsBoundInTheHandOverQuery)
{
    suite::Optionen o = standard();
    o.benutzer = "O'BRIEN";
    baue(o);
    vb::setUserNameOverride("O'BRIEN");
    starte();
    ASSERT_TRUE(gestartet());
    EXPECT_EQ(boxen().count(), 0);
    EXPECT_TRUE(QFileInfo::exists(pfade().wurzel + "/BENUTZER/O'BRIEN/KAVELOR.mdb"));
}

TEST_F(ShellTest, DevelopmentModeWorksWithoutFrameProgram)
{
    // A program folder whose path contains "source" in any letter case; the
    // settings still name a complete suite, which must stay untouched.
    baue(standard(), "Work/SoUrCe");
    const QString wurzel = pfade().wurzel;
    ASSERT_TRUE(QDir().mkpath(wurzel + "/TE0000.00"));
    suite::projektDatenbank(wurzel + "/TE0000.00/KAVELOR.mdb");
    const QStringList adminVorher = adminZeilen();
    frmMAIN& w = starte();
    ASSERT_TRUE(gestartet());
    auto& st = db::sharedState();
    EXPECT_EQ(st.PROJEKT, "TE0000.00");
    EXPECT_EQ(QDir(st.PROJEKTSPFAD).canonicalPath(), QDir(wurzel).canonicalPath());
    EXPECT_EQ(st.BEARBEITER, "TESTER");
    EXPECT_FALSE(st.cnnX_V);
    EXPECT_EQ(w.stbMAIN->text(2), "TE0000.00");
    EXPECT_TRUE(QFileInfo::exists(arbeitskopie()));
    EXPECT_EQ(adminZeilen(), adminVorher);

    // Saving writes to TE0000.00; closing deletes the working copy and
    // touches no hand-over table.
    st.cnnX->execute("UPDATE [E1] SET [KOM]=?", {vb::Variant("geändert")});
    EXPECT_TRUE(w.mnuSPEICHERN_Click());
    {
        auto p = db::Connection::open(wurzel + "/TE0000.00/KAVELOR.mdb");
        auto rs = p->openRecordset("SELECT [KOM] FROM [E1]");
        ASSERT_FALSE(rs->eof());
        EXPECT_EQ(rs->field(0).toQVariant().toString(), QString::fromUtf8("geändert"));
    }
    EXPECT_EQ(kennungenDatei(pfade().projektDb), kennungenDatei(wurzel + "/TE0000.00/KAVELOR.mdb"));
    w.mnuBEENDEN_Click();
    EXPECT_EQ(boxen().count(), 0);
    EXPECT_FALSE(QFileInfo::exists(arbeitskopie()));
    EXPECT_TRUE(dienste().processes.started.empty());
    EXPECT_EQ(adminZeilen(), adminVorher);
}

TEST_F(ShellTest, UnreachableArchiveIsReportedStepByStepThenEnds)
{
    baue();
    vb::saveDatabaseFolderSetting(m_tmp->path() + "/gibt-es-nicht");
    const QStringList vorher = adminZeilen();
    starte();
    EXPECT_FALSE(gestartet());
    const auto boxen_ = boxen().records();
    // Archive, presets, the hand-over query and its test each show the
    // error box; OK on the failed test leads to the no-hand-over message.
    ASSERT_EQ(boxen_.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(boxen_[i].text.startsWith("VB-Error: ")) << i;
        EXPECT_EQ(boxen_[i].title, "KAVELOR");
        EXPECT_EQ(boxen_[i].buttons, vb::MsgButtons::OKCancel);
    }
    EXPECT_EQ(boxen_[4].text, QString::fromUtf8("Programm KAVELOR kann nur über das Rahmenprogramm ausgeführt werden!"));
    EXPECT_EQ(adminZeilen(), vorher);
}

TEST(ShellStatus, ProjectFolderIsShortenedAtFolderBoundaries)
{
    const struct {
        const char* pfad;
        char trenner;
        const char* erwartet;
    } faelle[] = {
        {"C:\\Projekte", '\\', "C:\\Projekte"},
        {"C:\\Projekte\\Baugrund", '\\', "C:\\Projekte\\Baugrund"},               // 20 characters
        {"D:\\Daten\\Projekte\\Grundbau", '\\', " ... \\Projekte\\Grundbau"},
        {"/home/meier/suite/PROJEKTE", '/', " ... /suite/PROJEKTE"},
        // The last folder name alone is longer than 20 characters: shown as it is.
        {"/home/user/averyveryverylongprojectsfolder", '/', " ... /averyveryverylongprojectsfolder"},
        {"Projektverzeichnis_ohne_Trenner", '/', " ... rojektverzeichnis_ohne_Trenner"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(frmMAIN::kuerzeProjektspfad(QString::fromUtf8(f.pfad), QLatin1Char(f.trenner)),
                  QString::fromUtf8(f.erwartet))
            << f.pfad;
}

TEST_F(ShellTest, RecordPanelShowsTheActiveRecords)
{
    baue();
    frmMAIN& w = starte();
    ASSERT_TRUE(gestartet());
    auto& c = *db::sharedState().cnnX;
    c.execute("DELETE FROM [E1]");
    const struct {
        QStringList zeilen;   // KEN:KOM (KOM "-" = Null), all active
        const char* text;
        const char* tip;
    } faelle[] = {
        {{}, "-", ""},
        {{"B7:-"}, "B7", ""},
        {{"B7:Kernbohrung"}, "B7", "Kernbohrung"},
        {{"B3:x", "B1:y", "B2:-"}, "B1,...", "B1, B2, B3"},
    };
    for (const auto& f : faelle) {
        c.execute("DELETE FROM [E1]");
        int id = 1;
        for (const QString& z : f.zeilen) {
            const QString kom = z.section(':', 1);
            c.execute("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (?,?,?,?)",
                      {vb::Variant(id++), vb::Variant(z.section(':', 0, 0)),
                       kom == "-" ? vb::Variant::null() : vb::Variant(kom), vb::Variant(true)});
        }
        c.execute("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (99,'ZZ',0)");
        w.DATENSATZANZEIGE();
        EXPECT_EQ(w.stbMAIN->text(6), f.text);
        EXPECT_EQ(w.stbMAIN->toolTip(6), f.tip);
    }
}

TEST(ShellInfo, DevelopersLineIsCutAfterACommaPastFifty)
{
    const QString kurz = "A. Muster, B. Beispiel";
    const QString ohneKomma = QString(60, 'x');
    const QString lang = QString(48, 'a') + ", Bertram, Carola, Dieter";   // commas at 49 and 58
    EXPECT_EQ(frmINFO::entwicklerZeile(kurz), kurz);
    EXPECT_EQ(frmINFO::entwicklerZeile(ohneKomma), ohneKomma);
    EXPECT_EQ(frmINFO::entwicklerZeile(lang), QString(48, 'a') + ", Bertram, ...");
    const QString genau50 = QString(49, 'a') + ", Rest der Liste";   // comma at 50
    EXPECT_EQ(frmINFO::entwicklerZeile(genau50), QString(49, 'a') + ", ...");
}

TEST_F(ShellTest, AboutBoxAndStartScreenShowTheirTexts)
{
    sprache("en_US");
    baue();
    frmMAIN& w = starte();
    ASSERT_TRUE(gestartet());
    mdiAUTOSTART* s = w.autostart();
    EXPECT_EQ(s->lblTITEL->text(), "KAVELOR");
    EXPECT_EQ(s->lblUNTERTITEL->text(), "");
    EXPECT_TRUE(s->lblKOPF[2]->text().startsWith("Head of Found.: "));
    // Progress bar: 200 twips from the left, three bar heights above the version.
    EXPECT_EQ(s->pgbBERECHNEN->x(), s->twips(200));
    EXPECT_EQ(s->pgbBERECHNEN->y(), s->lblVERSION->y() - 3 * s->pgbBERECHNEN->height());

    bool gezeigt = false;
    frmMAIN::setModalDriver([&](QDialog& d) {
        auto* info = qobject_cast<frmINFO*>(&d);
        ASSERT_NE(info, nullptr);
        gezeigt = true;
        EXPECT_EQ(info->windowTitle(), "Info of KAVELOR");
        EXPECT_EQ(info->lblINFO[0]->text(), "TORVENA");
        EXPECT_EQ(info->lblINFO[1]->text(), "KAVELOR");
        EXPECT_EQ(info->lblINFO[3]->text(), "(KAVELOR.exe)");
        EXPECT_EQ(info->lblINFO[4]->text(), "Version August 2002");
        EXPECT_EQ(info->lblINFO[6]->text(), QString("Program developed by: ") + KAVELOR_DEVELOPERS);
        EXPECT_TRUE(info->lblGEO[4]->text().startsWith("Phone: "));
        EXPECT_TRUE(info->lblGEO[5]->text().startsWith("Fax: "));
        EXPECT_EQ(info->cmdSCHLIESSEN->text(), "Done");
        info->cmdSCHLIESSEN->click();
    });
    w.mnuINFO_Click();
    EXPECT_TRUE(gezeigt);
    EXPECT_EQ(boxen().count(), 0);
}
