// The test columns with value scales through the recording engine: scale
// ends and ticks from the record's largest value, the marks' places on the
// scale (in mm right of the column axis), a record whose values are all 0,
// and what every column shares.
#include "Maler.h"
#include "Protokoll.h"

#include <cmath>

namespace {

constexpr float MYS = 0.1f;         // metres per mm (1:100)
constexpr float YN = -1.5f * MYS;   // the scales' number line, 1.5 mm above the ground line
constexpr int32_t ROT = 0x0000FF, BLAU = 0xFF0000;

// x (mm right of the axis) of the scale ticks between `von` and `bis` mm.
std::vector<float> striche(const Maler& m, float von, float bis)
{
    std::vector<float> r;
    for (const Aufruf& a : alle(*m.rec, QStringLiteral("POLYGON")))
        if (a.z.size() == 4 && a.z[0] == a.z[2] && std::fabs(a.z[3] - YN) < 1e-5f && a.z[0] - X0 >= von - 1e-3f
            && a.z[0] - X0 <= bis)
            r.push_back(a.z[0] - X0);
    return r;
}

// The text written at the right end of a scale `laenge` mm long from `x0`.
QString skalenende(const Maler& m, float x0, float laenge)
{
    for (const Aufruf& a : alle(*m.rec, QStringLiteral("TEXT")))
        if (std::fabs(a.z[0] - (X0 + x0 + laenge)) < 1e-3f && std::fabs(a.z[1] - YN) < 1e-5f)
            return a.text;
    return QStringLiteral("(none)");
}

// Widths (mm, signed from the first corner) of the filled rectangles.
std::vector<float> balken(const Maler& m)
{
    std::vector<float> r;
    for (const Aufruf& a : alle(*m.rec, QStringLiteral("LINIE")))
        r.push_back(a.z[2] - a.z[0]);
    return r;
}

void erwarteNahe(const std::vector<float>& ist, const std::vector<float>& soll, const std::string& was)
{
    ASSERT_EQ(ist.size(), soll.size()) << was;
    for (size_t k = 0; k < soll.size(); ++k)
        EXPECT_NEAR(ist[k], soll[k], 0.01f) << was << " #" << k;
}

struct Spaltenart
{
    const char* tabelle;
    const char* tiefe;
    Spalte spalte;
    const char* kopf;
    std::vector<float> ursprung;   // origins of the scales, mm right of the axis
    std::vector<float> laenge;
    std::vector<const char*> ende;  // scale ends when no value is above 0
};

const Spaltenart spalten[] = {
    {"E6", "VTS", &clsPROFIL::STANDARDSONDE, "Standardsonde", {0}, {20}, {"10"}},
    {"E5", "VTT", &clsPROFIL::TASCHENPENETROMETER, "Taschenpenetrometer", {0}, {20}, {"100"}},
    {"E9", "VTBI", &clsPROFIL::BILDSAMKEIT, "Bildsamkeit", {0}, {20}, {"10"}},
    {"E4", "TUKP", &clsPROFIL::KORNVERTEILUNG, "Kornverteilung", {0}, {40}, {"100"}},
    {"E11", "VTF", &clsPROFIL::FLACHDILATOMETER, "Flachdilatometer", {0, 32, 64}, {25, 25, 25}, {"0,2", "0,02", "2"}},
    {"E10", "VTP", &clsPROFIL::PRESSIOMETER, "Pressiometer", {0, 37}, {30, 30}, {"10", "2"}},
};

} // namespace

TEST(Skalenspalten, NoRowsDrawNothing)
{
    for (const Spaltenart& s : spalten) {
        Maler m;
        m.uebergeben();
        zeichnen(m, s.tabelle, s.spalte);
        EXPECT_TRUE(m.rec->calls().isEmpty()) << s.tabelle;
    }
}

// Tests whose values were not recorded: every scale is drawn over its first
// step, the marks sit on their origins, no box appears and no coordinate is
// infinite or not a number.
TEST(Skalenspalten, ValuesAllZeroDrawTheScaleOverItsFirstStep)
{
    for (const Spaltenart& s : spalten) {
        Maler m;
        for (int i = 0; i < 2; ++i)
            zeile(m, s.tabelle, s.tiefe, i, 1.5f + float(i));
        m.uebergeben();
        zeichnen(m, s.tabelle, s.spalte);
        const std::string was = std::string(s.tabelle) + " " + alleTexte(m);
        EXPECT_TRUE(m.dienste.dialogs.messages().empty()) << was;
        EXPECT_TRUE(alleEndlich(m)) << was;
        EXPECT_TRUE(text(*m.rec, QString::fromLatin1(s.kopf))) << was;
        for (size_t q = 0; q < s.ursprung.size(); ++q) {
            EXPECT_EQ(skalenende(m, s.ursprung[q], s.laenge[q]), QString::fromLatin1(s.ende[q])) << was;
            const auto t = striche(m, s.ursprung[q], s.ursprung[q] + s.laenge[q]);
            ASSERT_GE(t.size(), 2u) << was;
            EXPECT_NEAR(t.back(), s.ursprung[q] + s.laenge[q], 0.01f) << was;
        }
        for (float b : balken(m))
            EXPECT_NEAR(b, 0, 1e-4) << was;
    }
}

TEST(Standardsonde, ScaleFromTheLargestCountAndMarks)
{
    struct Fall { float n15, n30; const char* ende; std::vector<float> striche; float tick, balken; const char* text; };
    const float d3 = 20.0f / 3;
    const Fall faelle[] = {
        {9, 27, "30", {0, d3, 2 * d3, 20}, 6, 18, "9 / 27"},
        {40, 27, "30", {0, d3, 2 * d3, 20}, 40 / 1.5f, 18, "40 / 27"},    // beyond the scale's end
        {-3, 5.5f, "10", {0, 20}, -6, 11, "-3 / 6"},                      // left of the axis
        {-3, -6, "10", {0, 20}, -6, -12, "-3 / -6"},
        {0.2f, 0.3f, "10", {0, 20}, 0.4f, 0.6f, "0 / 0"},
    };
    for (const Fall& f : faelle) {
        Maler m;
        m.sql("INSERT INTO E6 (ID, I1, STYP, VTS, N15, N30) VALUES (7, 0, 0, 2.5, ?, ?)",
              {vb::Variant(f.n15), vb::Variant(f.n30)});
        m.uebergeben();
        zeichnen(m, "E6", &clsPROFIL::STANDARDSONDE);
        const std::string was = std::string(f.text) + " " + alleTexte(m);
        EXPECT_EQ(skalenende(m, 0, 20), QString::fromLatin1(f.ende)) << was;
        erwarteNahe(striche(m, 0, 20), f.striche, was);
        EXPECT_TRUE(text(*m.rec, QStringLiteral("n15 / n30"))) << was;

        const auto zahlen = text(*m.rec, QString::fromLatin1(f.text));
        ASSERT_TRUE(zahlen) << was;
        EXPECT_FLOAT_EQ(zahlen->z[0], X0 + 1.5f);
        EXPECT_NEAR(zahlen->z[1], 2.5f - 2 * MYS, 1e-5);

        // The red tick 2 mm high on the test depth, between two colour settings.
        const QStringList z = m.rec->calls();
        const qsizetype rot = z.indexOf(QStringLiteral("LINIENEINSTELLUNGEN 0 0 %1").arg(ROT));
        ASSERT_GE(rot, 0) << was;
        const Aufruf tick = aufrufLesen(z[rot + 1]);
        ASSERT_EQ(tick.z.size(), 4u);
        EXPECT_NEAR(tick.z[0] - X0, f.tick, 0.01f) << was;
        EXPECT_NEAR(tick.z[1], 2.5f, 1e-5);
        EXPECT_NEAR(tick.z[3], 2.5f - 2 * MYS, 1e-5);
        EXPECT_EQ(z[rot + 2], QStringLiteral("LINIENEINSTELLUNGEN 0 0 0"));
        const Aufruf bar = aufrufLesen(z[rot + 3]);
        ASSERT_EQ(bar.z.size(), 8u);
        EXPECT_NEAR(bar.z[2] - X0, f.balken, 0.01f) << was;
        EXPECT_NEAR(bar.z[6] - X0, 0, 1e-5);
    }
}

TEST(Taschenpenetrometer, ScaleFromTheLargestMeanAndBars)
{
    struct Fall { float mx, sx; const char* ende; std::vector<float> striche; float balken; const char* text; };
    const Fall faelle[] = {
        {130, 12, "200", {0, 10, 20}, 13, "130 ± 12"},
        {200, 0, "200", {0, 10, 20}, 20, "200 ± 0"},       // a multiple stays; deviation 0 written
        {-40, 5, "100", {0, 20}, -8, "-40 ± 5"},
    };
    for (const Fall& f : faelle) {
        Maler m;
        m.sql("INSERT INTO E5 (ID, I1, VTT, MX, SX) VALUES (7, 0, 1.5, ?, ?)", {vb::Variant(f.mx), vb::Variant(f.sx)});
        m.uebergeben();
        zeichnen(m, "E5", &clsPROFIL::TASCHENPENETROMETER);
        const std::string was = std::string(f.text) + " " + alleTexte(m);
        EXPECT_EQ(skalenende(m, 0, 20), QString::fromLatin1(f.ende)) << was;
        erwarteNahe(striche(m, 0, 20), f.striche, was);
        EXPECT_TRUE(text(*m.rec, QString::fromUtf8(f.text))) << was;
        erwarteNahe(balken(m), {f.balken}, was);
        const auto linie = alle(*m.rec, QStringLiteral("LINIE"));
        EXPECT_NEAR(linie[0].z[1] - linie[0].z[3], 2.0f, 1e-3);   // 2 mm high, standing on the depth
        EXPECT_EQ(linie[0].z[4], 0);                             // black
    }
}

TEST(Bildsamkeit, RangeBarCrossAndGuideLines)
{
    Maler m;
    m.sql("INSERT INTO E9 (ID, I1, VTBI, W, WP, WL) VALUES (7, 0, 5.0, 24, 38, 21)");
    m.sql("INSERT INTO E9 (ID, I1, VTBI, W, WP, WL) VALUES (7, 1, 3.0, 10, 20, 30)");
    m.uebergeben();
    zeichnen(m, "E9", &clsPROFIL::BILDSAMKEIT);
    EXPECT_EQ(skalenende(m, 0, 20), QStringLiteral("40"));
    erwarteNahe(striche(m, 0, 20), {0, 5, 10, 15, 20}, "ticks");
    // Guide lines end at the row with the highest row number, not the deepest.
    for (const Aufruf& a : alle(*m.rec, QStringLiteral("POLYGON"))) {
        if (a.z.size() == 4 && std::fabs(a.z[3] - YN) < 1e-5f) {
            EXPECT_FLOAT_EQ(a.z[1], 3.0f);
        }
    }

    // The first row's marks, in the order drawn after the red colour.
    const QStringList z = m.rec->calls();
    const qsizetype rot = z.indexOf(QStringLiteral("LINIENEINSTELLUNGEN 0 0 %1").arg(ROT));
    ASSERT_GE(rot, 0);
    const std::vector<float> soll[] = {
        {10.5f, 5.1f, 10.5f, 4.9f},   // tick at WL
        {10.5f, 5.0f, 19, 5.0f},      // the range
        {19, 5.1f, 19, 4.9f},         // tick at WP
    };
    for (int k = 0; k < 3; ++k) {
        const Aufruf a = aufrufLesen(z[rot + 1 + k]);
        ASSERT_EQ(a.z.size(), 4u);
        erwarteNahe({a.z[0] - X0, a.z[1], a.z[2] - X0, a.z[3]}, soll[k], "red " + std::to_string(k));
    }
    EXPECT_EQ(z[rot + 4], QStringLiteral("LINIENEINSTELLUNGEN 0 0 %1").arg(BLAU));
    const Aufruf kreuz1 = aufrufLesen(z[rot + 5]), kreuz2 = aufrufLesen(z[rot + 6]);
    erwarteNahe({kreuz1.z[0] - X0, kreuz1.z[1], kreuz1.z[2] - X0, kreuz1.z[3]}, {13, 5.1f, 11, 4.9f}, "cross");
    erwarteNahe({kreuz2.z[0] - X0, kreuz2.z[2] - X0}, {11, 13}, "cross");
    EXPECT_EQ(z[rot + 7], QStringLiteral("LINIENEINSTELLUNGEN 0 0 0"));
}

TEST(Kornverteilung, FractionsLettersCircleAndLegend)
{
    struct Fall { const char* werte; std::vector<float> striche; QStringList buchstaben; std::vector<float> mitten; float kreis; };
    const Fall faelle[] = {
        {"10, 35, 40, 15, 0, 60", {0, 4, 18, 34, 40, 40}, {"F", "S", "G", "X"}, {2, 11, 26, 37}, 24},
        {"NULL, NULL, NULL, NULL, NULL, NULL", {0, 0, 0, 0, 0, 0}, {}, {}, 0},
        {"60, -20, 30, 0, 0, 5", {0, 24, 16, 28, 28, 28}, {"F", "G"}, {12, 22}, 2},
    };
    for (const bool cad : {false, true}) {
        for (const Fall& f : faelle) {
            Maler m;
            m.sql((std::string("INSERT INTO E4 (ID, I1, TUKP, PF, PS, PG, PPX, PPY, D04) VALUES (7, 0, 2.0, ")
                   + f.werte + ")")
                      .c_str());
            m.uebergeben();
            m.p.setEBOACAD(cad);
            zeichnen(m, "E4", &clsPROFIL::KORNVERTEILUNG);
            const std::string was = std::string(f.werte) + " " + alleTexte(m);
            EXPECT_EQ(skalenende(m, 0, 40), QStringLiteral("100")) << was;
            EXPECT_EQ(striche(m, 0, 40).size(), 11u) << was;

            // Ticks on the sample depth: the axis, then one after each fraction.
            std::vector<float> t;
            for (const Aufruf& a : alle(*m.rec, QStringLiteral("POLYGON")))
                if (a.z.size() == 4 && a.z[0] == a.z[2] && std::fabs(a.z[1] - 2.1f) < 1e-5f)
                    t.push_back(a.z[0] - X0);
            ASSERT_EQ(t.size(), 7u) << was;   // six on the bar, one for D 0.4
            erwarteNahe(std::vector<float>(t.begin(), t.begin() + 6), f.striche, was);
            EXPECT_NEAR(t[6], f.kreis, 0.01f) << was;

            QStringList buchstaben;
            std::vector<float> mitten;
            for (const Aufruf& a : alle(*m.rec, QStringLiteral("TEXT")))
                if (a.text.size() == 1 && std::fabs(a.z[1] - (2.0f - MYS)) < 1e-5f) {
                    buchstaben << a.text;
                    mitten.push_back(a.z[0] - X0);
                }
            EXPECT_EQ(buchstaben, f.buchstaben) << was;
            erwarteNahe(mitten, f.mitten, was);

            const auto kreise = alle(*m.rec, QStringLiteral("KREIS"));
            ASSERT_EQ(kreise.size(), 3u);   // legend, depth arrow, sample
            EXPECT_NEAR(kreise[2].z[0] - 5 - X0, f.kreis, 0.01f) << was;
            EXPECT_FLOAT_EQ(kreise[2].z[2], 1);

            // The red bar line: 0.4 mm, or width class 2 on the CAD engine.
            const QString bar = QStringLiteral("LINIENEINSTELLUNGEN 0 %1 %2").arg(cad ? "2" : "0.4").arg(ROT);
            EXPECT_EQ(m.rec->calls().count(bar), 2) << was;
        }
    }

    // Legend and heading at size 7: 7 mm, 4.2 mm and 8.4 mm above the ground line.
    Maler m;
    m.sql("INSERT INTO E4 (ID, I1, TUKP) VALUES (7, 0, 2.0)");
    m.uebergeben();
    zeichnen(m, "E4", &clsPROFIL::KORNVERTEILUNG);
    const auto fraktionen = text(*m.rec, QStringLiteral("Fraktionen"));
    const auto d04 = text(*m.rec, QStringLiteral("D 0.4 mm"));
    const auto kopf = text(*m.rec, QStringLiteral("Kornverteilung"));
    ASSERT_TRUE(fraktionen && d04 && kopf);
    EXPECT_NEAR(fraktionen->z[1], -0.7f, 1e-5);
    EXPECT_NEAR(d04->z[1], -0.42f, 1e-5);
    EXPECT_NEAR(kopf->z[1], -0.84f, 1e-5);
    EXPECT_FLOAT_EQ(fraktionen->z[0], X0 + 26);
}

// The dilatometer's three and the pressuremeter's two scales: each case
// names the scale it looks at (origin, length), its end and ticks, and the
// value text and bar of a test on it.
TEST(Balkenspalten, ScalesPerQuantity)
{
    struct Fall
    {
        const char* tabelle;
        Spalte spalte;
        const char* werte;   // the fields after ID, I1 and the depth 2.0
        float x0, laenge;
        const char* ende;
        std::vector<float> striche;
        const char* wert;
        float hoehe;         // the value text's bottom above the test depth, mm
        size_t bar;          // which of the row's bars
        float balken;
    };
    const auto E11 = &clsPROFIL::FLACHDILATOMETER;
    const auto E10 = &clsPROFIL::PRESSIOMETER;
    std::vector<float> zehn;
    for (int k = 0; k <= 10; ++k)
        zehn.push_back(3.0f * float(k));
    const float e = 2000 * 25 / 7350.0f;
    const Fall faelle[] = {
        {"E11", E11, "2.3, 0.47, 7350", 0, 25, "5", {0, 5, 10, 15, 20, 25}, "2,30", 0.5f, 0, 11.5f},
        {"E11", E11, "2.3, 0.47, 7350", 32, 25, "0,5", {0, 5, 10, 15, 20, 25}, "0,47", 0.5f, 1, 23.5f},
        {"E11", E11, "2.3, 0.35, 7350", 32, 25, "0,4", {0, 6.25f, 12.5f, 18.75f, 25}, "0,35", 0.5f, 1, 21.875f},
        {"E11", E11, "2.3, 2.2, 7350", 32, 25, "3", {0, 25.0f / 6, 50.0f / 6, 12.5f, 50.0f / 3, 125.0f / 6, 25},
         "2,20", 0.5f, 1, 2.2f / 3 * 25},
        {"E11", E11, "2.3, 0.47, 7350", 64, 25, "7350", {0, e, 2 * e, 3 * e, 4 * e}, "7350,00", 0.5f, 2, 25},
        {"E11", E11, "2.3, 0.47, 12500", 64, 25, "12500", {0, 20}, "12500,00", 0.5f, 2, 25},
        {"E10", E10, "85, 23.4", 0, 30, "100", zehn, "85", 2, 0, 25.5f},
        {"E10", E10, "85, 23.4", 37, 30, "30", {0, 10, 20, 30}, "23", 2, 1, 23.4f},
        {"E10", E10, "1230, 23.4", 0, 30, "1300", {0, 30000.0f / 1300}, "1230", 2, 0, 1230 / (1300 / 30.0f)},
    };
    for (const Fall& f : faelle) {
        Maler m;
        const bool dil = f.spalte == E11;
        m.sql((std::string("INSERT INTO ") + f.tabelle + (dil ? " (ID, I1, VTF, IND, KD, ED)" : " (ID, I1, VTP, EP, PL)")
               + " VALUES (7, 0, 2.0, " + f.werte + ")")
                  .c_str());
        m.uebergeben();
        zeichnen(m, f.tabelle, f.spalte);
        const std::string was = std::string(f.tabelle) + " " + f.wert + " " + alleTexte(m);
        EXPECT_EQ(skalenende(m, f.x0, f.laenge), QString::fromLatin1(f.ende)) << was;
        std::vector<float> soll;
        for (float v : f.striche)
            soll.push_back(f.x0 + v);
        erwarteNahe(striche(m, f.x0, f.x0 + f.laenge + 3), soll, was);
        const auto wert = text(*m.rec, QString::fromLatin1(f.wert));
        ASSERT_TRUE(wert) << was;
        EXPECT_FLOAT_EQ(wert->z[0], X0 + f.x0 + 1.5f);
        EXPECT_NEAR(wert->z[1], 2.0f - f.hoehe * MYS, 1e-5);
        const auto b = balken(m);
        ASSERT_EQ(b.size(), dil ? 3u : 2u);
        EXPECT_NEAR(b[f.bar], f.balken, 0.01f) << was;
        const auto linie = alle(*m.rec, QStringLiteral("LINIE"));
        EXPECT_NEAR(linie[f.bar].z[1] - linie[f.bar].z[3], 0.5f, 1e-3);   // 0.5 mm high on the depth
    }
    Maler m;
    m.sql("INSERT INTO E11 (ID, I1, VTF, IND, KD, ED) VALUES (7, 0, 1.2, 1, 1, 1)");
    m.uebergeben();
    zeichnen(m, "E11", &clsPROFIL::FLACHDILATOMETER);
    for (const char* titel : {"I{t,1}D [1]", "K{t,1}D [1]", "E{t,1}D [kN/m²]"})
        EXPECT_TRUE(text(*m.rec, QString::fromUtf8(titel))) << titel;
}

// A value pair stands over its bar; where that place would reach above the
// previous test's marks (or above the ground line), it is written beside the
// bar's end instead, centred on the bar.
TEST(Taschenpenetrometer, ValuePairBesideItsBarWhenThePlaceAboveIsTaken)
{
    struct Fall { float t0, t1; bool neben0, neben1; };
    const Fall faelle[] = {
        {1.5f, 3.0f, false, false},
        {0.2f, 3.0f, true, false},    // 2 mm below the ground line: no room above
        {1.5f, 1.8f, false, true},    // 3 mm below the first test: no room above
    };
    for (const Fall& f : faelle) {
        Maler m;
        m.sql("INSERT INTO E5 (ID, I1, VTT, MX, SX) VALUES (7, 0, ?, 100, 10)", {vb::Variant(f.t0)});
        m.sql("INSERT INTO E5 (ID, I1, VTT, MX, SX) VALUES (7, 1, ?, 50, 5)", {vb::Variant(f.t1)});
        m.uebergeben();
        zeichnen(m, "E5", &clsPROFIL::TASCHENPENETROMETER);
        // Scale 0 to 100 over 20 mm: the bars end 20 and 10 mm right of the axis.
        const struct { const char* text; float t; bool neben; float ende; } paare[] = {
            {"100 ± 10", f.t0, f.neben0, 20}, {"50 ± 5", f.t1, f.neben1, 10}};
        for (const auto& p : paare) {
            const auto t = text(*m.rec, QString::fromUtf8(p.text));
            ASSERT_TRUE(t) << alleTexte(m);
            EXPECT_FLOAT_EQ(t->z[0], X0 + (p.neben ? p.ende + 1.5f : 1.5f)) << p.text << " " << f.t0;
            EXPECT_NEAR(t->z[1], p.t - (p.neben ? 1.0f : 2.0f) * MYS, 1e-5) << p.text << " " << f.t0;
            EXPECT_EQ(t->z[5], p.neben ? 1 : 2) << p.text << " " << f.t0;
        }
    }
}
