// The databases hold exactly the agreed tables and columns, in order.

#include "database/Connection.h"
#include "database/Schema.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>

using db::ColumnType;
using db::schema::Datenbank;

namespace {

using Tabellen = std::vector<std::pair<QString, QStringList>>;

const Tabellen kProjekt = {
    {"E1", {"ID", "KEN", "KOM", "AKT", "RW", "HW", "H", "ROK", "OPTK", "OPTH", "B1", "B2", "B3", "B4"}},
    {"E2", {"ID", "I1", "TUKS", "HPTB1", "HPTB2", "NEBB", "RUND", "ZUST", "FARBE", "BEMS", "BS"}},
    {"E3", {"ID", "I1", "GTYP", "TGW", "GWDATUM"}},
    {"E4", {"ID", "I1", "GUETE", "TUKP", "HPK", "BEZ", "ENTVERF", "PF", "PS", "PG", "PPX", "PPY", "D04"}},
    {"E5", {"ID", "I1", "VTT", "MX", "SX"}},
    {"E6", {"ID", "I1", "STYP", "VTS", "N15", "N30"}},
    {"E7", {"ID", "I1", "VTV", "VTYP", "MAT", "DPR"}},
    {"E8", {"ID", "I1", "VTB", "VERF", "DBL"}},
    {"E9", {"ID", "I1", "VTBI", "W", "WP", "WL"}},
    {"E10", {"ID", "I1", "VTP", "PL", "EP"}},
    {"E11", {"ID", "I1", "VTF", "IND", "KD", "ED"}},
    {"E12", {"ID", "MA", "SYMBOLE", "FARBEN", "BZTV", "BZSV", "BFV", "BEMV", "BUV", "ARV", "BVV", "VV", "PROV",
             "GWV", "TPV", "STSV", "BILDV", "PRV", "FDV", "KVV", "TAV"}},
    {"A1", {"ID", "BONEU"}},
    {"G0", {"ID", "IDOBJEKT", "OX", "OY", "RL", "RR", "RO", "RU", "XMIN", "XMAX", "YMIN", "YMAX", "MX", "MY",
            "MYMX", "MSP"}},
};

const Tabellen kArchiv = {{"ADMIN", {"BENUTZER", "PROG", "PROJEKTSPFAD", "PROJEKT", "BEARBEITER"}}};

const Tabellen kVorgabe = {
    {"KAVELOR_VE1", {"AKVK", "IDK", "ZL", "DATUM", "UHRZEIT", "KENZ1NR", "KENZ1KZ", "TZS", "TZZ"}},
    {"KAVELOR_VE2", {"IDK", "MNR", "SPALTE", "POSITION", "PRAEFIX", "SUFFIX", "FAKTOR", "FORMAT"}},
};

const Tabellen kVestralin = {
    {"E0", {"ID", "QART", "PROJ", "BEARBEITER", "DATUM"}},
    {"E1", {"ID", "KEN", "KOM", "RW", "HW", "H"}},
    {"E2", {"ID", "I1", "TUKS", "HPTB1", "HPTB2", "NEBB", "RUND", "ZUST", "FARBE", "BEMS"}},
    {"E3", {"ID", "I1", "TGW", "GTYP", "GWDATUM"}},
    {"E4", {"ID", "I1", "TUKP", "GUETE", "HPK", "BEZ", "ENTVERF", "PF", "PS", "PG", "PPX", "PPY", "D04"}},
    {"E5", {"ID", "I1", "VTT", "MX", "SX"}},
    {"E6", {"ID", "I1", "VTS", "STYP", "N15", "N30"}},
};

void erwarteTabellen(db::Connection& c, const Tabellen& soll)
{
    QStringList namen;
    for (const auto& t : soll)
        namen << t.first;
    EXPECT_EQ(c.tableNames(), namen);
    for (const auto& [tabelle, spalten] : soll)
        EXPECT_EQ(c.columnNames(tabelle), spalten) << tabelle.toStdString();
}

TEST(Schema, TemplateHoldsExactlyTheProjectTablesInOrder)
{
    ASSERT_TRUE(QFileInfo::exists(QStringLiteral(KAVELOR_TEMPLATE_PATH)));
    auto c = db::Connection::open(QStringLiteral(KAVELOR_TEMPLATE_PATH));
    erwarteTabellen(*c, kProjekt);
    for (const auto& t : kProjekt)
        EXPECT_EQ(c->openRecordset(QStringLiteral("SELECT * FROM [") + t.first + QLatin1Char(']'))->recordCount(), 0);
}

TEST(Schema, SharedDatabasesHoldTheirTables)
{
    QTemporaryDir dir;
    const std::pair<Datenbank, const Tabellen*> faelle[] = {
        {Datenbank::Archiv, &kArchiv}, {Datenbank::Vorgabe, &kVorgabe}, {Datenbank::Vestralin, &kVestralin}};
    int n = 0;
    for (const auto& [art, soll] : faelle) {
        const QString pfad = dir.filePath(QStringLiteral("db%1.mdb").arg(n++));
        db::schema::erstellen(pfad, art);
        auto c = db::Connection::open(pfad);
        erwarteTabellen(*c, *soll);
        // The schema's own listing agrees with the file.
        EXPECT_EQ(db::schema::tabellen(art), c->tableNames());
    }
}

TEST(Schema, ColumnTypesAsTheReadersUseThem)
{
    auto c = db::Connection::openInMemory();
    c->executeScript(db::schema::sql(Datenbank::Projekt));
    struct Fall {
        const char* tabelle;
        const char* spalte;
        ColumnType typ;
    };
    const Fall faelle[] = {
        {"E1", "ID", ColumnType::Long},      {"E1", "KEN", ColumnType::Text},
        {"E1", "AKT", ColumnType::Boolean},  {"E1", "RW", ColumnType::Double},
        {"E1", "HW", ColumnType::Double},    {"E1", "H", ColumnType::Double},
        {"E1", "ROK", ColumnType::Single},   {"E2", "I1", ColumnType::Integer},
        {"E2", "TUKS", ColumnType::Single},  {"E2", "BS", ColumnType::Integer},
        {"E3", "GTYP", ColumnType::Integer}, {"E3", "GWDATUM", ColumnType::Date},
        {"E12", "MA", ColumnType::Integer},  {"E12", "TAV", ColumnType::Boolean},
        {"A1", "BONEU", ColumnType::Boolean}, {"G0", "IDOBJEKT", ColumnType::Integer},
        {"G0", "MSP", ColumnType::Single},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(c->columnType(QString::fromLatin1(f.tabelle), QString::fromLatin1(f.spalte)), f.typ)
            << f.tabelle << "." << f.spalte;
    // Key columns are indexed for the per-record lookups.
    auto idx = c->openRecordset(QStringLiteral("PRAGMA index_list([E2])"));
    EXPECT_GE(idx->recordCount(), 2);
}

TEST(Schema, CreatingOverAnExistingFileIsRefused)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("p.mdb"));
    db::schema::erstellen(pfad, Datenbank::Projekt);
    try {
        db::schema::erstellen(pfad, Datenbank::Projekt);
        FAIL();
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, vb::err::FileExists);
    }
    EXPECT_EQ(db::Connection::open(pfad)->tableNames().size(), int(kProjekt.size()));
}


// Every column of every database with its declared type, in order. Text
// columns compare without regard to letter case. The record header keeps its
// coordinates and ground level in doubles (national-grid coordinates need more
// than a 32-bit float); the information system takes them the same way.
TEST(Schema, EveryColumnHasItsDeclaredTypeInOrder)
{
    struct Fall {
        Datenbank art;
        const char* tabelle;
        const char* spalten;   // "NAME TYPE, ..."
    };
    const Fall faelle[] = {
        {Datenbank::Projekt, "E1",
         "ID INTEGER, KEN TEXT, KOM TEXT, AKT BOOLEAN, RW DOUBLE, HW DOUBLE, H DOUBLE, ROK FLOAT, OPTK BOOLEAN, "
         "OPTH BOOLEAN, B1 TEXT, B2 TEXT, B3 TEXT, B4 TEXT"},
        {Datenbank::Projekt, "E2",
         "ID INTEGER, I1 SMALLINT, TUKS FLOAT, HPTB1 TEXT, HPTB2 TEXT, NEBB TEXT, RUND TEXT, ZUST TEXT, "
         "FARBE TEXT, BEMS TEXT, BS SMALLINT"},
        {Datenbank::Projekt, "E3", "ID INTEGER, I1 SMALLINT, GTYP SMALLINT, TGW FLOAT, GWDATUM DATETIME"},
        {Datenbank::Projekt, "E4",
         "ID INTEGER, I1 SMALLINT, GUETE TEXT, TUKP FLOAT, HPK FLOAT, BEZ TEXT, ENTVERF SMALLINT, PF FLOAT, "
         "PS FLOAT, PG FLOAT, PPX FLOAT, PPY FLOAT, D04 FLOAT"},
        {Datenbank::Projekt, "E5", "ID INTEGER, I1 SMALLINT, VTT FLOAT, MX FLOAT, SX FLOAT"},
        {Datenbank::Projekt, "E6", "ID INTEGER, I1 SMALLINT, STYP SMALLINT, VTS FLOAT, N15 FLOAT, N30 FLOAT"},
        {Datenbank::Projekt, "E7", "ID INTEGER, I1 SMALLINT, VTV FLOAT, VTYP TEXT, MAT TEXT, DPR FLOAT"},
        {Datenbank::Projekt, "E8", "ID INTEGER, I1 SMALLINT, VTB FLOAT, VERF TEXT, DBL FLOAT"},
        {Datenbank::Projekt, "E9", "ID INTEGER, I1 SMALLINT, VTBI FLOAT, W FLOAT, WP FLOAT, WL FLOAT"},
        {Datenbank::Projekt, "E10", "ID INTEGER, I1 SMALLINT, VTP FLOAT, PL FLOAT, EP FLOAT"},
        {Datenbank::Projekt, "E11", "ID INTEGER, I1 SMALLINT, VTF FLOAT, IND FLOAT, KD FLOAT, ED FLOAT"},
        {Datenbank::Projekt, "E12",
         "ID INTEGER, MA SMALLINT, SYMBOLE SMALLINT, FARBEN SMALLINT, BZTV SMALLINT, BZSV SMALLINT, BFV SMALLINT, "
         "BEMV SMALLINT, BUV SMALLINT, ARV BOOLEAN, BVV SMALLINT, VV SMALLINT, PROV SMALLINT, GWV SMALLINT, "
         "TPV SMALLINT, STSV SMALLINT, BILDV SMALLINT, PRV SMALLINT, FDV SMALLINT, KVV SMALLINT, TAV BOOLEAN"},
        {Datenbank::Projekt, "A1", "ID INTEGER, BONEU BOOLEAN"},
        {Datenbank::Projekt, "G0",
         "ID INTEGER, IDOBJEKT SMALLINT, OX SMALLINT, OY SMALLINT, RL FLOAT, RR FLOAT, RO FLOAT, RU FLOAT, "
         "XMIN FLOAT, XMAX FLOAT, YMIN FLOAT, YMAX FLOAT, MX FLOAT, MY FLOAT, MYMX FLOAT, MSP FLOAT"},
        {Datenbank::Archiv, "ADMIN", "BENUTZER TEXT, PROG TEXT, PROJEKTSPFAD TEXT, PROJEKT TEXT, BEARBEITER TEXT"},
        {Datenbank::Vorgabe, "KAVELOR_VE1",
         "AKVK TEXT, IDK INTEGER, ZL SMALLINT, DATUM TEXT, UHRZEIT TEXT, KENZ1NR TEXT, KENZ1KZ TEXT, TZS TEXT, "
         "TZZ TEXT"},
        {Datenbank::Vorgabe, "KAVELOR_VE2",
         "IDK INTEGER, MNR SMALLINT, SPALTE TEXT, POSITION DOUBLE, PRAEFIX TEXT, SUFFIX TEXT, FAKTOR FLOAT, "
         "FORMAT TEXT"},
        {Datenbank::Vestralin, "E0", "ID INTEGER, QART SMALLINT, PROJ TEXT, BEARBEITER TEXT, DATUM TEXT"},
        {Datenbank::Vestralin, "E1", "ID INTEGER, KEN TEXT, KOM TEXT, RW DOUBLE, HW DOUBLE, H DOUBLE"},
        {Datenbank::Vestralin, "E2",
         "ID INTEGER, I1 SMALLINT, TUKS FLOAT, HPTB1 TEXT, HPTB2 TEXT, NEBB TEXT, RUND TEXT, ZUST TEXT, "
         "FARBE TEXT, BEMS TEXT"},
        {Datenbank::Vestralin, "E3", "ID INTEGER, I1 SMALLINT, TGW FLOAT, GTYP SMALLINT, GWDATUM DATETIME"},
        {Datenbank::Vestralin, "E4",
         "ID INTEGER, I1 SMALLINT, TUKP FLOAT, GUETE TEXT, HPK FLOAT, BEZ TEXT, ENTVERF SMALLINT, PF FLOAT, "
         "PS FLOAT, PG FLOAT, PPX FLOAT, PPY FLOAT, D04 FLOAT"},
        {Datenbank::Vestralin, "E5", "ID INTEGER, I1 SMALLINT, VTT FLOAT, MX FLOAT, SX FLOAT"},
        {Datenbank::Vestralin, "E6", "ID INTEGER, I1 SMALLINT, VTS FLOAT, STYP SMALLINT, N15 FLOAT, N30 FLOAT"},
    };
    std::map<int, std::shared_ptr<db::Connection>> dbs;
    std::map<int, int> tabellen;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.tabelle);
        auto& c = dbs[int(f.art)];
        if (!c) {
            c = db::Connection::openInMemory();
            c->executeScript(db::schema::sql(f.art));
        }
        ++tabellen[int(f.art)];
        QStringList ist;
        for (const QString& spalte : c->columnNames(QString::fromLatin1(f.tabelle))) {
            const char* typ = nullptr;
            const char* vergleich = nullptr;
            ASSERT_EQ(sqlite3_table_column_metadata(c->handle(), "main", f.tabelle, spalte.toUtf8().constData(),
                                                    &typ, &vergleich, nullptr, nullptr, nullptr),
                      SQLITE_OK);
            ist << spalte + QLatin1Char(' ') + QString::fromLatin1(typ);
            if (QByteArray(typ) == "TEXT")
                EXPECT_STREQ(vergleich, "NOCASE") << spalte.toStdString();
            else
                EXPECT_STREQ(vergleich, "BINARY") << spalte.toStdString();
        }
        EXPECT_EQ(ist.join(QStringLiteral(", ")), QString::fromLatin1(f.spalten));
    }
    // No table of a database is left out of the list above.
    for (const auto& [art, c] : dbs)
        EXPECT_EQ(c->tableNames().size(), tabellen[art]);
}

} // namespace
