// The shared figures, drawn through a FigureHost: each computes its geometry
// (FigureGeometry.h) and replays it through the engine's own LINIE, PFEIL,
// TEXT, POLYGON, KOORDTRANS and circle primitives, under its own error trap.

#include "drawing/figures/Figures.h"

#include "database/clsDATEN.h"
#include "drawing/Numeric.h"
#include "drawing/figures/FigureGeometry.h"
#include "platform/Dialogs.h"
#include "platform/StepRunner.h"
#include "platform/VbError.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace drawing::figures {

namespace {

constexpr int32_t kWhite = rgb(255, 255, 255);

PlotFrame plotFrame(const ViewState& v)
{
    return {v.left(), v.top(), v.right(), v.bottom()};
}

// The frame circles, dots and point symbols are cut at or kept inside.
PlotFrame markFrame(const FigureHost& host, const ViewState& v)
{
    if (host.clipsToFrame())
        return plotFrame(v);
    const float inf = std::numeric_limits<float>::infinity();
    return {-inf, -inf, inf, inf};
}

void replay(DrawingInterface& e, const std::vector<FigureOp>& ops)
{
    for (const FigureOp& op : ops) {
        if (op.kind == FigureOp::Line)
            e.LINIE(op.s.a.x, op.s.a.y, op.s.b.x, op.s.b.y);
        else
            e.PFEIL(op.s.a.x, op.s.a.y, op.s.b.x, op.s.b.y);
    }
}

// Draw a view-angle arc through the host. The host's arc runs counter-
// clockwise from its start to its end angle, both within 0..2π, so an arc
// across 0 arrives with an end below its start (and a full turn with both
// equal).
void drawViewArc(FigureHost& host, float xc, float yc, float rp, const AngleSpan& a)
{
    const double turn = double(kTwoPi);
    double from = std::fmod(double(a.from), turn);
    if (from < 0.0)
        from += turn;
    double to = from + (double(a.to) - double(a.from));
    if (to > turn + 1e-5)
        to -= turn;
    else if (to > turn)
        to = turn; // ends at 2π: keep it there rather than wrap to 0
    host.arc(xc, yc, rp, float(from), float(to));
}

} // namespace

// ---------------------------------------------------------------------------
// Circles and arcs
// ---------------------------------------------------------------------------

std::optional<PageCircle> pageCircle(FigureHost& host, float XM, float YM, float R, float AL1,
                                     std::optional<int16_t> KO)
{
    const int16_t ko = KO.value_or(1);
    if (ko == 0)
        return PageCircle{XM, YM, R};
    if (ko == 2) {
        const ViewState v = host.view();
        return PageCircle{XM + v.SX + v.EXDL, YM + v.SY + v.EYDO, R};
    }
    if (ko != 1)
        return std::nullopt;
    // World units: the radius is the page distance from the centre to the
    // start point of the arc.
    DrawingInterface& e = host.engine();
    PageCircle c;
    e.KOORDTRANS(XM, YM, c.xc, c.yc);
    float x1 = 0.0f, y1 = 0.0f;
    e.KOORDTRANS(float(XM + R * std::cos(double(AL1))), float(YM + R * std::sin(double(AL1))), x1, y1);
    c.rp = float(std::hypot(double(x1) - c.xc, double(y1) - c.yc));
    return c;
}

void KREIS(FigureHost& host, float XM, float YM, float R, float AL1, float& AL2, int16_t LAGEPFEIL, bool BOKREISP,
           std::optional<int16_t> KO)
{
    DrawingInterface& e = host.engine();
    // A circle given in page millimetres wholly beside the frame it is cut at
    // draws nothing; the many such circles of a long page cost no more than
    // this. An engine that draws everything has no such frame.
    if (KO && *KO == 0 && !BOKREISP) {
        if (AL2 == 0.0f)
            AL2 = kTwoPi;
        if (circleBesideFrame(XM, YM, R, markFrame(host, host.view())))
            return;
    }
    // Run-now steps: OK in the error box goes on with the next, Cancel
    // leaves (a circle is drawn often; its steps are not collected first).
    vb::ErrorTrap op(QStringLiteral("KREIS"), vb::kVbFehler);
    op.numberLine();

    CircleRequest req;
    CirclePlan plan;
    bool known = true;
    bool odd = false;

    op([&] {
        if (AL2 == 0.0f)
            AL2 = kTwoPi;
    });
    op([&] {
        const ViewState v = host.view();
        req.al1 = AL1;
        req.al2 = AL2;
        req.ox = v.OX;
        req.oy = v.OY;
        req.chords = BOKREISP;
        req.lagepfeil = LAGEPFEIL;
        req.drawingArcs = host.drawsWholeArcs();
        const std::optional<PageCircle> c = pageCircle(host, XM, YM, R, AL1, KO);
        known = c.has_value(); // no coordinate system: nothing to draw
        if (c) {
            req.xc = c->xc;
            req.yc = c->yc;
            req.rp = c->rp;
            req.pageUnits = KO.value_or(1) != 1;
        }
    });
    op([&] {
        if (!known)
            return;
        // An engine that draws everything (clipsToFrame false) gets no frame.
        plan = planCircle(req, markFrame(host, host.view()));
        if (plan.outcome == CirclePlan::OddCrossings) {
            odd = true;
            vb::MsgBox(QStringLiteral("Ungerade Anzahl von Schnittpunkten des Kreises mit den Grenzen"),
                       vb::vbOKOnly | vb::vbExclamation, QStringLiteral("Bogen"));
        }
    });
    op([&] {
        if (!known || odd || plan.outcome != CirclePlan::Drawn)
            return;
        if (plan.whole && req.drawingArcs) {
            host.wholeArc(req.xc, req.yc, req.rp, req.al1, req.al2, req.ox, req.oy);
        } else {
            if (plan.fullCircle)
                host.circle(req.xc, req.yc, req.rp);
            for (const AngleSpan& a : plan.viewArcs)
                drawViewArc(host, req.xc, req.yc, req.rp, a);
        }
        for (const Segment& s : plan.chords)
            e.LINIE(s.a.x, s.a.y, s.b.x, s.b.y);
    });
    // End marks: filled in the fore colour, the fill left transparent and white.
    const auto marksWanted = [&] { return known && !odd && plan.outcome == CirclePlan::Drawn && LAGEPFEIL > 0; };
    op([&] {
        if (marksWanted())
            host.setFill(true, host.foreColor());
    });
    op([&] {
        if (!marksWanted())
            return;
        for (const ArcMark& m : plan.marks) {
            if (m.dot)
                host.circle(m.p.x, m.p.y, kDotRadius);
            for (const Segment& s : m.strokes)
                e.LINIE(s.a.x, s.a.y, s.b.x, s.b.y);
        }
    });
    op([&] {
        if (marksWanted())
            host.setFill(false, kWhite);
    });
}

// ---------------------------------------------------------------------------
// Point series
// ---------------------------------------------------------------------------

void POLYGON(FigureHost& host, SingleArray& X, SingleArray& Y, int16_t PSIT, int16_t PSTYP, int16_t PNR,
             const QString& TEXT, int16_t LAGETEXT, int16_t LAGEPFEIL, bool FARBEN,
             const std::optional<NumberList>& BOL)
{
    DrawingInterface& e = host.engine();
    // Run-now steps (a polyline is drawn often): OK in the error box goes on
    // with the next, Cancel leaves; the fore colour is restored either way.
    vb::ErrorTrap op(QStringLiteral("Polygon"), vb::kVbFehler);

    std::optional<int32_t> saved;
    ViewState v;
    std::vector<PagePoint> p;
    PagePoint base;
    const int last = X.ubound();

    struct Zurueck {
        FigureHost& host;
        std::optional<int32_t>& saved;
        ~Zurueck()
        {
            if (saved)
                host.setForeColor(*saved);
        }
    } zurueck{host, saved};
    op([&] { saved = host.foreColor(); });
    op([&] { v = host.view(); });
    // Logarithmic axes: the caller's arrays receive the logarithms.
    op([&] {
        if (v.ESKTX == 1)
            for (int i = 0; i <= last; ++i)
                X(i) = LOG10(X(i));
    });
    op([&] {
        if (v.ESKTY == 1)
            for (int i = 0; i <= last; ++i)
                Y(i) = LOG10(Y(i));
    });
    op([&] {
        if (FARBEN)
            if (auto c = seriesColour(PSTYP))
                host.setForeColor(*c);
    });
    op([&] { e.KOORDTRANS(v.XMIN, v.YMIN, base.x, base.y); });
    op([&] {
        p.reserve(size_t(std::max(last + 1, 0)));
        for (int i = 0; i <= last; ++i) {
            PagePoint q;
            const float x = X(i), y = Y(i);
            e.KOORDTRANS(x, y, q.x, q.y);
            p.push_back(q);
        }
    });
    op([&] {
        if (p.empty())
            return;
        const int style = v.EPTYP;
        const bool usesBase = style == 1 || style == 2 || (style >= 4 && style <= 8);
        if (usesBase && X.lbound() == -1) {
            const float x = X(-1), y = Y(-1);
            e.KOORDTRANS(x, y, base.x, base.y);
        }
        SeriesStrokes s;
        const SeriesError err =
            seriesStrokes(style, p, base, BOL ? &*BOL : nullptr, markFrame(host, v), s);
        for (const Segment& l : s.lines)
            e.LINIE(l.a.x, l.a.y, l.b.x, l.b.y);
        for (const PagePoint& d : s.dots)
            host.dot(d.x, d.y);
        if (err != SeriesError::None)
            vb::raise(vb::err::SubscriptOutOfRange);
    });
    // Marks: point symbols, point numbers, label, arrow heads.
    op([&] {
        const PlotFrame f = markFrame(host, v);
        for (int i : markedPoints(PSIT, int(p.size())))
            if (strictlyInside(p[size_t(i)], f))
                host.pointSymbol(p[size_t(i)].x, p[size_t(i)].y, PSTYP);
    });
    op([&] {
        for (int i : markedPoints(PNR, int(p.size())))
            e.TEXT(p[size_t(i)].x + 1.0f, p[size_t(i)].y - 1.0f, QString::number(i), 0, 0, 0, 0);
    });
    op([&] {
        if (TEXT.isEmpty())
            return;
        if (auto l = seriesLabel(LAGETEXT, p))
            e.TEXT(l->anchor.x, l->anchor.y, TEXT, 0, int16_t(l->al), int16_t(l->arx), int16_t(l->ary));
    });
    op([&] {
        for (const Segment& a : seriesArrows(LAGEPFEIL, p))
            e.PFEIL(a.a.x, a.a.y, a.b.x, a.b.y);
    });
}

// ---------------------------------------------------------------------------
// Terrain hatch and level triangle
// ---------------------------------------------------------------------------

void GELAENDESCHRAFFUR(FigureHost& host, float X1, float Y1, float H1, int16_t ANS, float BE, int16_t KO)
{
    DrawingInterface& e = host.engine();
    vb::StepRunner op(QStringLiteral("Geländeschraffur"), vb::kVbFehler);
    std::vector<WorldSegment> strokes;
    op.step([&] {
        const ViewState v = host.view();
        if (v.MY == 0.0f)
            vb::raise(vb::err::DivisionByZero);
        strokes = terrainHatchStrokes(X1, Y1, H1, ANS, BE, KO, v.MX, v.MY, v.OY);
    });
    op.step([&] {
        for (const WorldSegment& s : strokes) {
            SingleArray x{s.x1, s.x2};
            SingleArray y{s.y1, s.y2};
            e.POLYGON(x, y);
        }
    });
    op.run();
}

void KOTENDREIECK(FigureHost& host, float X, float Y, float DH, float RIWI, int16_t GW, int16_t VOLL)
{
    DrawingInterface& e = host.engine();
    vb::StepRunner op(QStringLiteral("Kotendreieck"), vb::kVbFehler);
    PagePoint t;
    std::optional<float> h;
    op.step([&] { e.KOORDTRANS(X, Y, t.x, t.y); });
    op.step([&] {
        const float my = host.view().MY;
        if (my == 0.0f)
            vb::raise(vb::err::DivisionByZero);
        h = DH / my;
    });
    op.step([&] {
        if (!h)
            return;
        for (const Segment& s : levelTriangleStrokes(t, *h, RIWI, GW, VOLL))
            e.LINIE(s.a.x, s.a.y, s.b.x, s.b.y);
    });
    op.run();
}

// ---------------------------------------------------------------------------
// Load areas and section forces
// ---------------------------------------------------------------------------

namespace {

float element(const std::vector<float>& v, size_t i)
{
    if (i >= v.size())
        vb::raise(vb::err::SubscriptOutOfRange);
    return v[i];
}

} // namespace

void LASTFLAECHEN(FigureHost& host, const std::vector<float>& X, const std::vector<float>& Y,
                  const std::vector<std::vector<float>>& P, int16_t IT)
{
    DrawingInterface& e = host.engine();
    vb::StepRunner op(QStringLiteral("Lastflächen"), vb::kVbFehler);
    LoadOrdinates loads;
    float ms = 0.0f;
    PagePoint a, b;
    std::optional<LoadFigure> fig;

    op.step([&] {
        for (size_t i = 0; i < 4; ++i) {
            if (i >= P.size())
                vb::raise(vb::err::SubscriptOutOfRange);
            for (size_t j = 0; j < 2; ++j)
                loads.p[i][j] = element(P[i], j);
        }
    });
    // Load scale of the picture, kept in its view record; computed and
    // stored when there is none yet.
    op.step([&] {
        clsDATEN acc;
        acc.ETABELLE(QStringLiteral("G0"));
        acc.ESPIDW(host.engine().EID());
        const vb::Variant picture(host.engine().EIDOBJEKT());
        acc.DTVS(QStringLiteral("MSP"), ms, QStringLiteral("IDOBJEKT"), picture);
        if (ms == 0.0f) {
            ms = loadScale(loads);
            acc.DVTS(QStringLiteral("MSP"), ms, QStringLiteral("IDOBJEKT"), picture);
        }
    });
    op.step([&] { e.LINIENEINSTELLUNGEN(0, 0, rgb(255, 0, 0)); });
    op.step([&] {
        const float x0 = element(X, 0), y0 = element(Y, 0);
        e.KOORDTRANS(x0, y0, a.x, a.y);
        const float x1 = element(X, 1), y1 = element(Y, 1);
        e.KOORDTRANS(x1, y1, b.x, b.y);
    });
    op.step([&] {
        if (ms == 0.0f || IT == 0)
            vb::raise(vb::err::DivisionByZero);
        fig = loadAreaOps(a, b, loads, ms, IT);
    });
    op.step([&] {
        if (fig)
            replay(e, fig->first);
        else
            e.LINIE(a.x, a.y, b.x, b.y); // the member alone
    });
    op.step([&] { e.LINIENEINSTELLUNGEN(0, 0, rgb(128, 0, 0)); });
    op.step([&] {
        if (fig)
            replay(e, fig->second);
    });
    op.run();
}

void SCHNITTKRAFT(FigureHost& host, float X1, float Y1, float X2, float Y2, float SHHH, int16_t TYP, int16_t SY)
{
    DrawingInterface& e = host.engine();
    vb::StepRunner op(QStringLiteral("Schnittkraft"), vb::kVbFehler);
    PagePoint p1, p2;
    op.step([&] { e.LINIENEINSTELLUNGEN(0, 0.2f, rgb(0, 128, 0)); });
    op.step([&] {
        e.KOORDTRANS(X1, Y1, p1.x, p1.y);
        e.KOORDTRANS(X2, Y2, p2.x, p2.y);
    });
    op.step([&] { replay(e, sectionForceOps(p1, p2, SHHH, TYP, SY)); });
    op.run();
}

} // namespace drawing::figures
