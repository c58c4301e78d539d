// Exporting a record of the working copy into the information system.
#include "AustauschFixture.h"

#include "database/SharedState.h"
#include "exchange/frmEXPINF.h"
#include "platform/VbRuntime.h"

#include <QDate>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

using vb::Variant;

void waehle(QListWidget* l, const QString& text)
{
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->text() == text)
            l->setCurrentRow(i);
}

// The information system's columns of E2 to E6, I1 first.
const std::map<QString, QStringList> kSpalten = {
    {"E2", {"I1", "TUKS", "HPTB1", "HPTB2", "NEBB", "RUND", "ZUST", "FARBE", "BEMS"}},
    {"E3", {"I1", "TGW", "GTYP", "GWDATUM"}},
    {"E4", {"I1", "TUKP", "GUETE", "HPK", "BEZ", "ENTVERF", "PF", "PS", "PG", "PPX", "PPY", "D04"}},
    {"E5", {"I1", "VTT", "MX", "SX"}},
    {"E6", {"I1", "VTS", "STYP", "N15", "N30"}},
};

// The named columns of a record's rows, ordered by I1.
std::vector<std::vector<Variant>> spalten(db::Connection& c, const QString& tabelle, int32_t id)
{
    const QStringList& namen = kSpalten.at(tabelle);
    auto rs = c.openRecordset(QStringLiteral("SELECT [") + namen.join(QStringLiteral("],[")) + QStringLiteral("] FROM [")
                                  + tabelle + QStringLiteral("] WHERE [ID]=? ORDER BY [I1]"),
                              {Variant(id)});
    std::vector<std::vector<Variant>> z;
    for (; !rs->eof(); rs->moveNext()) {
        std::vector<Variant> r;
        for (int i = 0; i < rs->fieldCount(); ++i)
            r.push_back(rs->field(i));
        z.push_back(r);
    }
    return z;
}

Variant feld(db::Connection& c, const QString& sql, const db::Params& p = {})
{
    auto rs = c.openRecordset(sql, p);
    return rs->eof() ? Variant() : rs->field(0);
}

class ExpInfTest : public AustauschDialogTest<frmEXPINF>
{
public:
    std::shared_ptr<db::Connection> inf() { return db::Connection::open(pfade().vestralin); }
    // Export the project record `ken`, answering the question with `antwort`.
    void exportiere(frmEXPINF& d, const QString& ken, int antwort = vb::vbYes)
    {
        waehle(d.lstPROJ, ken);
        boxen().answerMessage(antwort);
        d.cmdUEBERNEHMEN->click();
    }
};

TEST_F(ExpInfTest, ANewRecordTakesTheNextKeyOfAllProjectsWithItsHeaderAndRows)
{
    frmEXPINF& d = dialog();
    EXPECT_EQ(texte(d.lstPROJ), QStringList({"KB 1", "KB 2", "BK 3/26", "RKS 4", "Brunnen 'Am Anger'"}));
    // The earlier project's record is not listed, but its key counts.
    EXPECT_TRUE(texte(d.lstINF).isEmpty());
    EXPECT_FALSE(db::sharedState().fortschrittSichtbar());

    std::vector<int> fortschritte;
    db::sharedState().fortschrittHook = [&](int w) { fortschritte.push_back(w); };
    exportiere(d, QStringLiteral("KB 1"));
    db::sharedState().fortschrittHook = nullptr;
    EXPECT_EQ(fortschritte, std::vector<int>({0, 10, 20, 30, 50, 60, 80, 90, 100, 0}));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text, QStringLiteral("Neuen Datensatz anlegen ?"));
    EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::YesNo);
    EXPECT_EQ(texte(d.lstINF), QStringList({"KB 1"}));
    EXPECT_TRUE(d.lstINF->selectedItems().isEmpty());
    EXPECT_FALSE(db::sharedState().fortschrittSichtbar());
    EXPECT_EQ(db::sharedState().fortschritt(), 0);

    auto c = inf();
    auto e0 = c->openRecordset(QStringLiteral("SELECT [QART],[PROJ],[BEARBEITER],[DATUM] FROM [E0] WHERE [ID]=2"));
    ASSERT_EQ(e0->recordCount(), 1);
    EXPECT_EQ(e0->field(0), Variant(int16_t(0)));
    EXPECT_EQ(e0->field(1).text(), QStringLiteral("TE2026.01"));
    EXPECT_EQ(e0->field(2).text(), db::sharedState().BEARBEITER);
    EXPECT_EQ(e0->field(3).text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yy")));
    auto e1 = c->openRecordset(QStringLiteral("SELECT [KEN],[KOM],[RW],[HW],[H] FROM [E1] WHERE [ID]=2"));
    ASSERT_EQ(e1->recordCount(), 1);
    auto p1 = cnnX().openRecordset(QStringLiteral("SELECT [KEN],[KOM],[RW],[HW],[H] FROM [E1] WHERE [ID]=1"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(e1->field(i), p1->field(i)) << i;
    for (const auto& [t, namen] : kSpalten)
        EXPECT_EQ(spalten(*c, t, 2), spalten(cnnX(), t, 1)) << t.toStdString();
    EXPECT_EQ(spalten(*c, QStringLiteral("E2"), 2).size(), 8u);
    // The first record stays as it was.
    EXPECT_EQ(feld(*c, QStringLiteral("SELECT [KEN] FROM [E1] WHERE [ID]=1")).text(), QStringLiteral("B 1"));
    EXPECT_EQ(spalten(*c, QStringLiteral("E2"), 1).size(), 3u);
}

TEST_F(ExpInfTest, CoordinatesAndHeightTravelOnlyWithTheirFlags)
{
    struct Fall {
        bool optk, opth;
    };
    for (const Fall& f : {Fall{true, false}, Fall{false, true}, Fall{false, false}}) {
        SetUp();
        cnnX().execute(QStringLiteral("UPDATE [E1] SET [OPTK]=?,[OPTH]=? WHERE [KEN]='KB 2'"),
                       {Variant(f.optk), Variant(f.opth)});
        frmEXPINF& d = dialog();
        exportiere(d, QStringLiteral("KB 2"));
        auto c = inf();
        auto e1 = c->openRecordset(QStringLiteral("SELECT [RW],[HW],[H] FROM [E1] WHERE [ID]=2"));
        ASSERT_FALSE(e1->eof());
        EXPECT_EQ(e1->field(0).isNull(), !f.optk);
        EXPECT_EQ(e1->field(1).isNull(), !f.optk);
        EXPECT_EQ(e1->field(2).isNull(), !f.opth);
        if (f.optk) {
            EXPECT_DOUBLE_EQ(e1->field(0).number(), 4468161.08);
        }
        m_dlg.reset();
        TearDown();
    }
}

TEST_F(ExpInfTest, OverwritingKeepsTheHeaderAndReplacesTheRows)
{
    frmEXPINF& d = dialog();
    exportiere(d, QStringLiteral("KB 1"));
    // The record changes in the project: another comment and height, a
    // missing constituent, no samples left.
    cnnX().execute(QStringLiteral("UPDATE [E1] SET [KOM]='neu', [H]=1, [OPTK]=? WHERE [ID]=1"), {Variant(false)});
    cnnX().execute(QStringLiteral("UPDATE [E2] SET [NEBB]=NULL WHERE [ID]=1 AND [I1]=2"));
    cnnX().execute(QStringLiteral("DELETE FROM [E4] WHERE [ID]=1"));
    const QString e0 = abbild(pfade().vestralin).section(QStringLiteral("E1\n"), 0, 0);

    d.klickeINF(0);
    exportiere(d, QStringLiteral("KB 1"));
    EXPECT_EQ(boxen().last().text, QString::fromUtf8("Ausgewählten Datensatz überschreiben ?"));
    EXPECT_EQ(texte(d.lstINF), QStringList({"KB 1"}));

    auto c = inf();
    EXPECT_EQ(abbild(pfade().vestralin).section(QStringLiteral("E1\n"), 0, 0), e0);
    EXPECT_EQ(feld(*c, QStringLiteral("SELECT [KOM] FROM [E1] WHERE [ID]=2")).text(),
              QStringLiteral("Kernbohrung Widerlager Achse 10"));
    EXPECT_DOUBLE_EQ(feld(*c, QStringLiteral("SELECT [H] FROM [E1] WHERE [ID]=2")).number(), 1.0);
    EXPECT_DOUBLE_EQ(feld(*c, QStringLiteral("SELECT [RW] FROM [E1] WHERE [ID]=2")).number(), 4468123.45);
    EXPECT_TRUE(feld(*c, QStringLiteral("SELECT [NEBB] FROM [E2] WHERE [ID]=2 AND [I1]=2")).isNull());
    for (const auto& [t, namen] : kSpalten)
        EXPECT_EQ(spalten(*c, t, 2), spalten(cnnX(), t, 1)) << t.toStdString();
    EXPECT_TRUE(spalten(*c, QStringLiteral("E4"), 2).empty());
}

TEST_F(ExpInfTest, ASecondClickRemovesTheChoiceSoTheNextExportIsNew)
{
    frmEXPINF& d = dialog();
    exportiere(d, QStringLiteral("KB 1"));
    d.klickeINF(0);
    EXPECT_EQ(d.lstINF->selectedItems().size(), 1);
    d.klickeINF(0);
    EXPECT_TRUE(d.lstINF->selectedItems().isEmpty());
    exportiere(d, QStringLiteral("KB 2"));
    EXPECT_EQ(boxen().last().text, QStringLiteral("Neuen Datensatz anlegen ?"));
    EXPECT_EQ(texte(d.lstINF), QStringList({"KB 1", "KB 2"}));
    EXPECT_EQ(feld(*inf(), QStringLiteral("SELECT [KEN] FROM [E1] WHERE [ID]=3")).text(), QStringLiteral("KB 2"));
}

TEST_F(ExpInfTest, AnEmptyInformationSystemStartsAtKeyOne)
{
    {
        auto c = inf();
        for (const char* t : {"E0", "E1", "E2", "E3", "E4", "E5", "E6"})
            c->execute(QStringLiteral("DELETE FROM [%1]").arg(QLatin1String(t)));
    }
    frmEXPINF& d = dialog();
    exportiere(d, QStringLiteral("RKS 4"));
    auto c = inf();
    EXPECT_EQ(kennungen(*c), QStringList({"RKS 4"}));
    EXPECT_EQ(schluessel(*c, QStringLiteral("RKS 4")), 1);
    // RKS 4 is in local coordinates: neither RW/HW nor H travel.
    EXPECT_TRUE(feld(*c, QStringLiteral("SELECT [RW] FROM [E1]")).isNull());
}

TEST_F(ExpInfTest, MissingChoiceMissingDatabaseAndNoAnswerChangeNothing)
{
    const QString vorher = abbild(pfade().vestralin);
    struct Fall {
        const char* name;
        std::function<void(frmEXPINF&)> tun;
        QString meldung;
    };
    const QString fehlt = QStringLiteral("Auswahl eines Datensatzes des aktuellen Projektes fehlt !");
    const std::vector<Fall> faelle = {
        {"nichts gewählt", [](frmEXPINF& d) { d.cmdUEBERNEHMEN->click(); }, fehlt},
        {"Nein", [&](frmEXPINF& d) { exportiere(d, QStringLiteral("KB 1"), vb::vbNo); },
         QStringLiteral("Neuen Datensatz anlegen ?")},
    };
    for (const Fall& f : faelle) {
        boxen().clear();
        frmEXPINF& d = dialog();
        f.tun(d);
        EXPECT_EQ(boxen().last().text, f.meldung) << f.name;
        EXPECT_EQ(abbild(pfade().vestralin), vorher) << f.name;
        EXPECT_FALSE(db::sharedState().fortschrittSichtbar()) << f.name;
    }

    // Without the information system: reported at load, empty lists, and
    // Übernehmen reports the missing choice.
    QFile::rename(pfade().vestralin, pfade().vestralin + QStringLiteral(".weg"));
    boxen().clear();
    frmEXPINF& d = dialog();
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text, QStringLiteral("Informationssystem VESTRALIN ist nicht installiert!"));
    EXPECT_EQ(boxen().last().icon, vb::MsgIcon::Exclamation);
    EXPECT_EQ(d.lstPROJ->count(), 0);
    EXPECT_EQ(d.lstINF->count(), 0);
    EXPECT_FALSE(db::sharedState().fortschrittSichtbar());
    EXPECT_FALSE(vb::waitPointerShown());
    d.cmdUEBERNEHMEN->click();
    EXPECT_EQ(boxen().last().text, fehlt);
    EXPECT_FALSE(QFile::exists(pfade().vestralin));
}

TEST_F(ExpInfTest, AFailureMidExportLeavesTheInformationSystemUnchanged)
{
    for (const char* tabelle : {"E0", "E5"}) {
        SetUp();
        inf()->execute(QStringLiteral("CREATE TRIGGER voll BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'Datenträger voll'); END")
                           .arg(QLatin1String(tabelle)));
        const QString vorher = abbild(pfade().vestralin);
        frmEXPINF& d = dialog();
        // The overwrite of B 1's rows fails too: its old rows stay.
        exportiere(d, QStringLiteral("KB 1"));
        EXPECT_GE(boxen().count(), 2) << tabelle;
        EXPECT_EQ(abbild(pfade().vestralin), vorher) << tabelle;
        EXPECT_EQ(texte(d.lstINF), QStringList()) << tabelle;
        EXPECT_FALSE(db::sharedState().fortschrittSichtbar());
        m_dlg.reset();
        TearDown();
    }
}

TEST_F(ExpInfTest, AProjectNameWithAnApostropheFindsItsRecords)
{
    suite::Optionen o;
    o.projekt = QStringLiteral("O'Brien");
    baue(o);
    frmEXPINF& d = dialog();
    exportiere(d, QStringLiteral("KB 2"));
    EXPECT_EQ(feld(*inf(), QStringLiteral("SELECT [PROJ] FROM [E0] WHERE [ID]=2")).text(), QStringLiteral("O'Brien"));
    frmEXPINF& wieder = dialog();
    EXPECT_EQ(texte(wieder.lstINF), QStringList({"KB 2"}));
}

TEST_F(ExpInfTest, TextsFollowTheUsersLanguage)
{
    struct Fall {
        short sprache;
        const char* rahmen;
        const char* zeile;
        const char* uebernehmen;
        const char* schliessen;
    };
    for (const Fall& f : {Fall{3, "Aktuelles Projekt", "im Informationssystem", "Übernehmen", "Schließen"},
                          Fall{1, "", "in the information system", "Apply", "Quit"}}) {
        db::sharedState().SPRACHE = f.sprache;
        frmEXPINF& d = dialog();
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Export Informationssystem"));
        EXPECT_EQ(d.fraPROJ->title(), QString::fromUtf8(f.rahmen));
        EXPECT_EQ(d.lblAKTI3->text(), QString::fromUtf8(f.zeile));
        EXPECT_EQ(d.cmdUEBERNEHMEN->text(), QString::fromUtf8(f.uebernehmen));
        EXPECT_EQ(d.cmdSCHLIESSEN->text(), QString::fromUtf8(f.schliessen));
        // Each caption is readable whole in the face of this system.
        for (QLabel* l : d.findChildren<QLabel*>())
            EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
    }
}

} // namespace
