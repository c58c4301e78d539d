#pragma once
// Geometry of the shared figures, free of any target or engine state.
//
// Everything here works in page millimetres (x to the right, y downward) or
// in world units, in single precision, and returns what is to be drawn as
// plain lists: no message boxes, no drawing. The figure functions of
// Figures.h replay these lists through an engine's own LINIE, PFEIL, TEXT,
// POLYGON and circle primitives, so the screen/printer engine and the CAD
// engine share one implementation of each rule.
//
// Page angles are measured from the page's +X direction towards +Y, so they
// grow clockwise as seen. View angles (the arc primitive's) count
// counter-clockwise as seen: view = 2π − page.

#include <optional>
#include <vector>

namespace drawing::figures {

inline constexpr float kHalfPi = 1.5707964f;
inline constexpr float kQuarterPi = 0.7853982f;
inline constexpr float kChordStep = 0.17453292f;      // 10 degrees
inline constexpr float kArcArrowHalfAngle = 0.2617994f; // 15 degrees
inline constexpr float kArrowLength = 2.5f;           // mm
inline constexpr float kDotRadius = 0.5f;             // mm

struct PagePoint {
    float x = 0.0f;
    float y = 0.0f;
};

// A stroke from a to b. For arrow heads (PFEIL) a is the tail and b the tip.
struct Segment {
    PagePoint a;
    PagePoint b;
};

// A clip rectangle in page mm (normally the plot area).
struct PlotFrame {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// One drawing step replayed through the engine: Line = LINIE(a, b) without
// a fill colour (clipped to the plot area); Arrow = PFEIL(a, b), a head at b
// pointing away from a.
struct FigureOp {
    enum Kind { Line, Arrow };
    Kind kind = Line;
    Segment s;
};

// ---- circles and arcs ----------------------------------------------------

enum FrameEdge { EdgeLeft = 0, EdgeBottom = 1, EdgeRight = 2, EdgeTop = 3 };

struct CircleCrossing {
    float x = 0.0f;
    float y = 0.0f;
    int edge = EdgeLeft;   // edge the point lies on
    float angle = 0.0f;    // page angle seen from the centre
};

// Crossings of a circle with the frame, in frame order: down the left edge,
// right along the bottom, up the right edge, left along the top (at most 8).
// An edge crossed once adds one point, an edge crossed twice within its ends
// a pair. A mere touch adds nothing, except that a circle touching an edge
// from inside, with no other crossing, gets that point as a pair.
struct CrossingList {
    std::vector<CircleCrossing> points;
    int pairCount = 0;
    bool startsWithPair = false;
};
CrossingList circleFrameCrossings(float xc, float yc, float rp, const PlotFrame& frame);

// A piece of the circle inside the frame, from page angle start to end
// through decreasing page angles (counter-clockwise as seen).
struct ArcPiece {
    float start = 0.0f;
    float end = 0.0f;
};
// Pieces of the circle inside the frame, from an even crossing list: the
// arcs between consecutive crossings whose middle lies inside the frame.
std::vector<ArcPiece> circlePieces(const CrossingList& list, float xc, float yc, float rp, const PlotFrame& frame);

// An angle span from → to.
struct AngleSpan {
    float from = 0.0f;
    float to = 0.0f;
};

// The parts of a piece on the requested arc, which runs from page angle h1
// through decreasing page angles over extent (0 < extent ≤ 2π; 2π is the
// whole circle): none, one or two spans, each with from > to.
std::vector<AngleSpan> clipPieceToArc(const ArcPiece& piece, float h1, float extent);

// Start page angle h1 and end h2 of an arc drawn with the arc primitive; the
// arc runs from h1 through decreasing page angles over al2 − al1. World units
// follow the orientation of the view; page units (centre in page mm) give
// the arc that the uncut primitive shows for the same call: h = 2π − al.
void arcPageAngles(int ox, int oy, float al1, float al2, bool pageUnits, float& h1, float& h2);

// The page angle from which an engine that draws whole arcs itself
// (FigureHost::drawsWholeArcs) shows the arc al1..al2 running down: its
// arc is added with the angles shifted by π (orientations (1, 1), (1, -1)
// and (-1, 1)) and, where one axis is reversed, mirrored about the line
// through the centre along the other axis.
float drawingArcTop(int ox, int oy, float al1, float al2);

// Start and end page angles of the chord chain, by orientation.
void chordPageAngles(int ox, int oy, float al1, float al2, float& a1, float& a2);

// The chords from a1 to a2 in 10° steps (each from → to; the last one ends
// at a2). Equal angles give no chord.
std::vector<AngleSpan> chordChain(float a1, float a2);

// Point of the circle at page angle t.
PagePoint circlePoint(float xc, float yc, float rp, float t);

// End marks of an arc that runs from page angle a to b, in direction dir
// (−1 decreasing page angles, +1 increasing). An item is a dot (a filled
// circle of kDotRadius at p) or an arrow head of three strokes.
struct ArcMark {
    bool dot = false;
    PagePoint p;
    std::vector<Segment> strokes;
};
std::vector<ArcMark> arcEndMarks(int lagepfeil, float xc, float yc, float rp, float a, float b, int dir);

// Everything one circle call draws, in page mm.
struct CircleRequest {
    float xc = 0.0f, yc = 0.0f, rp = 0.0f; // centre and radius, page mm
    float al1 = 0.0f, al2 = 0.0f;          // the caller's angles (al2 0 already made 2π)
    int ox = 1, oy = 1;                    // orientation of the view
    bool pageUnits = false;                // centre given in page mm
    bool chords = false;                   // a chain of chords instead of arcs
    int lagepfeil = 0;                     // end marks
    bool drawingArcs = false;              // the engine draws whole arcs itself (FigureHost::drawsWholeArcs)
};
struct CirclePlan {
    enum Outcome {
        Nothing,      // off the plot area, or the plot area inside the circle: no marks either
        Drawn,        // what the lists hold, then the marks
        OddCrossings, // an odd number of crossings: nothing drawn
    };
    Outcome outcome = Nothing;
    bool fullCircle = false;          // one full circle
    bool whole = false;               // the arc needs no cutting (the engine may draw it itself)
    std::vector<AngleSpan> viewArcs;  // arcs by view angles, counter-clockwise from `from` to `to` (to > from)
    std::vector<Segment> chords;      // chords, each still to be cut at the plot area
    std::vector<ArcMark> marks;       // end marks in drawing order
};
CirclePlan planCircle(const CircleRequest& req, const PlotFrame& frame);
// True when a circle of radius rp around (xc, yc) lies wholly beside the
// frame: no arc of it shows (its chords may, when chords are asked for).
bool circleBesideFrame(float xc, float yc, float rp, const PlotFrame& frame);

// ---- point series ------------------------------------------------------

// Indices of the points that get a symbol (PSIT) or a number (PNR) of n points.
std::vector<int> markedPoints(int v, int n);

// True when p lies strictly inside the frame (a point on an edge is outside).
bool strictlyInside(const PagePoint& p, const PlotFrame& frame);

// Label position of a series (LAGETEXT); nullopt when there is none.
struct SeriesLabel {
    PagePoint anchor;
    int al = 0;   // degrees, counter-clockwise
    int arx = 0;
    int ary = 0;
};
std::optional<SeriesLabel> seriesLabel(int lagetext, const std::vector<PagePoint>& p);

// Arrow heads of a series (LAGEPFEIL): PFEIL(a, b) for each segment, in order.
std::vector<Segment> seriesArrows(int lagepfeil, const std::vector<PagePoint>& p);

// Strokes of a series style (EPTYP).
struct SeriesStrokes {
    std::vector<Segment> lines;   // each one LINIE
    std::vector<PagePoint> dots;  // style 3
};
enum class SeriesError {
    None,
    NeedsTwoPoints,   // styles 1, 2, 7 and 8 with a single point: nothing drawn
    SwitchesTooShort, // segment switches missing: drawn up to the first missing one
};
// p: page points (at least one); base: base point B; bol: segment switches
// of style 0 (segment i−1 → i drawn when bol[i−1] == 1); frame: plot area
// for the dots of style 3.
SeriesError seriesStrokes(int style, const std::vector<PagePoint>& p, PagePoint base,
                          const std::vector<double>* bol, const PlotFrame& frame, SeriesStrokes& out);

// Colour long (0x00BBGGRR) of a series drawn in the colour of its symbol
// number; nullopt for a number without a colour.
std::optional<int> seriesColour(int pstyp);

// ---- terrain hatch and level triangle -------------------------------------

struct WorldSegment {
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
};
// Strokes of the terrain hatch in world units, in drawing order. my must not be 0.
std::vector<WorldSegment> terrainHatchStrokes(float x1, float y1, float h1, int ans, float be, int ko,
                                              float mx, float my, int oy);

// Strokes of a level triangle with its tip at t, height h (both page mm),
// level direction riwi (degrees, page angle), in drawing order.
std::vector<Segment> levelTriangleStrokes(PagePoint t, float h, float riwi, int gw, int voll);

// ---- load areas and section forces ---------------------------------------

// P(i, j): i 0/1 the vertical and horizontal part of the first load, 2/3 of
// the second; j 0/1 the start and the end of the member.
struct LoadOrdinates {
    float p[4][2] = {};
};
// Scale (load units per mm) that draws the larger end resultant 15 mm long.
float loadScale(const LoadOrdinates& p);

// The member a → b and its two load diagrams at scale ms with it intervals
// (ms and it not 0): first[] is drawn with the first pen (the member
// included), second[] with the second.
struct LoadFigure {
    std::vector<FigureOp> first;
    std::vector<FigureOp> second;
};
LoadFigure loadAreaOps(PagePoint a, PagePoint b, const LoadOrdinates& p, float ms, int it);

// The member p1 → p2 and, with sy 1 and typ 1..3, its section-force mark.
std::vector<FigureOp> sectionForceOps(PagePoint p1, PagePoint p2, float shhh, int typ, int sy);

} // namespace drawing::figures
