// Terrain hatch, level triangle, load areas and section-force marks.

#include "drawing/figures/FigureGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace drawing::figures;

namespace {

constexpr float kTol = 2e-3f;

void expectSegment(const Segment& s, PagePoint a, PagePoint b, const std::string& what)
{
    EXPECT_NEAR(s.a.x, a.x, kTol) << what;
    EXPECT_NEAR(s.a.y, a.y, kTol) << what;
    EXPECT_NEAR(s.b.x, b.x, kTol) << what;
    EXPECT_NEAR(s.b.y, b.y, kTol) << what;
}

} // namespace

TEST(SymbolGeometry, TerrainHatch)
{
    const float r = 0.70710678f;
    // Slope 0, world Y upward, H1 = 1 from (0, 0): the strokes lie below the line.
    const WorldSegment up[] = {
        {0, 0, r, -r}, {r, -r, 2 * r, -2 * r}, {r, -r, 2 * r, 0},
        {2 * r, -2 * r, 3 * r, -r}, {3 * r, -r, 4 * r, -2 * r}, {3 * r, -r, 4 * r, 0},
    };
    struct Case {
        const char* name;
        int oy;
        int ans;
        float sign;   // world Y of the strokes relative to the case above
        size_t count;
    };
    const Case cases[] = {
        {"world Y upward", 1, 1, 1.0f, 6},
        {"world Y downward mirrors to positive Y", -1, 1, -1.0f, 6},
        {"two repetitions", 1, 2, 1.0f, 12},
        {"no repetition", 1, 0, 1.0f, 0},
        {"negative count", 1, -2, 1.0f, 0},
    };
    for (const Case& c : cases) {
        const auto s = terrainHatchStrokes(0, 0, 1, c.ans, 0, 0, 1, 1, c.oy);
        ASSERT_EQ(s.size(), c.count) << c.name;
        for (size_t i = 0; i < std::min<size_t>(6, s.size()); ++i) {
            EXPECT_NEAR(s[i].x1, up[i].x1, kTol) << c.name << i;
            EXPECT_NEAR(s[i].y1, c.sign * up[i].y1, kTol) << c.name << i;
            EXPECT_NEAR(s[i].x2, up[i].x2, kTol) << c.name << i;
            EXPECT_NEAR(s[i].y2, c.sign * up[i].y2, kTol) << c.name << i;
        }
        if (c.count == 12) {
            EXPECT_NEAR(s[6].x1, 2.828f, kTol); // the next repetition starts 2√2·H1 along
            EXPECT_NEAR(s[6].y1, 0.0f, kTol);
        }
    }
    // KO 2: H1 in page mm, converted with the scales.
    const auto mm = terrainHatchStrokes(0, 0, 1, 1, 0, 2, 0.5f, 0.5f, 1);
    EXPECT_NEAR(mm[0].x2, 0.5f * r, kTol);
    EXPECT_NEAR(mm[0].y2, -0.5f * r, kTol);
}

TEST(SymbolGeometry, LevelTriangle)
{
    // Tip at (50, 50), height 2 mm, groundwater bars, both halves filled.
    const auto s = levelTriangleStrokes({50, 50}, 2, 0, 1, 3);
    ASSERT_EQ(s.size(), 2u + 3u + 4u + 68u);
    expectSegment(s[0], {50, 50}, {52, 50}, "level line right");
    expectSegment(s[1], {50, 50}, {48, 50}, "level line left");
    expectSegment(s[2], {50, 50}, {48, 48}, "triangle 1");
    expectSegment(s[3], {48, 48}, {52, 48}, "triangle 2");
    expectSegment(s[4], {52, 48}, {50, 50}, "triangle 3");
    expectSegment(s[5], {50, 50.5f}, {48.5f, 50.5f}, "first bar, left half");
    expectSegment(s[6], {50, 50.5f}, {51.5f, 50.5f}, "first bar, right half");
    expectSegment(s[7], {50, 51}, {49.5f, 51}, "second bar, left half");
    expectSegment(s[8], {50, 51}, {50.5f, 51}, "second bar, right half");
    for (size_t i = 9; i < s.size(); ++i) {
        EXPECT_NEAR(s[i].b.y, 48.0f, kTol) << "ray " << i << " ends on the top side";
        EXPECT_LT(std::abs(s[i].b.x - 50.0f), 2.0f) << "ray " << i;
    }
    EXPECT_LT(s[9].b.x, 50.0f);  // left ray of each pair first
    EXPECT_GT(s[10].b.x, 50.0f);

    struct Case {
        int gw, voll;
        size_t count;
    };
    const Case cases[] = {{0, 0, 5}, {1, 0, 9}, {0, 1, 39}, {0, 2, 39}, {0, 3, 73}, {0, 4, 5}, {0, -1, 5}};
    for (const Case& c : cases)
        EXPECT_EQ(levelTriangleStrokes({50, 50}, 1, 0, c.gw, c.voll).size(), c.count) << c.gw << "/" << c.voll;

    // Turned by 90 degrees, the level line runs down the page.
    const auto turned = levelTriangleStrokes({50, 50}, 2, 90, 0, 0);
    expectSegment(turned[0], {50, 50}, {50, 52}, "turned level line");
}

TEST(SymbolGeometry, LoadScale)
{
    struct Case {
        LoadOrdinates p;
        float ms;
    };
    LoadOrdinates endOnly;
    endOnly.p[0][1] = 3;
    LoadOrdinates both;
    both.p[0][0] = 30;
    both.p[0][1] = 60;
    LoadOrdinates slanted;
    slanted.p[0][0] = 30;
    slanted.p[1][0] = 40; // start: resultant 50
    slanted.p[2][1] = 15; // end: 15
    LoadOrdinates none;
    const Case cases[] = {{endOnly, 0.2f}, {both, 4.0f}, {slanted, 50.0f / 15.0f}, {none, 0.0f}};
    for (const Case& c : cases)
        EXPECT_NEAR(loadScale(c.p), c.ms, 1e-5f);
}

TEST(SymbolGeometry, LoadAreas)
{
    LoadOrdinates p;
    p.p[0][1] = 3;
    const PagePoint a{10, 100}, b{50, 100};
    const LoadFigure fig = loadAreaOps(a, b, p, 0.2f, 2);
    // First pen: the member, three arrows (stroke and head), the load line.
    ASSERT_EQ(fig.first.size(), 1u + 3u * 2u + 1u);
    EXPECT_EQ(fig.first[0].kind, FigureOp::Line);
    expectSegment(fig.first[0].s, a, b, "member");
    const FigureOp& loadLine = fig.first.back();
    expectSegment(loadLine.s, a, {50, 85}, "load line: from A to 15 mm above B");
    // Each arrow runs from the load line onto the base line, head on the base.
    const float xs[3] = {10, 30, 50};
    const float tops[3] = {100, 92.5f, 85};
    for (int k = 0; k < 3; ++k) {
        const FigureOp& stroke = fig.first[size_t(1 + 2 * k)];
        const FigureOp& head = fig.first[size_t(2 + 2 * k)];
        EXPECT_EQ(stroke.kind, FigureOp::Line);
        EXPECT_EQ(head.kind, FigureOp::Arrow);
        expectSegment(stroke.s, {xs[k], 100}, {xs[k], tops[k]}, "arrow stroke");
        expectSegment(head.s, {xs[k], tops[k]}, {xs[k], 100}, "arrow head");
    }
    // The second load is 0: its load line lies on the first.
    ASSERT_EQ(fig.second.size(), 3u * 2u + 1u);
    expectSegment(fig.second.back().s, a, {50, 85}, "second load line");

    // A stored scale is used whatever the loads: an ordinate of 6 is 30 mm.
    LoadOrdinates six;
    six.p[0][0] = 6;
    six.p[0][1] = 6;
    const LoadFigure big = loadAreaOps(a, b, six, 0.2f, 1);
    expectSegment(big.first.back().s, {10, 70}, {50, 70}, "30 mm high");

    // Horizontal parts shift the load line sideways; the arrows run slanted.
    LoadOrdinates side;
    side.p[0][0] = 2;
    side.p[1][0] = 1;
    const LoadFigure sl = loadAreaOps(a, b, side, 0.2f, 1);
    expectSegment(sl.first[1].s, a, {15, 90}, "slanted arrow");
}

TEST(SymbolGeometry, SectionForces)
{
    const PagePoint p1{10, 50}, p2{30, 50};
    struct Case {
        int typ, sy;
        bool mark;
        PagePoint e1, e2;
    };
    const Case cases[] = {
        {1, 1, true, {20, 47}, {20, 53}},
        {2, 1, true, {17, 48.75f}, {23, 48.75f}},
        {3, 1, true, {17, 48.75f}, {23, 48.75f}},
        {4, 1, false, {}, {}},
        {1, 0, false, {}, {}},
    };
    for (const Case& c : cases) {
        const auto ops = sectionForceOps(p1, p2, 6, c.typ, c.sy);
        ASSERT_EQ(ops.size(), c.mark ? 4u : 1u) << c.typ << "/" << c.sy;
        expectSegment(ops[0].s, p1, p2, "member");
        if (!c.mark)
            continue;
        EXPECT_EQ(ops[1].kind, FigureOp::Line);
        expectSegment(ops[1].s, c.e1, c.e2, "mark");
        EXPECT_EQ(ops[2].kind, FigureOp::Arrow);
        expectSegment(ops[2].s, c.e1, c.e2, "head at E2");
        EXPECT_EQ(ops[3].kind, FigureOp::Arrow);
        expectSegment(ops[3].s, c.e2, c.e1, "head at E1");
    }
    // A member from (0, 0) to (10, 0) with a 4 mm mark.
    const auto across = sectionForceOps({0, 0}, {10, 0}, 4, 1, 1);
    expectSegment(across[1].s, {5, -2}, {5, 2}, "across");
    const auto along = sectionForceOps({0, 0}, {10, 0}, 4, 2, 1);
    expectSegment(along[1].s, {3, -1.25f}, {7, -1.25f}, "along");
}
