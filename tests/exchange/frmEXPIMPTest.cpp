// Copying records between the working copy and another project database.
#include "AustauschFixture.h"

#include "database/SharedState.h"
#include "exchange/OrdnerListe.h"
#include "exchange/frmEXPIMP.h"
#include "platform/StepRunner.h"
#include "../common/HeissesJournal.h"
#include "../common/Schreibschutz.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

namespace {

class ExpImpTest : public AustauschDialogTest<frmEXPIMP>
{
public:
    // The dialog with the earlier demo project as partner.
    frmEXPIMP& mitFruehererm()
    {
        frmEXPIMP& d = dialog();
        d.dirEXP->setPath(frueher());
        return d;
    }
    QString frueher() const { return QFileInfo(pfade().frueheresProjektDb).absolutePath(); }
    std::shared_ptr<db::Connection> partner() { return db::Connection::open(pfade().frueheresProjektDb); }
};

TEST_F(ExpImpTest, ListsShowIdentifierAndCommentAndLeaveOutMarkersAndNullIdentifiers)
{
    struct Fall {
        const char* name;
        std::vector<std::pair<vb::Variant, vb::Variant>> e1;  // KEN, KOM
        QStringList liste;
    };
    const vb::Variant null = vb::Variant::null();
    const std::vector<Fall> faelle = {
        {"gemischt",
         {{vb::Variant("B 2"), vb::Variant("Zulauf")}, {vb::Variant("M"), vb::Variant("Marke")},
          {null, vb::Variant("ohne Kennung")}, {vb::Variant("A 1"), null}},
         {"A 1 ()", "B 2 (Zulauf)"}},
        {"nur Marke", {{vb::Variant("M"), null}}, {"<leer>"}},
        {"leer", {}, {"<leer>"}},
    };
    frmEXPIMP& d = dialog();
    for (const Fall& f : faelle) {
        const QString ordner = leeresProjekt(QString::fromLatin1(f.name));
        auto c = db::Connection::open(ordner + QStringLiteral("/KAVELOR.mdb"));
        int id = 1;
        for (const auto& [ken, kom] : f.e1)
            c->execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[KOM]) VALUES (?,?,?)"),
                       {vb::Variant(id++), ken, kom});
        c->close();
        d.dirEXP->setPath(ordner);
        EXPECT_EQ(texte(d.lstEXP), f.liste) << f.name;
    }
    // The current project's list, by identifier.
    EXPECT_EQ(texte(d.lstIMP),
              QStringList({"BK 3/26 (Tiefbohrung Pfeiler Achse 15, Erkundung Tertiär)",
                           "Brunnen 'Am Anger' (Förderbrunnen, Ausbau DN 150 'PVC')",
                           "KB 1 (Kernbohrung Widerlager Achse 10)", "KB 2 (Kernbohrung Widerlager Achse 20)",
                           "RKS 4 ()"}));
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(ExpImpTest, ExportedRecordArrivesWholeUnderTheTargetsNextKey)
{
    // Five layers, no casing rows, an identifier with apostrophes.
    const QString ken = QStringLiteral("Brunnen 'Am Anger'");
    const int32_t k = schluessel(cnnX(), ken);
    cnnX().execute(QStringLiteral("DELETE FROM [E7] WHERE [ID]=?"), {vb::Variant(k)});

    frmEXPIMP& d = mitFruehererm();
    frmEXPIMP::waehle(d.lstIMP, {QStringLiteral("Brunnen 'Am Anger' (Förderbrunnen, Ausbau DN 150 'PVC')")});
    d.cmdEXP->click();
    EXPECT_EQ(boxen().count(), 0);

    auto c = partner();
    EXPECT_EQ(kennungen(*c), QStringList({"KB 1", "B 1", "B 2", ken}));
    const int32_t n = schluessel(*c, ken);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(zeilen(*c, QStringLiteral("E2"), n).size(), 5u);
    EXPECT_TRUE(zeilen(*c, QStringLiteral("E7"), n).empty());
    for (const QString& t : frmEXPIMP::TABELLEN())
        EXPECT_EQ(zeilen(*c, t, n), zeilen(cnnX(), t, k)) << t.toStdString();
    // The external list is rebuilt.
    EXPECT_TRUE(texte(d.lstEXP).contains(QStringLiteral("Brunnen 'Am Anger' (Förderbrunnen, Ausbau DN 150 'PVC')")));
}

TEST_F(ExpImpTest, ARecordAlreadyInTheTargetIsSkippedOrEndsTheTransfer)
{
    struct Fall {
        int antwort;
        QStringList danach;
    };
    for (const Fall& f : {Fall{vb::vbOK, {"KB 1", "B 1", "B 2", "KB 2"}}, Fall{vb::vbCancel, {"KB 1", "B 1", "B 2"}}}) {
        SetUp();
        boxen().answerMessage(f.antwort);
        frmEXPIMP& d = mitFruehererm();
        frmEXPIMP::waehle(d.lstIMP, {QStringLiteral("KB 1 (Kernbohrung Widerlager Achse 10)"),
                                     QStringLiteral("KB 2 (Kernbohrung Widerlager Achse 20)")});
        d.cmdEXP->click();
        ASSERT_EQ(boxen().count(), 1);
        const vb::DialogRecord& box = boxen().last();
        EXPECT_EQ(box.text, QStringLiteral("Datensatz KB 1 ist bereits vorhanden!"));
        EXPECT_EQ(box.buttons, vb::MsgButtons::OKCancel);
        EXPECT_EQ(box.icon, vb::MsgIcon::Exclamation);
        auto c = partner();
        EXPECT_EQ(kennungen(*c), f.danach);
        // The earlier project's own KB 1 is untouched.
        EXPECT_EQ(zeilen(*c, QStringLiteral("E2"), 1).size(), 4u);
        m_dlg.reset();
        TearDown();
    }
}

TEST_F(ExpImpTest, KeysStartAtOneAndRowsLeftUnderTheNewKeyAreReplaced)
{
    frmEXPIMP& d = dialog();
    // An empty target: the first record gets key 1.
    const QString leer = leeresProjekt(QStringLiteral("TE2027.01"));
    d.dirEXP->setPath(leer);
    frmEXPIMP::waehle(d.lstIMP, {QStringLiteral("KB 2 (Kernbohrung Widerlager Achse 20)")});
    d.cmdEXP->click();
    auto c = db::Connection::open(leer + QStringLiteral("/KAVELOR.mdb"));
    EXPECT_EQ(schluessel(*c, QStringLiteral("KB 2")), 1);

    // Rows of a deleted record under the key the next copy receives.
    c->execute(QStringLiteral("INSERT INTO [E2] ([ID],[I1],[TUKS]) VALUES (2,0,99)"));
    c->execute(QStringLiteral("INSERT INTO [E2] ([ID],[I1],[TUKS]) VALUES (2,1,98)"));
    c->execute(QStringLiteral("INSERT INTO [G0] ([ID],[IDOBJEKT]) VALUES (2,11)"));
    c->execute(QStringLiteral("INSERT INTO [E7] ([ID],[VTV]) VALUES (2,5)"));
    frmEXPIMP::waehle(d.lstIMP, {QStringLiteral("RKS 4 ()")});
    d.cmdEXP->click();
    const int32_t k = schluessel(cnnX(), QStringLiteral("RKS 4"));
    EXPECT_EQ(schluessel(*c, QStringLiteral("RKS 4")), 2);
    for (const QString& t : frmEXPIMP::TABELLEN())
        EXPECT_EQ(zeilen(*c, t, 2), zeilen(cnnX(), t, k)) << t.toStdString();
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(ExpImpTest, ThePlaceholderOfAnEmptyListCopiesNothing)
{
    frmEXPIMP& d = dialog();
    d.dirEXP->setPath(leeresProjekt(QStringLiteral("TE2027.02")));
    ASSERT_EQ(texte(d.lstEXP), QStringList({"<leer>"}));
    const QStringList vorher = kennungen(cnnX());
    d.lstEXP->item(0)->setSelected(true);
    d.cmdIMP->click();
    EXPECT_EQ(kennungen(cnnX()), vorher);
    EXPECT_EQ(zeilen(cnnX(), QStringLiteral("E2"), 0).size(), 0u);
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(ExpImpTest, AFailureInsideARecordLeavesNoneOfItAndOkGoesOnWithTheNext)
{
    struct Fall {
        int antwort;
        QStringList danach;
    };
    // KB 2 has pressuremeter rows, whose insert the target refuses; RKS 4 has none.
    for (const Fall& f : {Fall{vb::vbOK, {"KB 1", "B 1", "B 2", "RKS 4"}}, Fall{vb::vbCancel, {"KB 1", "B 1", "B 2"}}}) {
        SetUp();
        auto c = partner();
        c->execute(QStringLiteral("CREATE TRIGGER voll BEFORE INSERT ON E10 BEGIN SELECT RAISE(ABORT, 'Datenträger voll'); END"));
        boxen().answerMessage(f.antwort);
        frmEXPIMP& d = mitFruehererm();
        frmEXPIMP::waehle(d.lstIMP, {QStringLiteral("KB 2 (Kernbohrung Widerlager Achse 20)"), QStringLiteral("RKS 4 ()")});
        d.cmdEXP->click();
        ASSERT_EQ(boxen().count(), 1);
        EXPECT_TRUE(boxen().last().text.startsWith(QStringLiteral("VB-Error: "))) << boxen().last().text.toStdString();
        EXPECT_EQ(boxen().last().title, QStringLiteral("Export/Import"));
        EXPECT_EQ(boxen().last().icon, vb::MsgIcon::None);
        EXPECT_EQ(kennungen(*c), f.danach);
        // Nothing of KB 2: key 4 holds RKS 4 (after OK) or nothing, key 5 nothing.
        const int32_t rks = schluessel(cnnX(), QStringLiteral("RKS 4"));
        for (const QString& t : frmEXPIMP::TABELLEN()) {
            const auto erwartet = f.antwort == vb::vbOK ? zeilen(cnnX(), t, rks) : std::vector<std::vector<vb::Variant>>{};
            EXPECT_EQ(zeilen(*c, t, 4), erwartet) << t.toStdString();
            EXPECT_TRUE(zeilen(*c, t, 5).empty()) << t.toStdString();
        }
        c->close();
        m_dlg.reset();
        TearDown();
    }
}

TEST_F(ExpImpTest, TheFrameNamesTheFolderWithoutItsSuffixInTheUsersLanguage)
{
    struct Fall {
        short sprache;
        const char* vorher;
        const char* nachher;
        const char* aktuell;
    };
    for (const Fall& f : {Fall{3, "Externes Projekt", "Projekt TE2025", "Aktuelles Projekt: TE2026.01"},
                          Fall{1, "External Project", "Project TE2025", "Selected Projekt: TE2026.01"}}) {
        db::sharedState().SPRACHE = f.sprache;
        frmEXPIMP& d = dialog();
        EXPECT_EQ(d.fraEXP->title(), QString::fromLatin1(f.vorher));
        EXPECT_EQ(d.fraIMP->title(), QString::fromLatin1(f.aktuell));
        d.dirEXP->setPath(frueher());
        EXPECT_EQ(d.fraEXP->title(), QString::fromLatin1(f.nachher));
    }
}

TEST_F(ExpImpTest, FoldersThatCannotBePartnersKeepTheEarlierPartner)
{
    frmEXPIMP& d = mitFruehererm();
    const auto partnerVorher = d.cnnEXP();
    ASSERT_TRUE(partnerVorher);

    struct Fall {
        const char* name;
        std::function<QString()> ordner;
        bool meldung;
    };
    const std::vector<Fall> faelle = {
        {"Ordner der Arbeitskopie", [&] { return QFileInfo(m_env->arbeitskopie()).absolutePath(); }, false},
        {"ohne Datenbank", [&] {
             QDir().mkpath(pfade().projekte + QStringLiteral("/Leer"));
             return pfade().projekte + QStringLiteral("/Leer");
         }, false},
        {"keine Datenbank", [&] {
             const QString o = pfade().projekte + QStringLiteral("/Kaputt");
             QDir().mkpath(o);
             QFile f(o + QStringLiteral("/KAVELOR.mdb"));
             f.open(QIODevice::WriteOnly);
             f.write(QByteArray(4096, 'x'));
             return o;
         }, true},
        {"andere Spalten", [&] {
             const QString o = leeresProjekt(QStringLiteral("Alt"));
             auto c = db::Connection::open(o + QStringLiteral("/KAVELOR.mdb"));
             c->execute(QStringLiteral("ALTER TABLE E4 ADD COLUMN XY FLOAT"));
             c->close();
             return o;
         }, true},
    };
    for (const Fall& f : faelle) {
        boxen().clear();
        d.dirEXP->setPath(f.ordner());
        EXPECT_TRUE(d.lstEXP->count() == 0) << f.name;
        EXPECT_EQ(d.cnnEXP(), partnerVorher) << f.name;
        EXPECT_TRUE(d.cnnEXP()->isOpen()) << f.name;
        EXPECT_EQ(d.fraEXP->title(), QStringLiteral("Projekt TE2025")) << f.name;
        EXPECT_EQ(boxen().count(), f.meldung ? 1 : 0) << f.name;
    }
    // An export still goes to the earlier partner, whose list shows again.
    frmEXPIMP::waehle(d.lstIMP, {QStringLiteral("KB 2 (Kernbohrung Widerlager Achse 20)")});
    d.cmdEXP->click();
    EXPECT_EQ(kennungen(*partner()), QStringList({"KB 1", "B 1", "B 2", "KB 2"}));
    EXPECT_EQ(d.lstEXP->count(), 4);
}

// A partner whose last write was cut off by a kill opens with every record
// it committed. Where the user may not write its folder, the box names the
// file and the cause, and the partner is left as it is.
TEST_F(ExpImpTest, APartnerLeftInMidWriteOpensWithItsCommittedRecords)
{
    const QString datei = pfade().frueheresProjektDb;
    const QString ordner = frueher();
    testhilfe::heissesJournal(datei, "INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (809,'GESICHERT','k',0)",
                              "UPDATE [E1] SET [KEN]='UNFERTIG'", "SELECT 1 FROM [E1] WHERE [KEN]='UNFERTIG'");
    const QByteArray vorher = [&] {
        QFile f(datei);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    for (const bool geschuetzt : {true, false}) {
        SCOPED_TRACE(geschuetzt ? "folder write-protected" : "folder writable");
        boxen().clear();
        if (geschuetzt && !schreibschutz(ordner, true)) {
            ADD_FAILURE() << "no write protection available";
            continue;
        }
        frmEXPIMP& d = dialog();
        d.dirEXP->setPath(ordner);
        if (geschuetzt) {
            schreibschutz(ordner, false);
            EXPECT_FALSE(d.cnnEXP());
            EXPECT_EQ(d.lstEXP->count(), 0);
            ASSERT_EQ(boxen().count(), 1);
            EXPECT_EQ(boxen().last().text,
                      "Die Projektdatenbank " + QDir::toNativeSeparators(datei) + " kann nicht verwendet werden!\n"
                          + "Das Schreiben in die Datenbank " + datei + " wurde unterbrochen.\r\nNur ein Benutzer, "
                          + "der die Datei und ihren Ordner " + ordner + " schreiben darf, kann es zurücknehmen.");
            QFile f(datei);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), vorher);
            EXPECT_TRUE(QFileInfo::exists(datei + "-journal"));
            continue;
        }
        EXPECT_EQ(boxen().count(), 0);
        ASSERT_TRUE(d.cnnEXP());
        EXPECT_EQ(kennungen(*d.cnnEXP()), QStringList({"KB 1", "B 1", "B 2", "GESICHERT"}));
        EXPECT_FALSE(QFileInfo::exists(datei + "-journal"));
    }
}

TEST_F(ExpImpTest, TheWorkingCopysFolderIsNeverOpened)
{
    frmEXPIMP& d = dialog();
    d.dirEXP->setPath(QFileInfo(m_env->arbeitskopie()).absolutePath());
    EXPECT_EQ(d.lstEXP->count(), 0);
    EXPECT_FALSE(d.cnnEXP());
    EXPECT_FALSE(d.BOEXTERN());
    // Without a partner, an export reports once and writes nothing.
    frmEXPIMP::waehle(d.lstIMP, {QStringLiteral("KB 2 (Kernbohrung Widerlager Achse 20)")});
    const QStringList vorher = kennungen(cnnX());
    d.cmdEXP->click();
    EXPECT_EQ(boxen().count(), 1);
    EXPECT_EQ(kennungen(cnnX()), vorher);
}

TEST_F(ExpImpTest, ClosingAnswersOkOnlyAfterAPartnerWasOpenedOrAnImport)
{
    struct Fall {
        const char* name;
        std::function<void(frmEXPIMP&)> tun;
        QString tag;
    };
    const std::vector<Fall> faelle = {
        {"nur angesehen", [](frmEXPIMP&) {}, QString()},
        {"Ordner geöffnet", [&](frmEXPIMP& d) { d.dirEXP->setPath(frueher()); }, QStringLiteral("OK")},
        {"importiert", [&](frmEXPIMP& d) {
             d.dirEXP->setPath(frueher());
             frmEXPIMP::waehle(d.lstEXP, {QStringLiteral("B 2 (Zulaufgerinne)")});
             d.cmdIMP->click();
             EXPECT_TRUE(texte(d.lstIMP).contains(QStringLiteral("B 2 (Zulaufgerinne)")));
             EXPECT_EQ(schluessel(cnnX(), QStringLiteral("B 2")), 6);
         }, QStringLiteral("OK")},
    };
    for (const Fall& f : faelle) {
        db::sharedState().Tag.clear();
        frmEXPIMP& d = dialog();
        f.tun(d);
        d.cmdSCHLIESSEN->click();
        EXPECT_EQ(db::sharedState().Tag, f.tag) << f.name;
        EXPECT_FALSE(d.cnnEXP()) << f.name;
    }
}

} // namespace
