// Point series: the strokes of each series style and the marks (symbols,
// numbers, label, arrow heads) at their points.

#include "drawing/figures/FigureGeometry.h"
#include "drawing/Numeric.h"

#include <cmath>

namespace drawing::figures {

std::vector<int> markedPoints(int v, int n)
{
    std::vector<int> out;
    if (n < 1 || v == 0)
        return out;
    if (v == -1) {
        out.push_back(0);
    } else if (v == 1) {
        out.push_back(n - 1);
    } else if (v == 2) {
        out.push_back(0);
        if (n > 1)
            out.push_back(n - 1);
    } else if (v >= 3) {
        int s = roundEven(double(n - 1) / double(v - 1));
        if (s == 0)
            s = 1;
        for (int i = 0; i <= n - 1; i += s)
            out.push_back(i);
    } else {
        for (int i = 0; i < n; ++i)
            out.push_back(i);
    }
    return out;
}

bool strictlyInside(const PagePoint& p, const PlotFrame& f)
{
    return p.x > f.left && p.x < f.right && p.y > f.top && p.y < f.bottom;
}

namespace {

// Label on the segment j → j + 1: centred on it, standing on its upper side,
// turned along it but never upside down.
SeriesLabel segmentLabel(const std::vector<PagePoint>& p, int j)
{
    SeriesLabel l;
    l.anchor = {(p[j].x + p[j + 1].x) / 2.0f, (p[j].y + p[j + 1].y) / 2.0f};
    const float dx = p[j + 1].x - p[j].x;
    const float dy = p[j].y - p[j + 1].y;
    if (dx == 0.0f)
        l.al = 90;
    else
        l.al = roundEven(std::atan(double(dy / dx)) / double(0.0174532924f));
    l.arx = 1;
    l.ary = 2;
    return l;
}

SeriesLabel at(PagePoint p, float shift, int arx, int ary)
{
    SeriesLabel l;
    l.anchor = {p.x + shift, p.y};
    l.arx = arx;
    l.ary = ary;
    return l;
}

} // namespace

std::optional<SeriesLabel> seriesLabel(int lagetext, const std::vector<PagePoint>& p)
{
    const int n = int(p.size());
    if (n < 1)
        return std::nullopt;
    const PagePoint last = p[n - 1];
    const PagePoint first = p[0];
    switch (lagetext) {
    case 0:
        if (n < 2)
            return std::nullopt;
        return segmentLabel(p, n - 2);
    case 1: return at(last, 0.0f, 1, 2);
    case 2: return at(last, 0.0f, 1, 0);
    case 3: return at(last, 2.0f, 0, 1);
    case 4: return at(last, -2.0f, 2, 1);
    case 5:
        if (n < 2)
            return std::nullopt;
        return segmentLabel(p, 0);
    case 6: return at(first, 0.0f, 1, 2);
    case 7: return at(first, 0.0f, 1, 0);
    case 8: return at(first, 2.0f, 0, 1);
    case 9: return at(first, -2.0f, 2, 1);
    case 10:
        if (n < 2)
            return std::nullopt;
        return segmentLabel(p, (n - 1) / 2);
    case 11: return at(last, -2.0f, 2, 0);
    case 12: return at(last, -2.0f, 2, 2);
    case 13: return at(last, 2.0f, 0, 0);
    case 14: return at(last, 2.0f, 0, 2);
    default: return std::nullopt;
    }
}

std::vector<Segment> seriesArrows(int lagepfeil, const std::vector<PagePoint>& p)
{
    std::vector<Segment> out;
    const int n = int(p.size());
    if (n < 2)
        return out;
    switch (lagepfeil) {
    case 1: out.push_back({p[n - 2], p[n - 1]}); break;
    case 2: out.push_back({p[1], p[0]}); break;
    case 3:
        out.push_back({p[n - 2], p[n - 1]});
        out.push_back({p[1], p[0]});
        break;
    case 4:
        for (int i = 1; i < n; ++i)
            out.push_back({p[i - 1], p[i]});
        break;
    case 5:
        for (int i = 1; i < n; ++i)
            out.push_back({p[i], p[i - 1]});
        break;
    case 6:
        for (int i = 1; i < n; ++i) {
            out.push_back({p[i - 1], p[i]});
            out.push_back({p[i], p[i - 1]});
        }
        break;
    default: break;
    }
    return out;
}

SeriesError seriesStrokes(int style, const std::vector<PagePoint>& p, PagePoint base,
                          const std::vector<double>* bol, const PlotFrame& frame, SeriesStrokes& out)
{
    const int n = int(p.size());
    if (n < 1)
        return SeriesError::None;
    // A stroke a point for most styles (a polyline: one fewer).
    out.lines.reserve(out.lines.size() + size_t(n));
    auto line = [&](PagePoint a, PagePoint b) { out.lines.push_back({a, b}); };
    const float bx = base.x, by = base.y;
    auto half = [](float a, float b) { return a + (b - a) / 2.0f; };

    switch (style) {
    case 0:
        for (int i = 1; i < n; ++i) {
            if (bol) {
                if (int(bol->size()) < i)
                    return SeriesError::SwitchesTooShort;
                if ((*bol)[size_t(i - 1)] != 1.0)
                    continue;
            }
            line(p[i - 1], p[i]);
        }
        return SeriesError::None;

    case 1: {
        if (n < 2)
            return SeriesError::NeedsTwoPoints;
        // E(i) for i = -1 .. n-1, stored at index i + 1.
        std::vector<float> e(size_t(n + 1));
        e[0] = p[0].x - (p[1].x - p[0].x) / 2.0f;
        for (int i = 0; i <= n - 2; ++i)
            e[size_t(i + 1)] = half(p[i].x, p[i + 1].x);
        e[size_t(n)] = p[n - 1].x + (p[n - 1].x - p[n - 2].x) / 2.0f;
        auto E = [&](int i) { return e[size_t(i + 1)]; };
        for (int i = 0; i < n; ++i) {
            const float y = p[i].y;
            if (i == 0) {
                line({E(-1), by}, {E(-1), y});
                line({E(-1), y}, {E(0), y});
            } else if (i == n - 1) {
                line({E(i - 1), p[i - 1].y}, {E(i - 1), y});
                line({E(i - 1), y}, {E(i), y});
                line({E(i), y}, {E(i), by});
            } else {
                line(p[i], {E(i - 1), y});
                line(p[i], {E(i), y});
                line({E(i - 1), p[i - 1].y}, {E(i - 1), y});
            }
        }
        return SeriesError::None;
    }

    case 2:
    case 7: {
        // Style 1 with the roles of X and Y exchanged.
        const auto swap = [](PagePoint q) { return PagePoint{q.y, q.x}; };
        std::vector<PagePoint> t;
        for (const PagePoint& q : p)
            t.push_back(swap(q));
        SeriesStrokes bars;
        const SeriesError err = seriesStrokes(1, t, swap(base), nullptr, frame, bars);
        for (const Segment& l : bars.lines)
            line(swap(l.a), swap(l.b));
        return err;
    }

    case 3:
        for (const PagePoint& q : p)
            if (strictlyInside(q, frame))
                out.dots.push_back(q);
        return SeriesError::None;

    case 4:
        line(base, {bx, p[0].y});
        line({bx, p[0].y}, p[0]);
        for (int i = 0; i <= n - 2; ++i) {
            line(p[i], {p[i].x, p[i + 1].y});
            line({p[i].x, p[i + 1].y}, p[i + 1]);
        }
        line(p[n - 1], {p[n - 1].x, by});
        return SeriesError::None;

    case 5:
        line(base, {p[0].x, by});
        line({p[0].x, by}, p[0]);
        for (int i = 0; i <= n - 2; ++i) {
            line(p[i], {p[i + 1].x, p[i].y});
            line({p[i + 1].x, p[i].y}, p[i + 1]);
        }
        line(p[n - 1], {bx, p[n - 1].y});
        return SeriesError::None;

    case 6:
        line(base, p[0]);
        for (int i = 0; i <= n - 2; ++i) {
            line(p[i], {p[i].x, p[i + 1].y});
            line({p[i].x, p[i + 1].y}, p[i + 1]);
        }
        return SeriesError::None;

    case 8:
        if (n < 2)
            return SeriesError::NeedsTwoPoints;
        line({bx, p[0].y}, p[0]);
        for (int i = 0; i <= n - 2; ++i) {
            const float m = half(p[i].y, p[i + 1].y);
            line(p[i], {p[i].x, m});
            line({p[i].x, m}, {p[i + 1].x, m});
            line({p[i + 1].x, m}, p[i + 1]);
        }
        line(p[n - 1], {bx, p[n - 1].y});
        return SeriesError::None;

    default:
        return SeriesError::None;
    }
}

std::optional<int> seriesColour(int pstyp)
{
    switch (pstyp) {
    case 0: return rgb(0, 0, 128);
    case 1: return rgb(0, 128, 0);
    case 2: return rgb(0, 128, 128);
    case 3: return rgb(128, 0, 0);
    case 4: return rgb(128, 0, 128);
    case 5: return rgb(0, 255, 0);
    case 6: return rgb(0, 0, 255);
    case 7: return rgb(0, 0, 0);
    default: return std::nullopt;
    }
}

} // namespace drawing::figures
