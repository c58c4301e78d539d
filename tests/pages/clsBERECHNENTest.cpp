// The default-options step: one E12 row with the twenty defaults, stopping at
// the first write that fails.
#include "../log/Projektfixture.h"

#include "pages/E12Vorgaben.h"
#include "pages/clsBERECHNEN.h"

namespace {

const db::Params keyed{vb::Variant(Projektfixture::ID)};

} // namespace

TEST(clsBERECHNEN, WritesExactlyOneRowWithTheDefaults)
{
    for (int vorher : {0, 1, 3}) {
        Projektfixture f;
        for (int k = 0; k < vorher; ++k)
            f.sql("INSERT INTO E12 (ID, MA, BZSV, TAV, ARV) VALUES (?, 250, 0, 0, 1)", keyed);
        f.sql("INSERT INTO E12 (ID, MA) VALUES (99, 33)");   // another record's row stays
        db::sharedState().setFortschritt(77);

        clsBERECHNEN b;
        EXPECT_TRUE(b.BERECHNUNG()) << vorher;
        EXPECT_EQ(db::sharedState().fortschritt(), 5);
        EXPECT_EQ(f.anzahl(QStringLiteral("SELECT COUNT(*) FROM E12 WHERE ID = ?"), keyed), 1) << vorher;
        for (const E12Vorgabe& v : E12_VORGABEN) {
            const vb::Variant w = f.wert(QStringLiteral("SELECT %1 FROM E12 WHERE ID = ?").arg(QLatin1String(v.spalte)), keyed);
            EXPECT_EQ(w.number(), v.wert) << v.spalte << " after " << vorher;
        }
        EXPECT_EQ(f.anzahl(QStringLiteral("SELECT MA FROM E12 WHERE ID = 99")), 33);
        EXPECT_TRUE(f.dienste.dialogs.messages().empty());
    }
}

TEST(clsBERECHNEN, DefaultsInTheirOrder)
{
    QStringList spalten;
    for (const E12Vorgabe& v : E12_VORGABEN)
        spalten << QLatin1String(v.spalte);
    EXPECT_EQ(spalten.join(','), QStringLiteral("MA,SYMBOLE,FARBEN,BZTV,BZSV,BFV,BEMV,BUV,ARV,BVV,VV,PROV,GWV,TPV,"
                                                "STSV,BILDV,PRV,FDV,KVV,TAV"));
}

// The write of BZTV fails: the three columns before it hold their defaults,
// the others keep their values, the result is False and progress stays 0.
TEST(clsBERECHNEN, StopsAtTheFirstFailingWrite)
{
    Projektfixture f;
    f.sql("INSERT INTO E12 (ID, MA, SYMBOLE, FARBEN, BZSV, KVV, TAV) VALUES (?, 250, 1, 2, 0, 0, 0)", keyed);
    f.sql("ALTER TABLE E12 DROP COLUMN BZTV");

    clsBERECHNEN b;
    EXPECT_FALSE(b.BERECHNUNG());
    EXPECT_EQ(db::sharedState().fortschritt(), 0);
    EXPECT_EQ(f.anzahl(QStringLiteral("SELECT MA FROM E12 WHERE ID = ?"), keyed), 100);
    EXPECT_EQ(f.anzahl(QStringLiteral("SELECT SYMBOLE FROM E12 WHERE ID = ?"), keyed), 0);
    EXPECT_EQ(f.anzahl(QStringLiteral("SELECT FARBEN FROM E12 WHERE ID = ?"), keyed), 0);
    EXPECT_EQ(f.anzahl(QStringLiteral("SELECT BZSV FROM E12 WHERE ID = ?"), keyed), 0);
    EXPECT_EQ(f.anzahl(QStringLiteral("SELECT KVV FROM E12 WHERE ID = ?"), keyed), 0);
    EXPECT_EQ(f.anzahl(QStringLiteral("SELECT TAV FROM E12 WHERE ID = ?"), keyed), 0);
    const auto boxen = f.dienste.dialogs.messages();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].title, QStringLiteral("Datenfehler"));
}
