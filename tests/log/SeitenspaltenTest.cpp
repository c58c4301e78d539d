// The groundwater, drilling method, casing and samples columns through the
// recording engine: what they share (nothing without rows, nothing after a
// failed read, a missing row at depth 0, depth or level texts) and the marks
// and label spacing of each.
#include "Maler.h"
#include "Protokoll.h"

#include <cmath>

namespace {

constexpr float MYS = 0.1f;  // metres per mm (1:100)

struct Fall
{
    const char* tabelle;
    const char* tiefe;      // the depth field
    const char* letztes;    // the last field the column reads
    Spalte spalte;
    const char* kopf;
};

const Fall spalten[] = {
    {"E3", "TGW", "GWDATUM", &clsPROFIL::GRUNDWASSER, "GW"},
    {"E8", "VTB", "DBL", &clsPROFIL::BOHRUNG, "Bohrverfahren"},
    {"E7", "VTV", "MAT", &clsPROFIL::VERROHRUNG, "Verrohrung"},
    {"E4", "TUKP", "ENTVERF", &clsPROFIL::PROBEN, "Proben"},
};

// The polyline whose points are exactly these (within a float's rounding).
bool hatZug(const Maler& m, const std::vector<float>& punkte)
{
    for (const Aufruf& a : alle(*m.rec, QStringLiteral("POLYGON"))) {
        if (a.z.size() != punkte.size())
            continue;
        bool gleich = true;
        for (size_t k = 0; k < punkte.size(); ++k)
            gleich = gleich && std::fabs(a.z[k] - punkte[k]) < 1e-4f;
        if (gleich)
            return true;
    }
    return false;
}

} // namespace

TEST(Seitenspalten, NoRowsDrawNothingAndTheSizeDefaultsToEight)
{
    for (const Fall& f : spalten) {
        Maler m;
        m.uebergeben();
        // Another record's rows don't count.
        m.cnn->execute(QStringLiteral("INSERT INTO %1 (ID, I1, %2) VALUES (8, 0, 1.5)")
                           .arg(QLatin1String(f.tabelle), QLatin1String(f.tiefe)));
        zeichnen(m, f.tabelle, f.spalte, 0);
        EXPECT_TRUE(m.rec->calls().isEmpty()) << f.tabelle;
        int16_t SG = 0;
        auto dat = m.tabelle(f.tabelle);
        (m.p.*f.spalte)(*dat, SG, X0);
        EXPECT_EQ(SG, 8) << f.tabelle;
        EXPECT_TRUE(m.dienste.dialogs.messages().empty());
    }
}

TEST(Seitenspalten, FailedReadEndsTheColumnAfterTheAccessorsBox)
{
    for (const Fall& f : spalten) {
        Maler m;
        zeile(m, f.tabelle, f.tiefe, 0, 1.0f);
        m.cnn->execute(QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO WEG")
                           .arg(QLatin1String(f.tabelle), QLatin1String(f.letztes)));
        m.uebergeben();
        m.dienste.dialogs.answerMessage(vb::vbOK);
        zeichnen(m, f.tabelle, f.spalte);
        const auto boxen = m.dienste.dialogs.messages();
        ASSERT_EQ(boxen.size(), 1u) << f.tabelle;
        EXPECT_EQ(boxen[0].title, QStringLiteral("Datenfehler"));
        EXPECT_TRUE(m.rec->calls().isEmpty()) << f.tabelle;
    }
}

// Rows 0 and 2: the missing row 1 stands at depth 0, and the axis strokes
// run between consecutive rows in row order. ETAV chooses depth or level.
TEST(Seitenspalten, MissingRowAtDepthZeroAndDepthOrLevelTexts)
{
    struct Art { bool etav; const char* t0; const char* t1; const char* t2; };
    const Art arten[] = {{true, "2,25", "0,00", "4,50"}, {false, "310,25", "312,50", "308,00"}};
    for (const Fall& f : spalten) {
        for (const Art& a : arten) {
            Maler m;
            zeile(m, f.tabelle, f.tiefe, 0, 2.25f);
            zeile(m, f.tabelle, f.tiefe, 2, 4.5f);
            m.uebergeben(0.01f);   // 1:10, every row keeps its own depth
            m.p.setEH(312.5f);
            m.p.setETAV(a.etav);
            zeichnen(m, f.tabelle, f.spalte);
            const std::string was = std::string(f.tabelle) + " " + alleTexte(m);
            EXPECT_TRUE(text(*m.rec, QString::fromUtf8(f.kopf))) << was;
            for (const char* t : {a.t0, a.t1, a.t2})
                EXPECT_TRUE(text(*m.rec, QString::fromLatin1(t))) << t << " in " << was;
            EXPECT_TRUE(hatZug(m, {X0, 0, X0, 2.25f})) << was;
            EXPECT_TRUE(hatZug(m, {X0, 2.25f, X0, 0})) << was;
            EXPECT_TRUE(hatZug(m, {X0, 0, X0, 4.5f})) << was;
            EXPECT_TRUE(alle(*m.rec, QStringLiteral("KREIS")).size() == 1) << was;   // the depth arrow
            EXPECT_TRUE(alleEndlich(m));
            EXPECT_TRUE(m.dienste.dialogs.messages().empty()) << was;
        }
    }
}

TEST(Seitenspalten, UnconvertibleValueIsReportedInTheColumnsBox)
{
    Maler m;
    m.sql("INSERT INTO E3 (ID, I1, GTYP, TGW) VALUES (7, 0, 1, 'abc')");
    m.sql("INSERT INTO E3 (ID, I1, GTYP, TGW) VALUES (7, 1, 1, 2.5)");
    m.uebergeben();
    m.p.setETAV(true);
    m.dienste.dialogs.answerMessage(vb::vbOK);
    zeichnen(m, "E3", &clsPROFIL::GRUNDWASSER);
    const auto boxen = m.dienste.dialogs.messages();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].title, QStringLiteral("clsPROFIL, GRUNDWASSER"));
    EXPECT_TRUE(boxen[0].text.startsWith(QStringLiteral("VB-Fehler: 13\n")));
    EXPECT_TRUE(text(*m.rec, QStringLiteral("2,50"))) << alleTexte(m);
}

// A stored date that is no date is reported once, in the column's box, where
// it would be written; the levels are all drawn, the next one at the spacing
// of a level without a date.
TEST(Grundwasser, UnreadableDateIsReportedAndTheLevelsStillDrawn)
{
    const float h = 7 * 0.4f;
    Maler m;
    m.sql("INSERT INTO E3 (ID, I1, GTYP, TGW, GWDATUM) VALUES (7, 0, 1, 0.3, 'kein Datum')");
    m.sql("INSERT INTO E3 (ID, I1, GTYP, TGW) VALUES (7, 1, 1, 0.75)");
    m.uebergeben();
    m.p.setETAV(true);
    m.dienste.dialogs.answerMessage(vb::vbOK);
    zeichnen(m, "E3", &clsPROFIL::GRUNDWASSER);
    const auto boxen = m.dienste.dialogs.messages();
    ASSERT_EQ(boxen.size(), 1u) << alleTexte(m);
    EXPECT_EQ(boxen[0].title, QStringLiteral("clsPROFIL, GRUNDWASSER"));
    EXPECT_TRUE(boxen[0].text.startsWith(QStringLiteral("VB-Fehler: 13\n")));
    const auto zweite = text(*m.rec, QStringLiteral("0,75"));
    ASSERT_TRUE(zweite) << alleTexte(m);
    EXPECT_NEAR(zweite->z[1], 6 * h * MYS - h * MYS, 1e-5);
}

TEST(Grundwasser, HeadingPipeTopAndLevels)
{
    const float h = 7 * 0.4f;
    struct Art { float erok; bool rok; const char* wert; };
    const Art arten[] = {{0, false, ""}, {0.5f, true, "0,50m"}, {-0.25f, true, "-0,25m"}};
    for (const Art& a : arten) {
        Maler m;
        m.uebergeben();
        m.p.setEROK(a.erok);
        m.p.setEH(200);
        m.sql("INSERT INTO E3 (ID, I1, GTYP, TGW, GWDATUM) VALUES (7, 0, 1, 0.3, '2003-03-01')");
        m.sql("INSERT INTO E3 (ID, I1, GTYP, TGW, GWDATUM) VALUES (7, 1, 2, 0.75, NULL)");
        m.sql("INSERT INTO E3 (ID, I1, GTYP, TGW) VALUES (7, 2, 0, 3.25)");
        zeichnen(m, "E3", &clsPROFIL::GRUNDWASSER);

        const auto kopf = text(*m.rec, QStringLiteral("GW"));
        ASSERT_TRUE(kopf);
        EXPECT_FLOAT_EQ(kopf->z[0], X0 - 12);
        EXPECT_NEAR(kopf->z[1], -3 * h * MYS, 1e-6);
        EXPECT_TRUE(m.rec->calls().contains(QStringLiteral("SCHRIFTEINSTELLUNGEN \"\" 8 1 0 0 0")));

        const auto rok = text(*m.rec, QStringLiteral("ROK über GOK: "));
        EXPECT_EQ(bool(rok), a.rok);
        if (a.rok) {
            const auto wert = text(*m.rec, QString::fromLatin1(a.wert));
            ASSERT_TRUE(wert) << alleTexte(m);
            for (const auto& t : {*rok, *wert}) {
                EXPECT_FLOAT_EQ(t.z[0], X0 + 2);
                EXPECT_NEAR(t.z[1], -1.5f * h * MYS, 1e-6);
            }
            EXPECT_EQ(rok->z[4], 2);   // right-aligned, ending where the value starts
            EXPECT_EQ(wert->z[4], 0);
        }

        // Label lines 3h apart, one line more after a level with a date: the
        // first level (3 mm down) moves to 3h below the ground line, the
        // second (4.5 mm further) to 4h below that, since the first level's
        // date hangs below its label line; the third keeps its own depth.
        const float L[] = {3 * h * MYS, 7 * h * MYS, 3.25f};
        const float y[] = {0.3f, 0.75f, 3.25f};
        const char* werte[] = {"199,70", "199,25", "196,75"};
        for (int i = 0; i < 3; ++i) {
            const auto t = text(*m.rec, QString::fromLatin1(werte[i]));
            ASSERT_TRUE(t) << werte[i] << " in " << alleTexte(m);
            EXPECT_FLOAT_EQ(t->z[0], X0 - 1.5f);
            EXPECT_NEAR(t->z[1], L[i] - h * MYS, 1e-5) << i;
            EXPECT_EQ(t->z[4], 2);
            EXPECT_EQ(t->z[5], 2);
            EXPECT_TRUE(hatZug(m, {X0 + 5, y[i], X0, y[i], X0 - 1.5f, L[i], X0 - 5, L[i]})) << i;
        }

        // The date hangs one line below the first label line; the level
        // without a date gets none (and never the zero date).
        const auto datum = text(*m.rec, QStringLiteral("01.03.2003"));
        ASSERT_TRUE(datum) << alleTexte(m);
        EXPECT_FLOAT_EQ(datum->z[0], X0 - 1.5f);
        EXPECT_NEAR(datum->z[1], L[0] + h * MYS, 1e-5);
        EXPECT_EQ(datum->z[4], 2);
        for (const QString& t : texte(*m.rec))
            EXPECT_FALSE(t.contains(QStringLiteral("1899"))) << t.toStdString();
        EXPECT_TRUE(m.dienste.dialogs.messages().empty());
    }
}

TEST(Grundwasser, TriangleByKindOfObservation)
{
    struct Art { int16_t gtyp; int voll; };   // voll -1: no triangle
    const Art arten[] = {{1, 3}, {2, 0}, {0, -1}, {7, -1}};
    for (const Art& a : arten) {
        Maler m;
        m.uebergeben();
        m.sql("INSERT INTO E3 (ID, I1, GTYP, TGW) VALUES (7, 0, ?, 2.0)", {vb::Variant(a.gtyp)});
        zeichnen(m, "E3", &clsPROFIL::GRUNDWASSER);
        const auto dreiecke = alle(*m.rec, QStringLiteral("KOTENDREIECK"));
        if (a.voll < 0) {
            EXPECT_TRUE(dreiecke.empty()) << a.gtyp;
            continue;
        }
        ASSERT_EQ(dreiecke.size(), 1u) << a.gtyp;
        const std::vector<float> erwartet{X0 - 5, 2.0f, 2 * MYS, 0, 1, float(a.voll)};
        for (size_t k = 0; k < erwartet.size(); ++k)
            EXPECT_NEAR(dreiecke[0].z[k], erwartet[k], 1e-6) << a.gtyp << " " << k;
    }
}

TEST(Bohrung, SpacingFollowsTheMethodNameAndMarks)
{
    const float h = 7 * 0.4f;
    Maler m;
    m.uebergeben();
    m.p.setETAV(true);
    m.sql("INSERT INTO E8 (ID, I1, VTB, VERF, DBL) VALUES (7, 0, 1.0, NULL, 146)");
    m.sql("INSERT INTO E8 (ID, I1, VTB, VERF, DBL) VALUES (7, 1, 2.0, 'Kernbohrun', 0)");
    m.sql("INSERT INTO E8 (ID, I1, VTB, VERF) VALUES (7, 2, 3.5, NULL)");
    m.sql("INSERT INTO E8 (ID, I1, VTB, VERF) VALUES (7, 3, 3.6, 'Rammkernbohrung 20mm')");
    zeichnen(m, "E8", &clsPROFIL::BOHRUNG);

    // Row 1 needs 23.8 mm for its ten characters, row 2 only a line (2.8 mm).
    const float L[] = {1.0f, 1.0f + 2.38f, 1.0f + 2.38f + 0.28f, 3.66f + (float(0.3 * 7 * 20) + h) * MYS};
    const float y[] = {1.0f, 2.0f, 3.5f, 3.6f};
    const char* tiefen[] = {"1,00", "2,00", "3,50", "3,60"};
    for (int i = 0; i < 4; ++i) {
        const auto t = text(*m.rec, QString::fromLatin1(tiefen[i]));
        ASSERT_TRUE(t) << alleTexte(m);
        EXPECT_FLOAT_EQ(t->z[0], X0 - 2);
        EXPECT_NEAR(t->z[1], L[i], 1e-5) << i;
        EXPECT_TRUE(hatZug(m, {X0 + 5, L[i], X0 + 1.5f, L[i], X0, y[i], X0 - 1.5f, L[i], X0 - 5, L[i]})) << i;
    }

    const auto einheit = text(*m.rec, QStringLiteral("d [mm]"));
    ASSERT_TRUE(einheit);
    EXPECT_FLOAT_EQ(einheit->z[0], X0 + 2);
    EXPECT_NEAR(einheit->z[1], -0.5f * h * MYS, 1e-6);
    EXPECT_EQ(einheit->z[4], 0);

    const auto dbl = text(*m.rec, QStringLiteral("146"));
    ASSERT_TRUE(dbl);
    EXPECT_FLOAT_EQ(dbl->z[0], X0 + 2);
    EXPECT_NEAR(dbl->z[1], L[0], 1e-6);
    EXPECT_EQ(texte(*m.rec).count(QStringLiteral("0")), 3);   // zero and missing diameters

    const auto verfahren = text(*m.rec, QStringLiteral("Kernbohrun"));
    ASSERT_TRUE(verfahren);
    EXPECT_FLOAT_EQ(verfahren->z[0], X0 - 1.5f);
    EXPECT_NEAR(verfahren->z[1], L[1] - (2 + h) * MYS, 1e-5);
    EXPECT_EQ(verfahren->z[3], 90);
    EXPECT_EQ(verfahren->z[5], 2);
    EXPECT_TRUE(m.dienste.dialogs.messages().empty());
}

TEST(Verrohrung, SpacingPipeTopAndVerticalTexts)
{
    struct Art { const char* mat; const char* typ; float abstand; };
    const Art arten[] = {
        {"PVC", "", 10.4f},                      // 3 x 0.3 x 8 + 3.2
        {"", "", 3.2f},                          // one line
        {"Stahl", "Filterrohr", 27.2f},          // the longer text counts
    };
    for (const Art& a : arten) {
        Maler m;
        m.uebergeben();
        m.p.setETAV(true);
        for (int i = 0; i < 2; ++i)
            m.sql("INSERT INTO E7 (ID, I1, VTV, VTYP, MAT, DPR) VALUES (7, ?, ?, ?, ?, 0)",
                  {vb::Variant(int16_t(i)), vb::Variant(3.0f + 0.5f * float(i)),
                   *a.typ ? vb::Variant(QString::fromLatin1(a.typ)) : vb::Variant::null(),
                   *a.mat ? vb::Variant(QString::fromLatin1(a.mat)) : vb::Variant::null()});
        zeichnen(m, "E7", &clsPROFIL::VERROHRUNG, 8);
        const auto zweite = text(*m.rec, QStringLiteral("3,50"));
        ASSERT_TRUE(zweite) << alleTexte(m);
        EXPECT_NEAR(zweite->z[1], std::max(3.5f, 3.0f + a.abstand * MYS), 1e-5) << a.mat;
        EXPECT_TRUE(text(*m.rec, QStringLiteral("d [mm]")));   // also when every diameter is 0
        EXPECT_EQ(texte(*m.rec).count(QStringLiteral("0")), 2);

        int senkrecht = 0;
        for (const Aufruf& t : alle(*m.rec, QStringLiteral("TEXT"))) {
            if (t.z[3] != 90 || t.text.isEmpty())   // an empty text draws nothing
                continue;
            ++senkrecht;
            const bool material = t.text == QLatin1String(a.mat);
            EXPECT_FLOAT_EQ(t.z[0], material ? X0 + 1.5f : X0 - 1.5f) << t.text.toStdString();
            EXPECT_EQ(t.z[5], material ? 0 : 2);
        }
        EXPECT_EQ(senkrecht, 2 * ((*a.mat ? 1 : 0) + (*a.typ ? 1 : 0))) << a.mat;
        EXPECT_FALSE(text(*m.rec, QStringLiteral("ROK über GOK: ")));   // EROK exactly 0
    }
}

TEST(Proben, HeadingWordsTextsAndMarkers)
{
    const float h = 7 * 0.4f;
    struct Art { int16_t verf; size_t zuege; bool gefuellt; };   // polylines after the axis and leader
    const Art arten[] = {{0, 1, false}, {1, 0, true}, {2, 3, false}, {5, 0, false}};
    for (const Art& a : arten) {
        Maler m;
        m.uebergeben();
        m.p.setETAV(true);
        m.sql("INSERT INTO E4 (ID, I1, GUETE, TUKP, HPK, BEZ, ENTVERF) VALUES (7, 0, 'Kl. 2', 2.25, 30, 'P{t,1}1', ?)",
              {vb::Variant(a.verf)});
        zeichnen(m, "E4", &clsPROFIL::PROBEN);

        const auto bez = text(*m.rec, QStringLiteral("Bez."));
        const auto guete = text(*m.rec, QStringLiteral("Güte"));
        ASSERT_TRUE(bez && guete);
        EXPECT_NEAR(bez->z[1], -1.5f * h * MYS, 1e-6);
        EXPECT_NEAR(guete->z[1], -0.5f * h * MYS, 1e-6);
        EXPECT_FLOAT_EQ(bez->z[0], X0 + 2);

        const float L = 2.25f;
        const auto name = text(*m.rec, QStringLiteral("P{t,1}1"));   // markup reaches the engine
        const auto klasse = text(*m.rec, QStringLiteral("Kl. 2"));
        const auto tiefe = text(*m.rec, QStringLiteral("2,25"));
        ASSERT_TRUE(name && klasse && tiefe) << alleTexte(m);
        EXPECT_FLOAT_EQ(name->z[0], X0 + 3);
        EXPECT_NEAR(name->z[1], L - (1 + h) * MYS, 1e-5);
        EXPECT_NEAR(klasse->z[1], L - 1 * MYS, 1e-5);
        EXPECT_FLOAT_EQ(tiefe->z[0], X0 - 1.5f);
        EXPECT_NEAR(tiefe->z[1], L - (1 + h) * MYS, 1e-5);

        // Depth arrow (1) + axis + leader, then the marker's own polylines.
        EXPECT_EQ(alle(*m.rec, QStringLiteral("POLYGON")).size(), 3 + a.zuege) << a.verf;
        const float yb = L - 3.5f * MYS;
        EXPECT_EQ(hatZug(m, {X0 - 2, L, X0 - 2, yb, X0 - 4, yb, X0 - 4, L}), a.zuege > 0) << a.verf;
        if (a.verf == 2) {
            EXPECT_TRUE(hatZug(m, {X0 + 5, L, X0, L}));
            EXPECT_TRUE(hatZug(m, {X0 + 1.5f, L, X0 - 1.5f, L}));
        }
        const auto flaechen = alle(*m.rec, QStringLiteral("LINIE"));
        ASSERT_EQ(flaechen.size(), a.gefuellt ? 1u : 0u) << a.verf;
        if (a.gefuellt) {
            ASSERT_EQ(flaechen[0].z.size(), 6u);
            EXPECT_EQ(flaechen[0].z[4], 0);   // filled black
            EXPECT_NEAR(std::fabs(flaechen[0].z[2] - flaechen[0].z[0]), 2.0f, 1e-4);
            EXPECT_NEAR(std::fabs(flaechen[0].z[3] - flaechen[0].z[1]), 3.5f, 1e-3);
        }
    }
}

// A sample's two lines keep clear of the texts above them: a first sample
// closer to the ground line than 1 mm and two and a half lines gets its label
// line there (below the heading word "Güte"); a later one closer than 1 mm
// and two lines to the label line before moves down to that distance; a
// deeper one keeps its own depth.
TEST(Proben, LabelsKeepTheTwoLinesOfEachSampleApart)
{
    const float h = 7 * 0.4f;
    struct Fall { std::vector<float> tiefen; std::vector<const char*> texte; std::vector<float> L; };
    const Fall faelle[] = {
        {{0.3f, 0.5f}, {"0,30", "0,50"}, {(1 + 2.5f * h) * MYS, (2 + 4.5f * h) * MYS}},
        {{1.5f, 3.0f}, {"1,50", "3,00"}, {1.5f, 3.0f}},
    };
    for (const Fall& f : faelle) {
        Maler m;
        m.uebergeben();
        m.p.setETAV(true);
        for (size_t i = 0; i < f.tiefen.size(); ++i)
            zeile(m, "E4", "TUKP", int(i), f.tiefen[i]);
        zeichnen(m, "E4", &clsPROFIL::PROBEN);
        for (size_t i = 0; i < f.tiefen.size(); ++i) {
            const auto t = text(*m.rec, QString::fromLatin1(f.texte[i]));
            ASSERT_TRUE(t) << alleTexte(m);
            EXPECT_NEAR(t->z[1], f.L[i] - (1 + h) * MYS, 1e-5) << f.tiefen[0] << " #" << i;
        }
    }
}
