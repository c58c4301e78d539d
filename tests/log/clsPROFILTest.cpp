// The log painter through the recording engine: the engine hand-over, the depth
// arrow, the value scale, the soil column and the header block.
#include "Maler.h"
#include "Protokoll.h"

#include "database/clsDATEN.h"
#include "log/ProfilRegeln.h"
#include "log/clsPROFIL.h"

#include <cmath>
#include <set>

namespace {

// Circles of the depth arrow's corner (radius 0.3 mm), apart from the
// circles of the sand symbols in the strip.
int pfeilkreise(const drawing::RecordingEngine& e)
{
    int n = 0;
    for (const Aufruf& a : alle(e, QStringLiteral("KREIS")))
        n += std::fabs(a.z[2] - 0.3f) < 1e-6f;
    return n;
}

} // namespace

TEST(clsPROFIL, HandOverCopiesTheViewRecordAndTheDownSign)
{
    Maler m;
    m.uebergeben(0.2f, -1);
    EXPECT_FLOAT_EQ(m.p.MY(), 0.2f);
    EXPECT_FLOAT_EQ(m.p.MX(), 1.0f);
    EXPECT_FLOAT_EQ(m.p.XMAX(), 840.0f);
    EXPECT_FLOAT_EQ(m.p.YMIN(), -2.7f);
    EXPECT_EQ(m.p.abwaerts(), 1);
    m.uebergeben(0.1f, 1);
    EXPECT_EQ(m.p.abwaerts(), -1);

    // Multiple evaluation: the view record of record 0 is read instead.
    m.sql("INSERT INTO G0 (ID, IDOBJEKT, OY, MX, MY) VALUES (0, 11, 1, 2, 0.5)");
    m.p.setEMEHRFACHAUSWERTUNG(true);
    m.p.setEclsBILD(m.rec);
    EXPECT_FLOAT_EQ(m.p.MY(), 0.5f);
    EXPECT_FLOAT_EQ(m.p.MX(), 2.0f);
    EXPECT_TRUE(m.dienste.dialogs.messages().empty());
}

TEST(clsPROFIL, DepthArrowSymbol)
{
    struct Fall { bool etav; bool eopth; const char* symbol; };
    const Fall faelle[] = {{true, true, "z"}, {true, false, "z"}, {false, true, "NN"}, {false, false, "z"}};
    for (const Fall& f : faelle) {
        Maler m;
        m.uebergeben();
        m.p.setETAV(f.etav);
        m.p.setEOPTH(f.eopth);
        m.p.TIEFENPFEIL(100, 7);
        const auto zeilen = texte(*m.rec);
        ASSERT_EQ(zeilen.size(), 2) << f.etav << f.eopth;
        EXPECT_EQ(zeilen[0], QString::fromLatin1(f.symbol));
        EXPECT_EQ(zeilen[1], QStringLiteral("[m]"));
        const auto unit = text(*m.rec, QStringLiteral("[m]"));
        EXPECT_FLOAT_EQ(unit->z[0], 88.0f);           // 2 mm left of the corner 10 mm left of x
        EXPECT_FLOAT_EQ(unit->z[1], 7 * 0.4f * 0.1f); // one line lower
        const auto pfeil = alle(*m.rec, QStringLiteral("POLYGON"));
        ASSERT_EQ(pfeil.size(), 1u);
        EXPECT_EQ(pfeil[0].pfeil, 1);                 // arrow head
        EXPECT_FLOAT_EQ(pfeil[0].z[5], 0.5f);         // 5 mm down
    }
}

TEST(clsPROFIL, ValueScale)
{
    Maler m;
    m.uebergeben();
    int16_t sg = 0;
    const float r = m.p.MSKALA(50, 0, 0, 100, 30, 20, sg, QStringLiteral("n15 / n30"), 0);
    EXPECT_EQ(sg, 6);
    EXPECT_FLOAT_EQ(r, 5.0f);
    const auto linien = alle(*m.rec, QStringLiteral("POLYGON"));
    ASSERT_EQ(linien.size(), 5u);   // axis and four ticks at 0, 30, 60, 90
    EXPECT_FLOAT_EQ(linien[0].z[2], 75.0f);   // axis 5 mm longer than the scale
    for (int k = 0; k < 4; ++k)
        EXPECT_FLOAT_EQ(linien[size_t(k) + 1].z[0], 50 + k * 6.0f) << k;
    EXPECT_EQ(texte(*m.rec), (QStringList{"0", "100", "n15 / n30"}));
    EXPECT_FLOAT_EQ(text(*m.rec, QStringLiteral("100"))->z[0], 70.0f);

    m.rec->clear();
    sg = 6;
    m.p.MSKALA(0, 0, 0, 0.05f, 0.01f, 20, sg, QStringLiteral("t"), 0);
    EXPECT_TRUE(text(*m.rec, QStringLiteral("0,05"))) << texte(*m.rec).join('|').toStdString();
}

// A scale whose values are all equal spans one step instead of dividing by zero.
TEST(clsPROFIL, ValueScaleWithoutExtentDrawsOneStep)
{
    Maler m;
    m.uebergeben();
    int16_t sg = 6;
    const float r = m.p.MSKALA(10, 0, 0, 0, 10, 20, sg, QStringLiteral("w [%]"), 2);
    EXPECT_FLOAT_EQ(r, 0.5f);
    for (const auto& a : aufrufe(*m.rec))
        for (float z : a.z)
            EXPECT_TRUE(std::isfinite(z)) << a.name.toStdString();
    EXPECT_EQ(alle(*m.rec, QStringLiteral("POLYGON")).size(), 3u);   // axis and two ticks
    EXPECT_EQ(texte(*m.rec), (QStringList{"0", "10", "w [%]"}));
    EXPECT_TRUE(m.dienste.dialogs.messages().empty());
}

TEST(clsPROFIL, RandomIntegerCoversItsRange)
{
    Maler m;
    m.uebergeben();
    std::set<int> gesehen;
    for (int k = 0; k < 2000; ++k) {
        const int z = m.p.ZUFALLSZAHL(3, 12);
        ASSERT_GE(z, 3);
        ASSERT_LE(z, 12);
        gesehen.insert(z);
    }
    EXPECT_EQ(gesehen.size(), 10u);
}

TEST(clsPROFIL, SoilColumnWithoutLayersDrawsNothing)
{
    Maler m;
    m.uebergeben();
    auto e2 = m.tabelle("E2");
    ProfilParameter pp;
    pp.X = 100;
    m.p.PROFIL(*e2, pp);
    EXPECT_TRUE(m.rec->calls().isEmpty());
    EXPECT_EQ(pp.SG, 8);
}

// Three layers, the first two thinner than a line: their labels and text
// blocks move down; the thick third returns to its own bottom.
TEST(clsPROFIL, SoilColumnDepthLabelsDescriptionsAndAssessors)
{
    Maler m;
    m.schicht(0, 0.1f, "Mu", "", "", "", "", "", "Auffüllung", 0);
    m.schicht(1, 0.2f, "G", "S", "u'", "ka* ", "md", "keine Angabe", "", 2);
    m.schicht(2, 4.0f, "b'T", "", "s", "", "st", "", "", 5);
    m.uebergeben();
    m.p.setEH(312.5f);
    m.p.setELBU({"Dr. Huber", "", "Ing. Maier", ""});
    auto e2 = m.tabelle("E2");

    struct Fall { bool etav; QStringList tiefen; QString oben; };
    const Fall faelle[] = {
        {true, {"0,10", "0,20", "4,00"}, "0.00"},
        {false, {"312,40", "312,30", "308,50"}, "312,50"},
    };
    for (const Fall& f : faelle) {
        m.rec->clear();
        m.p.setETAV(f.etav);
        ProfilParameter pp;
        pp.BUV = pp.BEMV = pp.BFV = pp.BZSV = 1;
        pp.SG = 7;
        pp.X = 183;
        m.p.PROFIL(*e2, pp);

        const float h = 7 * 0.4f * 0.1f;   // one line in metres
        const float L[] = {h, 2 * h, 4.0f};
        for (int i = 0; i < 3; ++i) {
            const auto t = text(*m.rec, f.tiefen[i]);
            ASSERT_TRUE(t) << f.tiefen[i].toStdString() << " in " << texte(*m.rec).join('|').toStdString();
            EXPECT_FLOAT_EQ(t->z[0], 183 - 2.5f);
            EXPECT_NEAR(t->z[1], L[i], 1e-6) << i;
            EXPECT_EQ(t->z[4], 2);   // right-aligned
        }
        const auto oben = text(*m.rec, f.oben);
        ASSERT_TRUE(oben);
        EXPECT_FLOAT_EQ(oben->z[1], 0);

        // Text blocks: 1.7 lines, plus a line for a colour or a remark.
        const float b0 = 2.7f * 7 * 0.4f * 0.1f, b1 = b0;
        const float B0 = b0, B1 = B0 + b1, B2 = 4.0f;
        // The description, not the word written into the layer itself.
        const auto d0 = textBei(*m.rec, QStringLiteral("Mu"), 183 + 7.5f);
        const auto d1 = text(*m.rec, QStringLiteral("(G, S, u', md) 2"));
        const auto d2 = text(*m.rec, QStringLiteral("(b'T, s, st) "));
        ASSERT_TRUE(d0 && d1 && d2) << texte(*m.rec).join('|').toStdString();
        // Each description starts 0.35 lines below the top of its block, clear
        // of the leader (the ground line's stroke for the first) running there.
        const float abstand = 0.35f * h;
        EXPECT_NEAR(d0->z[1], B0 - b0 + abstand, 1e-6);
        EXPECT_NEAR(d1->z[1], B1 - b1 + abstand, 1e-6);
        EXPECT_NEAR(d2->z[1], B2 - (B2 - B1) + abstand, 1e-6);   // block from the previous block down to the layer
        EXPECT_FLOAT_EQ(d1->z[0], 183 + 7.5f);
        const auto rem = text(*m.rec, QStringLiteral("Auffüllung"));
        ASSERT_TRUE(rem);
        EXPECT_NEAR(rem->z[1], d0->z[1] + h, 1e-6);
        const auto farbe = text(*m.rec, QStringLiteral("keine Angabe"));
        ASSERT_TRUE(farbe);
        EXPECT_NEAR(farbe->z[1], d1->z[1] + h, 1e-6);

        // Assessors 1 and 3 on consecutive lines below the last block.
        const auto a1 = text(*m.rec, QStringLiteral("1: Dr. Huber"));
        const auto a3 = text(*m.rec, QStringLiteral("3: Ing. Maier"));
        ASSERT_TRUE(a1 && a3);
        EXPECT_FLOAT_EQ(a1->z[0], 183 + 30);
        EXPECT_NEAR(a1->z[1], 4.0f + h, 1e-6);
        EXPECT_NEAR(a3->z[1], 4.0f + 2 * h, 1e-6);
        EXPECT_FALSE(text(*m.rec, QStringLiteral("2: ")));

        // Depth leader of the thin second layer: from its bottom to the moved label.
        bool leader = false;
        for (const auto& a : alle(*m.rec, QStringLiteral("POLYGON")))
            if (a.z.size() == 6 && a.z[0] == 183 && std::fabs(a.z[1] - 0.2f) < 1e-6f)
                leader = std::fabs(a.z[3] - 2 * h) < 1e-6f && a.z[4] == 183 - 9;
        EXPECT_TRUE(leader);
    }
    EXPECT_TRUE(m.dienste.dialogs.messages().empty());
}

TEST(clsPROFIL, SoilColumnSwitches)
{
    Maler m;
    m.schicht(0, 3.0f, "S", "", "", "", "", "RAL8011", "feucht", 1);
    m.uebergeben();
    m.p.setELBU({"A", "B", "C", "D"});
    auto e2 = m.tabelle("E2");

    // Everything off but the numbers: no colour, remark, assessor list.
    ProfilParameter pp;
    pp.X = 50;
    pp.SG = 7;
    pp.BOKOT = 1;
    m.p.PROFIL(*e2, pp);
    EXPECT_EQ(texte(*m.rec), (QStringList{"(S) "}));
    EXPECT_EQ(pfeilkreise(*m.rec), 0);   // no depth arrow

    // ARV: one thick layer, the first line one line above the middle.
    m.rec->clear();
    pp = ProfilParameter();
    pp.X = 50;
    pp.SG = 7;
    pp.ARV = true;
    m.p.PROFIL(*e2, pp);
    const auto t = text(*m.rec, QStringLiteral("(S) "));
    ASSERT_TRUE(t);
    EXPECT_NEAR(t->z[1], 3.0f - 7 * 0.4f * 0.1f - 1.5f, 1e-6);
    EXPECT_TRUE(text(*m.rec, QStringLiteral("z")));
    EXPECT_EQ(pfeilkreise(*m.rec), 1);
}

TEST(clsPROFIL, SoilColumnErrorShowsItsBoxAndCancelLeaves)
{
    Maler m;
    m.schicht(0, 1.0f, "G");
    clsPROFIL ohneMaschine;
    auto e2 = m.tabelle("E2");
    m.dienste.dialogs.answerMessage(vb::vbCancel);
    ProfilParameter pp;
    pp.X = 10;
    ohneMaschine.PROFIL(*e2, pp);
    const auto boxen = m.dienste.dialogs.messages();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].title, QStringLiteral("clsPROFIL, PROFIL"));
    EXPECT_TRUE(boxen[0].text.startsWith(QStringLiteral("VB-Fehler: 91\n"))) << boxen[0].text.toStdString();
}

TEST(clsPROFIL, HeaderBlock)
{
    struct Fall { const char* optk; std::optional<vb::Variant> aoptk; const char* zeile1; };
    const Fall faelle[] = {
        {"1", std::nullopt, "Geodätisches Koordinatensystem"},
        {"0", std::nullopt, "Lokales Koordinatensystem"},
        {"NULL", std::nullopt, "Lokales Koordinatensystem"},
        {"1", vb::Variant(int16_t(1)), "Lokales Koordinatensystem"},   // not a Boolean: False
        {"0", vb::Variant(true), "Geodätisches Koordinatensystem"},
    };
    for (const Fall& f : faelle) {
        Maler m;
        m.sql((std::string("UPDATE E1 SET OPTK = ") + f.optk).c_str());
        m.uebergeben();
        m.p.setEH(312.5f);
        m.p.setEOPTH(true);
        auto e1 = m.tabelle("E1");
        KopfParameter k;
        k.X = 0;
        k.Y = -2.7f;
        k.AOPTK = f.aoptk;
        m.p.BESCHRIFTUNG(*e1, k);
        EXPECT_EQ(k.SG, 8);
        const auto zeilen = texte(*m.rec);
        ASSERT_EQ(zeilen.size(), 8) << f.optk;
        EXPECT_EQ(zeilen[0], QString::fromUtf8(f.zeile1)) << f.optk;
        EXPECT_EQ(zeilen[1], QStringLiteral("Rechtswert = 5432100,125 m"));
        EXPECT_EQ(zeilen[5], QStringLiteral("Maßstab 1: 100"));
        const auto z4 = text(*m.rec, zeilen[3]);
        EXPECT_FLOAT_EQ(z4->z[0], 0);
        EXPECT_NEAR(z4->z[1], -2.7f + 3 * 0.4f, 1e-5);   // 4 mm lines at 1:100
        EXPECT_FLOAT_EQ(text(*m.rec, zeilen[1])->z[0], 5);
        EXPECT_FLOAT_EQ(text(*m.rec, zeilen[4])->z[0], 60);
        const auto regel = alle(*m.rec, QStringLiteral("POLYGON"));
        ASSERT_EQ(regel.size(), 1u);
        EXPECT_FLOAT_EQ(regel[0].z[2], 840);   // LL missing: to the end of the x range
        EXPECT_NEAR(regel[0].z[1], -2.7f + 4.5f * 0.4f, 1e-5);
    }
}

TEST(clsPROFIL, HeaderBlockRuleLength)
{
    struct Fall { float ll; size_t regeln; float ende; };
    const Fall faelle[] = {{0, 1, 840}, {20, 1, 30}, {-1, 0, 0}};
    for (const Fall& f : faelle) {
        Maler m;
        m.uebergeben();
        auto e1 = m.tabelle("E1");
        KopfParameter k;
        k.X = 10;
        k.LL = f.ll;
        m.p.BESCHRIFTUNG(*e1, k);
        const auto regel = alle(*m.rec, QStringLiteral("POLYGON"));
        ASSERT_EQ(regel.size(), f.regeln) << f.ll;
        if (f.regeln) {
            EXPECT_FLOAT_EQ(regel[0].z[2], f.ende);
        }
    }
}

// A stored value that the field's type cannot take is reported in the
// operation's box; after OK the remaining fields of the row are still read.
TEST(clsPROFIL, UnconvertibleValueIsReportedAndTheOtherFieldsAreRead)
{
    {
        Maler m;
        m.sql("INSERT INTO E2 (ID, I1, TUKS, HPTB1, HPTB2, BS) VALUES (7, 0, 'abc', 'G', 'S', 2)");
        m.schicht(1, 2.0f, "fS");
        m.uebergeben();
        m.p.setELBU({"A"});
        m.p.setETAV(true);
        m.dienste.dialogs.answerMessage(vb::vbOK);
        auto e2 = m.tabelle("E2");
        ProfilParameter pp;
        pp.X = 50;
        pp.BUV = 1;
        m.p.PROFIL(*e2, pp);
        const auto boxen = m.dienste.dialogs.messages();
        ASSERT_EQ(boxen.size(), 1u);
        EXPECT_EQ(boxen[0].title, QStringLiteral("clsPROFIL, PROFIL"));
        EXPECT_TRUE(boxen[0].text.startsWith(QStringLiteral("VB-Fehler: 13\n"))) << boxen[0].text.toStdString();
        EXPECT_TRUE(text(*m.rec, QStringLiteral("(G, S) 2"))) << texte(*m.rec).join('|').toStdString();
        EXPECT_TRUE(text(*m.rec, QStringLiteral("fS")));
        EXPECT_TRUE(text(*m.rec, QStringLiteral("2,00")));
    }
    {
        Maler m;
        m.sql("UPDATE E1 SET OPTK = 'abc'");
        m.uebergeben();
        m.dienste.dialogs.answerMessage(vb::vbOK);
        auto e1 = m.tabelle("E1");
        KopfParameter k;
        k.X = 0;
        m.p.BESCHRIFTUNG(*e1, k);
        const auto boxen = m.dienste.dialogs.messages();
        ASSERT_EQ(boxen.size(), 1u);
        EXPECT_EQ(boxen[0].title, QStringLiteral("clsPROFIL, BESCHRIFTUNG"));
        EXPECT_TRUE(boxen[0].text.startsWith(QStringLiteral("VB-Fehler: 13\n"))) << boxen[0].text.toStdString();
        const auto zeilen = texte(*m.rec);
        ASSERT_EQ(zeilen.size(), 8);
        EXPECT_EQ(zeilen[0], QStringLiteral("Lokales Koordinatensystem"));
        EXPECT_EQ(zeilen[1], QStringLiteral("Rechtswert = 5432100,125 m"));
        EXPECT_EQ(zeilen[2], QStringLiteral("Hochwert = 300,500 m"));
    }
}

// Awkward records as they reach the printed log: a layer with every field
// Null, a missing row number, a layer 0 m thick, depths going back up, and a
// record without a view record (scales 0). Everything is drawn, nothing is
// reported, and no coordinate is infinite or not a number.
TEST(clsPROFIL, SoilColumnSurvivesAwkwardRecords)
{
    struct Fall { bool ansicht; bool etav; };
    const Fall faelle[] = {{true, true}, {true, false}, {false, true}};
    for (const Fall& f : faelle) {
        Maler m;
        m.schicht(0, 1.0f, "G", "", "", "ka", "st", "RAL8011", "nass", 1);
        m.sql("INSERT INTO E2 (ID, I1) VALUES (7, 1)");   // every field Null: not drawn
        // row 2 missing: drawn as a layer ending at the ground line
        m.schicht(3, 0.5f, "", "S", "u'");                // shallower than the layers above
        m.schicht(4, 0.5f, "", "", "", "", "", "", "", 3); // 0 m thick, no constituent
        if (f.ansicht) {
            m.uebergeben();
        } else {
            m.rec->EIDOBJEKT(11);
            m.p.setEclsBILD(m.rec);
            m.rec->clear();
        }
        m.p.setETAV(f.etav);
        m.p.setEH(100);
        m.p.setELBU({"A", "", "", ""});
        auto e2 = m.tabelle("E2");
        ProfilParameter pp;
        pp.BUV = pp.BEMV = pp.BFV = pp.BZSV = 1;
        pp.ARV = true;
        pp.SG = 7;
        pp.X = 100;
        m.p.PROFIL(*e2, pp);

        EXPECT_TRUE(m.dienste.dialogs.messages().empty()) << f.ansicht;
        for (const auto& a : aufrufe(*m.rec))
            for (float z : a.z)
                ASSERT_TRUE(std::isfinite(z)) << a.name.toStdString() << " " << f.ansicht << f.etav;
        int umrisse = 0;
        for (const auto& a : alle(*m.rec, QStringLiteral("POLYGON")))
            umrisse += a.z.size() == 10;
        EXPECT_EQ(umrisse, 4) << f.ansicht;   // one outline per row number 0, 2, 3 and 4
        const QStringList t = texte(*m.rec);
        // Only the missing row stands at the ground line (the ground level's
        // own label reads "100,00" too when levels are shown).
        EXPECT_EQ(t.count(f.etav ? QStringLiteral("0,00") : QStringLiteral("100,00")), f.etav ? 1 : 2)
            << t.join('|').toStdString();
        const QStringList tiefen = f.etav ? QStringList{"1,00", "0,00", "0,50", "0,50"}
                                          : QStringList{"99,00", "100,00", "99,50", "99,50"};
        for (const QString& z : tiefen)
            EXPECT_TRUE(t.contains(z)) << z.toStdString() << " in " << t.join('|').toStdString();
        EXPECT_TRUE(t.contains(QStringLiteral("(G, st) 1")));
        EXPECT_TRUE(t.contains(QStringLiteral(", S, u'")));
        EXPECT_TRUE(t.contains(QStringLiteral("() 3")));
        EXPECT_TRUE(t.contains(QStringLiteral("1: A")));
    }
}

// The tick count of a value scale is a 16-bit whole number: an absurd maximum
// is reported as an overflow instead of drawing millions of ticks; after OK
// the rest of the scale is drawn.
TEST(clsPROFIL, ValueScaleWithAbsurdMaximumReportsOverflow)
{
    struct Fall { float max; float step; const char* ende; };
    const Fall faelle[] = {{1e9f, 10, "1000000000"}, {400000, 10, "400000"}};
    for (const Fall& f : faelle) {
        Maler m;
        m.uebergeben();
        m.dienste.dialogs.answerMessage(vb::vbOK);
        int16_t sg = 6;
        const float r = m.p.MSKALA(10, 0, 0, f.max, f.step, 20, sg, QStringLiteral("n15 / n30"), 0);
        EXPECT_FLOAT_EQ(r, f.max / 20);
        const auto boxen = m.dienste.dialogs.messages();
        ASSERT_EQ(boxen.size(), 1u) << f.max;
        EXPECT_EQ(boxen[0].title, QStringLiteral("clsPROFIL, MSKALA"));
        EXPECT_TRUE(boxen[0].text.startsWith(QStringLiteral("VB-Fehler: 6\n"))) << boxen[0].text.toStdString();
        EXPECT_LE(alle(*m.rec, QStringLiteral("POLYGON")).size(), 2u);   // the axis and the zero tick
        EXPECT_EQ(texte(*m.rec), (QStringList{"0", QString::fromLatin1(f.ende), "n15 / n30"}));
    }
}

// Row numbers are 16-bit: a record whose highest row number is the largest
// one (32767) is read to its end and drawn, without the row counter running
// over.
TEST(clsPROFIL, SoilColumnWithTheHighestRowNumber)
{
    Maler m;
    m.schicht(0, 1.0f, "G");
    m.schicht(32767, 2.0f, "S");
    m.uebergeben();
    m.p.setETAV(true);
    auto e2 = m.tabelle("E2");
    ProfilParameter pp;
    pp.X = 50;
    m.p.PROFIL(*e2, pp);
    EXPECT_TRUE(m.dienste.dialogs.messages().empty());
    const QStringList t = texte(*m.rec);
    EXPECT_TRUE(t.contains(QStringLiteral("G")));
    EXPECT_TRUE(t.contains(QStringLiteral("S")));
    EXPECT_TRUE(t.contains(QStringLiteral("2,00")));
}

// Draws the soil column of the layers given to `m` with their remarks shown,
// at 7 points from x 20 mm, as the page does; nothing may raise a box.
static void bemerkungenZeichnen(Maler& m)
{
    m.uebergeben();
    auto e2 = m.tabelle("E2");
    ProfilParameter pp;
    pp.BEMV = 1;
    pp.SG = 7;
    pp.X = 20;
    m.p.PROFIL(*e2, pp);
    EXPECT_TRUE(m.dienste.dialogs.messages().empty());
}

// A remark longer than the room beside the column goes on several lines, each
// no wider than that room; the next layer's text block moves down by the
// extra lines. A short remark stays one line, unchanged.
TEST(clsPROFIL, LongRemarkWrapsAndPushesTheNextTextBlockDown)
{
    QString lang;
    for (int k = 0; lang.size() < 300; ++k)
        lang += (k ? QStringLiteral(" ") : QString()) + QStringLiteral("Feinsand%1 schluffig,").arg(k);
    lang.truncate(300);
    const float h = 7 * 0.4f * 0.1f;   // one line in metres at 1:100

    struct Ergebnis { QStringList zeilen; float naechste; };
    auto zeichnen = [&](const QString& bemerkung) {
        Maler m;
        m.schicht(0, 0.5f, "S", "", "", "", "", "", bemerkung);
        m.schicht(1, 0.6f, "G");
        bemerkungenZeichnen(m);
        Ergebnis e;
        float y = 0;
        for (const Aufruf& a : alle(*m.rec, QStringLiteral("TEXT"))) {
            if (a.z[0] == 20 + 7.5f && a.text != QLatin1String("S") && a.text != QLatin1String("G")) {
                if (!e.zeilen.isEmpty()) {
                    EXPECT_NEAR(a.z[1] - y, h, 1e-6) << a.text.toStdString();   // one line apart
                }
                y = a.z[1];
                e.zeilen << a.text;
            }
        }
        const auto naechste = textBei(*m.rec, QStringLiteral("G"), 20 + 7.5f);
        EXPECT_TRUE(naechste);
        e.naechste = naechste ? naechste->z[1] : 0;
        return e;
    };

    const Ergebnis kurz = zeichnen(QStringLiteral("nass"));
    EXPECT_EQ(kurz.zeilen, QStringList{QStringLiteral("nass")});
    const Ergebnis lange = zeichnen(lang);
    ASSERT_GE(lange.zeilen.size(), 3) << lange.zeilen.join('|').toStdString();
    EXPECT_EQ(lange.zeilen.join(QLatin1Char(' ')), lang);   // every word, in order, broken at blanks
    for (const QString& z : lange.zeilen)
        EXPECT_LE(profilregeln::textbreite(z, 7), profilregeln::BEMERKUNGSBREITE) << z.toStdString();
    EXPECT_NEAR(lange.naechste - kurz.naechste, float(lange.zeilen.size() - 1) * h, 1e-5);
}

// A remark without a blank (a pasted code, or words joined by no-break
// spaces) is cut inside its word: every character reaches the page once and in
// order, each line fits the room beside the column and is filled, so no line
// would have taken the next line's first character as well.
TEST(clsPROFIL, LongRemarkWithoutBlanksIsCutIntoFullLines)
{
    const auto wiederholt = [](QStringList teile, QChar fuge, int laenge) {
        QString t;
        for (int k = 0; t.size() < laenge; ++k)
            t += (k ? QString(fuge) : QString()) + teile[k % teile.size()];
        t.truncate(laenge);
        return t;
    };
    struct Fall { const char* art; QString bemerkung; };
    const Fall faelle[] = {
        {"one word", wiederholt({"KB12-2023/04", "WAVE_7", "Ø3,5", "Tonlinsen;", "ffi"}, u'.', 10000)},
        {"no-break spaces", wiederholt({"Feinsand", "schluffig,", "AVAT", "Wasser", "1,5", "m"}, QChar(0x00A0), 5000)},
    };
    for (const Fall& f : faelle) {
        Maler m;
        m.schicht(0, 0.5f, "S", "", "", "", "", "", f.bemerkung);
        SCOPED_TRACE(f.art);
        bemerkungenZeichnen(m);

        QStringList zeilen;   // the texts beside the column after the description
        for (const Aufruf& a : alle(*m.rec, QStringLiteral("TEXT")))
            if (a.z[0] == 20 + 7.5f && a.text != QLatin1String("S"))
                zeilen << a.text;
        ASSERT_GT(zeilen.size(), 100) << f.art;
        EXPECT_EQ(zeilen.join(QString()), f.bemerkung) << f.art;
        for (qsizetype k = 0; k < zeilen.size(); ++k) {
            EXPECT_LE(profilregeln::textbreite(zeilen[k], 7), profilregeln::BEMERKUNGSBREITE)
                << f.art << ": " << zeilen[k].toStdString();
            if (k + 1 < zeilen.size()) {
                EXPECT_GT(profilregeln::textbreite(zeilen[k] + zeilen[k + 1].front(), 7), profilregeln::BEMERKUNGSBREITE)
                    << f.art << ": " << zeilen[k].toStdString();
            }
        }
    }
}
