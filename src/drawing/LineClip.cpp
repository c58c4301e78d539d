// The clipping routine of LINIE: rejection, the rules for vertical, horizontal
// and slanted segments, and the true cut for segments through a corner.

#include "drawing/LineClip.h"

#include "drawing/Numeric.h"

#include <algorithm>
#include <utility>

namespace drawing {

namespace {

// Order the ends left to right; equal X are exchanged too.
void order(float& x1, float& y1, float& x2, float& y2)
{
    if (!(x2 > x1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
}

bool beyondOneEdge(float x1, float y1, float x2, float y2, const ClipFrame& f)
{
    return (x1 < f.left && x2 < f.left) || (x1 > f.right && x2 > f.right) || (y1 < f.top && y2 < f.top)
        || (y1 > f.bottom && y2 > f.bottom);
}

// Parametric cut of the segment at the frame (the segment's own direction).
std::optional<ClipSegment> trueCut(float x1, float y1, float x2, float y2, const ClipFrame& f)
{
    const double dx = double(x2) - x1, dy = double(y2) - y1;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {double(x1) - f.left, double(f.right) - x1, double(y1) - f.top, double(f.bottom) - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return std::nullopt;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
    }
    // Nothing, or only the corner point itself.
    if (!(t1 > t0))
        return std::nullopt;
    return ClipSegment{float(x1 + t0 * dx), float(y1 + t0 * dy), float(x1 + t1 * dx), float(y1 + t1 * dy)};
}

} // namespace

std::optional<ClipSegment> clipLine(float XP1, float YP1, float XP2, float YP2, const ClipFrame& f, bool clip)
{
    order(XP1, YP1, XP2, YP2);
    if (!clip)
        return ClipSegment{XP1, YP1, XP2, YP2};
    if (beyondOneEdge(XP1, YP1, XP2, YP2, f))
        return std::nullopt;

    const float L = f.left, T = f.top, R = f.right, B = f.bottom;
    const auto inX = [&](float x) { return L <= x && x <= R; };
    const auto inY = [&](float y) { return T <= y && y <= B; };

    if (inX(XP1) && inX(XP2) && inY(YP1) && inY(YP2))
        return ClipSegment{XP1, YP1, XP2, YP2};

    if (XP1 == XP2) {
        const float x = XP1;
        if ((YP1 <= T && YP2 >= B) || (YP1 >= B && YP2 <= T))
            return ClipSegment{x, T, x, B};
        if (YP1 <= T && YP2 >= T)
            return ClipSegment{x, T, x, YP2};
        if (YP1 >= T && YP2 <= T)
            return ClipSegment{x, T, x, YP1};
        if (YP1 <= B && YP2 >= B)
            return ClipSegment{x, B, x, YP1};
        if (YP1 >= B && YP2 <= B)
            return ClipSegment{x, B, x, YP2};
        return std::nullopt;
    }
    if (YP1 == YP2) {
        const float y = YP1;
        if (XP1 <= L && XP2 >= R)
            return ClipSegment{L, y, R, y};
        if (XP1 <= L)
            return ClipSegment{L, y, XP2, y};
        return ClipSegment{XP1, y, R, y};
    }

    // Points on the line through the two ends (both coordinates differ here,
    // so the interpolation never divides by zero).
    const float yL = LININT(XP1, XP2, L, YP1, YP2), yR = LININT(XP1, XP2, R, YP1, YP2);
    const float xT = LININT(YP1, YP2, T, XP1, XP2), xB = LININT(YP1, YP2, B, XP1, XP2);

    // Through a corner the entry and exit rules meet in that corner: cut the
    // segment where it really crosses the frame.
    if (yL == T || yL == B || yR == T || yR == B || xT == L || xT == R || xB == L || xB == R)
        return trueCut(XP1, YP1, XP2, YP2, f);

    const ClipSegment P{XP1, YP1, XP2, YP2};
    const auto seg = [](float sx, float sy, float ex, float ey) { return ClipSegment{sx, sy, ex, ey}; };

    // Entries in the order left, bottom, right, top; each with its exits.
    if (XP1 <= L && L < XP2 && inY(yL)) {
        if (inX(xB) && YP2 >= B)
            return seg(L, yL, xB, B);
        if (inX(xB))
            return seg(L, yL, XP2, YP2);
        if (inY(yR) && XP2 >= R)
            return seg(L, yL, R, yR);
        if (inY(yR))
            return seg(L, yL, XP2, YP2);
        if (inX(xT) && YP2 <= T)
            return seg(L, yL, xT, T);
        if (inX(xT))
            return seg(L, yL, XP2, YP2);
    }
    if (((YP1 < B && B <= YP2) || (YP2 < B && B < YP1)) && inX(xB)) {
        if (inY(yR) && XP2 >= R)
            return seg(xB, B, R, yR);
        if (inY(yR))
            return seg(xB, B, XP2, YP2);
        if (inX(xT) && ((YP2 < YP1 && YP2 <= T) || (YP1 < YP2 && YP1 <= T)))
            return seg(xB, B, xT, T);
        if (inX(xT))
            return YP1 < YP2 ? seg(xB, B, P.x1, P.y1) : seg(xB, B, P.x2, P.y2);
        if (inY(yL))
            return seg(xB, B, XP1, YP1);
    }
    if (XP1 < R && R <= XP2 && inY(yR)) {
        if (inX(xT) && YP1 <= T)
            return seg(R, yR, xT, T);
        if (inX(xT) || inY(yL) || inX(xB))
            return seg(R, yR, XP1, YP1);
    }
    if (((YP1 < T && T < YP2) || (YP2 < T && T < YP1)) && inX(xT)) {
        if (inY(yL))
            return seg(xT, T, XP1, YP1);
        return YP1 < YP2 ? seg(xT, T, XP2, YP2) : seg(xT, T, XP1, YP1);
    }
    return std::nullopt;
}

std::optional<ClipSegment> clampBand(float x1, float y1, float x2, float y2, const ClipFrame& f, bool clip)
{
    order(x1, y1, x2, y2);
    ClipSegment b{x1, y1, x2, y2};
    if (!clip)
        return b;
    if (beyondOneEdge(x1, y1, x2, y2, f))
        return std::nullopt;
    b.x1 = std::max(b.x1, f.left);
    b.x2 = std::min(b.x2, f.right);
    if (b.y1 < b.y2) {
        b.y1 = std::max(b.y1, f.top);
        b.y2 = std::min(b.y2, f.bottom);
    } else {
        b.y1 = std::min(b.y1, f.bottom);
        b.y2 = std::max(b.y2, f.top);
    }
    return b;
}

} // namespace drawing
