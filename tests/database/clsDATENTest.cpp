// The table accessor: binding, keyed selection, row writer and reader,
// variable and array transfers.

#include "DatenFixture.h"

#include "platform/VbRuntime.h"

#include <QFileInfo>
#include <sqlite3.h>

using vb::Variant;

namespace {

// ---- binding ----------------------------------------------------------------

TEST_F(DatenTest, NewAccessorBindsToTheFirstActiveRecord)
{
    {
        clsDATEN d;
        EXPECT_EQ(d.ETABELLE(), QStringLiteral("E1"));
        EXPECT_EQ(d.ESPID(), QStringLiteral("ID"));
        EXPECT_EQ(d.ESPIDW(), 1);
        for (const QString& s : {d.ESPK1(), d.ESPK1W(), d.ESPK2(), d.ESPK2W(), d.ESPK3(), d.ESPK3W(), d.EINFMDB()})
            EXPECT_TRUE(s.isEmpty());
        EXPECT_EQ(d.verbindung(), db::sharedState().cnnX);
    }
    cnn().execute(QStringLiteral("UPDATE E1 SET AKT=0"));
    EXPECT_EQ(clsDATEN().ESPIDW(), 0);
    cnn().execute(QStringLiteral("UPDATE E1 SET AKT=1 WHERE ID IN (3,5)"));
    EXPECT_EQ(clsDATEN().ESPIDW(), 3);   // the first row the query returns
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(DatenTest, ConstructionWithoutConnectionReportsAndBindsNothing)
{
    auto cnnX = db::sharedState().cnnX;
    db::sharedState().cnnX.reset();
    clsDATEN d;
    db::sharedState().cnnX = cnnX;
    EXPECT_EQ(d.ESPIDW(), 0);
    EXPECT_EQ(d.ETABELLE(), QStringLiteral("E1"));
    ASSERT_GE(boxen().count(), 1);
    EXPECT_EQ(boxen().records().front().title, QStringLiteral("Datenfehler"));
    EXPECT_TRUE(boxen().records().front().text.startsWith(QStringLiteral("VB-Error: 91\n")));
    EXPECT_EQ(boxen().records().front().buttons, vb::MsgButtons::OKCancel);
    // Its data operations fail as a missing connection does.
    float z = 0;
    EXPECT_FALSE(d.DTVS("H", z));
}

TEST_F(DatenTest, PropertiesReadBackWhatWasWritten)
{
    clsDATEN d;
    d.ETABELLE("E7");
    d.ESPID("");
    d.ESPIDW(-5);
    d.ESPK1("A");
    d.ESPK1W("x'y");
    d.ESPK2("B");
    d.ESPK2W("2");
    d.ESPK3("C");
    d.ESPK3W("");
    EXPECT_EQ(d.ETABELLE(), QStringLiteral("E7"));
    EXPECT_EQ(d.ESPID(), QString());
    EXPECT_EQ(d.ESPIDW(), -5);
    EXPECT_EQ(d.ESPK1() + d.ESPK1W() + d.ESPK2() + d.ESPK2W() + d.ESPK3() + d.ESPK3W(), QStringLiteral("Ax'yB2C"));
}

TEST_F(DatenTest, ConnectionChoice)
{
    clsDATEN d;
    d.EBOV(true);
    EXPECT_EQ(d.verbindung(), db::sharedState().cnnX_V);
    d.EBOV(false);
    EXPECT_EQ(d.verbindung(), db::sharedState().cnnX);

    bool boinf = true;
    d.EINFMDB(QStringLiteral("FEHLT"), &boinf);
    EXPECT_FALSE(boinf);
    EXPECT_EQ(d.EINFMDB(), QStringLiteral("FEHLT"));
    EXPECT_EQ(d.verbindung(), db::sharedState().cnnX);

    d.EINFMDB(QStringLiteral("VESTRALIN"), &boinf);
    EXPECT_TRUE(boinf);
    EXPECT_EQ(d.verbindung()->path(), umgebung.pfade().vestralin);
    d.ETABELLE("E0");
    QString proj;
    d.ESPIDW(1);
    EXPECT_TRUE(d.DTVT("PROJ", proj));
    EXPECT_EQ(proj, QStringLiteral("TE2025.07"));

    // A file that is there but no database: reported, and the accessor keeps
    // the connection it had (and says it opened nothing).
    QFile kaputt(umgebung.pfade().daten + QStringLiteral("/KAPUTT.mdb"));
    ASSERT_TRUE(kaputt.open(QIODevice::WriteOnly));
    kaputt.write(QByteArray(2048, 'x'));
    kaputt.close();
    boxen().answerMessage(vb::vbOK);
    d.EINFMDB(QStringLiteral("KAPUTT"), &boinf);
    EXPECT_FALSE(boinf);
    EXPECT_EQ(d.verbindung()->path(), umgebung.pfade().vestralin);
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().title, QStringLiteral("Datenzugriff - Datenbank KAPUTT"));
    EXPECT_TRUE(boxen().last().text.startsWith(QStringLiteral("VB-Error: ")));
}

// ---- keyed selection ------------------------------------------------------

TEST_F(DatenTest, KeyedSelectionQueriesBindEveryValue)
{
    struct Fall {
        const char* name;
        std::function<void(clsDATEN&)> binden;
        std::function<clsDATEN::Abfrage(clsDATEN&)> dt;
        QString sql;
        db::Params params;
    };
    const Fall faelle[] = {
        {"criterion with value",
         [](clsDATEN& d) { d.ETABELLE("E2"); d.ESPIDW(12); },
         [](clsDATEN& d) { return d.DTAbfrage("TUKS", "I1", 3); },
         "SELECT [TUKS],[ID],[I1] FROM [E2] WHERE [ID] = ? AND [I1]=? ORDER BY [I1]",
         {Variant(12), Variant(int16_t(3))}},
        {"criterion without value orders only",
         [](clsDATEN& d) { d.ETABELLE("E2"); d.ESPIDW(12); },
         [](clsDATEN& d) { return d.DTAbfrage("TUKS", "I1"); },
         "SELECT [TUKS],[ID],[I1] FROM [E2] WHERE [ID] = ? ORDER BY [I1]",
         {Variant(12)}},
        {"text key opens the condition",
         [](clsDATEN& d) { d.ETABELLE("KAVELOR_VE1"); d.ESPID(""); d.ESPK1("AKVK"); d.ESPK1W("B"); },
         [](clsDATEN& d) { return d.DTAbfrage("IDK"); },
         "SELECT [IDK],[AKVK] FROM [KAVELOR_VE1] WHERE [AKVK] =?",
         {Variant("B")}},
        {"three text keys in order, an apostrophe bound as it is",
         [](clsDATEN& d) {
             d.ETABELLE("T"); d.ESPIDW(1);
             d.ESPK1("A"); d.ESPK1W("a'1"); d.ESPK2("B"); d.ESPK2W("b"); d.ESPK3("C"); d.ESPK3W("c");
         },
         [](clsDATEN& d) { return d.DTAbfrage("X"); },
         "SELECT [X],[ID],[A],[B],[C] FROM [T] WHERE [ID] = ? AND [A] =? AND [B] =?  AND [C] =?",
         {Variant(1), Variant("a'1"), Variant("b"), Variant("c")}},
        {"four criteria, values converted by column type",
         [](clsDATEN& d) { d.ETABELLE("G0"); d.ESPIDW(7); },
         [](clsDATEN& d) { return d.DTAbfrage("XMIN", "IDOBJEKT", 11, "OX", "1", "OY", std::nullopt, "RL"); },
         "SELECT [XMIN],[ID],[IDOBJEKT],[OX],[OY],[RL] FROM [G0] WHERE [ID] = ? AND [IDOBJEKT]=? AND [OX]=? "
         "ORDER BY [IDOBJEKT],[OX],[OY],[RL]",
         {Variant(7), Variant(int16_t(11)), Variant(int16_t(1))}},
        {"second criterion without the first: order begins with a comma",
         [](clsDATEN& d) { d.ETABELLE("E2"); d.ESPIDW(12); },
         [](clsDATEN& d) { return d.DTAbfrage("TUKS", "", std::nullopt, "I1"); },
         "SELECT [TUKS],[ID],[I1] FROM [E2] WHERE [ID] = ?,[I1]",
         {Variant(12)}},
        {"negative owner key",
         [](clsDATEN& d) { d.ETABELLE("E2"); d.ESPIDW(-5); },
         [](clsDATEN& d) { return d.DTAbfrage("TUKS"); },
         "SELECT [TUKS],[ID] FROM [E2] WHERE [ID] = ?",
         {Variant(-5)}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        clsDATEN d;
        f.binden(d);
        const clsDATEN::Abfrage a = f.dt(d);
        EXPECT_EQ(a.sql, f.sql);
        ASSERT_EQ(a.params.size(), f.params.size());
        for (size_t i = 0; i < a.params.size(); ++i)
            EXPECT_EQ(a.params[i], f.params[i]) << i << ": " << a.params[i].debugText().toStdString();
    }

    // The broken order clause fails when opened; an apostrophe in a key works.
    clsDATEN d;
    d.ETABELLE("E2");
    EXPECT_THROW(d.DT("TUKS", "", std::nullopt, "I1"), vb::VbError);
    d.ETABELLE("E1");
    d.ESPID("");
    d.ESPK1("KEN");
    d.ESPK1W("brunnen 'am anger'");
    auto rs = d.DT("ID");
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->field(0), Variant(5));
}

// ---- row writer and reader ------------------------------------------------

TEST_F(DatenTest, RowWriterReplacesTheSelection)
{
    struct Fall {
        const char* name;
        int vorher;                  // rows of record 99 before (I1 0.., TUKS 1..)
        std::vector<Variant> werte;  // written to TUKS, criterion I1 named without value
        QStringList nachher;         // I1|TUKS of record 99 afterwards, in rowid order
    };
    const Fall faelle[] = {
        {"three over five", 5, {Variant(7.5f), Variant(8.5f), Variant(9.5f)}, {"0|7,5", "1|8,5", "2|9,5"}},
        {"three over one", 1, {Variant(7.5f), Variant(8.5f), Variant(9.5f)}, {"0|7,5", "-|8,5", "-|9,5"}},
        {"over an empty selection", 0, {Variant(1.25f), Variant("2,5")}, {"-|1,25", "-|2,5"}},
        {"upper bound -1 deletes all", 5, {}, {}},
        {"one over three keeps the first", 3, {Variant(4.0f)}, {"0|4"}},
        {"empty text stores Null", 2, {Variant(""), Variant(3.0f)}, {"0|-", "1|3"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        cnn().execute(QStringLiteral("DELETE FROM E2 WHERE ID=99"));
        for (int i = 0; i < f.vorher; ++i)
            cnn().execute(QStringLiteral("INSERT INTO E2 (ID,I1,TUKS) VALUES (99,?,?)"),
                          {Variant(int16_t(i)), Variant(float(i + 1))});
        Zugriff d;
        d.ETABELLE("E2");
        d.ESPIDW(99);
        EXPECT_TRUE(d.DSCHREIBEN("TUKS", f.werte, "I1"));
        EXPECT_EQ(werte(QStringLiteral("SELECT I1,TUKS FROM E2 WHERE ID=99 ORDER BY rowid")), f.nachher);
    }
    EXPECT_EQ(boxen().count(), 0);
    // Other records are untouched.
    EXPECT_EQ(werte(QStringLiteral("SELECT COUNT(*) FROM E2 WHERE ID=1")), QStringList{"8"});
}

TEST_F(DatenTest, RowWriterFillsTheKeysOfNewRows)
{
    Zugriff d;
    d.ETABELLE("E2");
    d.ESPIDW(99);
    ASSERT_TRUE(d.DSCHREIBEN("BEMS", {Variant("  "), Variant("Torf")}, "I1", 4, "BS", 2));
    EXPECT_EQ(werte(QStringLiteral("SELECT ID,I1,BS,BEMS FROM E2 WHERE ID=99 ORDER BY rowid")),
              (QStringList{"99|4|2|  ", "99|4|2|Torf"}));   // blanks stay blanks

    // Text keys are written when named with a value.
    Zugriff v;
    v.EBOV(true);
    v.ETABELLE("KAVELOR_VE1");
    v.ESPID("IDK");
    v.ESPIDW(7);
    v.ESPK1("AKVK");
    v.ESPK1W("NEU");
    ASSERT_TRUE(v.DSCHREIBEN("ZL", {Variant(int16_t(3))}));
    auto rs = db::sharedState().cnnX_V->openRecordset(
        QStringLiteral("SELECT [AKVK],[IDK],[ZL] FROM [KAVELOR_VE1] WHERE [IDK]=7"));
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->field(0), Variant("NEU"));
    EXPECT_EQ(rs->field(2), Variant(int16_t(3)));

    // Without an owner key column the writer cannot write.
    Zugriff ohne;
    ohne.ETABELLE("E2");
    ohne.ESPID("");
    EXPECT_FALSE(ohne.DSCHREIBEN("TUKS", {Variant(1.0f)}));
}

TEST_F(DatenTest, RowReaderLeavesWhatItCannotRead)
{
    fuenfSchichten();
    cnn().execute(QStringLiteral("UPDATE E2 SET TUKS=NULL WHERE ID=99 AND I1=1"));
    Zugriff d;
    d.ETABELLE("E2");
    d.ESPIDW(99);
    const Variant alt("alt");

    std::vector<Variant> drei(3, alt);
    EXPECT_TRUE(d.DLESEN("TUKS", drei, "I1"));
    EXPECT_EQ(drei, (std::vector<Variant>{Variant(1.0f), alt, Variant(3.0f)}));

    cnn().execute(QStringLiteral("DELETE FROM E2 WHERE ID=99 AND I1>=2"));
    std::vector<Variant> fuenf(5, alt);
    EXPECT_TRUE(d.DLESEN("TUKS", fuenf, "I1"));
    EXPECT_EQ(fuenf, (std::vector<Variant>{Variant(1.0f), alt, alt, alt, alt}));

    d.ESPIDW(98);
    std::vector<Variant> keine(2, alt);
    EXPECT_TRUE(d.DLESEN("TUKS", keine, "I1"));
    EXPECT_EQ(keine, std::vector<Variant>(2, alt));

    // A column the table lacks: both answer false and show nothing.
    EXPECT_FALSE(d.DLESEN("FEHLT", keine, "I1"));
    EXPECT_FALSE(d.DSCHREIBEN("FEHLT", {Variant(1)}, "I1"));
    EXPECT_EQ(boxen().count(), 0);
}

// ---- variable and array transfers -----------------------------------------

TEST_F(DatenTest, ViewRecordRoundTripAddsTheKeyedRow)
{
    clsDATEN g;
    g.ETABELLE("G0");
    g.ESPIDW(3);
    float x = -1;
    EXPECT_TRUE(g.DTVS("XMIN", x, "IDOBJEKT", 11));
    EXPECT_EQ(x, 0.0f);
    EXPECT_TRUE(g.DVTS("XMIN", 2.5f, "IDOBJEKT", 11));
    EXPECT_TRUE(g.DVTI("OY", -1, "IDOBJEKT", 11));
    EXPECT_TRUE(g.DTVS("XMIN", x, "IDOBJEKT", 11));
    EXPECT_EQ(x, 2.5f);
    EXPECT_EQ(werte(QStringLiteral("SELECT ID,IDOBJEKT,XMIN,OY FROM G0 WHERE ID = 3")), QStringList{"3|11|2,5|-1"});
}

TEST_F(DatenTest, ScalarReadsGiveTheZeroValueForMissingRowsAndNull)
{
    clsDATEN d;
    d.ETABELLE("E3");
    d.ESPIDW(3);
    // Row I1 2 of record 3 has no date; record 99 has no rows at all.
    for (int id : {3, 99}) {
        SCOPED_TRACE(id);
        d.ESPIDW(id);
        const Wert zeile = id == 3 ? Wert(Variant(2)) : Wert(Variant(0));
        QDateTime a = QDateTime::currentDateTime();
        bool b = true;
        QString t = QStringLiteral("x");
        int16_t i = 9;
        int32_t l = 9;
        float s = 9;
        double dd = 9;
        Variant v("x");
        EXPECT_TRUE(d.DTVA("GWDATUM", a, "I1", zeile));
        EXPECT_EQ(a, QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
        EXPECT_TRUE(d.DTVB("GWDATUM", b, "I1", zeile));
        EXPECT_FALSE(b);
        EXPECT_TRUE(d.DTVT("GWDATUM", t, "I1", zeile));
        EXPECT_EQ(t, QString());
        EXPECT_TRUE(d.DTVI("GWDATUM", i, "I1", zeile));
        EXPECT_TRUE(d.DTVL("GWDATUM", l, "I1", zeile));
        EXPECT_TRUE(d.DTVS("GWDATUM", s, "I1", zeile));
        EXPECT_TRUE(d.DTVD("GWDATUM", dd, "I1", zeile));
        EXPECT_EQ(i + l + s + dd, 0.0);
        EXPECT_TRUE(d.DTVV("GWDATUM", v, "I1", zeile));
        EXPECT_TRUE(v.isEmpty());
    }
    // Several rows: the first in selection order counts.
    QDateTime a;
    EXPECT_TRUE(d.DTVA("GWDATUM", a, "I1"));
    EXPECT_EQ(a, QDateTime(QDate(1899, 12, 30), QTime(0, 0)));   // I1 0 of record 99: none
    d.ESPIDW(3);
    EXPECT_TRUE(d.DTVA("GWDATUM", a, "I1"));
    EXPECT_EQ(a.date(), QDate(2026, 2, 23));
    EXPECT_EQ(boxen().count(), 0);
}

TEST_F(DatenTest, TextIsConvertedUnderTheLocaleAndRefusedWhenItDoesNotFit)
{
    clsDATEN d;
    d.ETABELLE("E2");
    d.ESPIDW(1);
    EXPECT_TRUE(d.DVTT("TUKS", "1,5", "I1", 0));
    float s = 0;
    ASSERT_TRUE(d.DTVS("TUKS", s, "I1", 0));
    EXPECT_EQ(s, 1.5f);
    EXPECT_EQ(boxen().count(), 0);

    EXPECT_FALSE(d.DVTT("TUKS", "abc", "I1", 0));
    ASSERT_EQ(boxen().count(), 1);
    const vb::DialogRecord& box = boxen().last();
    EXPECT_EQ(box.text, QStringLiteral("Wert abc kann nicht in die Spalte TUKS der Tabelle E2 gespeichert werden!"));
    EXPECT_EQ(box.title, QStringLiteral("Datenfehler"));
    EXPECT_EQ(box.buttons, vb::MsgButtons::OKOnly);
    EXPECT_EQ(box.icon, vb::MsgIcon::Exclamation);
    ASSERT_TRUE(d.DTVS("TUKS", s, "I1", 0));
    EXPECT_EQ(s, 1.5f);   // the refused value stored nothing

    // A stored value beyond the target's range raises to the caller, without a box.
    EXPECT_TRUE(d.DVTS("TUKS", 40000.0f, "I1", 0));
    int16_t i = 7;
    try {
        d.DTVI("TUKS", i, "I1", 0);
        FAIL() << "no overflow";
    } catch (const vb::VbError& e) {
        EXPECT_EQ(e.number, vb::err::Overflow);
    }
    EXPECT_EQ(i, 7);
    EXPECT_EQ(boxen().count(), 1);
}

TEST_F(DatenTest, DataErrorBoxesOfTheTransfers)
{
    clsDATEN d;
    d.ETABELLE("E2");
    d.ESPIDW(1);
    std::vector<float> vier(4, -1.0f);
    struct Fall {
        const char* name;
        std::function<bool()> aufruf;
        bool ergebnis;
        QString text;
        vb::MsgButtons knoepfe;
    };
    const QString feldLesen = QStringLiteral(
        "Werte der Spalte TUKS der Tabelle E2 können nicht aus der Spalte TUKS eingelesen werden!\nVB-Error: 9\n");
    const std::vector<Fall> faelle = {
        {"array write", [&] { return d.DVTTF("TUKS", {"1", "x"}, "I1"); }, false,
         "Werte können nicht in Spalte TUKS der Tabelle E2 gespeichert werden!", vb::MsgButtons::OKOnly},
        {"scalar read", [&] { float z; return d.DTVS("FEHLT", z, "I1", 0); }, false,
         "Wert  kann nicht aus der Spalte FEHLT der Tabelle E2 eingelesen werden!", vb::MsgButtons::OKOnly},
        {"scalar write of a date", [&] { return d.DVTA("FEHLT", QDateTime(QDate(2026, 3, 12), QTime(0, 0))); },
         false, "Wert 12.03.2026 kann nicht in die Spalte FEHLT der Tabelle E2 gespeichert werden!",
         vb::MsgButtons::OKOnly},
        {"array read beyond the array, OK", [&] { boxen().answerMessage(vb::vbOK); return d.DTVSF("TUKS", vier, "I1"); },
         true, feldLesen, vb::MsgButtons::OKCancel},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        boxen().clear();
        EXPECT_EQ(f.aufruf(), f.ergebnis);
        ASSERT_GE(boxen().count(), 1);
        const vb::DialogRecord& box = boxen().records().front();
        EXPECT_TRUE(box.text.startsWith(f.text)) << box.text.toStdString();
        EXPECT_EQ(box.title, QStringLiteral("Datenfehler"));
        EXPECT_EQ(box.buttons, f.knoepfe);
        EXPECT_EQ(box.icon, vb::MsgIcon::Exclamation);
    }
    // Eight layers into four elements: a box for each of rows 4 to 7 with OK,
    // the first four rows read. Row 0 holds the 1 that the failed array write
    // stored before it met "x": what was written before an error stays.
    EXPECT_EQ(boxen().count(), 4);
    EXPECT_EQ(vier, (std::vector<float>{1.0f, 1.4f, 2.6f, 4.1f}));
    // Cancel leaves at the first row outside the array.
    boxen().clear();
    boxen().answerMessage(vb::vbCancel);
    EXPECT_FALSE(d.DTVSF("TUKS", vier, "I1"));
    EXPECT_EQ(boxen().count(), 1);
}

TEST_F(DatenTest, ArrayTransfersByRowNumber)
{
    clsDATEN d;
    d.ETABELLE("E2");
    d.ESPIDW(99);
    // Written column by column, row numbers first.
    ASSERT_TRUE(d.DVTIF("I1", {0, 1, 2, 3, 4}, "I1"));
    ASSERT_TRUE(d.DVTSF("TUKS", {0.5f, 1.5f, 2.5f, 3.5f, 4.5f}, "I1"));
    ASSERT_TRUE(d.DVTVF("BEMS", {Variant("a"), Variant(""), Variant::null(), Variant("d"), Variant("e")}, "I1"));
    ASSERT_TRUE(d.DVTTF("HPTB1", {"G", "S", "U", "T", "Mu"}, "I1"));
    ASSERT_TRUE(d.DVTBF("BS", {true, false, true, false, false}, "I1"));

    std::vector<Variant> bems(5, Variant("alt"));
    ASSERT_TRUE(d.DTVVF("BEMS", bems, "I1"));
    EXPECT_EQ(bems, (std::vector<Variant>{Variant("a"), Variant("alt"), Variant("alt"), Variant("d"), Variant("e")}));
    std::vector<float> tuks(5);
    ASSERT_TRUE(d.DTVSF("TUKS", tuks, "I1"));
    EXPECT_EQ(tuks, (std::vector<float>{0.5f, 1.5f, 2.5f, 3.5f, 4.5f}));
    std::vector<int16_t> bs(5, 7);
    ASSERT_TRUE(d.DTVIF("BS", bs, "I1"));
    EXPECT_EQ(bs, (std::vector<int16_t>{-1, 0, -1, 0, 0}));
    std::vector<QString> h(5);
    ASSERT_TRUE(d.DTVTF("TUKS", h, "I1"));
    EXPECT_EQ(h, (std::vector<QString>{"0,5", "1,5", "2,5", "3,5", "4,5"}));
    std::vector<bool> wahr(5, true);
    ASSERT_TRUE(d.DTVBF("BS", wahr, "I1"));
    EXPECT_EQ(wahr, (std::vector<bool>{true, false, true, false, false}));

    // No rows: the array stays untouched.
    d.ESPIDW(98);
    std::vector<float> leer(2, 9.0f);
    EXPECT_TRUE(d.DTVSF("TUKS", leer, "I1"));
    EXPECT_EQ(leer, std::vector<float>(2, 9.0f));
    EXPECT_EQ(boxen().count(), 0);

    std::vector<QDateTime> daten(3);
    d.ETABELLE("E3");
    d.ESPIDW(1);
    ASSERT_TRUE(d.DTVAF("GWDATUM", daten, "I1"));
    EXPECT_EQ(daten[1].date(), QDate(2026, 3, 19));
}

// Rows the writer changes are not exposed to a second call of the same
// accessor from the message loop.
TEST_F(DatenTest, WriterLetsMessagesRunButRefusesReentry)
{
    clsDATEN d;
    d.ETABELLE("E2");
    d.ESPIDW(99);
    int gelaufen = 0;
    bool innen = true;
    db::sharedState().nachrichtenHook = [&] {
        if (gelaufen++ == 1)
            innen = d.DVTSF("TUKS", {9.0f}, "I1");   // would delete the rows being written
    };
    const bool aussen = d.DVTSF("TUKS", {1.0f, 2.0f, 3.0f, 4.0f}, "I1");
    db::sharedState().nachrichtenHook = nullptr;
    EXPECT_TRUE(aussen);
    EXPECT_FALSE(innen);
    EXPECT_EQ(gelaufen, 4);   // once after each row
    EXPECT_EQ(werte(QStringLiteral("SELECT TUKS FROM E2 WHERE ID=99 ORDER BY rowid")),
              (QStringList{"1", "2", "3", "4"}));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text,
              QStringLiteral("Werte können nicht in Spalte TUKS der Tabelle E2 gespeichert werden!"));
    // Afterwards the accessor works again.
    EXPECT_TRUE(d.DVTSF("TUKS", {5.0f}, "I1"));
}


// A write that cannot be committed (another program holds the file) is
// reported and rolled back; the connection is left without an open
// transaction, so later writes are committed and seen by others.
TEST_F(DatenTest, AWriteThatCannotCommitLeavesNoTransactionOpen)
{
    sqlite3_busy_timeout(cnn().handle(), 20);
    sqlite3* leser = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(umgebung.arbeitskopie()).constData(), &leser,
                              SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(leser, "SELECT * FROM E2", -1, &st, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);   // holds a read lock

    clsDATEN d;
    d.ETABELLE("E2");
    d.ESPIDW(99);
    EXPECT_FALSE(d.DVTSF("TUKS", {1.0f, 2.0f}, "I1"));
    ASSERT_EQ(boxen().count(), 1);
    EXPECT_EQ(boxen().last().text,
              QStringLiteral("Werte können nicht in Spalte TUKS der Tabelle E2 gespeichert werden!"));
    sqlite3_finalize(st);
    sqlite3_close(leser);
    EXPECT_FALSE(cnn().inTransaction());

    EXPECT_TRUE(d.DVTSF("TUKS", {3.0f}, "I1"));
    EXPECT_FALSE(cnn().inTransaction());
    auto andere = db::Connection::open(umgebung.arbeitskopie());
    auto rs = andere->openRecordset(QStringLiteral("SELECT [TUKS] FROM [E2] WHERE [ID]=99"));
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->field(0), Variant(3.0f));
}


// The boxes of every kind of member, word for word, on an accessor that has
// no connection (every data operation then fails at its first step).
TEST_F(DatenTest, DataErrorBoxTextsWordForWord)
{
    auto cnnX = db::sharedState().cnnX;
    db::sharedState().cnnX.reset();
    clsDATEN d;
    db::sharedState().cnnX = cnnX;
    d.ETABELLE("E2");
    const QString nichtFestgelegt =
        QStringLiteral("VB-Error: 91\nObjektvariable oder With-Blockvariable nicht festgelegt");
    const QString feldLesen = QStringLiteral(
        "Werte der Spalte TUKS der Tabelle E2 können nicht aus der Spalte TUKS eingelesen werden!\n");
    const vb::MsgButtons nurOk = vb::MsgButtons::OKOnly, okAbbrechen = vb::MsgButtons::OKCancel;

    int16_t i16 = 0;
    int32_t i32 = 0;
    Variant v;
    float z = 0;
    std::vector<float> feld(3);
    std::vector<int32_t> ids;
    struct Fall {
        const char* name;
        std::function<void()> aufruf;
        QString titel;
        QString text;
        vb::MsgButtons knoepfe;
    };
    const Fall faelle[] = {
        {"scalar write of a number", [&] { EXPECT_FALSE(d.DVTS("TUKS", 1.5f, "I1", 0)); }, "Datenfehler",
         "Wert 1,5 kann nicht in die Spalte TUKS der Tabelle E2 gespeichert werden!", nurOk},
        {"scalar write of a text", [&] { EXPECT_FALSE(d.DVTT("BEMS", "Torf")); }, "Datenfehler",
         "Wert Torf kann nicht in die Spalte BEMS der Tabelle E2 gespeichert werden!", nurOk},
        {"array write", [&] { EXPECT_FALSE(d.DVTSF("TUKS", {1.0f, 2.0f}, "I1")); }, "Datenfehler",
         "Werte können nicht in Spalte TUKS der Tabelle E2 gespeichert werden!", nurOk},
        {"scalar read", [&] { EXPECT_FALSE(d.DTVS("TUKS", z, "I1", 0)); }, "Datenfehler",
         "Wert  kann nicht aus der Spalte TUKS der Tabelle E2 eingelesen werden!", nurOk},
        {"array read", [&] { EXPECT_TRUE(d.DTVSF("TUKS", feld, "I1")); }, "Datenfehler",
         feldLesen + nichtFestgelegt, okAbbrechen},
        {"INDEX", [&] { d.INDEX(i16, i16, i16, "I1"); }, "Index", nichtFestgelegt, okAbbrechen},
        {"INDEXV", [&] { d.INDEXV(v, v, i16, "I1"); }, "Index", nichtFestgelegt, okAbbrechen},
        {"INDEXL", [&] { d.INDEXL(i32, i32, i32, "ID"); }, "Datenfehler", nichtFestgelegt, okAbbrechen},
        {"LOESCHEN, OK still ends true", [&] { EXPECT_TRUE(d.LOESCHEN()); }, "Datenfehler", nichtFestgelegt,
         okAbbrechen},
        {"IDKRIT", [&] { EXPECT_FALSE(d.IDKRIT(ids, "ID")); }, "Datenfehler", nichtFestgelegt, okAbbrechen},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        boxen().clear();
        f.aufruf();
        ASSERT_EQ(boxen().count(), 1);
        EXPECT_EQ(boxen().last().title, f.titel);
        EXPECT_EQ(boxen().last().text, f.text);
        EXPECT_EQ(boxen().last().buttons, f.knoepfe);
        EXPECT_EQ(boxen().last().icon, vb::MsgIcon::Exclamation);
    }
    // The collection read answers false without a box.
    boxen().clear();
    std::shared_ptr<clsDATEN::Collection> x;
    EXPECT_FALSE(d.DTVCOL("TUKS", x));
    EXPECT_EQ(boxen().count(), 0);
}


// Run from a development folder (its path holds "source" in any case), the
// presets are the working copy and other databases lie in the project folder.
TEST_F(DatenTest, DevelopmentModeUsesTheWorkingCopyAndTheProjectFolder)
{
    vb::setProgramFolder(umgebung.pfade().wurzel + QStringLiteral("/Source/KAVELOR"));
    clsDATEN d;
    d.EBOV(true);
    EXPECT_EQ(d.verbindung(), db::sharedState().cnnX);

    bool boinf = true;
    d.EINFMDB(QStringLiteral("VESTRALIN"), &boinf);
    EXPECT_FALSE(boinf);   // the shared databases' folder is not looked at
    EXPECT_EQ(d.verbindung(), db::sharedState().cnnX);

    const QString imProjekt = umgebung.pfade().projekt + QStringLiteral("/VESTRALIN.mdb");
    ASSERT_TRUE(QFile::copy(umgebung.pfade().vestralin, imProjekt));
    d.EINFMDB(QStringLiteral("VESTRALIN"), &boinf);
    EXPECT_TRUE(boinf);
    EXPECT_EQ(d.verbindung()->path(), imProjekt);
    EXPECT_EQ(boxen().count(), 0);
    vb::setProgramFolder(umgebung.pfade().programm);
}

} // namespace
