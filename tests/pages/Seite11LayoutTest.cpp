// Column placement, page extent and depth allowances of the log page.
#include "pages/Seite11Layout.h"

#include <gtest/gtest.h>

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
