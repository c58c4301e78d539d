// Runs of reads and writes in one transaction: reads served from memory give
// what the query gives, see every earlier write, and the run's writes are
// stored together or, when their commit fails, reported by the accessor.

#include "DatenFixture.h"

#include <sqlite3.h>

using vb::Variant;

namespace {

// One scalar read as text: "ok:<value>" or "fehler", and whether it raised.
QString lesen(clsDATEN& d, const QString& spalte, const QString& krit1, const Wert& wert1,
              const QString& krit2 = {}, const Wert& wert2 = std::nullopt)
{
    Variant v = Variant(QStringLiteral("alt"));
    try {
        if (!d.DTVV(spalte, v, krit1, wert1, krit2, wert2))
            return QStringLiteral("fehler");
    } catch (const vb::VbError& e) {
        return QStringLiteral("raise %1").arg(e.number);
    }
    return QStringLiteral("ok:") + (v.isEmpty() ? QStringLiteral("<leer>") : vb::CStr(v));
}

} // namespace

// Every read gives inside a run what it gives outside: the owner's rows,
// whole-number criteria, duplicates (first in storage order), missing rows
// and Nulls, text keys and criteria that only order, missing columns.
TEST_F(DatenTest, ReadsInARunGiveWhatTheQueryGives)
{
    fuenfSchichten();
    cnn().execute(QStringLiteral("INSERT INTO E2 (ID,I1,TUKS,HPTB1) VALUES (99,2,7.5,'zweite')"));
    cnn().execute(QStringLiteral("UPDATE E2 SET HPTB1 = 'G' WHERE ID = 99 AND I1 = 1"));
    cnn().execute(QStringLiteral("INSERT INTO E12 (ID,MA,FARBEN) VALUES (99,100,NULL)"));
    cnn().execute(QStringLiteral("INSERT INTO G0 (ID,IDOBJEKT,MY,OY) VALUES (99,11,0.1,-1), (99,12,0.2,1)"));

    struct Fall { const char* tabelle; const char* spalte; const char* k1; Wert w1; const char* k2; Wert w2; };
    const Fall faelle[] = {
        {"E2", "TUKS", "I1", Variant(int16_t(3)), "", std::nullopt},
        {"E2", "TUKS", "I1", Variant(2), "", std::nullopt},           // two rows: the first stored
        {"E2", "HPTB1", "I1", Variant(1), "", std::nullopt},
        {"E2", "HPTB1", "I1", Variant(0), "", std::nullopt},          // Null
        {"E2", "TUKS", "I1", Variant(17), "", std::nullopt},          // no row
        {"E2", "TUKS", "I1", Variant(QStringLiteral("3")), "", std::nullopt},
        {"E2", "TUKS", "I1", Variant(QStringLiteral("x")), "", std::nullopt},   // criterion does not convert
        {"E2", "TUKS", "I1", std::nullopt, "", std::nullopt},         // orders only
        {"E2", "TUKS", "TUKS", Variant(4.0f), "", std::nullopt},      // a number column as criterion
        {"E2", "tuks", "i1", Variant(4), "", std::nullopt},           // names in other case
        {"E2", "FEHLT", "I1", Variant(1), "", std::nullopt},          // missing column
        {"E2", "TUKS", "FEHLT", Variant(1), "", std::nullopt},
        {"E12", "MA", "", std::nullopt, "", std::nullopt},
        {"E12", "FARBEN", "", std::nullopt, "", std::nullopt},
        {"G0", "MY", "IDOBJEKT", Variant(12), "", std::nullopt},
        {"G0", "OY", "IDOBJEKT", Variant(11), "OY", Variant(-1)},
        {"G0", "OY", "IDOBJEKT", Variant(11), "OY", Variant(1)},
        {"FEHLT", "MY", "IDOBJEKT", Variant(11), "", std::nullopt},
    };
    for (const Fall& f : faelle) {
        clsDATEN d;
        d.ETABELLE(QString::fromLatin1(f.tabelle));
        d.ESPIDW(99);
        auto einmal = [&] {
            return lesen(d, QString::fromLatin1(f.spalte), QString::fromLatin1(f.k1), f.w1, QString::fromLatin1(f.k2),
                         f.w2);
        };
        boxen().clear();
        const QString ohne = einmal();
        const int boxenOhne = boxen().count();
        boxen().clear();
        QString mit;
        {
            clsDATEN::Lauf lauf(d);
            // Twice: the second read comes from the rows the first fetched.
            einmal();
            mit = einmal();
            EXPECT_TRUE(lauf.beenden());
        }
        EXPECT_EQ(mit, ohne) << f.tabelle << "." << f.spalte << " " << f.k1;
        // A read that fails shows its box in the run as well.
        EXPECT_EQ(boxen().count(), 2 * boxenOhne) << f.tabelle << "." << f.spalte << " " << f.k1;
    }
}

// A read after a write sees the written value, through the same accessor or
// another one on the connection, and the run stores its writes once at its end.
TEST_F(DatenTest, ReadAfterWriteInARunSeesTheWrittenValue)
{
    fuenfSchichten();
    clsDATEN g0;
    g0.ETABELLE("G0");
    g0.ESPIDW(99);
    clsDATEN andere;
    andere.ETABELLE("G0");
    andere.ESPIDW(99);
    clsDATEN e2;
    e2.ETABELLE("E2");
    e2.ESPIDW(99);
    {
        clsDATEN::Lauf lauf(g0);
        float my = -1;
        ASSERT_TRUE(g0.DTVS("MY", my, "IDOBJEKT", 11));
        EXPECT_EQ(my, 0.0f);
        ASSERT_TRUE(g0.DVTS("MY", 0.25f, "IDOBJEKT", 11));
        ASSERT_TRUE(andere.DTVS("MY", my, "IDOBJEKT", 11));
        EXPECT_EQ(my, 0.25f);
        ASSERT_TRUE(andere.DVTS("MY", 0.5f, "IDOBJEKT", 11));
        ASSERT_TRUE(g0.DTVS("MY", my, "IDOBJEKT", 11));
        EXPECT_EQ(my, 0.5f);
        // Rows of other tables are fetched again after a write, too.
        float tuks = 0;
        ASSERT_TRUE(e2.DTVS("TUKS", tuks, "I1", Variant(2)));
        EXPECT_EQ(tuks, 3.0f);
        ASSERT_TRUE(e2.DVTS("TUKS", 3.5f, "I1", Variant(2)));
        ASSERT_TRUE(e2.DTVS("TUKS", tuks, "I1", Variant(2)));
        EXPECT_EQ(tuks, 3.5f);
        // Not yet stored for anyone else.
        auto fremd = db::Connection::open(cnn().path());
        sqlite3_busy_timeout(fremd->handle(), 0);
        auto rs = fremd->openRecordset(QStringLiteral("SELECT COUNT(*) FROM G0 WHERE ID = 99"));
        EXPECT_EQ(rs->field(0).number(), 0);
        EXPECT_TRUE(lauf.beenden());
    }
    EXPECT_EQ(werte(QStringLiteral("SELECT MY FROM G0 WHERE ID = 99")), QStringList{"0,5"});
    EXPECT_EQ(werte(QStringLiteral("SELECT TUKS FROM E2 WHERE ID = 99 AND I1 = 2")), QStringList{"3,5"});
    EXPECT_FALSE(cnn().inTransaction());
    EXPECT_EQ(boxen().count(), 0);
}

// A commit that fails (another program keeps reading the file) loses the run's
// writes; the accessor reports the first value it wrote, and later writes work.
TEST_F(DatenTest, FailedCommitOfARunIsReportedByTheAccessor)
{
    clsDATEN g0;
    g0.ETABELLE("G0");
    g0.ESPIDW(99);
    sqlite3_busy_timeout(cnn().handle(), 20);
    auto fremd = db::Connection::open(cnn().path());
    {
        clsDATEN::Lauf lauf(g0);
        ASSERT_TRUE(g0.DVTS("MY", 0.25f, "IDOBJEKT", 11));
        ASSERT_TRUE(g0.DVTS("XMAX", 850.0f, "IDOBJEKT", 11));
        // Another connection keeps a read open: the commit cannot take the file.
        fremd->execute(QStringLiteral("BEGIN"));
        fremd->openRecordset(QStringLiteral("SELECT COUNT(*) FROM E1"));
        EXPECT_FALSE(lauf.beenden());
        fremd->execute(QStringLiteral("ROLLBACK"));
    }
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().records().front().title, QStringLiteral("Datenfehler"));
    EXPECT_EQ(boxen().records().front().text,
              QStringLiteral("Wert 0,25 kann nicht in die Spalte MY der Tabelle G0 gespeichert werden!"));
    EXPECT_TRUE(werte(QStringLiteral("SELECT MY FROM G0 WHERE ID = 99")).isEmpty());
    EXPECT_FALSE(cnn().inTransaction());
    EXPECT_TRUE(g0.DVTS("MY", 0.5f, "IDOBJEKT", 11));
    EXPECT_EQ(werte(QStringLiteral("SELECT MY FROM G0 WHERE ID = 99")), QStringList{"0,5"});
}

// Rows kept from one run to the next are not served once anyone has written
// in between: this connection outside a run, or another connection.
TEST_F(DatenTest, RowsKeptBetweenRunsGiveWayToWritesInBetween)
{
    fuenfSchichten();
    clsDATEN e2;
    e2.ETABELLE("E2");
    e2.ESPIDW(99);
    auto fremd = db::Connection::open(cnn().path());
    struct Fall { const char* wer; float tuks; };
    const Fall faelle[] = {{"niemand", 3}, {"selbst", 30}, {"fremd", 300}, {"niemand", 300}};
    for (const Fall& f : faelle) {
        const Variant neu(f.tuks);
        if (QLatin1String(f.wer) == QLatin1String("selbst"))
            cnn().execute(QStringLiteral("UPDATE E2 SET TUKS = ? WHERE ID = 99 AND I1 = 2"), {neu});
        else if (QLatin1String(f.wer) == QLatin1String("fremd"))
            fremd->execute(QStringLiteral("UPDATE E2 SET TUKS = ? WHERE ID = 99 AND I1 = 2"), {neu});
        clsDATEN::Lauf lauf(e2);
        float tuks = 0;
        ASSERT_TRUE(e2.DTVS("TUKS", tuks, "I1", Variant(2)));
        EXPECT_EQ(tuks, f.tuks) << f.wer;
        EXPECT_TRUE(lauf.beenden());
    }
}
