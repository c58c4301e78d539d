// Engineering symbols: terrain hatch, level triangle, load areas and
// section-force marks.

#include "drawing/figures/FigureGeometry.h"
#include "drawing/Numeric.h"

#include <cmath>

namespace drawing::figures {

namespace {

PagePoint polar(PagePoint from, float len, double angle)
{
    return {float(from.x + len * std::cos(angle)), float(from.y + len * std::sin(angle))};
}

} // namespace

std::vector<WorldSegment> terrainHatchStrokes(float x1, float y1, float h1, int ans, float be, int ko,
                                              float mx, float my, int oy)
{
    std::vector<WorldSegment> out;
    const float fx = ko == 2 ? mx : 1.0f;
    const float fy = ko == 2 ? my : 1.0f;
    const float sy = oy == 1 ? 1.0f : -1.0f;
    const float a = be * kDegree * (mx / my);
    const float q = kQuarterPi;
    const float q3 = 3.0f * kQuarterPi;
    // The two stroke directions, 45° below and 45° above the terrain line.
    const float d1x = float(h1 * std::cos(double(a - q)) * fx);
    const float d1y = float(h1 * std::sin(double(a - q)) * sy * fy);
    const float d2x = float(-h1 * std::cos(double(a - q3)) * fx);
    const float d2y = float(-h1 * std::sin(double(a - q3)) * sy * fy);

    float px = x1, py = y1;
    auto stroke = [&](float ax, float ay, float bx, float by) { out.push_back({ax, ay, bx, by}); };
    for (int i = 1; i <= ans; ++i) {
        const float bx = px + d1x, by = py + d1y;
        stroke(px, py, bx, by);
        const float cx = bx + d1x, cy = by + d1y;
        stroke(bx, by, cx, cy);
        stroke(bx, by, bx + d2x, by + d2y);
        const float ex = cx + d2x, ey = cy + d2y;
        stroke(cx, cy, ex, ey);
        stroke(ex, ey, ex + d1x, ey + d1y);
        const float gx = ex + d2x, gy = ey + d2y;
        stroke(ex, ey, gx, gy);
        px = gx;
        py = gy;
    }
    return out;
}

std::vector<Segment> levelTriangleStrokes(PagePoint t, float h, float riwi, int gw, int voll)
{
    std::vector<Segment> out;
    const double r = double(riwi * kDegree);
    const double pi = double(kPi);
    const double q = double(kQuarterPi);

    // Level line, 2·h long, centred on the tip.
    out.push_back({t, polar(t, h, r)});
    out.push_back({t, polar(t, h, r - pi)});

    // Triangle standing on its tip, each stroke starting where the last ended.
    const float side = float(h / std::cos(q));
    const PagePoint k1 = polar(t, side, r + pi + q);
    out.push_back({t, k1});
    const PagePoint k2 = polar(k1, float(2.0 * h * std::tan(q)), r);
    out.push_back({k1, k2});
    const PagePoint tip = polar(k2, side, r + double(kHalfPi) + q);
    out.push_back({k2, tip});

    // Groundwater bars below the level line.
    if (gw == 1) {
        for (int k = 2; k <= 3; ++k) {
            const PagePoint m = polar(tip, float((k - 1) / 2.0 * h / 2.0), r + double(kHalfPi));
            const float half = float((3.5 - k) * h / 2.0);
            out.push_back({m, polar(m, half, r + pi)});
            out.push_back({m, polar(m, -half, r + pi)});
        }
    }

    // Fill: a fan of rays from the tip, each ending on the top side.
    if (voll > 0) {
        for (int k = 1; k <= 34; ++k) {
            const float b = float((1.0 - k / 70.0) * double(kHalfPi));
            const float len = float(h / std::sin(double(b)));
            if (voll == 2 || voll == 3)
                out.push_back({tip, polar(tip, len, r + pi + double(b))});
            if (voll == 1 || voll == 3)
                out.push_back({tip, polar(tip, len, r - double(b))});
        }
    }
    return out;
}

float loadScale(const LoadOrdinates& l)
{
    const auto& p = l.p;
    const float m0 = float(std::sqrt(std::pow(double(p[0][0] + p[2][0]), 2) + std::pow(double(p[1][0] + p[3][0]), 2)) / 15.0);
    const float m1 = float(std::sqrt(std::pow(double(p[0][1] + p[2][1]), 2) + std::pow(double(p[1][1] + p[3][1]), 2)) / 15.0);
    return m0 >= m1 ? m0 : m1;
}

LoadFigure loadAreaOps(PagePoint a, PagePoint b, const LoadOrdinates& l, float ms, int it)
{
    LoadFigure fig;
    float q[4][2];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 2; ++j)
            q[i][j] = l.p[i][j] / ms;

    // One diagram on the base s0 → s1: the load line moved by (right, up) at
    // each end, it + 1 arrows from the load line onto the base, the load line.
    auto diagram = [&](std::vector<FigureOp>& ops, PagePoint s0, PagePoint s1, int iv, int ih, PagePoint& t0,
                       PagePoint& t1) {
        t0 = {s0.x + q[ih][0], s0.y - q[iv][0]};
        t1 = {s1.x + q[ih][1], s1.y - q[iv][1]};
        const float dx = (s1.x - s0.x) / float(it), dy = (s1.y - s0.y) / float(it);
        const float ex = (t1.x - t0.x) / float(it), ey = (t1.y - t0.y) / float(it);
        for (int k = 0; k <= it; ++k) {
            const PagePoint s{s0.x + float(k) * dx, s0.y + float(k) * dy};
            const PagePoint t{t0.x + float(k) * ex, t0.y + float(k) * ey};
            ops.push_back({FigureOp::Line, {s, t}});
            ops.push_back({FigureOp::Arrow, {t, s}});
        }
        ops.push_back({FigureOp::Line, {t0, t1}});
    };

    fig.first.push_back({FigureOp::Line, {a, b}});
    PagePoint a1, b1, a2, b2;
    diagram(fig.first, a, b, 0, 1, a1, b1);
    diagram(fig.second, a1, b1, 2, 3, a2, b2);
    return fig;
}

std::vector<FigureOp> sectionForceOps(PagePoint p1, PagePoint p2, float shhh, int typ, int sy)
{
    std::vector<FigureOp> ops;
    ops.push_back({FigureOp::Line, {p1, p2}});
    const double w = double(RICHTUNGSWINKEL(p1.x, p1.y, p2.x, p2.y));
    const float h = float(std::hypot(double(p2.x - p1.x), double(p2.y - p1.y)) / 2.0);
    const PagePoint m = polar(p1, h, w);
    if (sy != 1)
        return ops;
    PagePoint e1, e2;
    if (typ == 1) {
        e1 = polar(m, -shhh / 2.0f, w + double(kHalfPi));
        e2 = polar(m, shhh / 2.0f, w + double(kHalfPi));
    } else if (typ == 2 || typ == 3) {
        const PagePoint c = polar(m, kArrowLength * 0.5f, w - double(kHalfPi));
        e1 = polar(c, -shhh / 2.0f, w);
        e2 = polar(c, shhh / 2.0f, w);
    } else {
        return ops;
    }
    ops.push_back({FigureOp::Line, {e1, e2}});
    ops.push_back({FigureOp::Arrow, {e1, e2}});
    ops.push_back({FigureOp::Arrow, {e2, e1}});
    return ops;
}

} // namespace drawing::figures
