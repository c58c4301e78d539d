// Column placement, page extent and depth allowances of the log page.
#include "pages/Seite11Layout.h"

#include <gtest/gtest.h>

#include <vector>

using namespace seite11;

namespace {

Schalter alle(int16_t wert)
{
    Schalter s;
    s.fill(wert);
    return s;
}

size_t index(Spalte s)
{
    for (size_t k = 0; k < SPALTEN.size(); ++k)
        if (SPALTEN[k].spalte == s)
            return k;
    return SIZE_MAX;
}

} // namespace

TEST(Seite11Layout, EverySwitchOnGivesTheWorkedLayout)
{
    struct Fall { int16_t modus; std::array<float, 11> x; float ausdehnung; };
    const Fall faelle[] = {
        {BILDSCHIRM, {20, 62, 104, 146, 183, 267, 351, 435, 519, 603, 729}, 839},
        {DRUCKER, {20, 50, 80, 110, 140, 200, 260, 320, 380, 440, 530}, 605},
        {AUTOCAD, {20, 62, 104, 146, 188, 272, 356, 440, 524, 608, 734}, 839},
    };
    for (const Fall& f : faelle) {
        const Anordnung a = anordnen(f.modus, alle(1));
        for (size_t k = 0; k < 11; ++k) {
            EXPECT_TRUE(a.gezeichnet[k]) << "mode " << f.modus << " column " << k;
            EXPECT_FLOAT_EQ(a.x[k], f.x[k]) << "mode " << f.modus << " column " << k;
        }
        EXPECT_FLOAT_EQ(a.ausdehnung, f.ausdehnung) << "mode " << f.modus;
    }
}

TEST(Seite11Layout, OnlyTheSoilColumnWithoutSwitches)
{
    const Anordnung a = anordnen(BILDSCHIRM, alle(0));
    for (size_t k = 0; k < 11; ++k)
        EXPECT_EQ(a.gezeichnet[k], k == index(Spalte::PROFIL)) << k;
    EXPECT_FLOAT_EQ(a.x[index(Spalte::PROFIL)], 15);
    EXPECT_FLOAT_EQ(a.ausdehnung, 20 + 2 * 42);
}

TEST(Seite11Layout, GrainSizeCountsOneAndAHalfButAdvancesTwo)
{
    Schalter s = alle(0);
    s[index(Spalte::KORNVERTEILUNG)] = 1;
    s[index(Spalte::BILDSAMKEIT)] = 1;
    const Anordnung a = anordnen(DRUCKER, s);
    EXPECT_FLOAT_EQ(a.ausdehnung, 20 + 30 * (2 + 1.5f + 2));
    EXPECT_FLOAT_EQ(a.x[index(Spalte::KORNVERTEILUNG)], 20 + 60);
    EXPECT_FLOAT_EQ(a.x[index(Spalte::BILDSAMKEIT)], 20 + 60 + 60);
}

TEST(Seite11Layout, SwitchHoldingTwoCountsTwiceButIsNotDrawn)
{
    Schalter s = alle(0);
    s[index(Spalte::VERROHRUNG)] = 2;
    s[index(Spalte::PRESSIOMETER)] = 2;
    const Anordnung a = anordnen(BILDSCHIRM, s);
    EXPECT_FALSE(a.gezeichnet[index(Spalte::VERROHRUNG)]);
    EXPECT_FALSE(a.gezeichnet[index(Spalte::PRESSIOMETER)]);
    EXPECT_FLOAT_EQ(a.ausdehnung, 20 + 42 * (2 * 1 + 2 + 2 * 3));
    EXPECT_FLOAT_EQ(a.x[index(Spalte::PROFIL)], 15);
}

TEST(Seite11Layout, DepthAllowances)
{
    struct Fall { int16_t bztv; float massstab; float tiefe; float oben; float unten; };
    const Fall faelle[] = {
        {1, 0.1f, 12.0f, -2.7f, 14.0f},
        {0, 0.1f, 12.0f, -0.5f, 14.0f},
        {1, 0.2f, 3.0f, -5.4f, 7.0f},
        {1, 0.0f, 0.0f, -27 * 0.075f, 20 * 0.075f},    // no scale: fallback 0.075
        {0, 0.0f, 4.5f, -5 * 0.075f, 4.5f + 1.5f},
        {2, 0.1f, 1.0f, -0.5f, 3.0f},                   // only 1 shows the header block
    };
    for (const Fall& f : faelle) {
        const auto y = tiefenbereich(f.bztv, f.massstab, f.tiefe);
        EXPECT_FLOAT_EQ(y[0], f.oben) << f.bztv << " " << f.massstab;
        EXPECT_FLOAT_EQ(y[1], f.unten) << f.bztv << " " << f.massstab;
    }
}

// The room a remark is broken to, on the printed sheet: up to the texts of
// the next column right of the soil column that draws something (10 mm left
// of its axis here), else up to the frame's right edge (163 mm right of the
// frame's left edge), 1 mm clear, never less than the least room (20 mm
// here). A column that is switched on but has no rows, one with rows that is
// switched off, and columns left of the soil column don't bound it.
TEST(Seite11Layout, RemarkWidthIsTheRoomUpToTheNextDrawingColumn)
{
    struct Fall
    {
        const char* was;
        std::vector<Spalte> an;        // switched on (1)
        std::vector<Spalte> zeichnen;  // with rows
        float breite;
    };
    const std::vector<Spalte> seite = {Spalte::BOHRUNG, Spalte::VERROHRUNG, Spalte::GRUNDWASSER, Spalte::PROBEN};
    const std::vector<Spalte> tests = {Spalte::STANDARDSONDE, Spalte::TASCHENPENETROMETER, Spalte::KORNVERTEILUNG,
                                       Spalte::BILDSAMKEIT, Spalte::FLACHDILATOMETER, Spalte::PRESSIOMETER};
    std::vector<Spalte> alleSpalten = seite;
    alleSpalten.insert(alleSpalten.end(), tests.begin(), tests.end());
    const Fall faelle[] = {
        {"soil column alone", {}, {}, 163 - 27.5f - 1},
        {"test columns without rows", tests, {}, 163 - 27.5f - 1},
        {"next column beside", tests, tests, 80 - 10 - 27.5f - 1},
        {"first test column empty", tests, {Spalte::TASCHENPENETROMETER, Spalte::PRESSIOMETER}, 140 - 10 - 27.5f - 1},
        {"rows but switched off", {Spalte::PRESSIOMETER}, {Spalte::STANDARDSONDE, Spalte::PRESSIOMETER},
         80 - 10 - 27.5f - 1},
        {"a side column left of it", {Spalte::BOHRUNG}, {Spalte::BOHRUNG}, 163 - 57.5f - 1},
        {"every column, none right of it drawing", alleSpalten, seite, 20},
        {"every column drawing", alleSpalten, alleSpalten, 200 - 10 - 147.5f - 1},
    };
    for (const Fall& f : faelle) {
        Schalter s = alle(0);
        std::array<bool, 11> zeichnet{};
        for (Spalte sp : f.an)
            s[index(sp)] = 1;
        for (Spalte sp : f.zeichnen)
            zeichnet[index(sp)] = true;
        // Asked in order, only about columns switched on right of the soil
        // column, and no further than the first that draws.
        std::vector<size_t> gefragt;
        const auto frage = [&](size_t k) {
            EXPECT_EQ(s[k], 1) << f.was;
            EXPECT_GT(k, index(Spalte::PROFIL)) << f.was;
            EXPECT_TRUE(gefragt.empty() || (gefragt.back() < k && !zeichnet[gefragt.back()])) << f.was;
            gefragt.push_back(k);
            return zeichnet[k];
        };
        EXPECT_NEAR(bemerkungsbreite(s, frage, 10, 20), f.breite, 1e-4) << f.was;
    }
    // The least room of the soil column: a test column right beside it on
    // paper whose texts reach 15.5 mm left of its axis leaves 36 mm.
    Schalter s = alle(0);
    s[index(Spalte::STANDARDSONDE)] = 1;
    std::array<bool, 11> zeichnet{};
    zeichnet[index(Spalte::STANDARDSONDE)] = true;
    EXPECT_NEAR(bemerkungsbreite(s, [&](size_t k) { return zeichnet[k]; }, 15.5f, 0), 36, 1e-4);
}
