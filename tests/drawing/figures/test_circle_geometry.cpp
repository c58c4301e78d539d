// Circles and arcs: crossings with the frame, pieces, overlap with the
// requested arc, chord chains, end marks and the complete plan of a call.

#include "drawing/Numeric.h"
#include "drawing/figures/FigureGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace drawing;
using namespace drawing::figures;

namespace {

constexpr float kTol = 1e-3f;

// Page y of every sampled point of the view arcs of a plan, relative to yc:
// the number of samples above (negative) and below (positive) the centre.
struct HalfCount {
    int above = 0;
    int below = 0;
};
HalfCount sampleHalves(const CirclePlan& plan, float yc, float rp)
{
    HalfCount h;
    for (const AngleSpan& a : plan.viewArcs) {
        for (int k = 1; k < 20; ++k) {
            const double phi = a.from + (a.to - a.from) * k / 20.0;
            const double y = yc - rp * std::sin(phi); // view angles count up the page
            if (y < yc - 1e-4)
                ++h.above;
            else if (y > yc + 1e-4)
                ++h.below;
        }
    }
    return h;
}

// Total angle covered by the view arcs of a plan.
double coveredAngle(const CirclePlan& plan)
{
    double sum = 0.0;
    for (const AngleSpan& a : plan.viewArcs)
        sum += a.to - a.from;
    return sum;
}

bool insideFrame(double x, double y, const PlotFrame& f)
{
    return x >= f.left - 1e-3 && x <= f.right + 1e-3 && y >= f.top - 1e-3 && y <= f.bottom + 1e-3;
}

} // namespace

TEST(CircleGeometry, LineCrossings)
{
    struct Case {
        float xm, ym, r, line;
        bool meets;
        float lo, hi;
    };
    const Case cases[] = {
        {0, 0, 5, 3, true, -4, 4},     // vertical line 3 right of the centre
        {10, 20, 5, 10, true, 15, 25}, // through the centre
        {0, 0, 5, 5, true, 0, 0},      // tangent: two equal values
        {0, 0, 5, 6, false, 0, 0},     // misses
    };
    for (const Case& c : cases) {
        float ys[2] = {-99, -99};
        EXPECT_EQ(KREISSCHNITTX(c.xm, c.ym, c.r, c.line, ys), c.meets) << c.line;
        float xs[2] = {-99, -99};
        EXPECT_EQ(KREISSCHNITTY(c.ym, c.xm, c.r, c.line, xs), c.meets) << c.line;
        if (c.meets) {
            EXPECT_NEAR(ys[0], c.lo, kTol);
            EXPECT_NEAR(ys[1], c.hi, kTol);
            EXPECT_NEAR(xs[0], c.lo, kTol);
            EXPECT_NEAR(xs[1], c.hi, kTol);
        } else {
            EXPECT_EQ(ys[0], -99);
            EXPECT_EQ(xs[1], -99);
        }
    }
}

TEST(CircleGeometry, CrossingsAndPieces)
{
    const PlotFrame square{0, 0, 100, 100};
    struct Case {
        const char* name;
        float xc, yc, rp;
        int points, pairs, pieces;
        bool startsWithPair;
    };
    const Case cases[] = {
        {"left edge twice, centre outside", -10, 50, 30, 2, 1, 1, true},
        {"left edge twice, centre inside", 10, 50, 30, 2, 1, 1, true},
        {"every edge twice", 50, 50, 60, 8, 4, 4, true},
        {"bottom-left corner", -5, 105, 10, 2, 0, 1, false},
        {"inside, no crossing", 50, 50, 10, 0, 0, 0, false},
        {"left and right edge, tall circle", 50, 200, 120, 2, 0, 1, false},
        {"top twice, left and bottom once", 11, 56, 57, 4, 1, 2, false},
        {"touching the left edge from inside", 30, 50, 30, 2, 1, 1, true},
        {"touching the left edge from outside", -30, 50, 30, 0, 0, 0, false},
        {"through the top-left corner, touching it", 3, 4, 5, 2, 0, 1, false},
        {"crossing at the top-left corner", -3, 4, 5, 2, 0, 1, false},
        {"crossing at the bottom-right corner", 103, 96, 5, 2, 0, 1, false},
    };
    for (const Case& c : cases) {
        const CrossingList list = circleFrameCrossings(c.xc, c.yc, c.rp, square);
        EXPECT_EQ(int(list.points.size()), c.points) << c.name;
        EXPECT_EQ(list.pairCount, c.pairs) << c.name;
        EXPECT_EQ(list.startsWithPair, c.startsWithPair) << c.name;
        const auto pieces = circlePieces(list, c.xc, c.yc, c.rp, square);
        ASSERT_EQ(int(pieces.size()), c.pieces) << c.name;
        // Each piece is the part of the circle inside the frame: its middle
        // (half-way along the decreasing run from start to end) lies inside.
        for (const ArcPiece& p : pieces) {
            double ext = p.start - p.end;
            if (ext <= 0)
                ext += 2 * M_PI;
            const double mid = p.start - ext / 2;
            EXPECT_TRUE(insideFrame(c.xc + c.rp * std::cos(mid), c.yc + c.rp * std::sin(mid), square))
                << c.name << " piece " << p.start << " -> " << p.end;
        }
    }
}

TEST(CircleGeometry, CrossingOrderFollowsTheFrame)
{
    // Eight crossings: down the left edge, along the bottom to the right, up
    // the right edge, along the top to the left.
    const CrossingList l = circleFrameCrossings(50, 50, 60, PlotFrame{0, 0, 100, 100});
    ASSERT_EQ(l.points.size(), 8u);
    const int edges[8] = {0, 0, 1, 1, 2, 2, 3, 3};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(l.points[size_t(i)].edge, edges[i]) << i;
    EXPECT_LT(l.points[0].y, l.points[1].y);
    EXPECT_LT(l.points[2].x, l.points[3].x);
    EXPECT_GT(l.points[4].y, l.points[5].y);
    EXPECT_GT(l.points[6].x, l.points[7].x);
}

TEST(CircleGeometry, PiecesCoverExactlyThePartInsideTheFrame)
{
    // Over a grid of circles around and across the frame (one edge crossed
    // twice and others once, all edges twice, corners, big and small
    // circles), the pieces together are the part of the circle inside the
    // frame, sampled every half degree.
    const PlotFrame f{0, 0, 100, 100};
    int checked = 0;
    for (int xc = -40; xc <= 140; xc += 9) {
        for (int yc = -40; yc <= 140; yc += 9) {
            for (int r = 2; r <= 160; r += 7) {
                const CrossingList l = circleFrameCrossings(float(xc), float(yc), float(r), f);
                if (l.points.empty() || l.points.size() % 2 != 0)
                    continue;
                double covered = 0.0;
                for (const ArcPiece& p : circlePieces(l, float(xc), float(yc), float(r), f)) {
                    double ext = double(p.start) - double(p.end);
                    if (ext <= 0)
                        ext += 2 * M_PI;
                    covered += ext;
                }
                int in = 0;
                for (int k = 0; k < 720; ++k) {
                    const double t = k * M_PI / 360.0;
                    const double x = xc + r * std::cos(t), y = yc + r * std::sin(t);
                    in += (x > 0 && x < 100 && y > 0 && y < 100) ? 1 : 0;
                }
                ASSERT_NEAR(covered, in * M_PI / 360.0, 0.03) << xc << ", " << yc << ", r " << r;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(CircleGeometry, PieceAgainstArc)
{
    const float pi = kPi, tp = kTwoPi;
    struct Case {
        const char* name;
        ArcPiece piece;
        float h1, extent;
        std::vector<AngleSpan> expected;
    };
    const Case cases[] = {
        {"full arc keeps the piece", {2.0f, 1.0f}, tp, tp, {{2.0f, 1.0f}}},
        {"full arc keeps a piece through 0 whole", {1.0f, 5.0f}, tp, tp, {{1.0f, 5.0f - tp}}},
        {"piece inside the arc", {2.0f, 1.0f}, pi, pi, {{2.0f, 1.0f}}},
        {"piece outside the arc", {5.0f, 4.0f}, pi, pi, {}},
        {"piece over the arc's end", {4.0f, 2.0f}, tp, pi, {{4.0f, pi}}},
        {"piece over the arc's start", {4.0f, 2.0f}, 3.0f, pi, {{3.0f, 2.0f}}},
        {"piece through 0 against the upper half", {3.0f, 3.5f}, tp, pi, {{tp, 3.5f}}},
        {"piece through 0 against the lower half", {0.5f, 5.5f}, pi, pi, {{0.5f, 0.0f}}},
        {"arc through 0 over the piece's start", {6.0f, 4.5f}, 0.5f, 1.0f, {{-0.2831853f, -0.5f}}},
        {"arc starts inside a piece through 0", {1.0f, 5.0f}, 0.5f, 5.0f, {{0.5f, -1.283185f}}},
        {"piece covers both ends of the arc", {5.783185f, 1.283185f}, 2.0f, 3.0f, {{2.0f, 1.283185f}, {-0.5f, -1.0f}}},
    };
    for (const Case& c : cases) {
        const auto got = clipPieceToArc(c.piece, c.h1, c.extent);
        ASSERT_EQ(got.size(), c.expected.size()) << c.name;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].from, c.expected[i].from, kTol) << c.name;
            EXPECT_NEAR(got[i].to, c.expected[i].to, kTol) << c.name;
        }
    }
}

TEST(CircleGeometry, ChordChains)
{
    struct Case {
        const char* name;
        float a1, a2;
        int chords;
        float lastStep; // length of the last chord, radians
    };
    const Case cases[] = {
        {"full circle", 0.0f, kTwoPi, 36, 10 * kDegree},
        {"95 degrees", 0.0f, 95 * kDegree, 10, 5 * kDegree},
        {"downwards", kPi, 0.0f, 18, -10 * kDegree},
        {"equal ends draw nothing", 1.0f, 1.0f, 0, 0.0f},
        {"both ends 0", 0.0f, 0.0f, 0, 0.0f},
    };
    for (const Case& c : cases) {
        const auto chain = chordChain(c.a1, c.a2);
        ASSERT_EQ(int(chain.size()), c.chords) << c.name;
        if (c.chords == 0)
            continue;
        EXPECT_FLOAT_EQ(chain.front().from, c.a1) << c.name;
        EXPECT_NEAR(chain.back().to, c.a2, 1e-5) << c.name;
        EXPECT_NEAR(chain.back().to - chain.back().from, c.lastStep, 1e-4) << c.name;
    }
}

TEST(CircleGeometry, ArcAnglesByOrientation)
{
    struct Case {
        int ox, oy;
        bool page;
        float h1, h2;
    };
    const float pi = kPi, tp = kTwoPi;
    // al1 = 1, al2 = 2.
    const Case cases[] = {
        {1, 1, false, tp - 1, tp - 2},
        {-1, 1, false, 2 + pi, 1 + pi},
        {1, -1, false, 2, 1},
        {-1, -1, false, pi - 1, pi - 2},
        {1, -1, true, tp - 1, tp - 2}, // page units: the arc the uncut primitive shows
        {-1, -1, true, tp - 1, tp - 2},
    };
    for (const Case& c : cases) {
        float h1, h2;
        arcPageAngles(c.ox, c.oy, 1.0f, 2.0f, c.page, h1, h2);
        EXPECT_NEAR(h1, c.h1, kTol) << c.ox << c.oy << c.page;
        EXPECT_NEAR(h2, c.h2, kTol) << c.ox << c.oy << c.page;
    }
    float a1, a2;
    chordPageAngles(1, -1, 1.0f, 2.0f, a1, a2);
    EXPECT_FLOAT_EQ(a1, 1.0f);
    EXPECT_FLOAT_EQ(a2, 2.0f);
    chordPageAngles(-1, 1, 1.0f, 2.0f, a1, a2);
    EXPECT_FLOAT_EQ(a1, 1.0f + pi);
}

TEST(CircleGeometry, PlanOutcomes)
{
    const PlotFrame f{20, 30, 180, 270};
    struct Case {
        const char* name;
        float xc, yc, rp;
        bool chords;
        CirclePlan::Outcome outcome;
        bool full;
        int arcs;
    };
    const Case cases[] = {
        {"inside: one full circle", 100, 150, 5, false, CirclePlan::Drawn, true, 0},
        {"outside left", 10, 100, 5, false, CirclePlan::Nothing, false, 0},
        {"touching the left edge from outside", 15, 100, 5, false, CirclePlan::Nothing, false, 0},
        {"encloses the plot area", 100, 150, 200, false, CirclePlan::Nothing, false, 0},
        {"encloses the plot area, chords", 100, 150, 200, true, CirclePlan::Nothing, false, 0},
        {"cut by the left edge", 20, 150, 10, false, CirclePlan::Drawn, false, 1},
    };
    for (const Case& c : cases) {
        CircleRequest r;
        r.xc = c.xc;
        r.yc = c.yc;
        r.rp = c.rp;
        r.al2 = kTwoPi;
        r.ox = 1;
        r.oy = -1;
        r.pageUnits = true;
        r.chords = c.chords;
        r.lagepfeil = 3;
        const CirclePlan p = planCircle(r, f);
        EXPECT_EQ(p.outcome, c.outcome) << c.name;
        EXPECT_EQ(p.fullCircle, c.full) << c.name;
        EXPECT_EQ(int(p.viewArcs.size()), c.arcs) << c.name;
        if (c.outcome == CirclePlan::Nothing) {
            EXPECT_TRUE(p.marks.empty()) << c.name;
        }
    }
    // The piece right of the left edge: half the circle.
    CircleRequest r;
    r.xc = 20;
    r.yc = 150;
    r.rp = 10;
    r.al2 = kTwoPi;
    const CirclePlan cut = planCircle(r, f);
    EXPECT_NEAR(coveredAngle(cut), kPi, 1e-3);
}

TEST(CircleGeometry, EightCrossingsDrawFourCornerArcs)
{
    const PlotFrame f{0, 0, 100, 100};
    CircleRequest r;
    r.xc = 50;
    r.yc = 50;
    r.rp = 60;
    r.al2 = kTwoPi;
    const CirclePlan p = planCircle(r, f);
    ASSERT_EQ(p.outcome, CirclePlan::Drawn);
    ASSERT_EQ(p.viewArcs.size(), 4u);
    int corners[4] = {};
    for (const AngleSpan& a : p.viewArcs) {
        const double mid = (a.from + a.to) / 2.0;
        const double x = 50 + 60 * std::cos(mid), y = 50 - 60 * std::sin(mid);
        EXPECT_TRUE(insideFrame(x, y, f));
        ++corners[(x > 50 ? 1 : 0) + (y > 50 ? 2 : 0)];
    }
    for (int c : corners)
        EXPECT_EQ(c, 1);
}

TEST(CircleGeometry, CutArcKeepsTheHalfTheUncutArcShows)
{
    // Log orientation (OX 1, OY -1), the log painter's half circles in page
    // units: inside the frame and cut by it they show the same half.
    const PlotFrame f{20, 30, 180, 270};
    struct Case {
        const char* name;
        float al1, al2;
        bool lower;
    };
    const Case halves[] = {
        {"pi to 2 pi", kPi, kTwoPi, true},
        {"0 to pi", 0.0f, kPi, false},
    };
    struct Place {
        const char* name;
        float xc, yc;
    };
    const Place places[] = {
        {"inside", 100, 150},
        {"cut by the left edge", 22, 150},
        {"cut by the right edge", 178, 150},
        {"cut by the top edge", 100, 32},
        {"cut by the bottom edge", 100, 268},
    };
    for (const Case& c : halves) {
        for (const Place& pl : places) {
            CircleRequest r;
            r.xc = pl.xc;
            r.yc = pl.yc;
            r.rp = 5;
            r.al1 = c.al1;
            r.al2 = c.al2;
            r.ox = 1;
            r.oy = -1;
            r.pageUnits = true;
            const CirclePlan p = planCircle(r, f);
            ASSERT_EQ(p.outcome, CirclePlan::Drawn) << c.name << ", " << pl.name;
            const HalfCount h = sampleHalves(p, pl.yc, 5);
            EXPECT_GT(c.lower ? h.below : h.above, 0) << c.name << ", " << pl.name;
            EXPECT_EQ(c.lower ? h.above : h.below, 0) << c.name << ", " << pl.name;
        }
    }
    // World units keep the orientation's reading: in the log orientation the
    // cut arc pi..2 pi lies at page angles pi..2 pi, above its centre.
    CircleRequest w;
    w.xc = 22;
    w.yc = 150;
    w.rp = 5;
    w.al1 = kPi;
    w.al2 = kTwoPi;
    w.ox = 1;
    w.oy = -1;
    const CirclePlan p = planCircle(w, f);
    const HalfCount h = sampleHalves(p, 150, 5);
    EXPECT_GT(h.above, 0);
    EXPECT_EQ(h.below, 0);
}

TEST(CircleGeometry, EndMarks)
{
    // Arrow head on an arc of 1 mm: half as long as the arc.
    const auto m = arcEndMarks(1, 0, 0, 10, 0.1f, 0.0f, -1);
    ASSERT_EQ(m.size(), 1u);
    ASSERT_EQ(m[0].strokes.size(), 3u);
    const PagePoint tip = m[0].strokes[0].a;
    EXPECT_NEAR(tip.x, 10.0f, kTol); // end of the arc at page angle 0
    EXPECT_NEAR(tip.y, 0.0f, kTol);
    const PagePoint q1 = m[0].strokes[0].b, q2 = m[0].strokes[1].b;
    const float gx = (q1.x + q2.x) / 2, gy = (q1.y + q2.y) / 2;
    EXPECT_NEAR(std::atan2(gy, gx), 0.05, 1e-3); // base centre 0.5 mm back along the arc
    EXPECT_NEAR(m[0].strokes[2].b.x, tip.x, kTol); // closed outline

    struct Case {
        int lagepfeil;
        std::vector<bool> dots;
    };
    const Case cases[] = {{0, {}}, {1, {false}}, {2, {false}}, {3, {false, false}},
                          {4, {true, false}}, {5, {false, true}}, {6, {}}};
    for (const Case& c : cases) {
        const auto marks = arcEndMarks(c.lagepfeil, 0, 0, 10, kPi, 0.0f, -1);
        ASSERT_EQ(marks.size(), c.dots.size()) << c.lagepfeil;
        for (size_t i = 0; i < marks.size(); ++i)
            EXPECT_EQ(marks[i].dot, c.dots[i]) << c.lagepfeil;
    }
    // Dot at the start tip (page angle pi: left of the centre).
    const auto d = arcEndMarks(4, 0, 0, 10, kPi, 0.0f, -1);
    EXPECT_NEAR(d[0].p.x, -10.0f, kTol);
}
