// Point series: the mark selection, label positions, arrow heads and the
// strokes of every series style.

#include "drawing/DrawingInterface.h"
#include "drawing/figures/FigureGeometry.h"

#include <gtest/gtest.h>

using namespace drawing;
using namespace drawing::figures;

namespace {

std::vector<PagePoint> pts(std::initializer_list<PagePoint> l)
{
    return std::vector<PagePoint>(l);
}

std::vector<PagePoint> row(int n)
{
    std::vector<PagePoint> p;
    for (int i = 0; i < n; ++i)
        p.push_back({10.0f + 10.0f * float(i), 50.0f - 5.0f * float(i)});
    return p;
}

bool same(const Segment& s, PagePoint a, PagePoint b)
{
    auto eq = [](PagePoint p, PagePoint q) { return std::abs(p.x - q.x) < 1e-4f && std::abs(p.y - q.y) < 1e-4f; };
    return eq(s.a, a) && eq(s.b, b);
}

} // namespace

TEST(SeriesGeometry, MarkSelection)
{
    struct Case {
        int v, n;
        std::vector<int> marked;
    };
    const Case cases[] = {
        {3, 11, {0, 5, 10}},
        {3, 10, {0, 4, 8}}, // s = 4.5 rounds to 4: the last point is not marked
        {3, 2, {0, 1}},     // s = 0.5 rounds to 0, taken as 1
        {3, 6, {0, 2, 4}},  // 2.5 -> 2
        {3, 8, {0, 4}},     // 3.5 -> 4
        {-1, 5, {0}},
        {1, 5, {4}},
        {2, 5, {0, 4}},
        {2, 1, {0}},        // one mark for a single point
        {-3, 4, {0, 1, 2, 3}},
        {0, 5, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(markedPoints(c.v, c.n), c.marked) << "v=" << c.v << " n=" << c.n;
}

TEST(SeriesGeometry, PointOnTheFrameIsOutside)
{
    const PlotFrame f{5, 5, 100, 100};
    EXPECT_TRUE(strictlyInside({50, 50}, f));
    EXPECT_FALSE(strictlyInside({5, 50}, f));
    EXPECT_FALSE(strictlyInside({50, 100}, f));
    EXPECT_FALSE(strictlyInside({150, 50}, f));
}

TEST(SeriesGeometry, LabelPositions)
{
    struct Case {
        const char* name;
        int lagetext;
        std::vector<PagePoint> p;
        bool present;
        PagePoint anchor;
        int al, arx, ary;
    };
    const Case cases[] = {
        {"vertical last segment", 0, pts({{0, 0}, {10, 10}, {10, 30}}), true, {10, 20}, 90, 1, 2},
        {"last segment falling to the right", 0, pts({{0, 0}, {10, 10}}), true, {5, 5}, -45, 1, 2},
        {"last segment rising at 45 degrees", 0, pts({{0, 10}, {10, 0}}), true, {5, 5}, 45, 1, 2},
        {"shallow rise rounds to whole degrees", 5, pts({{0, 0}, {100, -10}, {0, 0}}), true, {50, -5}, 6, 1, 2},
        {"middle segment of two points", 10, pts({{0, 0}, {10, 0}}), true, {5, 0}, 0, 1, 2},
        {"middle segment of four points", 10, pts({{0, 0}, {10, 0}, {20, 10}, {30, 10}}), true, {15, 5}, -45, 1, 2},
        {"segment label needs two points", 0, pts({{3, 4}}), false, {}, 0, 0, 0},
        {"above the last point", 1, row(3), true, {30, 40}, 0, 1, 2},
        {"right of the last point", 3, row(3), true, {32, 40}, 0, 0, 1},
        {"left of the first point", 9, row(3), true, {8, 50}, 0, 2, 1},
        {"below left of the last point", 11, row(3), true, {28, 40}, 0, 2, 0},
        {"above right of the last point", 14, row(3), true, {32, 40}, 0, 0, 2},
        {"no such position", 15, row(3), false, {}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const auto l = seriesLabel(c.lagetext, c.p);
        ASSERT_EQ(l.has_value(), c.present) << c.name;
        if (!l)
            continue;
        EXPECT_FLOAT_EQ(l->anchor.x, c.anchor.x) << c.name;
        EXPECT_FLOAT_EQ(l->anchor.y, c.anchor.y) << c.name;
        EXPECT_EQ(l->al, c.al) << c.name;
        EXPECT_EQ(l->arx, c.arx) << c.name;
        EXPECT_EQ(l->ary, c.ary) << c.name;
    }
}

TEST(SeriesGeometry, ArrowHeads)
{
    const auto p = row(3);
    struct Case {
        int lagepfeil;
        int n;
        std::vector<std::pair<int, int>> heads; // PFEIL(from, to) by point index
    };
    const Case cases[] = {
        {1, 3, {{1, 2}}},
        {2, 3, {{1, 0}}},
        {3, 3, {{1, 2}, {1, 0}}},
        {4, 3, {{0, 1}, {1, 2}}},
        {5, 3, {{1, 0}, {2, 1}}},
        {6, 3, {{0, 1}, {1, 0}, {1, 2}, {2, 1}}},
        {1, 1, {}},
        {7, 3, {}},
    };
    for (const Case& c : cases) {
        const std::vector<PagePoint> q(p.begin(), p.begin() + c.n);
        const auto got = seriesArrows(c.lagepfeil, q);
        ASSERT_EQ(got.size(), c.heads.size()) << c.lagepfeil;
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_TRUE(same(got[i], q[size_t(c.heads[i].first)], q[size_t(c.heads[i].second)])) << c.lagepfeil;
    }
}

TEST(SeriesGeometry, StylesOnOneAndOnSeveralPoints)
{
    const PlotFrame f{5, 5, 200, 200};
    const PagePoint base{5, 100};
    struct Case {
        int style, n;
        SeriesError err;
        int lines, dots;
    };
    const Case cases[] = {
        {0, 1, SeriesError::None, 0, 0},           {0, 4, SeriesError::None, 3, 0},
        {1, 1, SeriesError::NeedsTwoPoints, 0, 0}, {1, 4, SeriesError::None, 2 + 3 * 2 + 3, 0},
        {2, 1, SeriesError::NeedsTwoPoints, 0, 0}, {2, 4, SeriesError::None, 2 + 3 * 2 + 3, 0},
        {3, 1, SeriesError::None, 0, 1},           {3, 4, SeriesError::None, 0, 4},
        {4, 1, SeriesError::None, 3, 0},           {4, 4, SeriesError::None, 2 + 2 * 3 + 1, 0},
        {5, 1, SeriesError::None, 3, 0},           {5, 4, SeriesError::None, 2 + 2 * 3 + 1, 0},
        {6, 1, SeriesError::None, 1, 0},           {6, 4, SeriesError::None, 1 + 2 * 3, 0},
        {7, 1, SeriesError::NeedsTwoPoints, 0, 0}, {7, 4, SeriesError::None, 2 + 3 * 2 + 3, 0},
        {8, 1, SeriesError::NeedsTwoPoints, 0, 0}, {8, 4, SeriesError::None, 1 + 3 * 3 + 1, 0},
        {9, 4, SeriesError::None, 0, 0},
    };
    for (const Case& c : cases) {
        SeriesStrokes s;
        EXPECT_EQ(seriesStrokes(c.style, row(c.n), base, nullptr, f, s), c.err) << c.style << "/" << c.n;
        EXPECT_EQ(int(s.lines.size()), c.lines) << c.style << "/" << c.n;
        EXPECT_EQ(int(s.dots.size()), c.dots) << c.style << "/" << c.n;
    }
}

TEST(SeriesGeometry, StyleStrokes)
{
    const PlotFrame f{0, 0, 200, 200};
    const PagePoint b{5, 100};
    // Staircase with one point: B -> (BX, YP0) -> P0 -> (XP0, BY).
    {
        SeriesStrokes s;
        seriesStrokes(4, pts({{20, 40}}), b, nullptr, f, s);
        ASSERT_EQ(s.lines.size(), 3u);
        EXPECT_TRUE(same(s.lines[0], b, {5, 40}));
        EXPECT_TRUE(same(s.lines[1], {5, 40}, {20, 40}));
        EXPECT_TRUE(same(s.lines[2], {20, 40}, {20, 100}));
    }
    // Bars with levels in Y over three points at x 10, 20, 40.
    {
        SeriesStrokes s;
        seriesStrokes(1, pts({{10, 50}, {20, 40}, {40, 60}}), b, nullptr, f, s);
        const Segment expected[] = {
            {{5, 100}, {5, 50}},  {{5, 50}, {15, 50}},                          // first bar
            {{20, 40}, {15, 40}}, {{20, 40}, {30, 40}}, {{15, 50}, {15, 40}},   // middle bar
            {{30, 40}, {30, 60}}, {{30, 60}, {50, 60}}, {{50, 60}, {50, 100}},  // last bar
        };
        ASSERT_EQ(s.lines.size(), std::size(expected));
        for (size_t i = 0; i < s.lines.size(); ++i)
            EXPECT_TRUE(same(s.lines[i], expected[i].a, expected[i].b)) << i;
    }
    // Bars with levels in X over three points at y 10, 20, 40 (and style 7,
    // which draws the same): each bar centred on its point's Y, the outer
    // edges going to the line X = BX.
    for (int style : {2, 7}) {
        SeriesStrokes s;
        seriesStrokes(style, pts({{50, 10}, {40, 20}, {60, 40}}), {100, 5}, nullptr, f, s);
        const Segment expected[] = {
            {{100, 5}, {50, 5}},  {{50, 5}, {50, 15}},                          // first bar
            {{40, 20}, {40, 15}}, {{40, 20}, {40, 30}}, {{50, 15}, {40, 15}},   // middle bar
            {{40, 30}, {60, 30}}, {{60, 30}, {60, 50}}, {{60, 50}, {100, 50}},  // last bar
        };
        ASSERT_EQ(s.lines.size(), std::size(expected)) << style;
        for (size_t i = 0; i < s.lines.size(); ++i)
            EXPECT_TRUE(same(s.lines[i], expected[i].a, expected[i].b)) << style << ": " << i;
    }
    // Outline with levels in X: starts and ends on the line X = BX.
    {
        SeriesStrokes s;
        seriesStrokes(8, pts({{20, 10}, {30, 20}}), b, nullptr, f, s);
        const Segment expected[] = {
            {{5, 10}, {20, 10}}, {{20, 10}, {20, 15}}, {{20, 15}, {30, 15}}, {{30, 15}, {30, 20}}, {{30, 20}, {5, 20}},
        };
        ASSERT_EQ(s.lines.size(), std::size(expected));
        for (size_t i = 0; i < s.lines.size(); ++i)
            EXPECT_TRUE(same(s.lines[i], expected[i].a, expected[i].b)) << i;
    }
    // Dots: a point on the frame edge gets none.
    {
        SeriesStrokes s;
        seriesStrokes(3, pts({{0, 50}, {10, 50}, {200, 20}}), b, nullptr, f, s);
        ASSERT_EQ(s.dots.size(), 1u);
        EXPECT_FLOAT_EQ(s.dots[0].x, 10);
    }
}

TEST(SeriesGeometry, SegmentSwitches)
{
    const PlotFrame f{0, 0, 200, 200};
    const auto p = row(4);
    struct Case {
        const char* name;
        std::vector<double> bol;
        std::vector<int> drawn; // segments i-1 -> i by i
        SeriesError err;
    };
    const Case cases[] = {
        {"1, 0, 1", {1, 0, 1}, {1, 3}, SeriesError::None},
        {"True is -1, not 1", {-1, -1, -1}, {}, SeriesError::None},
        {"too short", {1, 1}, {1, 2}, SeriesError::SwitchesTooShort},
    };
    for (const Case& c : cases) {
        SeriesStrokes s;
        EXPECT_EQ(seriesStrokes(0, p, {}, &c.bol, f, s), c.err) << c.name;
        ASSERT_EQ(s.lines.size(), c.drawn.size()) << c.name;
        for (size_t k = 0; k < c.drawn.size(); ++k)
            EXPECT_TRUE(same(s.lines[k], p[size_t(c.drawn[k] - 1)], p[size_t(c.drawn[k])])) << c.name;
    }
}

TEST(SeriesGeometry, ColoursBySymbolNumber)
{
    EXPECT_EQ(seriesColour(0), rgb(0, 0, 128));
    EXPECT_EQ(seriesColour(3), rgb(128, 0, 0));
    EXPECT_EQ(seriesColour(5), rgb(0, 255, 0));
    EXPECT_EQ(seriesColour(6), rgb(0, 0, 255));
    EXPECT_EQ(seriesColour(7), 0);
    EXPECT_FALSE(seriesColour(8).has_value());
    EXPECT_FALSE(seriesColour(-1).has_value());
}
