// Circles and arcs cut at the plot frame: crossings, pieces, the overlap of
// a piece with the requested arc, chord chains and end marks.

#include "drawing/figures/FigureGeometry.h"
#include "drawing/Numeric.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace drawing {

// Shared with the CAD engine (declared in Numeric.h). Crossings of the
// circle with the vertical line at x, the smaller value first.
bool KREISSCHNITTX(float xm, float ym, float r, float x, float ys[2])
{
    const float p = -ym;
    const double dxm = double(x) - double(xm);
    const float q = float(double(ym) * double(ym) + dxm * dxm - double(r) * double(r));
    const double d = double(p) * double(p) - double(q);
    if (d < 0.0)
        return false;
    const double w = std::sqrt(d);
    ys[0] = float(-double(p) - w);
    ys[1] = float(w - double(p));
    return true;
}

// The same with the axes exchanged: the horizontal line at y.
bool KREISSCHNITTY(float xm, float ym, float r, float y, float xs[2])
{
    return KREISSCHNITTX(ym, xm, r, y, xs);
}

namespace figures {

namespace {

// Tolerance for angles that went through single-precision sums.
constexpr double kAngleEps = 1e-5;

double norm2pi(double a)
{
    const double t = 2.0 * double(kPi);
    a = std::fmod(a, t);
    if (a < 0.0)
        a += t;
    return a;
}

float reduceOnce(float a)
{
    return a > kTwoPi ? a - kTwoPi : a;
}

// Extent of the arc the caller asked for: from al1 counter-clockwise (in the
// caller's sense) to al2. 2π for a full turn or more, 0 for equal angles.
float requestedExtent(float al1, float al2)
{
    float e = al2 - al1;
    if (e >= kTwoPi)
        return kTwoPi;
    if (e == 0.0f)
        return 0.0f;
    if (e < 0.0f)
        e = float(std::fmod(double(e), 2.0 * double(kPi)) + 2.0 * double(kPi));
    return std::min(e, kTwoPi);
}

} // namespace

CrossingList circleFrameCrossings(float xc, float yc, float rp, const PlotFrame& f)
{
    CrossingList out;
    struct EdgeDef {
        int code;
        bool vertical;     // the edge's line is X = const
        float line;        // its position
        float lo, hi;      // the edge's extent along the line
        bool pairReversed; // a pair goes in as b, then a
        bool centreBeyond;
        float cornerPos;   // the corner this edge owns: where the frame order enters the edge
    };
    const EdgeDef edges[4] = {
        {EdgeLeft, true, f.left, f.top, f.bottom, false, xc < f.left, f.top},
        {EdgeBottom, false, f.bottom, f.left, f.right, false, yc > f.bottom, f.left},
        {EdgeRight, true, f.right, f.top, f.bottom, true, xc > f.right, f.bottom},
        {EdgeTop, false, f.top, f.left, f.right, true, yc < f.top, f.right},
    };
    const auto point = [](const EdgeDef& e, float pos) {
        CircleCrossing c;
        c.x = e.vertical ? e.line : pos;
        c.y = e.vertical ? pos : e.line;
        c.edge = e.code;
        return c;
    };
    // A circle through a corner crosses the frame there only when it passes
    // from inside to outside; otherwise it merely touches the corner. A real
    // crossing is counted once, on the edge the frame order enters at that
    // corner.
    const auto insideAt = [&](double t) {
        const double x = xc + rp * std::cos(t), y = yc + rp * std::sin(t);
        return x > f.left && x < f.right && y > f.top && y < f.bottom;
    };
    const auto crossesAtCorner = [&](float x, float y) {
        const double t = std::atan2(double(y) - yc, double(x) - xc);
        const double d = 1e-4;
        return insideAt(t + d) != insideAt(t - d);
    };
    std::optional<std::pair<long, float>> touch; // edge index and position of a touch from inside
    for (const EdgeDef& e : edges) {
        float s[2];
        const bool meets = e.vertical ? KREISSCHNITTX(xc, yc, rp, e.line, s) : KREISSCHNITTY(xc, yc, rp, e.line, s);
        if (!meets)
            continue;
        const float a = s[0], b = s[1];
        if (a == b) {
            // A touch, not a crossing. Touched from outside it changes
            // nothing; touched from inside it matters only when nothing else
            // crosses (a circle that just fits: the whole circle is one piece).
            if (!e.centreBeyond && !touch && a > e.lo && a < e.hi)
                touch = std::make_pair(&e - edges, a);
            continue;
        }
        if (a == e.cornerPos || b == e.cornerPos) {
            const CircleCrossing corner = point(e, e.cornerPos);
            if (crossesAtCorner(corner.x, corner.y))
                out.points.push_back(corner);
        }
        const bool aIn = a > e.lo && a < e.hi;
        const bool bIn = b > e.lo && b < e.hi;
        if (aIn && bIn) {
            if (out.points.empty())
                out.startsWithPair = true;
            if (e.pairReversed) {
                out.points.push_back(point(e, b));
                out.points.push_back(point(e, a));
            } else {
                out.points.push_back(point(e, a));
                out.points.push_back(point(e, b));
            }
            ++out.pairCount;
        } else if (aIn) {
            out.points.push_back(point(e, a));
        } else if (bIn) {
            out.points.push_back(point(e, b));
        }
    }
    if (out.points.empty() && touch) {
        const CircleCrossing c = point(edges[touch->first], touch->second);
        out.points.push_back(c);
        out.points.push_back(c);
        out.pairCount = 1;
        out.startsWithPair = true;
    }
    for (CircleCrossing& c : out.points)
        c.angle = RICHTUNGSWINKEL(xc, yc, c.x, c.y);
    return out;
}

std::vector<ArcPiece> circlePieces(const CrossingList& list, float xc, float yc, float rp, const PlotFrame& f)
{
    // The crossings split the circle into arcs; each arc lies wholly inside
    // or wholly outside the frame, so its middle tells which. The pieces are
    // the arcs inside, each from a crossing to the next one through
    // decreasing page angles. (Pairing the crossings by their order along
    // the frame goes wrong where one edge is crossed twice and others once.)
    std::vector<ArcPiece> pieces;
    const int n = int(list.points.size());
    if (n == 0 || n % 2 != 0)
        return pieces;
    std::vector<float> a;
    for (const CircleCrossing& c : list.points)
        a.push_back(c.angle);
    std::sort(a.begin(), a.end(), std::greater<float>());
    const double turn = 2.0 * double(kPi);
    for (int k = 0; k < n; ++k) {
        const float s = a[size_t(k)];
        const float e = a[size_t((k + 1) % n)];
        double ext = double(s) - double(e);
        if (k + 1 == n)
            ext += turn; // from the smallest angle on through 0 to the largest
        if (ext < kAngleEps)
            continue;
        const double mid = double(s) - ext / 2.0;
        const double x = xc + rp * std::cos(mid), y = yc + rp * std::sin(mid);
        const double tol = 1e-4;
        if (x >= f.left - tol && x <= f.right + tol && y >= f.top - tol && y <= f.bottom + tol)
            pieces.push_back({s, e});
    }
    return pieces;
}

std::vector<AngleSpan> clipPieceToArc(const ArcPiece& piece, float h1, float extent)
{
    // Both the piece and the arc run through decreasing page angles. Measure
    // positions along the arc from its start: the arc covers [0, extent],
    // the piece [t0, t0 + pieceExtent] and, one turn earlier, the same less 2π.
    std::vector<AngleSpan> out;
    const double turn = 2.0 * double(kPi);
    if (extent <= 0.0f)
        return out;
    const double ea = std::min(double(extent), turn);
    double ep = norm2pi(double(piece.start) - double(piece.end));
    if (ep < kAngleEps)
        ep = turn; // start and end meet: the whole circle lies inside
    if (ea >= turn) { // the whole circle: the piece as it is
        out.push_back({piece.start, float(double(piece.start) - ep)});
        return out;
    }
    const double t0 = norm2pi(double(h1) - double(piece.start));
    for (double shift : {-turn, 0.0}) {
        const double u = std::max(0.0, t0 + shift);
        const double v = std::min(ea, t0 + ep + shift);
        if (v - u > kAngleEps)
            out.push_back({float(double(h1) - u), float(double(h1) - v)});
    }
    return out;
}

void arcPageAngles(int ox, int oy, float al1, float al2, bool pageUnits, float& h1, float& h2)
{
    if (pageUnits || (ox == 1 && oy == 1)) {
        h1 = kTwoPi - al1;
        h2 = kTwoPi - al2;
    } else if (ox == -1 && oy == 1) {
        h1 = al2 + kPi;
        h2 = al1 + kPi;
    } else if (ox == 1 && oy == -1) {
        h1 = al2;
        h2 = al1;
    } else {
        h1 = kPi - al1;
        h2 = kPi - al2;
    }
    h1 = reduceOnce(h1);
    h2 = reduceOnce(h2);
}

float drawingArcTop(int ox, int oy, float al1, float al2)
{
    // The page angles the whole arc covers, counter-clockwise in page terms.
    float start;
    if (ox == 1 && oy == -1)
        start = kPi - al2; // shifted by π, then mirrored about the horizontal through the centre
    else if (ox == -1 && oy == 1)
        start = -al2; // shifted by π, then mirrored about the vertical through the centre
    else if (ox == 1 && oy == 1)
        start = al1 + kPi;
    else
        start = al1;
    return float(norm2pi(double(start) + double(requestedExtent(al1, al2))));
}

void chordPageAngles(int ox, int oy, float al1, float al2, float& a1, float& a2)
{
    if (ox == 1 && oy == 1) {
        a1 = kTwoPi - al1;
        a2 = kTwoPi - al2;
    } else if (ox == 1 && oy == -1) {
        a1 = al1;
        a2 = al2;
    } else if (ox == -1 && oy == 1) {
        a1 = al1 + kPi;
        a2 = al2 + kPi;
    } else {
        a1 = kPi - al1;
        a2 = kPi - al2;
    }
    a1 = reduceOnce(a1);
    a2 = reduceOnce(a2);
}

std::vector<AngleSpan> chordChain(float a1, float a2)
{
    std::vector<AngleSpan> out;
    auto sgn = [](float v) { return v > 0.0f ? 1.0f : (v < 0.0f ? -1.0f : 0.0f); };
    float sign;
    if (a1 != 0.0f && a2 != 0.0f && sgn(a1) != sgn(a2))
        sign = sgn(a2);
    else
        sign = sgn(a2 - a1);
    if (sign == 0.0f)
        return out; // equal ends: no chain (a step of 0 would never advance)
    const float s = sign * kChordStep;
    for (float w = a1; s > 0.0f ? w <= a2 : w >= a2; w += s) {
        float e = w + s;
        if (s > 0.0f ? e > a2 : e < a2)
            e = a2;
        if (std::fabs(double(e) - double(w)) > kAngleEps)
            out.push_back({w, e});
    }
    return out;
}

PagePoint circlePoint(float xc, float yc, float rp, float t)
{
    return {float(xc + rp * std::cos(double(t))), float(yc + rp * std::sin(double(t)))};
}

std::vector<ArcMark> arcEndMarks(int lagepfeil, float xc, float yc, float rp, float a, float b, int dir)
{
    std::vector<ArcMark> marks;
    if (lagepfeil < 1 || lagepfeil > 5)
        return marks;
    const PagePoint startTip = circlePoint(xc, yc, rp, a);
    const PagePoint endTip = circlePoint(xc, yc, rp, b);

    float len = kArrowLength;
    const float arc = float(std::fabs(double(a) - double(b)) * double(rp));
    if (2.0f * len > arc)
        len = arc / 2.0f;
    const float d = dir < 0 ? -1.0f : 1.0f;
    const float off = rp > 0.0f ? len / rp : 0.0f;
    const float ta = a + d * off;
    const float tb = b - d * off;
    const float half = float(len * std::tan(double(kArcArrowHalfAngle)));

    auto arrow = [&](float t, PagePoint tip) {
        ArcMark m;
        const float c = float(std::cos(double(t)));
        const float s = float(std::sin(double(t)));
        const PagePoint g{xc + rp * c, yc + rp * s};
        const PagePoint q1{g.x - half * c, g.y - half * s};
        const PagePoint q2{g.x + half * c, g.y + half * s};
        m.strokes = {{tip, q1}, {q1, q2}, {q2, tip}};
        return m;
    };
    auto dot = [](PagePoint p) {
        ArcMark m;
        m.dot = true;
        m.p = p;
        return m;
    };
    switch (lagepfeil) {
    case 1: marks.push_back(arrow(tb, endTip)); break;
    case 2: marks.push_back(arrow(ta, startTip)); break;
    case 3:
        marks.push_back(arrow(tb, endTip));
        marks.push_back(arrow(ta, startTip));
        break;
    case 4:
        marks.push_back(dot(startTip));
        marks.push_back(arrow(tb, endTip));
        break;
    case 5:
        marks.push_back(arrow(ta, startTip));
        marks.push_back(dot(endTip));
        break;
    default: break;
    }
    return marks;
}

bool circleBesideFrame(float xc, float yc, float rp, const PlotFrame& f)
{
    return !(xc + rp > f.left && xc - rp < f.right && yc + rp >= f.top && yc - rp <= f.bottom);
}

CirclePlan planCircle(const CircleRequest& req, const PlotFrame& f)
{
    CirclePlan plan;
    const float xc = req.xc, yc = req.yc, rp = req.rp;

    // The plot area lies wholly inside the circle: nothing of it shows.
    if (xc >= f.left && xc <= f.right && yc >= f.top && yc <= f.bottom) {
        auto within = [&](float x, float y) {
            return std::hypot(double(x) - xc, double(y) - yc) <= double(rp);
        };
        if (within(f.left, f.top) && within(f.right, f.top) && within(f.left, f.bottom)
            && within(f.right, f.bottom))
            return plan;
    }

    const float extent = requestedExtent(req.al1, req.al2);
    float markA = 0.0f, markB = 0.0f;
    int markDir = -1;

    if (req.chords) {
        float a1, a2;
        chordPageAngles(req.ox, req.oy, req.al1, req.al2, a1, a2);
        for (const AngleSpan& c : chordChain(a1, a2))
            plan.chords.push_back({circlePoint(xc, yc, rp, c.from), circlePoint(xc, yc, rp, c.to)});
        markA = a1;
        markB = a2;
        markDir = a2 >= a1 ? 1 : -1;
    } else {
        if (circleBesideFrame(xc, yc, rp, f))
            return plan;
        float h1, h2;
        arcPageAngles(req.ox, req.oy, req.al1, req.al2, req.pageUnits, h1, h2);
        if (req.drawingArcs)
            h1 = drawingArcTop(req.ox, req.oy, req.al1, req.al2);
        if (xc - rp >= f.left && xc + rp <= f.right && yc - rp >= f.top && yc + rp <= f.bottom) {
            // Inside: the primitive draws the caller's angles as view angles.
            plan.whole = true;
            if (req.al1 == 0.0f && req.al2 == kTwoPi)
                plan.fullCircle = true;
            else if (extent > 0.0f)
                plan.viewArcs.push_back({req.al1, req.al1 + extent});
            markA = req.drawingArcs ? h1 : kTwoPi - req.al1;
            markB = markA - extent;
        } else {
            CrossingList list = circleFrameCrossings(xc, yc, rp, f);
            if (list.points.size() % 2 != 0) {
                plan.outcome = CirclePlan::OddCrossings;
                return plan;
            }
            for (const ArcPiece& piece : circlePieces(list, xc, yc, rp, f)) {
                for (const AngleSpan& span : clipPieceToArc(piece, h1, extent)) {
                    // Page span p → q (decreasing) is the view arc 2π − p → 2π − q.
                    float start = float(norm2pi(double(kTwoPi) - double(span.from)));
                    plan.viewArcs.push_back({start, start + (span.from - span.to)});
                }
            }
            markA = h1;
            markB = h1 - extent;
        }
    }
    plan.outcome = CirclePlan::Drawn;
    plan.marks = arcEndMarks(req.lagepfeil, xc, yc, rp, markA, markB, markDir);
    return plan;
}

} // namespace figures
} // namespace drawing
