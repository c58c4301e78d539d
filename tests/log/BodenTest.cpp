// The soil column's dressing through the recording engine: fill colours and
// colour names, state marks beside the strip and the area symbols scattered
// over a layer (with a fixed start for the random numbers).
#include "Projektfixture.h"
#include "Protokoll.h"

#include "database/clsDATEN.h"
#include "drawing/DrawingInterface.h"
#include "log/clsPROFIL.h"

#include <array>
#include <cmath>
#include <set>

namespace {

// A recording engine that also has the CAD engine's point markers.
class CadAufnahme : public drawing::RecordingEngine
{
public:
    void SYMBOLE(float XP, float YP, int16_t PSTYP, float GROESSE) override
    {
        symbole.push_back({XP, YP, float(PSTYP), GROESSE});
    }
    std::vector<std::array<float, 4>> symbole;
};

struct Boden : Projektfixture
{
    std::shared_ptr<CadAufnahme> rec = std::make_shared<CadAufnahme>();
    clsPROFIL p;

    // View: x page mm = 5 + x, y page mm = 32 + 10·y (1:100, depth down).
    explicit Boden(bool cad = false, uint32_t start = 4711)
    {
        ansicht(0.1f, -1);
        drawing::ViewState v;
        v.OX = 1, v.OY = -1, v.RL = 5, v.RR = 7, v.RO = 5, v.RU = 5;
        v.XMAX = 840, v.YMIN = -2.7f, v.YMAX = 14, v.MX = 1, v.MY = 0.1f;
        rec->setView(v);
        rec->EIDOBJEKT(11);
        clsPROFIL::setZufallsstart(start);
        p.setEclsBILD(rec);
        clsPROFIL::setZufallsstart(std::nullopt);
        p.setEBOACAD(cad);
        rec->clear();
    }

    // Area symbols of one code over a layer 5 mm wide and `mm` high whose
    // top lies at page y 32.
    void flaeche(const QString& code, float mm, QString rundung = QString(), int16_t standard = 0)
    {
        p.UNTERGRUNDPROFIL(100, 0, 105, mm / 10.0f, code, rundung, standard);
    }
    std::vector<Aufruf> kreise() const { return alle(*rec, QStringLiteral("KREIS")); }
    std::vector<Aufruf> linien() const { return alle(*rec, QStringLiteral("LINIE")); }
};

constexpr int32_t rgb(int r, int g, int b) { return drawing::rgb(r, g, b); }

} // namespace

TEST(Bodenfarben, FillColourByModeTextAndCode)
{
    struct Fall { bool cad; int16_t farben; const char* farbe; const char* code; int32_t erwartet; int16_t danach; };
    const Fall faelle[] = {
        // natural colours: trimmed, exact, case-sensitive
        {false, 1, " RAL 7031 ", "", rgb(85, 89, 104), 1},
        {false, 1, "RAL8011", "", rgb(71, 38, 28), 1},
        {false, 1, "1002", "", rgb(214, 176, 117), 1},
        {false, 1, "RAL  1002", "", rgb(0, 0, 1), 1},
        {false, 1, "", "G", rgb(0, 0, 1), 1},
        {false, 1, "ral1002", "", rgb(0, 0, 1), 1},
        {false, 1, "keine Angabe", "", rgb(255, 255, 255), 1},
        // soil families by the main constituent, not trimmed
        {false, 2, "RAL8011", "G", rgb(255, 255, 0), 2},
        {false, 2, "", "Y", rgb(255, 255, 0), 2},
        {false, 2, "", "mfS", rgb(255, 100, 0), 2},
        {false, 2, "", "b¯U", rgb(90, 100, 10), 2},
        {false, 2, "", "H", rgb(77, 34, 26), 2},
        {false, 2, "", "b'T", rgb(153, 102, 204), 2},
        {false, 2, "", "A", rgb(255, 255, 255), 2},
        {false, 2, "", "A: *", rgb(255, 255, 255), 2},
        {false, 2, "", "Ko", rgb(0, 0, 1), 2},
        {false, 2, "", "Lö", rgb(204, 153, 51), 2},
        {false, 2, "", " G", rgb(255, 255, 255), 2},
        {false, 3, "RAL8011", "G", rgb(255, 255, 255), 3},
        // CAD: only the family values; any other mode is switched off
        {true, 2, "", "G", 6, 2},
        {true, 2, "", "Ko", 250, 2},
        {true, 2, "", "Lö", 42, 2},
        {true, 2, "", "LöL", 42, 2},
        {true, 2, "", "T", 224, 2},
        {true, 2, "", "Fels", -1, 2},
        {true, 2, "", "xy", -1, 2},
        {true, 1, "RAL8011", "G", 0, 0},
        {true, 3, "", "G", 0, 0},
    };
    Boden b;
    for (const Fall& f : faelle) {
        b.p.setEBOACAD(f.cad);
        int16_t farben = f.farben;
        EXPECT_EQ(b.p.FARBAUSWAHL(farben, QString::fromUtf8(f.farbe), QString::fromUtf8(f.code)), f.erwartet)
            << f.farben << " '" << f.farbe << "' '" << f.code << "' cad " << f.cad;
        EXPECT_EQ(farben, f.danach) << f.farbe << " " << f.code;
    }
    EXPECT_TRUE(b.rec->calls().isEmpty());
}

TEST(Bodenfarben, ColourNames)
{
    const std::pair<const char*, const char*> faelle[] = {
        {"8011", "nussbraun (RAL8011)"},
        {"RAL 1002", "sandgelb (RAL1002)"},
        {"RAL6013", "schilfgrün (RAL6013)"},
        {"RAL8028", "terrabraun (RAL8028)"},
        {" RAL 7031 ", " RAL 7031 "},
        {"ral1002", "ral1002"},
        {"keine Angabe", "keine Angabe"},
        {"", ""},
    };
    Boden b;
    for (const auto& [farbe, name] : faelle)
        EXPECT_EQ(b.p.FARBBEZ(QString::fromUtf8(farbe)), QString::fromUtf8(name)) << farbe;
}

// The CAD drawing shows no natural colours: the mode falls to 0 for the
// caller and no layer is filled; family colours still fill every layer.
TEST(Bodenfarben, CadSwitchesNaturalColoursOffForTheWholeColumn)
{
    Boden b(true);
    b.schicht(0, 1.0f, "G", "", "", "", "", "RAL8011");
    b.schicht(1, 2.0f, "Ko", "", "", "", "", "RAL1002");
    clsDATEN e2;
    e2.ETABELLE(QStringLiteral("E2"));
    for (int16_t modus : {1, 2}) {
        b.rec->clear();
        ProfilParameter pp;
        pp.X = 100;
        pp.FARBEN = modus;
        b.p.PROFIL(e2, pp);
        std::vector<float> fuellungen;
        for (const Aufruf& a : b.linien())
            if (a.z.size() == 6)
                fuellungen.push_back(a.z[4]);
        if (modus == 1) {
            EXPECT_EQ(pp.FARBEN, 0);
            EXPECT_TRUE(fuellungen.empty());
        } else {
            EXPECT_EQ(pp.FARBEN, 2);
            EXPECT_EQ(fuellungen, (std::vector<float>{6, 250}));
        }
    }
    EXPECT_TRUE(b.dienste.dialogs.messages().empty());
}

TEST(Bodenzustand, LineMarksAndWaves)
{
    struct Linie { float links; int art; };
    struct Fall { const char* code; float mm; std::vector<Linie> linien; int n; int wellen; };
    const Fall faelle[] = {
        {"lo", 4, {{5 / 6.0f, 2}}, 0, 0},
        {"md", 4, {{5 / 6.0f, 2}, {10 / 6.0f, 2}}, 0, 0},
        {"di", 4, {{5 / 6.0f, 2}, {10 / 6.0f, 0}}, 0, 0},
        {"sd", 4, {{5 / 6.0f, 2}, {10 / 6.0f, 0}, {2.5f, 2}}, 0, 0},
        {"ha", 4, {{5 / 6.0f, 0}}, 0, 0},
        {"fe", 4, {{5 / 6.0f, 0}, {10 / 6.0f, 0}}, 0, 0},
        {"st", 4, {{5 / 6.0f, 1}}, 0, 0},
        {"we", 1, {}, 0, 0},     // 0.5 periods round to 0
        {"we", 3, {}, 2, 1},     // 1.5 rounds to 2
        {"we", 10, {}, 5, 1},
        {"br", 10, {}, 5, 2},
        {"MD", 10, {}, 0, 0},
        {"xy", 10, {}, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.code) + " " + std::to_string(f.mm));
        Boden b;
        b.p.BODENZUSTAND(100, 0, 105, f.mm / 10.0f, QString::fromLatin1(f.code));
        const auto linien = b.linien();
        const auto stile = alle(*b.rec, QStringLiteral("LINIENEINSTELLUNGEN"));
        ASSERT_EQ(linien.size(), f.linien.size());
        for (size_t k = 0; k < linien.size(); ++k) {
            EXPECT_NEAR(linien[k].z[0], 105 - f.linien[k].links, 1e-3);   // six digits recorded
            EXPECT_EQ(linien[k].z[0], linien[k].z[2]);
            EXPECT_FLOAT_EQ(linien[k].z[1], 32);
            EXPECT_NEAR(linien[k].z[3], 32 + f.mm, 1e-4);
            EXPECT_EQ(stile[k].z[0], f.linien[k].art);
        }
        // Every mark but "st" puts the default line back; "st" leaves its dashes.
        if (!f.linien.empty()) {
            const bool gestrichelt = QLatin1String(f.code) == QLatin1String("st");
            ASSERT_EQ(stile.size(), f.linien.size() + (gestrichelt ? 0 : 1));
            EXPECT_EQ(stile.back().z[0], gestrichelt ? 1 : 0);
        }

        const auto kreise = b.kreise();
        ASSERT_EQ(kreise.size(), size_t(2 * f.n * f.wellen));
        if (f.n == 0)
            continue;
        const float r = f.mm / float(f.n) / 4.0f;
        const float versatz[] = {1.4f * r, 2.2f * r};
        // Per period: the left half above its middle, the right half below,
        // on each wavy line in turn.
        size_t i = 0;
        for (int k = 0; k < f.n; ++k) {
            const float mitte = 32 + float(4 * k + 2) * r;
            const auto pruefen = [&](float x, float y, bool linkeHaelfte) {
                const Aufruf& a = kreise[i++];
                EXPECT_NEAR(a.z[0], 105 - x, 1e-3);
                EXPECT_NEAR(a.z[1], y, 1e-4);
                EXPECT_NEAR(a.z[2], r, 1e-6);
                EXPECT_NEAR(a.z[3], linkeHaelfte ? 1.5707963f : 4.712389f, 1e-5);
                EXPECT_NEAR(a.z[4], linkeHaelfte ? 4.712389f : 1.5707963f, 1e-5);
                EXPECT_EQ(a.z[7], 0);   // page millimetres
            };
            pruefen(versatz[0], mitte - r, true);
            if (f.wellen == 2) {
                pruefen(versatz[1], mitte - r, true);
                pruefen(versatz[1], mitte + r, false);
            }
            pruefen(versatz[0], mitte + r, false);
        }
    }
}

TEST(Flaechensymbole, EmptyRoundnessBecomesRoundedInTheCaller)
{
    Boden b;
    QString rundung;
    int16_t standard = 0;
    b.p.UNTERGRUNDPROFIL(100, 0, 105, 1.0f, QStringLiteral("Y"), rundung, standard);
    EXPECT_EQ(rundung, QStringLiteral("gerundet"));
    // Rounded boulders: a half circle over its base line and a dot.
    const auto k = b.kreise();
    ASSERT_GE(k.size(), 2u);
    EXPECT_FLOAT_EQ(k[0].z[2], 1.2f);
    EXPECT_FLOAT_EQ(k[0].z[3], 0);
    EXPECT_NEAR(k[0].z[4], 3.1415925f, 1e-5);
    EXPECT_NEAR(k[1].z[2], 0.1, 1e-7);
}

// The staggered columns stop before a symbol's lower edge would pass the
// layer: boulders need 2.2 s, silt, clay and "H" 2 s (s = 1.2 mm).
TEST(Flaechensymbole, StaggeredColumnsNeedRoom)
{
    struct Fall { const char* code; float mm; size_t symbole; };
    const Fall faelle[] = {
        {"Y", 2.6f, 0}, {"X", 2.7f, 1}, {"X", 3.7f, 1}, {"X", 4.9f, 2}, {"X", 7.3f, 3},
        {"U", 2.35f, 0}, {"bT", 2.45f, 1}, {"H", 5.4f, 1}, {"T", 5.5f, 2},
    };
    for (const Fall& f : faelle) {
        Boden b;
        b.flaeche(QString::fromUtf8(f.code), f.mm);
        const QString code = QString::fromUtf8(f.code);
        // One call per symbol: the half circle, the stroke, the first bar of the Z.
        size_t n = 0;
        if (code == QLatin1String("X"))
            n = b.kreise().size();
        else if (code == QLatin1String("H"))
            n = b.linien().size() / 3;
        else
            n = b.linien().size();
        EXPECT_EQ(n, f.symbole) << f.code << " " << f.mm;
    }
}

// One row of randomly placed symbols per layer no higher than a row: its
// count and the centres inside the layer (s = 1.2 mm, margin s/2 for gravel
// and s/4 for sand). A layer under the margin gets no row.
TEST(Flaechensymbole, RandomRowsKeepTheirCountsAndStayInTheLayer)
{
    struct Fall { const char* code; float hoehe; float rand; float ring; size_t min, max; };
    const Fall faelle[] = {
        {"G", 8.6f, 0.6f, 0, 4, 13},      // circles of 0.3 to 0.6 mm, some with a dot
        {"mG", 8.6f, 0.6f, 0.6f, 4, 11},
        {"fG", 8.6f, 0.6f, 0.4f, 4, 11},
        {"gS", 6.3f, 0.3f, 0.36f, 8, 16},  // the outer ring of each disc
        {"G", 0.6f, 0.6f, 0, 0, 0},
        {"S", 0.3f, 0.3f, 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        std::set<size_t> anzahlen;
        for (uint32_t start = 1; start <= 40; ++start) {
            Boden b(false, start);
            b.flaeche(QString::fromLatin1(f.code), f.hoehe);
            size_t n = 0;
            for (const Aufruf& a : b.kreise()) {
                const bool symbol = f.ring == 0 ? a.z[2] >= 0.2f : std::fabs(a.z[2] - f.ring) < 1e-5f;
                if (!symbol)
                    continue;
                ++n;
                EXPECT_GE(a.z[0], 105 + f.rand - 1e-4f) << f.code;
                EXPECT_LE(a.z[0], 110 - f.rand + 1e-4f) << f.code;
                EXPECT_GE(a.z[1], 32 + f.rand - 1e-4f) << f.code;
                EXPECT_LE(a.z[1], 32 + f.hoehe + 1e-4f) << f.code;
            }
            anzahlen.insert(n);
        }
        EXPECT_EQ(*anzahlen.begin(), f.min) << f.code;
        EXPECT_EQ(*anzahlen.rbegin(), f.max) << f.code;
    }
}

TEST(Flaechensymbole, AngularFormsAndTheGradedGravel)
{
    struct Fall { const char* code; size_t linien, kreise; };
    const Fall faelle[] = {
        {"Y", 3, 1},     // open triangle and a dot
        {"X", 3, 0},     // open triangle
        {"G", 30, 0},    // solid triangle of nested outlines
        {"gG", 0, 2},    // the scatterer passes no roundness: circle and dot
    };
    for (const Fall& f : faelle) {
        Boden b;
        b.p.SYMBOLOENORM(50, 50, QString::fromLatin1(f.code), 1.2f,
                         QLatin1String(f.code) == QLatin1String("gG") ? QString() : QStringLiteral("kantig"));
        EXPECT_EQ(b.linien().size(), f.linien) << f.code;
        EXPECT_EQ(b.kreise().size(), f.kreise) << f.code;
    }
    // The scatterer hands graded gravel no roundness word even when the layer is angular.
    Boden b;
    b.flaeche(QStringLiteral("gG"), 20, QStringLiteral("kantig"));
    EXPECT_TRUE(b.linien().empty());
    EXPECT_FALSE(b.kreise().empty());
}

TEST(Flaechensymbole, SiltCodesShareTheirStroke)
{
    std::vector<QStringList> zuege;
    for (const char* code : {"bU", "U", "b'U", "b¯U"}) {
        Boden b;
        b.flaeche(QString::fromUtf8(code), 12);
        zuege.push_back(b.rec->calls());
        EXPECT_FALSE(zuege.back().isEmpty());
        EXPECT_EQ(zuege.back(), zuege.front()) << code;
    }
}

TEST(Flaechensymbole, WordsNothingAndOtherStandards)
{
    struct Fall { const char* code; int16_t standard; bool wort; bool symbole; };
    const Fall faelle[] = {
        {"Mu", 0, true, false}, {"Mu", 1, true, false}, {"A", 0, true, false}, {"A", 1, true, false},
        {"Ko", 0, false, false}, {"Lö", 0, false, false}, {"LöL", 0, false, false}, {"", 0, false, false},
        {"G", 0, false, true}, {"G", 1, false, false}, {"G", 2, false, false}, {"X", 1, false, false},
    };
    for (const Fall& f : faelle) {
        Boden b;
        b.flaeche(QString::fromUtf8(f.code), 10, QString(), f.standard);
        const auto t = texte(*b.rec);
        if (f.wort) {
            // Centred both ways in the middle of the layer (world units).
            const auto w = text(*b.rec, QString::fromUtf8(f.code));
            ASSERT_TRUE(w);
            EXPECT_NEAR(w->z[0], 102.5f, 1e-4);
            EXPECT_NEAR(w->z[1], 0.5f, 1e-5);
            EXPECT_EQ(w->z[2], 1);
            EXPECT_EQ(w->z[4], 1);
            EXPECT_EQ(w->z[5], 1);
        } else {
            EXPECT_TRUE(t.isEmpty()) << f.code;
        }
        EXPECT_EQ(!b.kreise().empty() || !b.linien().empty(), f.symbole) << f.code << " " << f.standard;
    }
}

TEST(Flaechensymbole, DiscsAreConcentricCirclesDownToTheirSmallestRing)
{
    struct Fall { const char* code; float R; };
    const Fall faelle[] = {{"gS", 0.4f}, {"mS", 0.3f}, {"gmS", 0.3f}};
    for (const Fall& f : faelle) {
        Boden b;
        b.p.SYMBOLOENORM(50, 50, QString::fromLatin1(f.code), 1.2f, QString());
        const auto k = b.kreise();
        ASSERT_FALSE(k.empty());
        EXPECT_NEAR(k.front().z[2], 0.9f * f.R, 1e-6) << f.code;
        for (size_t i = 0; i < k.size(); ++i) {
            EXPECT_NEAR(k[i].z[2], f.R - float(i + 1) * f.R / 10.0f, 1e-6);
            EXPECT_GE(k[i].z[2], 0.02f);
        }
        // The next ring would fall under 0.02 mm.
        EXPECT_LT(f.R - float(k.size() + 1) * f.R / 10.0f, 0.02f + 1e-6f) << f.code;
    }
    // Fine sand: one dot half a millimetre above the centre.
    Boden b;
    b.p.SYMBOLOENORM(50, 50, QStringLiteral("fS"), 1.2f, QString());
    ASSERT_EQ(b.kreise().size(), 1u);
    EXPECT_FLOAT_EQ(b.kreise()[0].z[1], 49.5f);
    EXPECT_NEAR(b.kreise()[0].z[2], 0.1, 1e-7);
}

// On the CAD engine the symbol size follows MX, discs and angular gravel are
// the engine's filled markers and the boulders' arc runs from π round to 2π.
TEST(Flaechensymbole, CadMarkersAndReversedHalfCircle)
{
    struct Fall { const char* code; const char* rundung; int markertyp; float groesse; size_t kreise; };
    const Fall faelle[] = {
        {"G", "kantig", -2, 1.2f, 0},
        {"gS", "", -1, 0.4f, 0},
        {"mS", "", -1, 0.3f, 0},
        {"Y", "gerundet", 0, 0, 2},
    };
    for (const Fall& f : faelle) {
        Boden b(true);
        b.p.SYMBOLOENORM(50, 50, QString::fromLatin1(f.code), 1.2f, QString::fromLatin1(f.rundung));
        EXPECT_EQ(b.kreise().size(), f.kreise) << f.code;
        if (f.markertyp == 0) {
            EXPECT_TRUE(b.rec->symbole.empty());
            // An end angle of 0 stands for 2π.
            EXPECT_NEAR(b.kreise()[0].z[3], 3.1415925f, 1e-5);
            EXPECT_NEAR(b.kreise()[0].z[4], 2 * 3.1415925f, 1e-5);
            continue;
        }
        ASSERT_EQ(b.rec->symbole.size(), 1u) << f.code;
        EXPECT_EQ(b.rec->symbole[0], (std::array<float, 4>{50, 50, float(f.markertyp), f.groesse})) << f.code;
    }

    // s = 1.2 MX: with MX 2 the boulders' columns are twice as far apart.
    Boden b(true);
    b.sql("UPDATE G0 SET MX = 2");
    b.p.setEclsBILD(b.rec);
    b.p.setEBOACAD(true);
    b.rec->clear();
    b.flaeche(QStringLiteral("X"), 20);
    const auto k = b.kreise();
    ASSERT_GE(k.size(), 2u);
    EXPECT_FLOAT_EQ(k[0].z[2], 2.4f);
    EXPECT_NEAR(k[1].z[1] - k[0].z[1], 1.3f * 2.4f, 1e-4);
}

// The same start gives the same scatter; a new hand-over without a fixed
// start gives another.
TEST(Flaechensymbole, FixedStartRepeatsTheScatter)
{
    Boden a(false, 17), b(false, 17);
    a.flaeche(QStringLiteral("G"), 20);
    b.flaeche(QStringLiteral("G"), 20);
    EXPECT_EQ(a.rec->calls(), b.rec->calls());
    a.p.setEclsBILD(a.rec);
    a.rec->clear();
    a.flaeche(QStringLiteral("G"), 20);
    EXPECT_NE(a.rec->calls(), b.rec->calls());
}

// A CAD scale that doesn't move the staggered rows on (0 or negative) ends
// the layer's symbols instead of placing them forever.
TEST(Flaechensymbole, StaggeredRowsEndWhenTheSizeDoesNotMoveThemOn)
{
    for (float mx : {0.0f, -1.0f}) {
        Boden b(true);
        b.sql("UPDATE G0 SET MX = ?", {vb::Variant(mx)});
        b.p.setEclsBILD(b.rec);
        b.p.setEBOACAD(true);
        b.rec->clear();
        for (const char* code : {"X", "U"}) {
            b.flaeche(QString::fromLatin1(code), 20);
            EXPECT_LE(b.rec->calls().size(), 8) << code << " " << mx;
            b.rec->clear();
        }
    }
}
