// The suite builder leaves a tree the program can start on.

#include "database/Connection.h"
#include "database/Schema.h"
#include "database/SharedState.h"
#include "platform/Services.h"
#include "platform/VbRuntime.h"
#include "suite/SuiteBuilder.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int zeilen(db::Connection& c, const QString& sql, const db::Params& p = {})
{
    return c.openRecordset(sql, p)->recordCount();
}

TEST(SuiteBuilder, ToolBuildsACompleteSuite)
{
    QTemporaryDir tmp;
    const QString dir = tmp.filePath(QStringLiteral("suite"));
    QProcess p;
    p.start(QStringLiteral(KAVELOR_SUITE_TOOL),
            {dir, QStringLiteral("--user"), QStringLiteral("meier"), QStringLiteral("--project"),
             QStringLiteral("TE 2026 Süd")});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();

    for (const char* datei : {"KAVELOR/KAVELOR.mdb", "DATEN/ARCHIV.mdb", "DATEN/VORGABE.mdb", "DATEN/VESTRALIN.mdb",
                              "PROJEKTE/TE 2026 Süd/KAVELOR.mdb", "PROJEKTE/TE2025.07/KAVELOR.mdb",
                              "config/TORVENA/TORVENA.conf", "TORVENA"})
        EXPECT_TRUE(QFileInfo(dir + QLatin1Char('/') + QString::fromUtf8(datei)).isFile()) << datei;

    // The hand-over row for the user (found without regard to case).
    auto archiv = db::Connection::open(dir + QStringLiteral("/DATEN/ARCHIV.mdb"));
    auto rs = archiv->openRecordset(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]=?"), {vb::Variant("MEIER")});
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->field(QStringLiteral("PROG")).text(), QStringLiteral("TORVENA"));
    EXPECT_EQ(rs->field(QStringLiteral("PROJEKTSPFAD")).text(), QDir(dir).absolutePath() + QStringLiteral("/PROJEKTE"));
    EXPECT_EQ(rs->field(QStringLiteral("PROJEKT")).text(), QStringLiteral("TE 2026 Süd"));
    EXPECT_FALSE(rs->field(QStringLiteral("BEARBEITER")).text().isEmpty());

    // The settings the program reads with XDG_CONFIG_HOME=DIR/config.
    QSettings s(suite::einstellungsDatei(dir + QStringLiteral("/config")), QSettings::IniFormat);
    EXPECT_EQ(s.value(QStringLiteral("Extras/Datenbankpfad")).toString(),
              QDir(dir).absolutePath() + QStringLiteral("/DATEN"));

    // The stand-in frame program runs.
    QProcess rahmen;
    rahmen.start(dir + QStringLiteral("/TORVENA"), {});
    ASSERT_TRUE(rahmen.waitForFinished(10000));
    EXPECT_EQ(rahmen.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(rahmen.readAllStandardOutput()).contains(QStringLiteral("TORVENA")));

    // Wrong calls are refused.
    QProcess falsch;
    falsch.start(QStringLiteral(KAVELOR_SUITE_TOOL), {});
    ASSERT_TRUE(falsch.waitForFinished(10000));
    EXPECT_NE(falsch.exitCode(), 0);
}

TEST(SuiteBuilder, DemoProjectFillsEveryRecordTable)
{
    QTemporaryDir tmp;
    suite::Optionen o;
    o.benutzer = QStringLiteral("tester");
    o.einstellungen = false;
    o.programmQuelle = tmp.filePath(QStringLiteral("nichts"));
    const suite::Pfade p = suite::erstellen(tmp.filePath(QStringLiteral("s")), o);
    EXPECT_EQ(p.benutzer, QStringLiteral("TESTER"));
    auto c = db::Connection::open(p.projektDb);

    const auto bohrungen = suite::demoUebersicht();
    EXPECT_GE(bohrungen.size(), 4u);
    EXPECT_EQ(zeilen(*c, QStringLiteral("SELECT * FROM E1")), int(bohrungen.size()));
    EXPECT_EQ(zeilen(*c, QStringLiteral("SELECT * FROM E1 WHERE AKT=true")), 1);
    bool tief = false;
    for (const auto& b : bohrungen) {
        SCOPED_TRACE(b.ken.toStdString());
        EXPECT_EQ(zeilen(*c, QStringLiteral("SELECT * FROM E1 WHERE ID=? AND KEN=?"), {vb::Variant(b.id), vb::Variant(b.ken)}), 1);
        EXPECT_EQ(zeilen(*c, QStringLiteral("SELECT * FROM E2 WHERE ID=?"), {vb::Variant(b.id)}), b.schichten);
        // Row numbers run 0, 1, 2 ... and depths grow.
        auto rs = c->openRecordset(QStringLiteral("SELECT I1, TUKS FROM E2 WHERE ID=? ORDER BY I1"), {vb::Variant(b.id)});
        float vorher = 0;
        for (int i = 0; !rs->eof(); rs->moveNext(), ++i) {
            EXPECT_EQ(vb::CInt(rs->field(0)), i);
            EXPECT_GT(vb::CSng(rs->field(1)), vorher);
            vorher = vb::CSng(rs->field(1));
        }
        EXPECT_EQ(zeilen(*c, QStringLiteral("SELECT * FROM E12 WHERE ID=?"), {vb::Variant(b.id)}), 1);
        tief = tief || b.schichten >= 60;
    }
    EXPECT_TRUE(tief);
    // Every record table has rows, all of them for the first two boreholes.
    for (int t = 2; t <= 11; ++t) {
        const QString sql = QStringLiteral("SELECT * FROM E%1 WHERE ID=?").arg(t);
        EXPECT_GT(zeilen(*c, sql, {vb::Variant(1)}), 0) << "E" << t;
        EXPECT_GT(zeilen(*c, sql, {vb::Variant(3)}), 0) << "E" << t;
    }
    // No column of the record tables is empty throughout.
    for (const QString& tabelle : db::schema::tabellen(db::schema::Datenbank::Projekt)) {
        if (tabelle == QLatin1String("A1") || tabelle == QLatin1String("G0"))
            continue;
        for (const QString& spalte : c->columnNames(tabelle)) {
            if (tabelle == QLatin1String("E1") && spalte == QLatin1String("B4"))
                continue;
            EXPECT_GT(zeilen(*c, QStringLiteral("SELECT * FROM [%1] WHERE [%2] IS NOT NULL").arg(tabelle, spalte)), 0)
                << tabelle.toStdString() << "." << spalte.toStdString();
        }
    }
    // Real national-grid coordinates keep their centimetres.
    auto e1 = c->openRecordset(QStringLiteral("SELECT RW, HW FROM E1 WHERE ID=1"));
    EXPECT_DOUBLE_EQ(e1->field(0).number(), 4468123.45);
    EXPECT_DOUBLE_EQ(e1->field(1).number(), 5427890.12);

    // The template next to the program is empty.
    auto vorlage = db::Connection::open(p.vorlage);
    EXPECT_EQ(vorlage->tableNames(), db::schema::tabellen(db::schema::Datenbank::Projekt));
    EXPECT_EQ(zeilen(*vorlage, QStringLiteral("SELECT * FROM E1")), 0);
}

TEST(SuiteBuilder, FixtureOpensTheWorkingCopyAsTheStartUpDoes)
{
    vb::TestServices services;
    {
        suite::Testumgebung u;
        const db::SharedState& s = db::sharedState();
        ASSERT_TRUE(s.cnnX);
        ASSERT_TRUE(s.cnnX_V);
        EXPECT_EQ(s.cnnX->path(), u.arbeitskopie());
        EXPECT_EQ(u.arbeitskopie(), QFileInfo(u.pfade().wurzel).absoluteFilePath() + QStringLiteral("/BENUTZER/")
                                        + vb::userName() + QStringLiteral("/KAVELOR.mdb"));
        EXPECT_EQ(s.DATENBANKPFAD(), u.pfade().daten);
        EXPECT_EQ(s.PROJEKTSPFAD, u.pfade().projekte);
        // Changes go to the working copy, not to the project database.
        s.cnnX->execute(QStringLiteral("DELETE FROM E2"));
        EXPECT_GT(zeilen(*db::Connection::open(u.pfade().projektDb), QStringLiteral("SELECT * FROM E2")), 0);
    }
    EXPECT_FALSE(db::sharedState().cnnX);
}


// The demo boreholes speak the vocabulary of the input window's code lists and
// hold values a field engineer would record.
TEST(SuiteBuilder, DemoDataUsesTheCodeListsAndPlausibleValues)
{
    QTemporaryDir tmp;
    const QString pfad = tmp.filePath(QStringLiteral("KAVELOR.mdb"));
    suite::projektDatenbank(pfad);
    auto c = db::Connection::open(pfad);

    const QStringList hauptbestandteile = {"Y",   "X",   "G",   "gG",  "mG",  "gmG", "mfG", "fG", "S",
                                           "gS",  "mS",  "gmS", "mfS", "fS",  "b'U", "bU",  "b¯U", "H",
                                           "b'T", "bT",  "b¯T", "Mu",  "A",   "Ko",  "Lö",  "LöL"};
    const QStringList nebenbestandteile = {"y¯", "y", "y'", "x¯", "x", "x'", "g¯", "g", "g'",
                                           "s¯", "s", "s'", "u¯", "u", "u'", "t¯", "t", "t'"};
    const QStringList farben = {"keine Angabe", "RAL1002", "RAL1004", "RAL1011", "RAL1014", "RAL3009",
                                "RAL3011",      "RAL3016", "RAL6013", "RAL7003", "RAL7006", "RAL7013",
                                "RAL7030",      "RAL7031", "RAL7032", "RAL8000", "RAL8001", "RAL8003",
                                "RAL8004",      "RAL8011", "RAL8023", "RAL8028"};
    struct Liste {
        const char* tabelle;
        const char* spalte;
        QStringList werte;
        bool mehrere;   // several items separated by commas
    };
    const Liste listen[] = {
        {"E2", "HPTB1", hauptbestandteile, false},
        {"E2", "HPTB2", hauptbestandteile, false},
        {"E2", "NEBB", nebenbestandteile, true},
        {"E2", "RUND", {"ka* ", "ka", "ka' ", "ge' ", "ge", "ge* "}, false},
        {"E2", "ZUST", {"lo", "md", "di", "sd", "br", "we", "st", "ha", "fe"}, false},
        {"E2", "FARBE", farben, false},
        {"E2", "BS", {"0", "1", "2", "3", "4", "5"}, false},
        {"E3", "GTYP", {"0", "1", "2"}, false},
        {"E4", "ENTVERF", {"0", "1", "2"}, false},
        {"E6", "STYP", {"0", "1"}, false},
        {"E7", "MAT", {"keine Angaben", "Stahl", "PVC"}, false},
    };
    for (const Liste& l : listen) {
        SCOPED_TRACE(std::string(l.tabelle) + "." + l.spalte);
        auto rs = c->openRecordset(QStringLiteral("SELECT [%1] FROM [%2] WHERE [%1] IS NOT NULL")
                                       .arg(QLatin1String(l.spalte), QLatin1String(l.tabelle)));
        EXPECT_GT(rs->recordCount(), 0);
        for (; !rs->eof(); rs->moveNext()) {
            const QString wert = vb::CStr(rs->field(0));
            for (const QString& teil : l.mehrere ? wert.split(QLatin1Char(',')) : QStringList{wert})
                EXPECT_TRUE(l.werte.contains(teil)) << '"' << teil.toStdString() << '"';
        }
    }

    // Rules of the trade: none of these queries may find a row.
    const char* verstoesse[] = {
        // grain-size fractions make up the whole sample; the fines pass 0.4 mm
        "SELECT * FROM E4 WHERE ABS(PF+PS+PG+PPX+PPY-100) > 0.01 OR D04 < PF",
        // plastic limit below liquid limit; blows for 30 cm at least those for 15 cm
        "SELECT * FROM E9 WHERE WP >= WL",
        "SELECT * FROM E6 WHERE N30 < N15",
        // an assessor number names an assessor of the record
        "SELECT * FROM E2 JOIN E1 USING (ID) WHERE (BS=1 AND B1 IS NULL) OR (BS=2 AND B2 IS NULL) "
        "OR (BS=3 AND B3 IS NULL) OR (BS=4 AND B4 IS NULL)",
        // every depth lies within the borehole, whose layers reach its final depth
        "SELECT * FROM E3 t WHERE TGW > (SELECT MAX(TUKS) FROM E2 WHERE E2.ID=t.ID)",
        "SELECT * FROM E4 t WHERE TUKP > (SELECT MAX(TUKS) FROM E2 WHERE E2.ID=t.ID)",
        "SELECT * FROM E5 t WHERE VTT > (SELECT MAX(TUKS) FROM E2 WHERE E2.ID=t.ID)",
        "SELECT * FROM E6 t WHERE VTS > (SELECT MAX(TUKS) FROM E2 WHERE E2.ID=t.ID)",
        "SELECT * FROM E7 t WHERE VTV > (SELECT MAX(TUKS) FROM E2 WHERE E2.ID=t.ID)",
        "SELECT * FROM E8 t WHERE VTB > (SELECT MAX(TUKS) FROM E2 WHERE E2.ID=t.ID)",
        "SELECT * FROM E9 t WHERE VTBI > (SELECT MAX(TUKS) FROM E2 WHERE E2.ID=t.ID)",
        "SELECT * FROM E10 t WHERE VTP > (SELECT MAX(TUKS) FROM E2 WHERE E2.ID=t.ID)",
        "SELECT * FROM E11 t WHERE VTF > (SELECT MAX(TUKS) FROM E2 WHERE E2.ID=t.ID)",
        // the drilling method is given down to the final depth
        "SELECT * FROM E1 WHERE (SELECT MAX(VTB) FROM E8 WHERE E8.ID=E1.ID) <> "
        "(SELECT MAX(TUKS) FROM E2 WHERE E2.ID=E1.ID)",
    };
    for (const char* sql : verstoesse)
        EXPECT_EQ(zeilen(*c, QString::fromUtf8(sql)), 0) << sql;
}

} // namespace
