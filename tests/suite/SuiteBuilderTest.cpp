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
                              "PROJEKTE/TE 2026 Süd/KAVELOR.mdb", "config/TORVENA/TORVENA.conf", "TORVENA"})
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

} // namespace
