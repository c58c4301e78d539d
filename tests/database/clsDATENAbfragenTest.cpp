// The accessor's index, list, delete, criteria and collection queries.

#include "DatenFixture.h"

#include "platform/VbRuntime.h"

#include <optional>

using vb::Variant;

namespace {

TEST_F(DatenTest, IndexGivesFirstLastAndCount)
{
    struct Fall {
        const char* name;
        int32_t id;
        const char* tabelle;
        int16_t mini, maxi, an;
    };
    const Fall faelle[] = {
        {"eight layers", 1, "E2", 0, 7, 8},
        {"the deep borehole", 3, "E2", 0, 63, 64},
        {"no rows", 4, "E4", 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        clsDATEN d;
        d.ETABELLE(f.tabelle);
        d.ESPIDW(f.id);
        int16_t mini = -1, maxi = -1, an = -1;
        d.INDEX(mini, maxi, an, "I1");
        EXPECT_EQ(mini, f.mini);
        EXPECT_EQ(maxi, f.maxi);
        EXPECT_EQ(an, f.an);
    }

    // Level 2: a parent column with its value, the owner key switched off.
    clsDATEN d;
    d.ETABELLE("E2");
    d.ESPID("");
    int16_t mini, maxi, an;
    d.INDEX(mini, maxi, an, "ID", 3, "I1");
    EXPECT_EQ(std::tuple(mini, maxi, an), std::tuple(int16_t(0), int16_t(63), int16_t(64)));

    // INDEXL over the whole table: the largest record key.
    clsDATEN e;
    e.ESPID("");
    int32_t lmin, lmax, lan;
    e.INDEXL(lmin, lmax, lan, "ID");
    EXPECT_EQ(std::tuple(lmin, lmax, lan), std::tuple(1, 5, 5));

    // INDEXV gives the stored values, Null first.
    clsDATEN g;
    g.ETABELLE("E3");
    g.ESPIDW(3);
    Variant vmin, vmax;
    int16_t van;
    g.INDEXV(vmin, vmax, van, "GWDATUM");
    EXPECT_TRUE(vmin.isNull());
    EXPECT_EQ(vmax, Variant::date(QDate(2026, 3, 2)));
    EXPECT_EQ(van, 3);
    EXPECT_EQ(boxen().count(), 0);
}

// Without an owner key a criterion alone selects the row.
TEST_F(DatenTest, CriterionWithoutOwnerKeyReads)
{
    clsDATEN d;
    d.ETABELLE("E1");
    d.ESPID("");
    QString ken;
    EXPECT_TRUE(d.DTVT("KEN", ken, "ID", Variant(3)));
    EXPECT_FALSE(ken.isEmpty());
    EXPECT_TRUE(boxen().messages().empty());
}

TEST_F(DatenTest, IndexAppliesTheFirstTextKeyOnly)
{
    clsDATEN d;
    d.EBOV(true);
    d.ETABELLE("KAVELOR_VE2");
    d.ESPID("IDK");
    d.ESPIDW(1);
    int16_t mini, maxi, an;
    d.INDEX(mini, maxi, an, "MNR");
    EXPECT_EQ(std::tuple(mini, maxi, an), std::tuple(int16_t(0), int16_t(3), int16_t(4)));
    d.ESPK2("SPALTE");
    d.ESPK2W("KD");
    d.INDEX(mini, maxi, an, "MNR");
    EXPECT_EQ(an, 4);   // the second text key alone is not applied
    d.ESPK1("SPALTE");
    d.ESPK1W("kd");     // text compares without case
    d.ESPK2("");
    d.INDEX(mini, maxi, an, "MNR");
    EXPECT_EQ(std::tuple(mini, maxi, an), std::tuple(int16_t(2), int16_t(2), int16_t(1)));
}

TEST_F(DatenTest, IndexErrorsShowTheIndexBox)
{
    clsDATEN d;
    d.ETABELLE("E2");
    d.ESPIDW(1);
    int16_t mini = 5, maxi = 5, an = 5;
    boxen().answerMessage(vb::vbCancel);
    d.INDEX(mini, maxi, an, "FEHLT");
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().title, QStringLiteral("Index"));
    EXPECT_EQ(boxen().last().buttons, vb::MsgButtons::OKCancel);
    EXPECT_TRUE(boxen().last().text.startsWith(QStringLiteral("VB-Error: ")));
    EXPECT_EQ(std::tuple(mini, maxi, an), std::tuple(int16_t(5), int16_t(5), int16_t(5)));

    // A Null index value: the box, and that output keeps its value.
    cnn().execute(QStringLiteral("UPDATE E2 SET TUKS=NULL WHERE ID=1 AND I1=0"));
    boxen().clear();
    boxen().answerMessage(vb::vbOK);
    d.INDEX(mini, maxi, an, "TUKS");
    EXPECT_EQ(boxen().count(), 1);
    EXPECT_EQ(mini, 5);
    EXPECT_EQ(maxi, 12);
    EXPECT_EQ(an, 8);
}

TEST_F(DatenTest, RecordListsSortByIdentifier)
{
    cnn().execute(QStringLiteral("INSERT INTO E1 (ID,KEN,AKT) VALUES (0,'AAA',1)"));   // ID 0 is never listed
    clsDATEN d;
    d.ETABELLE("E7");   // the lists read E1 whatever the table
    std::vector<int32_t> ids{42};
    d.LID(ids);
    EXPECT_EQ(ids, (std::vector<int32_t>{3, 5, 1, 2, 4}));
    d.LID(ids, true);
    EXPECT_EQ(ids, (std::vector<int32_t>{1}));
    std::vector<QString> ken;
    d.LKEN(ken);
    EXPECT_EQ(ken, (std::vector<QString>{"BK 3/26", "Brunnen 'Am Anger'", "KB 1", "KB 2", "RKS 4"}));

    cnn().execute(QStringLiteral("UPDATE E1 SET AKT=0"));
    d.LID(ids, true);
    EXPECT_EQ(ids, (std::vector<int32_t>{1}));   // no rows: left as it was
    d.LKEN(ken, true);
    EXPECT_EQ(ken.size(), 5u);

    // A Null identifier reaches the caller as an error.
    cnn().execute(QStringLiteral("UPDATE E1 SET KEN=NULL WHERE ID=4"));
    EXPECT_THROW(d.LKEN(ken), vb::VbError);
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(DatenTest, DeleteRemovesTheKeyedSelection)
{
    clsDATEN d;
    d.ETABELLE("E2");
    d.ESPIDW(1);
    EXPECT_TRUE(d.LOESCHEN("I1", 3));
    EXPECT_EQ(werte(QStringLiteral("SELECT COUNT(*) FROM E2 WHERE ID=1")), QStringList{"7"});
    EXPECT_TRUE(d.LOESCHEN());
    EXPECT_EQ(werte(QStringLiteral("SELECT ID, COUNT(*) FROM E2 GROUP BY ID ORDER BY ID")),
              (QStringList{"2|6", "3|64", "4|4", "5|5"}));
    EXPECT_TRUE(d.LOESCHEN());   // nothing left: still true
    boxen().answerMessage(vb::vbCancel);
    EXPECT_FALSE(d.LOESCHEN("FEHLT", 1));
    EXPECT_EQ(boxen().last().title, QStringLiteral("Datenfehler"));
}

TEST_F(DatenTest, CriteriaQuery)
{
    struct Fall {
        const char* name;
        QString feld;
        Wert wert;
        QString op;
        QString opNachher;
        std::vector<int32_t> ids;
        bool ergebnis;
    };
    const Fall faelle[] = {
        {"substring", "KEN", Variant("kb"), "LIKE", "LIKE", {1, 2}, true},
        {"apostrophe in a text value", "KEN", Variant("'Am"), "LIKE", "LIKE", {5}, true},
        {"text compares for equality", "KEN", Variant("KB 2"), "<>", "=", {2}, true},
        {"number from 3 up", "ID", Variant(3), ">=", ">=", {3, 4, 5}, true},
        {"unknown operator becomes =", "ID", Variant(5), "~", "=", {5}, true},
        {"no value lists all", "ID", std::nullopt, "", "=", {1, 2, 3, 4, 5}, true},
        {"no rows", "ID", Variant(77), "=", "=", {-1}, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        clsDATEN d;
        std::vector<int32_t> ids{-1};
        QString op = f.op;
        EXPECT_EQ(d.IDKRIT(ids, f.feld, f.wert, &op), f.ergebnis);
        EXPECT_EQ(ids, f.ids);
        EXPECT_EQ(op, f.opNachher);
    }

    // Two conditions, ordered by the first field and then the second.
    clsDATEN d;
    std::vector<int32_t> ids;
    QString op1 = QStringLiteral("LIKE"), op2 = QStringLiteral("<");
    EXPECT_TRUE(d.IDKRIT(ids, "KEN", Variant("b"), &op1, "ID", Variant(5), &op2));
    EXPECT_EQ(ids, (std::vector<int32_t>{3, 1, 2}));

    // The information system: the records of one project, by project and ID.
    clsDATEN inf;
    bool boinf = false;
    inf.EINFMDB("VESTRALIN", &boinf);
    ASSERT_TRUE(boinf);
    inf.ETABELLE("E0");
    EXPECT_TRUE(inf.IDKRIT(ids, "PROJ", Variant("te2025.07"), nullptr, "ID"));
    EXPECT_EQ(ids, std::vector<int32_t>{1});
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(DatenTest, CollectionRead)
{
    clsDATEN d;
    d.ETABELLE("E3");
    d.ESPIDW(3);
    std::shared_ptr<clsDATEN::Collection> x;
    EXPECT_TRUE(d.DTVCOL("GWDATUM", x, "I1"));
    ASSERT_TRUE(x);
    EXPECT_EQ(*x, (clsDATEN::Collection{Variant::date(QDate(2026, 2, 23)), Variant::date(QDate(2026, 3, 2))}));

    d.ESPIDW(98);
    auto vorher = x;
    EXPECT_TRUE(d.DTVCOL("GWDATUM", x, "I1"));
    EXPECT_EQ(x, vorher);   // no rows: the collection stays
    std::shared_ptr<clsDATEN::Collection> keine;
    EXPECT_TRUE(d.DTVCOL("GWDATUM", keine));
    EXPECT_FALSE(keine);
    EXPECT_FALSE(d.DTVCOL("FEHLT", keine));
    EXPECT_EQ(boxen().count(), 0);
}

} // namespace

// Rows that hold nothing but their keys (the one row the input window stores
// for an untouched grid): every other column Null or an empty text. A number
// shared with a row that holds a value is not among them.
TEST_F(DatenTest, EmptyRowsAreThoseWithNothingButTheirKeys)
{
    const char* zeilen[] = {
        "INSERT INTO E5 (ID, I1) VALUES (99, 0)",                       // untouched
        "INSERT INTO E5 (ID, I1, MX) VALUES (99, 1, 150)",              // a value without a depth
        "INSERT INTO E5 (ID, I1, VTT) VALUES (99, 2, 0)",               // a depth of 0 is a value
        "INSERT INTO E5 (ID, I1) VALUES (99, 3)",                       // shares its number ...
        "INSERT INTO E5 (ID, I1, SX) VALUES (99, 3, 4)",                // ... with a row that holds one
        "INSERT INTO E5 (ID, I1) VALUES (99, 4)",
        "INSERT INTO E5 (ID, I1, VTT) VALUES (98, 5, 1.5)",             // another record's row
        "INSERT INTO E7 (ID, I1, VTYP, MAT) VALUES (99, 0, '', NULL)",  // an empty text holds nothing
    };
    for (const char* z : zeilen)
        cnn().execute(QString::fromLatin1(z));
    struct Fall { const char* tabelle; std::vector<int32_t> leer; };
    const Fall faelle[] = {{"E5", {0, 4}}, {"E7", {0}}, {"E6", {}}};
    // Asked by query, and inside a composition's run from the rows held in
    // memory: both give the same answer.
    for (bool imLauf : {false, true}) {
        std::optional<db::Connection::Batch> lauf;
        if (imLauf)
            lauf.emplace(cnn());
        for (const Fall& f : faelle) {
            clsDATEN d;
            d.ETABELLE(f.tabelle);
            d.ESPIDW(99);
            EXPECT_EQ(d.leereZeilen("I1"), f.leer) << f.tabelle << (imLauf ? " in a run" : " by query");
        }
        if (imLauf) {
            EXPECT_TRUE(cnn().inBatch());
        }
    }
}
