// The clipping routine both engines' LINIE share, against an independent
// clipper: random segments, and segments through the frame's corners.

#include "drawing/LineClip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <sstream>

using drawing::ClipFrame;
using drawing::ClipSegment;

namespace {

const ClipFrame kFrame{20, 30, 180, 270};

// Cohen-Sutherland in double precision: the part of the segment inside the
// closed frame, or nothing (a single touching point counts as nothing).
std::optional<ClipSegment> reference(double x1, double y1, double x2, double y2, const ClipFrame& f)
{
    const auto code = [&](double x, double y) {
        return (x < f.left ? 1 : 0) | (x > f.right ? 2 : 0) | (y < f.top ? 4 : 0) | (y > f.bottom ? 8 : 0);
    };
    int c1 = code(x1, y1), c2 = code(x2, y2);
    for (;;) {
        if (!(c1 | c2))
            break;
        if (c1 & c2)
            return std::nullopt;
        const int c = c1 ? c1 : c2;
        double x = 0, y = 0;
        if (c & 8) {
            x = x1 + (x2 - x1) * (f.bottom - y1) / (y2 - y1), y = f.bottom;
        } else if (c & 4) {
            x = x1 + (x2 - x1) * (f.top - y1) / (y2 - y1), y = f.top;
        } else if (c & 2) {
            y = y1 + (y2 - y1) * (f.right - x1) / (x2 - x1), x = f.right;
        } else {
            y = y1 + (y2 - y1) * (f.left - x1) / (x2 - x1), x = f.left;
        }
        if (c == c1)
            x1 = x, y1 = y, c1 = code(x1, y1);
        else
            x2 = x, y2 = y, c2 = code(x2, y2);
    }
    return ClipSegment{float(x1), float(y1), float(x2), float(y2)};
}

double length(const ClipSegment& s)
{
    return std::hypot(double(s.x2) - s.x1, double(s.y2) - s.y1);
}

// Same piece (ends in either order), or both empty / a mere point.
bool samePiece(const std::optional<ClipSegment>& a, const std::optional<ClipSegment>& b, double tol)
{
    const bool emptyA = !a || length(*a) < tol, emptyB = !b || length(*b) < tol;
    if (emptyA || emptyB)
        return emptyA == emptyB;
    const auto near = [&](float x1, float y1, float x2, float y2) {
        return std::fabs(x1 - x2) < tol && std::fabs(y1 - y2) < tol;
    };
    return (near(a->x1, a->y1, b->x1, b->y1) && near(a->x2, a->y2, b->x2, b->y2))
        || (near(a->x1, a->y1, b->x2, b->y2) && near(a->x2, a->y2, b->x1, b->y1));
}

std::string show(const std::optional<ClipSegment>& s)
{
    std::ostringstream o;
    if (!s)
        o << "nothing";
    else
        o << "(" << s->x1 << "," << s->y1 << ")-(" << s->x2 << "," << s->y2 << ")";
    return o.str();
}

} // namespace

TEST(LineClip, RuleTableCases)
{
    struct Case {
        const char* what;
        float x1, y1, x2, y2;
        std::optional<ClipSegment> want;
    };
    const Case cases[] = {
        {"horizontal from the left", 10, 50, 100, 50, ClipSegment{20, 50, 100, 50}},
        {"vertical through both edges", 100, 10, 100, 300, ClipSegment{100, 30, 100, 270}},
        {"beyond the left edge", 0, 0, 10, 20, std::nullopt},
        {"slanted entry at the left", 10, 100, 60, 150, ClipSegment{20, 110, 60, 150}},
        {"outside the top-left corner", 10, 35, 25, 20, std::nullopt},
        {"inside, ordered left to right", 100, 40, 50, 60, ClipSegment{50, 60, 100, 40}},
        {"inside, equal X exchanged", 100, 40, 100, 60, ClipSegment{100, 60, 100, 40}},
        {"through the bottom-right corner", 57, 195, 221, 295, ClipSegment{57, 195, 180, 270}},
        {"through the bottom-left corner", 252, 258, -38, 273, ClipSegment{20, 270, 180, 261.72414f}},
        {"touching the top-left corner only", 10, 40, 30, 20, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto got = drawing::clipLine(c.x1, c.y1, c.x2, c.y2, kFrame);
        if (!c.want) {
            EXPECT_TRUE(!got || length(*got) < 1e-4) << c.what << ": " << show(got);
            continue;
        }
        ASSERT_TRUE(got) << c.what;
        EXPECT_NEAR(got->x1, c.want->x1, 1e-3) << c.what << ": " << show(got);
        EXPECT_NEAR(got->y1, c.want->y1, 1e-3) << c.what << ": " << show(got);
        EXPECT_NEAR(got->x2, c.want->x2, 1e-3) << c.what << ": " << show(got);
        EXPECT_NEAR(got->y2, c.want->y2, 1e-3) << c.what << ": " << show(got);
    }
}

TEST(LineClip, WithoutClippingOnlyOrders)
{
    const auto s = drawing::clipLine(400, 400, -50, -50, kFrame, false);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->x1, -50);
    EXPECT_EQ(s->y2, 400);
    const auto b = drawing::clampBand(100, 300, 10, 40, kFrame, false);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->x1, 10);
    EXPECT_EQ(b->y2, 300);
}

TEST(LineClip, BandsAreClampedToTheFrame)
{
    const auto b = drawing::clampBand(10, 40, 100, 300, kFrame);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->x1, 20);
    EXPECT_EQ(b->y1, 40);
    EXPECT_EQ(b->x2, 100);
    EXPECT_EQ(b->y2, 270);
    EXPECT_FALSE(drawing::clampBand(0, 0, 10, 20, kFrame));
}

// Random segments and segments through each corner agree with the
// independent clipper.
TEST(LineClip, AgreesWithAnIndependentClipper)
{
    std::mt19937 rng(20261210);
    std::uniform_int_distribution<int> coord(-100, 400);
    std::uniform_int_distribution<int> step(-9, 9);
    int compared = 0;
    const auto compare = [&](float x1, float y1, float x2, float y2) {
        const auto got = drawing::clipLine(x1, y1, x2, y2, kFrame);
        const auto want = reference(x1, y1, x2, y2, kFrame);
        ++compared;
        EXPECT_TRUE(samePiece(got, want, 2e-3))
            << "(" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << "): " << show(got) << " vs " << show(want);
    };
    for (int i = 0; i < 20000; ++i)
        compare(float(coord(rng)), float(coord(rng)), float(coord(rng)), float(coord(rng)));
    // Exact corner hits: both ends on one line through a corner, at whole
    // multiples of a small step from it, on either side or one end at the corner.
    const float corners[4][2] = {{20, 30}, {180, 30}, {20, 270}, {180, 270}};
    std::uniform_int_distribution<int> k(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        const float* c = corners[i % 4];
        int dx = step(rng), dy = step(rng);
        if (dx == 0 && dy == 0)
            dx = 1;
        const int a = k(rng), b = k(rng);
        if (a == b)
            continue;
        compare(c[0] + float(a * dx), c[1] + float(a * dy), c[0] + float(b * dx), c[1] + float(b * dy));
    }
    EXPECT_GT(compared, 39000);
}
