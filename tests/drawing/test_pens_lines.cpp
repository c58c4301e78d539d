// Pens and fonts, clipped lines and bands, arrow heads.

#include "DrawingFixture.h"

#include "drawing/Numeric.h"

using namespace drawing;

namespace {
constexpr int32_t kRed = 0x0000FF;

using Bench = LogPageBench;
} // namespace

TEST_F(DrawingTest, PenWidthInPixelsForScreenAndPrinter)
{
    struct Case {
        double dpi;
        float mm;
        int px;
    };
    // 96 dpi: 3.78 px/mm; 600 dpi: 23.6 px/mm.
    const Case cases[] = {{96, 0.4f, 2}, {600, 0.4f, 9}, {96, 0, 1}, {600, 0, 1}, {96, 1.0f, 4}, {600, 0.1f, 2}};
    for (const Case& c : cases) {
        Bench b(c.dpi, c.dpi > 300 ? Target::Kind::Printer : Target::Kind::Picture);
        b.g->LINIENEINSTELLUNGEN(2, c.mm, kRed);
        EXPECT_EQ(b.target->DrawWidth(), c.px) << c.dpi << " dpi, " << c.mm << " mm";
        EXPECT_EQ(b.target->DrawStyle(), 2);
        EXPECT_EQ(b.target->ForeColor(), kRed);
    }
    Bench b;
    b.g->LINIENEINSTELLUNGEN(2, 0.4f, kRed);
    b.g->LINIENEINSTELLUNGEN();
    EXPECT_EQ(b.target->DrawStyle(), 0);
    EXPECT_EQ(b.target->DrawWidth(), 1);
    EXPECT_EQ(b.target->DrawMode(), 13);
    EXPECT_EQ(b.target->ForeColor(), 0);
    EXPECT_EQ(m_box->count(), 0);
}

TEST_F(DrawingTest, RefusedPenWidthKeepsTheOldWidthButSetsTheColour)
{
    Bench b;  // 0.1 mm is 0.38 px on the screen: no whole pixel
    b.g->LINIENEINSTELLUNGEN(0, 0.4f, 0);
    b.g->LINIENEINSTELLUNGEN(0, 0.1f, kRed);
    ASSERT_EQ(m_box->count(), 1);
    EXPECT_EQ(m_box->last().title, "Linieneinstellungen");
    EXPECT_TRUE(m_box->last().text.startsWith("VB-Fehler 380\n")) << m_box->last().text;
    EXPECT_EQ(b.target->DrawWidth(), 2);
    EXPECT_EQ(b.target->ForeColor(), kRed);
}

TEST_F(DrawingTest, FontSlotsFollowTheTargetFont)
{
    struct Case {
        int16_t size;
        float full, reduced;
    };
    const Case cases[] = {{0, 8, 7}, {10, 10, 9}, {12, 12, 10}, {16, 16, 14}};
    for (const Case& c : cases) {
        Bench b;
        b.target->FontStrikethru(true);  // set earlier by someone else: kept and copied
        b.g->SCHRIFTEINSTELLUNGEN(QString(), c.size, true, false, true);
        EXPECT_EQ(b.target->FontName(), "Arial");
        EXPECT_FLOAT_EQ(b.target->FontSize(), c.full);
        const char* faces[] = {nullptr, "Arial", "Arial", "Symbol", "Arial", "Symbol"};
        const float sizes[] = {0, c.full, c.full, c.full, c.reduced, c.reduced};
        for (int s = 1; s <= 5; ++s) {
            const FontRef f = b.g->fontSlot(s);
            ASSERT_TRUE(f);
            EXPECT_EQ(f->Name, faces[s]) << "slot " << s;
            EXPECT_FLOAT_EQ(f->Size, sizes[s]) << "slot " << s << " size " << c.size;
            EXPECT_TRUE(f->Bold);
            EXPECT_TRUE(f->Italic);
            EXPECT_FALSE(f->Underline);
            EXPECT_TRUE(f->Strikethrough);
            EXPECT_NE(f.get(), b.target->Font().get());  // own objects, not the target's
        }
    }
}

TEST_F(DrawingTest, FontColourIsThePenColourToo)
{
    Bench b;
    b.g->LINIENEINSTELLUNGEN(0, 0, -5);  // a pen colour is passed on as given
    EXPECT_EQ(b.target->ForeColor(), -5);
    b.g->SCHRIFTEINSTELLUNGEN(QString(), 0, false, false, false, -5);  // text: no system colours
    EXPECT_EQ(b.target->ForeColor(), 0);
    b.g->SCHRIFTEINSTELLUNGEN(QString(), 0, false, false, false, kRed);
    b.g->LINIE(10, 10, 20, 10);
    ASSERT_EQ(b.target->linesOf("LINE").size(), 1);
    EXPECT_TRUE(b.target->linesOf("LINE")[0].contains("c=0x0000ff")) << b.target->linesOf("LINE")[0];
}

TEST_F(DrawingTest, LinesAreClippedToThePlotArea)
{
    // Plot area: left 5, top 5, right 233, bottom 127. Result: the drawn
    // piece, or "" for nothing.
    struct Case {
        const char* what;
        float x1, y1, x2, y2;
        int16_t bosk;
        const char* drawn;
    };
    const Case cases[] = {
        {"both ends left", 1, 10, 4, 50, 0, ""},
        {"on the left edge (equal x: from the second point)", 5, 10, 5, 50, 0, "5.000 50.000 5.000 10.000"},
        {"wholly inside, smaller x first", 50, 60, 20, 30, 0, "20.000 30.000 50.000 60.000"},
        {"vertical across both edges", 40, 0, 40, 200, 0, "40.000 5.000 40.000 127.000"},
        {"vertical across both edges, reversed", 40, 200, 40, 0, 0, "40.000 5.000 40.000 127.000"},
        {"vertical from inside to below", 40, 60, 40, 200, 0, "40.000 127.000 40.000 60.000"},
        {"horizontal from left of the area", 0, 50, 100, 50, 0, "5.000 50.000 100.000 50.000"},
        {"horizontal across both edges", -10, 50, 300, 50, 0, "5.000 50.000 233.000 50.000"},
        {"diagonal across left and right", 0, 10, 238, 129, 0, "5.000 12.500 233.000 126.500"},
        {"diagonal bottom to top", 40, 147, 60, -15, 0, "42.469 127.000 57.531 5.000"},
        {"passing outside a corner", -10, 5, 8, -13, 0, ""},
        {"BOSK 1 clips to the picture area", -10, 50, 300, 50, 1, "0.000 50.000 240.000 50.000"},
        {"BOSK -1 clips like 0", -10, 50, 300, 50, -1, "5.000 50.000 233.000 50.000"},
        {"entering left, leaving through the bottom", 0, 100, 100, 150, 0, "5.000 102.500 54.000 127.000"},
        {"entering right from above the top", 100, -20, 250, 100, 0, "233.000 86.400 131.250 5.000"},
    };
    for (const Case& c : cases) {
        Bench b;
        b.g->LINIE(c.x1, c.y1, c.x2, c.y2, std::nullopt, c.bosk);
        const QStringList lines = b.target->linesOf("LINE");
        if (QString(c.drawn).isEmpty()) {
            EXPECT_TRUE(lines.isEmpty()) << c.what << ": " << lines.join(" | ").toStdString();
        } else {
            ASSERT_EQ(lines.size(), 1) << c.what;
            EXPECT_TRUE(lines[0].startsWith(QStringLiteral("LINE ") + c.drawn)) << c.what << ": " << lines[0];
        }
    }
    EXPECT_EQ(m_box->count(), 0);
}

TEST_F(DrawingTest, BandsAreFilledUpToTheEdges)
{
    struct Case {
        float x1, y1, x2, y2;
        const char* box;
    };
    const Case cases[] = {
        {0, 100, 50, 140, "BOX 5.000 100.000 50.000 127.000 c=0x0000ff filled"},   // beyond left and bottom
        {50, 140, 0, 100, "BOX 5.000 100.000 50.000 127.000 c=0x0000ff filled"},   // corners the other way
        {100, 130, 300, -4, "BOX 100.000 127.000 233.000 5.000 c=0x0000ff filled"}, // beyond right, top, bottom
        {300, 10, 400, 20, ""},                                                     // wholly to one side
    };
    for (const Case& c : cases) {
        Bench b;
        b.g->LINIE(c.x1, c.y1, c.x2, c.y2, kRed);
        const QStringList boxes = b.target->linesOf("BOX");
        if (QString(c.box).isEmpty()) {
            EXPECT_TRUE(boxes.isEmpty());
        } else {
            ASSERT_EQ(boxes.size(), 1);
            EXPECT_TRUE(boxes[0].startsWith(c.box)) << boxes[0];
        }
        EXPECT_TRUE(b.target->linesOf("LINE").isEmpty());
    }
}

TEST_F(DrawingTest, LineWithoutTargetShowsTheNumberedBox)
{
    clsGRAFIK g;
    ViewState v;
    v.RL = 5, v.RR = 7, v.RO = 5, v.RU = 5;
    g.setView(v);
    g.ELX(240);
    g.ELY(132);
    g.LINIE(10, 10, 20, 20);
    ASSERT_EQ(m_box->count(), 1);
    EXPECT_EQ(m_box->last().title, "LINIE");
    EXPECT_TRUE(m_box->last().text.startsWith("VB-Fehler: \nFehlerNr. 91\n")) << m_box->last().text;
}

TEST_F(DrawingTest, ArrowHeadsHaveThreeStrokes)
{
    struct Case {
        float x1, y1, x2, y2;
        float headLength;
    };
    const Case cases[] = {{20, 50, 30, 50, 2.5f}, {20, 50, 25, 50, 2.5f}, {20, 50, 23, 50, 1.5f}};
    for (const Case& c : cases) {
        Bench b;
        b.g->PFEIL(c.x1, c.y1, c.x2, c.y2);
        const QStringList lines = b.target->linesOf("LINE");
        ASSERT_EQ(lines.size(), 3);
        // The barbs end 15 degrees off the shaft, head length back from the tip.
        const float bx = c.x2 - c.headLength * std::cos(15 * kDegree);
        const float by = c.headLength * std::sin(15 * kDegree);
        EXPECT_TRUE(lines.join("|").contains(QString::number(bx, 'f', 3))) << lines.join("|");
        EXPECT_TRUE(lines.join("|").contains(QString::number(50 - by, 'f', 3))) << lines.join("|");
        EXPECT_TRUE(lines.join("|").contains(QString::number(50 + by, 'f', 3))) << lines.join("|");
    }
    // The stated example: from (0,0) to (10,0) the barbs end at (7.585, -/+0.647).
    EXPECT_NEAR(10 - 2.5f * std::cos(15 * kDegree), 7.585f, 1e-3);
    EXPECT_NEAR(2.5f * std::sin(15 * kDegree), 0.647f, 1e-3);

    Bench b;  // both points equal: a head of length 0, still three strokes
    b.g->PFEIL(50, 50, 50, 50);
    EXPECT_EQ(b.target->linesOf("LINE").size(), 3);
}
